// SPDX-License-Identifier: MIT
#include "windows/pointer_tracker.h"

namespace win32_frontend {
namespace {

constexpr WPARAM kAnyButton = MK_LBUTTON | MK_RBUTTON | MK_MBUTTON | MK_XBUTTON1 | MK_XBUTTON2;

}  // namespace

void PointerTracker::Heard(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  switch (message) {
    case WM_MOUSEMOVE: {
      POINT screen{static_cast<short>(LOWORD(lParam)), static_cast<short>(HIWORD(lParam))};
      ClientToScreen(window, &screen);
      Moved(window, wParam, screen);
      break;
    }
    case WM_LBUTTONDOWN:
    case WM_LBUTTONUP:
    case WM_LBUTTONDBLCLK:
    case WM_RBUTTONDOWN:
    case WM_RBUTTONUP:
    case WM_RBUTTONDBLCLK:
    case WM_MBUTTONDOWN:
    case WM_MBUTTONUP:
    case WM_MBUTTONDBLCLK:
    case WM_XBUTTONDOWN:
    case WM_XBUTTONUP:
    case WM_XBUTTONDBLCLK: ButtonsChanged(GET_KEYSTATE_WPARAM(wParam)); break;
    case WM_MOUSELEAVE: Left(window); break;
    case WM_CAPTURECHANGED:
    case WM_ENABLE:
    case WM_SHOWWINDOW:
    case WM_WINDOWPOSCHANGED:
    case WM_ACTIVATE:
    case WM_ENTERMENULOOP:
    case WM_EXITMENULOOP:
    case WM_DPICHANGED:
    case WM_DESTROY: Forget(); break;
    default: break;
  }
}

void PointerTracker::Moved(HWND window, WPARAM keys, POINT screen) {
  mHeld = (keys & kAnyButton) != 0;
  if (mHeld) {
    // The window holding the mouse hears of it wherever the pointer is.
    mWindow = nullptr;
    return;
  }
  if (window != mWindow) {
    // Told when the pointer leaves this window; with no word to come, the
    // program must go on asking.
    TRACKMOUSEEVENT leave{};
    leave.cbSize = sizeof leave;
    leave.dwFlags = TME_LEAVE;
    leave.hwndTrack = window;
    mWindow = TrackMouseEvent(&leave) ? window : nullptr;
  }
  mPosition = screen;
}

void PointerTracker::ButtonsChanged(WPARAM keys) {
  mHeld = (keys & kAnyButton) != 0;
  mWindow = nullptr;
}

void PointerTracker::Left(HWND window) {
  if (window == mWindow) mWindow = nullptr;
}

std::optional<POINT> PointerTracker::Position() const {
  if (mWindow == nullptr || mHeld) return std::nullopt;
  return mPosition;
}

std::optional<HWND> PointerTracker::WindowAt(POINT point) const {
  if (mWindow == nullptr || mHeld || point.x != mPosition.x || point.y != mPosition.y) return std::nullopt;
  return mWindow;
}

}  // namespace win32_frontend
