// SPDX-License-Identifier: MIT
#include "runtime/design/property_bag.h"

#include <gtest/gtest.h>

#include <random>

#include "front_end/test_window_system.h"
#include "runtime/runtime_error.h"
#include "runtime/values/picture.h"
#include "runtime/values/picture_file.h"
#include "support/picture_file.h"
#include "support/raised_error.h"

namespace {

using runtime::PropertyBag;
using runtime::Variant;

constexpr runtime::Rgb kDarkCyan = runtime::MakeRgb(0, 128, 128);

std::string Png(int width, int height) { return test_support::FlatPictureFile(width, height, kDarkCyan, "png"); }

// Pictures live on a window system's graphics device.
class PropertyBagTest : public testing::Test {
 protected:
  static PropertyBag SampleBag() {
    auto font = std::make_shared<runtime::Font>();
    font->name = u"宋体";
    font->size = 10.5;
    font->charset = 134;
    font->weight = 700;
    font->italic = true;
    PropertyBag bag;
    bag.WriteProperty("_extentx", Variant::FromLong(926));
    bag.WriteProperty("BackPicture", Variant::FromPicture(runtime::Picture::FromFile(Png(10, 4))));
    bag.WriteProperty("Caption", Variant::FromString(u"复制"));
    bag.WriteProperty("cFont", Variant::FromFont(font));
    bag.WriteProperty("cDrawMode", Variant::FromInteger(13));
    bag.WriteProperty("cForeColor", Variant::FromLong(static_cast<std::int32_t>(0x80000012)));
    bag.WriteProperty("AutoSize", Variant::FromBoolean(0));
    bag.WriteProperty("Ratio", Variant::FromDouble(0.25));
    return bag;
  }

