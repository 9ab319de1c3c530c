// SPDX-License-Identifier: MIT
#pragma once

#include <utility>
#include <variant>

namespace calc {

// The ways a conversion or a size can fail, numbered as the run-time errors
// the caller raises for them.
enum class Failure : int {
  Overflow = 6,
  TypeMismatch = 13,
};

// A value or the reason there is none. The calculator stays free of
// exceptions and of the forms runtime; the controller turns a Failure into
// the run-time error of the same number.
template <class T>
class Result {
 public:
  Result(T value) : mState(std::move(value)) {}  // NOLINT: implicit by design
  Result(Failure failure) : mState(failure) {}   // NOLINT: implicit by design

  [[nodiscard]] bool Ok() const { return std::holds_alternative<T>(mState); }
  [[nodiscard]] const T& Value() const { return std::get<T>(mState); }
  [[nodiscard]] Failure Error() const { return std::get<Failure>(mState); }

 private:
  std::variant<T, Failure> mState;
};

}  // namespace calc
