// SPDX-License-Identifier: MIT
#pragma once

#include <string>
#include <string_view>

#include "runtime/values/pixels.h"

namespace test_support {

// The file of `pixels` in `format`, as a design or a bag would store it:
// "png", "jpeg", "bmp", or "ico" (one 32-bit image with its mask). With no
// alpha the pixels are written opaque, three channels, and read back so.
// Nothing here writes GIF: "gif" gives a fixed 1 x 1 picture.
std::string PictureFile(const runtime::Pixels& pixels, std::string_view format);

// The file of a picture in one colour.
std::string FlatPictureFile(int width, int height, runtime::Rgb colour, std::string_view format);

}  // namespace test_support
