// SPDX-License-Identifier: MIT
// Interim decoder until the shared one lands: stb for the common formats.
#include "runtime/values/picture_file.h"

#define STBI_NO_STDIO
#define STBI_ONLY_JPEG
#define STBI_ONLY_PNG
#define STBI_ONLY_BMP
#define STBI_ONLY_GIF
#include <stb_image.h>

#include <cstring>

namespace runtime {

namespace {

unsigned Byte(std::string_view b, std::size_t at) { return at < b.size() ? static_cast<unsigned char>(b[at]) : 0U; }

// A JPEG's Huffman tables hold at most 256 codes each. The decoder builds a
// table in room for 256 and writes past it for a file that declares more,
// so such a file is refused before it gets there. The segments are walked
// as the decoder walks them: markers after any fill bytes, past any bytes
// between them, a scan's coded data up to the next marker, and the tables
// of a segment one after another, bytes past the end reading as 0.
bool HuffmanTablesFit(std::string_view b) {
  // The start of the image, after as many fill bytes as come before it.
  std::size_t at = 0;
  if (Byte(b, 0) != 0xFF) return true;  // not a JPEG
  while (at < b.size() && Byte(b, at) == 0xFF) ++at;
  if (Byte(b, at) != 0xD8) return true;
  ++at;
  while (at + 1 < b.size()) {
    const unsigned marker = Byte(b, at + 1);
    if (Byte(b, at) != 0xFF || marker == 0xFF || marker == 0x00 || (marker >= 0xD0 && marker <= 0xD7)) {
      ++at;  // coded data, a fill byte, a restart
      continue;
    }
    if (marker == 0xD9) return true;  // the end of the image
    const std::size_t length = Byte(b, at + 2) << 8 | Byte(b, at + 3);
    if (marker == 0xC4) {
      long long left = static_cast<long long>(length) - 2;
      std::size_t table = at + 4;
      while (left > 0) {
        unsigned codes = 0;
        for (std::size_t i = 1; i <= 16; ++i) codes += Byte(b, table + i);
        if (codes > 256) return false;
        table += 17 + codes;
        left -= 17 + static_cast<long long>(codes);
      }
    }
    at += 2 + length;
  }
  return true;
}

// No window system here makes a bitmap larger than this (the memory device
// refuses one), so a picture beyond it could never be shown: a damaged file
// of a few bytes that declares one is not decoded at all, which would take
// time and memory in proportion to the size it declares.
constexpr long long kLargestPicture = 4096LL * 4096LL;

Pixels DecodeWithStb(std::string_view bytes) {
  int w = 0, h = 0, n = 0;
  if (bytes.size() > 0x7FFFFFFF || !HuffmanTablesFit(bytes)) return {};
  if (stbi_info_from_memory(reinterpret_cast<const stbi_uc*>(bytes.data()), static_cast<int>(bytes.size()), &w, &h,
                            &n) == 0 ||
      static_cast<long long>(w) * h > kLargestPicture) {
    return {};
  }
  unsigned char* data = stbi_load_from_memory(reinterpret_cast<const stbi_uc*>(bytes.data()),
                                              static_cast<int>(bytes.size()), &w, &h, &n, 4);
  if (data == nullptr) return {};
  Pixels out(w, h, 0, n == 2 || n == 4);
  for (int y = 0; y < h; ++y) {
    for (int x = 0; x < w; ++x) {
      const unsigned char* p = data + 4 * (static_cast<std::size_t>(y) * w + x);
      out.Set(x, y, MakeRgb(p[0], p[1], p[2], out.HasAlpha() ? p[3] : 255));
    }
  }
  stbi_image_free(data);
  return out;
}

unsigned U16(std::string_view b, std::size_t at) { return static_cast<unsigned char>(b[at]) | static_cast<unsigned char>(b[at + 1]) << 8; }
unsigned U32(std::string_view b, std::size_t at) { return U16(b, at) | U16(b, at + 2) << 16; }
// Interim: 32-bit bitmap frames and PNG frames only.
std::vector<Pixels> IcoFrames(std::string_view b) {
  std::vector<Pixels> frames;
  const unsigned count = U16(b, 4);
  for (unsigned i = 0; i < count && 6 + 16 * (i + 1) <= b.size(); ++i) {
    const std::size_t entry = 6 + 16 * i;
    const unsigned size = U32(b, entry + 8), offset = U32(b, entry + 12);
    if (offset > b.size() || size > b.size() - offset) continue;
    const std::string_view image = b.substr(offset, size);
    if (image.size() >= 8 && image.substr(1, 3) == "PNG") { Pixels p = DecodeWithStb(image); if (!p.IsNull()) frames.push_back(std::move(p)); continue; }
    if (image.size() < 40) continue;
    const int w = static_cast<int>(U32(image, 4)), h = static_cast<int>(U32(image, 8)) / 2, bits = static_cast<int>(U16(image, 14));
    if (bits != 32 || w <= 0 || h <= 0 || w > 256 || h > 256 || 40 + static_cast<std::size_t>(w) * h * 4 > image.size()) continue;
    Pixels p(w, h, 0, true);
    for (int y = 0; y < h; ++y) std::memcpy(p.Row(h - 1 - y), image.data() + 40 + static_cast<std::size_t>(y) * w * 4, static_cast<std::size_t>(w) * 4);
    frames.push_back(std::move(p));
  }
  return frames;
}

// An icon file announces itself by its first four bytes.
bool IsIcon(std::string_view bytes) {
  return bytes.size() >= 6 && bytes.substr(0, 4) == std::string_view("\0\0\1\0", 4);
}

}  // namespace

Pixels DecodeFirstPicture(std::string_view bytes) {
  if (IsIcon(bytes)) {
    std::vector<Pixels> frames = IcoFrames(bytes);
    return frames.empty() ? Pixels() : std::move(frames.front());
  }
  return DecodeWithStb(bytes);
}

std::vector<Pixels> DecodePictureFile(std::string_view bytes) {
  if (IsIcon(bytes)) return IcoFrames(bytes);
  Pixels first = DecodeWithStb(bytes);
  std::vector<Pixels> all;
  if (!first.IsNull()) all.push_back(std::move(first));
  return all;
}

std::string EncodeBmp(const Pixels& pixels) {
  // Pixels without alpha are opaque whatever their alpha bytes say: they go
  // as 24-bit rows, which every reader takes as opaque, and read back so.
  const bool alpha = pixels.HasAlpha();
  const unsigned bytesPerPixel = alpha ? 4 : 3;
  std::string out;
  auto put16 = [&out](unsigned v) { out.push_back(static_cast<char>(v & 0xFF)); out.push_back(static_cast<char>(v >> 8)); };
  auto put32 = [&out](unsigned v) { for (int i = 0; i < 4; ++i) out.push_back(static_cast<char>((v >> (8 * i)) & 0xFF)); };
  const unsigned w = static_cast<unsigned>(pixels.Width());
  const unsigned h = static_cast<unsigned>(pixels.Height());
  const unsigned row = (w * bytesPerPixel + 3) / 4 * 4;  // rows are padded to four bytes
  out += "BM";
  put32(54 + row * h);
  put32(0);
  put32(54);
  put32(40);
  put32(w);
  put32(h);
  put16(1);
  put16(bytesPerPixel * 8);
  put32(0);
  put32(row * h);
  put32(2835);
  put32(2835);
  put32(0);
  put32(0);
  for (int y = pixels.Height() - 1; y >= 0; --y) {
    if (alpha) {
      out.append(reinterpret_cast<const char*>(pixels.Row(y)), static_cast<std::size_t>(w) * 4);
      continue;
    }
    for (unsigned x = 0; x < w; ++x) {
      const Rgb pixel = pixels.Row(y)[x];
      out.push_back(static_cast<char>(BlueOf(pixel)));
      out.push_back(static_cast<char>(GreenOf(pixel)));
      out.push_back(static_cast<char>(RedOf(pixel)));
    }
    out.append(row - w * 3, '\0');
  }
  return out;
}

}  // namespace runtime
