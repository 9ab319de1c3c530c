// SPDX-License-Identifier: MIT
// A text box's field on Qt's line edit: whatever way Qt brings text in (the
// keys, Shift+Insert, the context menu's Paste, a middle click, an input
// method's commit) passes the runtime's rules, and the field keeps its
// selection when the focus leaves and selects all on Tab.
#include <gtest/gtest.h>

#include <QAction>
#include <QApplication>
#include <QClipboard>
#include <QContextMenuEvent>
#include <QInputMethodEvent>
#include <QLineEdit>
#include <QMenu>
#include <QTest>
#include <functional>

#include "qt/fonts.h"
#include "qt/form_widget.h"
#include "qt/line_edit_box.h"
#include "runtime/controls/text_box.h"
#include "runtime/design/form_design.h"
#include "runtime/dispatch.h"
#include "runtime/forms/control_classes.h"
#include "runtime/forms/form.h"
#include "runtime/program.h"

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

QString Q(const std::u16string& text) { return qt_frontend::ToQString(text); }

class LineEditBoxTest : public testing::Test {
 protected:
  LineEditBoxTest()
      : form(runtime::ParseFormDesign(kDesign, "t.frm"), classes),
        input(form.ControlNamed<TextBox>("Input")),
        output(form.ControlNamed<TextBox>("Output")) {
    input.Change.Handle([this] { changes.push_back(Q(input.Text())); });
    input.KeyPress.Handle([this](std::int16_t& keyAscii) { typed.push_back(keyAscii); });
    form.Show();
  }

  static qt_frontend::LineEditBox* Widget(TextBox& box) { return dynamic_cast<qt_frontend::LineEditBox*>(&box.Field()); }
  qt_frontend::FormWidget& Window() { return dynamic_cast<qt_frontend::FormWidget&>(form.Window()); }
  // A code write the way a handler makes it: inside the boundary.
  void Write(const std::function<void()>& write) { runtime::Boundary(write); }
  static void ShiftInsert(QWidget* field) { QTest::keyClick(field, Qt::Key_Insert, Qt::ShiftModifier); }

  runtime::Program program;
  runtime::ControlClasses classes;
  runtime::Form form;
  TextBox& input;
  TextBox& output;
  std::vector<QString> changes;
  std::vector<int> typed;
};

TEST_F(LineEditBoxTest, TheUserIsHeldToMaxLengthWhenTypingAndPasting) {
  QTest::keyClicks(Widget(input), QStringLiteral("12345"));
  EXPECT_EQ(Q(input.Text()), QStringLiteral("123"));
  Widget(input)->selectAll();
  QTest::keyClicks(Widget(input), QStringLiteral("98"));
  EXPECT_EQ(Q(input.Text()), QStringLiteral("98")) << "typing over a selection replaces it";

  QGuiApplication::clipboard()->setText(QStringLiteral("4567\n89"));
  ShiftInsert(Widget(input));
  EXPECT_EQ(Q(input.Text()), QStringLiteral("984"));

  Write([&] { input.SetText(u""); });
  QGuiApplication::clipboard()->setText(QStringLiteral("12\n34"));
  ShiftInsert(Widget(input));
  EXPECT_EQ(Q(input.Text()), QStringLiteral("12")) << "a paste takes the first line only";
}

// Whatever units a text begins with, the field holds them as they are: a
// leading U+FEFF is no byte order mark to drop, nor U+FFFE one to swap by.
TEST_F(LineEditBoxTest, TextReachesTheFieldUnitForUnit) {
  const std::u16string rows[] = {u"\uFEFF" u"12", std::u16string{char16_t(0xFFFE), char16_t(0x01FF), char16_t(0x0C00)},
                                 u"1\uFEFF", u"\uFEFF"};
  for (const std::u16string& row : rows) {
    SCOPED_TRACE(row.size());
    Write([&] { input.SetText(row); });
    EXPECT_EQ(input.Text(), row);
    EXPECT_EQ(Widget(input)->text().size(), static_cast<qsizetype>(row.size()));
  }
  // So a paste of such a text brings no line break in by the back door.
  Write([&] { input.SetText(u""); });
  QGuiApplication::clipboard()->setText(QString(QChar(0xFFFE)) + QChar(0x0A00) + QChar(0x3100));
  ShiftInsert(Widget(input));
  EXPECT_EQ(input.Text(), (std::u16string{char16_t(0xFFFE), char16_t(0x0A00), char16_t(0x3100)}));
}

