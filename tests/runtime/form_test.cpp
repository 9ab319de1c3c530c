// SPDX-License-Identifier: MIT
#include "runtime/forms/form.h"

#include <gtest/gtest.h>

#include <map>
#include <string>

#include "front_end/test_window_system.h"
#include "runtime/controls/menu.h"
#include "runtime/controls/text_box.h"
#include "runtime/controls/timer.h"
#include "runtime/design/form_design.h"
#include "runtime/design/property_bag.h"
#include "runtime/dispatch.h"
#include "runtime/forms/control_classes.h"
#include "runtime/program.h"
#include "runtime/runtime_error.h"
#include "runtime/values/picture.h"
#include "runtime/values/picture_file.h"
#include "runtime/win32/win32.h"
#include "support/picture_file.h"
#include "support/raised_error.h"
#include "support/recorded_errors.h"

namespace {

using runtime::Form;
using runtime::TextBox;

constexpr const char* kDesign =
    "Begin Form F\n"
    "   BorderStyle = 0\n"
    "   ClientWidth = 4800\n"
    "   ClientHeight = 3600\n"
    "   Begin Timer Tick\n"
    "      Interval = 10\n"
    "   End\n"
    "   Begin TextBox T\n"
    "      Index = 2\n"
    "      Left = 960\n"
    "      Top = 2290\n"
    "      Width = 1215\n"
    "      Height = 315\n"
    "      TabIndex = 2\n"
    "   End\n"
    "   Begin TextBox T\n"
    "      Index = 0\n"
    "      Left = 960\n"
    "      Top = 880\n"
    "      Width = 1215\n"
    "      Height = 315\n"
    "      TabIndex = 0\n"
    "   End\n"
    "   Begin TextBox T\n"
    "      Index = 1\n"
    "      Left = 3950\n"
    "      Top = 10\n"
    "      Width = 420\n"
    "      Height = 420\n"
    "      TabIndex = 1\n"
    "   End\n"
    "   Begin Menu s\n"
    "      Caption = \"s\"\n"
    "      Begin Menu a\n"
    "         Caption = \"one\"\n"
    "      End\n"
    "      Begin Menu b\n"
    "         Caption = \"two\"\n"
    "      End\n"
    "   End\n"
    "End\n";

class FormTest : public testing::Test {
 protected:
  FormTest() : form(runtime::ParseFormDesign(kDesign, "t.frm"), classes) {}

  test_front_end::TestForm& Window() { return dynamic_cast<test_front_end::TestForm&>(form.Window()); }
  static const runtime::Rect& PlaceOf(const TextBox& field) {
    return dynamic_cast<const test_front_end::TestField&>(field.Window()).Place();
  }

