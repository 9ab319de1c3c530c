// SPDX-License-Identifier: MIT
#include <gtest/gtest.h>

#include <cstdio>
#include <string>

#include "program_under_test.h"

namespace {
std::string gProgram;
}  // namespace

const std::string& x11_test::ProgramUnderTest() { return gProgram; }

int main(int argc, char** argv) {
  ::testing::InitGoogleTest(&argc, argv);
  if (argc != 2) {
    std::fprintf(stderr, "usage: %s path/to/zorvane [gtest options]\n", argv[0]);
    return 2;
  }
  gProgram = argv[1];
  return RUN_ALL_TESTS();
}
