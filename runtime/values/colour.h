// SPDX-License-Identifier: MIT
#pragma once

#include <cstdint>

class QColor;

namespace runtime {

// A 32-bit colour: an RGB value with red in the low byte (255 is pure red),
// or, with the high bit set, the index of a system colour.
using Colour = std::uint32_t;

inline constexpr Colour kSystemWindowBackground = 0x80000005;
inline constexpr Colour kSystemWindowText = 0x80000008;
inline constexpr Colour kSystemButtonText = 0x80000012;

constexpr bool IsSystemColour(Colour colour) { return (colour & 0x80000000u) != 0; }

// The colour to paint with. System colours are the classic light ones, never
// the desktop's palette: the controls that name them sit on a light skin.
QColor ToQColor(Colour colour);

}  // namespace runtime
