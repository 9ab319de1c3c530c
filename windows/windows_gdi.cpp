// SPDX-License-Identifier: MIT
#include "windows/windows_gdi.h"

#include <windows.h>

#include <cstring>

#include "windows/handles.h"

namespace win32_frontend {
namespace {

using runtime::gdi::HANDLE;

// Refuse bitmaps far beyond any control rather than try to allocate them.
constexpr long long kLargestBitmap = 4096LL * 4096LL;

}  // namespace

HBITMAP NewDibSection(int width, int height, void** bits) {
  BITMAPINFO info{};
  info.bmiHeader.biSize = sizeof info.bmiHeader;
  info.bmiHeader.biWidth = width;
  info.bmiHeader.biHeight = -height;  // top row first, as the runtime's pixels are
  info.bmiHeader.biPlanes = 1;
  info.bmiHeader.biBitCount = 32;
  info.bmiHeader.biCompression = BI_RGB;
  return CreateDIBSection(nullptr, &info, DIB_RGB_COLORS, bits, nullptr, 0);
}

COLORREF ColourRefOf(runtime::Colour colour) {
  const runtime::Rgb rgb = runtime::ToRgb(colour);
  return RGB(runtime::RedOf(rgb), runtime::GreenOf(rgb), runtime::BlueOf(rgb));
}

WindowsGdi::~WindowsGdi() {
  const std::set<HANDLE> surfaces = mSurfaceDcs;
  for (const HANDLE dc : surfaces) DeleteSurfaceDC(dc);
}

HANDLE WindowsGdi::CreateCompatibleDC(HANDLE hdc) {
  const HDC made = ::CreateCompatibleDC(ToHandle<HDC>(hdc));
  if (made != nullptr) mDcs.insert(FromHandle(made));
  return FromHandle(made);
}

runtime::gdi::BOOL WindowsGdi::DeleteDC(HANDLE hdc) {
  // A surface's DC is the runtime's to delete, never the system's.
  if (mSurfaceDcs.count(hdc) != 0) return 0;
  mDcs.erase(hdc);
  return ::DeleteDC(ToHandle<HDC>(hdc));
}

HANDLE WindowsGdi::CreateCompatibleBitmap(HANDLE hdc, int cx, int cy) {
  if (cx < 0 || cy < 0 || static_cast<long long>(cx) * cy > kLargestBitmap) return 0;
  const HBITMAP made = ::CreateCompatibleBitmap(ToHandle<HDC>(hdc), cx, cy);
  if (made != nullptr) mBitmaps.insert(FromHandle(made));
  return FromHandle(made);
}

HANDLE WindowsGdi::SelectObject(HANDLE hdc, HANDLE object) {
  return FromHandle(::SelectObject(ToHandle<HDC>(hdc), ToHandle<HGDIOBJ>(object)));
}

runtime::gdi::BOOL WindowsGdi::DeleteObject(HANDLE object) {
  const runtime::gdi::BOOL deleted = ::DeleteObject(ToHandle<HGDIOBJ>(object));
  if (deleted != 0) {
    mBitmaps.erase(object);
    mPalettes.erase(object);
  }
  return deleted;
}

int WindowsGdi::GetDeviceCaps(HANDLE hdc, int index) { return ::GetDeviceCaps(ToHandle<HDC>(hdc), index); }

runtime::gdi::UINT WindowsGdi::GetSystemPaletteEntries(HANDLE hdc, runtime::gdi::UINT start, runtime::gdi::UINT count,
                                                       runtime::gdi::PALETTEENTRY* entries) {
  static_assert(sizeof(runtime::gdi::PALETTEENTRY) == sizeof(::PALETTEENTRY));
  return ::GetSystemPaletteEntries(ToHandle<HDC>(hdc), start, count, reinterpret_cast<::PALETTEENTRY*>(entries));
}

HANDLE WindowsGdi::CreatePalette(const runtime::gdi::LOGPALETTE* palette) {
  if (palette == nullptr) return 0;
  // The system's record holds one entry and as many more as it says; the
  // runtime's has room for all 256.
  const HPALETTE made = ::CreatePalette(reinterpret_cast<const ::LOGPALETTE*>(palette));
  if (made != nullptr) mPalettes.insert(FromHandle(made));
  return FromHandle(made);
}

HANDLE WindowsGdi::SelectPalette(HANDLE hdc, HANDLE palette, runtime::gdi::BOOL forceBackground) {
  return FromHandle(::SelectPalette(ToHandle<HDC>(hdc), ToHandle<HPALETTE>(palette), forceBackground));
}

runtime::gdi::UINT WindowsGdi::RealizePalette(HANDLE hdc) { return ::RealizePalette(ToHandle<HDC>(hdc)); }

runtime::gdi::BOOL WindowsGdi::BitBlt(HANDLE hdc, int x, int y, int cx, int cy, HANDLE source, int x1, int y1,
                                      runtime::gdi::DWORD rop) {
  return ::BitBlt(ToHandle<HDC>(hdc), x, y, cx, cy, ToHandle<HDC>(source), x1, y1, rop);
}

runtime::gdi::BOOL WindowsGdi::DrawFocusRect(HANDLE hdc, const runtime::gdi::RECT* rect) {
  if (rect == nullptr) return 0;
  const ::RECT area{rect->left, rect->top, rect->right, rect->bottom};
  return ::DrawFocusRect(ToHandle<HDC>(hdc), &area);
}

HANDLE WindowsGdi::CreateBitmap(const runtime::Pixels& pixels) {
  if (pixels.IsNull() || static_cast<long long>(pixels.Width()) * pixels.Height() > kLargestBitmap) return 0;
  void* bits = nullptr;
  const HBITMAP made = NewDibSection(pixels.Width(), pixels.Height(), &bits);
  if (made == nullptr || bits == nullptr) return 0;
  std::memcpy(bits, pixels.Data().data(), pixels.Data().size() * sizeof(runtime::Rgb));
  mBitmaps.insert(FromHandle(made));
  return FromHandle(made);
}

runtime::PixelView WindowsGdi::BitmapPixels(HANDLE bitmap) {
  // GDI may still hold drawing back for a moment; the pixels must show it.
  GdiFlush();
  DIBSECTION section{};
  if (bitmap == 0 || GetObjectW(ToHandle<HGDIOBJ>(bitmap), sizeof section, &section) != sizeof section ||
      section.dsBm.bmBits == nullptr || section.dsBm.bmBitsPixel != 32) {
    return {};
  }
  const int width = section.dsBm.bmWidth;
  const int height = section.dsBm.bmHeight;
  auto* bits = static_cast<runtime::Rgb*>(section.dsBm.bmBits);
  // A bitmap stored bottom row first is read from its last row up.
  if (section.dsBmih.biHeight > 0) {
    return {bits + static_cast<std::ptrdiff_t>(height - 1) * width, width, height, -static_cast<std::ptrdiff_t>(width)};
  }
  return {bits, width, height, width};
}

std::vector<runtime::gdi::PALETTEENTRY> WindowsGdi::PaletteEntries(HANDLE palette) {
  const UINT count = GetPaletteEntries(ToHandle<HPALETTE>(palette), 0, 0, nullptr);
  std::vector<runtime::gdi::PALETTEENTRY> entries(count);
  if (count > 0) {
    GetPaletteEntries(ToHandle<HPALETTE>(palette), 0, count, reinterpret_cast<::PALETTEENTRY*>(entries.data()));
  }
  return entries;
}

bool WindowsGdi::IsBitmap(HANDLE object) {
  return object != 0 && GetObjectType(ToHandle<HGDIOBJ>(object)) == OBJ_BITMAP;
}

bool WindowsGdi::IsPalette(HANDLE object) {
  return object != 0 && GetObjectType(ToHandle<HGDIOBJ>(object)) == OBJ_PAL;
}

HANDLE WindowsGdi::SelectedBitmap(HANDLE hdc) { return FromHandle(GetCurrentObject(ToHandle<HDC>(hdc), OBJ_BITMAP)); }

HANDLE WindowsGdi::CreateSurfaceDC() {
  const HDC made = ::CreateCompatibleDC(nullptr);
  if (made == nullptr) return 0;
  const HANDLE handle = FromHandle(made);
  mSurfaceDcs.insert(handle);
  mFirstBitmaps[handle] = FromHandle(GetCurrentObject(made, OBJ_BITMAP));
  return handle;
}

void WindowsGdi::DeleteSurfaceDC(HANDLE hdc) {
  if (mSurfaceDcs.erase(hdc) == 0) return;
  // The image goes back to the runtime, free to be deleted.
  ::SelectObject(ToHandle<HDC>(hdc), ToHandle<HGDIOBJ>(mFirstBitmaps[hdc]));
  mFirstBitmaps.erase(hdc);
  ::DeleteDC(ToHandle<HDC>(hdc));
}

runtime::gdi::ObjectCounts WindowsGdi::LiveObjects() {
  return {static_cast<int>(mDcs.size() + mSurfaceDcs.size()), static_cast<int>(mBitmaps.size()),
          static_cast<int>(mPalettes.size())};
}

}  // namespace win32_frontend
