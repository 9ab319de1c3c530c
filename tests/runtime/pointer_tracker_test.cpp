#include "runtime/pointer_tracker.h"

#include <gtest/gtest.h>

#include <QApplication>
#include <QEnterEvent>
#include <QMouseEvent>
#include <QTest>
#include <QWidget>
#include <QWindow>
#include <memory>
#include <vector>

#include "runtime/win32.h"

namespace {

using runtime::PointerTracker;

// Records the moves that reach it, as a control's surface hears them.
class MoveRecorder : public QWidget {
 public:
  explicit MoveRecorder(QWidget* parent) : QWidget(parent) { setMouseTracking(true); }
  std::vector<QPoint> moves;

 protected:
  void mouseMoveEvent(QMouseEvent* event) override { moves.push_back(event->position().toPoint()); }
};

// A window at (100, 100), 320 x 240, with a control at (200, 90), 40 x 40,
// fed the events the window system would send it under Wayland.
class PointerTrackerTest : public testing::Test {
 protected:
  PointerTrackerTest() {
    window.setGeometry(100, 100, 320, 240);
    window.show();
    if (!QTest::qWaitForWindowExposed(&window)) ADD_FAILURE() << "the window never showed";
    key->setGeometry(200, 90, 40, 40);
    key->show();
  }

  QWindow* Handle() { return window.windowHandle(); }

  void Enter(QPoint local) {
    QEnterEvent enter(local, local, Handle()->mapToGlobal(local));
    QCoreApplication::sendEvent(Handle(), &enter);
  }
  void Move(QPoint local, Qt::MouseButtons buttons = Qt::NoButton) {
    QMouseEvent move(QEvent::MouseMove, local, local, Handle()->mapToGlobal(local), Qt::NoButton,
                     buttons, Qt::NoModifier);
    QCoreApplication::sendEvent(Handle(), &move);
  }
  void Leave(QWindow* from) {
    QEvent leave(QEvent::Leave);
    QCoreApplication::sendEvent(from, &leave);
  }

  QWidget window;
  MoveRecorder* key = new MoveRecorder(&window);
  PointerTracker tracker;
};

TEST_F(PointerTrackerTest, IsWhereTheWindowLastSawThePointer) {
  Enter({10, 20});
  EXPECT_EQ(tracker.Position(), QPoint(110, 120));
  Move({50, 60});
  EXPECT_EQ(tracker.Position(), QPoint(150, 160));
  // The cursor position the system asks for is the tracker's.
  runtime::win32::POINTAPI point{0, 0};
  runtime::win32::GetCursorPos(&point);
  EXPECT_EQ(QPoint(point.x, point.y), QPoint(150, 160));
}

TEST_F(PointerTrackerTest, AfterLeavingIsJustPastTheNearestEdge) {
  // The window covers x 100 to 419 and y 100 to 339 on the screen.
  struct Row {
    const char* name;
    QPoint lastSeen;  // in the window
    QPoint reported;  // on the screen
  };
  const Row rows[] = {
      {"near the left edge", {3, 120}, {99, 220}},
      {"near the right edge", {317, 120}, {420, 220}},
      {"near the top edge", {150, 1}, {250, 99}},
      {"near the bottom edge", {150, 236}, {250, 340}},
      {"in the middle of a key", {220, 110}, {420, 210}},
      // A button held on the window keeps the pointer, which is then seen
      // outside: that place is already outside.
      {"seen outside while held", {400, 120}, {500, 220}},
  };
  for (const Row& row : rows) {
    SCOPED_TRACE(row.name);
    Enter({5, 5});
    Move(row.lastSeen);
    Leave(Handle());
    EXPECT_EQ(tracker.Position(), row.reported);
    EXPECT_EQ(QApplication::widgetAt(tracker.Position()), nullptr);
  }
}

TEST_F(PointerTrackerTest, BeforeThePointerComesIsOutsideEveryWindow) {
  const QPoint position = tracker.Position();
  EXPECT_FALSE(window.geometry().contains(position)) << position.x() << "," << position.y();
  EXPECT_EQ(QApplication::widgetAt(position), nullptr);
}

TEST_F(PointerTrackerTest, TheLeaveOfAWindowItHasAlreadyLeftChangesNothing) {
  QWidget menu;
  menu.setGeometry(600, 100, 80, 60);
  menu.show();
  ASSERT_TRUE(QTest::qWaitForWindowExposed(&menu));
  Enter({10, 10});
  // Into the menu first, and only then the main window hears it has gone.
  QEnterEvent enter(QPointF(5, 5), QPointF(5, 5), QPointF(605, 105));
  QCoreApplication::sendEvent(menu.windowHandle(), &enter);
  Leave(Handle());
  EXPECT_EQ(tracker.Position(), QPoint(605, 105));
}

TEST_F(PointerTrackerTest, AnEntryReachesTheControlUnderThePointerAsAMove) {
  Enter({220, 110});
  QCoreApplication::processEvents();
  EXPECT_EQ(key->moves, std::vector<QPoint>{QPoint(20, 20)});
}

TEST_F(PointerTrackerTest, AnEntryFollowedByAMotionOrALeaveAddsNoMove) {
  Enter({220, 110});
  Move({225, 112});
  QCoreApplication::processEvents();
  EXPECT_EQ(key->moves, std::vector<QPoint>{QPoint(25, 22)});

  key->moves.clear();
  Leave(Handle());
  Enter({221, 111});
  Leave(Handle());
  QCoreApplication::processEvents();
  EXPECT_TRUE(key->moves.empty());
}

TEST(PointerTracker, RunsOnlyWhileItLives) {
  EXPECT_EQ(PointerTracker::Current(), nullptr);
  {
    const PointerTracker tracker;
    EXPECT_EQ(PointerTracker::Current(), &tracker);
  }
  EXPECT_EQ(PointerTracker::Current(), nullptr);
}

}  // namespace
