// SPDX-License-Identifier: MIT
#include "runtime/values/picture_file.h"

#include <algorithm>
#include <climits>
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <memory>
#include <optional>

// The decoder's declarations; its code is compiled once, in stb_image.cpp,
// with the same formats and limits.
#define STBI_ONLY_JPEG
#define STBI_ONLY_PNG
#define STBI_ONLY_BMP
#define STBI_ONLY_GIF
#define STBI_NO_STDIO
#define STBI_MAX_DIMENSIONS 4096
#include <stb_image.h>

static_assert(STBI_MAX_DIMENSIONS == runtime::kLargestPictureSide);

namespace runtime {
namespace {

using Bytes = std::string_view;

constexpr std::int64_t kLargestPicture = std::int64_t{kLargestPictureSide} * kLargestPictureSide;
constexpr Bytes kPngMagic("\x89PNG\r\n\x1A\n", 8);

// Little-endian numbers at `offset`; 0 where `bytes` end first, so a
// caller that checked the length it needs never reads past them.
std::uint32_t U16(Bytes bytes, std::size_t offset) {
  if (offset > bytes.size() || bytes.size() - offset < 2) return 0;
  return static_cast<unsigned char>(bytes[offset]) | static_cast<unsigned char>(bytes[offset + 1]) << 8;
}
std::uint32_t U32(Bytes bytes, std::size_t offset) {
  if (offset > bytes.size() || bytes.size() - offset < 4) return 0;
  return U16(bytes, offset) | U16(bytes, offset + 2) << 16;
}
std::int32_t S32(Bytes bytes, std::size_t offset) { return static_cast<std::int32_t>(U32(bytes, offset)); }

bool FitsSide(std::int64_t side) { return side >= 1 && side <= kLargestPictureSide; }

// Bytes a row of a bitmap takes: whole 32-bit words.
std::int64_t RowBytes(std::int64_t width, int bitCount) { return (width * bitCount + 31) / 32 * 4; }

// The pixels stb_image decodes from `bytes`, as long as it declares a size
// within our limit; its own channel count in `channels`. Null otherwise.
Pixels DecodeWithStb(Bytes bytes, int* channels) {
  if (bytes.size() > static_cast<std::size_t>(INT_MAX)) return {};
  const auto* data = reinterpret_cast<const stbi_uc*>(bytes.data());
  const int length = static_cast<int>(bytes.size());
  int width = 0;
  int height = 0;
  if (stbi_info_from_memory(data, length, &width, &height, channels) == 0 || !FitsSide(width) ||
      !FitsSide(height)) {
    return {};
  }
  const std::unique_ptr<stbi_uc, void (*)(void*)> rgba(
      stbi_load_from_memory(data, length, &width, &height, channels, 4), stbi_image_free);
  if (rgba == nullptr || !FitsSide(width) || !FitsSide(height)) return {};
  Pixels pixels(width, height);
  const stbi_uc* in = rgba.get();
  for (int y = 0; y < height; ++y) {
    Rgb* out = pixels.Row(y);
    for (int x = 0; x < width; ++x, in += 4) out[x] = MakeRgb(in[0], in[1], in[2], in[3]);
  }
  return pixels;
}

// Opaque pixels keep alpha 255, whatever the decoder left there.
void SetAlpha(Pixels& pixels, bool alpha) {
  pixels.SetHasAlpha(alpha);
  if (alpha) return;
  for (int y = 0; y < pixels.Height(); ++y) {
    Rgb* row = pixels.Row(y);
    for (int x = 0; x < pixels.Width(); ++x) row[x] |= kOpaque;
  }
}

unsigned ByteAt(Bytes bytes, std::size_t offset) {
  return offset < bytes.size() ? static_cast<unsigned char>(bytes[offset]) : 0;
}

// stb_image 2.27 builds each Huffman table of a JPEG into room for 256
// codes without checking that the table declares no more, and so writes
// past it for a file that declares more. This walks the file's markers as
// the decoder does (any bytes up to a 0xFF, fill bytes, then the marker; a
// segment's length after it) and checks every table of every DHT segment,
// reading them as the decoder would; it reads no further than the decoder
// does, zeros past the end included.
bool HuffmanTablesFit(Bytes jpeg) {
  constexpr unsigned kDefineHuffmanTables = 0xC4;
  constexpr unsigned kEndOfImage = 0xD9;
  std::size_t at = 2;  // after the start-of-image marker
  while (at < jpeg.size()) {
    if (ByteAt(jpeg, at) != 0xFF) {
      ++at;  // compressed data, or stray bytes between segments
      continue;
    }
    while (ByteAt(jpeg, at) == 0xFF) ++at;
    if (at >= jpeg.size()) break;
    const unsigned marker = ByteAt(jpeg, at++);
    // A byte of compressed data, a restart marker, or the markers without
    // a length.
    if (marker == 0x00 || marker == 0x01 || (marker >= 0xD0 && marker <= 0xD8)) continue;
    if (marker == kEndOfImage) break;
    const std::size_t length = ByteAt(jpeg, at) << 8 | ByteAt(jpeg, at + 1);
    if (marker == kDefineHuffmanTables) {
      std::size_t table = at + 2;
      for (long left = static_cast<long>(length) - 2; left > 0;) {
        std::size_t codes = 0;
        for (std::size_t bits = 0; bits < 16; ++bits) codes += ByteAt(jpeg, table + 1 + bits);
        if (codes > 256) return false;
        table += 17 + codes;
        left -= static_cast<long>(17 + codes);
      }
    }
    at += std::max<std::size_t>(length, 2);
  }
  return true;
}

Pixels DecodeJpeg(Bytes bytes) {
  if (!HuffmanTablesFit(bytes)) return {};
  int channels = 0;
  Pixels pixels = DecodeWithStb(bytes, &channels);
  SetAlpha(pixels, false);
  return pixels;
}

std::uint32_t U32BigEndian(Bytes bytes, std::size_t offset) {
  return ByteAt(bytes, offset) << 24 | ByteAt(bytes, offset + 1) << 16 | ByteAt(bytes, offset + 2) << 8 |
         ByteAt(bytes, offset + 3);
}

// What stb_image 2.27 does with the chunks of a PNG before checking that
// they are there: for an image data chunk it allocates the length the
// chunk declares (up to 2 GiB, for a file of a hundred bytes), and an
// empty first one it copies to the buffer it has not allocated yet, from
// a null pointer, which the C library may assume never happens. Files
// whose chunks run past their end, or whose image data start with an
// empty chunk (which no writer needs), are refused first; this walks the
// chunks by their lengths as the decoder does, up to the last one.
bool ChunksFit(Bytes png) {
  bool data = false;
  for (std::size_t at = kPngMagic.size(); at < png.size();) {
    if (png.size() - at < 12) return false;  // length, type and checksum
    const std::uint32_t length = U32BigEndian(png, at);
    const Bytes type = png.substr(at + 4, 4);
    if (length > png.size() - at - 12) return false;
    if (type == "IEND") break;
    if (type == "IDAT") {
      if (!data && length == 0) return false;
      data = true;
    }
    at += 12 + std::size_t{length};
  }
  return true;
}

// stb_image 2.27 takes fewer than 8 bits a sample for colour and alpha
// images too, which PNG allows only for grey and palette images, and then
// reads image data it never wrote. Only the allowed depths are let through.
bool DepthAllowed(Bytes png) {
  const unsigned depth = ByteAt(png, 24);
  switch (ByteAt(png, 25)) {  // colour type
    case 0:  // grey
      return depth == 1 || depth == 2 || depth == 4 || depth == 8 || depth == 16;
    case 3:  // palette
      return depth == 1 || depth == 2 || depth == 4 || depth == 8;
    default:  // colour, grey and alpha, colour and alpha, and those stb_image refuses itself
      return depth == 8 || depth == 16;
  }
}

// stb_image 2.27 looks a palette image's pixels up in a palette on its
// stack whose entries past those the file holds it never fills: a pixel
// naming one would show what the stack held before. It is handed the
// palette padded to 256 entries, black, as bitmaps read here show such
// pixels. Empty when the palette needs no padding.
std::string PaddedPalette(Bytes png) {
  constexpr std::uint32_t kWhole = 256 * 3;
  for (std::size_t at = kPngMagic.size(); png.size() - at >= 12;) {
    const std::uint32_t length = U32BigEndian(png, at);
    const Bytes type = png.substr(at + 4, 4);
    if (type == "IDAT" || type == "IEND" || length > png.size() - at - 12) break;
    if (type == "PLTE") {
      if (length >= kWhole || length % 3 != 0) break;  // nothing to pad, or refused
      std::string padded(png.substr(0, at));
      for (const int shift : {24, 16, 8, 0}) padded.push_back(static_cast<char>(kWhole >> shift & 0xFF));
      padded.append(png.substr(at + 4, 4 + std::size_t{length}));
      padded.append(kWhole - length, '\0');
      return padded.append(png.substr(at + 8 + length));
    }
    at += 12 + std::size_t{length};
  }
  return {};
}

Pixels DecodePng(Bytes bytes) {
  if (!ChunksFit(bytes) || !DepthAllowed(bytes)) return {};
  constexpr unsigned kPaletteImage = 3;
  const std::string padded = ByteAt(bytes, 25) == kPaletteImage ? PaddedPalette(bytes) : std::string();
  if (!padded.empty()) bytes = padded;
  int channels = 0;
  Pixels pixels = DecodeWithStb(bytes, &channels);
  // Grey or colour with an alpha channel, or made see-through by a tRNS
  // chunk: stb_image counts that as a channel too.
  SetAlpha(pixels, channels == 2 || channels == 4);
  return pixels;
}

// Transparency is a GIF frame's palette entry, and a first frame smaller
// than the picture leaves the rest clear: only the pixels tell.
Pixels DecodeGif(Bytes bytes) {
  int channels = 0;
  Pixels pixels = DecodeWithStb(bytes, &channels);
  const auto& data = pixels.Data();
  SetAlpha(pixels, std::any_of(data.begin(), data.end(), [](Rgb pixel) { return AlphaOf(pixel) != 255; }));
  return pixels;
}

// A device-independent bitmap's header, as BMP files and icons hold it.
struct DibHeader {
  std::uint32_t headerSize = 0;
  std::int64_t width = 0;
  std::int64_t height = 0;  // below 0 for rows stored from the top
  int bitCount = 0;
  std::uint32_t compression = 0;
  std::uint32_t coloursUsed = 0;
  // The colour masks of BI_BITFIELDS; alpha 0 for none.
  std::uint32_t red = 0, green = 0, blue = 0, alpha = 0;
};

constexpr std::uint32_t kBiRgb = 0;
constexpr std::uint32_t kBiBitfields = 3;

// The header at the start of `info`, with the masks that follow a
// 40-byte header; nothing when `info` is too short for it or it is of no
// kind we know.
std::optional<DibHeader> ReadDibHeader(Bytes info) {
  DibHeader header;
  header.headerSize = U32(info, 0);
  if (header.headerSize < 40 || header.headerSize > info.size()) return std::nullopt;
  header.width = S32(info, 4);
  header.height = S32(info, 8);
  header.bitCount = static_cast<int>(U16(info, 14));
  header.compression = U32(info, 16);
  header.coloursUsed = U32(info, 32);
  if (header.compression == kBiBitfields) {
    // In the header from its 52-byte form on, after a 40-byte one.
    const std::size_t masks = header.headerSize >= 52 ? 40 : header.headerSize;
    if (info.size() < masks + 12) return std::nullopt;
    header.red = U32(info, masks);
    header.green = U32(info, masks + 4);
    header.blue = U32(info, masks + 8);
    if (header.headerSize >= 56) header.alpha = U32(info, 52);
  }
  return header;
}

// Whether our own reader takes a bitmap of this form: the forms icons use
// and EncodeBmp writes. stb_image is left the rarer ones.
bool OurForm(const DibHeader& header) {
  switch (header.bitCount) {
    case 1:
    case 4:
    case 8:
    case 24:
      return header.compression == kBiRgb;
    case 32:
      return header.compression == kBiRgb ||
             (header.compression == kBiBitfields && header.red == 0x00FF0000 && header.green == 0x0000FF00 &&
              header.blue == 0x000000FF && (header.alpha == 0 || header.alpha == 0xFF000000));
    default:
      return false;
  }
}

// Rows of a bitmap of one of our forms, `width` x `height`, the bottom row
// first unless `topDown`; `palette` has 4 bytes an entry, and indices
// beyond its entries are black. The caller has checked that `bits` holds
// every row. With `alpha` the 32-bit pixels' fourth byte is their alpha.
Pixels ReadDibPixels(const DibHeader& header, Bytes palette, Bytes bits, int width, int height, bool topDown,
                     bool alpha) {
  const auto rowBytes = static_cast<std::size_t>(RowBytes(width, header.bitCount));
  const std::size_t entries = palette.size() / 4;
  const auto* colours = reinterpret_cast<const unsigned char*>(palette.data());
  Pixels pixels(width, height, kOpaque, alpha);
  for (int y = 0; y < height; ++y) {
    const auto* row = reinterpret_cast<const unsigned char*>(bits.data()) +
                      rowBytes * static_cast<std::size_t>(topDown ? y : height - 1 - y);
    Rgb* out = pixels.Row(y);
    for (int x = 0; x < width; ++x) {
      unsigned index = 0;
      switch (header.bitCount) {
        case 1:
          index = row[x / 8] >> (7 - x % 8) & 1;
          break;
        case 4:
          index = row[x / 2] >> (x % 2 == 0 ? 4 : 0) & 15;
          break;
        case 8:
          index = row[x];
          break;
        case 24:
          out[x] = MakeRgb(row[3 * x + 2], row[3 * x + 1], row[3 * x]);
          continue;
        default:
          out[x] = MakeRgb(row[4 * x + 2], row[4 * x + 1], row[4 * x], alpha ? row[4 * x + 3] : 255);
          continue;
      }
      out[x] = index < entries ? MakeRgb(colours[4 * index + 2], colours[4 * index + 1], colours[4 * index]) : kOpaque;
    }
  }
  return pixels;
}

// The size of a bitmap's palette: as many entries as it says it uses (all
// it could, when it says 0), 4 bytes each.
std::size_t PaletteBytes(const DibHeader& header) {
  if (header.bitCount > 8) return 0;
  const std::uint32_t most = 1u << header.bitCount;
  return std::size_t{4} * (header.coloursUsed == 0 ? most : std::min(header.coloursUsed, most));
}

Pixels DecodeBmp(Bytes bytes) {
  constexpr std::size_t kFileHeader = 14;
  const std::optional<DibHeader> header = ReadDibHeader(bytes.substr(std::min(bytes.size(), kFileHeader)));
  if (!header) return {};
  const std::int64_t rows = header->height < 0 ? -header->height : header->height;
  if (!FitsSide(header->width) || !FitsSide(rows) || U16(bytes, kFileHeader + 12) != 1) return {};
  // The pixels from where the file header says, every row within the file.
  const std::int64_t first = U32(bytes, 10);
  const std::int64_t headerEnd = kFileHeader + header->headerSize +
                                 (header->compression == kBiBitfields && header->headerSize == 40 ? 12 : 0);
  const std::int64_t size = RowBytes(header->width, header->bitCount) * rows;
  if (first < headerEnd || header->bitCount <= 0 || size <= 0 ||
      first + size > static_cast<std::int64_t>(bytes.size())) {
    return {};
  }
  if (OurForm(*header)) {
    // Writers that leave out entries no pixel uses are common: the palette
    // is what lies before the pixels.
    const Bytes room = bytes.substr(headerEnd, first - headerEnd);
    const Bytes palette = room.substr(0, std::min(PaletteBytes(*header), room.size() / 4 * 4));
    if (header->bitCount <= 8 && palette.empty()) return {};
    const bool alpha = header->alpha != 0;
    return ReadDibPixels(*header, palette, bytes.substr(first), static_cast<int>(header->width), static_cast<int>(rows),
                         header->height < 0, alpha);
  }
  // The rest that stb_image reads well: 16 bits a pixel, and 32 with other
  // masks, from the header forms it knows. It reads a 56-byte header's masks
  // from the wrong place, and a palette it was not given from memory it
  // never filled, so those are not handed to it.
  const bool known = header->headerSize == 40 || header->headerSize == 108 || header->headerSize == 124;
  const bool deep = header->bitCount == 16 || header->bitCount == 32;
  if (!known || !deep || (header->compression != kBiRgb && header->compression != kBiBitfields)) return {};
  int channels = 0;
  Pixels pixels = DecodeWithStb(bytes, &channels);
  // Only masks that say so make an alpha channel; a 32-bit pixel's fourth
  // byte is otherwise unused.
  SetAlpha(pixels, header->compression == kBiBitfields && header->alpha != 0);
  return pixels;
}

// An icon frame stored as a bitmap: its header (height counting the mask
// too), palette, colour rows from the bottom, and a 1-bit AND mask whose
// set bits mark the pixels to leave clear.
Pixels DecodeIconBitmap(Bytes frame) {
  const std::optional<DibHeader> header = ReadDibHeader(frame);
  if (!header || header->height <= 0 || header->compression != kBiRgb || !OurForm(*header)) return {};
  const std::int64_t width = header->width;
  const std::int64_t height = header->height / 2;
  if (!FitsSide(width) || !FitsSide(height)) return {};
  // The colour rows follow the palette directly: it must be whole.
  const Bytes palette = frame.substr(header->headerSize, PaletteBytes(*header));
  if (palette.size() != PaletteBytes(*header)) return {};
  const std::size_t colours = header->headerSize + palette.size();
  const auto colourBytes = static_cast<std::size_t>(RowBytes(width, header->bitCount) * height);
  const auto maskRowBytes = static_cast<std::size_t>(RowBytes(width, 1));
  const std::size_t maskBytes = maskRowBytes * static_cast<std::size_t>(height);
  if (frame.size() - colours < colourBytes) return {};
  // A 32-bit frame's alpha says all its mask does; some writers leave the
  // mask out there.
  const bool hasMask = frame.size() - colours - colourBytes >= maskBytes;
  if (!hasMask && header->bitCount != 32) return {};
  Pixels pixels = ReadDibPixels(*header, palette, frame.substr(colours), static_cast<int>(width),
                                static_cast<int>(height), false, header->bitCount == 32);
  pixels.SetHasAlpha(true);
  if (header->bitCount == 32) {
    // Frames from before icons had alpha keep those bytes 0 and rely on
    // the mask alone.
    const auto& data = pixels.Data();
    if (std::any_of(data.begin(), data.end(), [](Rgb pixel) { return AlphaOf(pixel) != 0; })) return pixels;
    SetAlpha(pixels, false);
    pixels.SetHasAlpha(true);
    if (!hasMask) return pixels;
  }
  const auto* mask = reinterpret_cast<const unsigned char*>(frame.data()) + colours + colourBytes;
  for (int y = 0; y < pixels.Height(); ++y) {
    const unsigned char* row = mask + maskRowBytes * static_cast<std::size_t>(pixels.Height() - 1 - y);
    for (int x = 0; x < pixels.Width(); ++x) {
      if ((row[x / 8] >> (7 - x % 8) & 1) != 0) pixels.Set(x, y, pixels.At(x, y) & ~kOpaque);
    }
  }
  return pixels;
}

// The pixels a frame declares, read from its header alone; 0 when it is no
// frame we could read.
std::int64_t DeclaredPixels(Bytes frame) {
  if (frame.substr(0, kPngMagic.size()) == kPngMagic) {
    int width = 0;
    int height = 0;
    int channels = 0;
    if (frame.size() > static_cast<std::size_t>(INT_MAX) ||
        stbi_info_from_memory(reinterpret_cast<const stbi_uc*>(frame.data()), static_cast<int>(frame.size()), &width,
                              &height, &channels) == 0) {
      return 0;
    }
    return std::int64_t{width} * height;
  }
  const std::optional<DibHeader> header = ReadDibHeader(frame);
  if (!header || header->width <= 0 || header->height <= 0) return 0;
  return header->width * (header->height / 2);
}

// The frames of an icon file, in its directory's order, each given to
// `take` until it returns false. Entries whose data lie outside the file
// are passed over, and once the frames tried declare more pixels than one
// largest picture, the rest are too: a small file could otherwise point
// every entry of a long directory at the same large frame.
template <typename Take>
void DecodeIcon(Bytes bytes, Take take) {
  constexpr std::size_t kDirectory = 6;
  constexpr std::size_t kEntry = 16;
  const std::size_t count = std::min<std::size_t>(U16(bytes, 4), (bytes.size() - kDirectory) / kEntry);
  std::int64_t budget = kLargestPicture;
  for (std::size_t i = 0; i < count; ++i) {
    const std::size_t entry = kDirectory + i * kEntry;
    const std::uint32_t size = U32(bytes, entry + 8);
    const std::uint32_t offset = U32(bytes, entry + 12);
    if (offset > bytes.size() || size > bytes.size() - offset) continue;
    const Bytes frame = bytes.substr(offset, size);
    const std::int64_t declared = DeclaredPixels(frame);
    if (declared <= 0 || declared > budget) continue;
    budget -= declared;
    Pixels pixels = frame.substr(0, kPngMagic.size()) == kPngMagic ? DecodePng(frame) : DecodeIconBitmap(frame);
    if (!pixels.IsNull() && !take(std::move(pixels))) return;
  }
}

enum class Format { kNone, kJpeg, kPng, kGif, kBmp, kIcon };

// The format a file's first bytes announce.
Format FormatOf(Bytes bytes) {
  auto starts = [bytes](Bytes magic) { return bytes.substr(0, magic.size()) == magic; };
  if (starts("\xFF\xD8\xFF")) return Format::kJpeg;
  if (starts(kPngMagic)) return Format::kPng;
  if (starts("GIF87a") || starts("GIF89a")) return Format::kGif;
  if (starts("BM")) return Format::kBmp;
  if (starts(Bytes("\0\0\1\0", 4)) && bytes.size() >= 6) return Format::kIcon;
  return Format::kNone;
}

// A file of one image: that image, or a null one.
Pixels DecodeSingle(Format format, Bytes bytes) {
  switch (format) {
    case Format::kJpeg:
      return DecodeJpeg(bytes);
    case Format::kPng:
      return DecodePng(bytes);
    case Format::kGif:
      return DecodeGif(bytes);
    case Format::kBmp:
      return DecodeBmp(bytes);
    default:
      return {};
  }
}

}  // namespace

std::vector<Pixels> DecodePictureFile(std::string_view bytes) {
  std::vector<Pixels> images;
  const Format format = FormatOf(bytes);
  if (format == Format::kIcon) {
    DecodeIcon(bytes, [&images](Pixels&& pixels) {
      images.push_back(std::move(pixels));
      return true;
    });
    return images;
  }
  Pixels pixels = DecodeSingle(format, bytes);
  if (!pixels.IsNull()) images.push_back(std::move(pixels));
  return images;
}

Pixels DecodeFirstPicture(std::string_view bytes) {
  const Format format = FormatOf(bytes);
  if (format != Format::kIcon) return DecodeSingle(format, bytes);
  Pixels first;
  DecodeIcon(bytes, [&first](Pixels&& pixels) {
    first = std::move(pixels);
    return false;
  });
  return first;
}

namespace {

void Put16(std::string& out, std::uint32_t value) {
  out.push_back(static_cast<char>(value & 0xFF));
  out.push_back(static_cast<char>(value >> 8 & 0xFF));
}
void Put32(std::string& out, std::uint32_t value) {
  Put16(out, value & 0xFFFF);
  Put16(out, value >> 16);
}

}  // namespace

std::string EncodeBmp(const Pixels& pixels) {
  if (pixels.IsNull()) return {};
  const bool alpha = pixels.HasAlpha();
  const int bitCount = alpha ? 32 : 24;
  // The header pixels with alpha need to name their masks; it is also the
  // form other programs read alpha from.
  const std::uint32_t headerSize = alpha ? 124 : 40;
  const std::int64_t rowBytes = RowBytes(pixels.Width(), bitCount);
  const std::int64_t imageSize = rowBytes * pixels.Height();
  const std::int64_t first = 14 + std::int64_t{headerSize};
  if (first + imageSize > std::int64_t{UINT32_MAX}) return {};
  std::string out;
  out.reserve(static_cast<std::size_t>(first + imageSize));
  out += "BM";
  Put32(out, static_cast<std::uint32_t>(first + imageSize));
  Put32(out, 0);
  Put32(out, static_cast<std::uint32_t>(first));
  Put32(out, headerSize);
  Put32(out, static_cast<std::uint32_t>(pixels.Width()));
  Put32(out, static_cast<std::uint32_t>(pixels.Height()));  // rows from the bottom
  Put16(out, 1);
  Put16(out, static_cast<std::uint32_t>(bitCount));
  Put32(out, alpha ? kBiBitfields : kBiRgb);
  Put32(out, static_cast<std::uint32_t>(imageSize));
  constexpr std::uint32_t kDotsPerMetreAt96Dpi = 3780;
  Put32(out, kDotsPerMetreAt96Dpi);
  Put32(out, kDotsPerMetreAt96Dpi);
  Put32(out, 0);  // colours used
  Put32(out, 0);  // colours important
  if (alpha) {
    for (const std::uint32_t mask : {0x00FF0000u, 0x0000FF00u, 0x000000FFu, 0xFF000000u}) Put32(out, mask);
    Put32(out, 0x73524742);  // colour space "sRGB"
    out.append(36 + 12, '\0');  // its end points and gamma, unused for sRGB
    Put32(out, 4);  // rendering intent: pictures
    out.append(12, '\0');  // no colour profile; reserved
  }
  for (int y = pixels.Height() - 1; y >= 0; --y) {
    const Rgb* row = pixels.Row(y);
    const std::size_t start = out.size();
    for (int x = 0; x < pixels.Width(); ++x) {
      out.push_back(static_cast<char>(BlueOf(row[x])));
      out.push_back(static_cast<char>(GreenOf(row[x])));
      out.push_back(static_cast<char>(RedOf(row[x])));
      if (alpha) out.push_back(static_cast<char>(AlphaOf(row[x])));
    }
    out.append(static_cast<std::size_t>(rowBytes) - (out.size() - start), '\0');
  }
  return out;
}

}  // namespace runtime
