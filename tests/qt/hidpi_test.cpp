// SPDX-License-Identifier: MIT
// The window on a display scaled 150 % or 200 % (the offscreen platform
// configured with such a screen): a whole-number scale, the layout kept at
// the scaled size, text at its designed size against the window, and every
// button's picture its own frame, not smeared into its neighbours.
#include <gtest/gtest.h>

#include <QApplication>
#include <QFontInfo>
#include <QTest>

#include "image_button/ibutton_peer.h"
#include "main_window/form1.h"
#include "main_window/project.h"
#include "qt/application.h"
#include "qt/fonts.h"
#include "qt/form_widget.h"
#include "qt/qt_window_system.h"

namespace {

class HighDpi : public testing::Test {
 protected:
  HighDpi() : form(project.Form1()) {
    form.Show();
    if (!QTest::qWaitForWindowExposed(&Window())) ADD_FAILURE() << "never shown";
  }
  qt_frontend::FormWidget& Window() { return dynamic_cast<qt_frontend::FormWidget&>(form.Window()); }
  static QWidget* WidgetOf(const runtime::Control& control) { return dynamic_cast<QWidget*>(&control.Window()); }
  main_window::Project project;
  main_window::Form1& form;
};

TEST_F(HighDpi, TheScaleIsAWholeNumberAndTheLayoutKeepsItsShape) {
  EXPECT_EQ(Window().devicePixelRatio(), 2.0);
  EXPECT_EQ(Window().size(), QSize(320, 240)) << "in the display's logical pixels";
  EXPECT_EQ(WidgetOf(form.ControlNamed<image_button::iButton>("iButton5"))->geometry(), QRect(232, 96, 35, 35));
  const QImage shown = Window().grab().toImage();
  EXPECT_EQ(shown.size(), QSize(640, 480));
}

TEST_F(HighDpi, TextKeepsItsDesignedSizeAgainstTheWindow) {
  // Whatever logical DPI the display reports, the fields' 10.5 pt is 14 of
  // the window's pixels, as it is at 100 %.
  for (runtime::TextBox* field : form.Text1) {
    EXPECT_EQ(QFontInfo(WidgetOf(*field)->font()).pixelSize(), 14);
  }
  auto& key = form.ControlNamed<image_button::iButton>("iButton5");
  EXPECT_EQ(QFontInfo(qt_frontend::ToQFont(*key.cFont())).pixelSize(), 12) << "9 pt";
}

TEST_F(HighDpi, EachButtonShowsItsOwnFrameSharp) {
  for (const char* name : {"iButton1", "iButton2", "iButton5", "iButton13"}) {
    SCOPED_TRACE(name);
    auto& button = form.ControlNamed<image_button::iButton>(name);
    button.LetCaption(u"");  // the picture alone
    button.cMouseAction(0, runtime::kTrue);
    const test_support::IButtonPeer peer(button);
    const runtime::Pixels frame = peer.StateImageFor(0)->Copy();
    ASSERT_TRUE(peer.ImagePixels().Data() == frame.Data()) << "the picture is exactly frame 0 of the strip";
    const QImage shown = WidgetOf(button)->grab().toImage().convertToFormat(QImage::Format_RGB32);
    ASSERT_EQ(shown.size(), QSize(frame.Width(), frame.Height()) * 2);
    // Every device pixel is its frame pixel, doubled: nothing blurred in from
    // a neighbouring pixel, let alone from the next frame of the strip.
    int differing = 0;
    for (int y = 0; y < shown.height(); ++y) {
      for (int x = 0; x < shown.width(); ++x) {
        if (shown.pixel(x, y) != (frame.At(x / 2, y / 2) | 0xFF000000u)) ++differing;
      }
    }
    EXPECT_EQ(differing, 0);
  }
}

}  // namespace

int main(int argc, char** argv) {
  qt_frontend::Application::ChooseDisplayScaling();
  QApplication application(argc, argv);
  qt_frontend::QtWindowSystem windowSystem;
  ::testing::InitGoogleTest(&argc, argv);
  return RUN_ALL_TESTS();
}
