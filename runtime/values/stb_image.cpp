// SPDX-License-Identifier: MIT
// The picture decoder's own code (stb_image), compiled once here, apart from
// ours that calls it (picture_file.cpp), so that builds may treat it as the
// third party's code it is: the fuzz targets leave it out of their coverage.
#include <cstddef>
#include <cstdlib>
#include <cstring>

// stb_image reads JPEG, PNG and GIF, and the BMP forms our own reader below
// leaves to it. Only those formats are compiled in, nothing reads files,
// and it refuses any side larger than ours on its own as well.
#define STBI_ONLY_JPEG
#define STBI_ONLY_PNG
#define STBI_ONLY_BMP
#define STBI_ONLY_GIF
#define STBI_NO_STDIO
// Its failure strings are kept in static storage, one of them written on
// failure: a race when two threads decode at once. We never show them.
#define STBI_NO_FAILURE_STRINGS
#define STBI_MAX_DIMENSIONS 4096
// Its JPEG decoder uses tables a damaged file never defined, straight from
// fresh memory, and its PNG decoder copies bytes from where a damaged file
// points before the data it wrote: zeroed, the same file always gives the
// same pixels, and no memory's old contents end up in a picture.
#define STBI_MALLOC(size) std::calloc(1, size)
#define STBI_REALLOC_SIZED(pointer, oldSize, newSize) GrowZeroed(pointer, oldSize, newSize)
#define STBI_FREE(pointer) std::free(pointer)
#define STB_IMAGE_IMPLEMENTATION
namespace {

void* GrowZeroed(void* block, std::size_t oldSize, std::size_t newSize) {
  auto* grown = static_cast<unsigned char*>(std::realloc(block, newSize));
  if (grown != nullptr && newSize > oldSize) std::memset(grown + oldSize, 0, newSize - oldSize);
  return grown;
}

}  // namespace

// Compiled in as static functions, the parts of its interface we do not
// call would each warn; our warnings stay on for the rest of this file.
#if defined(__GNUC__)
#pragma GCC diagnostic push
#pragma GCC diagnostic ignored "-Wunused-function"
#endif
// Once a JPEG's compressed data end inside a code, its bit reader counts
// below zero the bits it holds, and then shifts in the zeros that follow
// the data by 32 places or more: 0 whatever the machine makes of that, but
// undefined all the same, and nothing we could check for beforehand short
// of decoding. Only that check of the undefined-behaviour sanitizer is
// left out, and only for stb_image's code.
#if defined(__clang__)
#pragma clang attribute push(__attribute__((no_sanitize("shift-exponent"))), apply_to = function)
#endif
#include <stb_image.h>
#if defined(__clang__)
#pragma clang attribute pop
#endif
#if defined(__GNUC__)
#pragma GCC diagnostic pop
#endif

