// SPDX-License-Identifier: MIT
#include "runtime/forms/form_widget.h"

#include <QAccessibleWidget>
#include <QCloseEvent>
#include <QMouseEvent>
#include <QPaintEvent>
#include <QPainter>
#include <QWindow>

#include "runtime/platform/window_drag.h"

namespace runtime {
namespace {

// To assistive technology a form is a window named by its caption (Qt's
// accessible widget already takes a window's name from its title), so a
// screen reader announces it when it comes to the front.
QAccessibleInterface* FormAccessibleFactory(const QString& className, QObject* object) {
  if (className == QLatin1String("runtime::FormWidget") && object != nullptr && object->isWidgetType()) {
    return new QAccessibleWidget(static_cast<QWidget*>(object), QAccessible::Window);
  }
  return nullptr;
}

}  // namespace

FormWidget::FormWidget() {
  static const bool factoryInstalled = [] {
    QAccessible::installFactory(FormAccessibleFactory);
    return true;
  }();
  (void)factoryInstalled;
  setAttribute(Qt::WA_StyledBackground, false);
}

void FormWidget::SetPicture(QImage picture) {
  mPicture = std::move(picture);
  // A picture that covers the window leaves nothing for Qt to fill first.
  setAttribute(Qt::WA_OpaquePaintEvent, !mPicture.isNull() && mPicture.size() == size());
  update();
}

void FormWidget::BeginDrag() {
  if (mPressButton != Qt::NoButton) WindowDrag::Start(this, mPressGlobal, mPressButton);
}

void FormWidget::paintEvent(QPaintEvent* event) {
  if (mPicture.isNull()) return;
  QPainter painter(this);
  // Piece by piece: what is left to paint lies between the controls, and Qt
  // blends a picture drawn whole through so ragged a clip on worker threads,
  // which at this size costs more than the drawing (the first time, the
  // threads' start delays the window's first frame by a millisecond).
  const QRect picture = mPicture.rect();
  for (const QRect& piece : event->region()) {
    const QRect part = piece & picture;
    if (!part.isEmpty()) painter.drawImage(part.topLeft(), mPicture, part);
  }
}

void FormWidget::mousePressEvent(QMouseEvent* event) {
  mPressGlobal = event->globalPosition();
  mPressButton = event->button();
  event->accept();
  if (onBackgroundPress) onBackgroundPress(*event);
}

void FormWidget::mouseReleaseEvent(QMouseEvent* event) {
  if (event->button() == mPressButton) mPressButton = Qt::NoButton;
  QWidget::mouseReleaseEvent(event);
}

void FormWidget::closeEvent(QCloseEvent* event) {
  event->accept();
  if (onCloseRequest) onCloseRequest();
}

bool FormWidget::OutOfSight() const {
  const QWindow* window = windowHandle();
  return isMinimized() && (window == nullptr || !window->isExposed());
}

void FormWidget::changeEvent(QEvent* event) {
  if (event->type() == QEvent::WindowStateChange) VisibilityMayHaveChanged();
  QWidget::changeEvent(event);
}

void FormWidget::showEvent(QShowEvent* event) {
  // The platform reports what it shows of the window to the window itself.
  if (!mWatchingWindow && windowHandle() != nullptr) {
    windowHandle()->installEventFilter(this);
    mWatchingWindow = true;
  }
  QWidget::showEvent(event);
}

void FormWidget::ActivateOnceShown() {
  const QWindow* window = windowHandle();
  if (window != nullptr && window->isExposed()) {
    activateWindow();
  } else {
    mActivateWhenExposed = true;
  }
}

bool FormWidget::eventFilter(QObject* watched, QEvent* event) {
  if (event->type() == QEvent::Expose) {
    VisibilityMayHaveChanged();
    if (mActivateWhenExposed && static_cast<QWindow*>(watched)->isExposed()) {
      mActivateWhenExposed = false;
      // After the frame this exposure brings.
      QMetaObject::invokeMethod(this, [this] { activateWindow(); }, Qt::QueuedConnection);
    }
  }
  return QWidget::eventFilter(watched, event);
}

void FormWidget::VisibilityMayHaveChanged() {
  // Asked once the platform has settled what it shows.
  QMetaObject::invokeMethod(
      this, [this] {
        if (onVisibilityChange) onVisibilityChange();
      },
      Qt::QueuedConnection);
}

}  // namespace runtime
