// SPDX-License-Identifier: MIT
#include "runtime/win32/gdi.h"

#include <QGuiApplication>
#include <QPainter>
#include <QScreen>
#include <cstring>
#include <unordered_map>
#include <variant>

namespace runtime::gdi {
namespace {

struct Bitmap {
  QImage pixels;
  HDC selectedInto = 0;
};

struct Palette {
  std::vector<PALETTEENTRY> entries;
  int selections = 0;
};

struct DeviceContext {
  bool surface = false;
  HBITMAP bitmap = 0;
  HBITMAP ownBitmap = 0;  // the 1 x 1 monochrome bitmap every memory DC starts with
  HPALETTE palette = 0;
  std::function<void()> drawn;
  std::function<void()> prepare;
};

using Object = std::variant<Bitmap, Palette, DeviceContext>;

// Refuse bitmaps far beyond any control rather than try to allocate them.
constexpr qint64 kLargestBitmap = 4096LL * 4096LL;
constexpr HPALETTE kDefaultPalette = 0x0180000B;

struct Table {
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
  Palette* FindPalette(HPALETTE handle) {
    return handle == kDefaultPalette ? &defaultPalette : Find<Palette>(handle);
  }
};

Table& Objects() {
  static Table table;
  return table;
}

QImage::Format FormatFor(const DeviceContext& dc) {
  if (!dc.surface) {
    if (const Bitmap* bitmap = Objects().Find<Bitmap>(dc.bitmap)) return bitmap->pixels.format();
  }
  return QImage::Format_RGB32;
}

}  // namespace

HDC CreateCompatibleDC(HDC hdc) {
  Table& table = Objects();
  if (hdc != 0 && table.Find<DeviceContext>(hdc) == nullptr) return 0;
  QImage mono(1, 1, QImage::Format_Mono);
  mono.fill(1);
  DeviceContext dc;
  dc.ownBitmap = table.Add(Bitmap{std::move(mono), 0});
  dc.bitmap = dc.ownBitmap;
  dc.palette = kDefaultPalette;
  const HDC handle = table.Add(std::move(dc));
  table.Find<Bitmap>(table.Find<DeviceContext>(handle)->ownBitmap)->selectedInto = handle;
  return handle;
}

BOOL DeleteDC(HDC hdc) {
  Table& table = Objects();
  DeviceContext* dc = table.Find<DeviceContext>(hdc);
  if (dc == nullptr || dc->surface) return 0;
  if (Bitmap* bitmap = table.Find<Bitmap>(dc->bitmap)) bitmap->selectedInto = 0;
  if (Palette* palette = table.FindPalette(dc->palette)) --palette->selections;
  const HBITMAP own = dc->ownBitmap;
  table.objects.erase(hdc);
  table.objects.erase(own);
  return 1;
}

HBITMAP CreateCompatibleBitmap(HDC hdc, int cx, int cy) {
  Table& table = Objects();
  const DeviceContext* dc = table.Find<DeviceContext>(hdc);
  if (dc == nullptr || cx < 0 || cy < 0 || static_cast<qint64>(cx) * cy > kLargestBitmap) return 0;
  if (cx == 0 || cy == 0) {
    QImage mono(1, 1, QImage::Format_Mono);
    mono.fill(0);
    return table.Add(Bitmap{std::move(mono), 0});
  }
  QImage pixels(cx, cy, FormatFor(*dc));
  if (pixels.isNull()) return 0;
  pixels.fill(0);
  return table.Add(Bitmap{std::move(pixels), 0});
}

HGDIOBJ SelectObject(HDC hdc, HGDIOBJ object) {
  Table& table = Objects();
  DeviceContext* dc = table.Find<DeviceContext>(hdc);
  Bitmap* bitmap = table.Find<Bitmap>(object);
  // Only bitmaps are selected this way; a bitmap lives in one DC at a time.
  if (dc == nullptr || bitmap == nullptr || (bitmap->selectedInto != 0 && bitmap->selectedInto != hdc)) {
    return 0;
  }
  const HBITMAP previous = dc->bitmap;
  if (Bitmap* old = table.Find<Bitmap>(previous)) old->selectedInto = 0;
  bitmap->selectedInto = hdc;
  dc->bitmap = object;
  return previous;
}

BOOL DeleteObject(HGDIOBJ object) {
  Table& table = Objects();
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

int GetDeviceCaps(HDC hdc, int index) {
  Table& table = Objects();
  if (table.Find<DeviceContext>(hdc) == nullptr) return 0;
  const Display& display = table.display;
  const QScreen* screen = QGuiApplication::primaryScreen();
  switch (index) {
    case HORZRES: return screen != nullptr ? screen->geometry().width() : 0;
    case VERTRES: return screen != nullptr ? screen->geometry().height() : 0;
    case BITSPIXEL: return display.bitsPerPixel;
    case NUMCOLORS: return display.palette ? 20 : -1;
    case RASTERCAPS: return RC_BITBLT | (display.palette ? RC_PALETTE : 0);
    case LOGPIXELSX:
    case LOGPIXELSY: return 96;
    case SIZEPALETTE: return display.palette ? display.paletteSize : 0;
    default: return 0;
  }
}

UINT GetSystemPaletteEntries(HDC hdc, UINT start, UINT count, PALETTEENTRY* entries) {
  Table& table = Objects();
  const Display& display = table.display;
  if (table.Find<DeviceContext>(hdc) == nullptr || !display.palette || entries == nullptr) return 0;
  UINT copied = 0;
  for (UINT i = start; i < display.systemPalette.size() && copied < count; ++i) {
    entries[copied++] = display.systemPalette[i];
  }
  return copied;
}

HPALETTE CreatePalette(const LOGPALETTE* palette) {
  if (palette == nullptr || palette->palVersion != 0x300 || palette->palNumEntries == 0 ||
      palette->palNumEntries > 256) {
    return 0;
  }
  Palette created;
  created.entries.assign(palette->palPalEntry, palette->palPalEntry + palette->palNumEntries);
  return Objects().Add(std::move(created));
}

HPALETTE SelectPalette(HDC hdc, HPALETTE palette, BOOL /*forceBackground*/) {
  Table& table = Objects();
  DeviceContext* dc = table.Find<DeviceContext>(hdc);
  Palette* selected = table.FindPalette(palette);
  if (dc == nullptr || selected == nullptr) return 0;
  const HPALETTE previous = dc->palette;
  if (Palette* old = table.FindPalette(previous)) --old->selections;
  ++selected->selections;
  dc->palette = palette;
  return previous;
}

UINT RealizePalette(HDC hdc) {
  Table& table = Objects();
  const DeviceContext* dc = table.Find<DeviceContext>(hdc);
  if (dc == nullptr || !table.display.palette) return 0;
  const Palette* palette = table.FindPalette(dc->palette);
  return palette != nullptr ? static_cast<UINT>(palette->entries.size()) : 0;
}

BOOL BitBlt(HDC hdc, int x, int y, int cx, int cy, HDC source, int x1, int y1, DWORD rop) {
  PrepareDC(source);
  PrepareDC(hdc);
  Table& table = Objects();
  DeviceContext* target = table.Find<DeviceContext>(hdc);
  const DeviceContext* from = table.Find<DeviceContext>(source);
  if (target == nullptr || from == nullptr || rop != SRCCOPY || cx < 0 || cy < 0) return 0;
  Bitmap* to = table.Find<Bitmap>(target->bitmap);
  const Bitmap* src = table.Find<Bitmap>(from->bitmap);
  if (to == nullptr || src == nullptr) return 0;
  if (to->pixels.format() == src->pixels.format() && to->pixels.depth() == 32) {
    // The common case, a plain copy between bitmaps of one format: row by
    // row, within both bitmaps.
    const QRect area = QRect(x, y, cx, cy).intersected(to->pixels.rect()) &
                       QRect(x, y, cx, cy).intersected(src->pixels.rect().translated(x - x1, y - y1));
    for (int row = area.top(); row <= area.bottom() && !area.isEmpty(); ++row) {
      std::memcpy(to->pixels.scanLine(row) + 4 * area.left(),
                  src->pixels.constScanLine(row - y + y1) + 4 * (area.left() - x + x1),
                  static_cast<std::size_t>(area.width()) * 4);
    }
    if (target->drawn) target->drawn();
    return 1;
  }
  // Paint through an RGB copy when the target is monochrome.
  const bool mono = to->pixels.depth() == 1;
  QImage canvas = mono ? to->pixels.convertToFormat(QImage::Format_RGB32) : QImage();
  {
    QPainter painter(mono ? &canvas : &to->pixels);
    painter.setCompositionMode(QPainter::CompositionMode_Source);
    painter.drawImage(QRect(x, y, cx, cy), src->pixels, QRect(x1, y1, cx, cy));
  }
  if (mono) to->pixels = canvas.convertToFormat(QImage::Format_Mono);
  if (target->drawn) target->drawn();
  return 1;
}

void SetDisplay(Display display) { Objects().display = std::move(display); }

Display PaletteDisplay(int size) {
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

ObjectCounts LiveObjects() {
  ObjectCounts counts;
  for (const auto& [handle, object] : Objects().objects) {
    if (std::holds_alternative<DeviceContext>(object)) ++counts.dcs;
    if (std::holds_alternative<Bitmap>(object)) ++counts.bitmaps;
    if (std::holds_alternative<Palette>(object)) ++counts.palettes;
  }
  return counts;
}

HBITMAP CreateBitmapFromImage(QImage pixels) {
  if (pixels.isNull()) return 0;
  if (pixels.format() != QImage::Format_RGB32 && pixels.format() != QImage::Format_ARGB32_Premultiplied) {
    pixels = pixels.convertToFormat(pixels.hasAlphaChannel() ? QImage::Format_ARGB32_Premultiplied
                                                             : QImage::Format_RGB32);
  }
  return Objects().Add(Bitmap{std::move(pixels), 0});
}

const QImage* BitmapPixels(HBITMAP bitmap) {
  const Bitmap* found = Objects().Find<Bitmap>(bitmap);
  return found != nullptr ? &found->pixels : nullptr;
}

QImage* MutableBitmapPixels(HBITMAP bitmap) {
  Bitmap* found = Objects().Find<Bitmap>(bitmap);
  return found != nullptr ? &found->pixels : nullptr;
}

std::vector<PALETTEENTRY> PaletteEntries(HPALETTE palette) {
  const Palette* found = Objects().FindPalette(palette);
  return found != nullptr ? found->entries : std::vector<PALETTEENTRY>{};
}

bool IsBitmap(HGDIOBJ object) { return Objects().Find<Bitmap>(object) != nullptr; }

bool IsPalette(HGDIOBJ object) { return Objects().Find<Palette>(object) != nullptr; }

HDC CreateSurfaceDC(std::function<void()> drawn, std::function<void()> prepare) {
  DeviceContext dc;
  dc.surface = true;
  dc.palette = kDefaultPalette;
  dc.drawn = std::move(drawn);
  dc.prepare = std::move(prepare);
  return Objects().Add(std::move(dc));
}

void PrepareDC(HDC hdc) {
  const DeviceContext* dc = Objects().Find<DeviceContext>(hdc);
  if (dc != nullptr && dc->prepare) {
    const std::function<void()> prepare = dc->prepare;  // the table may change meanwhile
    prepare();
  }
}

void DeleteSurfaceDC(HDC hdc) {
  Table& table = Objects();
  DeviceContext* dc = table.Find<DeviceContext>(hdc);
  if (dc == nullptr || !dc->surface) return;
  if (Bitmap* bitmap = table.Find<Bitmap>(dc->bitmap)) bitmap->selectedInto = 0;
  if (Palette* palette = table.FindPalette(dc->palette)) --palette->selections;
  table.objects.erase(hdc);
}

HBITMAP SelectedBitmap(HDC hdc) {
  const DeviceContext* dc = Objects().Find<DeviceContext>(hdc);
  return dc != nullptr ? dc->bitmap : 0;
}

void NotifyDrawn(HDC hdc) {
  DeviceContext* dc = Objects().Find<DeviceContext>(hdc);
  if (dc != nullptr && dc->drawn) dc->drawn();
}

}  // namespace runtime::gdi
