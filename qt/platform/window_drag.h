// SPDX-License-Identifier: MIT
#pragma once

#include <QObject>
#include <QPoint>
#include <QPointer>

class QWidget;
class QWindow;

namespace qt_frontend {

// Moves a top-level window with the pointer until the mouse button that
// started the drag comes up. Any button may start it. On X11 and Windows the
// runtime moves the window itself: the system move needs a window manager
// and always claims the left button. Wayland lets no client move its own
// window, so there the compositor is asked to.
class WindowDrag : public QObject {
  Q_OBJECT

 public:
  // `pressGlobal` is where the button went down, in screen coordinates.
  static void Start(QWidget* window, QPointF pressGlobal, Qt::MouseButton button);

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  WindowDrag(QWidget* window, QPoint grabOffset, Qt::MouseButton button);
  void Finish();

  QPointer<QWidget> mWindow;
  QPoint mGrabOffset;  // the pointer's place within the window, held fixed
  Qt::MouseButton mButton;
};

// A compositor that moves a window keeps the pointer until the button comes
// up and never reports that release to the program, so Qt would go on
// sending the pointer's moves to whatever was pressed (the background),
// and no control would see the pointer again until the next click. This
// ends that press for Qt, at the point where it began.
void EndPressTakenByCompositor(QWindow* window, QPointF pressGlobal, Qt::MouseButton button);

}  // namespace qt_frontend
