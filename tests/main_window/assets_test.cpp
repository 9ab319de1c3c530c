// SPDX-License-Identifier: MIT
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <string>
#include <vector>

#include "front_end/test_window_system.h"
#include "main_window/designs.h"
#include "runtime/design/property_bag.h"
#include "runtime/values/picture.h"
#include "runtime/values/picture_file.h"

namespace {

// Pictures live on a window system's graphics device.
class Assets : public testing::Test {
 protected:
  test_front_end::TestWindowSystem ws;
};

// The strip a button's saved settings hold, as its file bytes.
std::string StripOf(const char* bag) {
  const std::string bytes = main_window::LoadDesignFile(std::string("settings/") + bag);
  const auto settings = runtime::PropertyBag::FromBytes(bytes);
  return settings.ReadProperty("backpicture", {}).ToPicture()->FileBytes();
}

unsigned Byte(const std::string& bytes, std::size_t at) { return static_cast<unsigned char>(bytes[at]); }
unsigned U16(const std::string& bytes, std::size_t at) { return Byte(bytes, at) | Byte(bytes, at + 1) << 8; }

// The density a JPEG file records in its JFIF header, in dots per inch; 0
// when it records none.
int JfifDotsPerInch(const std::string& jpeg) {
  if (jpeg.size() < 18 || jpeg.compare(6, 5, std::string("JFIF\0", 5)) != 0) return 0;
  const unsigned units = Byte(jpeg, 13);
  const unsigned x = Byte(jpeg, 14) << 8 | Byte(jpeg, 15);
  if (units == 1) return static_cast<int>(x);
  if (units == 2) return static_cast<int>(std::lround(x * 2.54));
  return 0;
}

// The block of `pixels` from (x, y), `width` x `height`.
runtime::Pixels Block(const runtime::Pixels& pixels, int x, int width) {
  runtime::Pixels block(width, pixels.Height());
  runtime::CopyPixels(block.View(), 0, 0, width, pixels.Height(), pixels.View(), x, 0);
  return block;
}

// Largest difference of any colour channel between two frames.
int Difference(const runtime::Pixels& a, const runtime::Pixels& b) {
  int worst = 0;
  for (int y = 0; y < a.Height(); ++y) {
    for (int x = 0; x < a.Width(); ++x) {
      const runtime::Rgb p = a.At(x, y);
      const runtime::Rgb q = b.At(x, y);
      worst = std::max({worst, std::abs(runtime::RedOf(p) - runtime::RedOf(q)),
                        std::abs(runtime::GreenOf(p) - runtime::GreenOf(q)),
                        std::abs(runtime::BlueOf(p) - runtime::BlueOf(q))});
    }
  }
  return worst;
}

TEST_F(Assets, PicturesAreJpegsOfTheirSizesWithFramesThreeAndFourAsFrameZero) {
  const struct {
    const char* what;
    std::string bytes;
    int width;
    int height;
    int frames;
  } rows[] = {
      {"WindowSkin", main_window::LoadDesignFile("window_skin.jpg"), 320, 240, 1},
      {"KeyStrip", StripOf("ibutton3.bag"), 175, 35, 5},
      {"WideKeyStrip", StripOf("ibutton13.bag"), 350, 35, 5},
      {"MinimiseStrip", StripOf("ibutton2.bag"), 140, 28, 5},
      {"CloseStrip", StripOf("ibutton1.bag"), 140, 28, 5},
  };
  for (const auto& row : rows) {
    SCOPED_TRACE(row.what);
    EXPECT_EQ(row.bytes.substr(0, 3), "\xFF\xD8\xFF") << "a JPEG file";
    const runtime::Pixels image = runtime::DecodeFirstPicture(row.bytes);
    ASSERT_EQ(image.Width(), row.width);
    ASSERT_EQ(image.Height(), row.height);
    EXPECT_EQ(JfifDotsPerInch(row.bytes), 72) << "the recorded density";
    if (row.frames == 1) continue;
    const int w = row.width / row.frames;
    const runtime::Pixels frame0 = Block(image, 0, w);
    for (int i : {3, 4}) {
      EXPECT_LE(Difference(frame0, Block(image, i * w, w)), 24) << "frame " << i;
    }
    for (int i : {1, 2}) {
      EXPECT_GT(Difference(frame0, Block(image, i * w, w)), 24) << "frame " << i << " differs";
    }
  }
  EXPECT_EQ(StripOf("ibutton3.bag"), StripOf("ibutton12.bag")) << "the ten keys share one strip";
}

TEST(AssetsIcon, TheIconHoldsItsFourImages) {
  const std::string ico = main_window::LoadDesignFile("app_icon.ico");
  ASSERT_GE(ico.size(), 6u + 4 * 16);
  EXPECT_EQ(U16(ico, 2), 1u) << "an icon, not a cursor";
  ASSERT_EQ(U16(ico, 4), 4u);
  const unsigned sizes[4] = {16, 48, 32, 16};
  const unsigned depths[4] = {8, 32, 32, 32};
  for (std::size_t i = 0; i < 4; ++i) {
    const std::size_t entry = 6 + 16 * i;
    EXPECT_EQ(Byte(ico, entry), sizes[i]);
    EXPECT_EQ(Byte(ico, entry + 1), sizes[i]);
    EXPECT_EQ(U16(ico, entry + 6), depths[i]);
  }
  // Every image read, the first (16 pixels of 8 bits) with its mask.
  const std::vector<runtime::Pixels> images = runtime::DecodePictureFile(ico);
  ASSERT_EQ(images.size(), 4u);
  const runtime::Pixels& first = images[0];
  ASSERT_EQ(first.Width(), 16);
  ASSERT_EQ(first.Height(), 16);
  EXPECT_EQ(runtime::AlphaOf(first.At(3, 12)), 255) << "a pane is solid";
  EXPECT_EQ(runtime::AlphaOf(first.At(7, 7)), 0) << "the gap between the panes lets the desktop through";
}

}  // namespace