TEST_F(LineEditBoxTest, TheContextMenusPasteKeepsTheLimitToo) {
  QGuiApplication::clipboard()->setText(QStringLiteral("ABCDEF"));
  QContextMenuEvent event(QContextMenuEvent::Mouse, QPoint(2, 2), Widget(input)->mapToGlobal(QPoint(2, 2)));
  QApplication::sendEvent(Widget(input), &event);
  auto* menu = qobject_cast<QMenu*>(QApplication::activePopupWidget());
  ASSERT_NE(menu, nullptr);
  // The item as the field names it, in whatever language the program speaks.
  const QString pasteText = QLineEdit::tr("&Paste");
  QAction* paste = nullptr;
  for (QAction* action : menu->actions()) {
    if (action->text().section(u'\t', 0, 0) == pasteText) paste = action;
  }
  ASSERT_NE(paste, nullptr);
  paste->trigger();
  menu->close();
  EXPECT_EQ(Q(input.Text()), QStringLiteral("ABC"));
}

// A middle click pastes the desktop's selection, where it has one, under the
// same rules; where it has none, it pastes nothing at all.
TEST_F(LineEditBoxTest, AMiddleClickPastesTheSelectionWithinTheLimitOrNothing) {
  QClipboard* clipboard = QGuiApplication::clipboard();
  clipboard->setText(QStringLiteral("ABCDEF"), QClipboard::Clipboard);
  if (clipboard->supportsSelection()) clipboard->setText(QStringLiteral("98\n76"), QClipboard::Selection);
  Write([&] { input.SetText(u"1"); });
  QTest::mouseClick(Widget(input), Qt::MiddleButton, {}, QPoint(5, 5));
  EXPECT_EQ(Q(input.Text()), clipboard->supportsSelection() ? QStringLiteral("198") : QStringLiteral("1"));
  Write([&] { output.SetText(u"7"); });
  QTest::mouseClick(Widget(output), Qt::MiddleButton, {}, QPoint(5, 5));
  EXPECT_EQ(Q(output.Text()), QStringLiteral("7")) << "a locked field takes nothing";
}

TEST_F(LineEditBoxTest, EveryKeyThatTypesACharacterPassesKeyPressFirst) {
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
    QTest::keyClick(Widget(input), row.key, row.modifiers);
    if (row.keyAscii < 0) {
      EXPECT_TRUE(typed.empty());
    } else {
      EXPECT_EQ(typed, std::vector<int>{row.keyAscii});
    }
  }
}

TEST_F(LineEditBoxTest, ARefusedCtrlVPastesNothingAndBackspaceStillWorks) {
  input.KeyPress.Handle([](std::int16_t& keyAscii) {
    if (keyAscii == 'x') keyAscii = 0;
    if (keyAscii == 'y') keyAscii = '5';
    if (keyAscii == 22) keyAscii = 0;  // Ctrl+V
  });
  QTest::keyClicks(Widget(input), QStringLiteral("1xy"));
  EXPECT_EQ(Q(input.Text()), QStringLiteral("15"));
  QGuiApplication::clipboard()->setText(QStringLiteral("9"));
  QTest::keyClick(Widget(input), Qt::Key_V, Qt::ControlModifier);
  EXPECT_EQ(Q(input.Text()), QStringLiteral("15")) << "a refused Ctrl+V pastes nothing";
  QTest::keyClick(Widget(input), Qt::Key_Backspace);
  EXPECT_EQ(Q(input.Text()), QStringLiteral("1"));
}

