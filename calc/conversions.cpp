// SPDX-License-Identifier: MIT
#include "calc/conversions.h"

#include <charconv>
#include <cmath>
#include <cstdint>
#include <optional>
#include <system_error>

namespace calc {
namespace {

bool IsDigit(char c) { return c >= '0' && c <= '9'; }

// A decimal number as scanned from text: the characters from_chars needs
// (no "+" in front, no blanks) and enough about its size to tell an overflow
// from an underflow when from_chars reports either as out of range.
struct DecimalText {
  std::string chars;
  bool hasNonzeroDigit = false;
  std::int64_t leadExponent = 0;  // power of ten of the first nonzero digit
};

constexpr std::int64_t kExponentCap = 1'000'000'000;

// Scans sign, digits, "." fraction and a complete exponent from `pos` on,
// as far as they form a number. Returns nothing when no digit was found.
// `pos` ends after the last character used.
std::optional<DecimalText> ScanDecimal(std::string_view s, std::size_t& pos) {
  DecimalText out;
  std::size_t i = pos;
  if (i < s.size() && (s[i] == '+' || s[i] == '-')) {
    if (s[i] == '-') out.chars += '-';
    ++i;
  }
  std::int64_t intDigits = 0;
  std::int64_t zerosBeforeFirst = 0;  // fraction zeros ahead of the first nonzero digit
  bool anyDigit = false;
  while (i < s.size() && IsDigit(s[i])) {
    if (s[i] != '0' || out.hasNonzeroDigit) {
      if (!out.hasNonzeroDigit) out.hasNonzeroDigit = true;
      if (intDigits < kExponentCap) ++intDigits;
    }
    out.chars += s[i++];
    anyDigit = true;
  }
  if (i < s.size() && s[i] == '.') {
    std::size_t j = i + 1;
    std::string fraction;
    while (j < s.size() && IsDigit(s[j])) {
      if (!out.hasNonzeroDigit) {
        if (s[j] == '0') {
          if (zerosBeforeFirst < kExponentCap) ++zerosBeforeFirst;
        } else {
          out.hasNonzeroDigit = true;
        }
      }
      fraction += s[j++];
    }
    if (anyDigit || !fraction.empty()) {
      out.chars += '.';
      out.chars += fraction.empty() ? "0" : fraction;
      anyDigit = true;
      i = j;
    }
  }
  if (!anyDigit) return std::nullopt;
  out.leadExponent = intDigits > 0 ? intDigits - 1 : -(zerosBeforeFirst + 1);

  if (i < s.size() && (s[i] == 'E' || s[i] == 'e')) {
    std::size_t j = i + 1;
    bool negative = false;
    if (j < s.size() && (s[j] == '+' || s[j] == '-')) negative = s[j++] == '-';
    if (j < s.size() && IsDigit(s[j])) {
      std::string exponent = negative ? "e-" : "e";
      std::int64_t value = 0;
      while (j < s.size() && IsDigit(s[j])) {
        if (value < kExponentCap) value = value * 10 + (s[j] - '0');
        exponent += s[j++];
      }
      out.chars += exponent;
      out.leadExponent += negative ? -value : value;
      i = j;
    }
  }
  pos = i;
  return out;
}

// The double nearest to the scanned number; out-of-range values come back as
// an infinity (too large) or a zero (too small) of the number's sign.
double ToDouble(const DecimalText& text, bool& overflowed) {
  overflowed = false;
  double value = 0;
  const char* first = text.chars.data();
  const char* last = first + text.chars.size();
  const bool negative = !text.chars.empty() && text.chars.front() == '-';
  auto [ptr, ec] = std::from_chars(first, last, value);
  if (ec == std::errc::result_out_of_range) {
    if (text.hasNonzeroDigit && text.leadExponent > 0) {
      overflowed = true;
      return negative ? -HUGE_VAL : HUGE_VAL;
    }
    return negative ? -0.0 : 0.0;
  }
  if (ec != std::errc{} || ptr != last) return 0;  // the scanner admits no such text
  if (std::isinf(value)) overflowed = true;
  return value;
}

bool IsBlank(char c) { return c == ' ' || c == '\t'; }

double ValOfRadix(std::string_view s, std::size_t pos, int radix) {
  double value = 0;
  for (; pos < s.size(); ++pos) {
    const char c = s[pos];
    int digit = -1;
    if (c >= '0' && c <= '9') digit = c - '0';
    else if (c >= 'A' && c <= 'F') digit = c - 'A' + 10;
    else if (c >= 'a' && c <= 'f') digit = c - 'a' + 10;
    if (digit < 0 || digit >= radix) break;
    value = value * radix + digit;
  }
  return value;
}

// The digits of a whole number of at most 15 digits, which a double holds
// exactly: the form every typed size has, read without the general scanner.
bool ShortDigits(std::string_view text, double& value) {
  if (text.empty() || text.size() > 15) return false;
  std::int64_t whole = 0;
  for (char c : text) {
    if (!IsDigit(c)) return false;
    whole = whole * 10 + (c - '0');
  }
  value = static_cast<double>(whole);
  return true;
}

// Whole numbers below 10^15 are written as plain digits.
bool PlainWhole(double value, std::string& out) {
  if (!(std::fabs(value) < 1e15) || value != std::trunc(value)) return false;
  char buffer[24];
  const auto [end, ec] = std::to_chars(buffer, buffer + sizeof buffer, static_cast<std::int64_t>(value));
  out.assign(buffer, ec == std::errc{} ? end : buffer);
  return true;
}

}  // namespace

Result<double> TextToNumber(std::string_view text) {
  if (double value = 0; ShortDigits(text, value)) return value;
  std::size_t begin = 0;
  std::size_t end = text.size();
  while (begin < end && IsBlank(text[begin])) ++begin;
  while (end > begin && IsBlank(text[end - 1])) --end;
  const std::string_view body = text.substr(begin, end - begin);
  std::size_t pos = 0;
  const auto scanned = ScanDecimal(body, pos);
  if (!scanned || pos != body.size()) return Failure::TypeMismatch;
  bool overflowed = false;
  const double value = ToDouble(*scanned, overflowed);
  if (overflowed) return Failure::Overflow;
  return value;
}

double Val(std::string_view text) {
  if (double value = 0; ShortDigits(text, value)) return value;
  std::string compact;
  compact.reserve(text.size());
  for (char c : text) {
    if (c != ' ' && c != '\t' && c != '\n') compact += c;
  }
  if (compact.size() >= 2 && compact[0] == '&') {
    if (compact[1] == 'H' || compact[1] == 'h') return ValOfRadix(compact, 2, 16);
    if (compact[1] == 'O' || compact[1] == 'o') return ValOfRadix(compact, 2, 8);
  }
  std::size_t pos = 0;
  const auto scanned = ScanDecimal(compact, pos);
  if (!scanned) return 0;
  bool overflowed = false;
  return ToDouble(*scanned, overflowed);
}

std::string NumberToText(double value) {
  if (std::isnan(value)) return "NaN";
  if (std::isinf(value)) return value < 0 ? "-Infinity" : "Infinity";
  if (value == 0) return "0";
  if (std::string plain; PlainWhole(value, plain)) return plain;

  // Round to 15 significant digits once; everything below lays those digits out.
  char buffer[64];
  const auto [end, ec] = std::to_chars(buffer, buffer + sizeof buffer, value,
                                       std::chars_format::scientific, 14);
  const std::string_view sci(buffer, ec == std::errc{} ? end - buffer : 0);
  const bool negative = sci.front() == '-';
  const std::size_t e = sci.find('e');
  std::string digits;
  for (char c : sci.substr(0, e)) {
    if (IsDigit(c)) digits += c;
  }
  while (digits.size() > 1 && digits.back() == '0') digits.pop_back();
  int exponent = 0;
  const std::string_view expText = sci.substr(e + 1);
  std::from_chars(expText.data() + (expText.front() == '+' ? 1 : 0),
                  expText.data() + expText.size(), exponent);

  const auto count = static_cast<int>(digits.size());
  std::string out = negative ? "-" : "";
  if (exponent >= 0 && exponent < 15) {
    if (count <= exponent + 1) {
      out += digits;
      out.append(static_cast<std::size_t>(exponent + 1 - count), '0');
    } else {
      out += digits.substr(0, static_cast<std::size_t>(exponent + 1));
      out += '.';
      out += digits.substr(static_cast<std::size_t>(exponent + 1));
    }
    return out;
  }
  if (exponent < 0 && (-exponent - 1) + count <= 15) {
    out += "0.";
    out.append(static_cast<std::size_t>(-exponent - 1), '0');
    out += digits;
    return out;
  }
  out += digits.front();
  if (count > 1) {
    out += '.';
    out += digits.substr(1);
  }
  out += exponent < 0 ? "E-" : "E+";
  const int magnitude = exponent < 0 ? -exponent : exponent;
  if (magnitude < 10) out += '0';
  out += std::to_string(magnitude);
  return out;
}

Result<std::string> ToFieldText(double value) {
  // Plain digits read back as the very same number: nothing to round-trip.
  if (std::string plain; PlainWhole(value, plain)) return plain;
  const double again = Val(NumberToText(value));
  if (!std::isfinite(again)) return Failure::Overflow;
  return NumberToText(again);
}

double Fix(double value) { return std::trunc(value); }

}  // namespace calc
