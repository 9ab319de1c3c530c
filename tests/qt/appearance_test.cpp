// SPDX-License-Identifier: MIT
// What the controls look like on Qt whatever the desktop: a form's picture
// shows whole between its controls, a value written by code shows from its
// start, system colours keep their light values under a dark palette, fonts
// keep their designed pixel size, and a stand-in face is chosen by what it
// has to show in the faces really installed.
#include <gtest/gtest.h>

#include <QApplication>
#include <QFontInfo>
#include <QPainter>
#include <QPalette>
#include <memory>

#include "qt/fonts.h"
#include "qt/form_widget.h"
#include "runtime/controls/text_box.h"
#include "runtime/design/form_design.h"
#include "runtime/dispatch.h"
#include "runtime/forms/control_classes.h"
#include "runtime/forms/form.h"
#include "runtime/program.h"
#include "runtime/values/colour.h"
#include "runtime/values/font.h"
#include "runtime/values/font_faces.h"

namespace {

using runtime::TextBox;

// A field of the main window's width, too narrow for 16 digits.
constexpr const char* kDesign =
    "Begin Form F\n"
    "   Begin TextBox Field\n"
    "      BorderStyle = 0\n"
    "      Locked = -1\n"
    "      Left = 960\n"
    "      Top = 1540\n"
    "      Width = 1215\n"
    "      Height = 315\n"
    "      BeginProperty Font\n"
    "         Name = \"WenQuanYi Micro Hei\"\n"
    "         Size = 10.5\n"
    "      EndProperty\n"
    "   End\n"
    "End\n";

class Appearance : public testing::Test {
 protected:
  Appearance() { form = std::make_unique<runtime::Form>(runtime::ParseFormDesign(kDesign, "t.frm"), classes); }
  TextBox& Field() { return form->ControlNamed<TextBox>("Field"); }
  QWidget* FieldWidget() { return dynamic_cast<QWidget*>(&Field().Field()); }
  void Write(const std::u16string& text) {
    runtime::Boundary([&] { Field().SetText(text); });
  }

  runtime::Program program;
  runtime::ControlClasses classes;
  std::unique_ptr<runtime::Form> form;
};

// A control that paints itself whole in one colour, as the keys do.
class OpaqueControl : public QWidget {
 public:
  explicit OpaqueControl(QWidget* parent) : QWidget(parent) { setAttribute(Qt::WA_OpaquePaintEvent); }

