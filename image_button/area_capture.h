#pragma once

#include <cstdint>

#include "runtime/gdi.h"
#include "runtime/picture.h"

// Copying a rectangle of a device context into a picture object of its own.
namespace image_button {

// A new picture holding the rectangle's pixels in the source's colour
// format; on a 256-colour palette display it keeps a copy of the system
// palette. Null when no picture could be made.
runtime::PictureRef CaptureArea(runtime::gdi::HDC source, std::int32_t x, std::int32_t y,
                                std::int32_t width, std::int32_t height);

// Wraps the bitmap and palette (0 for none) in a picture that owns them.
// When no picture can be made they are deleted, not left behind.
runtime::PictureRef BitmapToPicture(runtime::gdi::HBITMAP bitmap, runtime::gdi::HPALETTE palette);

}  // namespace image_button
