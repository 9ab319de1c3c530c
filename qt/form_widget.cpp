// SPDX-License-Identifier: MIT
#include "qt/form_widget.h"

#include <QAccessibleWidget>
#include <QApplication>
#include <QCloseEvent>
#include <QGuiApplication>
#include <QIcon>
#include <QMouseEvent>
#include <QPaintEvent>
#include <QPainter>
#include <QScreen>
#include <QWindow>

#include "qt/fonts.h"
#include "qt/input_codes.h"
#include "qt/platform/window_drag.h"
#include "qt/window_handles.h"
#include "runtime/seam/child_window.h"

namespace qt_frontend {
namespace {

// To assistive technology a form is a window named by its caption (Qt's
// accessible widget already takes a window's name from its title), so a
// screen reader announces it when it comes to the front.
QAccessibleInterface* FormAccessibleFactory(const QString& className, QObject* object) {
  if (className == QLatin1String("qt_frontend::FormWidget") && object != nullptr && object->isWidgetType()) {
    return new QAccessibleWidget(static_cast<QWidget*>(object), QAccessible::Window);
  }
  return nullptr;
}

// The pixels as Qt draws them, without a copy: the image keeps the shared
// pixels alive.
QImage ImageOf(const runtime::PixelsRef& pixels) {
  if (!pixels || pixels->IsNull()) return {};
  auto* kept = new runtime::PixelsRef(pixels);
  return QImage(
      reinterpret_cast<const uchar*>(pixels->Row(0)), pixels->Width(), pixels->Height(), pixels->Width() * 4,
      pixels->HasAlpha() ? QImage::Format_ARGB32 : QImage::Format_RGB32,
      [](void* shared) { delete static_cast<runtime::PixelsRef*>(shared); }, kept);
}

}  // namespace

FormWidget::FormWidget(runtime::FormWindowEvents& events) : mEvents(&events) {
  static const bool factoryInstalled = [] {
    QAccessible::installFactory(FormAccessibleFactory);
    return true;
  }();
  (void)factoryInstalled;
  setAttribute(Qt::WA_StyledBackground, false);
}

FormWidget::~FormWidget() { mEvents = nullptr; }

runtime::WindowHandle FormWidget::Handle() const { return HandleOf(const_cast<FormWidget*>(this)); }

void FormWidget::SetName(std::string_view name) {
  setObjectName(QString::fromUtf8(name.data(), static_cast<qsizetype>(name.size())));
}

void FormWidget::SetCaption(std::u16string_view caption) {
  setWindowTitle(ToQString(caption));
}

void FormWidget::SetIcon(const std::vector<runtime::PixelsRef>& sizes) {
  QIcon icon;
  for (const runtime::PixelsRef& size : sizes) icon.addPixmap(QPixmap::fromImage(ImageOf(size)));
  setWindowIcon(icon);
}

void FormWidget::SetPicture(runtime::PixelsRef picture) {
  mPixels = std::move(picture);
  mPicture = ImageOf(mPixels);
  // A picture that covers the window leaves nothing for Qt to fill first.
  setAttribute(Qt::WA_OpaquePaintEvent, !mPicture.isNull() && mPicture.size() == size());
  update();
}

void FormWidget::SetClientSize(int width, int height, bool fixed) {
  if (fixed) {
    setFixedSize(width, height);
  } else {
    resize(width, height);
  }
  setAttribute(Qt::WA_OpaquePaintEvent, !mPicture.isNull() && mPicture.size() == size());
}

void FormWidget::CentreOnScreen() {
  if (const QScreen* screen = QGuiApplication::primaryScreen()) {
    const QRect area = screen->availableGeometry();
    move(area.x() + (area.width() - width()) / 2, area.y() + (area.height() - height()) / 2);
  }
}

void FormWidget::UseIconForProgram() { QApplication::setWindowIcon(windowIcon()); }

void FormWidget::SetTabOrder(const std::vector<runtime::ChildWindow*>& order) {
  for (std::size_t i = 1; i < order.size(); ++i) {
    QWidget::setTabOrder(dynamic_cast<QWidget*>(order[i - 1]), dynamic_cast<QWidget*>(order[i]));
  }
}

void FormWidget::Show() {
  show();
  raise();
  ActivateOnceShown();
}

runtime::FormWindow::State FormWidget::WindowState() const {
  const Qt::WindowStates state = windowState();
  if (state.testFlag(Qt::WindowMinimized)) return State::kMinimized;
  if (state.testFlag(Qt::WindowMaximized)) return State::kMaximized;
  return State::kNormal;
}

void FormWidget::SetWindowState(State state) {
  Qt::WindowStates flags = windowState() & ~(Qt::WindowMinimized | Qt::WindowMaximized);
  if (state == State::kMinimized) flags |= Qt::WindowMinimized;
  if (state == State::kMaximized) flags |= Qt::WindowMaximized;
  // Qt holds a window minimised from its request to the window manager until
  // it reads otherwise, and reads nothing when the window comes back before
  // it has looked (restored while the program was busy), or when no window
  // manager minimises it at all. It then takes the next request to minimise
  // for one already made, and the window stays. A window on screen is not
  // minimised: forget what Qt holds first.
  const QWindow* window = windowHandle();
  if (isMinimized() && window != nullptr && window->isExposed()) {
    setWindowState(windowState() & ~Qt::WindowMinimized);
  }
  setWindowState(flags);
}

runtime::Point FormWidget::ClientToScreen(runtime::Point client) const {
  const QPoint global = mapToGlobal(QPoint(client.x, client.y));
  return {global.x(), global.y()};
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
  if (mEvents != nullptr) {
    mEvents->BackgroundPressed(runtime::MouseInput{ButtonCodes(event->button()), ShiftCode(event->modifiers()),
                                                   event->position().x(), event->position().y()});
  }
}

void FormWidget::mouseReleaseEvent(QMouseEvent* event) {
  if (event->button() == mPressButton) mPressButton = Qt::NoButton;
  QWidget::mouseReleaseEvent(event);
}

void FormWidget::closeEvent(QCloseEvent* event) {
  event->accept();
  if (mEvents != nullptr) mEvents->CloseRequested();
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
        if (mEvents != nullptr) mEvents->SightChanged();
      },
      Qt::QueuedConnection);
}

}  // namespace qt_frontend
