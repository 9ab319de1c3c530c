// SPDX-License-Identifier: MIT
#pragma once

#include <cstdint>

#include "runtime/seam/input.h"
#include "runtime/values/units.h"

namespace runtime {

// A mouse event's arguments as the handlers take them, by reference: the
// button and shift codes, and the place in twips.
struct MouseArguments {
  explicit MouseArguments(const MouseInput& input)
      : button(input.button),
        shift(input.shift),
        x(static_cast<float>(PixelsToTwips(input.x))),
        y(static_cast<float>(PixelsToTwips(input.y))) {}

  std::int16_t button;
  std::int16_t shift;
  float x;
  float y;
};

}  // namespace runtime
