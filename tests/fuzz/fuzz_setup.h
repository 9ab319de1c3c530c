// SPDX-License-Identifier: MIT
#pragma once

#include <sanitizer/allocator_interface.h>

#include <cstdio>
#include <cstdlib>

namespace fuzz_support {

// With ZORVANE_FUZZ_HEAP_EVERY=N, prints the bytes the process holds on its
// heap after every N inputs, so a long run shows whether memory grows.
inline void CountInput() {
  static const long every = [] {
    const char* text = std::getenv("ZORVANE_FUZZ_HEAP_EVERY");
    return text != nullptr ? std::strtol(text, nullptr, 10) : 0L;
  }();
  static long inputs = 0;
  if (every > 0 && ++inputs % every == 0) {
    std::fprintf(stderr, "heap: %zu bytes live after %ld inputs\n", __sanitizer_get_current_allocated_bytes(),
                 inputs);
  }
}

}  // namespace fuzz_support
