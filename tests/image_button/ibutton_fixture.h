// SPDX-License-Identifier: MIT
#pragma once

#include <gtest/gtest.h>

#include <QApplication>
#include <QCursor>
#include <QImage>
#include <QTest>
#include <memory>
#include <string>

#include "image_button/ibutton.h"
#include "image_button/ibutton_peer.h"
#include "image_button/register.h"
#include "runtime/controls/text_box.h"
#include "runtime/design/form_design.h"
#include "runtime/design/property_bag.h"
#include "runtime/forms/control_classes.h"
#include "runtime/forms/form.h"
#include "runtime/forms/form_widget.h"
#include "support/eventually.h"
#include "support/picture_file.h"
#include "support/recorded_errors.h"

namespace test_support {

// The colours of the five frames of the test strip: each state is told
// apart by its colour alone.
inline const QRgb kFrameColours[10] = {0xFFC04040, 0xFF40C040, 0xFF4040C0, 0xFF808080, 0xFF000000,
                                       0xFFE0A000, 0xFF00A0E0, 0xFFA000E0, 0xFF606060, 0xFF101010};

// A strip of flat frames, as lossless PNG bytes.
inline QByteArray StripFile(int frames, int frameWidth, int height) {
  QImage strip(frames * frameWidth, height, QImage::Format_RGB32);
  for (int i = 0; i < frames; ++i) {
    for (int x = 0; x < frameWidth; ++x) {
      for (int y = 0; y < height; ++y) strip.setPixel(i * frameWidth + x, y, kFrameColours[i % 10]);
    }
  }
  return test_support::PictureFile(strip, "PNG");
}

// One iButton (525 x 525 twips at 300, 300) on a shown form, after a text
// box that starts with the focus, loaded from saved settings.
class IButtonTest : public testing::Test {
 protected:
  explicit IButtonTest(runtime::PropertyBag settings = DefaultSettings(), int widthTwips = 525,
                       int heightTwips = 525) {
    image_button::RegisterIButton(classes);
    const std::string bag = settings.ToBytes();
    const std::string design =
        "Begin Form F\n BorderStyle = 0\n ClientWidth = 3000\n ClientHeight = 3000\n"
        " Begin TextBox T\n  TabIndex = 0\n  Width = 600\n  Height = 300\n End\n"
        " Begin Zorvane.iButton B\n  Left = 300\n  Top = 600\n  Width = " +
        std::to_string(widthTwips) + "\n  Height = " + std::to_string(heightTwips) +
        "\n  TabIndex = 1\n  Settings = \"b.bag\"\n End\nEnd\n";
    form = std::make_unique<runtime::Form>(runtime::ParseFormDesign(design, "t.frm"), classes,
                                           [bag](std::string_view) {
                                             return QByteArray(bag.data(), static_cast<qsizetype>(bag.size()));
                                           });
    form->Widget().move(100, 100);
    form->Show();
    if (!QTest::qWaitForWindowExposed(&form->Widget())) ADD_FAILURE() << "the form never showed";
    QApplication::setActiveWindow(&form->Widget());
    PointerTo(QPoint(5, 5));  // far from the button
  }

  // The test strip as the button's only saved setting.
 public:
  static runtime::PropertyBag DefaultSettings() {
    runtime::PropertyBag bag;
    bag.WriteProperty("BackPicture",
                      runtime::Variant::FromPicture(runtime::Picture::FromFile(StripFile(5, 35, 35))));
    return bag;
  }

 protected:
  image_button::iButton& Button() { return form->ControlNamed<image_button::iButton>("B"); }
  IButtonPeer Peer() { return IButtonPeer(Button()); }
  QWidget* Surface() { return Button().Widget(); }
  QPoint Centre() { return Surface()->mapToGlobal(Surface()->rect().center()); }
  QRgb PixelAt(int x, int y) { return Peer().ImagePixels().pixel(x, y); }

  // Moves the pointer (the offscreen platform's cursor) without an event.
  static void PointerTo(QPoint global) { QCursor::setPos(global); }
  static bool Eventually(const std::function<bool()>& condition) { return test_support::Eventually(condition); }
  // The pointer moves to `global` and the button hears of it.
  void MoveTo(QPoint global) {
    PointerTo(global);
    QTest::mouseMove(Surface(), Surface()->mapFromGlobal(global));
  }
  void Press(Qt::MouseButton button = Qt::LeftButton) {
    QTest::mousePress(Surface(), button, {}, Surface()->mapFromGlobal(QCursor::pos()));
  }
  void Release(Qt::MouseButton button = Qt::LeftButton) {
    QTest::mouseRelease(Surface(), button, {}, Surface()->mapFromGlobal(QCursor::pos()));
  }

  runtime::Program program;
  RecordedErrors errors{program};
  runtime::ControlClasses classes;
  std::unique_ptr<runtime::Form> form;
};

}  // namespace test_support
