// SPDX-License-Identifier: MIT
#include "qt/platform/window_drag.h"

#include <gtest/gtest.h>

#include <QApplication>
#include <QMouseEvent>
#include <QTest>
#include <QWidget>
#include <QWindow>

namespace {

class MoveRecorder : public QWidget {
 public:
  explicit MoveRecorder(QWidget* parent) : QWidget(parent) { setMouseTracking(true); }
  int moves = 0;

 protected:
  void mouseMoveEvent(QMouseEvent* /*event*/) override { ++moves; }
};

void Send(QWindow* window, QEvent::Type type, QPoint local, Qt::MouseButton button,
          Qt::MouseButtons buttons) {
  QMouseEvent event(type, local, local, window->mapToGlobal(local), button, buttons, Qt::NoModifier);
  QCoreApplication::sendEvent(window, &event);
}

// The compositor moved the window for a press on its background and kept
// the release to itself: the control under the pointer must hear of the
// pointer again afterwards.
TEST(WindowDrag, APressTheCompositorTookEndsForQt) {
  QWidget window;
  window.setGeometry(100, 100, 320, 240);
  auto* key = new MoveRecorder(&window);
  key->setGeometry(200, 90, 40, 40);
  window.show();
  ASSERT_TRUE(QTest::qWaitForWindowExposed(&window));
  QWindow* handle = window.windowHandle();

  Send(handle, QEvent::MouseButtonPress, {6, 120}, Qt::RightButton, Qt::RightButton);
  qt_frontend::EndPressTakenByCompositor(handle, handle->mapToGlobal(QPointF(6, 120)), Qt::RightButton);
  QCoreApplication::processEvents();
  Send(handle, QEvent::MouseMove, {220, 110}, Qt::NoButton, Qt::NoButton);
  EXPECT_EQ(key->moves, 1);
}

}  // namespace
