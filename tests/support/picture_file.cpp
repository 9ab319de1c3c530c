// SPDX-License-Identifier: MIT
#include "support/picture_file.h"

#include <cstdint>
#include <stdexcept>
#include <vector>

#include "runtime/values/picture_file.h"

#define STB_IMAGE_WRITE_IMPLEMENTATION
#define STBI_WRITE_NO_STDIO
#pragma GCC diagnostic push
#pragma GCC diagnostic ignored "-Wmissing-field-initializers"
#pragma GCC diagnostic ignored "-Wsign-compare"
#pragma GCC diagnostic ignored "-Wunused-function"
#pragma GCC diagnostic ignored "-Wpedantic"
#include <stb_image_write.h>
#pragma GCC diagnostic pop

namespace test_support {
namespace {

// Row after row of red, green, blue (and alpha when kept), as the writer
// takes them.
std::vector<unsigned char> Channels(const runtime::Pixels& pixels, int channels) {
  std::vector<unsigned char> bytes;
  bytes.reserve(static_cast<std::size_t>(pixels.Width()) * static_cast<std::size_t>(pixels.Height()) *
                static_cast<std::size_t>(channels));
  for (int y = 0; y < pixels.Height(); ++y) {
    for (int x = 0; x < pixels.Width(); ++x) {
      const runtime::Rgb pixel = pixels.At(x, y);
      bytes.push_back(static_cast<unsigned char>(runtime::RedOf(pixel)));
      bytes.push_back(static_cast<unsigned char>(runtime::GreenOf(pixel)));
      bytes.push_back(static_cast<unsigned char>(runtime::BlueOf(pixel)));
      if (channels == 4) bytes.push_back(static_cast<unsigned char>(runtime::AlphaOf(pixel)));
    }
  }
  return bytes;
}

void Append(void* context, void* data, int size) {
  static_cast<std::string*>(context)->append(static_cast<const char*>(data), static_cast<std::size_t>(size));
}

void Put16(std::string& out, unsigned value) {
  out.push_back(static_cast<char>(value & 0xFF));
  out.push_back(static_cast<char>((value >> 8) & 0xFF));
}

void Put32(std::string& out, std::uint32_t value) {
  Put16(out, value & 0xFFFF);
  Put16(out, value >> 16);
}

// An icon file of one image: a 32-bit bitmap of twice the height (the image
// bottom up, then its mask), as icon files hold them.
std::string IconFile(const runtime::Pixels& pixels) {
  const auto width = static_cast<std::uint32_t>(pixels.Width());
  const auto height = static_cast<std::uint32_t>(pixels.Height());
  const std::uint32_t maskRow = (width + 31) / 32 * 4;
  std::string image;
  Put32(image, 40);
  Put32(image, width);
  Put32(image, height * 2);
  Put16(image, 1);
  Put16(image, 32);
  Put32(image, 0);
  Put32(image, width * height * 4 + maskRow * height);
  for (int i = 0; i < 4; ++i) Put32(image, 0);
  for (int y = pixels.Height() - 1; y >= 0; --y) {
    for (int x = 0; x < pixels.Width(); ++x) {
      const runtime::Rgb pixel = pixels.At(x, y);
      Put32(image, pixels.HasAlpha() ? pixel : (pixel | runtime::kOpaque));
    }
  }
  // The mask: 1 where the desktop shows through.
  for (int y = pixels.Height() - 1; y >= 0; --y) {
    std::string row(maskRow, '\0');
    for (int x = 0; x < pixels.Width(); ++x) {
      if (pixels.HasAlpha() && runtime::AlphaOf(pixels.At(x, y)) == 0) {
        row[static_cast<std::size_t>(x / 8)] = static_cast<char>(row[static_cast<std::size_t>(x / 8)] | (0x80 >> (x % 8)));
      }
    }
    image += row;
  }
  std::string file;
  Put16(file, 0);
  Put16(file, 1);  // an icon
  Put16(file, 1);  // one image
  file.push_back(static_cast<char>(width >= 256 ? 0 : width));
  file.push_back(static_cast<char>(height >= 256 ? 0 : height));
  file.push_back(0);  // no palette
  file.push_back(0);
  Put16(file, 1);   // planes
  Put16(file, 32);  // bits
  Put32(file, static_cast<std::uint32_t>(image.size()));
  Put32(file, 6 + 16);
  return file + image;
}

}  // namespace

std::string PictureFile(const runtime::Pixels& pixels, std::string_view format) {
  const int channels = pixels.HasAlpha() ? 4 : 3;
  std::string file;
  bool written = true;
  if (format == "png") {
    const std::vector<unsigned char> bytes = Channels(pixels, channels);
    written = stbi_write_png_to_func(Append, &file, pixels.Width(), pixels.Height(), channels, bytes.data(),
                                     pixels.Width() * channels) != 0;
  } else if (format == "jpeg") {
    const std::vector<unsigned char> bytes = Channels(pixels, 3);
    written = stbi_write_jpg_to_func(Append, &file, pixels.Width(), pixels.Height(), 3, bytes.data(), 95) != 0;
  } else if (format == "bmp") {
    file = runtime::EncodeBmp(pixels);
  } else if (format == "ico") {
    file = IconFile(pixels);
  } else if (format == "gif") {
    // One transparent pixel: GIF89a, a two-colour table, no more.
    static const unsigned char kGif[] = {
        0x47, 0x49, 0x46, 0x38, 0x39, 0x61, 0x01, 0x00, 0x01, 0x00, 0x80, 0x00, 0x00, 0x00, 0x00, 0x00,
        0xFF, 0xFF, 0xFF, 0x21, 0xF9, 0x04, 0x01, 0x00, 0x00, 0x00, 0x00, 0x2C, 0x00, 0x00, 0x00, 0x00,
        0x01, 0x00, 0x01, 0x00, 0x00, 0x02, 0x01, 0x44, 0x00, 0x3B};
    file.assign(reinterpret_cast<const char*>(kGif), sizeof kGif);
  } else {
    throw std::invalid_argument("no writer for " + std::string(format));
  }
  if (!written || file.empty()) throw std::runtime_error("could not write a " + std::string(format) + " file");
  return file;
}

std::string FlatPictureFile(int width, int height, runtime::Rgb colour, std::string_view format) {
  return PictureFile(runtime::Pixels(width, height, colour | runtime::kOpaque), format);
}

}  // namespace test_support
