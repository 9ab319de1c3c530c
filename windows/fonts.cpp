// SPDX-License-Identifier: MIT
#include "windows/fonts.h"

#include <cwctype>

#include "runtime/values/font_faces.h"
#include "windows/handles.h"

namespace win32_frontend {
namespace {

std::u16string Lower(std::u16string_view text) {
  std::u16string lower(text);
  for (char16_t& c : lower) c = static_cast<char16_t>(std::towlower(static_cast<wint_t>(c)));
  return lower;
}

int CALLBACK AddFamily(const LOGFONTW* font, const TEXTMETRICW* /*metrics*/, DWORD /*type*/, LPARAM families) {
  const std::u16string name(reinterpret_cast<const char16_t*>(font->lfFaceName));
  // Vertical variants of East Asian faces are named with a leading '@'.
  if (!name.empty() && name.front() != u'@') {
    reinterpret_cast<std::map<std::u16string, std::u16string>*>(families)->emplace(Lower(name), name);
  }
  return 1;
}

}  // namespace

Fonts::~Fonts() {
  for (const auto& [key, font] : mFonts) DeleteObject(font);
}

HFONT Fonts::Get(const runtime::Font& font, int scale, Smoothing smoothing) {
  const std::u16string family = runtime::ResolvedFamily(font.name);
  const Key key{family, font.PixelSize() * scale, font.DrawnWeight(), font.italic, font.underline, font.strikethrough,
                smoothing};
  if (const auto found = mFonts.find(key); found != mFonts.end()) return found->second;
  LOGFONTW description{};
  // A negative height asks for the glyphs' own height, as a font's pixel
  // size means on Linux too.
  description.lfHeight = -font.PixelSize() * scale;
  description.lfWeight = font.DrawnWeight();
  description.lfItalic = font.italic ? TRUE : FALSE;
  description.lfUnderline = font.underline ? TRUE : FALSE;
  description.lfStrikeOut = font.strikethrough ? TRUE : FALSE;
  description.lfCharSet = DEFAULT_CHARSET;
  description.lfQuality = smoothing == Smoothing::kGrey ? ANTIALIASED_QUALITY : DEFAULT_QUALITY;
  wcsncpy(description.lfFaceName, Wide(family.c_str()), LF_FACESIZE - 1);
  HFONT made = CreateFontIndirectW(&description);
  if (made == nullptr) made = static_cast<HFONT>(GetStockObject(DEFAULT_GUI_FONT));
  mFonts.emplace(key, made);
  return made;
}

std::u16string Fonts::InstalledFamily(std::u16string_view family) {
  if (!mFamiliesRead) {
    mFamiliesRead = true;
    HDC screen = GetDC(nullptr);
    LOGFONTW any{};
    any.lfCharSet = DEFAULT_CHARSET;
    EnumFontFamiliesExW(screen, &any, AddFamily, reinterpret_cast<LPARAM>(&mFamilies), 0);
    ReleaseDC(nullptr, screen);
  }
  const auto found = mFamilies.find(Lower(family));
  return found != mFamilies.end() ? found->second : std::u16string();
}

}  // namespace win32_frontend
