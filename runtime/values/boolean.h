// SPDX-License-Identifier: MIT
#pragma once

#include <cstdint>

namespace runtime {

// The runtime's 16-bit Boolean: 0 is False, -1 True, and Not is the 16-bit
// complement, so only those two values round-trip through Not.
using Boolean = std::int16_t;

inline constexpr Boolean kFalse = 0;
inline constexpr Boolean kTrue = -1;

constexpr Boolean ToBoolean(bool value) { return value ? kTrue : kFalse; }
constexpr Boolean Not(Boolean value) { return static_cast<Boolean>(~value); }

}  // namespace runtime
