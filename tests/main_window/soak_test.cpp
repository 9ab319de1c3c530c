// SPDX-License-Identifier: MIT
// A long random session on the real window: clicks on every button, typed
// and pasted texts of every kind, copy-menu choices, hovering and timer
// ticks. Afterwards the window must still answer, every output must be the
// formula's value for the last input that converted, nothing may have been
// reported, and every device context, bitmap and palette made on the way
// must be gone again.
#include <random>

#include "calc/size_formulas.h"
#include "main_window/main_window_fixture.h"
#include "runtime/controls/menu.h"
#include "runtime/values/text.h"
#include "runtime/win32/gdi.h"

namespace {

using test_support::MainWindowTest;

constexpr int kSteps = 30000;

const char* const kButtons[] = {"iButton2", "iButton3", "iButton4", "iButton5", "iButton6", "iButton7", "iButton8",
                                "iButton9", "iButton10", "iButton11", "iButton12", "iButton14"};

const char* const kPastes[] = {"",       "1",     "007",   "999999", "32",   "33",    "1E400", "-1E400", "1e3",
                               "&HFF",   "&O17",  "40abc", " 12 ",   "abc",  "3 3",   "-0",    ".5",     "1.5",
                               "数据一", "１２", "\t7\n8", "99999999999", "1.75E305", "0.0001", "+5"};

// The keys a user presses in a field: those that type a character, and
// those the field acts on by itself (Delete, the arrows, Home, End).
enum class Key { kCharacter, kDelete, kLeft, kRight, kHome, kEnd };
const struct {
  Key key;
  char16_t typed;
} kKeys[] = {{Key::kCharacter, u'0'}, {Key::kCharacter, u'1'}, {Key::kCharacter, u'5'}, {Key::kCharacter, u'9'},
             {Key::kCharacter, u'a'}, {Key::kCharacter, u'-'}, {Key::kCharacter, u'.'}, {Key::kCharacter, u' '},
             {Key::kCharacter, u'\b'}, {Key::kDelete, 0},      {Key::kLeft, 0},         {Key::kRight, 0},
             {Key::kHome, 0},         {Key::kEnd, 0},          {Key::kCharacter, u'\r'}, {Key::kCharacter, u'e'}};

TEST_F(MainWindowTest, ALongRandomSessionLeavesEverythingConsistentAndNothingBehind) {
  std::mt19937 random(20261207);
  auto pick = [&random](int n) { return std::uniform_int_distribution<int>(0, n - 1)(random); };
  const runtime::gdi::ObjectCounts start = runtime::gdi::LiveObjects();
  std::u16string fat32 = Text(1);
  std::u16string ntfs = Text(2);
  int copies = 0;

  for (int step = 0; step < kSteps; ++step) {
    bool cleared = false;
    const int action = pick(100);
    if (action < 35) {
      const char* name = kButtons[pick(static_cast<int>(std::size(kButtons)))];
      cleared = std::string(name) == "iButton14";
      Click(name);
      // The user brings the minimised window back.
      if (form.WindowState() == 1) Window().SetWindowState(runtime::FormWindow::State::kNormal);
    } else if (action < 70) {
      const auto& key = kKeys[pick(static_cast<int>(std::size(kKeys)))];
      const bool control = pick(12) == 0;
      test_front_end::TestField& field = FieldWindow(pick(10) == 0 ? 1 + pick(2) : 0);
      const int caret = field.Caret();
      const int size = static_cast<int>(field.Text().size());
      switch (key.key) {
        case Key::kCharacter:
          // With Ctrl a letter types its control character, anything else nothing.
          if (!control) {
            ws.Type(field, std::u16string(1, key.typed));
          } else if (key.typed >= u'a' && key.typed <= u'z') {
            ws.Type(field, std::u16string(1, static_cast<char16_t>(key.typed & 0x1F)));
          }
          break;
        case Key::kDelete:
          if (field.SelectionLength() == 0) field.Select(caret, caret < size ? 1 : 0);
          if (!field.ReadOnly()) field.ReplaceSelection(u"");
          break;
        case Key::kLeft: field.SetCaret(caret - 1); break;
        case Key::kRight: field.SetCaret(caret + 1); break;
        case Key::kHome: field.SetCaret(0); break;
        case Key::kEnd: field.SetCaret(size); break;
      }
    } else if (action < 82) {
      FieldWindow(0).Select(0, static_cast<int>(Text(0).size()));
      ws.Paste(FieldWindow(0), runtime::Utf16(kPastes[pick(static_cast<int>(std::size(kPastes)))]));
    } else if (action < 97) {
      ws.MoveOver(Surface(kButtons[pick(static_cast<int>(std::size(kButtons)))]), {pick(40) - 2, pick(40) - 2});
    } else if (action < 99 && copies < 150) {
      ++copies;
      ChooseCopyItem(static_cast<std::size_t>(pick(3)));
    } else {
      ws.Advance(12);  // at least one refresh tick
    }
    ws.Advance(1);  // what every step costs the user

    const std::string input = runtime::Utf8(Text(0));
    ASSERT_LE(Text(0).size(), 6u) << "step " << step;
    const auto expectedFat32 = calc::Fat32SizeText(input);
    const auto expectedNtfs = calc::NtfsSizeText(input);
    if (expectedFat32.Ok()) {
      fat32 = runtime::FromAscii(expectedFat32.Value());
    } else if (cleared) {
      fat32.clear();
    }
    if (expectedNtfs.Ok()) {
      ntfs = runtime::FromAscii(expectedNtfs.Value());
    } else if (cleared) {
      ntfs.clear();
    }
    ASSERT_EQ(Text(1), fat32) << "step " << step << " input '" << input << "'";
    ASSERT_EQ(Text(2), ntfs) << "step " << step << " input '" << input << "'";
  }

  EXPECT_GE(ws.Now(), kSteps) << "half a minute and more of the window's time";
  EXPECT_TRUE(errors.numbers.empty());
  EXPECT_FALSE(project.Ended());
  EXPECT_EQ(runtime::gdi::LiveObjects(), start) << "no picture, bitmap, DC or palette was leaked";
  // The window still answers.
  Click("iButton14");
  Click("iButton8");
  EXPECT_EQ(Text(0), u"2");
  EXPECT_EQ(Text(1), u"2052");
  Tick();
  EXPECT_TRUE(project.Form2().a.Enabled());
}

}  // namespace
