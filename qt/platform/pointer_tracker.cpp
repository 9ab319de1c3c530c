// SPDX-License-Identifier: MIT
#include "qt/platform/pointer_tracker.h"

#include <QAbstractEventDispatcher>
#include <QApplication>
#include <QCoreApplication>
#include <QCursor>
#include <QEnterEvent>
#include <QGuiApplication>
#include <QMouseEvent>
#include <QWidget>
#include <QWindow>
#include <algorithm>

#include "qt/platform/x11_crossings.h"

namespace qt_frontend {
namespace {

PointerTracker* gCurrent = nullptr;

// `point` when it lies outside `window`; otherwise the point just past the
// window's edge nearest to it, where the pointer most likely went out.
QPoint Outside(const QRect& window, QPoint point) {
  if (!window.contains(point)) return point;
  const int toLeft = point.x() - window.left();
  const int toRight = window.right() - point.x();
  const int toTop = point.y() - window.top();
  const int toBottom = window.bottom() - point.y();
  const int nearest = std::min({toLeft, toRight, toTop, toBottom});
  if (nearest == toLeft) return {window.left() - 1, point.y()};
  if (nearest == toRight) return {window.right() + 1, point.y()};
  if (nearest == toTop) return {point.x(), window.top() - 1};
  return {point.x(), window.bottom() + 1};
}

// The top-level widget of ours behind an X window, if that is what it is.
QWidget* TopLevelOf(std::uint32_t window) {
  QWidget* widget = QWidget::find(static_cast<WId>(window));
  return widget != nullptr && widget->isWindow() ? widget : nullptr;
}

// True when `later` is `earlier` or after it on the server's clock, which
// wraps after 49 days.
bool NotBefore(std::uint32_t later, std::uint32_t earlier) {
  return static_cast<std::int32_t>(later - earlier) >= 0;
}

}  // namespace

PointerTracker::PointerTracker(Source source) : mSource(source) {
  QCoreApplication::instance()->installEventFilter(this);
  if (mSource == Source::kX11Crossings) {
    QCoreApplication::instance()->installNativeEventFilter(this);
    // While the program waits the pointer may move where it hears nothing.
    if (auto* dispatcher = QAbstractEventDispatcher::instance()) {
      connect(dispatcher, &QAbstractEventDispatcher::aboutToBlock, this, &PointerTracker::ForgetAnswers);
    }
  }
  gCurrent = this;
}

PointerTracker::~PointerTracker() {
  if (gCurrent == this) gCurrent = nullptr;
}

PointerTracker* PointerTracker::Current() { return gCurrent; }

std::optional<QPoint> PointerTracker::Position() const {
  if (mSource == Source::kOwnWindows) return LastSeenOrOutside();
  if (KnowsX11Pointer()) return mPosition;
  return std::nullopt;
}

QWidget* PointerTracker::WindowAt(QPoint point) const {
  if (mSource != Source::kX11Crossings || !KnowsX11Pointer() || point != mPosition) return nullptr;
  // A window that lets the pointer through has whatever lies below it under
  // the pointer; only the window system knows what that is.
  if (mInside->testAttribute(Qt::WA_TransparentForMouseEvents)) return nullptr;
  return mInside;
}

QPoint PointerTracker::CursorPosition() {
  if (const std::optional<QPoint> known = Position()) return *known;
  if (!mAskedPosition) mAskedPosition = QCursor::pos();
  return *mAskedPosition;
}

QWidget* PointerTracker::WidgetAt(QPoint point) {
  // Under Wayland the hit test asks nothing of the compositor.
  if (mSource == Source::kOwnWindows) return QApplication::widgetAt(point);
  QWidget* window = WindowAt(point);
  if (window == nullptr) {
    // Asked again for a new point, or when the window answered has gone.
    if (mAskedPoint != point || (mAskedHadWindow && !mAskedWindow)) {
      mAskedWindow = QApplication::topLevelAt(point);
      mAskedHadWindow = mAskedWindow != nullptr;
      mAskedPoint = point;
    }
    window = mAskedWindow;
  }
  if (window == nullptr) return nullptr;
  // A window that lets the pointer through needs the window system's whole
  // hit test.
  if (window->testAttribute(Qt::WA_TransparentForMouseEvents)) return QApplication::widgetAt(point);
  QWidget* child = window->childAt(window->mapFromGlobal(point));
  return child != nullptr ? child : window;
}

void PointerTracker::ForgetAnswers() {
  mAskedPosition.reset();
  mAskedPoint.reset();
  mAskedWindow = nullptr;
  mAskedHadWindow = false;
}

QPoint PointerTracker::LastSeenOrOutside() const {
  if (mOver) return mPosition;
  if (mEverSeen) return Outside(mLastWindow, mPosition);
  // Not yet seen at all: somewhere above and left of every window of ours.
  QRect windows;
  for (const QWindow* window : QGuiApplication::topLevelWindows()) {
    if (window->isVisible()) windows |= window->geometry();
  }
  return windows.isNull() ? QPoint(-1, -1) : windows.topLeft() - QPoint(1, 1);
}

bool PointerTracker::KnowsX11Pointer() const {
  // While a button is held the window it went down on keeps the pointer,
  // and the server stops telling that window where the pointer crosses.
  return mInside && mSeenInside && QGuiApplication::mouseButtons() == Qt::NoButton && mInside->isVisible() &&
         mInside->geometry().contains(mPosition);
}

bool PointerTracker::nativeEventFilter(const QByteArray& eventType, void* message, qintptr* /*result*/) {
  if (eventType != "xcb_generic_event_t") return false;
  // Whatever the server reports may follow from the pointer's moves.
  ForgetAnswers();
  const std::optional<X11Crossing> crossing = ReadX11Crossing(message);
  if (!crossing) return false;
  QWidget* window = TopLevelOf(crossing->window);
  if (window == nullptr) return false;
  if (crossing->kind == X11Crossing::Kind::kEnter) {
    // Where in it is not known until the window hears of a position.
    mInside = window;
    mInsideSince = crossing->time;
    mSeenInside = false;
  } else if (!crossing->intoInferior && mInside == window) {
    mInside = nullptr;
  }
  return false;
}

bool PointerTracker::eventFilter(QObject* watched, QEvent* event) {
  // Widgets hear of the pointer from their window; the window's own events
  // are the ones the window system sent.
  if (!watched->isWindowType()) return false;
  auto* window = static_cast<QWindow*>(watched);
  switch (event->type()) {
    case QEvent::Enter:
      mOver = window;
      Seen(window, static_cast<QEnterEvent*>(event)->globalPosition().toPoint());
      if (mInside && mInside->windowHandle() == window) mSeenInside = true;
      if (mSource == Source::kOwnWindows) MoveAfterEntry(window);
      break;
    case QEvent::Leave:
      // A leave that comes after the entry into another window of ours
      // changes nothing.
      if (mOver == window) mOver = nullptr;
      break;
    case QEvent::MouseMove:
    case QEvent::MouseButtonPress:
    case QEvent::MouseButtonRelease:
    case QEvent::MouseButtonDblClick: {
      // While a button is held the window keeps the pointer and still hears
      // of it outside its edges.
      const auto* mouse = static_cast<QMouseEvent*>(event);
      Seen(window, mouse->globalPosition().toPoint());
      // Qt hands over the events of one read from the server after the
      // server's crossings in it: a motion stamped before the latest entry
      // is older news than that entry.
      if (mInside && mInside->windowHandle() == window &&
          NotBefore(static_cast<std::uint32_t>(mouse->timestamp()), mInsideSince)) {
        mSeenInside = true;
      }
      break;
    }
    default:
      break;
  }
  return false;
}

void PointerTracker::Seen(QWindow* window, QPoint global) {
  mPosition = global;
  mLastWindow = window->geometry();
  mEverSeen = true;
  ++mMotions;
}

void PointerTracker::MoveAfterEntry(QWindow* window) {
  // After the entry has reached the widgets, unless the pointer has moved
  // in the meantime or gone again.
  const std::uint64_t motionsAtEntry = mMotions;
  QMetaObject::invokeMethod(
      this,
      [this, window = QPointer<QWindow>(window), motionsAtEntry] {
        if (!window || mOver != window || mMotions != motionsAtEntry) return;
        const QPointF local = window->mapFromGlobal(QPointF(mPosition));
        QMouseEvent move(QEvent::MouseMove, local, local, QPointF(mPosition), Qt::NoButton,
                         Qt::NoButton, QGuiApplication::keyboardModifiers());
        QCoreApplication::sendEvent(window, &move);
      },
      Qt::QueuedConnection);
}

}  // namespace qt_frontend
