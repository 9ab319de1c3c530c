// SPDX-License-Identifier: MIT
#include "runtime/values/arithmetic.h"

#include <cmath>
#include <limits>

#include "runtime/runtime_error.h"

namespace runtime {

std::int32_t RoundToLong(double value) {
  const double rounded = std::nearbyint(value);  // the default mode rounds ties to even
  if (!(rounded >= std::numeric_limits<std::int32_t>::min() &&
        rounded <= std::numeric_limits<std::int32_t>::max())) {
    Raise(kOverflow);
  }
  return static_cast<std::int32_t>(rounded);
}

std::int16_t RoundToInteger(double value) {
  const double rounded = std::nearbyint(value);
  if (!(rounded >= std::numeric_limits<std::int16_t>::min() &&
        rounded <= std::numeric_limits<std::int16_t>::max())) {
    Raise(kOverflow);
  }
  return static_cast<std::int16_t>(rounded);
}

std::int32_t CheckedAdd(std::int32_t a, std::int32_t b) {
  std::int32_t result = 0;
  if (__builtin_add_overflow(a, b, &result)) Raise(kOverflow);
  return result;
}

std::int32_t CheckedMultiply(std::int32_t a, std::int32_t b) {
  std::int32_t result = 0;
  if (__builtin_mul_overflow(a, b, &result)) Raise(kOverflow);
  return result;
}

std::int16_t NarrowToInteger(std::int32_t value) {
  if (value < std::numeric_limits<std::int16_t>::min() ||
      value > std::numeric_limits<std::int16_t>::max()) {
    Raise(kOverflow);
  }
  return static_cast<std::int16_t>(value);
}

}  // namespace runtime
