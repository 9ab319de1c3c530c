// SPDX-License-Identifier: MIT
#pragma once

#include <QWidget>

#include "qt/child_widget.h"
#include "runtime/seam/surface_window.h"

namespace qt_frontend {

// The window of a user control on Qt: shows the device context's bitmap and
// hands Qt's input events to the control as they come. Qt's focus reasons
// tell a move of the keyboard from a popup menu's or another window's.
class SurfaceWidget : public ChildWidget<QWidget, runtime::SurfaceWindow> {
  Q_OBJECT

 public:
  SurfaceWidget(QWidget* form, runtime::SurfaceEvents& events);

  void Repaint() override { update(); }
  void SetOpaque(bool opaque) override;
  void SetMask(const runtime::Pixels& mask, runtime::Rgb seeThrough) override;
  void ClearMask() override { clearMask(); }

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
  runtime::SurfaceEvents& mEvents;
};

}  // namespace qt_frontend
