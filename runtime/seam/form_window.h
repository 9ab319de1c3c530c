// SPDX-License-Identifier: MIT
#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "runtime/seam/geometry.h"
#include "runtime/seam/input.h"
#include "runtime/values/pixels.h"

namespace runtime {

class ChildWindow;

// What a form's window tells the core. Each call comes from the front-end's
// event loop, outside any of the system's code.
class FormWindowEvents {
 public:
  // A button went down on the form's own background, not on a control.
  virtual void BackgroundPressed(const MouseInput& press) = 0;
  // The user or the desktop asks to close the window.
  virtual void CloseRequested() = 0;
  // The window was minimised, restored, hidden or shown again: whether it
  // is out of sight may have changed. Called once the window system has
  // settled what it shows, never inside a call of the core's.
  virtual void SightChanged() = 0;

 protected:
  ~FormWindowEvents() = default;
};

// The top-level window of a form. The core decides everything the user sees
// of it; the front-end carries it out.
class FormWindow {
 public:
  enum class State { kNormal, kMinimized, kMaximized };

  virtual ~FormWindow() = default;

  [[nodiscard]] virtual WindowHandle Handle() const = 0;
  // The form's name, for the window system's and assistive technology's
  // records (a Qt object name, a window class's instance).
  virtual void SetName(std::string_view name) = 0;
  virtual void SetCaption(std::u16string_view caption) = 0;
  [[nodiscard]] virtual std::u16string Caption() const = 0;
  // Every size the icon file holds, so the window system can pick the ones
  // it needs; set before the window is first shown.
  virtual void SetIcon(const std::vector<PixelsRef>& sizes) = 0;
  // The picture painted as the window's background, from its top-left.
  virtual void SetPicture(PixelsRef picture) = 0;
  // No frame and title bar of the window system's.
  virtual void SetFrameless() = 0;
  // The client area's size; `fixed` keeps the user from resizing it.
  virtual void SetClientSize(int width, int height, bool fixed) = 0;
  // Centres the window in the screen's work area.
  virtual void CentreOnScreen() = 0;
  // The program's own icon (in a taskbar, in switchers) is this window's.
  virtual void UseIconForProgram() = 0;
  // The keyboard's path through the controls: Tab from each to the next.
  virtual void SetTabOrder(const std::vector<ChildWindow*>& order) = 0;
  // Shows the window, raises it and makes it the active one once it is on
  // screen.
  virtual void Show() = 0;
  virtual void Hide() = 0;
  [[nodiscard]] virtual State WindowState() const = 0;
  virtual void SetWindowState(State state) = 0;
  // Minimised, with nothing of it on screen.
  [[nodiscard]] virtual bool OutOfSight() const = 0;
  [[nodiscard]] virtual Point ClientToScreen(Point client) const = 0;

 protected:
  FormWindow() = default;
  FormWindow(const FormWindow&) = delete;
  FormWindow& operator=(const FormWindow&) = delete;
};

}  // namespace runtime
