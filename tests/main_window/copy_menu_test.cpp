// SPDX-License-Identifier: MIT
#include "main_window/main_window_fixture.h"
#include "runtime/controls/menu.h"
#include "runtime/seam/input.h"

namespace {

using test_support::MainWindowTest;

TEST_F(MainWindowTest, EachItemCopiesItsFieldExactlyAsShown) {
  Type(0, u"007");
  Tick();
  ASSERT_TRUE(project.Form2().a.Enabled());
  const struct {
    std::size_t item;
    const char16_t* copied;
  } rows[] = {{0, u"007"}, {1, u"7192"}, {2, u"7170"}};
  for (const auto& row : rows) {
    SCOPED_TRACE(row.item);
    ws.SetClipboardText(u"before");
    ChooseCopyItem(row.item);
    EXPECT_EQ(ws.ClipboardText(), row.copied);
  }
}

TEST_F(MainWindowTest, TheItemsAreEnabledOnlyWhileASizeIsTyped) {
  Tick();
  ASSERT_TRUE(Form2Exists() && !project.Form2().a.Enabled());
  ws.SetClipboardText(u"untouched");
  ChooseCopyItem(0);
  EXPECT_EQ(ws.ClipboardText(), u"untouched") << "a disabled item cannot be chosen";
  Click("iButton3");
  Tick();
  const auto& menu = project.Form2();
  EXPECT_TRUE(menu.a.Enabled() && menu.b.Enabled() && menu.c.Enabled());
}

TEST_F(MainWindowTest, PastedLettersEnableTheItemsWhileTheSizesStayEmpty) {
  ws.Paste(FieldWindow(0), u"abc");
  EXPECT_EQ(Text(0), u"abc");
  Tick();
  ASSERT_TRUE(project.Form2().b.Enabled());
  ws.SetClipboardText(u"old");
  ChooseCopyItem(1);
  EXPECT_EQ(ws.ClipboardText(), u"");
}

TEST_F(MainWindowTest, LettersPastedOverANumberLeaveItsFat32SizeToCopy) {
  Type(0, u"12");
  FieldWindow(0).Select(0, 2);
  ws.Paste(FieldWindow(0), u"abc");
  ASSERT_EQ(Text(0), u"abc");
  Tick();
  ASSERT_TRUE(project.Form2().b.Enabled());
  ChooseCopyItem(1);
  EXPECT_EQ(ws.ClipboardText(), u"12332") << "the size of the last number";
}

TEST_F(MainWindowTest, TheMenuOpensAtTheCopyButtonsBottomLeftWhereverThePointerIs) {
  Type(0, u"1");
  ws.PointerTo({900, 700});
  ws.ChooseInNextMenu(std::nullopt);
  ws.PressKey(Surface("iButton13"), runtime::kKeySpace, u' ');
  ws.ReleaseKey(Surface("iButton13"), runtime::kKeySpace);
  ASSERT_NE(ws.OpenedMenu(), nullptr);
  EXPECT_EQ(ws.OpenedMenu()->OpenedAt(), Window().ClientToScreen({16, 215}));
}

TEST_F(MainWindowTest, AClipboardThatCannotBeOpenedIsReportedAndLeavesTheWindowGoing) {
  Type(0, u"5");
  Tick();
  ws.SetClipboardOpenable(false);
  ChooseCopyItem(0);
  EXPECT_EQ(errors.numbers, std::vector<int>{521});
  ws.SetClipboardOpenable(true);
  ChooseCopyItem(0);
  EXPECT_EQ(ws.ClipboardText(), u"5");
}

}  // namespace
