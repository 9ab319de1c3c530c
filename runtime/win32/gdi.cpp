// SPDX-License-Identifier: MIT
#include "runtime/win32/gdi.h"

#include <unordered_map>
#include <utility>

#include "runtime/seam/gdi_device.h"
#include "runtime/seam/window_system.h"

namespace runtime::gdi {
namespace {

GdiDevice& Device() { return WindowSystem::Current().Gdi(); }

struct Surface {
  std::function<void()> drawn;
  std::function<void()> prepare;
};

// The device contexts of control surfaces, with what keeps them up to date.
std::unordered_map<HDC, Surface>& Surfaces() {
  static std::unordered_map<HDC, Surface> surfaces;
  return surfaces;
}

}  // namespace

HDC CreateCompatibleDC(HDC hdc) { return Device().CreateCompatibleDC(hdc); }

BOOL DeleteDC(HDC hdc) { return Device().DeleteDC(hdc); }

HBITMAP CreateCompatibleBitmap(HDC hdc, int cx, int cy) { return Device().CreateCompatibleBitmap(hdc, cx, cy); }

HGDIOBJ SelectObject(HDC hdc, HGDIOBJ object) { return Device().SelectObject(hdc, object); }

BOOL DeleteObject(HGDIOBJ object) { return Device().DeleteObject(object); }

int GetDeviceCaps(HDC hdc, int index) { return Device().GetDeviceCaps(hdc, index); }

UINT GetSystemPaletteEntries(HDC hdc, UINT start, UINT count, PALETTEENTRY* entries) {
  return Device().GetSystemPaletteEntries(hdc, start, count, entries);
}

HPALETTE CreatePalette(const LOGPALETTE* palette) { return Device().CreatePalette(palette); }

HPALETTE SelectPalette(HDC hdc, HPALETTE palette, BOOL forceBackground) {
  return Device().SelectPalette(hdc, palette, forceBackground);
}

UINT RealizePalette(HDC hdc) { return Device().RealizePalette(hdc); }

BOOL BitBlt(HDC hdc, int x, int y, int cx, int cy, HDC source, int x1, int y1, DWORD rop) {
  PrepareDC(source);
  PrepareDC(hdc);
  const BOOL done = Device().BitBlt(hdc, x, y, cx, cy, source, x1, y1, rop);
  if (done != 0) NotifyDrawn(hdc);
  return done;
}

HDC CreateSurfaceDC(std::function<void()> drawn, std::function<void()> prepare) {
  const HDC hdc = Device().CreateSurfaceDC();
  if (hdc != 0) Surfaces()[hdc] = Surface{std::move(drawn), std::move(prepare)};
  return hdc;
}

void DeleteSurfaceDC(HDC hdc) {
  Surfaces().erase(hdc);
  if (WindowSystem::Installed()) Device().DeleteSurfaceDC(hdc);
}

void PrepareDC(HDC hdc) {
  const auto found = Surfaces().find(hdc);
  if (found == Surfaces().end() || !found->second.prepare) return;
  const std::function<void()> prepare = found->second.prepare;  // the table may change meanwhile
  prepare();
}

void NotifyDrawn(HDC hdc) {
  const auto found = Surfaces().find(hdc);
  if (found == Surfaces().end() || !found->second.drawn) return;
  const std::function<void()> drawn = found->second.drawn;
  drawn();
}

HBITMAP SelectedBitmap(HDC hdc) { return Device().SelectedBitmap(hdc); }

PixelView BitmapPixels(HBITMAP bitmap) { return Device().BitmapPixels(bitmap); }

HBITMAP CreateBitmap(const Pixels& pixels) { return Device().CreateBitmap(pixels); }

std::vector<PALETTEENTRY> PaletteEntries(HPALETTE palette) { return Device().PaletteEntries(palette); }

bool IsBitmap(HGDIOBJ object) { return Device().IsBitmap(object); }

bool IsPalette(HGDIOBJ object) { return Device().IsPalette(object); }

ObjectCounts LiveObjects() { return Device().LiveObjects(); }

}  // namespace runtime::gdi
