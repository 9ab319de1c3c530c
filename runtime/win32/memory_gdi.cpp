// SPDX-License-Identifier: MIT
#include "runtime/win32/memory_gdi.h"

#include <algorithm>
#include <unordered_map>
#include <variant>

#include "runtime/win32/gdi.h"

namespace runtime {
namespace {

using gdi::HANDLE;
using gdi::HBITMAP;
using gdi::HDC;
using gdi::HPALETTE;

struct Bitmap {
  Pixels pixels;
  int depth = 32;  // 1 for the monochrome bitmaps a new memory DC starts with
  HDC selectedInto = 0;
};

struct Palette {
  std::vector<gdi::PALETTEENTRY> entries;
  int selections = 0;
};

struct DeviceContext {
  bool surface = false;
  HBITMAP bitmap = 0;
  HBITMAP ownBitmap = 0;  // the 1 x 1 monochrome bitmap every memory DC starts with
  HPALETTE palette = 0;
};

using Object = std::variant<Bitmap, Palette, DeviceContext>;

// Refuse bitmaps far beyond any control rather than try to allocate them.
constexpr long long kLargestBitmap = 4096LL * 4096LL;
constexpr HPALETTE kDefaultPalette = 0x0180000B;
constexpr Rgb kBlack = MakeRgb(0, 0, 0);
constexpr Rgb kWhite = MakeRgb(255, 255, 255);

Bitmap Monochrome(int width, int height, Rgb fill) { return Bitmap{Pixels(width, height, fill), 1, 0}; }

// A monochrome bitmap holds black or white, whatever is drawn into it.
Rgb ToMonochrome(Rgb pixel) {
  const int luma = (RedOf(pixel) * 299 + GreenOf(pixel) * 587 + BlueOf(pixel) * 114) / 1000;
  return luma >= 128 ? kWhite : kBlack;
}

}  // namespace

struct MemoryGdi::Table {
  std::unordered_map<HANDLE, Object> objects;
  HANDLE next = 0x04050000;
  Display display;
  Palette defaultPalette;

