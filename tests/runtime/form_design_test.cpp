// SPDX-License-Identifier: MIT
#include "runtime/design/form_design.h"

#include <gtest/gtest.h>

#include <random>

#include "runtime/design/design_reader.h"
#include "runtime/design/gbk.h"
#include "runtime/runtime_error.h"
#include "runtime/values/text.h"
#include "support/raised_error.h"

namespace {

using runtime::DesignNode;
using runtime::ParseFormDesign;

TEST(FormDesign, ReadsObjectsSettingsAndGroupsInTheirOrder) {
  const std::string text =
      "' a comment\n"
      "Begin Form Form1\r\n"
      "   Caption = \"Say \"\"hi\"\"\"\n"
      "   BackColor = &H80000005&\n"
      "   Size = 10.5\n"
      "   Left = -15\n"
      "   BeginProperty Font\n"
      "      Name = \"x\"\n"
      "   EndProperty\n"
      "   Begin Zorvane.iButton b1\n"
      "   End\n"
      "   Begin Menu s\n"
      "      Begin Menu a\n"
      "      End\n"
      "   End\n"
      "End\n";
  const DesignNode form = ParseFormDesign(text, "t.frm");
  EXPECT_EQ(form.className, "Form");
  EXPECT_EQ(form.name, "Form1");
  ASSERT_EQ(form.settings.size(), 4u);
  EXPECT_EQ(std::get<std::string>(form.settings[0].second.value), "Say \"hi\"");
  EXPECT_EQ(std::get<std::int64_t>(form.settings[1].second.value), 0x80000005);
  EXPECT_EQ(std::get<double>(form.settings[2].second.value), 10.5);
  EXPECT_EQ(std::get<std::int64_t>(form.settings[3].second.value), -15);
  ASSERT_EQ(form.groups.size(), 1u);
  EXPECT_EQ(form.groups[0].name, "Font");
  ASSERT_EQ(form.children.size(), 2u);
  EXPECT_EQ(form.children[0].className, "Zorvane.iButton");
  EXPECT_EQ(form.children[1].children.at(0).name, "a");
}

TEST(FormDesign, MalformedTextIsALoadErrorNamingFileAndLine) {
  struct Row {
    const char* text;
    const char* where;
  };
  const Row rows[] = {
      {"", "line 0"},
      {"Begin Form\nEnd\n", "line 1"},
      {"Begin Form F\n  Caption \"x\"\nEnd\n", "line 2"},
      {"Begin Form F\n  Caption = \"x\nEnd\n", "line 2"},
      {"Begin Form F\n  Width = 12abc\nEnd\n", "line 2"},
      {"Begin Form F\n  Color = &HFFFFFFFFF&\nEnd\n", "line 2"},
      {"Begin Form F\n  Begin TextBox T\nEnd\n", "line 3"},
      {"Begin Form F\nEnd\nBegin Form G\nEnd\n", "line 3"},
      {"Begin Form F\n  1x = 2\nEnd\n", "line 2"},
  };
  for (const auto& row : rows) {
    SCOPED_TRACE(row.text);
    const std::optional<runtime::RuntimeError> error =
        test_support::RaisedBy([&] { ParseFormDesign(row.text, "t.frm"); });
    if (!error) {
      ADD_FAILURE() << "accepted";
      continue;
    }
    EXPECT_EQ(error->Number(), runtime::kLoadError);
    EXPECT_NE(error->Description().find(std::string("t.frm ") + row.where), std::string::npos)
        << error->Description();
  }
}

TEST(FormDesign, DeepNestingIsRefusedBeforeTheStackIs) {
  std::string text;
  for (int i = 0; i < 10000; ++i) text += "Begin Menu m\n";
  EXPECT_THROW(ParseFormDesign(text, "t.frm"), runtime::RuntimeError);
}

TEST(FormDesign, ArbitraryBytesGiveADesignOrALoadError) {
  std::mt19937 random(7);
  const std::string pieces[] = {"Begin ", "End", "Form ", "F\n", "\n", " = ", "\"", "&H", "1",
                                "BeginProperty ", "EndProperty", "x", "\xb9\xd8", "-", "."};
  std::uniform_int_distribution<std::size_t> pick(0, std::size(pieces) - 1);
  std::uniform_int_distribution<int> length(0, 40);
  for (int round = 0; round < 20000; ++round) {
    std::string text;
    for (int n = length(random); n > 0; --n) text += pieces[pick(random)];
    const int error = test_support::ErrorNumberOf([&] { ParseFormDesign(text, "t.frm"); });
    ASSERT_TRUE(error == 0 || error == runtime::kLoadError) << error;
  }
}

TEST(DesignReader, KeysMatchWithoutCaseValuesAreCheckedAndStraysAreRefused) {
  const DesignNode node = ParseFormDesign(
      "Begin TextBox T\n maxlength = 6\n Locked = -1\n ToolTipText = \"\xb9\xd8\xb1\xd5\"\n"
      " TabIndex = 70000\n Misspelt = 1\nEnd\n",
      "t.frm");
  runtime::DesignReader reader(node);
  EXPECT_EQ(reader.Integer32("MaxLength", 0), 6);
  EXPECT_TRUE(reader.Flag("Locked", false));
  EXPECT_EQ(reader.GbkText("ToolTipText", {}), u"关闭");
  EXPECT_EQ(reader.Integer32("Absent", 9), 9);
  EXPECT_THROW(reader.Integer16("TabIndex", 0), runtime::RuntimeError);
  EXPECT_THROW(reader.Bytes("MaxLength"), runtime::RuntimeError);
  const std::optional<runtime::RuntimeError> stray = test_support::RaisedBy([&] { reader.RequireAllRead(); });
  ASSERT_TRUE(stray) << "a stray setting was accepted";
  EXPECT_NE(stray->Description().find("T.Misspelt"), std::string::npos) << stray->Description();
}

TEST(Gbk, RoundTripsTheInterfaceTexts) {
  for (const char16_t* text : {u"关闭", u"最小化", u"复制", u"清空", u"数据一", u"微软雅黑", u"宋体", u"Zorvane 2.0"}) {
    const std::u16string original = text;
    EXPECT_EQ(runtime::DecodeGbk(runtime::EncodeGbk(original)), original) << runtime::Utf8(original);
  }
  EXPECT_EQ(runtime::EncodeGbk(u"数据一"), "\xca\xfd\xbe\xdd\xd2\xbb");
}

}  // namespace
