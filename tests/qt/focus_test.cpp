// SPDX-License-Identifier: MIT
// Where the keyboard is, as Qt tells it: a popup menu or another window
// taking the keyboard for a while does not move the focus away from a
// control, and a form that starts on a button shows its focus frame.
#include <gtest/gtest.h>

#include <QApplication>
#include <QFocusEvent>

#include "qt/qt_button_form.h"

namespace {

using test_support::kQtFrameColours;
using test_support::QtButtonTest;

const QRgb kPlain = kQtFrameColours[0];
const QRgb kFramed = kPlain ^ 0x00FFFFFFu;

class FocusTest : public QtButtonTest {
 protected:
  void Focus(QEvent::Type type, Qt::FocusReason reason) {
    QFocusEvent event(type, reason);
    QApplication::sendEvent(Surface(), &event);
  }
};

TEST_F(FocusTest, APopupOrAnotherWindowTakingTheKeyboardLeavesTheFocusFrame) {
  ASSERT_TRUE(QTest::qWaitForWindowActive(&Window()));
  ASSERT_TRUE(Field()->hasFocus());
  QTest::keyClick(Field(), Qt::Key_Tab);
  ASSERT_TRUE(Surface()->hasFocus());
  ASSERT_EQ(PixelAt(3, 3), kFramed);
  for (const Qt::FocusReason reason : {Qt::PopupFocusReason, Qt::ActiveWindowFocusReason}) {
    SCOPED_TRACE(reason);
    const int draws = Peer().DrawButtonCount();
    Focus(QEvent::FocusOut, reason);
    Focus(QEvent::FocusIn, reason);
    EXPECT_EQ(PixelAt(3, 3), kFramed) << "the focus never left";
    EXPECT_EQ(Peer().DrawButtonCount(), draws) << "nothing was drawn again";
  }
  QTest::keyClick(Surface(), Qt::Key_Tab, Qt::ShiftModifier);
  EXPECT_TRUE(Field()->hasFocus());
  EXPECT_EQ(PixelAt(3, 3), kPlain) << "Tab moves it, and the frame goes";
}

class StartingOnAButton : public QtButtonTest {
 protected:
  StartingOnAButton() : QtButtonTest(true) {}
};

// The focus reaches the button with the window's activation rather than by
// Tab, and it shows its frame all the same.
TEST_F(StartingOnAButton, AFormThatStartsOnAButtonShowsItsFocusFrame) {
  ASSERT_TRUE(QTest::qWaitForWindowActive(&Window()));
  ASSERT_TRUE(Surface()->hasFocus());
  EXPECT_EQ(PixelAt(3, 3), kFramed);
  EXPECT_EQ(PixelAt(4, 3), kPlain);
  EXPECT_TRUE(errors.numbers.empty());
}

}  // namespace
