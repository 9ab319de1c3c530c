// SPDX-License-Identifier: MIT
// Runs a fuzz target's inputs over and over, without the fuzzer, and prints
// the bytes the process holds on its heap after each pass. The first pass
// fills whatever caches the inputs reach; after it, memory that still grows
// from pass to pass is memory the inputs leave behind.
//
//   heap_replay_form_design PASSES FILE...
//
// With HEAP_REPLAY_PROFILE set, it ends with the allocation stacks that hold
// the most of what is left.
#include <sanitizer/allocator_interface.h>
#include <sanitizer/common_interface_defs.h>

#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

extern "C" int LLVMFuzzerInitialize(int* argc, char*** argv);
extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size);

int main(int argc, char** argv) {
  if (argc < 3) {
    std::fprintf(stderr, "usage: %s PASSES FILE...\n", argv[0]);
    return 2;
  }
  const long passes = std::strtol(argv[1], nullptr, 10);
  std::vector<std::string> inputs;
  for (int i = 2; i < argc; ++i) {
    std::ifstream file(argv[i], std::ios::binary);
    inputs.emplace_back(std::istreambuf_iterator<char>(file), std::istreambuf_iterator<char>());
  }
  LLVMFuzzerInitialize(&argc, &argv);
  for (long pass = 1; pass <= passes; ++pass) {
    for (const std::string& input : inputs) {
      LLVMFuzzerTestOneInput(reinterpret_cast<const std::uint8_t*>(input.data()), input.size());
    }
    std::printf("pass %ld: %zu bytes live\n", pass, __sanitizer_get_current_allocated_bytes());
    std::fflush(stdout);
  }
  if (std::getenv("HEAP_REPLAY_PROFILE") != nullptr) __sanitizer_print_memory_profile(90, 25);
  return 0;
}
