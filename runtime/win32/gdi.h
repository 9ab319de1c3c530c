// SPDX-License-Identifier: MIT
#pragma once

#include <functional>
#include <vector>

#include "runtime/seam/gdi_types.h"
#include "runtime/values/pixels.h"

// The small part of the graphics device interface the system calls, with
// its usual names, handles and records. Each call goes to the window
// system's graphics device (the real one on Windows, the runtime's memory
// device elsewhere); around it, a control surface it reads is first brought
// up to date and one it draws on is shown again.
namespace runtime::gdi {

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

// --- for the runtime's own pictures and control surfaces ---

// The device context of a control surface; `drawn` runs after something
// was drawn into it, so the surface can show it, and `prepare` before its
// pixels are read or drawn on, so the surface can finish drawing it owes.
HDC CreateSurfaceDC(std::function<void()> drawn, std::function<void()> prepare);
void DeleteSurfaceDC(HDC hdc);
// Brings a surface DC's pixels up to date before they are used directly.
void PrepareDC(HDC hdc);
// Something was drawn into a DC other than by the calls above.
void NotifyDrawn(HDC hdc);
HBITMAP SelectedBitmap(HDC hdc);
PixelView BitmapPixels(HBITMAP bitmap);
HBITMAP CreateBitmap(const Pixels& pixels);
std::vector<PALETTEENTRY> PaletteEntries(HPALETTE palette);
bool IsBitmap(HGDIOBJ object);
bool IsPalette(HGDIOBJ object);
ObjectCounts LiveObjects();

}  // namespace runtime::gdi
