// SPDX-License-Identifier: MIT
#pragma once

#include <string>
#include <string_view>

// Names in form designs and property bags match without regard to the case
// of ASCII letters, and only of those: the user's locale has no say, so a
// design reads the same on every system.
namespace runtime {

constexpr char ToAsciiLower(char c) { return (c >= 'A' && c <= 'Z') ? static_cast<char>(c - 'A' + 'a') : c; }

constexpr bool SameIgnoringAsciiCase(std::string_view a, std::string_view b) {
  if (a.size() != b.size()) return false;
  for (std::size_t i = 0; i < a.size(); ++i) {
    if (ToAsciiLower(a[i]) != ToAsciiLower(b[i])) return false;
  }
  return true;
}

inline std::string ToAsciiLower(std::string_view text) {
  std::string lower(text);
  for (char& c : lower) c = ToAsciiLower(c);
  return lower;
}

}  // namespace runtime
