// SPDX-License-Identifier: MIT
#include <QFontInfo>
#include <QFontMetrics>
#include <QPalette>
#include <cmath>
#include <string>
#include <vector>

#include "image_button/ibutton_peer.h"
#include "main_window/designs.h"
#include "main_window/main_window_fixture.h"
#include "runtime/controls/control_site.h"
#include "runtime/controls/line_edit_box.h"
#include "runtime/controls/menu.h"
#include "runtime/controls/timer.h"
#include "runtime/design/property_bag.h"
#include "runtime/platform/interface_setup.h"
#include "runtime/values/font.h"

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
  EXPECT_EQ(form.Caption(), QStringLiteral("Zorvane 2.0"));
  EXPECT_TRUE(form.Widget().windowFlags().testFlag(Qt::FramelessWindowHint));
  EXPECT_EQ(form.Widget().size(), QSize(320, 240));
  EXPECT_EQ(form.Widget().grab().size(), QSize(320, 240));
  EXPECT_FALSE(form.Widget().windowIcon().isNull()) << "the icon is there from the first show";
  EXPECT_EQ(form.Widget().windowIcon().availableSizes().size(), 3) << "16, 32 and 48 pixels";
  EXPECT_EQ(form.Timer1.Interval(), 10);
  EXPECT_TRUE(form.Timer1.Enabled());
  // The skin covers the client area from (0, 0): the window shows the
  // picture's own pixels where no control stands.
  const QImage skin = runtime::Picture::FromFile(main_window::LoadDesignFile("window_skin.jpg"))->Pixels();
  const QImage shown = form.Widget().grab().toImage();
  for (const QPoint at : {QPoint(0, 0), QPoint(5, 120), QPoint(319, 239), QPoint(170, 225), QPoint(40, 20)}) {
    EXPECT_EQ(shown.pixel(at), skin.pixel(at)) << at.x() << "," << at.y();
  }
}

// Every control stands where its twips put it, at 15 twips to the pixel,
// inside the window.
TEST_F(MainWindowTest, EveryControlsPixelsAreItsTwipsOverFifteen) {
  std::vector<const runtime::Control*> controls;
  for (const runtime::TextBox* field : form.Text1) controls.push_back(field);
  for (const std::string& name : ButtonNames()) controls.push_back(&Button(name));
  for (const runtime::Control* control : controls) {
    SCOPED_TRACE(control->Name() + "(" + std::to_string(control->Index()) + ")");
    const QRect pixels(Pixels(control->Left()), Pixels(control->Top()), Pixels(control->Width()),
                       Pixels(control->Height()));
    EXPECT_EQ(control->Widget()->geometry(), pixels);
    EXPECT_TRUE(form.Widget().rect().contains(pixels));
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
    const QSize strip = b.BackPicture()->Pixels().size();
    EXPECT_EQ(strip.width() % 5, 0) << "five equal frames";
    const QSize frame(strip.width() / 5, strip.height());
    EXPECT_EQ(b.Widget()->size(), frame);
    EXPECT_EQ(b.Width(), static_cast<float>(frame.width() * 15));
    EXPECT_EQ(b.Height(), static_cast<float>(frame.height() * 15));
    EXPECT_EQ(test_support::IButtonPeer(b).StateImageFor(0)->Pixels().size(), frame);
  }
}

// A key shows the digit its click types; the others say what they do.
TEST_F(MainWindowTest, EachKeyShowsTheDigitItTypes) {
  for (int n = 3; n <= 12; ++n) {
    const std::string name = "iButton" + std::to_string(n);
    SCOPED_TRACE(name);
    const QString caption = Button(name).Caption();
    ASSERT_EQ(caption.size(), 1);
    Write(0, QStringLiteral("1"));  // not empty, so that the keypad's 0 types too
    Click(name);
    EXPECT_EQ(Text(0), QStringLiteral("1") + caption);
  }
  const struct {
    const char* name;
    const char* caption;
    const char* toolTip;
  } commands[] = {{"iButton1", "", "关闭"},
                  {"iButton2", "", "最小化"},
                  {"iButton13", "复制", "复制"},
                  {"iButton14", "清空", "清空"}};
  for (const auto& command : commands) {
    SCOPED_TRACE(command.name);
    EXPECT_EQ(Button(command.name).Caption(), QString::fromUtf8(command.caption));
    EXPECT_EQ(Button(command.name).ToolTipText(), QString::fromUtf8(command.toolTip));
    EXPECT_EQ(Button(command.name).Widget()->toolTip(), QString::fromUtf8(command.toolTip));
  }
}

