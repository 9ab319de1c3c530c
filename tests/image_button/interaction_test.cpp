// SPDX-License-Identifier: MIT
#include <gtest/gtest.h>

#include "image_button/ibutton_fixture.h"
#include "runtime/seam/input.h"

namespace {

using runtime::kFalse;
using runtime::kLeftButton;
using runtime::kRightButton;
using runtime::kTrue;
using test_support::IButtonTest;

// Counts what the button raises to its container.
class Interaction : public IButtonTest {
 protected:
  Interaction() {
    image_button::iButton& b = Button();
    b.Click.Handle([this] { ++clicks; });
    b.DBClick.Handle([this] { ++doubleClicks; });
    b.MouseOver.Handle([this] { ++overs; });
    b.MouseOut.Handle([this] { ++outs; });
    b.MouseDown.Handle([this](std::int16_t& button, std::int16_t&, float&, float&) { downs.push_back(button); });
    b.MouseUp.Handle([this](std::int16_t& button, std::int16_t&, float&, float&) { ups.push_back(button); });
    // Let the first poll after creation pass with the pointer away.
    Poll();
    EXPECT_FALSE(Peer().Tracking());
    outs = 0;
  }

  runtime::Point Outside() { return {Centre().x + 80, Centre().y}; }
  // A key goes down (or repeats) and types its character, or comes up.
  void KeyDown(std::int16_t key, bool repeat = false) {
    ws.PressKey(Surface(), key, key == runtime::kKeySpace ? u' ' : u'\r', repeat);
  }
  void KeyUp(std::int16_t key, bool repeat = false) { ws.ReleaseKey(Surface(), key, repeat); }

