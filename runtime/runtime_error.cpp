// SPDX-License-Identifier: MIT
#include "runtime/runtime_error.h"

namespace runtime {

RuntimeError::RuntimeError(int number, std::string description)
    : mNumber(number),
      mDescription(description.empty() ? StandardDescription(number) : std::move(description)) {}

std::string StandardDescription(int number) {
  switch (number) {
    case kInvalidProcedureCall: return "Invalid procedure call or argument";
    case kOverflow: return "Overflow";
    case kOutOfMemory: return "Out of memory";
    case kSubscriptOutOfRange: return "Subscript out of range";
    case kTypeMismatch: return "Type mismatch";
    case kInternalError: return "Internal error";
    case kObjectNotSet: return "Object variable or With block variable not set";
    case kControlArrayElementMissing: return "Control array element doesn't exist";
    case kInvalidPropertyValue: return "Invalid property value";
    case kCannotOpenClipboard: return "Can't open Clipboard";
    case kLoadError: return "Error loading from file";
    default: return "Application-defined or object-defined error";
  }
}

void Raise(int number, const std::string& detail) {
  std::string description = StandardDescription(number);
  if (!detail.empty()) description += ": " + detail;
  throw RuntimeError(number, std::move(description));
}

}  // namespace runtime
