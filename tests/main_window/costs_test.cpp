// SPDX-License-Identifier: MIT
// What the window must not do: cut a strip again, paint more than one picture
// per redraw, redraw a state already on screen, repaint or rewrite anything
// on a tick that changes nothing, or tick at all while nothing of it can be
// seen.
#include "image_button/ibutton_peer.h"
#include "main_window/main_window_fixture.h"
#include "runtime/controls/menu.h"
#include "runtime/controls/timer.h"
#include "support/timer_peer.h"

namespace {

using test_support::IButtonPeer;
using test_support::MainWindowTest;

const char* const kAllButtons[] = {"iButton1", "iButton2",  "iButton3",  "iButton4",  "iButton5",
                                   "iButton6", "iButton7",  "iButton8",  "iButton9",  "iButton10",
                                   "iButton11", "iButton12", "iButton13", "iButton14"};

TEST_F(MainWindowTest, EachStripIsCutOnceAndEachRedrawPaintsOnePicture) {
  for (const char* name : kAllButtons) EXPECT_EQ(IButtonPeer(Button(name)).CutCount(), 1) << name;
  image_button::iButton& five = Button("iButton5");
  const IButtonPeer peer(five);
  const int draws = peer.DrawButtonCount();
  const int pictures = peer.PictureCount();
  ws.MoveOver(Surface("iButton5"), {10, 10});
  for (int i = 0; i < 5; ++i) Click("iButton5");
  five.cMouseAction(peer.DrawnState(), runtime::kFalse);
  five.cMouseAction(peer.DrawnState(), runtime::kFalse);
  ws.Advance(120);  // ticks of the refresh timer and of the button's poll
  EXPECT_GT(peer.DrawButtonCount(), draws);
  EXPECT_EQ(peer.PictureCount() - pictures, peer.DrawButtonCount() - draws) << "one picture per redraw";
  for (const char* name : kAllButtons) EXPECT_EQ(IButtonPeer(Button(name)).CutCount(), 1) << name;
  const int settled = peer.DrawButtonCount();
  five.cMouseAction(peer.DrawnState(), runtime::kFalse);
  EXPECT_EQ(peer.DrawButtonCount(), settled) << "the state on screen is not drawn again";
}

// What a tick could change that the window system would redraw: the keys'
// surfaces, the fields' colours and texts, the copy menu's items.
struct Shown {
  int repaints = 0;
  int colourWrites = 0;
  std::vector<std::u16string> texts;
  std::vector<bool> items;
  bool operator==(const Shown&) const = default;
};

TEST_F(MainWindowTest, ATickThatChangesNothingRepaintsAndRewritesNothing) {
  auto now = [&] {
    Shown shown;
    for (const char* name : kAllButtons) shown.repaints += Surface(name).Repaints();
    for (int i = 0; i < 3; ++i) {
      shown.colourWrites += FieldWindow(i).ColourWrites();
      shown.texts.push_back(FieldWindow(i).Text());
    }
    for (const runtime::Menu* item : project.Form2().s.Items()) shown.items.push_back(item->Enabled());
    return shown;
  };
  Type(0, u"33");
  runtime::Boundary([&] { form.Timer1.Tick.Raise(); });
  const Shown settled = now();
  for (int i = 0; i < 50; ++i) runtime::Boundary([&] { form.Timer1.Tick.Raise(); });
  EXPECT_EQ(now(), settled);
  EXPECT_EQ(FieldWindow(1).TextColour(), 255u) << "the tick had something to show once";
}

TEST_F(MainWindowTest, NothingTicksWhileTheWindowIsOutOfSightAndOneTickComesAtOnceOnRestore) {
  runtime::Boundary([&] { form.SetWindowState(runtime::Form::kMinimized); });
  Window().SetShownByDesktop(false);  // what a window manager does to a minimised window
  EXPECT_TRUE(test_support::TimerPeer(form.Timer1).Held());
  Write(0, u"33");
  ws.Advance(60);
  EXPECT_EQ(Field(1).ForeColor(), runtime::kSystemWindowText) << "no tick while held";
  Window().SetShownByDesktop(true);
  runtime::Boundary([&] { form.SetWindowState(runtime::Form::kNormal); });
  EXPECT_FALSE(test_support::TimerPeer(form.Timer1).Held());
  EXPECT_EQ(Field(1).ForeColor(), 255u) << "the tick on restore came at once";
}

TEST_F(MainWindowTest, TheMinimiseButtonHoldsTheTimerOnceTheDesktopHidesTheWindow) {
  Click("iButton2");
  EXPECT_EQ(form.WindowState(), runtime::Form::kMinimized);
  ws.Advance(10);
  EXPECT_FALSE(test_support::TimerPeer(form.Timer1).Held()) << "still on screen";
  Window().SetShownByDesktop(false);
  EXPECT_TRUE(test_support::TimerPeer(form.Timer1).Held());
}

TEST_F(MainWindowTest, AMinimiseTheDesktopIgnoresKeepsTheTimerRunning) {
  // Without a window manager the window stays on screen: it must go on
  // following the input.
  runtime::Boundary([&] { form.SetWindowState(runtime::Form::kMinimized); });
  ws.Advance(30);
  EXPECT_FALSE(test_support::TimerPeer(form.Timer1).Held());
  Write(0, u"33");
  Tick();
  EXPECT_EQ(Field(1).ForeColor(), 255u);
}

}  // namespace
