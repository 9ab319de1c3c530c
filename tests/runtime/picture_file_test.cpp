// SPDX-License-Identifier: MIT
#include "runtime/values/picture_file.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <cstdlib>
#include <fstream>
#include <iterator>
#include <string>
#include <string_view>
#include <vector>

#include "runtime/values/pixels.h"

// A writer of the common formats, to make the files read here.
#define STB_IMAGE_WRITE_STATIC
#define STB_IMAGE_WRITE_IMPLEMENTATION
#define STBI_WRITE_NO_STDIO
#if defined(__GNUC__)
#pragma GCC diagnostic push
#pragma GCC diagnostic ignored "-Wmissing-field-initializers"
#pragma GCC diagnostic ignored "-Wunused-function"
#endif
#include <stb_image_write.h>
#if defined(__GNUC__)
#pragma GCC diagnostic pop
#endif

namespace {

using runtime::DecodeFirstPicture;
using runtime::DecodePictureFile;
using runtime::EncodeBmp;
using runtime::Pixels;
using runtime::Rgb;

constexpr Rgb kRed = 0xFFFF0000;
constexpr Rgb kGreen = 0xFF00FF00;
constexpr Rgb kBlue = 0xFF0000FF;
constexpr Rgb kWhite = 0xFFFFFFFF;
constexpr Rgb kBlack = 0xFF000000;
constexpr Rgb kClear = 0x00FFFFFF;  // of a colour, alpha 0

void Append(void* context, void* data, int size) {
  static_cast<std::string*>(context)->append(static_cast<const char*>(data), static_cast<std::size_t>(size));
}

// `pixels` (top row first) in a file the common writer makes: "png", "bmp"
// or "jpg", with `channels` of R, G, B and A.
std::string Written(const char* format, int width, int height, int channels, const std::vector<Rgb>& pixels) {
  std::vector<unsigned char> data;
  for (const Rgb pixel : pixels) {
    const int values[] = {runtime::RedOf(pixel), runtime::GreenOf(pixel), runtime::BlueOf(pixel),
                          runtime::AlphaOf(pixel)};
    for (int c = 0; c < channels; ++c) data.push_back(static_cast<unsigned char>(values[c]));
  }
  std::string out;
  if (format == std::string_view("png")) stbi_write_png_to_func(Append, &out, width, height, channels, data.data(), 0);
  if (format == std::string_view("bmp")) stbi_write_bmp_to_func(Append, &out, width, height, channels, data.data());
  if (format == std::string_view("jpg")) stbi_write_jpg_to_func(Append, &out, width, height, channels, data.data(), 90);
  return out;
}

std::string Le(std::uint32_t value, int bytes = 4) {
  std::string out;
  for (int i = 0; i < bytes; ++i) out.push_back(static_cast<char>(value >> (8 * i) & 0xFF));
  return out;
}

// A BMP file by hand, of the forms the common writer does not make.
std::string BmpFile(int width, int height, int bitCount, std::uint32_t compression, const std::string& extra,
                    const std::string& rows) {
  return "BM" + Le(static_cast<std::uint32_t>(54 + extra.size() + rows.size())) + Le(0) +
         Le(static_cast<std::uint32_t>(54 + extra.size())) + Le(40) + Le(static_cast<std::uint32_t>(width)) +
         Le(static_cast<std::uint32_t>(height)) + Le(1, 2) + Le(static_cast<std::uint32_t>(bitCount), 2) +
         Le(compression) + std::string(20, '\0') + extra + rows;
}

// One pixel GIFs by hand: red, or clear through a graphic control
// extension naming colour 0 transparent.
const std::string kRedGif("GIF89a\1\0\1\0\x80\0\0\xFF\0\0\0\0\0,\0\0\0\0\1\0\1\0\0\2\2\x44\1\0;", 35);
const std::string kClearGif("GIF89a\1\0\1\0\x80\0\0\xFF\0\0\0\0\0!\xF9\4\1\0\0\0\0,\0\0\0\0\1\0\1\0\0\2\2\x44\1\0;",
                            43);

// A palette PNG by hand, 2 x 1: colour 0 of its one colour (red), and
// colour 200.
const std::string kShortPalettePng(
    "\x89PNG\r\n\x1A\n\0\0\0\x0DIHDR\0\0\0\x02\0\0\0\x01\x08\x03\0\0\0\xC3\xFC\x8F\xB8"
    "\0\0\0\x03PLTE\xFF\0\0\x19\xE2\x09\x37\0\0\0\x0BIDAT\x78\x9C\x63\x60\x38\x01\0\0\xCB\0\xC9"
    "\x69\xC8\xC3\x6C\0\0\0\0IEND\xAE\x42\x60\x82",
    83);

struct FileRow {
  const char* name;
  std::string bytes;
  int width;
  int height;
  bool alpha;
  std::vector<Rgb> pixels;
  int tolerance = 0;  // per channel, for JPEG
};

TEST(PictureFile, ReadsEachFormat) {
  const std::vector<Rgb> seeThrough = {kRed, 0x80112233, 0x00000000, kWhite, 0x01FEDCBA, kBlue};
  const std::vector<Rgb> opaque = {kRed, kGreen, kBlue, kWhite, kBlack, 0xFF123456};
  const FileRow rows[] = {
      {"PNG with alpha", Written("png", 3, 2, 4, seeThrough), 3, 2, true, seeThrough},
      {"PNG without alpha", Written("png", 3, 2, 3, opaque), 3, 2, false, opaque},
      {"PNG naming a colour past its palette", kShortPalettePng, 2, 1, false, {kRed, kBlack}},
      {"grey PNG", Written("png", 2, 1, 1, {0xFF404040, kWhite}), 2, 1, false, {0xFF404040, kWhite}},
      {"BMP of 24 bits", Written("bmp", 3, 2, 3, opaque), 3, 2, false, opaque},
      {"BMP with an alpha mask", Written("bmp", 3, 2, 4, seeThrough), 3, 2, true, seeThrough},
      // Index 2 lies beyond the two colours the file holds.
      {"BMP of 8 bits with a short palette, from the top",
       BmpFile(3, -2, 8, 0, Le(0x0000FF) + Le(0xFF0000), std::string("\1\0\2\0\0\1\1\0", 8)), 3, 2, false,
       {kRed, kBlue, kBlack, kBlue, kRed, kRed}},
      {"BMP of 16 bits, masks 5-6-5",
       BmpFile(3, 1, 16, 3, Le(0xF800) + Le(0x07E0) + Le(0x001F), std::string("\0\xF8\xE0\7\x1F\0\0\0", 8)), 3, 1,
       false, {kRed, kGreen, kBlue}},
      {"JPEG of one colour", Written("jpg", 16, 16, 3, std::vector<Rgb>(256, 0xFF3366CC)), 16, 16, false,
       std::vector<Rgb>(256, 0xFF3366CC), 3},
      {"GIF", kRedGif, 1, 1, false, {kRed}},
      {"GIF with a clear colour", kClearGif, 1, 1, true, {0x00000000}},
  };
  for (const FileRow& row : rows) {
    SCOPED_TRACE(row.name);
    const std::vector<Pixels> images = DecodePictureFile(row.bytes);
    ASSERT_EQ(images.size(), 1u);
    EXPECT_EQ(images[0].Width(), row.width);
    EXPECT_EQ(images[0].Height(), row.height);
    EXPECT_EQ(images[0].HasAlpha(), row.alpha);
    ASSERT_EQ(images[0].Data().size(), row.pixels.size());
    for (std::size_t i = 0; i < row.pixels.size(); ++i) {
      const Rgb got = images[0].Data()[i];
      const Rgb want = row.pixels[i];
      EXPECT_TRUE(std::abs(runtime::RedOf(got) - runtime::RedOf(want)) <= row.tolerance &&
                  std::abs(runtime::GreenOf(got) - runtime::GreenOf(want)) <= row.tolerance &&
                  std::abs(runtime::BlueOf(got) - runtime::BlueOf(want)) <= row.tolerance &&
                  runtime::AlphaOf(got) == runtime::AlphaOf(want))
          << "pixel " << i << ": " << std::hex << got << " for " << want;
    }
    EXPECT_EQ(DecodeFirstPicture(row.bytes), images[0]);
  }
}

// An icon frame stored as a bitmap: `values` are palette indices up to 8
// bits and colours above, and `masked` the AND mask, top row first.
struct Frame {
  int width;
  int height;
  int bitCount;
  std::vector<Rgb> palette;
  std::vector<Rgb> values;
  std::vector<int> masked;
};

// Rows from the bottom, each in whole 32-bit words, pixels from the high
// bits; colours as a bitmap holds them: blue, green, red, alpha.
std::string Rows(int width, int height, int bitCount, const std::vector<Rgb>& values) {
  std::string out;
  const auto rowBytes = static_cast<std::size_t>((width * bitCount + 31) / 32 * 4);
  for (int y = height - 1; y >= 0; --y) {
    std::string row(rowBytes, '\0');
    for (int x = 0; x < width; ++x) {
      const Rgb v = values[static_cast<std::size_t>(y * width + x)];
      const auto at = static_cast<std::size_t>(x * bitCount / 8);
      if (bitCount < 8) row[at] = static_cast<char>(row[at] | v << (8 - bitCount - x * bitCount % 8));
      if (bitCount >= 8) row.replace(at, static_cast<std::size_t>(bitCount / 8), Le(v, bitCount / 8));
    }
    out += row;
  }
  return out;
}

std::string IconBitmap(const Frame& frame) {
  std::string out = Le(40) + Le(static_cast<std::uint32_t>(frame.width)) +
                    Le(static_cast<std::uint32_t>(frame.height * 2)) + Le(1, 2) +
                    Le(static_cast<std::uint32_t>(frame.bitCount), 2) + Le(0) + Le(0) + Le(0) + Le(0) +
                    Le(static_cast<std::uint32_t>(frame.palette.size())) + Le(0);
  for (const Rgb colour : frame.palette) out += Le(colour & 0xFFFFFF);
  return out + Rows(frame.width, frame.height, frame.bitCount, frame.values) +
         Rows(frame.width, frame.height, 1, std::vector<Rgb>(frame.masked.begin(), frame.masked.end()));
}

std::string Icon(const std::vector<std::string>& frames) {
  std::string out = Le(0, 2) + Le(1, 2) + Le(static_cast<std::uint32_t>(frames.size()), 2);
  std::size_t offset = 6 + 16 * frames.size();
  for (const std::string& frame : frames) {
    // Sizes and colours first: the frames say them again.
    out += std::string(8, '\0') + Le(static_cast<std::uint32_t>(frame.size())) + Le(static_cast<std::uint32_t>(offset));
    offset += frame.size();
  }
  for (const std::string& frame : frames) out += frame;
  return out;
}

TEST(PictureFile, ReadsIconFramesOfEveryDepthWithTheirMask) {
  std::vector<Rgb> palette(256, kBlack);
  palette[9] = kGreen;
  palette[15] = kWhite;
  palette[200] = kBlue;
  const struct {
    const char* name;
    Frame frame;
    std::vector<Rgb> pixels;
  } rows[] = {
      {"1 bit across a byte",
       {9, 2, 1, {kBlack, kWhite}, {1, 0, 0, 0, 0, 0, 0, 0, 1, 0, 1, 0, 1, 0, 1, 0, 1, 0},
        {0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 1}},
       {kWhite, kBlack, kBlack, kBlack, kBlack, kBlack, kBlack, kBlack, kWhite,
        kBlack, kWhite, kBlack, kWhite, kBlack, kWhite, kBlack, kWhite, kBlack & kClear}},
      {"4 bits", {3, 1, 4, {palette.begin(), palette.begin() + 16}, {9, 15, 9}, {0, 1, 0}},
       {kGreen, kClear, kGreen}},
      {"8 bits", {3, 1, 8, palette, {200, 9, 0}, {1, 0, 0}}, {kBlue & kClear, kGreen, kBlack}},
      {"24 bits", {2, 1, 24, {}, {0x123456, 0xABCDEF}, {0, 1}}, {0xFF123456, 0x00ABCDEF}},
      {"32 bits with alpha, the mask unused", {2, 1, 32, {}, {0x80123456, 0xFFABCDEF}, {1, 1}},
       {0x80123456, 0xFFABCDEF}},
      {"32 bits with alpha all 0, the mask used", {2, 1, 32, {}, {0x00123456, 0x00ABCDEF}, {1, 0}},
       {0x00123456, 0xFFABCDEF}},
  };
  for (const auto& row : rows) {
    SCOPED_TRACE(row.name);
    const std::vector<Pixels> images = DecodePictureFile(Icon({IconBitmap(row.frame)}));
    ASSERT_EQ(images.size(), 1u);
    EXPECT_EQ(images[0].Width(), row.frame.width);
    EXPECT_TRUE(images[0].HasAlpha());
    EXPECT_EQ(images[0].Data(), row.pixels);
  }
}

TEST(PictureFile, ReadsAnIconsFramesInTheirOrderLeavingOutThoseItCannotRead) {
  const std::vector<Rgb> pngPixels = {0x00000000, kRed, 0x80FFFFFF, kBlue};
  std::string wide = IconBitmap({1, 1, 24, {}, {0x123456}, {0}});
  wide.replace(4, 4, Le(5000));
  const std::string icon = Icon({
      wide,
      IconBitmap({2, 2, 32, {}, {0xFF010203, 0x40506070, 0x00000000, kWhite}, {0, 0, 1, 0}}),
      "neither a bitmap nor a PNG",
      IconBitmap({3, 2, 8, {kBlack, kRed, kGreen}, {1, 2, 0, 2, 1, 1}, {1, 0, 0, 0, 0, 1}}),
      Written("png", 2, 2, 4, pngPixels),
  });
  const std::vector<Pixels> images = DecodePictureFile(icon);
  ASSERT_EQ(images.size(), 3u);
  EXPECT_EQ(images[0].Data(), (std::vector<Rgb>{0xFF010203, 0x40506070, 0x00000000, kWhite}));
  EXPECT_EQ(images[1].Data(), (std::vector<Rgb>{kRed & kClear, kGreen, kBlack, kGreen, kRed, kRed & kClear}));
  EXPECT_EQ(images[1].Width(), 3);
  EXPECT_EQ(images[2].Data(), pngPixels);
  EXPECT_TRUE(images[2].HasAlpha());
  EXPECT_EQ(DecodeFirstPicture(icon), images[0]);
}

// A small file can point every entry of its directory at one large frame;
// the frames read together stay within one largest picture.
TEST(PictureFile, ReadsNoMoreFramesThanOneLargestPictureHolds) {
  const int side = runtime::kLargestPictureSide / 4;
  const auto pixels = static_cast<std::size_t>(side) * side;
  const std::string frame = IconBitmap({side, side, 1, {kBlack, kWhite}, std::vector<Rgb>(pixels, 1),
                                        std::vector<int>(pixels, 0)});
  std::string icon = Le(0, 2) + Le(1, 2) + Le(17, 2);
  for (int i = 0; i < 17; ++i) {
    icon += std::string(8, '\0') + Le(static_cast<std::uint32_t>(frame.size())) + Le(6 + 16 * 17);
  }
  EXPECT_EQ(DecodePictureFile(icon + frame).size(), 16u);
}

TEST(PictureFile, RefusesDamagedAndOversizedFiles) {
  const std::string png = Written("png", 2, 2, 4, {kRed, kRed, kRed, kRed});
  const std::string bmp = EncodeBmp(Pixels(8, 8, kRed));
  const std::string jpeg = Written("jpg", 8, 8, 3, std::vector<Rgb>(64, kRed));
  const std::size_t frameHeader = jpeg.find("\xFF\xC0");
  const std::string iconFrame = IconBitmap({3, 1, 8, {kBlack, kRed}, {1, 0, 1}, {0, 0, 0}});
  const std::string icon = Icon({iconFrame});
  auto patched = [](std::string bytes, std::size_t at, const std::string& with) {
    return bytes.replace(at, with.size(), with);
  };
  const struct {
    const char* name;
    std::string bytes;
  } rows[] = {
      {"nothing", ""},
      {"no picture", "Begin VB.Form Form1"},
      {"a PNG cut short", png.substr(0, png.size() / 2)},
      {"a PNG 4864 wide", patched(png, 18, "\x13")},  // the checksum is not what stops it
      {"a PNG of colour and alpha at 2 bits a sample", patched(png, 24, "\x02")},
      {"a PNG whose image data start empty",
       std::string(png).insert(png.find("IDAT") - 4, std::string("\0\0\0\0IDAT\x35\xAF\x06\x1E", 12))},
      {"a BMP 5000 tall", patched(bmp, 22, Le(5000))},
      {"a BMP of the most negative height", patched(bmp, 22, Le(0x80000000))},
      {"a BMP cut short", bmp.substr(0, bmp.size() - 1)},
      {"a BMP of 8 bits whose pixels start in its header", patched(patched(bmp, 28, "\x08"), 10, Le(40))},
      {"a JPEG cut in its header", jpeg.substr(0, frameHeader + 4)},
      {"a JPEG 5000 wide", patched(jpeg, frameHeader + 7, "\x13\x88")},
      // A Huffman table declaring 512 codes, where there is room for 256.
      {"a JPEG with too many codes", patched(jpeg, jpeg.find("\xFF\xC4") + 5, std::string(16, '\x20'))},
      {"a GIF cut in its header", kRedGif.substr(0, 10)},
      {"a GIF 5000 wide", patched(kRedGif, 6, "\x88\x13")},
      {"an icon without frames", std::string("\0\0\1\0\0\0", 6)},
      {"an icon whose frame runs past the end", icon.substr(0, icon.size() - 1)},
      {"an icon frame without its whole mask",
       patched(icon, 6 + 8, Le(static_cast<std::uint32_t>(iconFrame.size() - 1)))},
  };
  for (const auto& row : rows) {
    EXPECT_TRUE(DecodePictureFile(row.bytes).empty()) << row.name;
    EXPECT_TRUE(DecodeFirstPicture(row.bytes).IsNull()) << row.name;
  }
}

TEST(PictureFile, ReadsTheBmpItWritesBackExactly) {
  const struct {
    const char* name;
    std::vector<Rgb> pixels;  // 5 x 2
    bool alpha;
  } rows[] = {
      {"opaque, rows padded", {kRed, kGreen, kBlue, kWhite, kBlack, 0xFF010203, 0xFF808080, kRed, kRed, kRed}, false},
      {"opaque, alpha bytes unset", std::vector<Rgb>(10, 0x00123456), false},
      {"see-through", {0x00000000, 0x80102030, kWhite, 0x01FFFFFF, kRed, kRed, kRed, kRed, kRed, 0xFE000000}, true},
      {"clear everywhere", std::vector<Rgb>(10, 0x00FFFFFF), true},
  };
  for (const auto& row : rows) {
    Pixels pixels(5, 2, 0, row.alpha);
    Pixels expected(5, 2, 0, row.alpha);
    for (int i = 0; i < 10; ++i) {
      pixels.Set(i % 5, i / 5, row.pixels[static_cast<std::size_t>(i)]);
      expected.Set(i % 5, i / 5, row.pixels[static_cast<std::size_t>(i)] | (row.alpha ? 0 : runtime::kOpaque));
    }
    const std::vector<Pixels> images = DecodePictureFile(EncodeBmp(pixels));
    ASSERT_EQ(images.size(), 1u) << row.name;
    EXPECT_EQ(images[0], expected) << row.name;
  }
  EXPECT_EQ(EncodeBmp(Pixels()), "");
}

#if defined(ZORVANE_DESIGNS_DIR)
std::string DesignFile(const char* name) {
  std::ifstream file(std::string(ZORVANE_DESIGNS_DIR) + "/" + name, std::ios::binary);
  return {std::istreambuf_iterator<char>(file), std::istreambuf_iterator<char>()};
}

TEST(PictureFile, ReadsTheMainWindowsPictures) {
  const struct {
    const char* file;
    int width;
    int height;
  } rows[] = {{"window_skin.jpg", 320, 240}, {"key_strip.jpg", 175, 35}, {"wide_key_strip.jpg", 350, 35},
              {"close_strip.jpg", 140, 28}, {"minimise_strip.jpg", 140, 28}};
  for (const auto& row : rows) {
    const Pixels image = DecodeFirstPicture(DesignFile(row.file));
    EXPECT_EQ(image.Width(), row.width) << row.file;
    EXPECT_EQ(image.Height(), row.height) << row.file;
    EXPECT_FALSE(image.HasAlpha()) << row.file;
  }
  const std::vector<Pixels> icon = DecodePictureFile(DesignFile("app_icon.ico"));
  ASSERT_EQ(icon.size(), 4u);
  const int sides[] = {16, 48, 32, 16};
  for (std::size_t i = 0; i < icon.size(); ++i) {
    const int side = sides[i];
    EXPECT_EQ(icon[i].Width(), side);
    EXPECT_EQ(icon[i].Height(), side);
    // Four tiles: clear at the corner and in the gap between them, solid
    // in each tile's middle.
    EXPECT_TRUE(icon[i].HasAlpha());
    EXPECT_LT(runtime::AlphaOf(icon[i].At(0, 0)), 32) << "frame " << i;
    EXPECT_LT(runtime::AlphaOf(icon[i].At(side / 2, side / 2)), 32) << "frame " << i;
    EXPECT_EQ(runtime::AlphaOf(icon[i].At(side / 4, side / 4)), 255) << "frame " << i;
  }
}
#endif

}  // namespace
