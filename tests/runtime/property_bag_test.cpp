// SPDX-License-Identifier: MIT
#include "runtime/design/property_bag.h"

#include <gtest/gtest.h>

#include <QColor>
#include <QImage>
#include <random>

#include "runtime/runtime_error.h"
#include "runtime/values/picture.h"
#include "support/picture_file.h"
#include "support/raised_error.h"

namespace {

using runtime::PropertyBag;
using runtime::Variant;

QByteArray Png(int width, int height) {
  return test_support::FlatPictureFile({width, height}, QColor(Qt::darkCyan).rgb(), "PNG");
}

PropertyBag SampleBag() {
  auto font = std::make_shared<runtime::Font>();
  font->name = QString::fromUtf8("宋体");
  font->size = 10.5;
  font->charset = 134;
  font->weight = 700;
  font->italic = true;
  PropertyBag bag;
  bag.WriteProperty("_extentx", Variant::FromLong(926));
  bag.WriteProperty("BackPicture", Variant::FromPicture(runtime::Picture::FromFile(Png(10, 4))));
  bag.WriteProperty("Caption", Variant::FromString(QString::fromUtf8("复制")));
  bag.WriteProperty("cFont", Variant::FromFont(font));
  bag.WriteProperty("cDrawMode", Variant::FromInteger(13));
  bag.WriteProperty("cForeColor", Variant::FromLong(static_cast<std::int32_t>(0x80000012)));
  bag.WriteProperty("AutoSize", Variant::FromBoolean(0));
  bag.WriteProperty("Ratio", Variant::FromDouble(0.25));
  return bag;
}

TEST(PropertyBag, BinaryFormRoundTripsByteForByte) {
  const std::string bytes = SampleBag().ToBytes();
  const PropertyBag back = PropertyBag::FromBytes(bytes);
  EXPECT_EQ(back.ToBytes(), bytes);
  ASSERT_EQ(back.Entries().size(), 8u);
  EXPECT_EQ(back.Entries()[1].name, "backpicture") << "stored names are lower case";
  EXPECT_EQ(back.ReadProperty("CAPTION", {}).ToString(), QString::fromUtf8("复制"));
  const runtime::FontRef font = back.ReadProperty("cfont", {}).ToFont();
  EXPECT_EQ(font->name, QString::fromUtf8("宋体"));
  EXPECT_EQ(font->size, 10.5);
  EXPECT_EQ(font->weight, 700);
  EXPECT_TRUE(font->italic);
  EXPECT_EQ(back.ReadProperty("BackPicture", {}).ToPicture()->Pixels().size(), QSize(10, 4));
  EXPECT_EQ(static_cast<std::uint32_t>(back.ReadProperty("cForeColor", {}).ToLong()), 0x80000012u);
}

TEST(PropertyBag, StoredFormOfAFontAndAString) {
  auto font = std::make_shared<runtime::Font>();
  font->name = QString::fromUtf8("宋体");
  font->size = 9;
  font->charset = 134;
  font->weight = 400;
  PropertyBag bag;
  bag.WriteProperty("cFont", Variant::FromFont(font));
  bag.WriteProperty("C", Variant::FromString(QStringLiteral("1")));
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
  bag.WriteProperty("Caption", Variant::FromString(QString()), Variant::FromString(QString()));
  bag.WriteProperty("BackPicture", Variant::Nothing(), Variant::Nothing());
  EXPECT_TRUE(bag.Entries().empty());
  bag.WriteProperty("Style", Variant::FromLong(1), Variant::FromInteger(0));
  EXPECT_EQ(bag.ReadProperty("STYLE", Variant::FromInteger(0)).ToLong(), 1);
  EXPECT_EQ(bag.ReadProperty("Missing", Variant::FromInteger(7)).ToLong(), 7);
  bag.WriteProperty("style", Variant::FromInteger(0), Variant::FromInteger(0));
  EXPECT_TRUE(bag.Entries().empty()) << "writing the default removes what was saved before";
}

TEST(PropertyBag, EveryTruncationIsALoadErrorNamingTheSetting) {
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

TEST(PropertyBag, PictureFilesAreTheStoredFilesUndecodedUpToAnyFault) {
  const QByteArray png = Png(10, 4);
  const QByteArray notAPicture("stored, but no picture");
  PropertyBag bag = SampleBag();
  bag.WriteProperty("Second", Variant::FromPicture(runtime::Picture::FromFile(Png(3, 3))));
  const std::string bytes = bag.ToBytes();
  const std::vector<QByteArray> files = PropertyBag::PictureFiles(bytes);
  ASSERT_EQ(files.size(), 2u);
  EXPECT_EQ(files[0], png);
  EXPECT_EQ(files[1], Png(3, 3));

  // Bytes the picture readers refuse are handed over all the same; whether
  // they are a picture is for whoever decodes them.
  std::string swapped = bytes;
  swapped.replace(swapped.find(png.toStdString()), static_cast<std::size_t>(png.size()),
                  notAPicture.leftJustified(png.size(), '.').toStdString());
  EXPECT_EQ(PropertyBag::PictureFiles(swapped).front(), notAPicture.leftJustified(png.size(), '.'));

  // A bag cut anywhere gives the files stored whole before the cut, and no fault.
  const std::size_t firstEnd = bytes.find(png.toStdString()) + static_cast<std::size_t>(png.size());
  for (std::size_t length = 0; length < bytes.size(); ++length) {
    const std::size_t count = PropertyBag::PictureFiles(std::string_view(bytes).substr(0, length)).size();
    EXPECT_EQ(count, length < firstEnd ? 0u : 1u) << length;
  }
}

TEST(PropertyBag, CorruptedBytesNeverCrashAndWhatReadsWritesBackTheSame) {
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

TEST(Picture, EveryFormatReadsByTheReaderItsFileAnnounces) {
  struct Row {
    const char* format;
  };
  const Row rows[] = {{"jpeg"}, {"png"}, {"gif"}, {"bmp"}, {"ico"}};
  QImage pixels(6, 3, QImage::Format_RGB32);
  pixels.fill(qRgb(10, 200, 30));
  for (const Row& row : rows) {
    SCOPED_TRACE(row.format);
    // Qt writes no GIF; the reader alone must know the announcement.
    const QByteArray file =
        QByteArray(row.format) == "gif"
            ? QByteArray::fromBase64("R0lGODlhAQABAIAAAAAAAP///yH5BAEAAAAALAAAAAABAAEAAAIBRAA7")
            : test_support::PictureFile(pixels, row.format);
    ASSERT_FALSE(file.isEmpty());
    EXPECT_EQ(runtime::PictureFormat(file), QByteArray(row.format));
    const runtime::PictureRef picture = runtime::Picture::FromFile(file);
    ASSERT_NE(picture, nullptr);
    EXPECT_FALSE(picture->Pixels().isNull());
  }
  EXPECT_EQ(runtime::PictureFormat("not a picture"), QByteArray());
  EXPECT_EQ(runtime::Picture::FromFile("not a picture"), nullptr);
}

TEST(Picture, DecodedAheadIsWhatDecodingGivesAndIsTakenOnce) {
  auto file = [](const char* format, QRgb colour) { return test_support::FlatPictureFile({7, 5}, colour, format); };
  // Colours of their own, so that no earlier decoding has these files.
  const QByteArray skin = file("jpeg", qRgb(91, 17, 203));
  const QByteArray icon = file("ico", qRgb(3, 141, 59));
  const QByteArray noPicture("no picture at all");
  runtime::DecodeAhead({skin, icon, noPicture});

  const std::optional<QList<QImage>> icons = runtime::TakeDecodedAhead(icon);
  ASSERT_TRUE(icons.has_value());
  EXPECT_EQ(*icons, runtime::DecodeAll(icon));
  EXPECT_FALSE(runtime::TakeDecodedAhead(icon).has_value()) << "taken once";
  EXPECT_FALSE(runtime::TakeDecodedAhead(file("png", qRgb(1, 2, 3))).has_value()) << "never decoded ahead";

  const runtime::PictureRef picture = runtime::Picture::FromFile(skin);
  ASSERT_NE(picture, nullptr);
  EXPECT_EQ(picture->Pixels(), runtime::DecodeAll(skin).value(0));
  EXPECT_FALSE(runtime::TakeDecodedAhead(skin).has_value()) << "the picture took its decoding";

  const std::optional<QList<QImage>> nothing = runtime::TakeDecodedAhead(noPicture);
  ASSERT_TRUE(nothing.has_value());
  ASSERT_EQ(nothing->size(), 1);
  EXPECT_TRUE(nothing->front().isNull());

  runtime::DecodeAhead({skin});
  runtime::FinishDecodingAhead();
  EXPECT_FALSE(runtime::TakeDecodedAhead(skin).has_value()) << "finishing drops what nobody took";
}

TEST(Variant, ConversionsFollowTheRuntimesRules) {
  EXPECT_EQ(Variant::FromLong(70000).ToLong(), 70000);
  EXPECT_EQ(Variant::FromDouble(2.5).ToInteger(), 2) << "ties go to the even number";
  EXPECT_EQ(Variant::FromDouble(3.5).ToInteger(), 4);
  EXPECT_EQ(Variant::FromString(QStringLiteral("true")).ToBoolean(), -1);
  EXPECT_EQ(Variant::FromInteger(5).ToBoolean(), -1);
  EXPECT_EQ(Variant::FromBoolean(-1).ToString(), QStringLiteral("True"));
  using test_support::ErrorNumberOf;
  EXPECT_EQ(ErrorNumberOf([] { (void)Variant::FromLong(70000).ToInteger(); }), 6);
  EXPECT_EQ(ErrorNumberOf([] { (void)Variant::FromString(QStringLiteral("x")).ToLong(); }), 13);
  EXPECT_EQ(ErrorNumberOf([] { (void)Variant::FromLong(1).ToPicture(); }), 13);
  EXPECT_EQ(ErrorNumberOf([] { (void)Variant::Nothing().ToFont(); }), 13);
}

}  // namespace
