// SPDX-License-Identifier: MIT
#include <gtest/gtest.h>

#include <QBuffer>
#include <QImageReader>
#include <cstdlib>

#include "main_window/designs.h"
#include "runtime/design/property_bag.h"

namespace {

QImage Read(const QByteArray& bytes, QByteArray* format = nullptr) {
  QBuffer buffer;
  buffer.setData(bytes);
  buffer.open(QIODevice::ReadOnly);
  QImageReader reader(&buffer);
  if (format != nullptr) *format = reader.format();
  return reader.read();
}

// The strip a button's saved settings hold, as its file bytes.
QByteArray StripOf(const char* bag) {
  const QByteArray bytes = main_window::LoadDesignFile(std::string("settings/") + bag);
  const auto settings = runtime::PropertyBag::FromBytes(std::string_view(bytes.constData(), static_cast<std::size_t>(bytes.size())));
  return settings.ReadProperty("backpicture", {}).ToPicture()->FileBytes();
}

// Largest difference of any colour channel between two frames.
int Difference(const QImage& a, const QImage& b) {
  int worst = 0;
  for (int y = 0; y < a.height(); ++y) {
    for (int x = 0; x < a.width(); ++x) {
      const QRgb p = a.pixel(x, y);
      const QRgb q = b.pixel(x, y);
      worst = std::max({worst, std::abs(qRed(p) - qRed(q)), std::abs(qGreen(p) - qGreen(q)), std::abs(qBlue(p) - qBlue(q))});
    }
  }
  return worst;
}

TEST(Assets, PicturesAreJpegsOfTheirSizesWithFramesThreeAndFourAsFrameZero) {
  const struct {
    const char* what;
    QByteArray bytes;
    QSize size;
    int frames;
  } rows[] = {
      {"WindowSkin", main_window::LoadDesignFile("window_skin.jpg"), QSize(320, 240), 1},
      {"KeyStrip", StripOf("ibutton3.bag"), QSize(175, 35), 5},
      {"WideKeyStrip", StripOf("ibutton13.bag"), QSize(350, 35), 5},
      {"MinimiseStrip", StripOf("ibutton2.bag"), QSize(140, 28), 5},
      {"CloseStrip", StripOf("ibutton1.bag"), QSize(140, 28), 5},
  };
  for (const auto& row : rows) {
    SCOPED_TRACE(row.what);
    QByteArray format;
    const QImage image = Read(row.bytes, &format);
    EXPECT_EQ(format, "jpeg");
    ASSERT_EQ(image.size(), row.size);
    EXPECT_EQ(std::lround(image.dotsPerMeterX() * 0.0254), 72) << "the recorded density";
    if (row.frames == 1) continue;
    const int w = row.size.width() / row.frames;
    const QImage frame0 = image.copy(0, 0, w, row.size.height());
    for (int i : {3, 4}) {
      EXPECT_LE(Difference(frame0, image.copy(i * w, 0, w, row.size.height())), 24) << "frame " << i;
    }
    for (int i : {1, 2}) {
      EXPECT_GT(Difference(frame0, image.copy(i * w, 0, w, row.size.height())), 24) << "frame " << i << " differs";
    }
  }
  EXPECT_EQ(StripOf("ibutton3.bag"), StripOf("ibutton12.bag")) << "the ten keys share one strip";
}

TEST(Assets, TheIconHoldsItsFourImages) {
  const QByteArray ico = main_window::LoadDesignFile("app_icon.ico");
  ASSERT_GE(ico.size(), 6 + 4 * 16);
  auto u16 = [&](int at) { return static_cast<quint8>(ico[at]) | static_cast<quint8>(ico[at + 1]) << 8; };
  EXPECT_EQ(u16(2), 1) << "an icon, not a cursor";
  ASSERT_EQ(u16(4), 4);
  const int sizes[4] = {16, 48, 32, 16};
  const int depths[4] = {8, 32, 32, 32};
  for (int i = 0; i < 4; ++i) {
    const int entry = 6 + 16 * i;
    EXPECT_EQ(static_cast<quint8>(ico[entry]), sizes[i]);
    EXPECT_EQ(static_cast<quint8>(ico[entry + 1]), sizes[i]);
    EXPECT_EQ(u16(entry + 6), depths[i]);
  }
  QBuffer buffer;
  buffer.setData(ico);
  buffer.open(QIODevice::ReadOnly);
  QImageReader reader(&buffer, "ico");
  EXPECT_EQ(reader.imageCount(), 4);
  const QImage first = reader.read();
  EXPECT_EQ(first.size(), QSize(16, 16));
  EXPECT_EQ(qAlpha(first.pixel(3, 12)), 255) << "a pane is solid";
  EXPECT_EQ(qAlpha(first.pixel(7, 7)), 0) << "the gap between the panes lets the desktop through";
}

}  // namespace
