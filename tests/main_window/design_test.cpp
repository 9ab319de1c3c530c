#include <QFontInfo>
#include <QFontMetrics>
#include <QPalette>

#include "image_button/ibutton_peer.h"
#include "main_window/designs.h"
#include "main_window/main_window_fixture.h"
#include "runtime/control_site.h"
#include "runtime/font.h"
#include "runtime/interface_setup.h"
#include "runtime/line_edit_box.h"
#include "runtime/menu.h"
#include "runtime/property_bag.h"
#include "runtime/timer.h"

namespace {

using test_support::MainWindowTest;

struct ButtonRow {
  const char* name;
  float left, top, width, height;
  QRect pixels;
  int tabIndex;
  const char* toolTip;
  const char* caption;
  const char* face;
  double points;
};

const ButtonRow kButtons[] = {
    {"iButton13", 240, 2700, 1050, 525, QRect(16, 180, 70, 35), 15, "复制", "复制", "微软雅黑", 10.5},
    {"iButton3", 2880, 840, 525, 525, QRect(192, 56, 35, 35), 5, "1", "1", "宋体", 9},
    {"iButton2", 3950, 10, 420, 420, QRect(263, 1, 28, 28), 4, "最小化", "", "宋体", 9},
    {"iButton1", 4370, 10, 420, 420, QRect(291, 1, 28, 28), 3, "关闭", "", "宋体", 9},
    {"iButton4", 4080, 1440, 525, 525, QRect(272, 96, 35, 35), 6, "6", "6", "宋体", 9},
    {"iButton5", 3480, 1440, 525, 525, QRect(232, 96, 35, 35), 7, "5", "5", "宋体", 9},
    {"iButton6", 2880, 1440, 525, 525, QRect(192, 96, 35, 35), 8, "4", "4", "宋体", 9},
    {"iButton7", 4080, 840, 525, 525, QRect(272, 56, 35, 35), 9, "3", "3", "宋体", 9},
    {"iButton8", 3480, 840, 525, 525, QRect(232, 56, 35, 35), 10, "2", "2", "宋体", 9},
    {"iButton9", 2880, 2040, 525, 525, QRect(192, 136, 35, 35), 11, "7", "7", "宋体", 9},
    {"iButton10", 3480, 2040, 525, 525, QRect(232, 136, 35, 35), 12, "8", "8", "宋体", 9},
    {"iButton11", 4080, 2040, 525, 525, QRect(272, 136, 35, 35), 13, "9", "9", "宋体", 9},
    {"iButton12", 3480, 2640, 525, 525, QRect(232, 176, 35, 35), 14, "0", "0", "宋体", 9},
    {"iButton14", 1560, 2700, 1050, 525, QRect(104, 180, 70, 35), 16, "清空", "清空", "微软雅黑", 10.5},
};

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

TEST_F(MainWindowTest, EveryButtonStandsWhereDesignedAndSizedToOneFrame) {
  for (const ButtonRow& row : kButtons) {
    SCOPED_TRACE(row.name);
    image_button::iButton& b = Button(row.name);
    EXPECT_EQ(b.Left(), row.left);
    EXPECT_EQ(b.Top(), row.top);
    EXPECT_EQ(b.Width(), row.width);
    EXPECT_EQ(b.Height(), row.height);
    EXPECT_EQ(b.Widget()->geometry(), row.pixels);
    EXPECT_EQ(b.TabIndex(), row.tabIndex);
    EXPECT_EQ(b.ToolTipText(), QString::fromUtf8(row.toolTip));
    EXPECT_EQ(b.Widget()->toolTip(), QString::fromUtf8(row.toolTip));
    EXPECT_EQ(b.Caption(), QString::fromUtf8(row.caption));
    EXPECT_EQ(b.cFont()->name, QString::fromUtf8(row.face));
    EXPECT_EQ(b.cFont()->size, row.points);
    EXPECT_EQ(b.cFont()->charset, 134);
    EXPECT_EQ(b.cDrawMode(), 13);
    EXPECT_EQ(b.cForeColor(), 0x80000012u);
    EXPECT_EQ(b.Style(), 0);
    EXPECT_EQ(b.AutoSize(), runtime::kTrue);
    EXPECT_EQ(b.cBackStyle(), 1);
    EXPECT_EQ(test_support::IButtonPeer(b).StateImageFor(0)->Pixels().size(), row.pixels.size()) << "one frame of its strip";
  }
}

TEST_F(MainWindowTest, EachButtonsSavedSettingsWriteBackByteForByte) {
  for (const ButtonRow& row : kButtons) {
    SCOPED_TRACE(row.name);
    const QByteArray stored = main_window::LoadDesignFile("settings/" + QString::fromLatin1(row.name).toLower().toStdString() + ".bag");
    const std::string saved = runtime::ControlSite::SaveSettings(Button(row.name)).ToBytes();
    EXPECT_TRUE(saved == std::string(stored.constData(), static_cast<std::size_t>(stored.size())));
    std::vector<std::string> keys;
    const runtime::PropertyBag reread = runtime::PropertyBag::FromBytes(saved);
    for (const auto& entry : reread.Entries()) keys.push_back(entry.name);
    std::vector<std::string> expected = {"_extentx", "_extenty", "backpicture", "caption", "cfont", "cdrawmode", "cforecolor"};
    if (*row.caption == '\0') expected.erase(expected.begin() + 3);
    EXPECT_EQ(keys, expected);
  }
}

TEST_F(MainWindowTest, TheFieldsAreAsDesigned) {
  const struct {
    int index;
    QRect pixels;
    int maxLength;
    bool locked;
  } rows[] = {{0, QRect(64, 59, 81, 21), 6, false}, {1, QRect(64, 103, 81, 21), 10, true},
              {2, QRect(64, 153, 81, 21), 10, true}};
  for (const auto& row : rows) {
    SCOPED_TRACE(row.index);
    runtime::TextBox& field = Field(row.index);
    EXPECT_EQ(field.Widget()->geometry(), row.pixels);
    EXPECT_EQ(field.TabIndex(), row.index);
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

TEST_F(MainWindowTest, TabRunsThroughTheFieldsAndThenTheButtonsByNumber) {
  QApplication::setActiveWindow(&form.Widget());
  Field(2).Widget()->setFocus();
  for (const char* next : {"iButton1", "iButton2", "iButton3", "iButton4"}) {
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
    EXPECT_EQ(QApplication::focusWidget(), Button(next).Widget()) << next;
  }
  Button("iButton14").Widget()->setFocus();
  QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
  EXPECT_EQ(QApplication::focusWidget(), Field(0).Widget()) << "and round again";
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
