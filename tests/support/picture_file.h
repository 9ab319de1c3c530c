// SPDX-License-Identifier: MIT
#pragma once

#include <gtest/gtest.h>

#include <QBuffer>
#include <QByteArray>
#include <QImage>
#include <QSize>

namespace test_support {

// The file of `pixels` in `format` ("PNG", "jpeg", "ico", ...), as a design
// or a bag would store it; a failure when Qt cannot write it.
inline QByteArray PictureFile(const QImage& pixels, const char* format) {
  QByteArray bytes;
  QBuffer buffer(&bytes);
  buffer.open(QIODevice::WriteOnly);
  EXPECT_TRUE(pixels.save(&buffer, format)) << format;
  return bytes;
}

// The file of a picture in one colour.
inline QByteArray FlatPictureFile(QSize size, QRgb colour, const char* format) {
  QImage pixels(size, QImage::Format_RGB32);
  pixels.fill(colour);
  return PictureFile(pixels, format);
}

}  // namespace test_support
