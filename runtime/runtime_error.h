// SPDX-License-Identifier: MIT
#pragma once

#include <exception>
#include <string>

namespace runtime {

// Run-time error numbers the system meets. The descriptions are the
// runtime's standard wording.
enum ErrorNumber : int {
  kInvalidProcedureCall = 5,
  kOverflow = 6,
  kOutOfMemory = 7,
  kSubscriptOutOfRange = 9,
  kTypeMismatch = 13,
  kInternalError = 51,
  kObjectNotSet = 91,
  kControlArrayElementMissing = 340,
  kInvalidPropertyValue = 380,
  kCannotOpenClipboard = 521,
  kLoadError = 31037,
};

// A run-time error: a number and a description. It travels up through the
// system's code like the runtime's own errors do, until a handler suppresses
// it or the dispatch boundary reports it.
class RuntimeError : public std::exception {
 public:
  explicit RuntimeError(int number, std::string description = {});

  [[nodiscard]] int Number() const noexcept { return mNumber; }
  [[nodiscard]] const std::string& Description() const noexcept { return mDescription; }
  [[nodiscard]] const char* what() const noexcept override { return mDescription.c_str(); }

 private:
  int mNumber;
  std::string mDescription;
};

// The standard description of an error number ("Overflow" for 6).
std::string StandardDescription(int number);

// Raises run-time error `number`; `detail`, when given, follows the standard
// description so the user can tell which property or key was at fault.
[[noreturn]] void Raise(int number, const std::string& detail = {});

}  // namespace runtime