 protected:
  void paintEvent(QPaintEvent* /*event*/) override { QPainter(this).fillRect(rect(), Qt::black); }
};

// A form's window that nobody listens to.
struct NoEvents : runtime::FormWindowEvents {
  void BackgroundPressed(const runtime::MouseInput&) override {}
  void CloseRequested() override {}
  void SightChanged() override {}
};

TEST(FormPicture, ShowsWholeAroundAndBetweenTheControls) {
  // Every pixel of the picture its own colour, and controls placed so that
  // what is left of the form to paint is ragged, as the main window's is.
  auto picture = std::make_shared<runtime::Pixels>(320, 240);
  for (int y = 0; y < picture->Height(); ++y) {
    for (int x = 0; x < picture->Width(); ++x) picture->Set(x, y, qRgb(x % 256, y, (x * 7 + y * 13) % 256));
  }
  NoEvents events;
  qt_frontend::FormWidget form(events);
  form.SetClientSize(320, 240, true);
  form.SetPicture(picture);
  const QRect controls[] = {{16, 180, 70, 35}, {192, 56, 35, 35},  {263, 1, 28, 28},  {64, 59, 81, 21},
                            {232, 96, 35, 35}, {272, 136, 35, 35}, {104, 180, 70, 35}, {0, 0, 5, 240}};
  for (const QRect& place : controls) (new OpaqueControl(&form))->setGeometry(place);
  const QImage shown = form.grab().toImage().convertToFormat(QImage::Format_RGB32);
  ASSERT_EQ(shown.size(), QSize(320, 240));
  int wrong = 0;
  for (int y = 0; y < 240; ++y) {
    for (int x = 0; x < 320; ++x) {
      bool covered = false;
      for (const QRect& place : controls) covered = covered || place.contains(x, y);
      const QRgb expected = covered ? qRgb(0, 0, 0) : picture->At(x, y);
      if (shown.pixel(x, y) != expected) ++wrong;
    }
  }
  EXPECT_EQ(wrong, 0);
}

TEST_F(Appearance, TextWrittenByCodeShowsFromItsStart) {
  const std::u16string longer = u"1234567890123456";
  form->Show();
  Write(longer);
  EXPECT_EQ(Field().SelStart(), 0);
  EXPECT_EQ(Field().SelLength(), 0);
  // The first digit is where the field's text begins, not scrolled away.
  const QImage shown = FieldWidget()->grab().toImage();
  int firstInk = shown.width();
  for (int x = 0; x < shown.width() && firstInk == shown.width(); ++x) {
    for (int y = 0; y < shown.height(); ++y) {
      if (qGray(shown.pixel(x, y)) < 128) {
        firstInk = x;
        break;
      }
    }
  }
  EXPECT_GT(firstInk, 0);
  EXPECT_LT(firstInk, 8) << "the text starts at the field's left margin";

  // Writing the same text again raises nothing, and still shows the start.
  runtime::Boundary([&] { Field().SetSelStart(9); });
  Write(longer);
  EXPECT_EQ(Field().SelStart(), 0);
}

TEST(SystemColours, KeepTheirLightValuesUnderADarkDesktopPalette) {
  const QPalette desktop = QApplication::palette();
  QPalette dark = desktop;
  for (const auto role : {QPalette::Window, QPalette::Base, QPalette::Button}) dark.setColor(role, QColor(36, 36, 36));
  for (const auto role : {QPalette::WindowText, QPalette::Text, QPalette::ButtonText}) {
    dark.setColor(role, QColor(240, 240, 240));
  }
  QApplication::setPalette(dark);
  const struct {
    runtime::Colour colour;
    QColor shown;
  } rows[] = {{runtime::kSystemWindowBackground, QColor(255, 255, 255)},
              {runtime::kSystemWindowText, QColor(0, 0, 0)},
              {runtime::kSystemButtonText, QColor(0, 0, 0)},
              {0x8000000F, QColor(240, 240, 240)},  // button face
              {255, QColor(255, 0, 0)},
              {0x00C08000, QColor(0, 128, 192)}};
  for (const auto& row : rows) EXPECT_EQ(qt_frontend::ToQColor(row.colour), row.shown) << std::hex << row.colour;

  // A field built under the dark palette is white with black text.
  {
    runtime::Program program;
    runtime::ControlClasses classes;
    runtime::Form form(runtime::ParseFormDesign(kDesign, "t.frm"), classes);
    TextBox& field = form.ControlNamed<TextBox>("Field");
    runtime::Boundary([&] { field.SetText(u"88"); });
    const QImage shown = dynamic_cast<QWidget*>(&field.Field())->grab().toImage();
    EXPECT_EQ(QColor(shown.pixel(shown.width() - 2, shown.height() / 2)), QColor(255, 255, 255));
    int darkest = 255;
    for (int x = 0; x < shown.width(); ++x) darkest = std::min(darkest, qGray(shown.pixel(x, shown.height() / 2)));
    EXPECT_LT(darkest, 60) << "black digits";
  }
  QApplication::setPalette(desktop);
}

TEST(Fonts, AreDrawnAtTheirDesignedWholePixelSize) {
  const struct {
    double points;
    int pixels;
  } rows[] = {{10.5, 14}, {9, 12}, {12, 16}, {8.25, 11}, {0, 12}, {-3, 12}, {5000, 12}};
  for (const auto& row : rows) {
    runtime::Font font;
    font.name = u"WenQuanYi Micro Hei";
    font.size = row.points;
    EXPECT_EQ(qt_frontend::ToQFont(font).pixelSize(), row.pixels) << row.points << " pt";
    EXPECT_EQ(QFontInfo(qt_frontend::ToQFont(font)).pixelSize(), row.pixels) << row.points << " pt, as drawn";
  }
}

// With the faces really installed: Zen Hei's digits are too wide for the
// main window's fields, Micro Hei's fit.
TEST(Fonts, AStandInIsChosenByWhatItMustShow) {
  runtime::Font font;
  font.size = 10.5;
  const std::vector<std::u16string> sizes = {u"1027998968", u"1023998977"};
  const std::u16string micro = u"WenQuanYi Micro Hei";
  const std::u16string zen = u"WenQuanYi Zen Hei";
  const struct {
    std::vector<std::u16string> families;
    int room;
    std::u16string chosen;
  } rows[] = {
      {{zen, micro}, 77, micro},                   // the first is too wide: the next that fits
      {{zen, micro}, 200, zen},                    // both fit: the first
      {{u"No Such Face", zen, micro}, 77, micro},  // a missing face is passed over
      {{zen, micro}, 10, micro},                   // none fits: the narrowest
      {{u"No Such Face"}, 77, u""},                // none installed
  };
  for (const auto& row : rows) {
    SCOPED_TRACE(std::to_string(row.families.size()) + " families in " + std::to_string(row.room));
    EXPECT_EQ(runtime::FamilyThatFits(row.families, font, sizes, row.room), row.chosen);
  }
}

}  // namespace
