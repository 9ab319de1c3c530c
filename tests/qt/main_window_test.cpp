// SPDX-License-Identifier: MIT
// The main window as Qt shows it: its skin and icon, fields whose face shows
// the largest sizes whole, a refresh tick that changes nothing paints
// nothing, and a copy that replaces whatever the clipboard held.
#include <QClipboard>
#include <QFontInfo>
#include <QFontMetrics>
#include <QGuiApplication>
#include <QMimeData>
#include <QTimer>

#include "main_window/designs.h"
#include "qt/fonts.h"
#include "qt/qt_main_window.h"
#include "runtime/controls/menu.h"
#include "runtime/controls/timer.h"
#include "runtime/values/font_faces.h"
#include "runtime/values/picture_file.h"

namespace {

using test_support::QtMainWindowTest;

TEST_F(QtMainWindowTest, TheWindowShowsItsSkinAndCarriesItsIcon) {
  EXPECT_TRUE(Window().windowFlags().testFlag(Qt::FramelessWindowHint));
  EXPECT_EQ(Window().size(), QSize(320, 240));
  EXPECT_FALSE(Window().windowIcon().isNull()) << "the icon is there from the first show";
  EXPECT_EQ(Window().windowIcon().availableSizes().size(), 3) << "16, 32 and 48 pixels";
  // The skin covers the client area from (0, 0): the window shows the
  // picture's own pixels where no control stands.
  const runtime::Pixels skin = runtime::DecodeFirstPicture(main_window::LoadDesignFile("window_skin.jpg"));
  const QImage shown = Window().grab().toImage();
  ASSERT_EQ(shown.size(), QSize(320, 240));
  for (const QPoint at : {QPoint(0, 0), QPoint(5, 120), QPoint(319, 239), QPoint(170, 225), QPoint(40, 20)}) {
    EXPECT_EQ(shown.pixel(at), skin.At(at.x(), at.y())) << at.x() << "," << at.y();
  }
}

TEST_F(QtMainWindowTest, TheFieldsFaceShowsTheLargestSizesWhole) {
  for (int index = 0; index < 3; ++index) {
    SCOPED_TRACE(index);
    // A real CJK face stands in for the designed one, narrow enough for the
    // largest sizes to fit whole.
    EXPECT_EQ(QFontInfo(FieldWidget(index)->font()).pixelSize(), 14) << "10.5 pt";
    EXPECT_LE(QFontMetrics(FieldWidget(index)->font()).horizontalAdvance(QStringLiteral("1027998968")),
              Field(index).TextRoom());
  }
  // One face stands in for both of the design's faces.
  const QString fields = QFontInfo(FieldWidget(1)->font()).family();
  EXPECT_EQ(QFontInfo(qt_frontend::ToQFont(*Button("iButton3").cFont())).family(), fields);
  EXPECT_EQ(QFontInfo(qt_frontend::ToQFont(*Button("iButton13").cFont())).family(), fields);
}

TEST(QtOutputFace, AStandInTooWideForTheLargestSizesGivesWayToOneThatFits) {
  main_window::Project project;
  // As on a system whose first stand-in is a wide face.
  runtime::SetStandIns(u"微软雅黑", {u"WenQuanYi Zen Hei", u"WenQuanYi Micro Hei"});
  main_window::Form1& form = project.Form1();
  for (runtime::TextBox* field : form.Text1) {
    auto* widget = dynamic_cast<QWidget*>(&field->Field());
    EXPECT_EQ(QFontInfo(widget->font()).family(), QStringLiteral("WenQuanYi Micro Hei"));
    EXPECT_LE(QFontMetrics(widget->font()).horizontalAdvance(QStringLiteral("1023998977")), field->TextRoom());
  }
}

// Counts the paints and layout requests of a widget and its children.
class PaintCounter : public QObject {
 public:
  explicit PaintCounter(QWidget& top) {
    top.installEventFilter(this);
    for (QWidget* child : top.findChildren<QWidget*>()) child->installEventFilter(this);
  }
  int paints = 0;
  int layouts = 0;

 protected:
  bool eventFilter(QObject*, QEvent* event) override {
    if (event->type() == QEvent::Paint || event->type() == QEvent::UpdateRequest) ++paints;
    if (event->type() == QEvent::LayoutRequest) ++layouts;
    return false;
  }
};

TEST_F(QtMainWindowTest, ATickThatChangesNothingRepaintsAndRelaysOutNothing) {
  QTest::keyClicks(FieldWidget(0), QStringLiteral("33"));
  runtime::Boundary([&] { form.Timer1.Tick.Raise(); });
  QCoreApplication::processEvents();
  PaintCounter counter(Window());
  for (int i = 0; i < 50; ++i) {
    runtime::Boundary([&] { form.Timer1.Tick.Raise(); });
    QCoreApplication::processEvents();
  }
  EXPECT_EQ(counter.paints, 0);
  EXPECT_EQ(counter.layouts, 0);
}

// Copying replaces every format another program left on the clipboard.
TEST_F(QtMainWindowTest, EveryCopyReplacesAllFormats) {
  QTest::keyClicks(FieldWidget(0), QStringLiteral("7"));
  runtime::Boundary([&] { form.Timer1.Tick.Raise(); });
  auto* rich = new QMimeData;
  rich->setHtml(QStringLiteral("<b>old</b>"));
  rich->setText(QStringLiteral("old"));
  QGuiApplication::clipboard()->setMimeData(rich);
  QTimer::singleShot(0, [] {
    QWidget* popup = QApplication::activePopupWidget();
    if (popup == nullptr) return;
    QTest::keyClick(popup, Qt::Key_Down);
    QTest::keyClick(popup, Qt::Key_Return);
    if (QApplication::activePopupWidget() != nullptr) QTest::keyClick(popup, Qt::Key_Escape);
  });
  Click("iButton13");
  EXPECT_EQ(QGuiApplication::clipboard()->text(), QStringLiteral("7"));
  EXPECT_FALSE(QGuiApplication::clipboard()->mimeData()->hasHtml()) << "every copy replaces all formats";
}

}  // namespace
