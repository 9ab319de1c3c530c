// SPDX-License-Identifier: MIT
#pragma once

#include <QImage>
#include <cstdint>
#include <functional>
#include <vector>

// The small part of the graphics device interface the system calls, with
// its usual names, handles and records, kept in a handle table over QImage:
// device contexts (memory ones and those of control surfaces), bitmaps and
// palettes. It also describes the display it stands for: true colour by
// default; tests can select a palette display to exercise palette code.
namespace runtime::gdi {

using HANDLE = std::int32_t;
using HDC = HANDLE;
using HBITMAP = HANDLE;
using HPALETTE = HANDLE;
using HGDIOBJ = HANDLE;
using BOOL = std::int32_t;
using UINT = std::uint32_t;
using DWORD = std::uint32_t;

inline constexpr int HORZRES = 8;
inline constexpr int VERTRES = 10;
inline constexpr int BITSPIXEL = 12;
inline constexpr int NUMCOLORS = 24;
inline constexpr int RASTERCAPS = 38;
inline constexpr int LOGPIXELSX = 88;
inline constexpr int LOGPIXELSY = 90;
inline constexpr int SIZEPALETTE = 104;
inline constexpr int RC_BITBLT = 0x1;
inline constexpr int RC_PALETTE = 0x100;
inline constexpr DWORD SRCCOPY = 0x00CC0020;

struct PALETTEENTRY {
  std::uint8_t peRed;
  std::uint8_t peGreen;
  std::uint8_t peBlue;
  std::uint8_t peFlags;
};

// A logical palette with room for 256 entries: 1028 bytes.
struct LOGPALETTE {
  std::uint16_t palVersion;
  std::uint16_t palNumEntries;
  PALETTEENTRY palPalEntry[256];
};
static_assert(sizeof(LOGPALETTE) == 1028);

HDC CreateCompatibleDC(HDC hdc);
BOOL DeleteDC(HDC hdc);
HBITMAP CreateCompatibleBitmap(HDC hdc, int cx, int cy);
HGDIOBJ SelectObject(HDC hdc, HGDIOBJ object);
BOOL DeleteObject(HGDIOBJ object);
int GetDeviceCaps(HDC hdc, int index);
UINT GetSystemPaletteEntries(HDC hdc, UINT start, UINT count, PALETTEENTRY* entries);
HPALETTE CreatePalette(const LOGPALETTE* palette);
HPALETTE SelectPalette(HDC hdc, HPALETTE palette, BOOL forceBackground);
UINT RealizePalette(HDC hdc);
BOOL BitBlt(HDC hdc, int x, int y, int cx, int cy, HDC source, int x1, int y1, DWORD rop);

// The display the device contexts stand for.
struct Display {
  int bitsPerPixel = 32;
  bool palette = false;
  int paletteSize = 0;
  std::vector<PALETTEENTRY> systemPalette;  // paletteSize entries on a palette display
};
void SetDisplay(Display display);
// A 256-colour palette display with a palette of `size` entries.
Display PaletteDisplay(int size = 256);

// How many objects are alive, stock objects not counted.
struct ObjectCounts {
  int dcs = 0;
  int bitmaps = 0;
  int palettes = 0;
  bool operator==(const ObjectCounts&) const = default;
};
ObjectCounts LiveObjects();

// For the runtime's own pictures and control surfaces.
HBITMAP CreateBitmapFromImage(QImage pixels);
const QImage* BitmapPixels(HBITMAP bitmap);
QImage* MutableBitmapPixels(HBITMAP bitmap);
std::vector<PALETTEENTRY> PaletteEntries(HPALETTE palette);
bool IsBitmap(HGDIOBJ object);
bool IsPalette(HGDIOBJ object);
// The device context of a control surface; `drawn` runs after something
// was drawn into it, so the surface can show it, and `prepare` before its
// pixels are read or drawn on, so the surface can finish drawing it owes.
HDC CreateSurfaceDC(std::function<void()> drawn, std::function<void()> prepare = {});
// Brings a surface DC's pixels up to date before they are used directly.
void PrepareDC(HDC hdc);
void DeleteSurfaceDC(HDC hdc);
HBITMAP SelectedBitmap(HDC hdc);
void NotifyDrawn(HDC hdc);

}  // namespace runtime::gdi
