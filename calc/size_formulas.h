// SPDX-License-Identifier: MIT
#pragma once

#include <string>
#include <string_view>

#include "calc/result.h"

// The two whole-gigabyte sizes and the 32 GB rule, as pure functions of the
// input field's text. Every intermediate value is a double, as the formulas
// were designed: for inputs of up to six digits the results equal exact
// rational arithmetic.
namespace calc {

inline constexpr double CylinderSizeMb = 7.84423828125;  // 16065 / 2048
inline constexpr double Fat32LimitGb = 32;

// (N - 1) * 4 + N * 1024: 1028 N - 4 for whole N.
Result<std::string> Fat32SizeText(std::string_view input);

// N rounded up to whole cylinders: K = Fix(N * 1024 / cyl + 1),
// M = Fix(K * cyl + 1).
Result<std::string> NtfsSizeText(std::string_view input);

// True when the number the input begins with is greater than 32.
bool ExceedsFat32Limit(std::string_view input);

}  // namespace calc
