// SPDX-License-Identifier: MIT
// Reads the picture files that designs and saved settings hold (JPEG, PNG,
// BMP, GIF and icons) into pixels, and writes pixels as a BMP file. Any
// bytes are safe to hand it; keeping a file's bytes, and what its pictures
// are for, is the caller's.
#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "runtime/values/pixels.h"

namespace runtime {

// No image read is wider or taller than this; larger ones are refused
// before anything is allocated for them, and the images of one icon file
// together hold at most this side squared.
inline constexpr int kLargestPictureSide = 4096;

// Every image a picture file holds, in the file's order (an icon file holds
// one per size; others one): JPEG, PNG, BMP, GIF (its first frame) and ICO
// (frames stored as bitmaps with their AND mask, 1/4/8/24/32 bits, or as
// PNG). Images that cannot be read are left out; no images at all when the
// bytes are no picture. Opaque images have alpha 255 and no HasAlpha().
std::vector<Pixels> DecodePictureFile(std::string_view bytes);

// The first image DecodePictureFile would give, without reading the rest;
// a null Pixels when there is none.
Pixels DecodeFirstPicture(std::string_view bytes);

// The pixels as a BMP file: 24 bits a pixel, or 32 with an alpha channel
// when the pixels have one. DecodePictureFile reads it back exactly (pixels
// without HasAlpha() come back with alpha 255). Empty for null pixels.
std::string EncodeBmp(const Pixels& pixels);

}  // namespace runtime
