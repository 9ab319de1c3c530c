#include "runtime/key_repeat.h"

#include <QGuiApplication>
#include <QtGlobal>

#if defined(ZORVANE_HAVE_XCB_XKB) && QT_CONFIG(xcb)
#define ZORVANE_X_KEY_REPEAT 1
#include <xcb/xcb.h>
// The extension's C header names a member `explicit`, a C++ keyword.
#if defined(__clang__)
#pragma clang diagnostic push
#pragma clang diagnostic ignored "-Wkeyword-macro"
#endif
#define explicit explicit_
#include <xcb/xkb.h>
#undef explicit
#if defined(__clang__)
#pragma clang diagnostic pop
#endif

#include <cstdint>
#include <cstdlib>
#endif

namespace runtime {

bool UseDetectableKeyRepeat() {
#if defined(ZORVANE_X_KEY_REPEAT)
  auto* x11 = qGuiApp != nullptr ? qGuiApp->nativeInterface<QNativeInterface::QX11Application>() : nullptr;
  if (x11 == nullptr || x11->connection() == nullptr) return true;  // not on X
  xcb_connection_t* connection = x11->connection();
  // Qt has set up the extension on this connection already; asking again
  // costs one round trip and makes no assumption about that.
  xcb_xkb_use_extension_reply_t* use = xcb_xkb_use_extension_reply(
      connection, xcb_xkb_use_extension(connection, XCB_XKB_MAJOR_VERSION, XCB_XKB_MINOR_VERSION), nullptr);
  const bool extension = use != nullptr && use->supported != 0;
  std::free(use);
  bool detectable = false;
  if (extension) {
    constexpr std::uint32_t flag = XCB_XKB_PER_CLIENT_FLAG_DETECTABLE_AUTO_REPEAT;
    xcb_xkb_per_client_flags_reply_t* flags = xcb_xkb_per_client_flags_reply(
        connection, xcb_xkb_per_client_flags(connection, XCB_XKB_ID_USE_CORE_KBD, flag, flag, 0, 0, 0), nullptr);
    detectable = flags != nullptr && (flags->value & flag) != 0;
    std::free(flags);
  }
  if (!detectable) qWarning("The X server keeps sending key repeats as releases: a held key may act more than once.");
  return detectable;
#else
  return true;
#endif
}

}  // namespace runtime
