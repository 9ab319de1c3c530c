// SPDX-License-Identifier: MIT
#pragma once

#include <string>
#include <vector>

#include "runtime/program.h"
#include "runtime/runtime_error.h"

namespace test_support {

// Collects the run-time errors a program reports instead of showing them.
struct RecordedErrors {
  explicit RecordedErrors(runtime::Program& program) {
    program.SetErrorSink([this](const runtime::RuntimeError& error) {
      numbers.push_back(error.Number());
      descriptions.push_back(error.Description());
    });
  }
  std::vector<int> numbers;
  std::vector<std::string> descriptions;
};

}  // namespace test_support
