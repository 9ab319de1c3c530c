// SPDX-License-Identifier: MIT
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>

#include "image_button/ibutton_fixture.h"
#include "runtime/seam/geometry.h"

namespace {

using runtime::kFalse;
using runtime::kTrue;
using test_support::IButtonTest;
using test_support::kFrameColours;

// The box around the pixels of `image` that are not `background`; empty
// when there are none.
runtime::Rect InkBox(const runtime::Pixels& image, runtime::Rgb background) {
  int left = image.Width();
  int top = image.Height();
  int right = -1;
  int bottom = -1;
  for (int y = 0; y < image.Height(); ++y) {
    for (int x = 0; x < image.Width(); ++x) {
      if (image.At(x, y) == background) continue;
      left = std::min(left, x);
      top = std::min(top, y);
      right = std::max(right, x);
      bottom = std::max(bottom, y);
    }
  }
  if (right < 0) return {};
  return {left, top, right - left + 1, bottom - top + 1};
}

TEST_F(IButtonTest, ShowsThePictureOfTheStateLastAskedFor) {
  for (int state : {1, 2, 3, 0}) {
    Button().cMouseAction(state, kTrue);
    EXPECT_EQ(PixelAt(0, 0), kFrameColours[state]);
    EXPECT_EQ(PixelAt(34, 34), kFrameColours[state]);
    EXPECT_EQ(Surface().Shown().At(20, 20), kFrameColours[state]) << "and the window shows it";
  }
}

TEST_F(IButtonTest, AStateAlreadyOnScreenIsNotDrawnAgainUnlessForced) {
  image_button::iButton& button = Button();
  button.cMouseAction(0, kTrue);
  const int draws = Peer().DrawButtonCount();
  button.cMouseAction(1, kFalse);
  button.cMouseAction(1, kFalse);
  EXPECT_EQ(Peer().DrawButtonCount(), draws + 1);
  button.cMouseAction(1, kTrue);
  button.cMouseAction(1, kTrue);
  EXPECT_EQ(Peer().DrawButtonCount(), draws + 3);
}

TEST_F(IButtonTest, TheCaptionIsCentredAndMovesOnePixelWhenPressed) {
  image_button::iButton& button = Button();
  button.LetCaption(u"8");
  button.cMouseAction(0, kTrue);
  const runtime::Rect normal = InkBox(Peer().ImagePixels(), kFrameColours[0]);
  button.cMouseAction(2, kTrue);
  const runtime::Rect pressed = InkBox(Peer().ImagePixels(), kFrameColours[2]);
  ASSERT_GT(normal.width, 0);
  EXPECT_EQ(pressed, (runtime::Rect{normal.x + 1, normal.y + 1, normal.width, normal.height}));
  EXPECT_LE(std::abs(normal.x + normal.width / 2 - 17), 2);
  EXPECT_LE(std::abs(normal.y + normal.height / 2 - 17), 3);
  // The test's text: "8" at the interface's 9 pt, 12 pixels, is 7 wide and
  // 15 high, so it starts at (35 - 7) / 2 = 14 and (35 - 15) / 2 = 10, and
  // its block is a pixel narrower than its advance and as high as the font.
  EXPECT_EQ(normal, (runtime::Rect{14, 10, 6, 12}));
  button.LetCaption(u"");
  EXPECT_EQ(InkBox(Peer().ImagePixels(), kFrameColours[2]).width, 0) << "an empty caption prints nothing";
}

TEST_F(IButtonTest, ChangingTheCaptionKeepsThePictureOnScreen) {
  image_button::iButton& button = Button();
  button.cMouseAction(1, kTrue);
  button.LetCaption(u"5");
  EXPECT_EQ(Peer().DrawnState(), 1);
  EXPECT_EQ(PixelAt(0, 0), kFrameColours[1]);
}

TEST_F(IButtonTest, TheFocusFrameIsInsetThreePixels) {
  form->ControlNamed<runtime::TextBox>("T").Window().Focus();
  ws.Tab();
  ASSERT_EQ(ws.Focused(), &Button().Window());
  const runtime::Rgb plain = kFrameColours[0];
  const runtime::Rgb inverted = plain ^ 0x00FFFFFFu;
  const struct {
    int x;
    int y;
    runtime::Rgb colour;
  } pixels[] = {{3, 3, inverted}, {4, 3, plain},  {2, 2, plain},      {31, 31, inverted},
                {32, 32, plain},  {3, 17, inverted}, {17, 17, plain}, {31, 5, inverted}};
  for (const auto& p : pixels) {
    EXPECT_EQ(PixelAt(p.x, p.y), p.colour) << p.x << "," << p.y;
  }
  ws.Tab(true);
  EXPECT_EQ(PixelAt(3, 3), plain) << "leaving redraws without the frame";
}

TEST_F(IButtonTest, ATransparentButtonKeepsItsMaskEqualToThePictureShown) {
  image_button::iButton& b = Button();
  b.LetAutoSize(kFalse);
  b.SetWidth(900);
  b.LetcBackStyle(0);
  b.cMouseAction(1, kTrue);
  EXPECT_EQ(Peer().BackStyle(), 0);
  ASSERT_TRUE(Peer().MaskPicture());
  const runtime::Pixels mask = Peer().MaskPicture()->Copy();
  EXPECT_EQ(mask.Width(), 60) << "the picture stretched over the whole control";
  EXPECT_EQ(mask.Height(), 35);
  EXPECT_EQ(mask, Peer().ImagePixels());
  EXPECT_EQ(mask.At(59, 0), kFrameColours[1]);
}

// What the window system is told to show of a transparent button: the mask
// it was given takes the mouse where the picture is not the see-through
// colour, and nowhere outside the control.
TEST_F(IButtonTest, ATransparentButtonTakesTheMouseWhereItsMaskShows) {
  runtime::Pixels strip(5 * 35, 35, 0xFFFF00FF);  // see-through everywhere ...
  for (int frame = 0; frame < 5; ++frame) {
    for (int y = 10; y < 20; ++y) {
      for (int x = 10; x < 20; ++x) strip.Set(35 * frame + x, y, kFrameColours[frame]);  // ... but a square
    }
  }
  image_button::iButton& b = Button();
  b.SetBackPicture(runtime::Picture::FromFile(test_support::PictureFile(strip, "png")));
  b.LetcBackStyle(0);
  EXPECT_FALSE(Surface().Opaque());
  ASSERT_TRUE(Surface().HasMask());
  const struct {
    runtime::Point at;
    bool takes;
  } rows[] = {{{15, 15}, true}, {{10, 10}, true}, {{19, 19}, true}, {{9, 15}, false},
              {{20, 15}, false}, {{0, 0}, false}, {{34, 34}, false}, {{40, 15}, false}};
  for (const auto& row : rows) {
    SCOPED_TRACE(std::to_string(row.at.x) + "," + std::to_string(row.at.y));
    EXPECT_EQ(Surface().TakesMouseAt(row.at), row.takes);
    // So the window under the pointer there is the button's only where the
    // mask shows.
    EXPECT_EQ(ws.WindowFromPoint(Global(row.at)) == Button().Hwnd(), row.takes);
  }
  b.LetcBackStyle(1);
  EXPECT_TRUE(Surface().Opaque());
  EXPECT_FALSE(Surface().HasMask()) << "an opaque button takes the mouse everywhere";
}

TEST_F(IButtonTest, DisabledShowsItsOwnPictureAndAValueNeedsAToggleStyle) {
  image_button::iButton& button = Button();
  button.LetEnabled(kFalse);
  EXPECT_EQ(Peer().DrawnState(), 3);
  EXPECT_EQ(PixelAt(5, 5), kFrameColours[3]);
  button.LetEnabled(kTrue);
  const int draws = Peer().DrawButtonCount();
  button.LetValue(kTrue);
  EXPECT_EQ(button.Value(), kFalse);
  EXPECT_EQ(Peer().DrawButtonCount(), draws) << "a push button's Value draws nothing";
}

}  // namespace
