// SPDX-License-Identifier: MIT
#include <gtest/gtest.h>

#include "image_button/ibutton_fixture.h"

namespace {

using runtime::kFalse;
using runtime::kTrue;
using test_support::IButtonTest;
using test_support::kFrameColours;

// The box around the pixels of `image` that are not `background`.
QRect InkBox(const QImage& image, QRgb background) {
  QRect box;
  for (int y = 0; y < image.height(); ++y) {
    for (int x = 0; x < image.width(); ++x) {
      if (image.pixel(x, y) != background) box |= QRect(x, y, 1, 1);
    }
  }
  return box;
}

TEST_F(IButtonTest, ShowsThePictureOfTheStateLastAskedFor) {
  for (int state : {1, 2, 3, 0}) {
    Button().cMouseAction(state, kTrue);
    EXPECT_EQ(PixelAt(0, 0), kFrameColours[state]);
    EXPECT_EQ(PixelAt(34, 34), kFrameColours[state]);
    EXPECT_EQ(Surface()->grab().toImage().pixel(20, 20), kFrameColours[state]) << "and the window shows it";
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
  button.LetCaption(QStringLiteral("8"));
  button.cMouseAction(0, kTrue);
  const QRect normal = InkBox(Peer().ImagePixels(), kFrameColours[0]);
  button.cMouseAction(2, kTrue);
  const QRect pressed = InkBox(Peer().ImagePixels(), kFrameColours[2]);
  ASSERT_FALSE(normal.isEmpty());
  EXPECT_EQ(pressed, normal.translated(1, 1));
  EXPECT_LE(std::abs(normal.center().x() - 17), 2);
  EXPECT_LE(std::abs(normal.center().y() - 17), 3);
  button.LetCaption(QString());
  EXPECT_TRUE(InkBox(Peer().ImagePixels(), kFrameColours[2]).isEmpty()) << "an empty caption prints nothing";
}

TEST_F(IButtonTest, ChangingTheCaptionKeepsThePictureOnScreen) {
  image_button::iButton& button = Button();
  button.cMouseAction(1, kTrue);
  button.LetCaption(QStringLiteral("5"));
  EXPECT_EQ(Peer().DrawnState(), 1);
  EXPECT_EQ(PixelAt(0, 0), kFrameColours[1]);
}

TEST_F(IButtonTest, TheFocusFrameIsInsetThreePixels) {
  QWidget* field = form->ControlNamed<runtime::TextBox>("T").Widget();
  field->setFocus();
  QTest::keyClick(field, Qt::Key_Tab);
  ASSERT_TRUE(Surface()->hasFocus());
  const QRgb plain = kFrameColours[0];
  const QRgb inverted = plain ^ 0x00FFFFFFu;
  const struct {
    int x;
    int y;
    QRgb colour;
  } pixels[] = {{3, 3, inverted}, {4, 3, plain},  {2, 2, plain},      {31, 31, inverted},
                {32, 32, plain},  {3, 17, inverted}, {17, 17, plain}, {31, 5, inverted}};
  for (const auto& p : pixels) {
    EXPECT_EQ(PixelAt(p.x, p.y), p.colour) << p.x << "," << p.y;
  }
  QTest::keyClick(Surface(), Qt::Key_Tab, Qt::ShiftModifier);
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
  const QImage mask = Peer().MaskPicture()->Pixels();
  EXPECT_EQ(mask.size(), QSize(60, 35)) << "the picture stretched over the whole control";
  EXPECT_EQ(mask, Peer().ImagePixels());
  EXPECT_EQ(mask.pixel(59, 0), kFrameColours[1]);
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
