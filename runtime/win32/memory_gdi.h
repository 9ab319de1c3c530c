// SPDX-License-Identifier: MIT
#pragma once

#include <memory>
#include <vector>

#include "runtime/seam/gdi_device.h"

namespace runtime {

// The graphics device in memory, for window systems whose own is not the one
// the system's calls name: device contexts, bitmaps and palettes kept in a
// handle table over the runtime's pixels. It also describes the display it
// stands for: true colour by default; tests can choose a palette display to
// exercise the code for one.
class MemoryGdi : public GdiDevice {
 public:
  struct Display {
    int width = 1024;  // the screen, in pixels
    int height = 768;
    int bitsPerPixel = 32;
    bool palette = false;
    int paletteSize = 0;
    std::vector<gdi::PALETTEENTRY> systemPalette;  // paletteSize entries on a palette display
  };

  MemoryGdi();
  ~MemoryGdi() override;

  void SetDisplay(Display display);
  // A 256-colour palette display with a palette of `size` entries.
  static Display PaletteDisplay(int size = 256);

  gdi::HDC CreateCompatibleDC(gdi::HDC hdc) override;
  gdi::BOOL DeleteDC(gdi::HDC hdc) override;
  gdi::HBITMAP CreateCompatibleBitmap(gdi::HDC hdc, int cx, int cy) override;
  gdi::HGDIOBJ SelectObject(gdi::HDC hdc, gdi::HGDIOBJ object) override;
  gdi::BOOL DeleteObject(gdi::HGDIOBJ object) override;
  int GetDeviceCaps(gdi::HDC hdc, int index) override;
  gdi::UINT GetSystemPaletteEntries(gdi::HDC hdc, gdi::UINT start, gdi::UINT count,
                                    gdi::PALETTEENTRY* entries) override;
  gdi::HPALETTE CreatePalette(const gdi::LOGPALETTE* palette) override;
  gdi::HPALETTE SelectPalette(gdi::HDC hdc, gdi::HPALETTE palette, gdi::BOOL forceBackground) override;
  gdi::UINT RealizePalette(gdi::HDC hdc) override;
  gdi::BOOL BitBlt(gdi::HDC hdc, int x, int y, int cx, int cy, gdi::HDC source, int x1, int y1,
                   gdi::DWORD rop) override;
  gdi::BOOL DrawFocusRect(gdi::HDC hdc, const gdi::RECT* rect) override;

  gdi::HBITMAP CreateBitmap(const Pixels& pixels) override;
  PixelView BitmapPixels(gdi::HBITMAP bitmap) override;
  std::vector<gdi::PALETTEENTRY> PaletteEntries(gdi::HPALETTE palette) override;
  bool IsBitmap(gdi::HGDIOBJ object) override;
  bool IsPalette(gdi::HGDIOBJ object) override;
  gdi::HBITMAP SelectedBitmap(gdi::HDC hdc) override;
  gdi::HDC CreateSurfaceDC() override;
  void DeleteSurfaceDC(gdi::HDC hdc) override;
  gdi::ObjectCounts LiveObjects() override;

 private:
  struct Table;
  std::unique_ptr<Table> mTable;
};

}  // namespace runtime
