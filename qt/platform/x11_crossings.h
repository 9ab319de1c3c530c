// SPDX-License-Identifier: MIT
#pragma once

#include <cstdint>
#include <optional>

namespace qt_frontend {

// The pointer going into or out of a window, as the X server reports it to
// the program (EnterNotify and LeaveNotify). These are the server's own word
// on which window holds the pointer: they come when the pointer moves, when
// another window is mapped over it, and when any program takes or gives up
// the pointer (a grab).
struct X11Crossing {
  enum class Kind { kEnter, kLeave };
  Kind kind = Kind::kEnter;
  std::uint32_t window = 0;    // the window entered or left
  bool intoInferior = false;   // a leave into a window inside it: still within it
  std::uint32_t time = 0;      // the server's time, in milliseconds
};

// The crossing carried by an event read from the X connection (an
// xcb_generic_event_t), or nothing for any other event. Events another
// program sent (SendEvent) are not the server's word and give nothing.
std::optional<X11Crossing> ReadX11Crossing(const void* event);

}  // namespace qt_frontend
