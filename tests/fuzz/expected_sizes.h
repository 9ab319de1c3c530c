// SPDX-License-Identifier: MIT
#pragma once

#include <cstddef>
#include <optional>
#include <string>
#include <string_view>

namespace fuzz_support {

// Sizes for N whole gigabytes by integer arithmetic alone, for the fuzz
// targets to hold the program's answers against: nothing here shares code
// with the calculator.
inline std::string ToText(__int128 value) {
  if (value == 0) return "0";
  const bool negative = value < 0;
  if (negative) value = -value;
  std::string digits;
  while (value > 0) {
    digits.insert(digits.begin(), static_cast<char>('0' + static_cast<int>(value % 10)));
    value /= 10;
  }
  return negative ? "-" + digits : digits;
}

// FAT32: (N - 1) x 4 + N x 1024 MB.
inline std::string ExpectedFat32(__int128 n) { return ToText(1028 * n - 4); }

// NTFS: the whole cylinders of 16065 sectors that hold more than N GB, in MB.
inline std::string ExpectedNtfs(__int128 n) {
  const __int128 cylinders = n * 2097152 / 16065 + 1;
  return ToText(cylinders * 16065 / 2048 + 1);
}

// N for a non-empty string of ASCII digits with at most nine significant
// digits, where the program's numbers are exact; nothing otherwise.
inline std::optional<__int128> SmallDigitString(std::string_view text) {
  if (text.empty()) return std::nullopt;
  for (char c : text) {
    if (c < '0' || c > '9') return std::nullopt;
  }
  const std::size_t significant = text.find_first_not_of('0');
  if (significant != std::string_view::npos && text.size() - significant > 9) return std::nullopt;
  __int128 n = 0;
  for (char c : text) n = n * 10 + (c - '0');
  return n;
}

}  // namespace fuzz_support
