// SPDX-License-Identifier: MIT
#pragma once

#include <QWidget>

namespace runtime {

class UserControl;

// The window of a user control: shows the control's persistent image and
// turns Qt's input events into the control's handlers. A double click comes
// as mouse-down, double-click, mouse-up, click, so two quick presses are two
// full clicks; a key held down repeats its key-down only; Click follows a
// release over the control of a button that went down on it.
class SurfaceWidget : public QWidget {
  Q_OBJECT

 public:
  SurfaceWidget(QWidget* form, UserControl& owner);

  // The control is going; no more events reach it.
  void Detach() { mOwner = nullptr; }

  // A left click in the middle of the control, as assistive technology's
  // "press" asks for it.
  void Press();

 protected:
  void paintEvent(QPaintEvent* event) override;
  void mousePressEvent(QMouseEvent* event) override;
  void mouseDoubleClickEvent(QMouseEvent* event) override;
  void mouseReleaseEvent(QMouseEvent* event) override;
  void mouseMoveEvent(QMouseEvent* event) override;
  void keyPressEvent(QKeyEvent* event) override;
  void keyReleaseEvent(QKeyEvent* event) override;
  void focusInEvent(QFocusEvent* event) override;
  void focusOutEvent(QFocusEvent* event) override;

 private:
  void PressAt(QMouseEvent& event);

  UserControl* mOwner;
  Qt::MouseButtons mPressed;
  // The control has heard EnterFocus and not yet ExitFocus.
  bool mHoldsFocus = false;
};

}  // namespace runtime
