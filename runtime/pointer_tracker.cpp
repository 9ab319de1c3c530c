#include "runtime/pointer_tracker.h"

#include <QCoreApplication>
#include <QEnterEvent>
#include <QGuiApplication>
#include <QMouseEvent>
#include <QWindow>
#include <algorithm>

namespace runtime {
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

}  // namespace

PointerTracker::PointerTracker() {
  QCoreApplication::instance()->installEventFilter(this);
  gCurrent = this;
}

PointerTracker::~PointerTracker() {
  if (gCurrent == this) gCurrent = nullptr;
}

PointerTracker* PointerTracker::Current() { return gCurrent; }

QPoint PointerTracker::Position() const {
  if (mOver) return mPosition;
  if (mEverSeen) return Outside(mLastWindow, mPosition);
  // Not yet seen at all: somewhere above and left of every window of ours.
  QRect windows;
  for (const QWindow* window : QGuiApplication::topLevelWindows()) {
    if (window->isVisible()) windows |= window->geometry();
  }
  return windows.isNull() ? QPoint(-1, -1) : windows.topLeft() - QPoint(1, 1);
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
      MoveAfterEntry(window);
      break;
    case QEvent::Leave:
      // A leave that comes after the entry into another window of ours
      // changes nothing.
      if (mOver == window) mOver = nullptr;
      break;
    case QEvent::MouseMove:
    case QEvent::MouseButtonPress:
    case QEvent::MouseButtonRelease:
    case QEvent::MouseButtonDblClick:
      // While a button is held the window keeps the pointer and still hears
      // of it outside its edges.
      Seen(window, static_cast<QMouseEvent*>(event)->globalPosition().toPoint());
      break;
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

}  // namespace runtime
