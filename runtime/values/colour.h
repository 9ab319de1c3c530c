// SPDX-License-Identifier: MIT
#pragma once

#include <cstdint>

#include "runtime/values/pixels.h"

namespace runtime {

// A 32-bit colour: an RGB value with red in the low byte (255 is pure red),
// or, with the high bit set, the index of a system colour.
using Colour = std::uint32_t;

inline constexpr Colour kSystemWindowBackground = 0x80000005;
inline constexpr Colour kSystemButtonFace = 0x8000000F;
inline constexpr Colour kSystemWindowText = 0x80000008;
inline constexpr Colour kSystemButtonText = 0x80000012;

constexpr bool IsSystemColour(Colour colour) { return (colour & 0x80000000u) != 0; }

// The colour to paint with, as an opaque pixel. System colours are the
// classic light ones, never the desktop's palette: the controls that name
// them sit on a picture skin that stays light, and dark text on it must stay
// dark. What lies outside the skin (menus, tooltips, message boxes) follows
// the desktop.
Rgb ToRgb(Colour colour);

}  // namespace runtime
