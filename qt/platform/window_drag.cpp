// SPDX-License-Identifier: MIT
#include "qt/platform/window_drag.h"

#include <QCoreApplication>
#include <QGuiApplication>
#include <QMouseEvent>
#include <QWidget>
#include <QWindow>

#include "qt/platform/platform.h"

namespace qt_frontend {

void WindowDrag::Start(QWidget* window, QPointF pressGlobal, Qt::MouseButton button) {
  if (window == nullptr || button == Qt::NoButton) return;
  window = window->window();
  if (OnWayland()) {
    QWindow* handle = window->windowHandle();
    if (handle != nullptr && handle->startSystemMove()) EndPressTakenByCompositor(handle, pressGlobal, button);
    return;
  }
  if (window->findChild<WindowDrag*>(QString(), Qt::FindDirectChildrenOnly) != nullptr) return;
  new WindowDrag(window, pressGlobal.toPoint() - window->pos(), button);
}

void EndPressTakenByCompositor(QWindow* window, QPointF pressGlobal, Qt::MouseButton button) {
  // Once the press that started it has been handled, so that Qt sees the
  // press end as the platform would have shown it.
  QMetaObject::invokeMethod(
      window,
      [window, pressGlobal, button] {
        const QPointF local = window->mapFromGlobal(pressGlobal);
        QMouseEvent release(QEvent::MouseButtonRelease, local, local, pressGlobal, button,
                            Qt::NoButton, QGuiApplication::keyboardModifiers());
        QCoreApplication::sendEvent(window, &release);
      },
      Qt::QueuedConnection);
}

WindowDrag::WindowDrag(QWidget* window, QPoint grabOffset, Qt::MouseButton button)
    : QObject(window), mWindow(window), mGrabOffset(grabOffset), mButton(button) {
  QCoreApplication::instance()->installEventFilter(this);
}

void WindowDrag::Finish() {
  QCoreApplication::instance()->removeEventFilter(this);
  deleteLater();
}

bool WindowDrag::eventFilter(QObject* watched, QEvent* event) {
  if (!watched->isWidgetType()) return false;
  switch (event->type()) {
    case QEvent::MouseMove: {
      const auto* move = static_cast<QMouseEvent*>(event);
      // A release we never saw (the grab was broken) must not leave the
      // window glued to the pointer.
      if (!mWindow || !move->buttons().testFlag(mButton)) {
        Finish();
        return false;
      }
      mWindow->move(move->globalPosition().toPoint() - mGrabOffset);
      return false;
    }
    case QEvent::MouseButtonRelease:
      if (static_cast<QMouseEvent*>(event)->button() == mButton) Finish();
      return false;
    default:
      return false;
  }
}

}  // namespace qt_frontend
