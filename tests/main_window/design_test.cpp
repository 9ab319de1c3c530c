// SPDX-License-Identifier: MIT
#include <cmath>
#include <set>
#include <string>
#include <vector>

#include "image_button/ibutton_peer.h"
#include "main_window/designs.h"
#include "main_window/main_window_fixture.h"
#include "runtime/controls/control_site.h"
#include "runtime/controls/menu.h"
#include "runtime/controls/timer.h"
#include "runtime/design/property_bag.h"
#include "runtime/values/font.h"
#include "runtime/values/font_faces.h"
#include "runtime/values/picture.h"
#include "runtime/values/picture_file.h"

namespace {

using test_support::MainWindowTest;

// The fourteen buttons, by the numbers their names carry.
std::vector<std::string> ButtonNames() {
  std::vector<std::string> names;
  for (int n = 1; n <= 14; ++n) names.push_back("iButton" + std::to_string(n));
  return names;
}

int Pixels(float twips) { return static_cast<int>(std::lround(twips / 15)); }

TEST_F(MainWindowTest, TheMainWindowIsAsDesigned) {
  EXPECT_EQ(form.Caption(), u"Zorvane 2.0");
  EXPECT_TRUE(Window().Frameless());
  EXPECT_EQ(Window().Place().width, 320);
  EXPECT_EQ(Window().Place().height, 240);
  EXPECT_TRUE(Window().FixedSize());
  EXPECT_FALSE(Window().Icon().empty()) << "the icon is there from the first show";
  std::set<int> sizes;
  for (const runtime::PixelsRef& image : Window().Icon()) sizes.insert(image->Width());
  EXPECT_EQ(sizes, (std::set<int>{16, 32, 48}));
  EXPECT_EQ(form.Timer1.Interval(), 10);
  EXPECT_TRUE(form.Timer1.Enabled());
  // The skin is the window's picture, painted from (0, 0).
  const runtime::Pixels skin = runtime::DecodeFirstPicture(main_window::LoadDesignFile("window_skin.jpg"));
  ASSERT_TRUE(Window().Picture());
  ASSERT_EQ(Window().Picture()->Width(), 320);
  ASSERT_EQ(Window().Picture()->Height(), 240);
  for (const runtime::Point at : {runtime::Point{0, 0}, {5, 120}, {319, 239}, {170, 225}, {40, 20}}) {
    EXPECT_EQ(Window().Picture()->At(at.x, at.y), skin.At(at.x, at.y)) << at.x << "," << at.y;
  }
  EXPECT_EQ(Window().Place().x, (1024 - 320) / 2) << "centred on the screen";
}

// Every control stands where its twips put it, at 15 twips to the pixel,
// inside the window.
TEST_F(MainWindowTest, EveryControlsPixelsAreItsTwipsOverFifteen) {
  std::vector<const runtime::Control*> controls;
  for (const runtime::TextBox* field : form.Text1) controls.push_back(field);
  for (const std::string& name : ButtonNames()) controls.push_back(&Button(name));
  for (const runtime::Control* control : controls) {
    SCOPED_TRACE(control->Name() + "(" + std::to_string(control->Index()) + ")");
    const runtime::Rect pixels{Pixels(control->Left()), Pixels(control->Top()), Pixels(control->Width()),
                               Pixels(control->Height())};
    const auto* surface = dynamic_cast<const test_front_end::TestSurface*>(&control->Window());
    const runtime::Rect& place =
        surface != nullptr ? surface->Place() : dynamic_cast<const test_front_end::TestField&>(control->Window()).Place();
    EXPECT_EQ(place, pixels);
    EXPECT_TRUE(pixels.x >= 0 && pixels.y >= 0 && pixels.x + pixels.width <= 320 && pixels.y + pixels.height <= 240);
  }
}

// Each button is a push button that sizes itself to one frame of its strip,
// five frames wide, and draws its caption in the button text's colour.
TEST_F(MainWindowTest, EveryButtonIsOneFrameOfItsStrip) {
  for (const std::string& name : ButtonNames()) {
    SCOPED_TRACE(name);
    image_button::iButton& b = Button(name);
    EXPECT_EQ(b.Style(), image_button::iButton::PushButton);
    EXPECT_EQ(b.AutoSize(), runtime::kTrue);
    EXPECT_EQ(b.cBackStyle(), 1);
    EXPECT_EQ(b.cDrawMode(), 13);
    EXPECT_EQ(b.cForeColor(), runtime::kSystemButtonText);
    ASSERT_TRUE(b.BackPicture());
    const runtime::Pixels strip = b.BackPicture()->Copy();
    EXPECT_EQ(strip.Width() % 5, 0) << "five equal frames";
    const int frameWidth = strip.Width() / 5;
    const int frameHeight = strip.Height();
    EXPECT_EQ(Surface(name).Place().width, frameWidth);
    EXPECT_EQ(Surface(name).Place().height, frameHeight);
    EXPECT_EQ(b.Width(), static_cast<float>(frameWidth * 15));
    EXPECT_EQ(b.Height(), static_cast<float>(frameHeight * 15));
    const runtime::Pixels frame = test_support::IButtonPeer(b).StateImageFor(0)->Copy();
    EXPECT_EQ(frame.Width(), frameWidth);
    EXPECT_EQ(frame.Height(), frameHeight);
  }
}

// A key shows the digit its click types; the others say what they do.
TEST_F(MainWindowTest, EachKeyShowsTheDigitItTypes) {
  for (int n = 3; n <= 12; ++n) {
    const std::string name = "iButton" + std::to_string(n);
    SCOPED_TRACE(name);
    const std::u16string caption = Button(name).Caption();
    ASSERT_EQ(caption.size(), 1u);
    Write(0, u"1");  // not empty, so that the keypad's 0 types too
    Click(name);
    EXPECT_EQ(Text(0), u"1" + caption);
  }
  const struct {
    const char* name;
    const char16_t* caption;
    const char16_t* toolTip;
  } commands[] = {{"iButton1", u"", u"关闭"},
                  {"iButton2", u"", u"最小化"},
                  {"iButton13", u"复制", u"复制"},
                  {"iButton14", u"清空", u"清空"}};
  for (const auto& command : commands) {
    SCOPED_TRACE(command.name);
    EXPECT_EQ(Button(command.name).Caption(), command.caption);
    EXPECT_EQ(Button(command.name).ToolTipText(), command.toolTip);
    EXPECT_EQ(Surface(command.name).ToolTip(), command.toolTip);
  }
}

TEST_F(MainWindowTest, EachButtonsSavedSettingsWriteBackByteForByte) {
  for (const std::string& name : ButtonNames()) {
    SCOPED_TRACE(name);
    std::string file = "settings/" + name + ".bag";
    for (char& c : file) c = static_cast<char>(c >= 'A' && c <= 'Z' ? c - 'A' + 'a' : c);  // named in lower case
    const std::string stored = main_window::LoadDesignFile(file);
    const std::string saved = runtime::ControlSite::SaveSettings(Button(name)).ToBytes();
    EXPECT_TRUE(saved == stored);
    std::vector<std::string> keys;
    const runtime::PropertyBag reread = runtime::PropertyBag::FromBytes(saved);
    for (const auto& entry : reread.Entries()) keys.push_back(entry.name);
    std::vector<std::string> expected = {"_extentx", "_extenty", "backpicture", "caption", "cfont", "cdrawmode", "cforecolor"};
    if (Button(name).Caption().empty()) expected.erase(expected.begin() + 3);
    EXPECT_EQ(keys, expected);
  }
}

TEST_F(MainWindowTest, TheFieldsAreAsDesigned) {
  const struct {
    int index;
    int maxLength;
    bool locked;
    const char16_t* accessibleName;
  } rows[] = {{0, 6, false, u"整数 GB"}, {1, 10, true, u"FAT32 MB"}, {2, 10, true, u"NTFS MB"}};
  for (const auto& row : rows) {
    SCOPED_TRACE(row.index);
    runtime::TextBox& field = Field(row.index);
    EXPECT_EQ(field.MaxLength(), row.maxLength);
    EXPECT_EQ(field.Locked(), row.locked);
    EXPECT_FALSE(FieldWindow(row.index).Frame()) << "flat, in the skin's white panel";
    EXPECT_EQ(field.GetFont()->name, u"微软雅黑");
    EXPECT_EQ(field.GetFont()->size, 10.5);
    EXPECT_EQ(field.Text(), u"");
    ASSERT_TRUE(FieldWindow(row.index).FieldFont());
    EXPECT_EQ(FieldWindow(row.index).FieldFont()->PixelSize(), 14) << "10.5 pt";
    EXPECT_EQ(FieldWindow(row.index).AccessibleName(), row.accessibleName);
  }
  // One face stands in for both of the design's faces.
  const std::u16string fields = runtime::ResolvedFamily(Field(1).GetFont()->name);
  EXPECT_EQ(fields, u"WenQuanYi Micro Hei");
  EXPECT_EQ(runtime::ResolvedFamily(Button("iButton3").cFont()->name), fields);
  EXPECT_EQ(runtime::ResolvedFamily(Button("iButton13").cFont()->name), fields);
}

// As on a system whose first stand-in is a wide face: the fields take the
// first stand-in in which the largest sizes fit.
TEST(OutputFace, AStandInTooWideForTheLargestSizesGivesWayToOneThatFits) {
  test_front_end::TestWindowSystem ws;
  ws.SetInstalledFamilies({u"Test Sans", u"WenQuanYi Zen Hei", u"WenQuanYi Micro Hei"});
  ws.SetWidthPercent(u"WenQuanYi Zen Hei", 100);
  ws.SetWidthPercent(u"WenQuanYi Micro Hei", 90);
  main_window::Project project;
  runtime::SetStandIns(u"微软雅黑", {u"WenQuanYi Zen Hei", u"WenQuanYi Micro Hei"});
  main_window::Form1& form = project.Form1();
  for (runtime::TextBox* field : form.Text1) {
    const runtime::Font& font = *dynamic_cast<test_front_end::TestField&>(field->Field()).FieldFont();
    EXPECT_EQ(runtime::ResolvedFamily(font.name), u"WenQuanYi Micro Hei");
    EXPECT_LE(ws.MeasureText(font, u"1023998977").width, field->TextRoom());
  }
}

// The tab order is the fields by index, then the buttons by the numbers in
// their names, and round again.
TEST_F(MainWindowTest, TabRunsThroughTheFieldsAndThenTheButtonsByNumber) {
  std::vector<const runtime::Control*> order;
  for (const runtime::TextBox* field : form.Text1) order.push_back(field);
  for (const std::string& name : ButtonNames()) order.push_back(&Button(name));
  for (std::size_t i = 1; i < order.size(); ++i) {
    EXPECT_LT(order[i - 1]->TabIndex(), order[i]->TabIndex()) << order[i]->Name();
  }
  EXPECT_EQ(ws.Focused(), &Field(0).Window()) << "the size field starts with the focus";
  for (std::size_t i = 1; i <= order.size(); ++i) {
    const runtime::Control* next = order[i % order.size()];
    ws.Tab();
    EXPECT_EQ(ws.Focused(), &next->Window()) << next->Name() << " " << i;
  }
}

TEST_F(MainWindowTest, TheCopyMenusFormIsAsDesigned) {
  main_window::Form2& menuForm = project.Form2();
  EXPECT_EQ(menuForm.Caption(), u"Form2");
  EXPECT_FALSE(dynamic_cast<test_front_end::TestForm&>(menuForm.Window()).Shown());
  EXPECT_EQ(menuForm.s.Items().size(), 3u);
  EXPECT_EQ(menuForm.a.Caption(), u"数据一");
  EXPECT_EQ(menuForm.b.Caption(), u"数据二");
  EXPECT_EQ(menuForm.c.Caption(), u"数据三");
  EXPECT_EQ(menuForm.s.Items().front(), &menuForm.a);
}

}  // namespace
