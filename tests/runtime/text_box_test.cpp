// SPDX-License-Identifier: MIT
#include "runtime/controls/text_box.h"

#include <gtest/gtest.h>

#include <functional>

#include "front_end/test_window_system.h"
#include "runtime/design/form_design.h"
#include "runtime/dispatch.h"
#include "runtime/forms/control_classes.h"
#include "runtime/forms/form.h"
#include "runtime/program.h"
#include "runtime/values/text.h"
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
  test_front_end::TestField& FieldOf(TextBox& box) { return dynamic_cast<test_front_end::TestField&>(box.Field()); }
  // Characters typed into a field, as from the keyboard.
  void Type(TextBox& box, std::u16string_view characters) { ws.Type(FieldOf(box), characters); }
  // Another program's clipboard text, pasted into the field.
  void Paste(TextBox& box, std::u16string_view text) { ws.Paste(FieldOf(box), text); }

  test_front_end::TestWindowSystem ws;  // first in, last out
  runtime::Program program;
  runtime::ControlClasses classes;
  runtime::Form form;
  TextBox& input;
  TextBox& output;
  std::vector<std::u16string> changes;
  std::vector<int> typed;
};

TEST_F(TextBoxTest, AWriteRaisesChangeInsideItOnlyWhenTheTextChanges) {
  Write([&] {
    input.SetText(u"12");
    EXPECT_EQ(changes, std::vector<std::u16string>{u"12"}) << "raised before the write returns";
    input.SetText(u"12");
  });
  EXPECT_EQ(changes.size(), 1u);
  Write([&] {
    input.SetSelStart(1);
    input.SetSelLength(1);
    input.SetSelText(u"9");
    input.SetSelText(u"");  // nothing selected, nothing inserted
  });
  EXPECT_EQ(changes, (std::vector<std::u16string>{u"12", u"19"}));
}

TEST_F(TextBoxTest, CodeWritesAreNeverCutToMaxLength) {
  Write([&] {
    input.SetText(u"1234567890");
    output.SetText(u"-1.028E+303");
  });
  EXPECT_EQ(input.Text(), u"1234567890");
  EXPECT_EQ(output.Text(), u"-1.028E+303");
}

TEST_F(TextBoxTest, TheUserIsHeldToMaxLengthWhenTypingAndPasting) {
  Type(input, u"12345");
  EXPECT_EQ(input.Text(), u"123");
  FieldOf(input).Select(0, 3);
  Type(input, u"98");
  EXPECT_EQ(input.Text(), u"98") << "typing over a selection replaces it";

  Paste(input, u"4567\n89");
  EXPECT_EQ(input.Text(), u"984");

  Write([&] { input.SetText(u""); });
  Paste(input, u"12\n34");
  EXPECT_EQ(input.Text(), u"12") << "a paste takes the first line only";
}

TEST_F(TextBoxTest, APasteBringsWholeCharactersOfItsFirstLineOnly) {
  struct Row {
    const char* name;
    std::u16string pasted;
    std::u16string field;  // MaxLength 3
  };
  const Row rows[] = {
      {"form feed", u"4\f5", u"4"},
      {"vertical tab", u"4\v5", u"4"},
      {"next line", u"4\u0085" u"5", u"4"},
      {"line separator", u"4\u2028" u"5", u"4"},
      {"paragraph separator", u"4\u2029" u"5", u"4"},
      {"lone high half", std::u16string{u'4', char16_t(0xD800), u'5'}, u"45"},
      {"lone low half", std::u16string{char16_t(0xDC00), u'4', u'5'}, u"45"},
      {"halves the wrong way round", std::u16string{u'4', char16_t(0xDE00), char16_t(0xD83D)}, u"4"},
      {"a pair that fits", u"4\U0001F600", u"4\U0001F600"},
      {"a pair cut by the limit", u"45\U0001F600", u"45"},
  };
  for (const Row& row : rows) {
    SCOPED_TRACE(row.name);
    Write([&] { input.SetText(u""); });
    Paste(input, row.pasted);
    EXPECT_EQ(input.Text(), row.field);
  }
}

