// SPDX-License-Identifier: MIT
#include "windows/input.h"

#include <windowsx.h>

namespace win32_frontend {

std::int16_t ButtonOf(UINT message) {
  switch (message) {
    case WM_LBUTTONDOWN:
    case WM_LBUTTONUP:
    case WM_LBUTTONDBLCLK: return runtime::kLeftButton;
    case WM_RBUTTONDOWN:
    case WM_RBUTTONUP:
    case WM_RBUTTONDBLCLK: return runtime::kRightButton;
    case WM_MBUTTONDOWN:
    case WM_MBUTTONUP:
    case WM_MBUTTONDBLCLK: return runtime::kMiddleButton;
    default: return 0;
  }
}

std::int16_t ButtonsHeld(WPARAM wParam) {
  std::int16_t held = 0;
  if ((wParam & MK_LBUTTON) != 0) held |= runtime::kLeftButton;
  if ((wParam & MK_RBUTTON) != 0) held |= runtime::kRightButton;
  if ((wParam & MK_MBUTTON) != 0) held |= runtime::kMiddleButton;
  return held;
}

std::int16_t ShiftNow() {
  std::int16_t shift = 0;
  if (GetKeyState(VK_SHIFT) < 0) shift |= runtime::kShiftMask;
  if (GetKeyState(VK_CONTROL) < 0) shift |= runtime::kCtrlMask;
  if (GetKeyState(VK_MENU) < 0) shift |= runtime::kAltMask;
  return shift;
}

int VirtualKeyOf(std::int16_t button) {
  switch (button) {
    case runtime::kRightButton: return VK_RBUTTON;
    case runtime::kMiddleButton: return VK_MBUTTON;
    default: return VK_LBUTTON;
  }
}

runtime::MouseInput MouseInputOf(std::int16_t buttons, WPARAM /*wParam*/, LPARAM lParam, int scale) {
  return {buttons, ShiftNow(), static_cast<double>(GET_X_LPARAM(lParam)) / scale,
          static_cast<double>(GET_Y_LPARAM(lParam)) / scale};
}

}  // namespace win32_frontend
