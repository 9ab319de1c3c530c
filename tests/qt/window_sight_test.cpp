// SPDX-License-Identifier: MIT
// The refresh timer rests while nothing of the window can be seen, as Qt
// tells it, and ticks at once when the window comes back; a minimise the
// desktop does not carry out leaves it running.
#include <QWindow>

#include "qt/qt_main_window.h"
#include "runtime/controls/timer.h"
#include "support/eventually.h"
#include "support/timer_peer.h"

namespace {

using test_support::Eventually;
using test_support::QtMainWindowTest;

TEST_F(QtMainWindowTest, NothingTicksWhileTheWindowIsOutOfSightAndOneTickComesAtOnceOnRestore) {
  QWindow* window = Window().windowHandle();
  ASSERT_NE(window, nullptr);
  runtime::Boundary([&] { form.SetWindowState(runtime::Form::kMinimized); });
  window->hide();  // what a window manager does to a minimised window
  EXPECT_TRUE(Eventually([&] { return test_support::TimerPeer(form.Timer1).Held(); }));
  Write(0, u"33");
  QTest::qWait(60);
  EXPECT_EQ(Field(1).ForeColor(), runtime::kSystemWindowText) << "no tick while held";
  window->show();
  runtime::Boundary([&] { form.SetWindowState(runtime::Form::kNormal); });
  EXPECT_TRUE(Eventually([&] { return !test_support::TimerPeer(form.Timer1).Held(); }));
  EXPECT_EQ(Field(1).ForeColor(), 255u) << "the tick on restore came at once";
}

TEST_F(QtMainWindowTest, AMinimiseTheDesktopIgnoresKeepsTheTimerRunning) {
  // Without a window manager the window stays on screen: it must go on
  // following the input.
  runtime::Boundary([&] { form.SetWindowState(runtime::Form::kMinimized); });
  QTest::qWait(30);
  EXPECT_FALSE(test_support::TimerPeer(form.Timer1).Held());
  Write(0, u"33");
  EXPECT_TRUE(Eventually([&] { return Field(1).ForeColor() == 255u; }));
}

}  // namespace
