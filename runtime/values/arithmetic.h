// SPDX-License-Identifier: MIT
#pragma once

#include <cstdint>

// The runtime's integer arithmetic: every result that does not fit its type
// is run-time error 6 (Overflow), never undefined behaviour.
namespace runtime {

// Nearest 32-bit integer, ties to the even one.
std::int32_t RoundToLong(double value);
// Nearest 16-bit integer, ties to the even one.
std::int16_t RoundToInteger(double value);

std::int32_t CheckedAdd(std::int32_t a, std::int32_t b);
std::int32_t CheckedMultiply(std::int32_t a, std::int32_t b);
std::int16_t NarrowToInteger(std::int32_t value);

}  // namespace runtime