  test_front_end::TestWindowSystem ws;  // first in, last out
  runtime::Program program;
  test_support::RecordedErrors errors{program};
  runtime::ControlClasses classes;
  Form form;
};

TEST_F(FormTest, ControlsStandAtTheirTwipsInTabOrder) {
  const auto fields = form.ArrayNamed<TextBox>("T");
  ASSERT_EQ(fields.Count(), 3u);
  EXPECT_EQ(Window().Place().width, 320);
  EXPECT_EQ(Window().Place().height, 240);
  EXPECT_TRUE(Window().Frameless());
  EXPECT_EQ(PlaceOf(fields(0)), (runtime::Rect{64, 59, 81, 21}));
  EXPECT_EQ(PlaceOf(fields(1)), (runtime::Rect{263, 1, 28, 28}));
  EXPECT_EQ(fields(1).Left(), 3950.0f) << "the twips stay as set";
  form.Show();
  EXPECT_EQ(ws.Focused(), &fields(0).Window()) << "the first in tab order starts with the focus";
  for (int i = 1; i <= 2; ++i) {
    ws.Tab();
    EXPECT_EQ(ws.Focused(), &fields(i).Window()) << "Tab leads to T(" << i << ")";
  }
  EXPECT_EQ(test_support::ErrorNumberOf([&] { fields(3); }), runtime::kControlArrayElementMissing);
}

TEST_F(FormTest, ADesignNamingWhatDoesNotExistDoesNotLoad) {
  const char* designs[] = {
      "Begin Form F\n Begin Gadget G\n End\nEnd\n",
      "Begin Form F\n Begin TextBox T\n Colour = 1\n End\nEnd\n",
      "Begin Form F\n Begin TextBox T\n End\n Begin TextBox T\n End\nEnd\n",
      "Begin Form F\n Begin TextBox T\n Width = 1E300\n End\nEnd\n",
      "Begin TextBox F\nEnd\n",
  };
  for (const char* design : designs) {
    SCOPED_TRACE(design);
    EXPECT_EQ(test_support::ErrorNumberOf([&] { Form broken(runtime::ParseFormDesign(design, "t.frm"), classes); }),
              runtime::kLoadError);
  }
}

// Any mouse button on the background raises MouseDown with the press in
// twips; the handler's release of the pointer and move command reach the
// window system. (How the window then follows the pointer is the front-end's.)
TEST_F(FormTest, APressOnTheBackgroundReachesMouseDownAndItsDragReachesTheWindowSystem) {
  form.MouseDown.Handle([this](std::int16_t& button, std::int16_t&, float& x, float& y) {
    EXPECT_EQ(button, 2);
    EXPECT_EQ(x, 75.0f);
    EXPECT_EQ(y, 150.0f);
    runtime::win32::ReleaseCapture();
    runtime::win32::SendMessageA(form.hWnd(), runtime::win32::WM_SYSCOMMAND, 0xF012, 0);
  });
  form.Show();
  ws.PressOnBackground(Window(), {5, 10}, runtime::kRightButton);
  EXPECT_EQ(ws.CaptureReleases(), 1);
  EXPECT_EQ(Window().Drags(), 1);
  EXPECT_TRUE(errors.numbers.empty());
}

TEST_F(FormTest, APopupMenuOpensAtItsPlaceAndTheChosenItemRunsBeforeItReturns) {
  runtime::Menu& s = form.MenuNamed("s");
  std::vector<std::string> clicked;
  form.MenuNamed("a").Click.Handle([&] { clicked.push_back("a"); });
  form.MenuNamed("b").Click.Handle([&] { clicked.push_back("b"); });
  form.Show();
  ws.ChooseInNextMenu(1);
  runtime::Boundary([&] {
    form.PopupMenu(s, 240, 3225);
    clicked.push_back("returned");
  });
  ASSERT_NE(ws.OpenedMenu(), nullptr);
  EXPECT_EQ(ws.OpenedMenu()->OpenedAt(), Window().ClientToScreen({16, 215}));
  EXPECT_EQ(clicked, (std::vector<std::string>{"b", "returned"}));
}

TEST_F(FormTest, ADisabledItemCannotBeChosen) {
  runtime::Menu& s = form.MenuNamed("s");
  int clicks = 0;
  form.MenuNamed("a").Click.Handle([&] { ++clicks; });
  form.MenuNamed("a").SetEnabled(false);
  form.MenuNamed("b").SetEnabled(false);
  form.Show();
  for (const std::size_t item : {0, 1}) {
    ws.ChooseInNextMenu(item);
    runtime::Boundary([&] { form.PopupMenu(s, 0, 0); });
  }
  EXPECT_EQ(clicks, 0);
  ASSERT_NE(ws.OpenedMenu(), nullptr);
  EXPECT_FALSE(ws.OpenedMenu()->Items().at(0).item.enabled) << "the window system shows it disabled";
  // Enabled again, it is chosen.
  form.MenuNamed("a").SetEnabled(true);
  EXPECT_TRUE(ws.OpenedMenu()->Items().at(0).item.enabled);
  ws.ChooseInNextMenu(0);
  runtime::Boundary([&] { form.PopupMenu(s, 0, 0); });
  EXPECT_EQ(clicks, 1);
}

// A menu opened with no place given opens where the pointer is; one already
// open, or with no items, does not open again.
TEST_F(FormTest, APopupMenuWithoutAPlaceOpensAtThePointer) {
  form.Show();
  ws.PointerTo({400, 300});
  ws.ChooseInNextMenu(std::nullopt);
  runtime::Boundary([&] { form.PopupMenu(form.MenuNamed("s")); });
  ASSERT_NE(ws.OpenedMenu(), nullptr);
  EXPECT_EQ(ws.OpenedMenu()->OpenedAt(), (runtime::Point{400, 300}));
  int nested = 0;
  ws.ChooseInNextMenu(std::nullopt, [&] {
    ++nested;
    runtime::Boundary([&] { form.PopupMenu(form.MenuNamed("s")); });
  });
  runtime::Boundary([&] { form.PopupMenu(form.MenuNamed("s")); });
  EXPECT_EQ(nested, 1) << "the menu did not open inside itself";
  runtime::Boundary([&] { form.PopupMenu(form.MenuNamed("s"), 2e6f, 0); });
  EXPECT_EQ(errors.numbers, std::vector<int>{runtime::kInvalidProcedureCall}) << "a place beyond any screen";
}

TEST_F(FormTest, TimersTickUntilTheProgramEnds) {
  int ticks = 0;
  runtime::Timer& timer = form.TimerNamed("Tick");
  timer.Tick.Handle([&] {
    if (++ticks == 3) runtime::End();
  });
  ws.Advance(30);
  EXPECT_TRUE(program.Ended());
  ws.Advance(50);
  EXPECT_EQ(ticks, 3) << "no tick after the end";
}

TEST_F(FormTest, ClosingTheStartUpWindowEndsTheProgram) {
  form.SetEndsProgramWhenClosed(true);
  form.Show();
  ws.Close(Window());
  EXPECT_TRUE(program.Ended());
  EXPECT_FALSE(Window().Shown());
  EXPECT_TRUE(errors.numbers.empty());
}

TEST_F(FormTest, ClosingAnotherWindowEndsNothing) {
  form.Show();
  ws.Close(Window());
  EXPECT_FALSE(program.Ended());
}

TEST_F(FormTest, WindowStateMinimisesAndRefusesUnknownStates) {
  form.Show();
  runtime::Boundary([&] { form.SetWindowState(1); });
  EXPECT_EQ(form.WindowState(), 1);
  runtime::Boundary([&] { form.SetWindowState(7); });
  EXPECT_EQ(errors.numbers, std::vector<int>{runtime::kInvalidPropertyValue});
}

// The timers of a form rest while nothing of it can be seen, and tick once
// at once when it can be again.
TEST_F(FormTest, TimersRestWhileTheWindowIsOutOfSight) {
  int ticks = 0;
  form.TimerNamed("Tick").Tick.Handle([&] { ++ticks; });
  form.Show();
  runtime::Boundary([&] { form.SetWindowState(Form::kMinimized); });
  ws.Advance(20);
  EXPECT_EQ(ticks, 2) << "minimised but still shown, as without a window manager";
  Window().SetShownByDesktop(false);
  ws.Advance(100);
  EXPECT_EQ(ticks, 2) << "no tick while out of sight";
  Window().SetShownByDesktop(true);
  EXPECT_EQ(ticks, 3) << "one tick at once on coming back";
  runtime::Boundary([&] { form.SetWindowState(Form::kNormal); });
  ws.Advance(10);
  EXPECT_EQ(ticks, 4);
}

TEST_F(FormTest, TheFirstShowPlacesTheWindowAndStartsTheTimersAfresh) {
  int ticks = 0;
  form.TimerNamed("Tick").Tick.Handle([&] { ++ticks; });
  ws.Advance(5);
  form.Show();
  ws.Advance(9);
  EXPECT_EQ(ticks, 0) << "the interval counts from the first show";
  ws.Advance(1);
  EXPECT_EQ(ticks, 1);
  EXPECT_TRUE(Window().Shown());
}

std::string Encoded(const char* format, runtime::Rgb colour) {
  return test_support::FlatPictureFile(9, 4, colour, format);
}

std::string BagHolding(const std::string& picture) {
  runtime::PropertyBag bag;
  bag.WriteProperty("BackPicture", runtime::Variant::FromPicture(runtime::Picture::FromFile(picture)));
  return bag.ToBytes();
}

TEST(FormDecodeAhead, TheWindowsPicturesAndTheControlsAreDecodedAheadPastWhatCannotBeRead) {
  test_front_end::TestWindowSystem ws;
  // Colours of their own, so that no earlier decoding holds these files.
  const std::string skin = Encoded("jpeg", runtime::MakeRgb(201, 3, 77));
  const std::string icon = Encoded("ico", runtime::MakeRgb(5, 199, 31));
  const std::string strip = Encoded("png", runtime::MakeRgb(17, 240, 130));
  const std::string other = Encoded("png", runtime::MakeRgb(250, 9, 251));
  const std::map<std::string, std::string, std::less<>> stored = {
      {"skin.jpg", skin},           {"icon.ico", icon},           {"a.bag", BagHolding(strip)},
      {"b.bag", BagHolding(strip)}, {"c.bag", BagHolding(other)}, {"broken.bag", "\x05"}};
  const runtime::DesignFiles files = [&](std::string_view name) {
    const auto found = stored.find(name);
    if (found == stored.end()) runtime::Raise(runtime::kLoadError, "no such file");
    return found->second;
  };
  const runtime::DesignNode design = runtime::ParseFormDesign(
      "Begin Form F\n"
      "   Picture = \"skin.jpg\"\n"
      "   Icon = \"icon.ico\"\n"
      "   Begin K A\n      Settings = \"missing.bag\"\n   End\n"
      "   Begin K B\n      Settings = 7\n   End\n"
      "   Begin K C\n      Settings = \"broken.bag\"\n   End\n"
      "   Begin K D\n      Settings = \"a.bag\"\n   End\n"
      "   Begin K E\n      Settings = \"b.bag\"\n   End\n"
      "   Begin K G\n      Settings = \"c.bag\"\n   End\n"
      "End\n",
      "ahead.frm");
  Form::DecodePicturesAhead(design, files);
  for (const std::string& file : {skin, icon, strip, other}) {
    const std::optional<std::vector<runtime::Pixels>> images = runtime::TakeDecodedAhead(file);
    ASSERT_TRUE(images.has_value()) << file.substr(0, 8);
    EXPECT_EQ(*images, runtime::DecodePictureFile(file));
  }
  runtime::FinishDecodingAhead();
}

// The window carries the design's picture and every size of its icon.
TEST(FormPictures, TheWindowGetsItsPictureAndEveryImageOfItsIcon) {
  test_front_end::TestWindowSystem ws;
  runtime::Program program;
  runtime::ControlClasses classes;
  const std::string skin = test_support::FlatPictureFile(32, 24, runtime::MakeRgb(1, 2, 250), "png");
  const std::string icon = test_support::FlatPictureFile(16, 16, runtime::MakeRgb(9, 9, 9), "ico");
  const runtime::DesignFiles files = [&](std::string_view name) { return name == "skin.png" ? skin : icon; };
  Form form(runtime::ParseFormDesign("Begin Form F\n Picture = \"skin.png\"\n Icon = \"icon.ico\"\nEnd\n", "t.frm"),
            classes, files);
  const auto& window = dynamic_cast<const test_front_end::TestForm&>(form.Window());
  ASSERT_TRUE(window.Picture());
  EXPECT_EQ(window.Picture()->At(5, 5), runtime::MakeRgb(1, 2, 250));
  ASSERT_EQ(window.Icon().size(), 1u);
  EXPECT_EQ(window.Icon()[0]->Width(), 16);
  EXPECT_EQ(form.Caption(), u"F") << "without a caption, the form's name";
  EXPECT_EQ(test_support::ErrorNumberOf([&] {
              Form broken(runtime::ParseFormDesign("Begin Form F\n Icon = \"skin.png\"\nEnd\n", "t.frm"), classes,
                          [&](std::string_view) { return std::string("no picture"); });
            }),
            runtime::kLoadError)
      << "an icon that is no picture does not load";
}

}  // namespace