TEST_F(MainWindowTest, EachButtonsSavedSettingsWriteBackByteForByte) {
  for (const std::string& name : ButtonNames()) {
    SCOPED_TRACE(name);
    const QByteArray stored =
        main_window::LoadDesignFile("settings/" + QString::fromStdString(name).toLower().toStdString() + ".bag");
    const std::string saved = runtime::ControlSite::SaveSettings(Button(name)).ToBytes();
    EXPECT_TRUE(saved == std::string(stored.constData(), static_cast<std::size_t>(stored.size())));
    std::vector<std::string> keys;
    const runtime::PropertyBag reread = runtime::PropertyBag::FromBytes(saved);
    for (const auto& entry : reread.Entries()) keys.push_back(entry.name);
    std::vector<std::string> expected = {"_extentx", "_extenty", "backpicture", "caption", "cfont", "cdrawmode", "cforecolor"};
    if (Button(name).Caption().isEmpty()) expected.erase(expected.begin() + 3);
    EXPECT_EQ(keys, expected);
  }
}

TEST_F(MainWindowTest, TheFieldsAreAsDesigned) {
  const struct {
    int index;
    int maxLength;
    bool locked;
  } rows[] = {{0, 6, false}, {1, 10, true}, {2, 10, true}};
  for (const auto& row : rows) {
    SCOPED_TRACE(row.index);
    runtime::TextBox& field = Field(row.index);
    EXPECT_EQ(field.MaxLength(), row.maxLength);
    EXPECT_EQ(field.Locked(), row.locked);
    EXPECT_FALSE(field.Field().hasFrame()) << "flat, in the skin's white panel";
    EXPECT_EQ(field.GetFont()->name, QString::fromUtf8("微软雅黑"));
    EXPECT_EQ(field.GetFont()->size, 10.5);
    EXPECT_EQ(field.Text(), QString());
    // A real CJK face stands in for the designed one, narrow enough for the
    // largest sizes to fit whole.
    EXPECT_EQ(QFontInfo(field.Widget()->font()).pixelSize(), 14) << "10.5 pt";
    EXPECT_LE(QFontMetrics(field.Widget()->font()).horizontalAdvance(QStringLiteral("1027998968")), field.TextRoom());
  }
  // One face stands in for both of the design's faces.
  EXPECT_EQ(QFontInfo(Button("iButton3").cFont()->ToQFont()).family(), QFontInfo(Field(1).Widget()->font()).family());
  EXPECT_EQ(QFontInfo(Button("iButton13").cFont()->ToQFont()).family(), QFontInfo(Field(1).Widget()->font()).family());
}

TEST(OutputFace, AStandInTooWideForTheLargestSizesGivesWayToOneThatFits) {
  main_window::Project project;
  // As on a system whose first stand-in is a wide face.
  runtime::SubstituteFont(QString::fromUtf8("微软雅黑"),
                          {QStringLiteral("WenQuanYi Zen Hei"), QStringLiteral("WenQuanYi Micro Hei")});
  main_window::Form1& form = project.Form1();
  for (runtime::TextBox* field : form.Text1) {
    EXPECT_EQ(QFontInfo(field->Widget()->font()).family(), QStringLiteral("WenQuanYi Micro Hei"));
    EXPECT_LE(QFontMetrics(field->Widget()->font()).horizontalAdvance(QStringLiteral("1023998977")),
              field->TextRoom());
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
  QApplication::setActiveWindow(&form.Widget());
  Field(0).Widget()->setFocus();
  for (std::size_t i = 1; i <= order.size(); ++i) {
    const runtime::Control* next = order[i % order.size()];
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
    EXPECT_EQ(QApplication::focusWidget(), next->Widget()) << next->Name() << " " << i;
  }
}

TEST_F(MainWindowTest, TheCopyMenusFormIsAsDesigned) {
  main_window::Form2& menuForm = project.Form2();
  EXPECT_EQ(menuForm.Caption(), QStringLiteral("Form2"));
  EXPECT_FALSE(menuForm.Widget().isVisible());
  EXPECT_EQ(menuForm.s.Items().size(), 3u);
  EXPECT_EQ(menuForm.a.Caption(), QString::fromUtf8("数据一"));
  EXPECT_EQ(menuForm.b.Caption(), QString::fromUtf8("数据二"));
  EXPECT_EQ(menuForm.c.Caption(), QString::fromUtf8("数据三"));
  EXPECT_EQ(menuForm.s.Items().front(), &menuForm.a);
}

}  // namespace
