// SPDX-License-Identifier: MIT
#pragma once

#include <gtest/gtest.h>

#include <functional>
#include <memory>
#include <string>

#include "front_end/test_window_system.h"
#include "image_button/ibutton.h"
#include "image_button/ibutton_peer.h"
#include "image_button/register.h"
#include "runtime/controls/text_box.h"
#include "runtime/design/form_design.h"
#include "runtime/design/property_bag.h"
#include "runtime/forms/control_classes.h"
#include "runtime/forms/form.h"
#include "runtime/values/picture.h"
#include "runtime/values/pixels.h"
#include "support/picture_file.h"
#include "support/recorded_errors.h"

namespace test_support {

// The colours of the five frames of the test strip: each state is told
// apart by its colour alone.
inline const runtime::Rgb kFrameColours[10] = {0xFFC04040, 0xFF40C040, 0xFF4040C0, 0xFF808080, 0xFF000000,
                                               0xFFE0A000, 0xFF00A0E0, 0xFFA000E0, 0xFF606060, 0xFF101010};

// A strip of flat frames, as lossless PNG bytes.
inline std::string StripFile(int frames, int frameWidth, int height) {
  runtime::Pixels strip(frames * frameWidth, height);
  for (int i = 0; i < frames; ++i) {
    for (int x = 0; x < frameWidth; ++x) {
      for (int y = 0; y < height; ++y) strip.Set(i * frameWidth + x, y, kFrameColours[i % 10]);
    }
  }
  return PictureFile(strip, "png");
}

// The test strip as a button's only saved setting. Its picture lives on the
// window system, so it is made once one is there.
inline runtime::PropertyBag DefaultIButtonSettings() {
  runtime::PropertyBag bag;
  bag.WriteProperty("BackPicture", runtime::Variant::FromPicture(runtime::Picture::FromFile(StripFile(5, 35, 35))));
  return bag;
}

// The design of a form with one iButton, named B, and what comes before it.
inline std::string OneButtonDesign(const std::string& before, const std::string& button) {
  return "Begin Form F\n BorderStyle = 0\n ClientWidth = 3000\n ClientHeight = 3000\n" + before +
         " Begin Zorvane.iButton B\n" + button + "  Settings = \"b.bag\"\n End\nEnd\n";
}

// One iButton (525 x 525 twips at 300, 600) on a form shown at (100, 100),
// after a text box that starts with the focus, loaded from saved settings.
// The pointer starts far from the button; time passes only when a test
// lets it.
class IButtonTest : public testing::Test {
 protected:
  explicit IButtonTest(const std::function<runtime::PropertyBag()>& settings = DefaultIButtonSettings,
                       int widthTwips = 525, int heightTwips = 525) {
    image_button::RegisterIButton(classes);
    const std::string bag = settings().ToBytes();
    const std::string design =
        OneButtonDesign(" Begin TextBox T\n  TabIndex = 0\n  Width = 600\n  Height = 300\n End\n",
                        "  Left = 300\n  Top = 600\n  Width = " + std::to_string(widthTwips) + "\n  Height = " +
                            std::to_string(heightTwips) + "\n  TabIndex = 1\n");
    form = std::make_unique<runtime::Form>(runtime::ParseFormDesign(design, "t.frm"), classes,
                                           [bag](std::string_view) { return bag; });
    Window().MoveTo({100, 100});
    form->Show();
    PointerTo({5, 5});  // far from the button
  }

  image_button::iButton& Button() { return form->ControlNamed<image_button::iButton>("B"); }
  IButtonPeer Peer() { return IButtonPeer(Button()); }
  test_front_end::TestSurface& Surface() { return dynamic_cast<test_front_end::TestSurface&>(Button().Window()); }
  test_front_end::TestForm& Window() { return dynamic_cast<test_front_end::TestForm&>(form->Window()); }
  // A point of the button's window on the screen.
  runtime::Point Global(runtime::Point local) {
    return Window().ClientToScreen({Surface().Place().x + local.x, Surface().Place().y + local.y});
  }
  runtime::Point Centre() { return Global({Surface().Place().width / 2, Surface().Place().height / 2}); }
  runtime::Rgb PixelAt(int x, int y) { return Peer().ImagePixels().At(x, y); }

  // Moves the pointer without an event.
  void PointerTo(runtime::Point global) { ws.PointerTo(global); }
  // The pointer moves to `global` and the button hears of it.
  void MoveTo(runtime::Point global, std::int16_t buttons = 0) {
    const runtime::Point origin = Global({0, 0});
    ws.MoveOver(Surface(), {global.x - origin.x, global.y - origin.y}, buttons);
  }
  void Press(std::int16_t button = runtime::kLeftButton) { ws.Press(Surface(), button); }
  void Release(std::int16_t button = runtime::kLeftButton) { ws.Release(Surface(), button); }
  // One poll of the button's pointer timer.
  void Poll() { ws.Advance(50); }

  test_front_end::TestWindowSystem ws;  // first in, last out
  runtime::Program program;
  RecordedErrors errors{program};
  runtime::ControlClasses classes;
  std::unique_ptr<runtime::Form> form;
};

}  // namespace test_support
