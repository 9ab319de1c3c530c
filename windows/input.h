// SPDX-License-Identifier: MIT
#pragma once

#include <windows.h>

#include <cstdint>

#include "runtime/seam/input.h"

// What Win32's input messages become for the core: the handlers' button and
// modifier codes (runtime/seam/input.h), and places in logical pixels.
namespace win32_frontend {

// Messages a form passes on to its fields: a WM_COMMAND notice (wParam as
// it came), and WM_CTLCOLOR* asking for the field's colours (wParam the DC).
inline constexpr UINT kFieldCommand = WM_APP + 10;
inline constexpr UINT kFieldColours = WM_APP + 11;

// The button a button message is about: 1 left, 2 right, 4 middle.
std::int16_t ButtonOf(UINT message);

// Every button a mouse message's wParam says is down, added together.
std::int16_t ButtonsHeld(WPARAM wParam);

// Shift 1, Ctrl 2, Alt 4, as the keyboard is now.
std::int16_t ShiftNow();

// The virtual key of a button code, to ask whether it is still down.
int VirtualKeyOf(std::int16_t button);

// A mouse message's place, from physical pixels of the client area to the
// logical ones the core deals in.
runtime::MouseInput MouseInputOf(std::int16_t buttons, WPARAM wParam, LPARAM lParam, int scale);

}  // namespace win32_frontend
