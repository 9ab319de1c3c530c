// SPDX-License-Identifier: MIT
#include "runtime/values/variant.h"

#include <charconv>
#include <cmath>
#include <string>
#include <system_error>
#include <type_traits>

#include "runtime/runtime_error.h"
#include "runtime/values/arithmetic.h"
#include "runtime/values/text.h"

namespace runtime {
namespace {

bool IsBlank(char16_t c) { return c == u' ' || c == u'\t' || c == u'\n' || c == u'\r' || c == u'\v' || c == u'\f'; }

// A number in the notation every locale reads alike: blanks around it, an
// optional sign, digits with a "." fraction, an optional exponent, or inf
// and nan; no group separators. Nothing else converts.
bool ParseNumber(std::u16string_view text, double& out) {
  while (!text.empty() && IsBlank(text.front())) text.remove_prefix(1);
  while (!text.empty() && IsBlank(text.back())) text.remove_suffix(1);
  if (text.empty() || text.size() > 1000) return false;
  std::string ascii;
  ascii.reserve(text.size());
  for (const char16_t c : text) {
    if (c >= 0x80) return false;
    ascii.push_back(static_cast<char>(c));
  }
  const char* first = ascii.data();
  const char* last = first + ascii.size();
  // from_chars takes a minus sign but not a plus.
  if (*first == '+') {
    ++first;
    if (first == last || *first == '-') return false;
  }
  double value = 0;
  const auto [end, error] = std::from_chars(first, last, value, std::chars_format::general);
  if (end != last) return false;
  // Beyond a double's range is no number it can hold.
  if (error != std::errc{}) return false;
  out = value;
  return true;
}

// Up to 15 significant digits, the shortest way: "12", "0.5", "1e+20".
std::u16string FormatNumber(double number) {
  if (std::isnan(number)) return u"nan";
  if (std::isinf(number)) return number < 0 ? u"-inf" : u"inf";
  char buffer[64];
  const auto [end, error] = std::to_chars(buffer, buffer + sizeof buffer, number, std::chars_format::general, 15);
  if (error != std::errc{}) return {};
  return FromAscii(std::string_view(buffer, static_cast<std::size_t>(end - buffer)));
}

}  // namespace

bool Variant::IsObject() const {
  return std::holds_alternative<PictureRef>(mValue) || std::holds_alternative<FontRef>(mValue);
}

bool Variant::Numeric(double& out) const {
  if (const auto* text = std::get_if<std::u16string>(&mValue)) return ParseNumber(*text, out);
  if (IsObject()) return false;
  out = std::visit(
      [](const auto& v) -> double {
        using T = std::decay_t<decltype(v)>;
        if constexpr (std::is_same_v<T, double>) {
          return v;
        } else if constexpr (std::is_same_v<T, Integer> || std::is_same_v<T, Long> ||
                             std::is_same_v<T, Bool>) {
          return v.value;
        } else {
          return 0;  // Empty reads as 0
        }
      },
      mValue);
  return true;
}

std::int16_t Variant::ToBoolean() const {
  if (const auto* text = std::get_if<std::u16string>(&mValue)) {
    if (SameIgnoringAsciiCase(*text, u"True")) return -1;
    if (SameIgnoringAsciiCase(*text, u"False")) return 0;
  }
  double number = 0;
  if (!Numeric(number)) Raise(kTypeMismatch);
  return number != 0 ? -1 : 0;
}

std::int16_t Variant::ToInteger() const {
  double number = 0;
  if (!Numeric(number)) Raise(kTypeMismatch);
  return RoundToInteger(number);
}

std::int32_t Variant::ToLong() const {
  double number = 0;
  if (!Numeric(number)) Raise(kTypeMismatch);
  return RoundToLong(number);
}

std::u16string Variant::ToString() const {
  if (const auto* text = std::get_if<std::u16string>(&mValue)) return *text;
  if (const auto* v = std::get_if<Bool>(&mValue)) return v->value != 0 ? u"True" : u"False";
  if (std::holds_alternative<Empty>(mValue)) return {};
  double number = 0;
  if (!Numeric(number)) Raise(kTypeMismatch);
  return FormatNumber(number);
}

PictureRef Variant::ToPicture() const {
  if (const auto* picture = std::get_if<PictureRef>(&mValue)) return *picture;
  Raise(kTypeMismatch);
}

FontRef Variant::ToFont() const {
  if (const auto* font = std::get_if<FontRef>(&mValue); font != nullptr && *font) return *font;
  Raise(kTypeMismatch);
}

bool Variant::SameAs(const Variant& other) const {
  if (IsObject() || other.IsObject()) {
    if (const auto* a = std::get_if<PictureRef>(&mValue)) {
      const auto* b = std::get_if<PictureRef>(&other.mValue);
      return b != nullptr && *a == *b;
    }
    if (const auto* a = std::get_if<FontRef>(&mValue)) {
      const auto* b = std::get_if<FontRef>(&other.mValue);
      return b != nullptr && *a == *b;
    }
    return false;
  }
  const auto* textA = std::get_if<std::u16string>(&mValue);
  const auto* textB = std::get_if<std::u16string>(&other.mValue);
  if (textA != nullptr || textB != nullptr) return textA != nullptr && textB != nullptr && *textA == *textB;
  double a = 0;
  double b = 0;
  return Numeric(a) && other.Numeric(b) && a == b;
}

}  // namespace runtime
