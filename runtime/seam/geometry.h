// SPDX-License-Identifier: MIT
#pragma once

#include <cstdint>

// Places and sizes as the window systems deal in them: whole logical pixels
// (a scaled display keeps the layout), and window handles as the system's
// code sees them, 32-bit numbers.
namespace runtime {

struct Point {
  int x = 0;
  int y = 0;
  bool operator==(const Point&) const = default;
};

struct Rect {
  int x = 0;
  int y = 0;
  int width = 0;
  int height = 0;
  bool operator==(const Rect&) const = default;
  [[nodiscard]] bool Contains(Point p) const { return p.x >= x && p.y >= y && p.x < x + width && p.y < y + height; }
};

// 0 is no window. On Windows these are the real handles (user and GDI
// handles keep to 32 bits); elsewhere the front-end hands out its own.
using WindowHandle = std::int32_t;

}  // namespace runtime
