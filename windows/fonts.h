// SPDX-License-Identifier: MIT
#pragma once

#include <windows.h>

#include <map>
#include <string>
#include <tuple>

#include "runtime/values/font.h"

namespace win32_frontend {

// The runtime's fonts as GDI fonts, made once for each face, size and style
// and kept for the program's life (the designs use a handful), and which
// families the system has.
class Fonts {
 public:
  Fonts() = default;
  ~Fonts();
  Fonts(const Fonts&) = delete;
  Fonts& operator=(const Fonts&) = delete;

  // The font drawn at `scale` times its pixel size. Text the runtime draws
  // into a control's picture is smoothed in grey, so that it keeps its look
  // when the picture is shown larger; a field's text is the system's own.
  enum class Smoothing { kGrey, kSystem };
  HFONT Get(const runtime::Font& font, int scale, Smoothing smoothing);

  // The family's own spelling when a family of that name (any case) is
  // installed; empty otherwise.
  std::u16string InstalledFamily(std::u16string_view family);

 private:
  using Key = std::tuple<std::u16string, int, int, bool, bool, bool, Smoothing>;
  std::map<Key, HFONT> mFonts;
  std::map<std::u16string, std::u16string> mFamilies;  // lower case -> as installed
  bool mFamiliesRead = false;
};

}  // namespace win32_frontend
