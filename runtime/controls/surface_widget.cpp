// SPDX-License-Identifier: MIT
#include "runtime/controls/surface_widget.h"

#include <QAccessibleWidget>
#include <QFocusEvent>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QPainter>

#include "runtime/controls/user_control.h"
#include "runtime/dispatch.h"
#include "runtime/input_codes.h"
#include "runtime/values/units.h"
#include "runtime/win32/gdi.h"

namespace runtime {
namespace {

// A popup menu or another window taking the keyboard is not a move of the
// focus away from the control: it stays the form's focus and gets the
// keyboard back when the menu or the window lets go.
bool MovesFocus(Qt::FocusReason reason) {
  return reason != Qt::PopupFocusReason && reason != Qt::ActiveWindowFocusReason;
}

struct MouseArgs {
  std::int16_t button;
  std::int16_t shift;
  float x;
  float y;
};

MouseArgs ArgsOf(const QMouseEvent& event, Qt::MouseButtons buttons) {
  return {ButtonCodes(buttons), ShiftCode(event.modifiers()),
          static_cast<float>(PixelsToTwips(event.position().x())),
          static_cast<float>(PixelsToTwips(event.position().y()))};
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
  if (className == QLatin1String("runtime::SurfaceWidget") && object != nullptr && object->isWidgetType()) {
    return new SurfaceAccessible(static_cast<SurfaceWidget*>(object));
  }
  return nullptr;
}

}  // namespace

SurfaceWidget::SurfaceWidget(QWidget* form, UserControl& owner) : QWidget(form), mOwner(&owner) {
  static const bool factoryInstalled = [] {
    QAccessible::installFactory(SurfaceAccessibleFactory);
    return true;
  }();
  (void)factoryInstalled;
  setMouseTracking(true);
  setFocusPolicy(Qt::TabFocus);
  setAttribute(Qt::WA_OpaquePaintEvent);
}

void SurfaceWidget::paintEvent(QPaintEvent* /*event*/) {
  if (mOwner == nullptr) return;
  mOwner->Materialize();
  const QImage* pixels = gdi::BitmapPixels(gdi::SelectedBitmap(mOwner->hDC()));
  if (pixels == nullptr) return;
  QPainter painter(this);
  painter.drawImage(0, 0, *pixels);
}

void SurfaceWidget::PressAt(QMouseEvent& event) {
  mPressed |= event.button();
  Boundary([&] {
    if (mOwner == nullptr) return;
    MouseArgs a = ArgsOf(event, event.button());
    mOwner->UserControl_MouseDown(a.button, a.shift, a.x, a.y);
  });
}

void SurfaceWidget::Press() {
  const QPointF centre = QRectF(rect()).center();
  QMouseEvent press(QEvent::MouseButtonPress, centre, mapToGlobal(centre), Qt::LeftButton, Qt::LeftButton,
                    Qt::NoModifier);
  QMouseEvent release(QEvent::MouseButtonRelease, centre, mapToGlobal(centre), Qt::LeftButton, Qt::NoButton,
                      Qt::NoModifier);
  mousePressEvent(&press);
  if (mOwner != nullptr) mouseReleaseEvent(&release);
}

void SurfaceWidget::mousePressEvent(QMouseEvent* event) {
  event->accept();
  PressAt(*event);
}

void SurfaceWidget::mouseDoubleClickEvent(QMouseEvent* event) {
  // Qt reports the second press of a double click only as a double click.
  event->accept();
  PressAt(*event);
  Boundary([&] {
    if (mOwner != nullptr) mOwner->UserControl_DblClick();
  });
}

void SurfaceWidget::mouseReleaseEvent(QMouseEvent* event) {
  event->accept();
  const bool wasPressed = mPressed.testFlag(event->button());
  mPressed &= ~event->button();
  Boundary([&] {
    if (mOwner == nullptr) return;
    MouseArgs a = ArgsOf(*event, event->button());
    mOwner->UserControl_MouseUp(a.button, a.shift, a.x, a.y);
  });
  if (wasPressed && rect().contains(event->position().toPoint())) {
    Boundary([&] {
      if (mOwner != nullptr) mOwner->UserControl_Click();
    });
  }
}

void SurfaceWidget::mouseMoveEvent(QMouseEvent* event) {
  event->accept();
  Boundary([&] {
    if (mOwner == nullptr) return;
    MouseArgs a = ArgsOf(*event, event->buttons());
    mOwner->UserControl_MouseMove(a.button, a.shift, a.x, a.y);
  });
}

void SurfaceWidget::keyPressEvent(QKeyEvent* event) {
  event->accept();
  Boundary([&] {
    if (mOwner == nullptr) return;
    std::int16_t keyCode = KeyCodeOf(*event);
    std::int16_t shift = ShiftCode(event->modifiers());
    mOwner->UserControl_KeyDown(keyCode, shift);
  });
  for (const QChar typed : TypedCharacters(*event)) {
    Boundary([&] {
      if (mOwner == nullptr) return;
      std::int16_t keyAscii = ToKeyAscii(typed);
      mOwner->UserControl_KeyPress(keyAscii);
    });
  }
}

void SurfaceWidget::keyReleaseEvent(QKeyEvent* event) {
  event->accept();
  // A held key repeats its key-down; it comes up once, at the end.
  if (event->isAutoRepeat()) return;
  Boundary([&] {
    if (mOwner == nullptr) return;
    std::int16_t keyCode = KeyCodeOf(*event);
    std::int16_t shift = ShiftCode(event->modifiers());
    mOwner->UserControl_KeyUp(keyCode, shift);
  });
}

void SurfaceWidget::focusInEvent(QFocusEvent* event) {
  QWidget::focusInEvent(event);
  // However the focus came, by Tab or with the activation of a window whose
  // focus was here already, the control hears of it once.
  if (mHoldsFocus) return;
  mHoldsFocus = true;
  Boundary([&] {
    if (mOwner != nullptr) mOwner->UserControl_EnterFocus();
  });
}

void SurfaceWidget::focusOutEvent(QFocusEvent* event) {
  QWidget::focusOutEvent(event);
  if (!MovesFocus(event->reason()) || !mHoldsFocus) return;
  mHoldsFocus = false;
  Boundary([&] {
    if (mOwner != nullptr) mOwner->UserControl_ExitFocus();
  });
}

}  // namespace runtime