// Ctrl+V, typed, pastes the clipboard under the same rules as any paste.
TEST_F(TextBoxTest, CtrlVPastesWithinTheLimitAndTheFirstLine) {
  ws.SetClipboardText(u"4\U0001F600\n9");
  Type(input, u"1\x16");
  EXPECT_EQ(input.Text(), u"14") << "the pair would pass the limit: it stays out whole";
  Write([&] { input.SetText(u""); });
  Type(input, u"\x16");
  EXPECT_EQ(input.Text(), u"4\U0001F600");
  EXPECT_EQ(changes.back(), u"4\U0001F600") << "one Change for the whole paste";
}

TEST_F(TextBoxTest, EveryCharacterTypedPassesKeyPressFirst) {
  // Printable characters, Ctrl+C, Ctrl+V, Enter, Backspace and Escape as
  // the keyboard types them.
  const std::u16string keys = u"7a\x03\x16\r\b\x1b ";
  Type(input, keys);
  EXPECT_EQ(typed, (std::vector<int>{'7', 'a', 3, 22, 13, 8, 27, ' '}));
}

TEST_F(TextBoxTest, KeyPressCanRefuseOrChangeWhatIsTyped) {
  input.KeyPress.Handle([](std::int16_t& keyAscii) {
    if (keyAscii == 'x') keyAscii = 0;
    if (keyAscii == 'y') keyAscii = '5';
    if (keyAscii == 22) keyAscii = 0;  // Ctrl+V
  });
  Type(input, u"1xy");
  EXPECT_EQ(input.Text(), u"15");
  ws.SetClipboardText(u"9");
  Type(input, u"\x16");
  EXPECT_EQ(input.Text(), u"15") << "a refused Ctrl+V pastes nothing";
  Type(input, u"\b");
  EXPECT_EQ(input.Text(), u"1");
}

// A handler may turn a key into Backspace, or into a character that
// commands nothing: the field does what the character it left does.
TEST_F(TextBoxTest, WhatKeyPressLeavesIsWhatTheFieldDoes) {
  const struct {
    const char* name;
    char16_t typed;
    std::int16_t becomes;
    const char16_t* field;
  } rows[] = {
      {"a letter made Backspace", u'x', 8, u"1"},
      {"Backspace made a digit", u'\b', '5', u"125"},
      {"a digit made Enter", u'3', 13, u"12"},
      {"Enter left alone", u'\r', 13, u"12"},
  };
  for (const auto& row : rows) {
    SCOPED_TRACE(row.name);
    Write([&] { input.SetText(u"12"); });
    FieldOf(input).SetCaret(2);
    input.KeyPress.Handle([&row](std::int16_t& keyAscii) { keyAscii = row.becomes; });
    Type(input, std::u16string(1, row.typed));
    EXPECT_EQ(input.Text(), row.field);
  }
}

TEST_F(TextBoxTest, ALockedFieldSeesKeysButTakesNothing) {
  int seen = 0;
  output.KeyPress.Handle([&](std::int16_t&) { ++seen; });
  Type(output, u"12");
  EXPECT_EQ(seen, 2);
  EXPECT_EQ(output.Text(), u"");
  Write([&] { output.SetText(u"7"); });
  ws.SetClipboardText(u"9");
  Type(output, u"\b\x16");
  EXPECT_EQ(output.Text(), u"7") << "neither Backspace nor Ctrl+V changes it";
  FieldOf(output).Events().Pasted(u"5");  // should a window system pass a paste on all the same
  EXPECT_EQ(output.Text(), u"7");
}

TEST_F(TextBoxTest, SelStartClampsToTheTextAndRefusesNegatives) {
  Write([&] { input.SetText(u"12"); });
  Write([&] { input.SetSelStart(99); });
  EXPECT_EQ(input.SelStart(), 2);
  EXPECT_EQ(test_support::ErrorNumberOf([&] { input.SetSelStart(-1); }), runtime::kInvalidPropertyValue);
  EXPECT_EQ(test_support::ErrorNumberOf([&] { input.SetSelLength(-1); }), runtime::kInvalidPropertyValue);
  Write([&] {
    input.SetSelStart(1);
    input.SetSelLength(99);
  });
  EXPECT_EQ(input.SelLength(), 1) << "the length clamps to what follows the start";
}

