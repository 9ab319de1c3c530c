// SPDX-License-Identifier: MIT
#pragma once

#include <cstdint>

#include "runtime/seam/child_window.h"
#include "runtime/seam/gdi_types.h"
#include "runtime/seam/input.h"
#include "runtime/values/pixels.h"

namespace runtime {

// What a control surface's window tells the core: the window system's
// input as it comes, in the handlers' codes. The rules that make events of
// it (a click is a release over the control of a button that went down on
// it, a held key comes up once) are the core's, so both systems keep them
// alike. Each call comes from the event loop, outside any system code.
class SurfaceEvents {
 public:
  // A button went down; `second` when it is the second press of a double
  // click, as the window system judges it.
  virtual void Pressed(const MouseInput& press, bool second) = 0;
  virtual void Released(const MouseInput& release) = 0;
  // The pointer moved over the window, or held by it while a button is down.
  virtual void Moved(const MouseInput& move) = 0;
  // A key went down, or repeats while held.
  virtual void KeyDown(std::int16_t keyCode, std::int16_t shift, bool repeat) = 0;
  virtual void KeyUp(std::int16_t keyCode, std::int16_t shift, bool repeat) = 0;
  // A character the keyboard typed (after its KeyDown).
  virtual void Typed(char16_t character) = 0;
  virtual void FocusIn() = 0;
  // The keyboard went elsewhere: to another window of the program when
  // `moved`, else to a popup menu or another program, from where it comes
  // back.
  virtual void FocusOut(bool moved) = 0;
  // The device context whose bitmap the window shows, with everything the
  // control drew brought into it.
  virtual gdi::HDC PrepareToShow() = 0;

 protected:
  ~SurfaceEvents() = default;
};

// The window of a control the system draws itself.
class SurfaceWindow : public ChildWindow {
 public:
  // What the device context shows changed: paint it again soon.
  virtual void Repaint() = 0;
  // Whether the window's own pixels cover it whole, or what lies beneath
  // shows where they do not.
  virtual void SetOpaque(bool opaque) = 0;
  // Only the pixels of `mask` that are not `seeThrough` show and take the
  // mouse; an empty mask shows the whole window.
  virtual void SetMask(const Pixels& mask, Rgb seeThrough) = 0;
  virtual void ClearMask() = 0;
};

}  // namespace runtime
