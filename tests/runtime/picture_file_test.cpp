// SPDX-License-Identifier: MIT
#include "runtime/values/picture_file.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <cstdlib>
#include <fstream>
#include <functional>
#include <iterator>
#include <string>
#include <vector>

#include "runtime/values/pixels.h"

// A writer of the common formats, to make the files read here, and a
// second reader, to show that other programs read the BMP files we write.
#define STB_IMAGE_WRITE_STATIC
#define STB_IMAGE_WRITE_IMPLEMENTATION
#define STBI_WRITE_NO_STDIO
#define STB_IMAGE_STATIC
#define STB_IMAGE_IMPLEMENTATION
#define STBI_ONLY_BMP
#define STBI_NO_STDIO
#if defined(__GNUC__)
#pragma GCC diagnostic push
#pragma GCC diagnostic ignored "-Wunused-function"
#pragma GCC diagnostic ignored "-Wmissing-field-initializers"
#pragma GCC diagnostic ignored "-Wunused-parameter"
#endif
#include <stb_image.h>
#include <stb_image_write.h>
#if defined(__GNUC__)
#pragma GCC diagnostic pop
#endif

namespace {

using runtime::DecodeFirstPicture;
using runtime::DecodePictureFile;
using runtime::EncodeBmp;
using runtime::MakeRgb;
using runtime::Pixels;
using runtime::Rgb;

void Append(void* context, void* data, int size) {
  static_cast<std::string*>(context)->append(static_cast<const char*>(data), static_cast<std::size_t>(size));
}

// `pixels` (top row first) as bytes of `channels` each: R, G, B, A.
std::vector<unsigned char> Channels(const std::vector<Rgb>& pixels, int channels) {
  std::vector<unsigned char> out;
  for (const Rgb pixel : pixels) {
    const int values[] = {runtime::RedOf(pixel), runtime::GreenOf(pixel), runtime::BlueOf(pixel),
                          runtime::AlphaOf(pixel)};
    for (int c = 0; c < channels; ++c) out.push_back(static_cast<unsigned char>(values[c]));
  }
  return out;
}

std::string Png(int width, int height, int channels, const std::vector<Rgb>& pixels) {
  std::string out;
  const std::vector<unsigned char> data = Channels(pixels, channels);
  stbi_write_png_to_func(Append, &out, width, height, channels, data.data(), width * channels);
  return out;
}

std::string Bmp(int width, int height, int channels, const std::vector<Rgb>& pixels) {
  std::string out;
  stbi_write_bmp_to_func(Append, &out, width, height, channels, Channels(pixels, channels).data());
  return out;
}

std::string Jpeg(int width, int height, Rgb colour) {
  std::string out;
  const std::vector<Rgb> pixels(static_cast<std::size_t>(width) * static_cast<std::size_t>(height), colour);
  stbi_write_jpg_to_func(Append, &out, width, height, 3, Channels(pixels, 3).data(), 90);
  return out;
}

void Put16(std::string& out, unsigned value) {
  out.push_back(static_cast<char>(value & 0xFF));
  out.push_back(static_cast<char>(value >> 8 & 0xFF));
}
void Put32(std::string& out, std::uint32_t value) {
  Put16(out, value & 0xFFFF);
  Put16(out, value >> 16);
}
void Patch32(std::string& bytes, std::size_t offset, std::uint32_t value) {
  std::string number;
  Put32(number, value);
  bytes.replace(offset, 4, number);
}

// GIFs by hand, one pixel each: red, or clear through a graphic control
// extension that names colour 0 transparent.
const std::string kRedGif("GIF89a\x01\x00\x01\x00\x80\x00\x00\xFF\x00\x00\x00\x00\x00"
                          ",\x00\x00\x00\x00\x01\x00\x01\x00\x00\x02\x02\x44\x01\x00;",
                          35);
const std::string kClearGif("GIF89a\x01\x00\x01\x00\x80\x00\x00\xFF\x00\x00\x00\x00\x00"
                            "!\xF9\x04\x01\x00\x00\x00\x00"
                            ",\x00\x00\x00\x00\x01\x00\x01\x00\x00\x02\x02\x44\x01\x00;",
                            43);

// An icon frame stored as a bitmap: `values` are palette indices up to 8
// bits and colours above, top row first; `masked` pixels are 1 in the AND
// mask.
struct BitmapFrame {
  int width;
  int height;
  int bitCount;
  std::vector<Rgb> palette;
  std::vector<Rgb> values;
  std::vector<int> masked;
};

std::string PackedRow(int width, int bitCount, const std::function<std::uint32_t(int)>& value) {
  const auto rowBytes = static_cast<std::size_t>((width * bitCount + 31) / 32 * 4);
  std::string row(rowBytes, '\0');
  for (int x = 0; x < width; ++x) {
    const std::uint32_t v = value(x);
    if (bitCount < 8) {
      const int shift = 8 - bitCount - (x * bitCount) % 8;
      row[static_cast<std::size_t>(x * bitCount / 8)] |= static_cast<char>(v << shift);
    } else {
      for (int b = 0; b < bitCount / 8; ++b) {
        // Colours as a bitmap holds them: blue, green, red, alpha.
        row[static_cast<std::size_t>(x * bitCount / 8 + b)] = static_cast<char>(v >> (8 * b) & 0xFF);
      }
    }
  }
  return row;
}

std::string IconBitmap(const BitmapFrame& frame) {
  std::string out;
  Put32(out, 40);
  Put32(out, static_cast<std::uint32_t>(frame.width));
  Put32(out, static_cast<std::uint32_t>(frame.height * 2));
  Put16(out, 1);
  Put16(out, static_cast<unsigned>(frame.bitCount));
  for (int i = 0; i < 6; ++i) Put32(out, i == 4 ? static_cast<std::uint32_t>(frame.palette.size()) : 0);
  for (const Rgb colour : frame.palette) Put32(out, colour & 0xFFFFFF);
  for (int y = frame.height - 1; y >= 0; --y) {
    out += PackedRow(frame.width, frame.bitCount, [&](int x) { return frame.values[y * frame.width + x]; });
  }
  for (int y = frame.height - 1; y >= 0; --y) {
    out += PackedRow(frame.width, 1, [&](int x) { return frame.masked[y * frame.width + x]; });
  }
  return out;
}

std::string Icon(const std::vector<std::string>& frames) {
  std::string out;
  Put16(out, 0);
  Put16(out, 1);
  Put16(out, static_cast<unsigned>(frames.size()));
  std::size_t offset = 6 + 16 * frames.size();
  for (const std::string& frame : frames) {
    out.append(8, '\0');  // sizes and colours: frames say them again
    Put32(out, static_cast<std::uint32_t>(frame.size()));
    Put32(out, static_cast<std::uint32_t>(offset));
    offset += frame.size();
  }
  for (const std::string& frame : frames) out += frame;
  return out;
}

std::vector<Rgb> PixelsOf(const Pixels& image) { return image.Data(); }

constexpr Rgb kRed = 0xFFFF0000;
constexpr Rgb kGreen = 0xFF00FF00;
constexpr Rgb kBlue = 0xFF0000FF;
constexpr Rgb kWhite = 0xFFFFFFFF;
constexpr Rgb kBlack = 0xFF000000;

struct FileRow {
  const char* name;
  std::string bytes;
  int width;
  int height;
  bool alpha;
  std::vector<Rgb> pixels;
  int tolerance;  // per channel, for lossy formats
};

TEST(PictureFile, ReadsEachCommonFormat) {
  const std::vector<Rgb> seeThrough = {kRed, 0x80112233, 0x00000000, kWhite, 0x01FEDCBA, kBlue};
  const std::vector<Rgb> opaque = {kRed, kGreen, kBlue, kWhite, kBlack, 0xFF123456};
  const FileRow rows[] = {
      {"PNG with alpha", Png(3, 2, 4, seeThrough), 3, 2, true, seeThrough, 0},
      {"PNG without alpha", Png(3, 2, 3, opaque), 3, 2, false, opaque, 0},
      {"grey PNG", Png(2, 1, 1, {0xFF404040, kWhite}), 2, 1, false, {0xFF404040, kWhite}, 0},
      {"BMP of 24 bits", Bmp(3, 2, 3, opaque), 3, 2, false, opaque, 0},
      {"BMP with an alpha mask", Bmp(3, 2, 4, seeThrough), 3, 2, true, seeThrough, 0},
      {"JPEG of one colour", Jpeg(16, 16, 0xFF3366CC), 16, 16, false, std::vector<Rgb>(256, 0xFF3366CC), 3},
      {"GIF", kRedGif, 1, 1, false, {kRed}, 0},
      {"GIF with a clear colour", kClearGif, 1, 1, true, {0x00000000}, 0},
  };
  for (const FileRow& row : rows) {
    SCOPED_TRACE(row.name);
    const std::vector<Pixels> images = DecodePictureFile(row.bytes);
    ASSERT_EQ(images.size(), 1u);
    const Pixels& image = images[0];
    EXPECT_EQ(image.Width(), row.width);
    EXPECT_EQ(image.Height(), row.height);
    EXPECT_EQ(image.HasAlpha(), row.alpha);
    ASSERT_EQ(image.Data().size(), row.pixels.size());
    for (std::size_t i = 0; i < row.pixels.size(); ++i) {
      const Rgb got = image.Data()[i];
      const Rgb want = row.pixels[i];
      const bool near = std::abs(runtime::RedOf(got) - runtime::RedOf(want)) <= row.tolerance &&
                        std::abs(runtime::GreenOf(got) - runtime::GreenOf(want)) <= row.tolerance &&
                        std::abs(runtime::BlueOf(got) - runtime::BlueOf(want)) <= row.tolerance &&
                        runtime::AlphaOf(got) == runtime::AlphaOf(want);
      EXPECT_TRUE(near) << "pixel " << i << ": " << std::hex << got << " for " << want;
    }
    EXPECT_EQ(DecodeFirstPicture(row.bytes), image);
  }
}

// BMP forms beyond those common writers make: the rows that only some
// programs write, each by hand.
TEST(PictureFile, ReadsTheRarerBitmapForms) {
  auto file = [](int width, int height, int bitCount, std::uint32_t compression, const std::string& extra,
                 const std::string& rows) {
    std::string out = "BM";
    Put32(out, static_cast<std::uint32_t>(54 + extra.size() + rows.size()));
    Put32(out, 0);
    Put32(out, static_cast<std::uint32_t>(54 + extra.size()));
    Put32(out, 40);
    Put32(out, static_cast<std::uint32_t>(width));
    Put32(out, static_cast<std::uint32_t>(height));
    Put16(out, 1);
    Put16(out, static_cast<unsigned>(bitCount));
    Put32(out, compression);
    for (int i = 0; i < 5; ++i) Put32(out, 0);
    return out + extra + rows;
  };
  std::string twoColours;
  Put32(twoColours, 0x0000FF);  // blue
  Put32(twoColours, 0xFF0000);  // red
  std::string bitfields565;
  Put32(bitfields565, 0xF800);
  Put32(bitfields565, 0x07E0);
  Put32(bitfields565, 0x001F);
  const struct {
    const char* name;
    std::string bytes;
    std::vector<Rgb> pixels;  // 3 x 1, or 3 x 2 top row first
  } rows[] = {
      // Index 2 lies beyond the two colours the file holds.
      {"8 bits with a short palette", file(3, 1, 8, 0, twoColours, std::string("\x01\x00\x02\x00", 4)),
       {kRed, kBlue, kBlack}},
      {"rows from the top", file(3, -2, 8, 0, twoColours, std::string("\x01\x01\x01\x00\x00\x00\x00\x00", 8)),
       {kRed, kRed, kRed, kBlue, kBlue, kBlue}},
      {"16 bits, 5 each", file(3, 1, 16, 0, "", std::string("\x00\x7C\xE0\x03\x1F\x00\x00\x00", 8)),
       {kRed, kGreen, kBlue}},
      {"16 bits, masks 5-6-5", file(3, 1, 16, 3, bitfields565, std::string("\x00\xF8\xE0\x07\x1F\x00\x00\x00", 8)),
       {kRed, kGreen, kBlue}},
  };
  for (const auto& row : rows) {
    SCOPED_TRACE(row.name);
    const Pixels image = DecodeFirstPicture(row.bytes);
    EXPECT_FALSE(image.HasAlpha());
    EXPECT_EQ(PixelsOf(image), row.pixels);
  }
}

struct IconRow {
  const char* name;
  BitmapFrame frame;
  std::vector<Rgb> pixels;
};

TEST(PictureFile, ReadsIconFramesOfEveryDepthWithTheirMask) {
  std::vector<Rgb> sixteen(16, kBlack);
  sixteen[9] = kGreen;
  sixteen[15] = kWhite;
  std::vector<Rgb> many(256, kBlack);
  many[200] = kBlue;
  many[7] = kRed;
  const IconRow rows[] = {
      {"1 bit across a byte",
       {9, 2, 1, {kBlack, kWhite}, {1, 0, 0, 0, 0, 0, 0, 0, 1, 0, 1, 0, 1, 0, 1, 0, 1, 0},
        {0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 1}},
       {kWhite, kBlack, kBlack, kBlack, kBlack, kBlack, kBlack, kBlack, kWhite,
        kBlack, kWhite, kBlack, kWhite, kBlack, kWhite, kBlack, kWhite, kBlack & 0xFFFFFF}},
      {"4 bits", {3, 1, 4, sixteen, {9, 15, 9}, {0, 1, 0}}, {kGreen, kWhite & 0xFFFFFF, kGreen}},
      {"8 bits", {3, 1, 8, many, {200, 7, 0}, {1, 0, 0}}, {kBlue & 0xFFFFFF, kRed, kBlack}},
      {"24 bits", {2, 1, 24, {}, {0x123456, 0xABCDEF}, {0, 1}}, {0xFF123456, 0x00ABCDEF}},
      {"32 bits with alpha, the mask unused", {2, 1, 32, {}, {0x80123456, 0xFFABCDEF}, {1, 1}},
       {0x80123456, 0xFFABCDEF}},
      {"32 bits with alpha all 0, the mask used", {2, 1, 32, {}, {0x00123456, 0x00ABCDEF}, {1, 0}},
       {0x00123456, 0xFFABCDEF}},
  };
  for (const IconRow& row : rows) {
    SCOPED_TRACE(row.name);
    const std::vector<Pixels> images = DecodePictureFile(Icon({IconBitmap(row.frame)}));
    ASSERT_EQ(images.size(), 1u);
    EXPECT_EQ(images[0].Width(), row.frame.width);
    EXPECT_EQ(images[0].Height(), row.frame.height);
    EXPECT_TRUE(images[0].HasAlpha());
    EXPECT_EQ(PixelsOf(images[0]), row.pixels);
  }
}

TEST(PictureFile, ReadsAnIconsFramesInTheirOrder) {
  const std::vector<Rgb> pngPixels = {0x00000000, kRed, 0x80FFFFFF, kBlue};
  const std::string icon = Icon({
      IconBitmap({2, 2, 32, {}, {0xFF010203, 0x40506070, 0x00000000, kWhite}, {0, 0, 1, 0}}),
      IconBitmap({3, 2, 8, {kBlack, kRed, kGreen}, {1, 2, 0, 2, 1, 1}, {1, 0, 0, 0, 0, 1}}),
      Png(2, 2, 4, pngPixels),
  });
  const std::vector<Pixels> images = DecodePictureFile(icon);
  ASSERT_EQ(images.size(), 3u);
  EXPECT_EQ(PixelsOf(images[0]), (std::vector<Rgb>{0xFF010203, 0x40506070, 0x00000000, kWhite}));
  EXPECT_EQ(PixelsOf(images[1]), (std::vector<Rgb>{kRed & 0xFFFFFF, kGreen, kBlack, kGreen, kRed, kRed & 0xFFFFFF}));
  EXPECT_EQ(PixelsOf(images[2]), pngPixels);
  for (const Pixels& image : images) EXPECT_TRUE(image.HasAlpha());
  EXPECT_EQ(DecodeFirstPicture(icon), images[0]);
}

TEST(PictureFile, LeavesOutTheFramesItCannotRead) {
  const std::string good = IconBitmap({1, 1, 24, {}, {0x123456}, {0}});
  std::string wide = good;
  Patch32(wide, 4, 5000);
  const std::string icon = Icon({wide, "neither a bitmap nor a PNG", good});
  const std::vector<Pixels> images = DecodePictureFile(icon);
  ASSERT_EQ(images.size(), 1u);
  EXPECT_EQ(PixelsOf(images[0]), std::vector<Rgb>{0xFF123456});
  EXPECT_EQ(DecodeFirstPicture(icon), images[0]);
}

// A small file can point every entry of its directory at one large frame;
// the frames read together stay within one largest picture.
TEST(PictureFile, ReadsNoMoreFramesThanOneLargestPictureHolds) {
  const int side = runtime::kLargestPictureSide / 4;
  const std::string frame = IconBitmap({side, side, 1, {kBlack, kWhite},
                                        std::vector<Rgb>(static_cast<std::size_t>(side) * side, 1),
                                        std::vector<int>(static_cast<std::size_t>(side) * side, 0)});
  std::string icon = Icon(std::vector<std::string>(17, ""));
  const auto offset = static_cast<std::uint32_t>(icon.size());
  icon += frame;
  for (std::size_t i = 0; i < 17; ++i) {
    Patch32(icon, 6 + 16 * i + 8, static_cast<std::uint32_t>(frame.size()));
    Patch32(icon, 6 + 16 * i + 12, offset);
  }
  EXPECT_EQ(DecodePictureFile(icon).size(), 16u);
}

struct RefusedRow {
  const char* name;
  std::string bytes;
};

TEST(PictureFile, RefusesDamagedAndOversizedFiles) {
  const std::string png = Png(2, 2, 4, {kRed, kRed, kRed, kRed});
  std::string widePng = png;
  widePng[16 + 2] = '\x13';  // 0x1300 wide: the checksum is not what stops it
  std::string tallBmp = Bmp(2, 2, 3, {kRed, kRed, kRed, kRed});
  Patch32(tallBmp, 22, 5000);
  std::string mostNegativeBmp = Bmp(2, 2, 3, {kRed, kRed, kRed, kRed});
  Patch32(mostNegativeBmp, 22, 0x80000000);
  const std::string bmp = EncodeBmp(Pixels(8, 8, kRed));
  std::string paletteInHeader;
  {
    paletteInHeader = bmp;
    paletteInHeader[28] = 8;             // 8 bits a pixel...
    Patch32(paletteInHeader, 10, 40);    // ...and the pixels start inside the header
  }
  std::string jpeg = Jpeg(8, 8, kRed);
  const std::size_t frame = jpeg.find("\xFF\xC0");
  std::string wideJpeg = jpeg;
  wideJpeg[frame + 7] = '\x13';
  wideJpeg[frame + 8] = '\x88';  // 5000 wide
  // A Huffman table declaring 512 codes, where there is room for 256.
  std::string tooManyCodes = jpeg;
  const std::size_t huffman = jpeg.find("\xFF\xC4");
  tooManyCodes.replace(huffman + 5, 16, std::string(16, '\x20'));
  // The image data starting with an empty chunk.
  std::string emptyData = png;
  emptyData.insert(png.find("IDAT") - 4, std::string("\0\0\0\0IDAT\x35\xAF\x06\x1E", 12));
  std::string wideGif = kRedGif;
  wideGif[6] = '\x88';
  wideGif[7] = '\x13';
  const std::string iconFrame = IconBitmap({3, 1, 8, {kBlack, kRed}, {1, 0, 1}, {0, 0, 0}});
  std::string maskCut = Icon({iconFrame});
  Patch32(maskCut, 6 + 8, static_cast<std::uint32_t>(iconFrame.size() - 1));
  const std::string icon = Icon({iconFrame});
  const RefusedRow rows[] = {
      {"nothing", ""},
      {"no picture", "Begin VB.Form Form1"},
      {"a PNG cut short", png.substr(0, png.size() / 2)},
      {"a PNG 4864 wide", widePng},
      {"a BMP 5000 tall", tallBmp},
      {"a BMP of the most negative height", mostNegativeBmp},
      {"a BMP cut short", bmp.substr(0, bmp.size() - 1)},
      {"a BMP whose pixels start in its header", paletteInHeader},
      {"a JPEG cut in its header", jpeg.substr(0, frame + 4)},
      {"a JPEG 5000 wide", wideJpeg},
      {"a JPEG with too many codes", tooManyCodes},
      {"a PNG whose image data start empty", emptyData},
      {"a GIF cut in its header", kRedGif.substr(0, 10)},
      {"a GIF 5000 wide", wideGif},
      {"an icon without frames", std::string("\0\0\1\0\0\0", 6)},
      {"an icon whose frame runs past the end", icon.substr(0, icon.size() - 1)},
      {"an icon frame without its whole mask", maskCut},
  };
  for (const RefusedRow& row : rows) {
    EXPECT_TRUE(DecodePictureFile(row.bytes).empty()) << row.name;
    EXPECT_TRUE(DecodeFirstPicture(row.bytes).IsNull()) << row.name;
  }
}

Pixels Filled(int width, int height, bool alpha, std::vector<Rgb> pixels) {
  Pixels image(width, height, 0, alpha);
  for (int i = 0; i < width * height; ++i) image.Set(i % width, i / width, pixels[static_cast<std::size_t>(i)]);
  return image;
}

TEST(PictureFile, ReadsTheBmpItWritesBackExactly) {
  const struct {
    const char* name;
    Pixels pixels;
  } rows[] = {
      {"opaque, rows padded", Filled(5, 2, false, {kRed, kGreen, kBlue, kWhite, kBlack, 1, 2, 3, 4, 0xFF808080})},
      {"see-through", Filled(3, 1, true, {0x00000000, 0x80102030, kWhite})},
      {"clear everywhere", Filled(2, 1, true, {0x00000000, 0x00FFFFFF})},
      {"one pixel", Filled(1, 1, false, {0xFF010203})},
  };
  for (const auto& row : rows) {
    SCOPED_TRACE(row.name);
    const std::string bytes = EncodeBmp(row.pixels);
    Pixels expected = row.pixels;
    if (!expected.HasAlpha()) {
      for (int y = 0; y < expected.Height(); ++y) {
        for (int x = 0; x < expected.Width(); ++x) expected.Set(x, y, expected.At(x, y) | runtime::kOpaque);
      }
    }
    const std::vector<Pixels> images = DecodePictureFile(bytes);
    ASSERT_EQ(images.size(), 1u);
    EXPECT_EQ(images[0], expected);
    // Another reader sees the same colours.
    int width = 0;
    int height = 0;
    int channels = 0;
    unsigned char* theirs = stbi_load_from_memory(reinterpret_cast<const unsigned char*>(bytes.data()),
                                                  static_cast<int>(bytes.size()), &width, &height, &channels, 4);
    ASSERT_NE(theirs, nullptr);
    EXPECT_EQ(width, expected.Width());
    EXPECT_EQ(height, expected.Height());
    for (std::size_t i = 0; i < expected.Data().size(); ++i) {
      EXPECT_EQ(expected.Data()[i] & 0xFFFFFF, MakeRgb(theirs[4 * i], theirs[4 * i + 1], theirs[4 * i + 2], 0))
          << "pixel " << i;
    }
    stbi_image_free(theirs);
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
  } rows[] = {
      {"window_skin.jpg", 320, 240}, {"key_strip.jpg", 175, 35},       {"wide_key_strip.jpg", 350, 35},
      {"close_strip.jpg", 140, 28},  {"minimise_strip.jpg", 140, 28},
  };
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
    EXPECT_EQ(icon[i].Width(), sides[i]);
    EXPECT_EQ(icon[i].Height(), sides[i]);
    // Four tiles: clear at the corner and in the gap between them, solid
    // in each tile's middle.
    EXPECT_TRUE(icon[i].HasAlpha());
    EXPECT_LT(runtime::AlphaOf(icon[i].At(0, 0)), 32) << "frame " << i;
    EXPECT_LT(runtime::AlphaOf(icon[i].At(sides[i] / 2, sides[i] / 2)), 32) << "frame " << i;
    EXPECT_EQ(runtime::AlphaOf(icon[i].At(sides[i] / 4, sides[i] / 4)), 255) << "frame " << i;
  }
}
#endif

}  // namespace
