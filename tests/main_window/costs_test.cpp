// SPDX-License-Identifier: MIT
// What the window must not do: cut a strip again, paint more than one picture
// per redraw, redraw a state already on screen, repaint or relayout on a tick
// that changes nothing, or tick at all while nothing of it can be seen.
#include <QWindow>

#include "image_button/ibutton_peer.h"
#include "main_window/main_window_fixture.h"
#include "runtime/controls/timer.h"
#include "support/timer_peer.h"

namespace {

using test_support::IButtonPeer;
using test_support::MainWindowTest;

const char* const kAllButtons[] = {"iButton1", "iButton2",  "iButton3",  "iButton4",  "iButton5",
                                   "iButton6", "iButton7",  "iButton8",  "iButton9",  "iButton10",
                                   "iButton11", "iButton12", "iButton13", "iButton14"};

// Counts the paints and layout requests of a widget and its children.
class PaintCounter : public QObject {
 public:
  explicit PaintCounter(QWidget& top) {
    top.installEventFilter(this);
    for (QWidget* child : top.findChildren<QWidget*>()) child->installEventFilter(this);
  }
  int paints = 0;
  int layouts = 0;

 protected:
  bool eventFilter(QObject*, QEvent* event) override {
    if (event->type() == QEvent::Paint || event->type() == QEvent::UpdateRequest) ++paints;
    if (event->type() == QEvent::LayoutRequest) ++layouts;
    return false;
  }
};

TEST_F(MainWindowTest, EachStripIsCutOnceAndEachRedrawPaintsOnePicture) {
  for (const char* name : kAllButtons) EXPECT_EQ(IButtonPeer(Button(name)).CutCount(), 1) << name;
  image_button::iButton& five = Button("iButton5");
  const IButtonPeer peer(five);
  const int draws = peer.DrawButtonCount();
  const int pictures = peer.PictureCount();
  QCursor::setPos(five.Widget()->mapToGlobal(QPoint(10, 10)));
  QTest::mouseMove(five.Widget(), QPoint(10, 10));
  for (int i = 0; i < 5; ++i) Click("iButton5");
  five.cMouseAction(peer.DrawnState(), runtime::kFalse);
  five.cMouseAction(peer.DrawnState(), runtime::kFalse);
  QTest::qWait(120);  // ticks of the refresh timer and of the button's poll
  EXPECT_GT(peer.DrawButtonCount(), draws);
  EXPECT_EQ(peer.PictureCount() - pictures, peer.DrawButtonCount() - draws) << "one picture per redraw";
  for (const char* name : kAllButtons) EXPECT_EQ(IButtonPeer(Button(name)).CutCount(), 1) << name;
  const int settled = peer.DrawButtonCount();
  five.cMouseAction(peer.DrawnState(), runtime::kFalse);
  EXPECT_EQ(peer.DrawButtonCount(), settled) << "the state on screen is not drawn again";
}

TEST_F(MainWindowTest, ATickThatChangesNothingRepaintsAndRelaysOutNothing) {
  Type(0, QStringLiteral("33"));
  runtime::Boundary([&] { form.Timer1.Tick.Raise(); });
  QCoreApplication::processEvents();
  PaintCounter counter(form.Widget());
  for (int i = 0; i < 50; ++i) {
    runtime::Boundary([&] { form.Timer1.Tick.Raise(); });
    QCoreApplication::processEvents();
  }
  EXPECT_EQ(counter.paints, 0);
  EXPECT_EQ(counter.layouts, 0);
}

TEST_F(MainWindowTest, NothingTicksWhileTheWindowIsOutOfSightAndOneTickComesAtOnceOnRestore) {
  QWindow* window = form.Widget().windowHandle();
  ASSERT_NE(window, nullptr);
  form.SetWindowState(runtime::Form::kMinimized);
  window->hide();  // what a window manager does to a minimised window
  EXPECT_TRUE(Eventually([&] { return test_support::TimerPeer(form.Timer1).Held(); }));
  Write(0, QStringLiteral("33"));
  QTest::qWait(60);
  EXPECT_EQ(Field(1).ForeColor(), runtime::kSystemWindowText) << "no tick while held";
  window->show();
  form.SetWindowState(runtime::Form::kNormal);
  EXPECT_TRUE(Eventually([&] { return !test_support::TimerPeer(form.Timer1).Held(); }));
  EXPECT_EQ(Field(1).ForeColor(), 255u) << "the tick on restore came at once";
}

TEST_F(MainWindowTest, AMinimiseTheDesktopIgnoresKeepsTheTimerRunning) {
  // Without a window manager the window stays on screen: it must go on
  // following the input.
  form.SetWindowState(runtime::Form::kMinimized);
  QTest::qWait(30);
  EXPECT_FALSE(test_support::TimerPeer(form.Timer1).Held());
  Write(0, QStringLiteral("33"));
  EXPECT_TRUE(Eventually([&] { return Field(1).ForeColor() == 255u; }));
}

}  // namespace
