// SPDX-License-Identifier: MIT
#pragma once

#include <cstdint>
#include <string>
#include <variant>

#include "runtime/values/font.h"
#include "runtime/values/picture.h"

namespace runtime {

// A value of any of the kinds a property bag holds, with the runtime's
// conversions. A picture variant may hold no picture: that is Nothing.
class Variant {
 public:
  struct Empty {
    bool operator==(const Empty&) const = default;
  };
  struct Integer {  // 16-bit
    std::int16_t value;
  };
  struct Long {  // 32-bit
    std::int32_t value;
  };
  struct Bool {  // 16-bit, 0 or -1
    std::int16_t value;
  };

  Variant() = default;
  static Variant FromInteger(std::int16_t value) { return Variant(Integer{value}); }
  static Variant FromLong(std::int32_t value) { return Variant(Long{value}); }
  static Variant FromBoolean(std::int16_t value) { return Variant(Bool{value}); }
  static Variant FromDouble(double value) { return Variant(value); }
  static Variant FromString(std::u16string value) { return Variant(std::move(value)); }
  static Variant FromPicture(PictureRef value) { return Variant(std::move(value)); }
  static Variant FromFont(FontRef value) { return Variant(std::move(value)); }
  static Variant Nothing() { return Variant(PictureRef()); }

  [[nodiscard]] bool IsObject() const;

  // The runtime's conversions; a value that cannot convert is run-time error
  // 13 (Type mismatch), a number that does not fit is 6 (Overflow).
  [[nodiscard]] std::int16_t ToBoolean() const;
  [[nodiscard]] std::int16_t ToInteger() const;
  [[nodiscard]] std::int32_t ToLong() const;
  [[nodiscard]] std::u16string ToString() const;
  [[nodiscard]] PictureRef ToPicture() const;  // null for Nothing
  [[nodiscard]] FontRef ToFont() const;

  // Equal values of any numeric kind compare equal; objects by identity.
  [[nodiscard]] bool SameAs(const Variant& other) const;

  using Value = std::variant<Empty, Integer, Long, Bool, double, std::u16string, PictureRef, FontRef>;
  [[nodiscard]] const Value& Get() const { return mValue; }

 private:
  template <class T>
  explicit Variant(T value) : mValue(std::move(value)) {}
  [[nodiscard]] bool Numeric(double& out) const;

  Value mValue;
};

}  // namespace runtime
