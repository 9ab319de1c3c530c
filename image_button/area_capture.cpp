// SPDX-License-Identifier: MIT
// Area capture: how the button turns each frame of its strip into a picture
// of its own.
#include "image_button/ibutton.h"

#include <cstring>

#include "runtime/values/boolean.h"
#include "runtime/win32/ole.h"

namespace image_button {

namespace gdi = runtime::gdi;

runtime::PictureRef iButton::CaptureArea(gdi::HDC source, std::int32_t x, std::int32_t y,
                                         std::int32_t width, std::int32_t height) {
  gdi::LOGPALETTE palette;
  std::memset(&palette, 0, sizeof palette);
  gdi::HPALETTE pal = 0;
  gdi::HPALETTE oldPal = 0;

  const gdi::HDC mem = gdi::CreateCompatibleDC(source);
  // Compatible with the source, not with `mem`, so it has the source's
  // colour format rather than a new DC's monochrome one.
  gdi::HBITMAP bmp = gdi::CreateCompatibleBitmap(source, width, height);
  const gdi::HGDIOBJ oldBmp = gdi::SelectObject(mem, bmp);

  const int paletted = gdi::GetDeviceCaps(source, gdi::RASTERCAPS) & gdi::RC_PALETTE;
  const int size = gdi::GetDeviceCaps(source, gdi::SIZEPALETTE);
  const bool keepsPalette = paletted != 0 && size == 256;
  if (keepsPalette) {
    palette.palVersion = 0x300;
    palette.palNumEntries = 256;
    gdi::GetSystemPaletteEntries(source, 0, 256, palette.palPalEntry);
    pal = gdi::CreatePalette(&palette);
    oldPal = gdi::SelectPalette(mem, pal, 0);
    gdi::RealizePalette(mem);
  }

  gdi::BitBlt(mem, 0, 0, width, height, source, x, y, gdi::SRCCOPY);

  // Bitmap first, palette second, the DC last: the picture takes over
  // handles that no device context holds any more.
  bmp = gdi::SelectObject(mem, oldBmp);
  if (keepsPalette) pal = gdi::SelectPalette(mem, oldPal, 0);
  gdi::DeleteDC(mem);

  return BitmapToPicture(bmp, pal);
}

runtime::PictureRef iButton::BitmapToPicture(gdi::HBITMAP bitmap, gdi::HPALETTE palette) {
  runtime::ole::PICTDESC description{};
  description.cbSizeofstruct = sizeof description;
  description.picType = runtime::ole::PICTYPE_BITMAP;
  description.hbitmap = bitmap;
  description.hpal = palette;

  runtime::ole::GUID iid{};
  iid.Data1 = 0x00020400;
  iid.Data2 = 0;
  iid.Data3 = 0;
  const std::uint8_t data4[8] = {0xC0, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x46};
  std::memcpy(iid.Data4, data4, sizeof data4);

  runtime::PictureRef picture;
  runtime::ole::OleCreatePictureIndirect(&description, iid, runtime::kTrue, picture);
  if (!picture) {
    gdi::DeleteObject(bitmap);
    if (palette != 0) gdi::DeleteObject(palette);
  }
  return picture;
}

}  // namespace image_button
