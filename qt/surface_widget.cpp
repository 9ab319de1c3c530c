// SPDX-License-Identifier: MIT
#include "qt/surface_widget.h"

#include <QAccessibleWidget>
#include <QBitmap>
#include <QFocusEvent>
#include <QImage>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QPainter>
#include <QPointer>
#include <QRegion>

#include "qt/input_codes.h"
#include "runtime/seam/gdi_device.h"
#include "runtime/seam/window_system.h"

namespace qt_frontend {
namespace {

// A popup menu or another window taking the keyboard is not a move of the
// focus away from the control: it stays the form's focus and gets the
// keyboard back when the menu or the window lets go.
bool MovesFocus(Qt::FocusReason reason) {
  return reason != Qt::PopupFocusReason && reason != Qt::ActiveWindowFocusReason;
}

runtime::MouseInput InputOf(const QMouseEvent& event, Qt::MouseButtons buttons) {
  return {ButtonCodes(buttons), ShiftCode(event.modifiers()), event.position().x(), event.position().y()};
}

// To assistive technology a control surface is a button that can be pressed.
class SurfaceAccessible : public QAccessibleWidget {
 public:
  explicit SurfaceAccessible(SurfaceWidget* surface) : QAccessibleWidget(surface, QAccessible::Button) {}

  [[nodiscard]] QStringList actionNames() const override { return {pressAction()}; }
  void doAction(const QString& action) override {
    if (action == pressAction()) static_cast<SurfaceWidget*>(widget())->Press();
  }
};

QAccessibleInterface* SurfaceAccessibleFactory(const QString& className, QObject* object) {
  if (className == QLatin1String("qt_frontend::SurfaceWidget") && object != nullptr && object->isWidgetType()) {
    return new SurfaceAccessible(static_cast<SurfaceWidget*>(object));
  }
  return nullptr;
}

}  // namespace

SurfaceWidget::SurfaceWidget(QWidget* form, runtime::SurfaceEvents& events)
    : ChildWidget(form, Qt::TabFocus), mEvents(events) {
  static const bool factoryInstalled = [] {
    QAccessible::installFactory(SurfaceAccessibleFactory);
    return true;
  }();
  (void)factoryInstalled;
  setMouseTracking(true);
  setAttribute(Qt::WA_OpaquePaintEvent);
}

void SurfaceWidget::SetOpaque(bool opaque) { setAttribute(Qt::WA_OpaquePaintEvent, opaque); }

void SurfaceWidget::SetMask(const runtime::Pixels& mask, runtime::Rgb seeThrough) {
  if (mask.IsNull()) {
    clearMask();
    return;
  }
  const QImage image(reinterpret_cast<const uchar*>(mask.Row(0)), mask.Width(), mask.Height(), mask.Width() * 4,
                     QImage::Format_RGB32);
  // What Qt names the colour's pixels "in" the mask are the bitmap's clear
  // ones, which a region made of it leaves out: the window then shows, and
  // takes the mouse, everywhere but on the see-through colour.
  const QImage shown = image.createMaskFromColor(seeThrough | runtime::kOpaque, Qt::MaskInColor);
  setMask(QRegion(QBitmap::fromImage(shown)));
}

void SurfaceWidget::paintEvent(QPaintEvent* /*event*/) {
  runtime::GdiDevice& device = runtime::WindowSystem::Current().Gdi();
  const runtime::PixelView pixels = device.BitmapPixels(device.SelectedBitmap(mEvents.PrepareToShow()));
  if (pixels.Empty()) return;
  const QImage shown(reinterpret_cast<const uchar*>(pixels.first), pixels.width, pixels.height,
                     static_cast<qsizetype>(pixels.stride) * 4, QImage::Format_RGB32);
  QPainter painter(this);
  painter.drawImage(0, 0, shown);
}

void SurfaceWidget::Press() {
  QPointer<SurfaceWidget> alive(this);
  const QPointF centre = QRectF(rect()).center();
  QMouseEvent press(QEvent::MouseButtonPress, centre, mapToGlobal(centre), Qt::LeftButton, Qt::LeftButton,
                    Qt::NoModifier);
  QMouseEvent release(QEvent::MouseButtonRelease, centre, mapToGlobal(centre), Qt::LeftButton, Qt::NoButton,
                      Qt::NoModifier);
  mousePressEvent(&press);
  if (alive) mouseReleaseEvent(&release);
}

void SurfaceWidget::mousePressEvent(QMouseEvent* event) {
  event->accept();
  mEvents.Pressed(InputOf(*event, event->button()), false);
}

void SurfaceWidget::mouseDoubleClickEvent(QMouseEvent* event) {
  // Qt reports the second press of a double click only as a double click.
  event->accept();
  mEvents.Pressed(InputOf(*event, event->button()), true);
}

void SurfaceWidget::mouseReleaseEvent(QMouseEvent* event) {
  event->accept();
  mEvents.Released(InputOf(*event, event->button()));
}

void SurfaceWidget::mouseMoveEvent(QMouseEvent* event) {
  event->accept();
  mEvents.Moved(InputOf(*event, event->buttons()));
}

void SurfaceWidget::keyPressEvent(QKeyEvent* event) {
  event->accept();
  QPointer<SurfaceWidget> alive(this);
  mEvents.KeyDown(KeyCodeOf(*event), ShiftCode(event->modifiers()), event->isAutoRepeat());
  for (const QChar typed : TypedCharacters(*event)) {
    if (!alive) return;
    mEvents.Typed(typed.unicode());
  }
}

void SurfaceWidget::keyReleaseEvent(QKeyEvent* event) {
  event->accept();
  mEvents.KeyUp(KeyCodeOf(*event), ShiftCode(event->modifiers()), event->isAutoRepeat());
}

void SurfaceWidget::focusInEvent(QFocusEvent* event) {
  QWidget::focusInEvent(event);
  mEvents.FocusIn();
}

void SurfaceWidget::focusOutEvent(QFocusEvent* event) {
  QWidget::focusOutEvent(event);
  mEvents.FocusOut(MovesFocus(event->reason()));
}

}  // namespace qt_frontend