  test_front_end::TestWindowSystem ws;
};

TEST_F(PropertyBagTest, BinaryFormRoundTripsByteForByte) {
  const std::string bytes = SampleBag().ToBytes();
  const PropertyBag back = PropertyBag::FromBytes(bytes);
  EXPECT_EQ(back.ToBytes(), bytes);
  ASSERT_EQ(back.Entries().size(), 8u);
  EXPECT_EQ(back.Entries()[1].name, "backpicture") << "stored names are lower case";
  EXPECT_EQ(back.ReadProperty("CAPTION", {}).ToString(), u"复制");
  const runtime::FontRef font = back.ReadProperty("cfont", {}).ToFont();
  EXPECT_EQ(font->name, u"宋体");
  EXPECT_EQ(font->size, 10.5);
  EXPECT_EQ(font->weight, 700);
  EXPECT_TRUE(font->italic);
  const runtime::Pixels picture = back.ReadProperty("BackPicture", {}).ToPicture()->Copy();
  EXPECT_EQ(picture.Width(), 10);
  EXPECT_EQ(picture.Height(), 4);
  EXPECT_EQ(static_cast<std::uint32_t>(back.ReadProperty("cForeColor", {}).ToLong()), 0x80000012u);
}

TEST(PropertyBag, StoredFormOfAFontAndAString) {
  auto font = std::make_shared<runtime::Font>();
  font->name = u"宋体";
  font->size = 9;
  font->charset = 134;
  font->weight = 400;
  PropertyBag bag;
  bag.WriteProperty("cFont", Variant::FromFont(font));
  bag.WriteProperty("C", Variant::FromString(u"1"));
  static const char kStored[] =
      "\x05\x00\x00\x00" "c\0f\0o\0n\0t\0" "\x0d\x00"
      "\x03\x52\xe3\x0b\x91\x8f\xce\x11\x9d\xe3\x00\xaa\x00\x4b\xb8\x51"
      "\x01" "\x86\x00" "\x00" "\x90\x01" "\x90\x5f\x01\x00" "\x04" "\xcb\xce\xcc\xe5"
      "\x01\x00\x00\x00" "c\0" "\x08\x00" "\x01\x00\x00\x00" "1\0";
  EXPECT_EQ(bag.ToBytes(), std::string(kStored, sizeof kStored - 1));
}

TEST(PropertyBag, DefaultsAreLeftOutAndNamesMatchWithoutCase) {
  PropertyBag bag;
  bag.WriteProperty("Style", Variant::FromLong(0), Variant::FromInteger(0));
  bag.WriteProperty("Enabled", Variant::FromBoolean(-1), Variant::FromBoolean(-1));
  bag.WriteProperty("Caption", Variant::FromString(u""), Variant::FromString(u""));
  bag.WriteProperty("BackPicture", Variant::Nothing(), Variant::Nothing());
  EXPECT_TRUE(bag.Entries().empty());
  bag.WriteProperty("Style", Variant::FromLong(1), Variant::FromInteger(0));
  EXPECT_EQ(bag.ReadProperty("STYLE", Variant::FromInteger(0)).ToLong(), 1);
  EXPECT_EQ(bag.ReadProperty("Missing", Variant::FromInteger(7)).ToLong(), 7);
  bag.WriteProperty("style", Variant::FromInteger(0), Variant::FromInteger(0));
  EXPECT_TRUE(bag.Entries().empty()) << "writing the default removes what was saved before";
}

TEST_F(PropertyBagTest, EveryTruncationIsALoadErrorNamingTheSetting) {
  const std::string bytes = SampleBag().ToBytes();
  for (std::size_t length = 1; length < bytes.size(); ++length) {
    try {
      const PropertyBag partial = PropertyBag::FromBytes(std::string_view(bytes).substr(0, length));
      // Cutting exactly between two settings leaves a shorter, valid bag.
      EXPECT_LT(partial.Entries().size(), 8u);
    } catch (const runtime::RuntimeError& error) {
      ASSERT_EQ(error.Number(), runtime::kLoadError) << length;
    }
  }
  const std::optional<runtime::RuntimeError> cut =
      test_support::RaisedBy([&] { PropertyBag::FromBytes(std::string_view(bytes).substr(0, 60)); });
  ASSERT_TRUE(cut) << "a cut inside a value was accepted";
  EXPECT_NE(cut->Description().find("'backpicture'"), std::string::npos) << cut->Description();
}

TEST_F(PropertyBagTest, PictureFilesAreTheStoredFilesUndecodedUpToAnyFault) {
  const std::string png = Png(10, 4);
  const std::string notAPicture = "stored, but no picture";
  PropertyBag bag = SampleBag();
  bag.WriteProperty("Second", Variant::FromPicture(runtime::Picture::FromFile(Png(3, 3))));
  const std::string bytes = bag.ToBytes();
  const std::vector<std::string> files = PropertyBag::PictureFiles(bytes);
  ASSERT_EQ(files.size(), 2u);
  EXPECT_EQ(files[0], png);
  EXPECT_EQ(files[1], Png(3, 3));

  // Bytes the picture readers refuse are handed over all the same; whether
  // they are a picture is for whoever decodes them.
  std::string padded = notAPicture;
  padded.resize(png.size(), '.');
  std::string swapped = bytes;
  swapped.replace(swapped.find(png), png.size(), padded);
  EXPECT_EQ(PropertyBag::PictureFiles(swapped).front(), padded);

  // A bag cut anywhere gives the files stored whole before the cut, and no fault.
  const std::size_t firstEnd = bytes.find(png) + png.size();
  for (std::size_t length = 0; length < bytes.size(); ++length) {
    const std::size_t count = PropertyBag::PictureFiles(std::string_view(bytes).substr(0, length)).size();
    EXPECT_EQ(count, length < firstEnd ? 0u : 1u) << length;
  }
}

TEST_F(PropertyBagTest, CorruptedBytesNeverCrashAndWhatReadsWritesBackTheSame) {
  const std::string bytes = SampleBag().ToBytes();
  std::mt19937 random(3);
  std::uniform_int_distribution<std::size_t> position(0, bytes.size() - 1);
  std::uniform_int_distribution<int> value(0, 255);
  for (int round = 0; round < 3000; ++round) {
    std::string corrupted = bytes;
    for (int flips = 1 + round % 3; flips > 0; --flips) {
      corrupted[position(random)] = static_cast<char>(value(random));
    }
    try {
      const PropertyBag bag = PropertyBag::FromBytes(corrupted);
      ASSERT_EQ(bag.ToBytes(), corrupted);
    } catch (const runtime::RuntimeError& error) {
      ASSERT_EQ(error.Number(), runtime::kLoadError);
    }
  }
}

class Picture : public testing::Test {
 protected:
  test_front_end::TestWindowSystem ws;
};

TEST_F(Picture, EveryFormatReadsByTheReaderItsFileAnnounces) {
  struct Row {
    const char* format;
    int width;
    int height;
  };
  // Nothing here writes GIF: its file is one fixed pixel.
  const Row rows[] = {{"jpeg", 6, 3}, {"png", 6, 3}, {"gif", 1, 1}, {"bmp", 6, 3}, {"ico", 6, 3}};
  const runtime::Pixels pixels(6, 3, runtime::MakeRgb(10, 200, 30));
  for (const Row& row : rows) {
    SCOPED_TRACE(row.format);
    const std::string file = test_support::PictureFile(pixels, row.format);
    ASSERT_FALSE(file.empty());
    const std::vector<runtime::Pixels> images = runtime::DecodePictureFile(file);
    ASSERT_EQ(images.size(), 1u);
    EXPECT_EQ(images[0].Width(), row.width);
    EXPECT_EQ(images[0].Height(), row.height);
    const runtime::PictureRef picture = runtime::Picture::FromFile(file);
    ASSERT_NE(picture, nullptr);
    EXPECT_FALSE(picture->Copy().IsNull());
    EXPECT_EQ(picture->FileBytes(), file) << "saved as it was read";
  }
  EXPECT_TRUE(runtime::DecodePictureFile("not a picture").empty());
  EXPECT_EQ(runtime::Picture::FromFile("not a picture"), nullptr);
}

TEST_F(Picture, DecodedAheadIsWhatDecodingGivesAndIsTakenOnce) {
  auto file = [](const char* format, runtime::Rgb colour) {
    return test_support::FlatPictureFile(7, 5, colour, format);
  };
  // Colours of their own, so that no earlier decoding has these files.
  const std::string skin = file("jpeg", runtime::MakeRgb(91, 17, 203));
  const std::string icon = file("ico", runtime::MakeRgb(3, 141, 59));
  const std::string noPicture = "no picture at all";
  runtime::DecodeAhead({skin, icon, noPicture});

  const std::optional<std::vector<runtime::Pixels>> icons = runtime::TakeDecodedAhead(icon);
  ASSERT_TRUE(icons.has_value());
  EXPECT_EQ(*icons, runtime::DecodePictureFile(icon));
  EXPECT_FALSE(runtime::TakeDecodedAhead(icon).has_value()) << "taken once";
  EXPECT_FALSE(runtime::TakeDecodedAhead(file("png", runtime::MakeRgb(1, 2, 3))).has_value()) << "never decoded ahead";

  const runtime::PictureRef picture = runtime::Picture::FromFile(skin);
  ASSERT_NE(picture, nullptr);
  EXPECT_EQ(picture->Copy(), runtime::DecodePictureFile(skin).at(0));
  EXPECT_FALSE(runtime::TakeDecodedAhead(skin).has_value()) << "the picture took its decoding";

  const std::optional<std::vector<runtime::Pixels>> nothing = runtime::TakeDecodedAhead(noPicture);
  ASSERT_TRUE(nothing.has_value()) << "decoded ahead, to no picture";
  EXPECT_TRUE(nothing->empty());

  runtime::DecodeAhead({skin});
  runtime::FinishDecodingAhead();
  EXPECT_FALSE(runtime::TakeDecodedAhead(skin).has_value()) << "finishing drops what nobody took";
}

TEST_F(Picture, ABmpOfThePixelsReadsBackExactly) {
  runtime::Pixels pixels(5, 3);
  for (int y = 0; y < 3; ++y) {
    for (int x = 0; x < 5; ++x) pixels.Set(x, y, runtime::MakeRgb(x * 50, y * 100, 7));
  }
  const std::vector<runtime::Pixels> back = runtime::DecodePictureFile(runtime::EncodeBmp(pixels));
  ASSERT_EQ(back.size(), 1u);
  EXPECT_EQ(back[0], pixels);
  // A picture made from pixels, not read from a file, saves as that BMP.
  const runtime::PictureRef picture = runtime::Picture::FromPixels(pixels);
  ASSERT_NE(picture, nullptr);
  EXPECT_EQ(picture->FileBytes(), runtime::EncodeBmp(pixels));
}

// A JPEG's Huffman table holds at most 256 codes; one that declares more
// would have the decoder write past the table it builds. Such a file is no
// picture, wherever the table comes.
TEST_F(Picture, AJpegWhoseHuffmanTableDeclaresMoreThan256CodesIsNoPicture) {
  auto table = [](int codes) {
    std::string segment = "\xFF\xC4";
    const int length = 2 + 17 + codes;
    segment += static_cast<char>(length >> 8);
    segment += static_cast<char>(length & 0xFF);
    segment += '\x00';  // a DC table, number 0
    if (codes == 256) {
      // The most a table may hold, and a table the decoder takes: 255 codes
      // of 8 bits and one of 9.
      segment += std::string(7, '\x00') + "\xFF\x01" + std::string(7, '\x00');
    } else {
      for (int i = 0; i < 16; ++i) segment += static_cast<char>(codes / 16 + (i < codes % 16 ? 1 : 0));
    }
    segment.append(static_cast<std::size_t>(codes), '\x01');
    return segment;
  };
  const std::string jpeg = test_support::FlatPictureFile(8, 8, runtime::MakeRgb(1, 2, 3), "jpeg");
  const struct {
    const char* name;
    std::string file;
    bool picture;
  } rows[] = {
      {"256 codes, then nothing more", "\xFF\xD8" + table(256) + "\xFF\xD9", false},
      {"257 codes", "\xFF\xD8" + table(257) + "\xFF\xD9", false},
      {"4080 codes", "\xFF\xD8" + table(4080) + "\xFF\xD9", false},
      {"257 codes before a whole picture", "\xFF\xD8" + table(257) + jpeg.substr(2), false},
      {"256 codes before a whole picture", "\xFF\xD8" + table(256) + jpeg.substr(2), true},
      {"the picture alone", jpeg, true},
      {"257 codes after fill bytes", "\xFF\xFF\xFF\xD8" + table(257) + jpeg.substr(2), false},
  };
  for (const auto& row : rows) {
    SCOPED_TRACE(row.name);
    EXPECT_EQ(!runtime::DecodeFirstPicture(row.file).IsNull(), row.picture);
    EXPECT_EQ(runtime::DecodePictureFile(row.file).size(), row.picture ? 1u : 0u);
  }
}

// A file of a few bytes may declare a picture of any size; one larger than
// any bitmap the program makes is not decoded at all.
TEST_F(Picture, APictureLargerThanAnyBitmapIsNoPicture) {
  // A BMP of 2 x 2 pixels whose header then declares another size.
  auto declaring = [](std::uint32_t width, std::uint32_t height) {
    std::string file = runtime::EncodeBmp(runtime::Pixels(2, 2, runtime::MakeRgb(5, 6, 7)));
    for (int i = 0; i < 4; ++i) {
      file[static_cast<std::size_t>(18 + i)] = static_cast<char>(width >> (8 * i));
      file[static_cast<std::size_t>(22 + i)] = static_cast<char>(height >> (8 * i));
    }
    return file;
  };
  const struct {
    std::uint32_t width;
    std::uint32_t height;
    bool picture;
  } rows[] = {{2, 2, true}, {4097, 4096, false}, {20000, 20000, false}, {1, 16777217, false}};
  for (const auto& row : rows) {
    SCOPED_TRACE(std::to_string(row.width) + " x " + std::to_string(row.height));
    EXPECT_EQ(runtime::DecodePictureFile(declaring(row.width, row.height)).size(), row.picture ? 1u : 0u);
    EXPECT_EQ(runtime::Picture::FromFile(declaring(row.width, row.height)) != nullptr, row.picture);
  }
}

TEST(Variant, ConversionsFollowTheRuntimesRules) {
  EXPECT_EQ(Variant::FromLong(70000).ToLong(), 70000);
  EXPECT_EQ(Variant::FromDouble(2.5).ToInteger(), 2) << "ties go to the even number";
  EXPECT_EQ(Variant::FromDouble(3.5).ToInteger(), 4);
  EXPECT_EQ(Variant::FromString(u"true").ToBoolean(), -1);
  EXPECT_EQ(Variant::FromInteger(5).ToBoolean(), -1);
  EXPECT_EQ(Variant::FromBoolean(-1).ToString(), u"True");
  using test_support::ErrorNumberOf;
  EXPECT_EQ(ErrorNumberOf([] { (void)Variant::FromLong(70000).ToInteger(); }), 6);
  EXPECT_EQ(ErrorNumberOf([] { (void)Variant::FromString(u"x").ToLong(); }), 13);
  EXPECT_EQ(ErrorNumberOf([] { (void)Variant::FromLong(1).ToPicture(); }), 13);
  EXPECT_EQ(ErrorNumberOf([] { (void)Variant::Nothing().ToFont(); }), 13);
}

}  // namespace
