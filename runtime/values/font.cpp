// SPDX-License-Identifier: MIT
#include "runtime/values/font.h"

#include <QFont>
#include <algorithm>

#include "runtime/design/design_reader.h"
#include "runtime/platform/interface_setup.h"
#include "runtime/values/units.h"

namespace runtime {

QFont Font::ToQFont() const {
  QFont font(InstalledFamily(name));
  // In logical pixels, never points: a point follows the desktop's logical
  // DPI, which can differ from the whole-number factor the window is laid out
  // at (Xft.dpi 120 leaves the window at 1x, Xft.dpi 144 draws it at 2x and
  // halves the logical DPI to 72). Pixels scale with the layout and nothing
  // else, so the text keeps the size the design gave it against the window.
  font.setPixelSize(std::max(1, PointsToPixels(size > 0 && size <= 1638 ? size : 9)));
  // Unhinted, the outlines keep their shapes and widths at every scale, and
  // no auto-hinter pass runs over a large CJK face: for the faces that stand
  // in here, that pass alone costs the program 2 MB.
  font.setHintingPreference(QFont::PreferNoHinting);
  // Weights are 1..1000 in both worlds.
  font.setWeight(static_cast<QFont::Weight>(weight < 1 ? 400 : (weight > 1000 ? 1000 : weight)));
  font.setItalic(italic);
  font.setUnderline(underline);
  font.setStrikeOut(strikethrough);
  return font;
}

FontRef FontFromDesign(const DesignNode& group) {
  DesignReader reader(group);
  auto font = std::make_shared<Font>();
  font->name = reader.GbkText("Name", font->name);
  font->size = reader.Number("Size", font->size);
  font->charset = reader.Integer16("Charset", font->charset);
  font->weight = reader.Integer16("Weight", font->weight);
  font->italic = reader.Flag("Italic", false);
  font->underline = reader.Flag("Underline", false);
  font->strikethrough = reader.Flag("Strikethrough", false);
  reader.RequireAllRead();
  return font;
}

}  // namespace runtime