// A classic text box keeps its selection while another control has the
// focus, so a keypad can still replace it, whichever end the caret is at.
TEST_F(TextBoxTest, TheSelectionOutlivesTheFocusAndACodeWriteReplacesIt) {
  for (const bool caretAtStart : {false, true}) {
    SCOPED_TRACE(caretAtStart ? "selected backwards" : "selected forwards");
    input.Window().Focus();
    Write([&] { input.SetText(u"12345"); });
    if (caretAtStart) {
      FieldOf(input).Select(3, -2);
    } else {
      FieldOf(input).Select(1, 2);
    }
    output.Window().Focus();
    ASSERT_EQ(ws.Focused(), &output.Window());
    EXPECT_EQ(input.SelStart(), 1);
    EXPECT_EQ(input.SelLength(), 2);
    EXPECT_EQ(input.SelText(), u"23");
    EXPECT_EQ(FieldOf(input).Caret(), caretAtStart ? 1 : 3) << "the caret keeps its end";
    changes.clear();
    Write([&] { input.SetSelText(u"9"); });
    EXPECT_EQ(input.Text(), u"1945");
    EXPECT_EQ(changes, std::vector<std::u16string>{u"1945"});
  }
}

// The window system may report edits that change nothing; the box tells
// its handlers only of real changes.
TEST_F(TextBoxTest, AReportThatChangesNothingRaisesNothing) {
  Write([&] { input.SetText(u"12"); });
  changes.clear();
  FieldOf(input).Events().TextMayHaveChanged();
  FieldOf(input).SetText(u"12");
  EXPECT_TRUE(changes.empty());
  FieldOf(input).SetText(u"123");
  EXPECT_EQ(changes, std::vector<std::u16string>{u"123"}) << "a change the field made by itself";
}

// Text written by code shows from its start, as an edit box's does, and a
// Change handler may still move the caret after the write.
TEST_F(TextBoxTest, TextWrittenByCodeShowsFromItsStart) {
  const std::u16string longer = u"1234567890123456";
  Write([&] { output.SetText(longer); });
  EXPECT_EQ(output.SelStart(), 0);
  EXPECT_EQ(output.SelLength(), 0);
  // Writing the same text again raises nothing, and still shows the start.
  Write([&] { output.SetSelStart(9); });
  Write([&] { output.SetText(longer); });
  EXPECT_EQ(output.SelStart(), 0);
}

TEST_F(TextBoxTest, AChangeHandlerMayStillMoveTheCaretAfterTheWrite) {
  input.Change.Handle([this] { input.SetSelStart(static_cast<std::int32_t>(input.Text().size())); });
  Write([&] { input.SetText(u"123456"); });
  EXPECT_EQ(input.SelStart(), 6) << "Change runs after the caret went to the start";
  // Replacing a selection from code leaves the caret after what went in.
  input.Change.Handle([] {});
  Write([&] {
    input.SetSelStart(1);
    input.SetSelLength(2);
    input.SetSelText(u"9");
  });
  EXPECT_EQ(input.Text(), u"19456");
  EXPECT_EQ(input.SelStart(), 2);
}

// A Change handler that ends the program stops the code that wrote.
TEST_F(TextBoxTest, AWriteWhoseChangeEndsTheProgramStopsTheWriter) {
  input.Change.Handle([] { runtime::End(); });
  bool after = false;
  Write([&] {
    input.SetText(u"1");
    after = true;
  });
  EXPECT_FALSE(after);
  EXPECT_TRUE(program.Ended());
  Type(input, u"2");
  EXPECT_EQ(input.Text(), u"1") << "nothing is typed once the program has ended";
}

}  // namespace
