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

// The largest size for which both formulas, in double arithmetic, still give
// the exact whole numbers of the integer formulas (see the header of each).
// Above it the NTFS value's K x 7.84423828125 no longer fits a double's 53
// bits exactly and first comes out one too high at 4294970170; the FAT32
// value stays exact and plain up to about 9.7 x 10^11. The window's six
// digits never come near; the companion refuses larger sizes.
inline constexpr double LargestExactSizeGb = 4294970169;

// (N - 1) * 4 + N * 1024: 1028 N - 4 for whole N.
Result<std::string> Fat32SizeText(std::string_view input);

// N rounded up to whole cylinders: K = Fix(N * 1024 / cyl + 1),
// M = Fix(K * cyl + 1).
Result<std::string> NtfsSizeText(std::string_view input);

// True when the number the input begins with is greater than 32.
bool ExceedsFat32Limit(std::string_view input);

}  // namespace calc
