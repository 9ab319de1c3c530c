// SPDX-License-Identifier: MIT
#pragma once

#include <cstdint>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "runtime/seam/gdi_types.h"
#include "runtime/values/pixels.h"

namespace runtime {

// The runtime's picture object: a bitmap of the window system's graphics
// device (and, on a palette display, a palette) with its size in HIMETRIC.
// Shared by reference; an owning picture deletes its bitmap and palette
// when the last reference goes.
class Picture {
 public:
  // A picture read from a picture file's bytes (JPEG, PNG, BMP, GIF, ICO),
  // or null when the bytes are not a picture. The bytes are kept, so saving
  // the picture writes back exactly what was read.
  static std::shared_ptr<Picture> FromFile(const std::string& bytes);
  // Wraps a bitmap and palette (0 for none); with `own` the picture deletes
  // them when it goes. Null when `bitmap` is not a bitmap.
  static std::shared_ptr<Picture> FromHandles(gdi::HBITMAP bitmap, gdi::HPALETTE palette, bool own);
  // A picture of a copy of `pixels`.
  static std::shared_ptr<Picture> FromPixels(const Pixels& pixels);

  ~Picture();
  Picture(const Picture&) = delete;
  Picture& operator=(const Picture&) = delete;

  [[nodiscard]] gdi::HBITMAP Handle() const { return mBitmap; }
  [[nodiscard]] gdi::HPALETTE hPal() const { return mPalette; }
  // Sizes in HIMETRIC, from the pixel counts alone at 96 pixels per inch,
  // whatever density the file records.
  [[nodiscard]] std::int32_t Width() const;
  [[nodiscard]] std::int32_t Height() const;
  // The bitmap's pixels as they are now, good until the graphics device is
  // next used; empty when the bitmap has gone.
  [[nodiscard]] PixelView View() const;
  // A copy of them.
  [[nodiscard]] Pixels Copy() const;
  // Whether parts of it are see-through (an icon's, a PNG's).
  [[nodiscard]] bool HasAlpha() const { return mAlpha; }
  // What saving the picture writes: the file it was read from, or else the
  // pixels as a BMP file.
  [[nodiscard]] std::string FileBytes() const;

 private:
  Picture(gdi::HBITMAP bitmap, gdi::HPALETTE palette, bool own, bool alpha, std::string file);

  gdi::HBITMAP mBitmap;
  gdi::HPALETTE mPalette;
  bool mOwn;
  bool mAlpha;
  std::string mFile;
};

using PictureRef = std::shared_ptr<Picture>;

// The first image of a picture file, decoded once and shared: designs hold
// the same picture many times (ten keys share one strip). Null when the
// bytes are no picture.
PixelsRef DecodedPicture(const std::string& bytes);

// Decoding ahead: files the program will soon show are decoded on another
// thread while the user-interface thread does other work. The first
// DecodedPicture or TakeDecodedAhead of the same bytes takes the result,
// waiting for it if need be; everything else behaves as without it. All
// three are called from the user-interface thread only.
void DecodeAhead(const std::vector<std::string>& files);
// Every image of `bytes` (see DecodePictureFile) when they were decoded
// ahead; nothing otherwise (or when taken already).
std::optional<std::vector<Pixels>> TakeDecodedAhead(const std::string& bytes);
// Waits for the decoding ahead to end and drops what nobody took. The
// front-end calls it as the program goes.
void FinishDecodingAhead();

}  // namespace runtime
