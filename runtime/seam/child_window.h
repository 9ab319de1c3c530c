// SPDX-License-Identifier: MIT
#pragma once

#include <string_view>

#include "runtime/seam/geometry.h"

namespace runtime {

// What every control's window on a form offers the core, whatever its kind:
// its place, whether it shows, takes input and the keyboard, and what it
// tells the user and assistive technology. Its front-end deletes the native
// window with this object.
class ChildWindow {
 public:
  virtual ~ChildWindow() = default;

  [[nodiscard]] virtual WindowHandle Handle() const = 0;
  // In logical pixels within the form's client area.
  virtual void SetGeometry(const Rect& place) = 0;
  virtual void SetVisible(bool visible) = 0;
  // Shown on screen now: set visible and its form shown.
  [[nodiscard]] virtual bool IsOnScreen() const = 0;
  // Set visible, whether or not its form is shown yet.
  [[nodiscard]] virtual bool IsSetVisible() const = 0;
  virtual void SetEnabled(bool enabled) = 0;
  [[nodiscard]] virtual bool IsEnabled() const = 0;
  // The tooltip, and the name assistive technology knows it by.
  virtual void SetToolTip(std::u16string_view tip, std::u16string_view accessibleName) = 0;
  // Whether Tab stops at it; a window that Tab passes over can still take
  // the keyboard when clicked, if its kind takes it from a click at all.
  virtual void SetTabStop(bool stops) = 0;
  // Gives it the keyboard as Tab would.
  virtual void Focus() = 0;

 protected:
  ChildWindow() = default;
  ChildWindow(const ChildWindow&) = delete;
  ChildWindow& operator=(const ChildWindow&) = delete;
};

}  // namespace runtime
