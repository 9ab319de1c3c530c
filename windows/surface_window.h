// SPDX-License-Identifier: MIT
#pragma once

#include <windows.h>

#include "runtime/seam/surface_window.h"
#include "windows/child_window.h"

namespace win32_frontend {

// The window of a user control on Win32: shows the bitmap of the control's
// device context, scaled pixel for pixel, and hands the window's input to
// the control as it comes. The mouse stays with it from a press until the
// last button comes up, as on every system; a click does not take the
// keyboard (only Tab gives it), so the user's typing stays where it was.
class Win32Surface : public Win32Child<runtime::SurfaceWindow> {
 public:
  Win32Surface(Win32Form& form, runtime::SurfaceEvents& events);

  void Repaint() override { InvalidateRect(mHwnd, nullptr, FALSE); }
  void SetOpaque(bool opaque) override { mOpaque = opaque; }
  void SetMask(const runtime::Pixels& mask, runtime::Rgb seeThrough) override;
  void ClearMask() override;
  void Rescale() override;

  static constexpr const wchar_t* kClassName = L"ZorvaneSurface";
  static LRESULT CALLBACK WndProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);

 protected:
  // The window's text is its name to assistive technology.
  void Name(std::u16string_view accessibleName) override;

 private:
  LRESULT Handle(UINT message, WPARAM wParam, LPARAM lParam);
  void Paint();
  void ApplyMask();

  runtime::SurfaceEvents& mEvents;
  bool mOpaque = true;
  runtime::Pixels mMask;
  runtime::Rgb mSeeThrough = 0;
};

}  // namespace win32_frontend