  HANDLE Add(Object object) {
    next += 4;
    objects.emplace(next, std::move(object));
    return next;
  }
  template <class T>
  T* Find(HANDLE handle) {
    const auto found = objects.find(handle);
    return found == objects.end() ? nullptr : std::get_if<T>(&found->second);
  }
  Palette* FindPalette(HPALETTE handle) { return handle == kDefaultPalette ? &defaultPalette : Find<Palette>(handle); }
  // The colour depth a bitmap made for a DC has: that of the bitmap it
  // holds, as for a DC of a window (a surface's) the screen's.
  int DepthFor(const DeviceContext& dc) {
    if (!dc.surface) {
      if (const Bitmap* bitmap = Find<Bitmap>(dc.bitmap)) return bitmap->depth;
    }
    return 32;
  }
};

MemoryGdi::MemoryGdi() : mTable(std::make_unique<Table>()) {}

MemoryGdi::~MemoryGdi() = default;

void MemoryGdi::SetDisplay(Display display) { mTable->display = std::move(display); }

MemoryGdi::Display MemoryGdi::PaletteDisplay(int size) {
  Display display;
  display.bitsPerPixel = 8;
  display.palette = true;
  display.paletteSize = size;
  for (int i = 0; i < size; ++i) {
    // A recognisable ramp: each entry differs from its neighbours.
    display.systemPalette.push_back({static_cast<std::uint8_t>(i), static_cast<std::uint8_t>(255 - i),
                                     static_cast<std::uint8_t>(i * 7), 0});
  }
  return display;
}

HDC MemoryGdi::CreateCompatibleDC(HDC hdc) {
  Table& table = *mTable;
  if (hdc != 0 && table.Find<DeviceContext>(hdc) == nullptr) return 0;
  DeviceContext dc;
  dc.ownBitmap = table.Add(Monochrome(1, 1, kWhite));
  dc.bitmap = dc.ownBitmap;
  dc.palette = kDefaultPalette;
  const HDC handle = table.Add(dc);
  table.Find<Bitmap>(dc.ownBitmap)->selectedInto = handle;
  return handle;
}

gdi::BOOL MemoryGdi::DeleteDC(HDC hdc) {
  Table& table = *mTable;
  DeviceContext* dc = table.Find<DeviceContext>(hdc);
  if (dc == nullptr || dc->surface) return 0;
  if (Bitmap* bitmap = table.Find<Bitmap>(dc->bitmap)) bitmap->selectedInto = 0;
  if (Palette* palette = table.FindPalette(dc->palette)) --palette->selections;
  const HBITMAP own = dc->ownBitmap;
  table.objects.erase(hdc);
  table.objects.erase(own);
  return 1;
}

HBITMAP MemoryGdi::CreateCompatibleBitmap(HDC hdc, int cx, int cy) {
  Table& table = *mTable;
  const DeviceContext* dc = table.Find<DeviceContext>(hdc);
  if (dc == nullptr || cx < 0 || cy < 0 || static_cast<long long>(cx) * cy > kLargestBitmap) return 0;
  if (cx == 0 || cy == 0) return table.Add(Monochrome(1, 1, kBlack));
  const int depth = table.DepthFor(*dc);
  return table.Add(Bitmap{Pixels(cx, cy, kBlack), depth, 0});
}

gdi::HGDIOBJ MemoryGdi::SelectObject(HDC hdc, gdi::HGDIOBJ object) {
  Table& table = *mTable;
  DeviceContext* dc = table.Find<DeviceContext>(hdc);
  Bitmap* bitmap = table.Find<Bitmap>(object);
  // Only bitmaps are selected this way; a bitmap lives in one DC at a time.
  if (dc == nullptr || bitmap == nullptr || (bitmap->selectedInto != 0 && bitmap->selectedInto != hdc)) return 0;
  const HBITMAP previous = dc->bitmap;
  if (Bitmap* old = table.Find<Bitmap>(previous)) old->selectedInto = 0;
  bitmap->selectedInto = hdc;
  dc->bitmap = object;
  return previous;
}

gdi::BOOL MemoryGdi::DeleteObject(gdi::HGDIOBJ object) {
  Table& table = *mTable;
  if (object == kDefaultPalette) return 1;
  if (const Bitmap* bitmap = table.Find<Bitmap>(object)) {
    if (bitmap->selectedInto != 0) return 0;
  } else if (const Palette* palette = table.Find<Palette>(object)) {
    if (palette->selections > 0) return 0;
  } else {
    return 0;
  }
  table.objects.erase(object);
  return 1;
}

int MemoryGdi::GetDeviceCaps(HDC hdc, int index) {
  Table& table = *mTable;
  if (table.Find<DeviceContext>(hdc) == nullptr) return 0;
  const Display& display = table.display;
  switch (index) {
    case gdi::HORZRES: return display.width;
    case gdi::VERTRES: return display.height;
    case gdi::BITSPIXEL: return display.bitsPerPixel;
    case gdi::NUMCOLORS: return display.palette ? 20 : -1;
    case gdi::RASTERCAPS: return gdi::RC_BITBLT | (display.palette ? gdi::RC_PALETTE : 0);
    case gdi::LOGPIXELSX:
    case gdi::LOGPIXELSY: return 96;
    case gdi::SIZEPALETTE: return display.palette ? display.paletteSize : 0;
    default: return 0;
  }
}

gdi::UINT MemoryGdi::GetSystemPaletteEntries(HDC hdc, gdi::UINT start, gdi::UINT count, gdi::PALETTEENTRY* entries) {
  Table& table = *mTable;
  const Display& display = table.display;
  if (table.Find<DeviceContext>(hdc) == nullptr || !display.palette || entries == nullptr) return 0;
  gdi::UINT copied = 0;
  for (gdi::UINT i = start; i < display.systemPalette.size() && copied < count; ++i) {
    entries[copied++] = display.systemPalette[i];
  }
  return copied;
}

HPALETTE MemoryGdi::CreatePalette(const gdi::LOGPALETTE* palette) {
  if (palette == nullptr || palette->palVersion != 0x300 || palette->palNumEntries == 0 ||
      palette->palNumEntries > 256) {
    return 0;
  }
  Palette created;
  created.entries.assign(palette->palPalEntry, palette->palPalEntry + palette->palNumEntries);
  return mTable->Add(std::move(created));
}

HPALETTE MemoryGdi::SelectPalette(HDC hdc, HPALETTE palette, gdi::BOOL /*forceBackground*/) {
  Table& table = *mTable;
  DeviceContext* dc = table.Find<DeviceContext>(hdc);
  Palette* selected = table.FindPalette(palette);
  if (dc == nullptr || selected == nullptr) return 0;
  const HPALETTE previous = dc->palette;
  if (Palette* old = table.FindPalette(previous)) --old->selections;
  ++selected->selections;
  dc->palette = palette;
  return previous;
}

gdi::UINT MemoryGdi::RealizePalette(HDC hdc) {
  Table& table = *mTable;
  const DeviceContext* dc = table.Find<DeviceContext>(hdc);
  if (dc == nullptr || !table.display.palette) return 0;
  const Palette* palette = table.FindPalette(dc->palette);
  return palette != nullptr ? static_cast<gdi::UINT>(palette->entries.size()) : 0;
}

gdi::BOOL MemoryGdi::BitBlt(HDC hdc, int x, int y, int cx, int cy, HDC source, int x1, int y1, gdi::DWORD rop) {
  Table& table = *mTable;
  const DeviceContext* target = table.Find<DeviceContext>(hdc);
  const DeviceContext* from = table.Find<DeviceContext>(source);
  if (target == nullptr || from == nullptr || rop != gdi::SRCCOPY || cx < 0 || cy < 0) return 0;
  Bitmap* to = table.Find<Bitmap>(target->bitmap);
  const Bitmap* src = table.Find<Bitmap>(from->bitmap);
  if (to == nullptr || src == nullptr) return 0;
  const PixelView into = to->pixels.View();
  if (to == src) {
    // Overlapping blocks of one bitmap copy as if through a copy of it.
    const Pixels copy = src->pixels;
    CopyPixels(into, x, y, cx, cy, copy.View(), x1, y1);
  } else {
    CopyPixels(into, x, y, cx, cy, src->pixels.View(), x1, y1);
  }
  if (to->depth == 1) {
    const int left = std::max(x, 0);
    const int top = std::max(y, 0);
    const int right = static_cast<int>(std::min<long long>(static_cast<long long>(x) + cx, into.width));
    const int bottom = static_cast<int>(std::min<long long>(static_cast<long long>(y) + cy, into.height));
    for (int row = top; row < bottom; ++row) {
      for (int column = left; column < right; ++column) into.At(column, row) = ToMonochrome(into.At(column, row));
    }
  }
  return 1;
}

gdi::BOOL MemoryGdi::DrawFocusRect(HDC hdc, const gdi::RECT* rect) {
  if (rect == nullptr) return 0;
  const PixelView pixels = BitmapPixels(SelectedBitmap(hdc));
  if (pixels.Empty()) return 0;
  const int left = std::max(rect->left, 0);
  const int top = std::max(rect->top, 0);
  const int right = std::min(rect->right, pixels.width);    // exclusive
  const int bottom = std::min(rect->bottom, pixels.height);  // exclusive
  if (left >= right || top >= bottom) return 1;
  // Every other pixel of the outline, inverted, as the platform's focus
  // rectangle is drawn.
  auto invert = [&](int px, int py) {
    if (((px + py) & 1) != 0) return;
    pixels.At(px, py) ^= 0x00FFFFFFu;
  };
  for (int px = left; px < right; ++px) {
    invert(px, top);
    if (bottom - 1 != top) invert(px, bottom - 1);
  }
  for (int py = top + 1; py < bottom - 1; ++py) {
    invert(left, py);
    if (right - 1 != left) invert(right - 1, py);
  }
  return 1;
}

HBITMAP MemoryGdi::CreateBitmap(const Pixels& pixels) {
  if (pixels.IsNull() || static_cast<long long>(pixels.Width()) * pixels.Height() > kLargestBitmap) return 0;
  return mTable->Add(Bitmap{pixels, 32, 0});
}

PixelView MemoryGdi::BitmapPixels(HBITMAP bitmap) {
  Bitmap* found = mTable->Find<Bitmap>(bitmap);
  return found != nullptr ? found->pixels.View() : PixelView{};
}

std::vector<gdi::PALETTEENTRY> MemoryGdi::PaletteEntries(HPALETTE palette) {
  const Palette* found = mTable->FindPalette(palette);
  return found != nullptr ? found->entries : std::vector<gdi::PALETTEENTRY>{};
}

bool MemoryGdi::IsBitmap(gdi::HGDIOBJ object) { return mTable->Find<Bitmap>(object) != nullptr; }

bool MemoryGdi::IsPalette(gdi::HGDIOBJ object) { return mTable->Find<Palette>(object) != nullptr; }

HBITMAP MemoryGdi::SelectedBitmap(HDC hdc) {
  const DeviceContext* dc = mTable->Find<DeviceContext>(hdc);
  return dc != nullptr ? dc->bitmap : 0;
}

HDC MemoryGdi::CreateSurfaceDC() {
  DeviceContext dc;
  dc.surface = true;
  dc.palette = kDefaultPalette;
  return mTable->Add(dc);
}

void MemoryGdi::DeleteSurfaceDC(HDC hdc) {
  Table& table = *mTable;
  DeviceContext* dc = table.Find<DeviceContext>(hdc);
  if (dc == nullptr || !dc->surface) return;
  if (Bitmap* bitmap = table.Find<Bitmap>(dc->bitmap)) bitmap->selectedInto = 0;
  if (Palette* palette = table.FindPalette(dc->palette)) --palette->selections;
  table.objects.erase(hdc);
}

gdi::ObjectCounts MemoryGdi::LiveObjects() {
  gdi::ObjectCounts counts;
  for (const auto& [handle, object] : mTable->objects) {
    if (std::holds_alternative<DeviceContext>(object)) ++counts.dcs;
    if (std::holds_alternative<Bitmap>(object)) ++counts.bitmaps;
    if (std::holds_alternative<Palette>(object)) ++counts.palettes;
  }
  return counts;
}

}  // namespace runtime
