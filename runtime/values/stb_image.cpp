// SPDX-License-Identifier: MIT
// The interim picture decoder itself (stb), compiled once here, apart from
// the code that calls it (picture_file.cpp), so that builds may treat it as
// the third party's code it is.
#include <cstdlib>

#define STB_IMAGE_IMPLEMENTATION
#define STBI_NO_STDIO
#define STBI_ONLY_JPEG
#define STBI_ONLY_PNG
#define STBI_ONLY_BMP
#define STBI_ONLY_GIF
// Everything the decoder allocates starts zeroed: a damaged JPEG may have a
// scan use a Huffman table it never defined, and the decoder then indexes
// with what that table's memory held. Zeroed, such a table finds no code.
#define STBI_MALLOC(size) std::calloc(1, size)
#define STBI_REALLOC(pointer, size) std::realloc(pointer, size)
#define STBI_FREE(pointer) std::free(pointer)
#pragma GCC diagnostic push
#pragma GCC diagnostic ignored "-Wunused-function"
#pragma GCC diagnostic ignored "-Wmissing-field-initializers"
#pragma GCC diagnostic ignored "-Wsign-compare"
#pragma GCC diagnostic ignored "-Wpedantic"
// The decoder's JPEG reader shifts a word by more than its width on some
// damaged files, once its count of buffered bits has gone below zero: the
// bits it then reads are wrong and the picture with them, but nothing is
// read or written out of place. The undefined-behaviour sanitizer is not
// told of that shift in its code alone (clang can say so); every other
// check, and AddressSanitizer's, stays.
#if defined(__clang__)
#pragma clang attribute push(__attribute__((no_sanitize("shift"))), apply_to = function)
#endif
#include <stb_image.h>
#if defined(__clang__)
#pragma clang attribute pop
#endif
#pragma GCC diagnostic pop
