// SPDX-License-Identifier: MIT
#pragma once

#include <gtest/gtest.h>

#include <QBuffer>
#include <QCursor>
#include <QImage>
#include <QTest>
#include <memory>
#include <string>

#include "image_button/ibutton.h"
#include "image_button/ibutton_peer.h"
#include "image_button/register.h"
#include "qt/form_widget.h"
#include "qt/line_edit_box.h"
#include "qt/surface_widget.h"
#include "runtime/controls/text_box.h"
#include "runtime/design/form_design.h"
#include "runtime/design/property_bag.h"
#include "runtime/forms/control_classes.h"
#include "runtime/forms/form.h"
#include "runtime/program.h"
#include "runtime/values/picture.h"
#include "support/recorded_errors.h"

namespace test_support {

// The colours of the frames of the test strip, one per state.
inline const QRgb kQtFrameColours[5] = {0xFFC04040, 0xFF40C040, 0xFF4040C0, 0xFF808080, 0xFF000000};

// A strip of five flat 35 x 35 frames as a button's only saved setting.
inline std::string StripSettings() {
  QImage strip(5 * 35, 35, QImage::Format_RGB32);
  for (int i = 0; i < 5; ++i) {
    for (int x = 0; x < 35; ++x) {
      for (int y = 0; y < 35; ++y) strip.setPixel(i * 35 + x, y, kQtFrameColours[i]);
    }
  }
  QByteArray png;
  QBuffer buffer(&png);
  buffer.open(QIODevice::WriteOnly);
  strip.save(&buffer, "PNG");
  runtime::PropertyBag bag;
  bag.WriteProperty("BackPicture", runtime::Variant::FromPicture(runtime::Picture::FromFile(png.toStdString())));
  return bag.ToBytes();
}

// A shown form at (100, 100) on Qt with a text box (T) and after it, in tab
// order, one iButton (B), 35 pixels square at (20, 40), unless the button
// comes first. The pointer starts away from the button.
class QtButtonTest : public testing::Test {
 protected:
  explicit QtButtonTest(bool buttonFirst = false) {
    image_button::RegisterIButton(classes);
    const std::string bag = StripSettings();
    const std::string design =
        std::string("Begin Form F\n BorderStyle = 0\n ClientWidth = 3000\n ClientHeight = 3000\n") +
        " Begin TextBox T\n  TabIndex = " + (buttonFirst ? "1" : "0") + "\n  Width = 600\n  Height = 300\n End\n" +
        " Begin Zorvane.iButton B\n  Left = 300\n  Top = 600\n  Width = 525\n  Height = 525\n  TabIndex = " +
        (buttonFirst ? "0" : "1") + "\n  Settings = \"b.bag\"\n End\nEnd\n";
    form = std::make_unique<runtime::Form>(runtime::ParseFormDesign(design, "t.frm"), classes,
                                           [bag](std::string_view) { return bag; });
    Window().move(100, 100);
    QCursor::setPos(5, 5);  // away from the button
    form->Show();
    if (!QTest::qWaitForWindowExposed(&Window())) ADD_FAILURE() << "the form never showed";
  }

  image_button::iButton& Button() { return form->ControlNamed<image_button::iButton>("B"); }
  IButtonPeer Peer() { return IButtonPeer(Button()); }
  qt_frontend::SurfaceWidget* Surface() { return dynamic_cast<qt_frontend::SurfaceWidget*>(&Button().Window()); }
  qt_frontend::LineEditBox* Field() {
    return dynamic_cast<qt_frontend::LineEditBox*>(&form->ControlNamed<runtime::TextBox>("T").Field());
  }
  qt_frontend::FormWidget& Window() { return dynamic_cast<qt_frontend::FormWidget&>(form->Window()); }
  QRgb PixelAt(int x, int y) {
    const runtime::Pixels pixels = Peer().ImagePixels();
    return pixels.At(x, y);
  }

  runtime::Program program;
  RecordedErrors errors{program};
  runtime::ControlClasses classes;
  std::unique_ptr<runtime::Form> form;
};

}  // namespace test_support
