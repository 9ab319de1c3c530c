#include "runtime/form_widget.h"

#include <QCloseEvent>
#include <QMouseEvent>
#include <QPainter>

#include "runtime/window_drag.h"

namespace runtime {

FormWidget::FormWidget() { setAttribute(Qt::WA_StyledBackground, false); }

void FormWidget::SetPicture(QPixmap picture) {
  mPicture = std::move(picture);
  // A picture that covers the window leaves nothing for Qt to fill first.
  setAttribute(Qt::WA_OpaquePaintEvent, !mPicture.isNull() && mPicture.size() == size());
  update();
}

void FormWidget::BeginDrag() {
  if (mPressButton != Qt::NoButton) WindowDrag::Start(this, mPressGlobal, mPressButton);
}

void FormWidget::paintEvent(QPaintEvent* /*event*/) {
  if (mPicture.isNull()) return;
  QPainter painter(this);
  painter.drawPixmap(0, 0, mPicture);
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

}  // namespace runtime
