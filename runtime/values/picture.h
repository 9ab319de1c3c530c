// SPDX-License-Identifier: MIT
#pragma once

#include <QByteArray>
#include <QImage>
#include <QList>
#include <cstdint>
#include <memory>
#include <optional>

#include "runtime/win32/gdi.h"

class QImageReader;

namespace runtime {

// The runtime's picture object: a bitmap (and, on a palette display, a
// palette) with its size in HIMETRIC. Shared by reference; an owning picture
// deletes its bitmap and palette when the last reference goes.
class Picture {
 public:
  // A picture read from a picture file's bytes (JPEG, BMP, PNG, GIF), or
  // null when the bytes are not a picture. The bytes are kept, so saving the
  // picture writes back exactly what was read.
  static std::shared_ptr<Picture> FromFile(const QByteArray& bytes);
  // Wraps a bitmap and palette (0 for none); with `own` the picture deletes
  // them when it goes. Null when `bitmap` is not a bitmap.
  static std::shared_ptr<Picture> FromHandles(gdi::HBITMAP bitmap, gdi::HPALETTE palette, bool own);
  // A picture of a copy of `pixels`.
  static std::shared_ptr<Picture> FromImage(const QImage& pixels);

  ~Picture();
  Picture(const Picture&) = delete;
  Picture& operator=(const Picture&) = delete;

  [[nodiscard]] gdi::HBITMAP Handle() const { return mBitmap; }
  [[nodiscard]] gdi::HPALETTE hPal() const { return mPalette; }
  // Sizes in HIMETRIC, from the pixel counts alone at 96 pixels per inch,
  // whatever density the file records.
  [[nodiscard]] std::int32_t Width() const;
  [[nodiscard]] std::int32_t Height() const;
  // The bitmap's pixels as they are now.
  [[nodiscard]] QImage Pixels() const;
  // What saving the picture writes: the file it was read from, or else the
  // pixels as a BMP file.
  [[nodiscard]] QByteArray FileBytes() const;

 private:
  Picture(gdi::HBITMAP bitmap, gdi::HPALETTE palette, bool own, QByteArray file);

  gdi::HBITMAP mBitmap;
  gdi::HPALETTE mPalette;
  bool mOwn;
  QByteArray mFile;
};

using PictureRef = std::shared_ptr<Picture>;

// The image format a picture file's first bytes announce ("jpeg", "png",
// "gif", "bmp", "ico"); empty when they announce none of these.
QByteArray PictureFormat(const QByteArray& bytes);

// Has `reader` read `bytes` as the format they announce and as no other, so
// that Qt loads that format's reader alone instead of loading each in turn
// until one takes it. Bytes that announce none are left to Qt to recognise.
void ReadAsAnnounced(QImageReader& reader, const QByteArray& bytes);

// Every image a picture file holds, in order (an icon file holds one per
// size); an image that cannot be read, or bytes that are no picture, give a
// null image.
QList<QImage> DecodeAll(const QByteArray& bytes);

// Decoding ahead: files the program will soon show are decoded on another
// thread while the user-interface thread does other work. The first
// Picture::FromFile or TakeDecodedAhead of the same bytes takes the result,
// waiting for it if need be; everything else behaves as without it. All
// three are called from the user-interface thread only.
void DecodeAhead(const QList<QByteArray>& files);
// What DecodeAll gives for `bytes` when they were decoded ahead; nothing
// otherwise (or when taken already).
std::optional<QList<QImage>> TakeDecodedAhead(const QByteArray& bytes);
// Waits for the decoding ahead to end and drops what nobody took. Qt calls
// it as the application goes, whose image readers the other thread uses.
void FinishDecodingAhead();

}  // namespace runtime
