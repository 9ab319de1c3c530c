// SPDX-License-Identifier: MIT
#pragma once

#include <cstdint>
#include <memory>
#include <string>

namespace runtime {

struct DesignNode;

// The runtime's font object. Controls share one by reference, as the
// system's font properties are set by reference. A face the system lacks is
// drawn in a stand-in (runtime/values/font_faces.h).
struct Font {
  std::u16string name;
  double size = 9;  // points
  std::int16_t charset = 0;
  std::int16_t weight = 400;
  bool italic = false;
  bool underline = false;
  bool strikethrough = false;

  // The whole number of logical pixels the font is drawn at: 10.5 pt is 14,
  // 9 pt is 12, as the designs' fonts were drawn. Pixels, never points: a
  // point follows the desktop's logical DPI, which can differ from the
  // whole-number factor the window is laid out at, while pixels scale with
  // the layout and nothing else.
  [[nodiscard]] int PixelSize() const;
  // Weights are 1..1000 on every system; out-of-range ones are brought in.
  [[nodiscard]] int DrawnWeight() const;

  bool operator==(const Font&) const = default;
};

using FontRef = std::shared_ptr<Font>;

// A font from a design's "BeginProperty Font" group (Name, Size, Charset,
// Weight, Italic, Underline, Strikethrough).
FontRef FontFromDesign(const DesignNode& group);

}  // namespace runtime
