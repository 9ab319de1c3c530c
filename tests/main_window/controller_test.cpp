// SPDX-License-Identifier: MIT
#include <functional>

#include "main_window/form2.h"
#include "main_window/main_window_fixture.h"
#include "runtime/controls/menu.h"
#include "runtime/controls/timer.h"
#include "runtime/seam/input.h"
#include "runtime/values/colour.h"
#include "runtime/values/text.h"

namespace {

using test_support::MainWindowTest;

struct KeypadRow {
  const char* name;
  std::vector<const char*> clicks;
  const char16_t* input;
  const char16_t* fat32;
  const char16_t* ntfs;
};

class Keypad : public MainWindowTest, public testing::WithParamInterface<KeypadRow> {};

TEST_P(Keypad, ClicksTypeDigitsAndBothSizesFollowAtOnce) {
  const KeypadRow& row = GetParam();
  for (const char* button : row.clicks) Click(button);
  EXPECT_EQ(Text(0), row.input);
  EXPECT_EQ(Text(1), row.fat32);
  EXPECT_EQ(Text(2), row.ntfs);
  EXPECT_EQ(Field(0).SelStart(), static_cast<std::int32_t>(Text(0).size())) << "the caret ends at the end";
}

INSTANTIATE_TEST_SUITE_P(
    MainWindow, Keypad,
    testing::Values(
        KeypadRow{"OneTwoThree", {"iButton3", "iButton8", "iButton7"}, u"123", u"126440", u"125955"},
        KeypadRow{"EveryKey",
                  {"iButton3", "iButton8", "iButton7", "iButton6", "iButton5", "iButton4"},
                  u"123456", u"126912764", u"126418945"},
        KeypadRow{"SevenEightNine", {"iButton9", "iButton10", "iButton11"}, u"789", u"811088", u"807941"},
        KeypadRow{"SixDigitsAtMost",
                  {"iButton3", "iButton8", "iButton7", "iButton6", "iButton5", "iButton4", "iButton9"},
                  u"123456", u"126912764", u"126418945"},
        KeypadRow{"ZeroNeverStartsASize", {"iButton12", "iButton12", "iButton3", "iButton12"}, u"10",
                  u"10276", u"10245"},
        KeypadRow{"ClearEmptiesAll", {"iButton3", "iButton8", "iButton14"}, u"", u"", u""}),
    [](const testing::TestParamInfo<KeypadRow>& info) { return info.param.name; });

TEST_F(MainWindowTest, TheKeyboardTypesDigitsAndBackspaceOnly) {
  Type(0, u"1a 2.-3x");
  EXPECT_EQ(Text(0), u"123");
  Type(0, u"\b");
  EXPECT_EQ(Text(0), u"12");
  ws.SetClipboardText(u"4");
  Type(0, u"\x16\r");  // Ctrl+V, Enter
  EXPECT_EQ(Text(0), u"12") << "control characters are refused";
  Type(0, u"34567");
  EXPECT_EQ(Text(0), u"123456") << "the field holds six characters";
  Type(1, u"9");
  Type(2, u"9");
  EXPECT_EQ(Text(1), u"126912764") << "the outputs are locked";
}

TEST_F(MainWindowTest, TheKeyboardsZeroWorksOnAnEmptyField) {
  Type(0, u"0");
  EXPECT_EQ(Text(0), u"0");
  EXPECT_EQ(Text(1), u"-4");
  EXPECT_EQ(Text(2), u"8");
}

TEST_F(MainWindowTest, ADigitReplacesTheSelectionAndTheCaretGoesToTheEnd) {
  Type(0, u"12345");
  FieldWindow(0).Select(1, 2);
  Click("iButton4");  // "6"
  EXPECT_EQ(Text(0), u"1645");
  EXPECT_EQ(Field(0).SelStart(), 4);
  EXPECT_EQ(Field(0).SelLength(), 0);
  Type(0, u"78");
  FieldWindow(0).Select(0, 3);
  Click("iButton3");
  EXPECT_EQ(Text(0), u"164578") << "six characters: no digit, selection or not";
  FieldWindow(0).SetCaret(0);
  Type(0, u"\b");  // nothing before the caret
  // Delete, which the field does by itself: the character after the caret goes.
  FieldWindow(0).Select(2, 1);
  FieldWindow(0).ReplaceSelection(u"");
  EXPECT_EQ(Text(0), u"16578");
  EXPECT_EQ(Field(0).SelStart(), 5) << "typing in the middle puts the caret back at the end";
}

TEST_F(MainWindowTest, TheKeypadsZeroOverTheWholeInputLeavesZero) {
  Type(0, u"12");
  FieldWindow(0).Select(0, 2);
  Click("iButton12");
  EXPECT_EQ(Text(0), u"0");
  EXPECT_EQ(Text(1), u"-4");
  EXPECT_EQ(Text(2), u"8");
}

// "23" of 12345 is selected; the focus then leaves the size field before a
// key is worked. The key's digit still replaces the selection.
TEST_F(MainWindowTest, AKeyReplacesASelectionMadeBeforeTheFocusMoved) {
  const struct {
    const char* how;
    std::function<void()> work;
    const char16_t* input;
  } rows[] = {
      {"a click on the FAT32 field, then the key 9",
       [&] {
         FieldWindow(1).Focus();
         Click("iButton11");
       },
       u"1945"},
      {"Tab to the key 1, then Space",
       [&] {
         for (int i = 0; i < 5; ++i) ws.Tab();
         ASSERT_EQ(ws.Focused(), &Button("iButton3").Window());
         ws.PressKey(Surface("iButton3"), runtime::kKeySpace, u' ');
         ws.ReleaseKey(Surface("iButton3"), runtime::kKeySpace);
       },
       u"1145"},
  };
  for (const auto& row : rows) {
    SCOPED_TRACE(row.how);
    Click("iButton14");
    FieldWindow(0).Focus();
    Type(0, u"12345");
    FieldWindow(0).Select(1, 2);
    row.work();
    EXPECT_EQ(Text(0), row.input);
    EXPECT_EQ(Field(0).SelStart(), 4) << "the caret goes to the end";
  }
}

// Any mouse button on the background drags the window; on a key the press
// is the key's.
TEST_F(MainWindowTest, OnlyAPressOnTheBackgroundDragsTheWindow) {
  ws.PressOnBackground(Window(), {6, 120}, runtime::kLeftButton);
  ws.PressOnBackground(Window(), {6, 120}, runtime::kRightButton);
  EXPECT_EQ(Window().Drags(), 2);
  EXPECT_EQ(ws.CaptureReleases(), 2) << "the pointer is let go first";
  for (const char* key : {"iButton3", "iButton13"}) {
    for (const std::int16_t button : {runtime::kLeftButton, runtime::kRightButton}) {
      ws.Click(Surface(key), button);
    }
  }
  EXPECT_EQ(Window().Drags(), 2);
}

TEST_F(MainWindowTest, EmptyingTheInputLeavesTheLastSizesShown) {
  Type(0, u"45\b\b");
  EXPECT_EQ(Text(0), u"");
  EXPECT_EQ(Text(1), u"4108");
  EXPECT_EQ(Text(2), u"4103");
  Tick();
  EXPECT_FALSE(project.Form2().a.Enabled());
}

TEST_F(MainWindowTest, ClearEmptiesAllThreeAndTheCopyItemsFollowWithinATick) {
  Type(0, u"33");
  Tick();
  EXPECT_TRUE(project.Form2().c.Enabled());
  Click("iButton14");
  EXPECT_EQ(Text(0), u"");
  EXPECT_EQ(Text(1), u"");
  EXPECT_EQ(Text(2), u"");
  EXPECT_EQ(Field(0).SelStart(), 0);
  Tick();
  const main_window::Form2& menu = project.Form2();
  EXPECT_TRUE(!menu.a.Enabled() && !menu.b.Enabled() && !menu.c.Enabled());
  EXPECT_EQ(Field(1).ForeColor(), runtime::kSystemWindowText);
}

TEST_F(MainWindowTest, TheFat32SizeTurnsRedAbove32WithinATick) {
  const struct {
    const char16_t* input;
    runtime::Colour colour;
  } rows[] = {{u"32", runtime::kSystemWindowText}, {u"33", 255}, {u"", runtime::kSystemWindowText},
              {u"40abc", 255}, {u"1E400", 255}, {u"007", runtime::kSystemWindowText}};
  for (const auto& row : rows) {
    SCOPED_TRACE(runtime::Utf8(row.input));
    Write(0, row.input);
    Tick();
    EXPECT_EQ(Field(1).ForeColor(), row.colour);
    EXPECT_EQ(FieldWindow(1).TextColour(), row.colour) << "the field shows it";
  }
}

TEST_F(MainWindowTest, EachSizeIsWrittenOrKeptOnItsOwn) {
  Type(0, u"12");
  // Only the FAT32 size overflows for this number; the recalculation goes on
  // past the failed step.
  FieldWindow(0).SetCaret(0);
  Write(0, u"1.75E305");
  EXPECT_EQ(Text(1), u"12332");
  EXPECT_EQ(Text(2).substr(0, 6), u"1.792E");
  EXPECT_EQ(Field(0).SelStart(), 8);
  EXPECT_TRUE(errors.numbers.empty()) << "the recalculation reports nothing";
  Write(0, u"abc");
  EXPECT_EQ(Text(1), u"12332");
  EXPECT_EQ(Text(2).substr(0, 6), u"1.792E");
}

TEST_F(MainWindowTest, AnUnhandledErrorIsReportedOnceAndTheWindowGoesOn) {
  Button("iButton14").Click.Handle([] { runtime::Raise(runtime::kOverflow); });
  Click("iButton14");
  EXPECT_EQ(errors.numbers, std::vector<int>{6});
  Click("iButton3");
  EXPECT_EQ(Text(0), u"1");
  EXPECT_EQ(Text(1), u"1024");
  EXPECT_EQ(errors.numbers.size(), 1u);
}

TEST_F(MainWindowTest, TheCopyMenusFormComesWithTheFirstTickAndIsNeverShown) {
  EXPECT_FALSE(Form2Exists());
  Tick();
  EXPECT_TRUE(Form2Exists());
  ws.Advance(50);
  EXPECT_FALSE(dynamic_cast<test_front_end::TestForm&>(project.Form2().Window()).Shown());
}

TEST_F(MainWindowTest, TheCloseButtonEndsTheProgramAndNothingRunsAfter) {
  Click("iButton1");
  EXPECT_TRUE(project.Ended());
  EXPECT_FALSE(Window().Shown());
  Click("iButton3");
  EXPECT_EQ(Text(0), u"") << "no handler runs once the program has ended";
  EXPECT_TRUE(errors.numbers.empty());
}

TEST_F(MainWindowTest, TheMinimiseButtonMinimises) {
  Click("iButton2");
  EXPECT_EQ(form.WindowState(), 1);
}

}  // namespace
