// SPDX-License-Identifier: MIT
#pragma once

#include <windows.h>

#include <string>
#include <utility>
#include <vector>

#include "runtime/seam/form_window.h"

namespace win32_frontend {

class ChildOfForm;
class Win32WindowSystem;

// The window of a form on Win32: a top-level window painted from the form's
// picture, whose procedure hands each message to a named function. It
// reports presses on its background, the user's wish to close it and what
// is seen of it; it carries out the move the system asks for (the system's
// own move for the left button, one of its own for the others, which the
// system's does not follow); it walks the keyboard through its controls
// with Tab; and it scales itself and its controls to the monitor's whole
// number of pixels per logical pixel.
class Win32Form : public runtime::FormWindow {
 public:
  Win32Form(Win32WindowSystem& system, runtime::FormWindowEvents& events);
  ~Win32Form() override;

  [[nodiscard]] runtime::WindowHandle Handle() const override;
  void SetName(std::string_view name) override { mName = name; }
  void SetCaption(std::u16string_view caption) override;
  [[nodiscard]] std::u16string Caption() const override;
  void SetIcon(const std::vector<runtime::PixelsRef>& sizes) override;
  void SetPicture(runtime::PixelsRef picture) override;
  void SetFrameless() override;
  void SetClientSize(int width, int height, bool fixed) override;
  void CentreOnScreen() override;
  void UseIconForProgram() override;
  void SetTabOrder(const std::vector<runtime::ChildWindow*>& order) override { mTabOrder = order; }
  void Show() override;
  void Hide() override { ShowWindow(mHwnd, SW_HIDE); }
  [[nodiscard]] State WindowState() const override;
  void SetWindowState(State state) override;
  [[nodiscard]] bool OutOfSight() const override { return IsIconic(mHwnd) != FALSE; }
  [[nodiscard]] runtime::Point ClientToScreen(runtime::Point client) const override;

  [[nodiscard]] HWND Hwnd() const { return mHwnd; }
  [[nodiscard]] int Scale() const { return mScale; }
  [[nodiscard]] const std::string& Name() const { return mName; }
  [[nodiscard]] Win32WindowSystem& System() const { return mSystem; }
  void ChildMade(ChildOfForm& child);
  void ChildGone(ChildOfForm& child);
  // The tooltip of a control, and the name assistive technology knows a
  // control by where its window's text is not its name. Both are given
  // once the window has shown its first frame: the user sees neither before,
  // and their machinery (the tooltip's window, a COM service) would only
  // hold the first frame up.
  void SetToolTip(HWND child, std::u16string_view tip);
  void SetAccessibleName(HWND child, std::u16string_view name);
  // Tab from `from` (a control of this form) to the next tab stop; false
  // when `from` is none of its controls.
  bool TabFrom(HWND from, bool backwards);

  static constexpr const wchar_t* kClassName = L"ZorvaneForm";
  static LRESULT CALLBACK WndProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);

 private:
  LRESULT Handle(UINT message, WPARAM wParam, LPARAM lParam);
  void Paint();
  void ButtonDown(std::int16_t button, WPARAM wParam, LPARAM lParam);
  LRESULT SystemCommand(WPARAM wParam, LPARAM lParam);
  void FollowPointer();
  void EndDrag();
  void Resized(WPARAM kind);
  void Activated(WPARAM state);
  void ScaleChanged(UINT dpi, const RECT* suggested);
  void AddToolTip(HWND child, const std::u16string& tip);
  void FirstFrameShown();
  void ApplySize();
  ChildOfForm* ChildOf(HWND window) const;

  Win32WindowSystem& mSystem;
  runtime::FormWindowEvents& mEvents;
  HWND mHwnd = nullptr;
  HWND mToolTips = nullptr;
  std::string mName;
  int mScale = 1;
  int mWidth = 0;  // the client area in logical pixels
  int mHeight = 0;
  bool mFixed = false;
  runtime::PixelsRef mPicture;
  HBITMAP mPictureBitmap = nullptr;
  std::vector<HICON> mIcons;
  std::vector<ChildOfForm*> mChildren;
  std::vector<runtime::ChildWindow*> mTabOrder;
  HWND mLastFocus = nullptr;  // the control that had the keyboard when the window was last left
  bool mFirstFrameShown = false;
  // What waits for the first frame, by control.
  std::vector<std::pair<HWND, std::u16string>> mWaitingTips;
  std::vector<std::pair<HWND, std::u16string>> mWaitingNames;
  std::int16_t mPressButton = 0;  // the button that went down on the background, until it comes up
  std::int16_t mDragButton = 0;   // the button the window follows the pointer with
  POINT mDragOffset{};
};

}  // namespace win32_frontend
