// SPDX-License-Identifier: MIT
#include "qt/platform/pointer_tracker.h"

#include <gtest/gtest.h>
#include <xcb/xcb.h>

#include <QAbstractEventDispatcher>
#include <QApplication>
#include <QCursor>
#include <QEnterEvent>
#include <QMouseEvent>
#include <QTest>
#include <QWidget>
#include <QWindow>
#include <memory>
#include <vector>

#include "runtime/win32/win32.h"
#include "qt/window_handles.h"

namespace {

using qt_frontend::PointerTracker;

// Records the moves that reach it, as a control's surface hears them.
class MoveRecorder : public QWidget {
 public:
  explicit MoveRecorder(QWidget* parent) : QWidget(parent) { setMouseTracking(true); }
  std::vector<QPoint> moves;

 protected:
  void mouseMoveEvent(QMouseEvent* event) override { moves.push_back(event->position().toPoint()); }
};

// A window at (100, 100), 320 x 240, with a control at (200, 90), 40 x 40,
// fed the events the window system would send it.
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
};

// Under Wayland: nothing but what reaches our own windows.
class OwnWindowsTest : public PointerTrackerTest {
 protected:
  PointerTracker tracker{PointerTracker::Source::kOwnWindows};
};

TEST_F(OwnWindowsTest, IsWhereTheWindowLastSawThePointer) {
  Enter({10, 20});
  EXPECT_EQ(tracker.Position(), QPoint(110, 120));
  Move({50, 60});
  EXPECT_EQ(tracker.Position(), QPoint(150, 160));
  // The cursor position the system asks for is the tracker's.
  runtime::win32::POINTAPI point{0, 0};
  runtime::win32::GetCursorPos(&point);
  EXPECT_EQ(QPoint(point.x, point.y), QPoint(150, 160));
}

TEST_F(OwnWindowsTest, AfterLeavingIsJustPastTheNearestEdge) {
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
    EXPECT_EQ(QApplication::widgetAt(tracker.Position().value()), nullptr);
  }
}

TEST_F(OwnWindowsTest, BeforeThePointerComesIsOutsideEveryWindow) {
  const QPoint position = tracker.Position().value();
  EXPECT_FALSE(window.geometry().contains(position)) << position.x() << "," << position.y();
  EXPECT_EQ(QApplication::widgetAt(position), nullptr);
}

