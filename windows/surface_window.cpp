// SPDX-License-Identifier: MIT
#include "windows/surface_window.h"

#include <string>

#include "runtime/seam/gdi_device.h"
#include "windows/input.h"
#include "windows/window_system.h"

namespace win32_frontend {

Win32Surface::Win32Surface(Win32Form& form, runtime::SurfaceEvents& events) : Win32Child(form), mEvents(events) {
  Attach(CreateWindowExW(0, kClassName, L"", WS_CHILD | WS_VISIBLE | WS_CLIPSIBLINGS, 0, 0, 0, 0, form.Hwnd(),
                         nullptr, form.System().Instance(), this));
}

void Win32Surface::Name(std::u16string_view accessibleName) {
  SetWindowTextW(mHwnd, Wide(std::u16string(accessibleName).c_str()));
}

void Win32Surface::SetMask(const runtime::Pixels& mask, runtime::Rgb seeThrough) {
  // Each picture a transparent key draws brings its mask again, mostly the
  // same: the region is made anew only when it differs.
  if (mask.IsNull()) {
    ClearMask();
    return;
  }
  if (mask == mMask && (seeThrough | runtime::kOpaque) == mSeeThrough) return;
  mMask = mask;
  mSeeThrough = seeThrough | runtime::kOpaque;
  ApplyMask();
}

void Win32Surface::ClearMask() {
  if (mMask.IsNull()) return;  // no region to take away
  mMask = runtime::Pixels();
  SetWindowRgn(mHwnd, nullptr, TRUE);
}

void Win32Surface::Rescale() {
  Win32Child::Rescale();
  ApplyMask();
}

void Win32Surface::ApplyMask() {
  if (mMask.IsNull()) return;
  // The pixels that show, row by row in runs, at the form's scale.
  const int scale = mForm.Scale();
  HRGN shown = CreateRectRgn(0, 0, 0, 0);
  for (int y = 0; y < mMask.Height(); ++y) {
    int x = 0;
    while (x < mMask.Width()) {
      while (x < mMask.Width() && (mMask.At(x, y) | runtime::kOpaque) == mSeeThrough) ++x;
      const int start = x;
      while (x < mMask.Width() && (mMask.At(x, y) | runtime::kOpaque) != mSeeThrough) ++x;
      if (x > start) {
        HRGN run = CreateRectRgn(start * scale, y * scale, x * scale, (y + 1) * scale);
        CombineRgn(shown, shown, run, RGN_OR);
        DeleteObject(run);
      }
    }
  }
  // The window owns the region from here on.
  SetWindowRgn(mHwnd, shown, TRUE);
}

LRESULT CALLBACK Win32Surface::WndProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  if (message == WM_NCCREATE) {
    SetWindowLongPtrW(window, GWLP_USERDATA,
                      reinterpret_cast<LONG_PTR>(reinterpret_cast<CREATESTRUCTW*>(lParam)->lpCreateParams));
  }
  auto* surface = reinterpret_cast<Win32Surface*>(GetWindowLongPtrW(window, GWLP_USERDATA));
  // Nothing reaches the control while its window is being made or unmade.
  if (surface == nullptr || surface->mHwnd != window) return DefWindowProcW(window, message, wParam, lParam);
  return surface->Handle(message, wParam, lParam);
}

LRESULT Win32Surface::Handle(UINT message, WPARAM wParam, LPARAM lParam) {
  const int scale = mForm.Scale();
  mForm.System().Pointer().Heard(mHwnd, message, wParam, lParam);
  switch (message) {
    case WM_PAINT: Paint(); return 0;
    case WM_ERASEBKGND: return mOpaque ? 1 : DefWindowProcW(mHwnd, message, wParam, lParam);
    case WM_LBUTTONDOWN:
    case WM_RBUTTONDOWN:
    case WM_MBUTTONDOWN:
    case WM_LBUTTONDBLCLK:
    case WM_RBUTTONDBLCLK:
    case WM_MBUTTONDBLCLK: {
      SetCapture(mHwnd);
      const bool second =
          message == WM_LBUTTONDBLCLK || message == WM_RBUTTONDBLCLK || message == WM_MBUTTONDBLCLK;
      mEvents.Pressed(MouseInputOf(ButtonOf(message), wParam, lParam, scale), second);
      return 0;
    }
    case WM_LBUTTONUP:
    case WM_RBUTTONUP:
    case WM_MBUTTONUP:
      if (ButtonsHeld(wParam) == 0 && GetCapture() == mHwnd) ReleaseCapture();
      mEvents.Released(MouseInputOf(ButtonOf(message), wParam, lParam, scale));
      return 0;
    case WM_MOUSEMOVE: mEvents.Moved(MouseInputOf(ButtonsHeld(wParam), wParam, lParam, scale)); return 0;
    case WM_KEYDOWN:
    case WM_SYSKEYDOWN:
      // Bit 30: the key was down already, so this is a repeat.
      mEvents.KeyDown(static_cast<std::int16_t>(wParam), ShiftNow(), (lParam & (1 << 30)) != 0);
      return message == WM_SYSKEYDOWN ? DefWindowProcW(mHwnd, message, wParam, lParam) : 0;
    case WM_KEYUP:
    case WM_SYSKEYUP:
      mEvents.KeyUp(static_cast<std::int16_t>(wParam), ShiftNow(), false);
      return message == WM_SYSKEYUP ? DefWindowProcW(mHwnd, message, wParam, lParam) : 0;
    case WM_CHAR: mEvents.Typed(static_cast<char16_t>(wParam)); return 0;
    case WM_SETFOCUS: mEvents.FocusIn(); return 0;
    case WM_KILLFOCUS: {
      // The keyboard moved when it went to another window of the same form;
      // to a menu or another program, it comes back.
      const HWND next = reinterpret_cast<HWND>(wParam);
      mEvents.FocusOut(next != nullptr && (next == mForm.Hwnd() || IsChild(mForm.Hwnd(), next)));
      return 0;
    }
    default: break;
  }
  return DefWindowProcW(mHwnd, message, wParam, lParam);
}

void Win32Surface::Paint() {
  PAINTSTRUCT paint{};
  HDC target = BeginPaint(mHwnd, &paint);
  runtime::GdiDevice& device = mForm.System().Gdi();
  const runtime::gdi::HDC shown = mEvents.PrepareToShow();
  const runtime::PixelView pixels = device.BitmapPixels(device.SelectedBitmap(shown));
  if (!pixels.Empty()) {
    const int scale = mForm.Scale();
    SetStretchBltMode(target, COLORONCOLOR);
    StretchBlt(target, 0, 0, pixels.width * scale, pixels.height * scale, ToHandle<HDC>(shown), 0, 0, pixels.width,
               pixels.height, SRCCOPY);
  }
  EndPaint(mHwnd, &paint);
}

}  // namespace win32_frontend