  int clicks = 0;
  int doubleClicks = 0;
  int overs = 0;
  int outs = 0;
  std::vector<int> downs;
  std::vector<int> ups;
};

TEST_F(Interaction, HoverShowsOnEnteringAndThePollNoticesLeaving) {
  MoveTo(Centre());
  EXPECT_EQ(Peer().DrawnState(), 1);
  EXPECT_EQ(overs, 1);
  EXPECT_TRUE(Peer().Tracking());
  MoveTo({Centre().x + 3, Centre().y + 3});
  EXPECT_EQ(overs, 1) << "MouseOver once per visit";
  PointerTo(Outside());
  Poll();
  EXPECT_EQ(outs, 1);
  EXPECT_EQ(Peer().DrawnState(), 0);
  EXPECT_FALSE(Peer().Tracking()) << "the poll stops once the pointer has left";
}

TEST_F(Interaction, ThePointerComingBackShowsHoverAndRaisesMouseOverAgain) {
  for (int visit = 1; visit <= 2; ++visit) {
    SCOPED_TRACE(visit);
    MoveTo(Centre());
    EXPECT_EQ(Peer().DrawnState(), 1);
    EXPECT_EQ(overs, visit);
    PointerTo(Outside());
    Poll();
    EXPECT_EQ(outs, visit);
    EXPECT_EQ(Peer().DrawnState(), 0);
  }
}

TEST_F(Interaction, AButtonDisabledUnderThePointerLeavesOnTheNextTick) {
  image_button::iButton& b = Button();
  MoveTo(Centre());
  b.LetEnabled(kFalse);
  EXPECT_EQ(Peer().DrawnState(), 3);
  // The window system passes over a disabled window, so the poll finds the
  // pointer gone although it has not moved.
  Poll();
  EXPECT_EQ(outs, 1);
  EXPECT_EQ(Peer().DrawnState(), 0);
  EXPECT_FALSE(Peer().Tracking());
}

TEST_F(Interaction, PressLeaveComeBackAndReleaseClicksOnce) {
  MoveTo(Centre());
  Press();
  EXPECT_EQ(Peer().DrawnState(), 2);
  PointerTo(Outside());
  Poll();
  EXPECT_EQ(Peer().DrawnState(), 0);
  PointerTo(Centre());
  Poll();
  EXPECT_EQ(Peer().DrawnState(), 2);
  EXPECT_EQ(outs, 0);
  EXPECT_EQ(overs, 1);
  Release();
  EXPECT_EQ(Peer().DrawnState(), 1);
  EXPECT_EQ(clicks, 1);
}

TEST_F(Interaction, ReleasingOutsideIsNoClick) {
  MoveTo(Centre());
  Press();
  PointerTo(Outside());
  Release();
  EXPECT_EQ(ups, std::vector<int>{1});
  EXPECT_EQ(clicks, 0);
  EXPECT_EQ(Peer().DrawnState(), 0);
  Poll();
  EXPECT_EQ(outs, 1);
}

TEST_F(Interaction, OtherButtonsRaiseTheirEventsButNoClick) {
  MoveTo(Centre());
  Press(kRightButton);
  Release(kRightButton);
  EXPECT_EQ(downs, std::vector<int>{2});
  EXPECT_EQ(ups, std::vector<int>{2});
  EXPECT_EQ(clicks, 0);
  EXPECT_EQ(Peer().DrawnState(), 1);
}

TEST_F(Interaction, AContainerThatChangesButtonOrKeyCodeStopsTheAction) {
  image_button::iButton& b = Button();
  b.MouseDown.Handle([](std::int16_t& button, std::int16_t&, float&, float&) { button = 2; });
  b.KeyDown.Handle([](std::int16_t& keyCode, std::int16_t&) { keyCode = 0; });
  MoveTo(Centre());
  Press();
  EXPECT_EQ(Peer().DrawnState(), 1) << "no pressed picture";
  Release();
  EXPECT_EQ(clicks, 0);
  const int draws = Peer().DrawButtonCount();
  KeyDown(runtime::kKeyReturn);
  EXPECT_EQ(clicks, 0);
  EXPECT_EQ(Peer().DrawButtonCount(), draws);
}

TEST_F(Interaction, TwoQuickPressesAreTwoClicksAndOneDoubleClick) {
  MoveTo(Centre());
  Press();
  Release();
  // The second press of a double click comes as a press the window system
  // marks as the second.
  ws.Press(Surface(), kLeftButton, true);
  EXPECT_EQ(Peer().DrawnState(), 2);
  Release();
  EXPECT_EQ(clicks, 2);
  EXPECT_EQ(doubleClicks, 1);
}

TEST_F(Interaction, EnterClicksOnEveryKeyDownAndSpaceOnKeyUp) {
  KeyDown(runtime::kKeyReturn);
  KeyDown(runtime::kKeyReturn, true);
  KeyDown(runtime::kKeyReturn, true);
  EXPECT_EQ(clicks, 3);
  KeyDown(runtime::kKeySpace);
  KeyUp(runtime::kKeySpace, true);
  KeyDown(runtime::kKeySpace, true);
  EXPECT_EQ(Peer().DrawnState(), 2);
  EXPECT_EQ(clicks, 3);
  KeyUp(runtime::kKeySpace);
  EXPECT_EQ(clicks, 4);
  EXPECT_EQ(Peer().DrawnState(), 0);
}

TEST_F(Interaction, AToggleButtonTogglesOnReleaseEnterAndSpaceButNotOnDoubleClick) {
  image_button::iButton& b = Button();
  b.SetBackPicture(runtime::Picture::FromFile(test_support::StripFile(10, 35, 35)));
  b.LetStyle(1);
  MoveTo(Centre());
  Press();
  Release();
  EXPECT_EQ(b.Value(), kTrue);
  EXPECT_EQ(Peer().DrawnState(), 1);
  EXPECT_EQ(Peer().StateImageFor(1)->Copy().At(0, 0), test_support::kFrameColours[5]);
  KeyDown(runtime::kKeyReturn);
  EXPECT_EQ(b.Value(), kFalse);
  KeyDown(runtime::kKeySpace);
  KeyUp(runtime::kKeySpace);
  EXPECT_EQ(b.Value(), kTrue);
  ws.PointerTo(Global({5, 5}));
  ws.Press(Surface(), kLeftButton, true);
  EXPECT_EQ(b.Value(), kTrue) << "the double click itself toggles nothing";
}

TEST_F(Interaction, AHandlerThatEndsTheProgramStopsTheButtonToo) {
  image_button::iButton& b = Button();
  b.Click.Handle([] { runtime::End(); });
  MoveTo(Centre());
  Press();
  Release();
  EXPECT_TRUE(program.Ended());
  EXPECT_TRUE(errors.numbers.empty());
  PointerTo(Outside());
  ws.Advance(120);
  EXPECT_EQ(outs, 0) << "no handler runs after the end";
}

// What a release does on a toggle button, decided by where the pointer is
// and by the Button argument as the container's MouseUp handler leaves it.
struct ReleaseRow {
  const char* name;
  std::int16_t pressed;
  std::int16_t buttonAfterHandler;  // 0: the handler leaves it alone
  bool outside;
  int clicks;
  runtime::Boolean value;
  std::int32_t drawn;
};

class ToggleRelease : public Interaction, public testing::WithParamInterface<ReleaseRow> {};

TEST_P(ToggleRelease, DecidesClickValueAndPicture) {
  const ReleaseRow& row = GetParam();
  image_button::iButton& b = Button();
  b.SetBackPicture(runtime::Picture::FromFile(test_support::StripFile(10, 35, 35)));
  b.LetStyle(1);
  if (row.buttonAfterHandler != 0) {
    b.MouseUp.Handle([&row](std::int16_t& button, std::int16_t&, float&, float&) { button = row.buttonAfterHandler; });
  }
  MoveTo(Centre());
  Press(row.pressed);
  if (row.outside) PointerTo(Outside());
  Release(row.pressed);
  EXPECT_EQ(clicks, row.clicks);
  EXPECT_EQ(b.Value(), row.value);
  EXPECT_EQ(Peer().DrawnState(), row.drawn);
}

INSTANTIATE_TEST_SUITE_P(
    Interaction, ToggleRelease,
    testing::Values(ReleaseRow{"LeftOver", kLeftButton, 0, false, 1, kTrue, 1},
                    ReleaseRow{"LeftOutsideTogglesNothing", kLeftButton, 0, true, 0, kFalse, 0},
                    // The runtime's click follows the press, which was the left button's.
                    ReleaseRow{"LeftMadeRightStaysPressed", kLeftButton, 2, false, 1, kFalse, 2},
                    ReleaseRow{"RightMadeLeftToggles", kRightButton, 1, false, 0, kTrue, 1}),
    [](const testing::TestParamInfo<ReleaseRow>& info) { return info.param.name; });

TEST_F(Interaction, AKeyUpHandlerThatClearsKeyCodeStopsSpace) {
  image_button::iButton& b = Button();
  b.SetBackPicture(runtime::Picture::FromFile(test_support::StripFile(10, 35, 35)));
  b.LetStyle(1);
  b.KeyUP.Handle([](std::int16_t& keyCode, std::int16_t&) { keyCode = 0; });
  KeyDown(runtime::kKeySpace);
  EXPECT_EQ(Peer().DrawnState(), 2);
  const int draws = Peer().DrawButtonCount();
  KeyUp(runtime::kKeySpace);
  EXPECT_EQ(clicks, 0);
  EXPECT_EQ(b.Value(), kFalse) << "no toggle";
  EXPECT_EQ(Peer().DrawButtonCount(), draws) << "no redraw";
}

// The state a refresh draws (here, setting Enabled): Pressed only while the
// left button is held with the pointer over the button, Normal when it is
// held elsewhere.
struct RefreshRow {
  const char* name;
  bool pointerOver;
  bool leftHeld;
  runtime::Boolean enabled;
  std::int32_t state;
};

class RefreshedState : public Interaction, public testing::WithParamInterface<RefreshRow> {};

TEST_P(RefreshedState, FollowsPointerButtonAndEnabled) {
  const RefreshRow& row = GetParam();
  image_button::iButton& b = Button();
  if (row.pointerOver || row.leftHeld) MoveTo(Centre());
  if (row.leftHeld) Press();
  if (!row.pointerOver) PointerTo(Outside());
  b.LetEnabled(row.enabled);
  EXPECT_EQ(Peer().DrawnState(), row.state);
  EXPECT_EQ(PixelAt(5, 5), test_support::kFrameColours[row.state]);
}

INSTANTIATE_TEST_SUITE_P(Interaction, RefreshedState,
                         testing::Values(RefreshRow{"Away", false, false, kTrue, 0},
                                         RefreshRow{"Over", true, false, kTrue, 1},
                                         RefreshRow{"HeldOver", true, true, kTrue, 2},
                                         RefreshRow{"HeldAway", false, true, kTrue, 0},
                                         RefreshRow{"DisabledOver", true, false, kFalse, 3},
                                         RefreshRow{"DisabledHeldOver", true, true, kFalse, 3}),
                         [](const testing::TestParamInfo<RefreshRow>& info) { return info.param.name; });

// A form whose first tab stop is a button: the focus starts on the button
// when the form first shows, not by Tab, and it shows its frame all the same.
TEST(IButtonFocus, AFormThatStartsOnAButtonShowsItsFocusFrame) {
  test_front_end::TestWindowSystem ws;
  runtime::Program program;
  test_support::RecordedErrors errors{program};
  runtime::ControlClasses classes;
  image_button::RegisterIButton(classes);
  const std::string bag = test_support::DefaultIButtonSettings().ToBytes();
  runtime::Form form(runtime::ParseFormDesign(test_support::OneButtonDesign(
                                                  "", "  Width = 525\n  Height = 525\n  TabIndex = 0\n"),
                                              "t.frm"),
                     classes, [&bag](std::string_view) { return bag; });
  image_button::iButton& b = form.ControlNamed<image_button::iButton>("B");
  dynamic_cast<test_front_end::TestForm&>(form.Window()).MoveTo({100, 100});
  ws.PointerTo({5, 5});  // away from the button
  form.Show();
  ASSERT_EQ(ws.Focused(), &b.Window());
  const runtime::Rgb plain = test_support::kFrameColours[0];
  EXPECT_EQ(test_support::IButtonPeer(b).ImagePixels().At(3, 3), plain ^ 0x00FFFFFFu);
  EXPECT_EQ(test_support::IButtonPeer(b).ImagePixels().At(4, 3), plain);
  EXPECT_TRUE(errors.numbers.empty());
}

}  // namespace
