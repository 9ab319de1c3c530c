// SPDX-License-Identifier: MIT
#include "qt/platform/key_repeat.h"

#include <QGuiApplication>
#include <QTimer>
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

#include <chrono>
#include <cstdint>
#include <cstdlib>
#endif

namespace qt_frontend {

void UseDetectableKeyRepeat() {
#if defined(ZORVANE_X_KEY_REPEAT)
  auto* x11 = qGuiApp != nullptr ? qGuiApp->nativeInterface<QNativeInterface::QX11Application>() : nullptr;
  if (x11 == nullptr || x11->connection() == nullptr) return;  // not on X
  xcb_connection_t* connection = x11->connection();
  // Qt has asked for the extension on this connection already, and knows
  // whether the server has it; neither costs a round trip here.
  const xcb_query_extension_reply_t* xkb = xcb_get_extension_data(connection, &xcb_xkb_id);
  if (xkb == nullptr || xkb->present == 0) {
    qWarning("The X server has no keyboard extension: a held key may act more than once.");
    return;
  }
  // The request goes out now, ahead of any key the server reports later;
  // its answer only decides whether to warn, so it is read once it has long
  // arrived rather than waited for before the window can show.
  constexpr std::uint32_t flag = XCB_XKB_PER_CLIENT_FLAG_DETECTABLE_AUTO_REPEAT;
  const xcb_xkb_per_client_flags_cookie_t asked =
      xcb_xkb_per_client_flags(connection, XCB_XKB_ID_USE_CORE_KBD, flag, flag, 0, 0, 0);
  xcb_flush(connection);
  QTimer::singleShot(std::chrono::seconds(1), qGuiApp, [connection, asked] {
    xcb_xkb_per_client_flags_reply_t* flags = xcb_xkb_per_client_flags_reply(connection, asked, nullptr);
    const bool detectable = flags != nullptr && (flags->value & flag) != 0;
    std::free(flags);
    if (!detectable) qWarning("The X server keeps sending key repeats as releases: a held key may act more than once.");
  });
#endif
}

}  // namespace qt_frontend