TEST_F(LineEditBoxTest, AnInputMethodCannotBypassKeyPress) {
  input.KeyPress.Handle([](std::int16_t& keyAscii) {
    if (keyAscii < '0' || keyAscii > '9') keyAscii = 0;
  });
  Widget(input)->setFocus();
  QInputMethodEvent composing(QStringLiteral("shu"), {});
  QApplication::sendEvent(Widget(input), &composing);
  EXPECT_EQ(Q(input.Text()), QString()) << "a composition is not text yet";
  QInputMethodEvent commit;
  commit.setCommitString(QString::fromUtf8("1数2"));
  QApplication::sendEvent(Widget(input), &commit);
  EXPECT_EQ(Q(input.Text()), QStringLiteral("12"));
}

TEST_F(LineEditBoxTest, ALockedFieldSeesKeysButTakesNothing) {
  int seen = 0;
  output.KeyPress.Handle([&](std::int16_t&) { ++seen; });
  QTest::keyClicks(Widget(output), QStringLiteral("12"));
  EXPECT_EQ(seen, 2);
  EXPECT_EQ(Q(output.Text()), QString());
  QGuiApplication::clipboard()->setText(QStringLiteral("9"));
  ShiftInsert(Widget(output));
  EXPECT_EQ(Q(output.Text()), QString());
}

// A classic text box keeps its selection while another control has the
// focus, so a keypad can still replace it. Each row moves the focus away
// from the input field in a way the user or the program does.
TEST_F(LineEditBoxTest, TheSelectionOutlivesTheFocusAndACodeWriteReplacesIt) {
  ASSERT_TRUE(QTest::qWaitForWindowActive(&Window()));
  const struct {
    const char* name;
    bool caretAtStart;  // selected with Shift+Left rather than Shift+Right
    std::function<void()> moveFocus;
  } rows[] = {
      {"a click on the other field", false,
       [&] { QTest::mouseClick(Widget(output), Qt::LeftButton, {}, QPoint(5, 5)); }},
      {"Tab", true, [&] { QTest::keyClick(Widget(input), Qt::Key_Tab); }},
      {"code", false, [&] { Widget(output)->setFocus(); }},
  };
  for (const auto& row : rows) {
    SCOPED_TRACE(row.name);
    Widget(input)->setFocus(Qt::MouseFocusReason);
    Write([&] { input.SetText(u"12345"); });
    if (row.caretAtStart) {
      Widget(input)->setSelection(3, -2);
    } else {
      Widget(input)->setSelection(1, 2);
    }
    row.moveFocus();
    ASSERT_TRUE(Widget(output)->hasFocus());
    EXPECT_EQ(input.SelStart(), 1);
    EXPECT_EQ(input.SelLength(), 2);
    EXPECT_EQ(Q(input.SelText()), QStringLiteral("23"));
    EXPECT_EQ(Widget(input)->cursorPosition(), row.caretAtStart ? 1 : 3) << "the caret keeps its end";
    changes.clear();
    Write([&] { input.SetSelText(u"9"); });
    EXPECT_EQ(Q(input.Text()), QStringLiteral("1945"));
    EXPECT_EQ(changes, std::vector<QString>{QStringLiteral("1945")});
  }
}

TEST_F(LineEditBoxTest, TabIntoAFieldSelectsItAllAndAClickPlacesTheCaret) {
  ASSERT_TRUE(QTest::qWaitForWindowActive(&Window()));
  Write([&] { input.SetText(u"12345"); });
  Widget(input)->setFocus();
  Widget(input)->setSelection(1, 2);
  QTest::keyClick(Widget(input), Qt::Key_Tab);
  QTest::keyClick(Widget(output), Qt::Key_Tab, Qt::ShiftModifier);
  ASSERT_TRUE(Widget(input)->hasFocus());
  EXPECT_EQ(Q(input.SelText()), QStringLiteral("12345")) << "Tab back selects the whole text";
  Widget(output)->setFocus();
  QTest::mouseClick(Widget(input), Qt::LeftButton, {}, QPoint(2, Widget(input)->height() / 2));
  ASSERT_TRUE(Widget(input)->hasFocus());
  EXPECT_EQ(input.SelLength(), 0) << "a click drops what was selected";
  EXPECT_EQ(input.SelStart(), 0);
}

}  // namespace
