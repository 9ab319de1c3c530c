// SPDX-License-Identifier: MIT
#include "runtime/values/font.h"

#include <algorithm>

#include "runtime/design/design_reader.h"
#include "runtime/values/units.h"

namespace runtime {

int Font::PixelSize() const { return std::max(1, PointsToPixels(size > 0 && size <= 1638 ? size : 9)); }

int Font::DrawnWeight() const { return weight < 1 ? 400 : (weight > 1000 ? 1000 : weight); }

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
