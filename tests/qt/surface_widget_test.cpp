// SPDX-License-Identifier: MIT
// A user control's window on Qt: the mouse and keys as Qt reports them
// become the control's events by the runtime's rules (Qt's double click is
// a second press, a held key's repeats come down but up only once), it
// shows what the control drew, and a mask decides where it takes the mouse.
#include <gtest/gtest.h>

#include <QApplication>
#include <QKeyEvent>
#include <QMouseEvent>

#include "qt/qt_button_form.h"

namespace {

using test_support::QtButtonTest;

class SurfaceWidgetTest : public QtButtonTest {
 protected:
  SurfaceWidgetTest() {
    Button().Click.Handle([this] { ++clicks; });
    Button().DBClick.Handle([this] { ++doubleClicks; });
    Button().KeyDown.Handle([this](std::int16_t& code, std::int16_t&) { downs.push_back(code); });
    Button().KeyUP.Handle([this](std::int16_t& code, std::int16_t&) { ups.push_back(code); });
  }

  void Key(QEvent::Type type, Qt::Key key, bool repeat = false) {
    QKeyEvent event(type, key, Qt::NoModifier, key == Qt::Key_Space ? QStringLiteral(" ") : QStringLiteral("\r"),
                    repeat);
    QApplication::sendEvent(Surface(), &event);
  }

  int clicks = 0;
  int doubleClicks = 0;
  std::vector<int> downs;
  std::vector<int> ups;
};

TEST_F(SurfaceWidgetTest, TwoQuickPressesAreTwoClicksAndOneDoubleClick) {
  const QPoint at = Surface()->rect().center();
  QCursor::setPos(Surface()->mapToGlobal(at));
  QTest::mousePress(Surface(), Qt::LeftButton, {}, at);
  QTest::mouseRelease(Surface(), Qt::LeftButton, {}, at);
  // Qt reports the second press of a double click only as a double click.
  QMouseEvent second(QEvent::MouseButtonDblClick, QPointF(at), Surface()->mapToGlobal(QPointF(at)), Qt::LeftButton,
                     Qt::LeftButton, Qt::NoModifier);
  QApplication::sendEvent(Surface(), &second);
  EXPECT_EQ(Peer().DrawnState(), 2);
  QTest::mouseRelease(Surface(), Qt::LeftButton, {}, at);
  EXPECT_EQ(clicks, 2);
  EXPECT_EQ(doubleClicks, 1);
}

TEST_F(SurfaceWidgetTest, EnterClicksOnEveryKeyDownAndSpaceOnKeyUpOnly) {
  Key(QEvent::KeyPress, Qt::Key_Return);
  Key(QEvent::KeyPress, Qt::Key_Return, true);
  Key(QEvent::KeyPress, Qt::Key_Return, true);
  EXPECT_EQ(clicks, 3);
  Key(QEvent::KeyPress, Qt::Key_Space);
  Key(QEvent::KeyRelease, Qt::Key_Space, true);
  Key(QEvent::KeyPress, Qt::Key_Space, true);
  EXPECT_EQ(Peer().DrawnState(), 2);
  EXPECT_EQ(clicks, 3);
  Key(QEvent::KeyRelease, Qt::Key_Space);
  EXPECT_EQ(clicks, 4);
  EXPECT_EQ(Peer().DrawnState(), 0);
  EXPECT_EQ(downs, (std::vector<int>{13, 13, 13, 32, 32}));
  EXPECT_EQ(ups, std::vector<int>{32}) << "a held key comes up once";
}

TEST_F(SurfaceWidgetTest, TheWindowShowsWhatTheControlDrew) {
  for (int state : {1, 2, 3, 0}) {
    Button().cMouseAction(state, runtime::kTrue);
    EXPECT_EQ(Surface()->grab().toImage().pixel(20, 20), test_support::kQtFrameColours[state]);
  }
}

// Where a transparent button's picture is the see-through colour, the mouse
// goes to what lies beneath.
TEST_F(SurfaceWidgetTest, AMaskLetsTheMouseThroughWhereItIsSeeThrough) {
  runtime::Pixels mask(35, 35, 0xFFFF00FF);
  for (int y = 10; y < 20; ++y) {
    for (int x = 10; x < 20; ++x) mask.Set(x, y, 0xFF000000);
  }
  Surface()->SetMask(mask, 0x00FF00FF);
  EXPECT_TRUE(Surface()->mask().contains(QPoint(15, 15)));
  EXPECT_FALSE(Surface()->mask().contains(QPoint(5, 5)));
  EXPECT_EQ(QApplication::widgetAt(Surface()->mapToGlobal(QPoint(15, 15))), Surface());
  EXPECT_NE(QApplication::widgetAt(Surface()->mapToGlobal(QPoint(5, 5))), Surface());
  Surface()->ClearMask();
  EXPECT_TRUE(Surface()->mask().isEmpty());
}

}  // namespace
