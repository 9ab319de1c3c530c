// SPDX-License-Identifier: MIT
#include "windows/scale.h"

#include <algorithm>
#include <cmath>

namespace win32_frontend {

int WholeScale(UINT dpi) { return std::max(1, static_cast<int>(std::floor(dpi / 96.0 + 0.5))); }

UINT DpiOf(HWND window) {
  // Asked by name: older systems lack the call, and the program must still
  // start there.
  using GetDpiForWindowFunction = UINT(WINAPI*)(HWND);
  static const auto getDpiForWindow = reinterpret_cast<GetDpiForWindowFunction>(
      reinterpret_cast<void*>(GetProcAddress(GetModuleHandleW(L"user32.dll"), "GetDpiForWindow")));
  if (getDpiForWindow != nullptr && window != nullptr) {
    const UINT dpi = getDpiForWindow(window);
    if (dpi != 0) return dpi;
  }
  HDC screen = GetDC(nullptr);
  const int dpi = screen != nullptr ? GetDeviceCaps(screen, LOGPIXELSX) : 96;
  if (screen != nullptr) ReleaseDC(nullptr, screen);
  return dpi > 0 ? static_cast<UINT>(dpi) : 96;
}

}  // namespace win32_frontend
