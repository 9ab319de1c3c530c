// SPDX-License-Identifier: MIT
#pragma once

#include <optional>
#include <utility>

#include "runtime/runtime_error.h"

namespace test_support {

// The run-time error that `body` raises, or none when it runs through.
template <class Body>
std::optional<runtime::RuntimeError> RaisedBy(Body&& body) {
  try {
    std::forward<Body>(body)();
  } catch (const runtime::RuntimeError& error) {
    return error;
  }
  return std::nullopt;
}

// The number of the run-time error that `body` raises; 0 when it raises none.
template <class Body>
int ErrorNumberOf(Body&& body) {
  const std::optional<runtime::RuntimeError> error = RaisedBy(std::forward<Body>(body));
  return error ? error->Number() : 0;
}

}  // namespace test_support
