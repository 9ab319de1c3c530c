// SPDX-License-Identifier: MIT
#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "runtime/values/pixels.h"

namespace runtime {

// Every image a picture file holds, in the file's order (an icon file holds
// one per size; others one): JPEG, PNG, BMP, GIF (its first frame) and ICO.
// Images that cannot be read are left out, and so are those of more than
// 4096 x 4096 pixels, which no bitmap holds; no images at all when the bytes
// are no picture.
std::vector<Pixels> DecodePictureFile(std::string_view bytes);

// The first image only, cheaper for files with many; a null Pixels when none.
Pixels DecodeFirstPicture(std::string_view bytes);

// The pixels as a BMP file; DecodePictureFile reads it back exactly.
std::string EncodeBmp(const Pixels& pixels);

}  // namespace runtime
