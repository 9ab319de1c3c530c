// SPDX-License-Identifier: MIT
#include "runtime/controls/text_box.h"

#include <gtest/gtest.h>

#include <QAction>
#include <QApplication>
#include <QClipboard>
#include <QInputMethodEvent>
#include <QMenu>
#include <QTest>
#include <functional>

#include "runtime/controls/line_edit_box.h"
#include "runtime/design/form_design.h"
#include "runtime/dispatch.h"
#include "runtime/forms/control_classes.h"
#include "runtime/forms/form.h"
#include "runtime/forms/form_widget.h"
#include "runtime/program.h"
#include "support/raised_error.h"

namespace {

using runtime::TextBox;

constexpr const char* kDesign =
    "Begin Form F\n"
    "   Begin TextBox Input\n"
    "      MaxLength = 3\n"
    "      TabIndex = 0\n"
    "      Width = 1200\n"
    "      Height = 315\n"
    "   End\n"
    "   Begin TextBox Output\n"
    "      Locked = -1\n"
    "      MaxLength = 3\n"
    "      TabIndex = 1\n"
    "      Top = 600\n"
    "      Width = 1200\n"
    "      Height = 315\n"
    "   End\n"
    "End\n";

class TextBoxTest : public testing::Test {
 protected:
  TextBoxTest()
      : form(runtime::ParseFormDesign(kDesign, "t.frm"), classes),
        input(form.ControlNamed<TextBox>("Input")),
        output(form.ControlNamed<TextBox>("Output")) {
    input.Change.Handle([this] { changes.push_back(input.Text()); });
    input.KeyPress.Handle([this](std::int16_t& keyAscii) { typed.push_back(keyAscii); });
    form.Show();
  }

  // A code write the way a handler makes it: inside the boundary.
  void Write(const std::function<void()>& write) { runtime::Boundary(write); }

