// SPDX-License-Identifier: MIT
#pragma once

#include <QString>
#include <cstdint>
#include <memory>

class QFont;

namespace runtime {

struct DesignNode;

// The runtime's font object. Controls share one by reference, as the
// system's font properties are set by reference.
struct Font {
  QString name;
  double size = 9;  // points
  std::int16_t charset = 0;
  std::int16_t weight = 400;
  bool italic = false;
  bool underline = false;
  bool strikethrough = false;

  // The face the platform should use. A face the system lacks is left to
  // Qt's font substitution, which the application sets up at start.
  [[nodiscard]] QFont ToQFont() const;
};

using FontRef = std::shared_ptr<Font>;

// A font from a design's "BeginProperty Font" group (Name, Size, Charset,
// Weight, Italic, Underline, Strikethrough).
FontRef FontFromDesign(const DesignNode& group);

}  // namespace runtime
