// SPDX-License-Identifier: MIT
#pragma once

#include <cstdint>

#include "runtime/seam/gdi_types.h"

// The few window-system calls the system makes, with their usual names and
// 32-bit arguments. They go to the window system the program runs on: the
// real calls on Windows, their equivalents elsewhere.
namespace runtime::win32 {

struct POINTAPI {
  std::int32_t x;
  std::int32_t y;
};

using RECT = gdi::RECT;

inline constexpr std::uint32_t WM_SYSCOMMAND = 0x0112;
inline constexpr std::int32_t SC_MOVE = 0xF010;
// A move command's low bits say where the move starts; HTCAPTION, a press on
// the title bar, makes the window follow the pointer at once.
inline constexpr std::int32_t HTCAPTION = 2;

// Releases the program's hold on the pointer. The press that started a drag
// keeps the pointer for its window, so a drag that follows still sees the
// pointer move.
std::int32_t ReleaseCapture();

// Only the system command to move a window is understood: the window then
// follows the pointer until the button that is down on it is released.
std::int32_t SendMessageA(std::int32_t hWnd, std::uint32_t message, std::int32_t wParam, std::int32_t lParam);

// The pointer's position on the screen, in logical pixels.
std::int32_t GetCursorPos(POINTAPI* point);

// The handle of the window under a point of the screen, or 0. Hidden and
// disabled windows are passed over: a disabled control gives the window it
// sits in.
std::int32_t WindowFromPoint(POINTAPI point);

// Inverts a dotted outline just inside the rectangle on the device context's
// bitmap; drawing it again on the same rectangle removes it.
std::int32_t DrawFocusRect(std::int32_t hdc, const RECT* rect);

}  // namespace runtime::win32
