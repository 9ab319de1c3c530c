// SPDX-License-Identifier: MIT
#include <QClipboard>
#include <QColor>
#include <QPalette>
#include <functional>

#include "main_window/form2.h"
#include "main_window/main_window_fixture.h"
#include "runtime/controls/line_edit_box.h"
#include "runtime/controls/menu.h"
#include "runtime/controls/timer.h"
#include "runtime/values/colour.h"

namespace {

using test_support::MainWindowTest;

struct KeypadRow {
  const char* name;
  std::vector<const char*> clicks;
  const char* input;
  const char* fat32;
  const char* ntfs;
};

class Keypad : public MainWindowTest, public testing::WithParamInterface<KeypadRow> {};

TEST_P(Keypad, ClicksTypeDigitsAndBothSizesFollowAtOnce) {
  const KeypadRow& row = GetParam();
  for (const char* button : row.clicks) Click(button);
  EXPECT_EQ(Text(0), QString::fromUtf8(row.input));
  EXPECT_EQ(Text(1), QString::fromUtf8(row.fat32));
  EXPECT_EQ(Text(2), QString::fromUtf8(row.ntfs));
  EXPECT_EQ(Field(0).SelStart(), Text(0).size()) << "the caret ends at the end";
}

INSTANTIATE_TEST_SUITE_P(
    MainWindow, Keypad,
    testing::Values(
        KeypadRow{"OneTwoThree", {"iButton3", "iButton8", "iButton7"}, "123", "126440", "125955"},
        KeypadRow{"EveryKey",
                  {"iButton3", "iButton8", "iButton7", "iButton6", "iButton5", "iButton4"},
                  "123456", "126912764", "126418945"},
        KeypadRow{"SevenEightNine", {"iButton9", "iButton10", "iButton11"}, "789", "811088", "807941"},
        KeypadRow{"SixDigitsAtMost",
                  {"iButton3", "iButton8", "iButton7", "iButton6", "iButton5", "iButton4", "iButton9"},
                  "123456", "126912764", "126418945"},
        KeypadRow{"ZeroNeverStartsASize", {"iButton12", "iButton12", "iButton3", "iButton12"}, "10",
                  "10276", "10245"},
        KeypadRow{"ClearEmptiesAll", {"iButton3", "iButton8", "iButton14"}, "", "", ""}),
    [](const testing::TestParamInfo<KeypadRow>& info) { return info.param.name; });

TEST_F(MainWindowTest, TheKeyboardTypesDigitsAndBackspaceOnly) {
  Field(0).Widget()->setFocus();
  Type(0, QStringLiteral("1a 2.-3x"));
  EXPECT_EQ(Text(0), QStringLiteral("123"));
  QTest::keyClick(Field(0).Widget(), Qt::Key_Backspace);
  EXPECT_EQ(Text(0), QStringLiteral("12"));
  QGuiApplication::clipboard()->setText(QStringLiteral("4"));
  QTest::keyClick(Field(0).Widget(), Qt::Key_V, Qt::ControlModifier);
  QTest::keyClick(Field(0).Widget(), Qt::Key_Return);
  EXPECT_EQ(Text(0), QStringLiteral("12")) << "control characters are refused";
  Type(0, QStringLiteral("34567"));
  EXPECT_EQ(Text(0), QStringLiteral("123456")) << "the field holds six characters";
  Type(1, QStringLiteral("9"));
  Type(2, QStringLiteral("9"));
  EXPECT_EQ(Text(1), QStringLiteral("126912764")) << "the outputs are locked";
}

TEST_F(MainWindowTest, TheKeyboardsZeroWorksOnAnEmptyField) {
  Type(0, QStringLiteral("0"));
  EXPECT_EQ(Text(0), QStringLiteral("0"));
  EXPECT_EQ(Text(1), QStringLiteral("-4"));
  EXPECT_EQ(Text(2), QStringLiteral("8"));
}

TEST_F(MainWindowTest, ADigitReplacesTheSelectionAndTheCaretGoesToTheEnd) {
  Type(0, QStringLiteral("12345"));
  Field(0).Field().setSelection(1, 2);
  Click("iButton4");  // "6"
  EXPECT_EQ(Text(0), QStringLiteral("1645"));
  EXPECT_EQ(Field(0).SelStart(), 4);
  EXPECT_EQ(Field(0).SelLength(), 0);
  Type(0, QStringLiteral("78"));
  Field(0).Field().setSelection(0, 3);
  Click("iButton3");
  EXPECT_EQ(Text(0), QStringLiteral("164578")) << "six characters: no digit, selection or not";
  Field(0).Field().setCursorPosition(0);
  QTest::keyClick(Field(0).Widget(), Qt::Key_Backspace);  // nothing before the caret
  Field(0).Field().setCursorPosition(2);
  QTest::keyClick(Field(0).Widget(), Qt::Key_Delete);
  EXPECT_EQ(Text(0), QStringLiteral("16578"));
  EXPECT_EQ(Field(0).SelStart(), 5) << "typing in the middle puts the caret back at the end";
}

TEST_F(MainWindowTest, TheKeypadsZeroOverTheWholeInputLeavesZero) {
  Type(0, QStringLiteral("12"));
  Field(0).Field().selectAll();
  Click("iButton12");
  EXPECT_EQ(Text(0), QStringLiteral("0"));
  EXPECT_EQ(Text(1), QStringLiteral("-4"));
  EXPECT_EQ(Text(2), QStringLiteral("8"));
}

// "23" of 12345 is selected; the focus then leaves the size field before a
// key is worked. The key's digit still replaces the selection.
TEST_F(MainWindowTest, AKeyReplacesASelectionMadeBeforeTheFocusMoved) {
  ASSERT_TRUE(QTest::qWaitForWindowActive(&form.Widget()));
  const struct {
    const char* how;
    std::function<void()> work;
    const char* input;
  } rows[] = {
      {"a click on the FAT32 field, then the key 9",
       [&] {
         QTest::mouseClick(Field(1).Widget(), Qt::LeftButton, {}, QPoint(5, 5));
         ASSERT_TRUE(Field(1).Widget()->hasFocus());
         Click("iButton11");
       },
       "1945"},
      {"Tab to the key 1, then Space",
       [&] {
         for (int i = 0; i < 5; ++i) QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
         ASSERT_EQ(QApplication::focusWidget(), Button("iButton3").Widget());
         QTest::keyClick(QApplication::focusWidget(), Qt::Key_Space);
       },
       "1145"},
  };
  for (const auto& row : rows) {
    SCOPED_TRACE(row.how);
    Click("iButton14");
    Field(0).Widget()->setFocus(Qt::MouseFocusReason);
    Type(0, QStringLiteral("12345"));
    QTest::keyClick(Field(0).Widget(), Qt::Key_Home);
    QTest::keyClick(Field(0).Widget(), Qt::Key_Right);
    QTest::keyClick(Field(0).Widget(), Qt::Key_Right, Qt::ShiftModifier);
    QTest::keyClick(Field(0).Widget(), Qt::Key_Right, Qt::ShiftModifier);
    row.work();
    EXPECT_EQ(Text(0), QString::fromUtf8(row.input));
    EXPECT_EQ(Field(0).SelStart(), 4) << "the caret goes to the end";
  }
}

// Any mouse button on the background drags the window; on a field or a key
// the press is the control's.
TEST_F(MainWindowTest, OnlyAPressOnTheBackgroundDragsTheWindow) {
  const struct {
    const char* where;
    QWidget* target;
    QPoint at;
    Qt::MouseButton button;
    bool drags;
  } rows[] = {
      {"background, left", &form.Widget(), QPoint(6, 120), Qt::LeftButton, true},
      {"background, right", &form.Widget(), QPoint(6, 120), Qt::RightButton, true},
      {"size field", Field(0).Widget(), QPoint(10, 10), Qt::LeftButton, false},
      {"FAT32 field", Field(1).Widget(), QPoint(10, 10), Qt::LeftButton, false},
      {"key 1", Button("iButton3").Widget(), QPoint(17, 17), Qt::LeftButton, false},
      {"key 1, right", Button("iButton3").Widget(), QPoint(17, 17), Qt::RightButton, false},
      {"copy", Button("iButton13").Widget(), QPoint(17, 17), Qt::RightButton, false},
  };
  for (const auto& row : rows) {
    SCOPED_TRACE(row.where);
    form.Widget().move(200, 200);
    QTest::mousePress(row.target, row.button, {}, row.at);
    const QPoint to = row.at + QPoint(30, 20);
    QMouseEvent move(QEvent::MouseMove, to, row.target->mapToGlobal(to), Qt::NoButton, row.button, Qt::NoModifier);
    QApplication::sendEvent(row.target, &move);
    QTest::mouseRelease(row.target, row.button, {}, to);
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    EXPECT_EQ(form.Widget().pos(), row.drags ? QPoint(230, 220) : QPoint(200, 200));
  }
}

TEST_F(MainWindowTest, EmptyingTheInputLeavesTheLastSizesShown) {
  Type(0, QStringLiteral("45"));
  QTest::keyClick(Field(0).Widget(), Qt::Key_Backspace);
  QTest::keyClick(Field(0).Widget(), Qt::Key_Backspace);
  EXPECT_EQ(Text(0), QString());
  EXPECT_EQ(Text(1), QStringLiteral("4108"));
  EXPECT_EQ(Text(2), QStringLiteral("4103"));
  EXPECT_TRUE(Eventually([&] { return !project.Form2().a.Enabled(); }));
}

TEST_F(MainWindowTest, ClearEmptiesAllThreeAndTheCopyItemsFollowWithinATick) {
  Type(0, QStringLiteral("33"));
  EXPECT_TRUE(Eventually([&] { return project.Form2().c.Enabled(); }));
  Click("iButton14");
  EXPECT_EQ(Text(0), QString());
  EXPECT_EQ(Text(1), QString());
  EXPECT_EQ(Text(2), QString());
  EXPECT_EQ(Field(0).SelStart(), 0);
  EXPECT_TRUE(Eventually([&] {
    const main_window::Form2& menu = project.Form2();
    return !menu.a.Enabled() && !menu.b.Enabled() && !menu.c.Enabled();
  }));
  EXPECT_EQ(Field(1).ForeColor(), runtime::kSystemWindowText);
}

TEST_F(MainWindowTest, TheFat32SizeTurnsRedAbove32WithinATick) {
  const struct {
    const char* input;
    runtime::Colour colour;
  } rows[] = {{"32", runtime::kSystemWindowText}, {"33", 255}, {"", runtime::kSystemWindowText},
              {"40abc", 255}, {"1E400", 255}, {"007", runtime::kSystemWindowText}};
  for (const auto& row : rows) {
    SCOPED_TRACE(row.input);
    Write(0, QString::fromUtf8(row.input));
    EXPECT_TRUE(Eventually([&] { return Field(1).ForeColor() == row.colour; }));
    EXPECT_EQ(Field(1).Widget()->palette().color(QPalette::Text), runtime::ToQColor(row.colour));
  }
}

TEST_F(MainWindowTest, EachSizeIsWrittenOrKeptOnItsOwn) {
  Type(0, QStringLiteral("12"));
  // Only the FAT32 size overflows for this number; the recalculation goes on
  // past the failed step.
  Field(0).Field().setCursorPosition(0);
  Write(0, QStringLiteral("1.75E305"));
  EXPECT_EQ(Text(1), QStringLiteral("12332"));
  EXPECT_EQ(Text(2).left(6), QStringLiteral("1.792E"));
  EXPECT_EQ(Field(0).SelStart(), 8);
  EXPECT_TRUE(errors.numbers.empty()) << "the recalculation reports nothing";
  Write(0, QStringLiteral("abc"));
  EXPECT_EQ(Text(1), QStringLiteral("12332"));
  EXPECT_EQ(Text(2).left(6), QStringLiteral("1.792E"));
}

TEST_F(MainWindowTest, AnUnhandledErrorIsReportedOnceAndTheWindowGoesOn) {
  Button("iButton14").Click.Handle([] { runtime::Raise(runtime::kOverflow); });
  Click("iButton14");
  EXPECT_EQ(errors.numbers, std::vector<int>{6});
  Click("iButton3");
  EXPECT_EQ(Text(0), QStringLiteral("1"));
  EXPECT_EQ(Text(1), QStringLiteral("1024"));
  EXPECT_EQ(errors.numbers.size(), 1u);
}

TEST_F(MainWindowTest, TheCopyMenusFormComesWithTheFirstTickAndIsNeverShown) {
  EXPECT_FALSE(Form2Exists());
  EXPECT_TRUE(Eventually([&] { return Form2Exists(); }));
  QTest::qWait(50);
  EXPECT_FALSE(project.Form2().Widget().isVisible());
}

TEST_F(MainWindowTest, TheCloseButtonEndsTheProgramAndNothingRunsAfter) {
  Click("iButton1");
  EXPECT_TRUE(project.Ended());
  EXPECT_FALSE(form.Widget().isVisible());
  Click("iButton3");
  EXPECT_EQ(Text(0), QString()) << "no handler runs once the program has ended";
  EXPECT_TRUE(errors.numbers.empty());
}

TEST_F(MainWindowTest, TheMinimiseButtonMinimises) {
  Click("iButton2");
  EXPECT_EQ(form.WindowState(), 1);
}

}  // namespace