  runtime::Program program;
  runtime::ControlClasses classes;
  runtime::Form form;
  TextBox& input;
  TextBox& output;
  std::vector<QString> changes;
  std::vector<int> typed;
};

TEST_F(TextBoxTest, AWriteRaisesChangeInsideItOnlyWhenTheTextChanges) {
  Write([&] {
    input.SetText(QStringLiteral("12"));
    EXPECT_EQ(changes, std::vector<QString>{QStringLiteral("12")}) << "raised before the write returns";
    input.SetText(QStringLiteral("12"));
  });
  EXPECT_EQ(changes.size(), 1u);
  Write([&] {
    input.SetSelStart(1);
    input.SetSelLength(1);
    input.SetSelText(QStringLiteral("9"));
    input.SetSelText(QString());  // nothing selected, nothing inserted
  });
  EXPECT_EQ(changes, (std::vector<QString>{QStringLiteral("12"), QStringLiteral("19")}));
}

TEST_F(TextBoxTest, CodeWritesAreNeverCutToMaxLength) {
  Write([&] {
    input.SetText(QStringLiteral("1234567890"));
    output.SetText(QStringLiteral("-1.028E+303"));
  });
  EXPECT_EQ(input.Text(), QStringLiteral("1234567890"));
  EXPECT_EQ(output.Text(), QStringLiteral("-1.028E+303"));
}

TEST_F(TextBoxTest, TheUserIsHeldToMaxLengthWhenTypingAndPasting) {
  QTest::keyClicks(input.Widget(), QStringLiteral("12345"));
  EXPECT_EQ(input.Text(), QStringLiteral("123"));
  input.Field().selectAll();
  QTest::keyClicks(input.Widget(), QStringLiteral("98"));
  EXPECT_EQ(input.Text(), QStringLiteral("98")) << "typing over a selection replaces it";

  QGuiApplication::clipboard()->setText(QStringLiteral("4567\n89"));
  QTest::keyClick(input.Widget(), Qt::Key_Insert, Qt::ShiftModifier);
  EXPECT_EQ(input.Text(), QStringLiteral("984"));

  Write([&] { input.SetText(QString()); });
  QGuiApplication::clipboard()->setText(QStringLiteral("12\n34"));
  QTest::keyClick(input.Widget(), Qt::Key_Insert, Qt::ShiftModifier);
  EXPECT_EQ(input.Text(), QStringLiteral("12")) << "a paste takes the first line only";
}

TEST_F(TextBoxTest, APasteBringsWholeCharactersOfItsFirstLineOnly) {
  struct Row {
    const char* name;
    QString pasted;
    QString field;  // MaxLength 3
  };
  const Row rows[] = {
      {"form feed", QStringLiteral("4\f5"), QStringLiteral("4")},
      {"vertical tab", QStringLiteral("4\v5"), QStringLiteral("4")},
      {"next line", QStringLiteral("4") + QChar(0x85) + QStringLiteral("5"), QStringLiteral("4")},
      {"line separator", QStringLiteral("4") + QChar(0x2028) + QStringLiteral("5"), QStringLiteral("4")},
      {"paragraph separator", QStringLiteral("4") + QChar(0x2029) + QStringLiteral("5"), QStringLiteral("4")},
      {"lone high half", QStringLiteral("4") + QChar(0xD800) + QStringLiteral("5"), QStringLiteral("45")},
      {"lone low half", QChar(0xDC00) + QStringLiteral("45"), QStringLiteral("45")},
      {"halves the wrong way round", QStringLiteral("4") + QChar(0xDE00) + QChar(0xD83D), QStringLiteral("4")},
      {"a pair that fits", QStringLiteral("4") + QChar(0xD83D) + QChar(0xDE00), QStringLiteral("4") + QChar(0xD83D) + QChar(0xDE00)},
      {"a pair cut by the limit", QStringLiteral("45") + QChar(0xD83D) + QChar(0xDE00), QStringLiteral("45")},
  };
  for (const Row& row : rows) {
    SCOPED_TRACE(row.name);
    Write([&] { input.SetText(QString()); });
    QGuiApplication::clipboard()->setText(row.pasted);
    QTest::keyClick(input.Widget(), Qt::Key_Insert, Qt::ShiftModifier);
    EXPECT_EQ(input.Text(), row.field);
  }
}

TEST_F(TextBoxTest, TheContextMenusPasteKeepsTheLimitToo) {
  QGuiApplication::clipboard()->setText(QStringLiteral("ABCDEF"));
  QContextMenuEvent event(QContextMenuEvent::Mouse, QPoint(2, 2), input.Widget()->mapToGlobal(QPoint(2, 2)));
  QApplication::sendEvent(input.Widget(), &event);
  auto* menu = qobject_cast<QMenu*>(QApplication::activePopupWidget());
  ASSERT_NE(menu, nullptr);
  QAction* paste = nullptr;
  for (QAction* action : menu->actions()) {
    if (action->text().contains(QStringLiteral("Paste"))) paste = action;
  }
  ASSERT_NE(paste, nullptr);
  paste->trigger();
  menu->close();
  EXPECT_EQ(input.Text(), QStringLiteral("ABC"));
}

TEST_F(TextBoxTest, EveryKeyThatTypesACharacterPassesKeyPressFirst) {
  struct Row {
    Qt::Key key;
    Qt::KeyboardModifiers modifiers;
    int keyAscii;  // -1: the key types nothing
  };
  const Row rows[] = {
      {Qt::Key_7, Qt::NoModifier, '7'},         {Qt::Key_A, Qt::NoModifier, 'a'},
      {Qt::Key_C, Qt::ControlModifier, 3},
      {Qt::Key_V, Qt::ControlModifier, 22},     {Qt::Key_Return, Qt::NoModifier, 13},
      {Qt::Key_Backspace, Qt::NoModifier, 8},   {Qt::Key_Escape, Qt::NoModifier, 27},
      {Qt::Key_Space, Qt::NoModifier, ' '},     {Qt::Key_Left, Qt::NoModifier, -1},
      {Qt::Key_Delete, Qt::NoModifier, -1},     {Qt::Key_Home, Qt::NoModifier, -1},
      {Qt::Key_F5, Qt::NoModifier, -1},
  };
  for (const auto& row : rows) {
    SCOPED_TRACE(row.keyAscii);
    typed.clear();
    QTest::keyClick(input.Widget(), row.key, row.modifiers);
    if (row.keyAscii < 0) {
      EXPECT_TRUE(typed.empty());
    } else {
      EXPECT_EQ(typed, std::vector<int>{row.keyAscii});
    }
  }
}

TEST_F(TextBoxTest, KeyPressCanRefuseOrChangeWhatIsTyped) {
  input.KeyPress.Handle([](std::int16_t& keyAscii) {
    if (keyAscii == 'x') keyAscii = 0;
    if (keyAscii == 'y') keyAscii = '5';
    if (keyAscii == 22) keyAscii = 0;  // Ctrl+V
  });
  QTest::keyClicks(input.Widget(), QStringLiteral("1xy"));
  EXPECT_EQ(input.Text(), QStringLiteral("15"));
  QGuiApplication::clipboard()->setText(QStringLiteral("9"));
  QTest::keyClick(input.Widget(), Qt::Key_V, Qt::ControlModifier);
  EXPECT_EQ(input.Text(), QStringLiteral("15")) << "a refused Ctrl+V pastes nothing";
  QTest::keyClick(input.Widget(), Qt::Key_Backspace);
  EXPECT_EQ(input.Text(), QStringLiteral("1"));
}

TEST_F(TextBoxTest, AnInputMethodCannotBypassKeyPress) {
  input.KeyPress.Handle([](std::int16_t& keyAscii) {
    if (keyAscii < '0' || keyAscii > '9') keyAscii = 0;
  });
  input.Widget()->setFocus();
  QInputMethodEvent composing(QStringLiteral("shu"), {});
  QApplication::sendEvent(input.Widget(), &composing);
  EXPECT_EQ(input.Text(), QString()) << "a composition is not text yet";
  QInputMethodEvent commit;
  commit.setCommitString(QString::fromUtf8("1数2"));
  QApplication::sendEvent(input.Widget(), &commit);
  EXPECT_EQ(input.Text(), QStringLiteral("12"));
}

TEST_F(TextBoxTest, ALockedFieldSeesKeysButTakesNothing) {
  int seen = 0;
  output.KeyPress.Handle([&](std::int16_t&) { ++seen; });
  QTest::keyClicks(output.Widget(), QStringLiteral("12"));
  EXPECT_EQ(seen, 2);
  EXPECT_EQ(output.Text(), QString());
}

TEST_F(TextBoxTest, SelStartClampsToTheTextAndRefusesNegatives) {
  Write([&] { input.SetText(QStringLiteral("12")); });
  Write([&] { input.SetSelStart(99); });
  EXPECT_EQ(input.SelStart(), 2);
  EXPECT_EQ(test_support::ErrorNumberOf([&] { input.SetSelStart(-1); }), runtime::kInvalidPropertyValue);
}

// A classic text box keeps its selection while another control has the
// focus, so a keypad can still replace it. Each row moves the focus away
// from the input field in a way the user or the program does.
TEST_F(TextBoxTest, TheSelectionOutlivesTheFocusAndACodeWriteReplacesIt) {
  ASSERT_TRUE(QTest::qWaitForWindowActive(&form.Widget()));
  const struct {
    const char* name;
    bool caretAtStart;  // selected with Shift+Left rather than Shift+Right
    std::function<void()> moveFocus;
  } rows[] = {
      {"a click on the other field", false,
       [&] { QTest::mouseClick(output.Widget(), Qt::LeftButton, {}, QPoint(5, 5)); }},
      {"Tab", true, [&] { QTest::keyClick(input.Widget(), Qt::Key_Tab); }},
      {"code", false, [&] { output.Widget()->setFocus(); }},
  };
  for (const auto& row : rows) {
    SCOPED_TRACE(row.name);
    input.Widget()->setFocus(Qt::MouseFocusReason);
    Write([&] { input.SetText(QStringLiteral("12345")); });
    if (row.caretAtStart) {
      input.Field().setSelection(3, -2);
    } else {
      input.Field().setSelection(1, 2);
    }
    row.moveFocus();
    ASSERT_TRUE(output.Widget()->hasFocus());
    EXPECT_EQ(input.SelStart(), 1);
    EXPECT_EQ(input.SelLength(), 2);
    EXPECT_EQ(input.SelText(), QStringLiteral("23"));
    EXPECT_EQ(input.Field().cursorPosition(), row.caretAtStart ? 1 : 3) << "the caret keeps its end";
    changes.clear();
    Write([&] { input.SetSelText(QStringLiteral("9")); });
    EXPECT_EQ(input.Text(), QStringLiteral("1945"));
    EXPECT_EQ(changes, std::vector<QString>{QStringLiteral("1945")});
  }
}

TEST_F(TextBoxTest, TabIntoAFieldSelectsItAllAndAClickPlacesTheCaret) {
  ASSERT_TRUE(QTest::qWaitForWindowActive(&form.Widget()));
  Write([&] { input.SetText(QStringLiteral("12345")); });
  input.Widget()->setFocus();
  input.Field().setSelection(1, 2);
  QTest::keyClick(input.Widget(), Qt::Key_Tab);
  QTest::keyClick(output.Widget(), Qt::Key_Tab, Qt::ShiftModifier);
  ASSERT_TRUE(input.Widget()->hasFocus());
  EXPECT_EQ(input.SelText(), QStringLiteral("12345")) << "Tab back selects the whole text";
  output.Widget()->setFocus();
  QTest::mouseClick(input.Widget(), Qt::LeftButton, {}, QPoint(2, input.Widget()->height() / 2));
  ASSERT_TRUE(input.Widget()->hasFocus());
  EXPECT_EQ(input.SelLength(), 0) << "a click drops what was selected";
  EXPECT_EQ(input.SelStart(), 0);
}

}  // namespace
