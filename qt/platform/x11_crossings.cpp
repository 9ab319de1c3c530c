// SPDX-License-Identifier: MIT
#include "qt/platform/x11_crossings.h"

#if defined(ZORVANE_HAVE_XCB)
#include <xcb/xcb.h>
#endif

namespace qt_frontend {

std::optional<X11Crossing> ReadX11Crossing(const void* event) {
#if defined(ZORVANE_HAVE_XCB)
  if (event == nullptr) return std::nullopt;
  const auto* generic = static_cast<const xcb_generic_event_t*>(event);
  // The top bit marks an event that came through SendEvent.
  if ((generic->response_type & 0x80) != 0) return std::nullopt;
  const std::uint8_t type = generic->response_type & 0x7F;
  if (type != XCB_ENTER_NOTIFY && type != XCB_LEAVE_NOTIFY) return std::nullopt;
  // Both events share one layout.
  const auto* crossing = static_cast<const xcb_enter_notify_event_t*>(event);
  X11Crossing read;
  read.kind = type == XCB_ENTER_NOTIFY ? X11Crossing::Kind::kEnter : X11Crossing::Kind::kLeave;
  read.window = crossing->event;
  read.intoInferior = type == XCB_LEAVE_NOTIFY && crossing->detail == XCB_NOTIFY_DETAIL_INFERIOR;
  read.time = crossing->time;
  return read;
#else
  (void)event;
  return std::nullopt;
#endif
}

}  // namespace qt_frontend
