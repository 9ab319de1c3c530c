// SPDX-License-Identifier: MIT
#pragma once

#include <windows.h>

namespace win32_frontend {

// The window is drawn at a whole-number scale so that its pictures stay
// sharp, as on Linux: 125 % shows it at its own size, 150 % and 200 % at
// twice, 300 % at three times.
int WholeScale(UINT dpi);

// The DPI of the monitor a window is on (per-monitor aware), else of the
// system; 96 where neither can be asked.
UINT DpiOf(HWND window);

}  // namespace win32_frontend
