// SPDX-License-Identifier: MIT
#pragma once

#include <windows.h>

#include <string>
#include <string_view>

#include "runtime/seam/child_window.h"
#include "windows/form_window.h"
#include "windows/handles.h"

namespace win32_frontend {

// What the form knows of each control's window: its handle, and how to
// place it again when the form's scale changes.
class ChildOfForm {
 public:
  [[nodiscard]] virtual HWND Hwnd() const = 0;
  [[nodiscard]] virtual bool StopsTab() const = 0;
  virtual void Rescale() = 0;

 protected:
  ~ChildOfForm() = default;
};

// What every control's window does on Win32, whatever window class it is:
// the runtime's ChildWindow (or an interface derived from it) over a child
// window of the form, placed at the form's whole-number scale.
template <class Interface>
class Win32Child : public Interface, public ChildOfForm {
 public:
  explicit Win32Child(Win32Form& form) : mForm(form) {}
  ~Win32Child() override {
    mForm.ChildGone(*this);
    if (mHwnd != nullptr) DestroyWindow(mHwnd);
  }

  [[nodiscard]] runtime::WindowHandle Handle() const override { return FromHandle(mHwnd); }
  void SetGeometry(const runtime::Rect& place) override {
    mPlace = place;
    Rescale();
  }
  void SetVisible(bool visible) override { ShowWindow(mHwnd, visible ? SW_SHOWNA : SW_HIDE); }
  [[nodiscard]] bool IsOnScreen() const override { return IsWindowVisible(mHwnd) != FALSE; }
  [[nodiscard]] bool IsSetVisible() const override {
    return (GetWindowLongPtrW(mHwnd, GWL_STYLE) & WS_VISIBLE) != 0;
  }
  void SetEnabled(bool enabled) override { EnableWindow(mHwnd, enabled ? TRUE : FALSE); }
  [[nodiscard]] bool IsEnabled() const override { return IsWindowEnabled(mHwnd) != FALSE; }
  void SetToolTip(std::u16string_view tip, std::u16string_view accessibleName) override {
    mTip = tip;
    mForm.SetToolTip(mHwnd, tip);
    Name(accessibleName);
  }
  void SetTabStop(bool stops) override { mTabStop = stops; }
  void Focus() override { SetFocus(mHwnd); }

  [[nodiscard]] HWND Hwnd() const override { return mHwnd; }
  [[nodiscard]] bool StopsTab() const override { return mTabStop; }
  void Rescale() override {
    const int scale = mForm.Scale();
    MoveWindow(mHwnd, mPlace.x * scale, mPlace.y * scale, mPlace.width * scale, mPlace.height * scale, TRUE);
  }

 protected:
  // The window is made by the kind of control; the form then knows it.
  void Attach(HWND window) {
    mHwnd = window;
    mForm.ChildMade(*this);
  }
  // How assistive technology comes to know the window by this name.
  virtual void Name(std::u16string_view accessibleName) = 0;

  Win32Form& mForm;
  HWND mHwnd = nullptr;
  runtime::Rect mPlace;
  bool mTabStop = true;
  std::u16string mTip;
};

}  // namespace win32_frontend
