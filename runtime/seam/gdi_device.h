// SPDX-License-Identifier: MIT
#pragma once

#include <vector>

#include "runtime/seam/gdi_types.h"
#include "runtime/values/pixels.h"

namespace runtime {

// The graphics device a front-end offers the system's drawing code: device
// contexts, bitmaps and palettes with the calls' usual meanings. On Windows
// they are the real ones; elsewhere the runtime's memory device stands in
// (runtime/win32/memory_gdi.h). The system reaches it through the calls in
// runtime/win32/gdi.h, which also keep a control's surface up to date
// around each call; a front-end implements only what is below.
class GdiDevice {
 public:
  virtual ~GdiDevice() = default;

  virtual gdi::HDC CreateCompatibleDC(gdi::HDC hdc) = 0;
  virtual gdi::BOOL DeleteDC(gdi::HDC hdc) = 0;
  virtual gdi::HBITMAP CreateCompatibleBitmap(gdi::HDC hdc, int cx, int cy) = 0;
  virtual gdi::HGDIOBJ SelectObject(gdi::HDC hdc, gdi::HGDIOBJ object) = 0;
  virtual gdi::BOOL DeleteObject(gdi::HGDIOBJ object) = 0;
  virtual int GetDeviceCaps(gdi::HDC hdc, int index) = 0;
  virtual gdi::UINT GetSystemPaletteEntries(gdi::HDC hdc, gdi::UINT start, gdi::UINT count,
                                            gdi::PALETTEENTRY* entries) = 0;
  virtual gdi::HPALETTE CreatePalette(const gdi::LOGPALETTE* palette) = 0;
  virtual gdi::HPALETTE SelectPalette(gdi::HDC hdc, gdi::HPALETTE palette, gdi::BOOL forceBackground) = 0;
  virtual gdi::UINT RealizePalette(gdi::HDC hdc) = 0;
  virtual gdi::BOOL BitBlt(gdi::HDC hdc, int x, int y, int cx, int cy, gdi::HDC source, int x1, int y1,
                           gdi::DWORD rop) = 0;
  // Inverts a dotted outline just inside the rectangle; again removes it.
  virtual gdi::BOOL DrawFocusRect(gdi::HDC hdc, const gdi::RECT* rect) = 0;

  // --- what the runtime needs beyond the system's calls ---

  // A new 32-bit bitmap holding `pixels`; 0 when it cannot be made (too
  // large, or no pixels).
  virtual gdi::HBITMAP CreateBitmap(const Pixels& pixels) = 0;
  // A bitmap's pixels, to read or to change in place, good until the next
  // call on the device; empty when `bitmap` is none of the device's 32-bit
  // bitmaps.
  virtual PixelView BitmapPixels(gdi::HBITMAP bitmap) = 0;
  virtual std::vector<gdi::PALETTEENTRY> PaletteEntries(gdi::HPALETTE palette) = 0;
  virtual bool IsBitmap(gdi::HGDIOBJ object) = 0;
  virtual bool IsPalette(gdi::HGDIOBJ object) = 0;
  virtual gdi::HBITMAP SelectedBitmap(gdi::HDC hdc) = 0;

  // The device context of a control's surface: a memory DC that the system
  // draws on and never deletes itself (DeleteDC refuses it).
  virtual gdi::HDC CreateSurfaceDC() = 0;
  virtual void DeleteSurfaceDC(gdi::HDC hdc) = 0;

  virtual gdi::ObjectCounts LiveObjects() = 0;
};

}  // namespace runtime