TEST_F(OwnWindowsTest, TheLeaveOfAWindowItHasAlreadyLeftChangesNothing) {
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

TEST_F(OwnWindowsTest, AnEntryReachesTheControlUnderThePointerAsAMove) {
  Enter({220, 110});
  QCoreApplication::processEvents();
  EXPECT_EQ(key->moves, std::vector<QPoint>{QPoint(20, 20)});
}

TEST_F(OwnWindowsTest, AnEntryFollowedByAMotionOrALeaveAddsNoMove) {
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

// Under X: the server's crossing events, as they come from its connection,
// say which window holds the pointer.
class X11CrossingsTest : public PointerTrackerTest {
 protected:
  enum class Crossing : std::uint8_t { kEnter = XCB_ENTER_NOTIFY, kLeave = XCB_LEAVE_NOTIFY };

  // The event as the X connection hands it to the program's native filters.
  void FromServer(Crossing kind, std::uint32_t time, std::uint8_t mode = XCB_NOTIFY_MODE_NORMAL,
                  std::uint8_t detail = XCB_NOTIFY_DETAIL_NONLINEAR, bool sentByAProgram = false) {
    xcb_enter_notify_event_t event{};
    event.response_type = static_cast<std::uint8_t>(kind) | (sentByAProgram ? 0x80 : 0);
    event.event = static_cast<xcb_window_t>(window.winId());
    event.time = time;
    event.mode = mode;
    event.detail = detail;
    qintptr result = 0;
    QAbstractEventDispatcher::instance()->filterNativeEvent("xcb_generic_event_t", &event, &result);
  }
  void MoveAt(QPoint local, std::uint32_t time) {
    QMouseEvent move(QEvent::MouseMove, local, local, Handle()->mapToGlobal(local), Qt::NoButton, Qt::NoButton,
                     Qt::NoModifier);
    move.setTimestamp(time);
    QCoreApplication::sendEvent(Handle(), &move);
  }
  // The pointer comes into the window as the X server tells it: the
  // crossing, then Qt's own entry and a motion.
  void ComeInAt(QPoint local, std::uint32_t time) {
    FromServer(Crossing::kEnter, time);
    Enter(local);
    MoveAt(local, time);
  }

  PointerTracker tracker{PointerTracker::Source::kX11Crossings};
};

TEST_F(X11CrossingsTest, KnowsThePointerOnlyOnceTheServerHasSaidItIsInAWindowOfOursAndAPositionHasCome) {
  EXPECT_FALSE(tracker.Position()) << "nothing said yet";
  Move({50, 60});
  EXPECT_FALSE(tracker.Position()) << "a position alone";
  FromServer(Crossing::kEnter, 1000);
  EXPECT_FALSE(tracker.Position()) << "an entry alone";
  MoveAt({220, 110}, 1001);
  EXPECT_EQ(tracker.Position(), QPoint(320, 210));
  EXPECT_EQ(tracker.WindowAt({320, 210}), &window);
  EXPECT_EQ(tracker.WindowAt({321, 210}), nullptr) << "anywhere but where the pointer is";

  // What the runtime's cursor and hit test then answer, without the server.
  runtime::win32::POINTAPI point{0, 0};
  runtime::win32::GetCursorPos(&point);
  EXPECT_EQ(QPoint(point.x, point.y), QPoint(320, 210));
  EXPECT_EQ(runtime::win32::WindowFromPoint(point), qt_frontend::HandleOf(key));
}

TEST_F(X11CrossingsTest, AnEntryFromQtAfterTheServersCountsAsAPosition) {
  FromServer(Crossing::kEnter, 1000);
  Enter({10, 20});
  EXPECT_EQ(tracker.Position(), QPoint(110, 120));
}

TEST_F(X11CrossingsTest, AMotionStampedBeforeTheEntryIsOlderNews) {
  // One read from the server: a motion, the pointer out and back in; Qt
  // hands over the motion only after the crossings.
  FromServer(Crossing::kLeave, 990);
  FromServer(Crossing::kEnter, 1000);
  MoveAt({220, 110}, 980);
  EXPECT_FALSE(tracker.Position());
  MoveAt({221, 110}, 1000);
  EXPECT_EQ(tracker.Position(), QPoint(321, 210));
}

TEST_F(X11CrossingsTest, EveryLeaveButOneIntoAWindowInsideHandsTheQuestionBackToTheServer) {
  struct Row {
    const char* name;
    std::uint8_t mode;
    std::uint8_t detail;
    bool sentByAProgram;
    bool stillKnown;
  };
  const Row rows[] = {
      {"out of the window", XCB_NOTIFY_MODE_NORMAL, XCB_NOTIFY_DETAIL_NONLINEAR, false, false},
      {"another program's window mapped over ours", XCB_NOTIFY_MODE_NORMAL, XCB_NOTIFY_DETAIL_ANCESTOR, false,
       false},
      {"another program takes the pointer", XCB_NOTIFY_MODE_GRAB, XCB_NOTIFY_DETAIL_ANCESTOR, false, false},
      {"a popup of ours takes the pointer", XCB_NOTIFY_MODE_GRAB, XCB_NOTIFY_DETAIL_NONLINEAR, false, false},
      {"into a window inside ours", XCB_NOTIFY_MODE_NORMAL, XCB_NOTIFY_DETAIL_INFERIOR, false, true},
      {"sent by another program", XCB_NOTIFY_MODE_NORMAL, XCB_NOTIFY_DETAIL_NONLINEAR, true, true},
  };
  std::uint32_t time = 1000;
  for (const Row& row : rows) {
    SCOPED_TRACE(row.name);
    ComeInAt({220, 110}, time);
    ASSERT_TRUE(tracker.Position());
    FromServer(Crossing::kLeave, time + 5, row.mode, row.detail, row.sentByAProgram);
    EXPECT_EQ(tracker.Position().has_value(), row.stillKnown);
    EXPECT_EQ(tracker.WindowAt({320, 210}) != nullptr, row.stillKnown);
    time += 100;
  }
}

TEST_F(X11CrossingsTest, WhileAButtonIsHeldOrTheWindowIsHiddenOnlyTheServerKnows) {
  ComeInAt({220, 110}, 1000);
  // A button held keeps the pointer for the window it went down on, and the
  // server then stops reporting crossings to it.
  QTest::mousePress(Handle(), Qt::LeftButton, Qt::NoModifier, {220, 110});
  EXPECT_FALSE(tracker.Position());
  QTest::mouseRelease(Handle(), Qt::LeftButton, Qt::NoModifier, {220, 110});
  EXPECT_EQ(tracker.Position(), QPoint(320, 210));
  window.hide();
  EXPECT_FALSE(tracker.Position());
}

TEST_F(X11CrossingsTest, WhatTheServerAnswersHoldsUntilItReportsAnythingOrTheProgramWaits) {
  // Not over a window of ours: the pointer's place is the window system's.
  QCursor::setPos(40, 40);
  EXPECT_EQ(tracker.CursorPosition(), QPoint(40, 40));
  EXPECT_EQ(tracker.WidgetAt({320, 210}), key) << "the server's window under the point, and the control in it";
  // Every key's poll in one tick hears the same answers.
  QCursor::setPos(50, 50);
  window.hide();
  EXPECT_EQ(tracker.CursorPosition(), QPoint(40, 40));
  EXPECT_EQ(tracker.WidgetAt({320, 210}), key);
  // Once the program has waited, or the server has reported anything, it
  // asks again.
  emit QAbstractEventDispatcher::instance()->aboutToBlock();
  EXPECT_EQ(tracker.CursorPosition(), QPoint(50, 50));
  EXPECT_EQ(tracker.WidgetAt({320, 210}), nullptr);
  window.show();
  QCursor::setPos(60, 60);
  FromServer(Crossing::kLeave, 1000);
  EXPECT_EQ(tracker.CursorPosition(), QPoint(60, 60));
  EXPECT_EQ(tracker.WidgetAt({320, 210}), key);
}

TEST(PointerTracker, RunsOnlyWhileItLives) {
  EXPECT_EQ(PointerTracker::Current(), nullptr);
  {
    const PointerTracker tracker(PointerTracker::Source::kOwnWindows);
    EXPECT_EQ(PointerTracker::Current(), &tracker);
  }
  EXPECT_EQ(PointerTracker::Current(), nullptr);
}

}  // namespace
