// SPDX-License-Identifier: MIT
#pragma once

namespace qt_frontend {

// True under a Wayland compositor. There the compositor alone places and
// moves windows, and a program hears of the pointer only while it is over
// one of its own windows.
bool OnWayland();

// True on an X server.
bool OnX11();

}  // namespace qt_frontend
