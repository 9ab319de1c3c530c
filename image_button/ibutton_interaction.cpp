// SPDX-License-Identifier: MIT
// Pointer, keyboard and focus: the state machine that decides what is on
// screen, and the events raised to the container. Every event is raised
// before the control acts, and the control then acts on the arguments as
// the container's handler left them.
#include "image_button/ibutton.h"

namespace image_button {

using runtime::Boolean;
using runtime::kFalse;
using runtime::kTrue;

namespace {

constexpr std::int16_t kLeftButton = 1;
constexpr std::int16_t kEnter = 13;
constexpr std::int16_t kSpace = 32;

}  // namespace

void iButton::UserControl_MouseDown(std::int16_t& Button, std::int16_t& Shift, float& X, float& Y) {
  MouseDown.Raise(Button, Shift, X, Y);
  mLastButton = Button;
  if (Button == kLeftButton) {
    cMouseAction(Pressed, kFalse);
    mLeftDown = kTrue;
  }
}

void iButton::UserControl_MouseMove(std::int16_t& Button, std::int16_t& Shift, float& X, float& Y) {
  MouseMove.Raise(Button, Shift, X, Y);
  if (IsMouseOver() != kFalse && mMouseInside == kFalse) {
    cMouseAction(Hover, kFalse);
    mMouseInside = kTrue;
    Timer1.SetEnabled(true);
    MouseOver.Raise();
  }
}

void iButton::UserControl_MouseUp(std::int16_t& Button, std::int16_t& Shift, float& X, float& Y) {
  MouseUp.Raise(Button, Shift, X, Y);
  if (Button == kLeftButton) {
    if (IsMouseOver() != kFalse) {
      if (mStyle == ToggleButton) mValue = runtime::Not(mValue);
      cMouseAction(Hover, kTrue);
    } else {
      cMouseAction(Normal, kTrue);
    }
    mLeftDown = kFalse;
  }
}

void iButton::UserControl_Click() {
  if (mLastButton == kLeftButton) {
    Refresh();
    Click.Raise();
  }
}

void iButton::UserControl_DblClick() {
  if (mLastButton == kLeftButton) cMouseAction(Pressed, kFalse);
  DBClick.Raise();
}

void iButton::UserControl_KeyDown(std::int16_t& KeyCode, std::int16_t& Shift) {
  KeyDown.Raise(KeyCode, Shift);
  if (KeyCode == kEnter) {
    ClickFromKeyboard();
  } else if (KeyCode == kSpace) {
    cMouseAction(Pressed, kTrue);
    if (mMouseInside == kFalse) DrawFocusFrame();
  }
}

void iButton::UserControl_KeyUp(std::int16_t& KeyCode, std::int16_t& Shift) {
  KeyUP.Raise(KeyCode, Shift);
  if (KeyCode == kSpace) ClickFromKeyboard();
}

void iButton::ClickFromKeyboard() {
  if (mStyle == ToggleButton) mValue = runtime::Not(mValue);
  Refresh();
  if (mMouseInside == kFalse) DrawFocusFrame();
  Click.Raise();
}

void iButton::UserControl_KeyPress(std::int16_t& KeyAscii) { KeyPress.Raise(KeyAscii); }

void iButton::UserControl_EnterFocus() {
  Refresh();
  if (mLeftDown == kFalse) DrawFocusFrame();
}

void iButton::UserControl_ExitFocus() { Refresh(); }

void iButton::Timer1_Timer() {
  const Boolean over = IsMouseOver();
  if (over != kFalse) {
    if (mLeftDown != kFalse) cMouseAction(Pressed, kFalse);
  } else if (mLeftDown != kFalse) {
    cMouseAction(Normal, kFalse);
  } else {
    Timer1.SetEnabled(false);
    mMouseInside = kFalse;
    MouseOut.Raise();
    cMouseAction(Normal, kFalse);
  }
}

}  // namespace image_button
