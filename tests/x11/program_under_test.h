// SPDX-License-Identifier: MIT
#pragma once

#include <string>

namespace x11_test {

// The program the X tests drive, named on their command line:
// `<test binary> path/to/zorvane [gtest options]`.
const std::string& ProgramUnderTest();

}  // namespace x11_test
