// SPDX-License-Identifier: MIT
#include "runtime/values/variant.h"

#include <QLocale>
#include <type_traits>

#include "runtime/runtime_error.h"
#include "runtime/values/arithmetic.h"

namespace runtime {

bool Variant::IsObject() const {
  return std::holds_alternative<PictureRef>(mValue) || std::holds_alternative<FontRef>(mValue);
}

bool Variant::Numeric(double& out) const {
  if (const auto* text = std::get_if<QString>(&mValue)) {
    bool ok = false;
    out = QLocale::c().toDouble(text->trimmed(), &ok);
    return ok;
  }
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
  if (const auto* text = std::get_if<QString>(&mValue)) {
    if (text->compare(QStringLiteral("True"), Qt::CaseInsensitive) == 0) return -1;
    if (text->compare(QStringLiteral("False"), Qt::CaseInsensitive) == 0) return 0;
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

QString Variant::ToString() const {
  if (const auto* text = std::get_if<QString>(&mValue)) return *text;
  if (const auto* v = std::get_if<Bool>(&mValue)) return v->value != 0 ? QStringLiteral("True") : QStringLiteral("False");
  if (std::holds_alternative<Empty>(mValue)) return {};
  double number = 0;
  if (!Numeric(number)) Raise(kTypeMismatch);
  return QLocale::c().toString(number, 'g', 15);
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
  const auto* textA = std::get_if<QString>(&mValue);
  const auto* textB = std::get_if<QString>(&other.mValue);
  if (textA != nullptr || textB != nullptr) return textA != nullptr && textB != nullptr && *textA == *textB;
  double a = 0;
  double b = 0;
  return Numeric(a) && other.Numeric(b) && a == b;
}

}  // namespace runtime
