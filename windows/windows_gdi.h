// SPDX-License-Identifier: MIT
#pragma once

#include <windows.h>

#include <map>
#include <set>

#include "runtime/seam/gdi_device.h"
#include "runtime/values/colour.h"

namespace win32_frontend {

// A 32-bit DIB section, top row first as the runtime's pixels are; `bits`
// receives its memory.
HBITMAP NewDibSection(int width, int height, void** bits);

// A runtime colour as GDI takes it.
COLORREF ColourRefOf(runtime::Colour colour);

// The real graphics device: every call is the GDI call of the same name on
// the real handles. Bitmaps the runtime makes are 32-bit DIB sections, whose
// memory the runtime draws into directly; the handles the device made and
// has not yet deleted are counted, so that tests can see none is left
// behind.
class WindowsGdi : public runtime::GdiDevice {
 public:
  WindowsGdi() = default;
  ~WindowsGdi() override;
  WindowsGdi(const WindowsGdi&) = delete;
  WindowsGdi& operator=(const WindowsGdi&) = delete;

  runtime::gdi::HDC CreateCompatibleDC(runtime::gdi::HDC hdc) override;
  runtime::gdi::BOOL DeleteDC(runtime::gdi::HDC hdc) override;
  runtime::gdi::HBITMAP CreateCompatibleBitmap(runtime::gdi::HDC hdc, int cx, int cy) override;
  runtime::gdi::HGDIOBJ SelectObject(runtime::gdi::HDC hdc, runtime::gdi::HGDIOBJ object) override;
  runtime::gdi::BOOL DeleteObject(runtime::gdi::HGDIOBJ object) override;
  int GetDeviceCaps(runtime::gdi::HDC hdc, int index) override;
  runtime::gdi::UINT GetSystemPaletteEntries(runtime::gdi::HDC hdc, runtime::gdi::UINT start,
                                             runtime::gdi::UINT count, runtime::gdi::PALETTEENTRY* entries) override;
  runtime::gdi::HPALETTE CreatePalette(const runtime::gdi::LOGPALETTE* palette) override;
  runtime::gdi::HPALETTE SelectPalette(runtime::gdi::HDC hdc, runtime::gdi::HPALETTE palette,
                                       runtime::gdi::BOOL forceBackground) override;
  runtime::gdi::UINT RealizePalette(runtime::gdi::HDC hdc) override;
  runtime::gdi::BOOL BitBlt(runtime::gdi::HDC hdc, int x, int y, int cx, int cy, runtime::gdi::HDC source, int x1,
                            int y1, runtime::gdi::DWORD rop) override;
  runtime::gdi::BOOL DrawFocusRect(runtime::gdi::HDC hdc, const runtime::gdi::RECT* rect) override;

  runtime::gdi::HBITMAP CreateBitmap(const runtime::Pixels& pixels) override;
  runtime::PixelView BitmapPixels(runtime::gdi::HBITMAP bitmap) override;
  std::vector<runtime::gdi::PALETTEENTRY> PaletteEntries(runtime::gdi::HPALETTE palette) override;
  bool IsBitmap(runtime::gdi::HGDIOBJ object) override;
  bool IsPalette(runtime::gdi::HGDIOBJ object) override;
  runtime::gdi::HBITMAP SelectedBitmap(runtime::gdi::HDC hdc) override;
  runtime::gdi::HDC CreateSurfaceDC() override;
  void DeleteSurfaceDC(runtime::gdi::HDC hdc) override;
  runtime::gdi::ObjectCounts LiveObjects() override;

 private:
  std::set<runtime::gdi::HANDLE> mDcs;
  std::set<runtime::gdi::HANDLE> mSurfaceDcs;
  std::set<runtime::gdi::HANDLE> mBitmaps;
  std::set<runtime::gdi::HANDLE> mPalettes;
  // What each surface DC held when it was made, put back before it goes.
  std::map<runtime::gdi::HANDLE, runtime::gdi::HANDLE> mFirstBitmaps;
};

}  // namespace win32_frontend
