// SPDX-License-Identifier: MIT
#include "runtime/values/colour.h"

namespace runtime {

Rgb ToRgb(Colour colour) {
  if (!IsSystemColour(colour)) {
    return MakeRgb(static_cast<int>(colour & 0xFF), static_cast<int>((colour >> 8) & 0xFF),
                   static_cast<int>((colour >> 16) & 0xFF));
  }
  switch (colour & 0xFF) {
    case 0x05: return MakeRgb(255, 255, 255);  // window background
    case 0x0F: return MakeRgb(240, 240, 240);  // button face
    case 0x08:                                 // window text
    case 0x12:                                 // button text
    default: return MakeRgb(0, 0, 0);
  }
}

}  // namespace runtime
