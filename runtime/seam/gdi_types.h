// SPDX-License-Identifier: MIT
#pragma once

#include <cstdint>

// The graphics device interface's handles and records as the system's code
// uses them: 32-bit handles and the usual layouts. Only types live here, so
// that a front-end on the platform's own headers can include it beside them;
// the constants with the platform's names are the core's own (runtime/win32).
namespace runtime::gdi {

using HANDLE = std::int32_t;
using HDC = HANDLE;
using HBITMAP = HANDLE;
using HPALETTE = HANDLE;
using HGDIOBJ = HANDLE;
using BOOL = std::int32_t;
using UINT = std::uint32_t;
using DWORD = std::uint32_t;

struct PALETTEENTRY {
  std::uint8_t peRed;
  std::uint8_t peGreen;
  std::uint8_t peBlue;
  std::uint8_t peFlags;
  bool operator==(const PALETTEENTRY&) const = default;
};

// A logical palette with room for 256 entries: 1028 bytes.
struct LOGPALETTE {
  std::uint16_t palVersion;
  std::uint16_t palNumEntries;
  PALETTEENTRY palPalEntry[256];
};
static_assert(sizeof(LOGPALETTE) == 1028);

struct RECT {
  std::int32_t left;
  std::int32_t top;
  std::int32_t right;
  std::int32_t bottom;
};

// How many objects a device holds, stock objects not counted.
struct ObjectCounts {
  int dcs = 0;
  int bitmaps = 0;
  int palettes = 0;
  bool operator==(const ObjectCounts&) const = default;
};

}  // namespace runtime::gdi
