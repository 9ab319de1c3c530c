// SPDX-License-Identifier: MIT
// Any bytes as a control's saved settings: either a bag that writes back the
// very same bytes, or a load error; never a crash or a read past the end.
// The pictures a bag holds live on the window system made for tests.
#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string_view>

#include "front_end/test_window_system.h"
#include "fuzz_setup.h"
#include "runtime/design/property_bag.h"
#include "runtime/runtime_error.h"
#include "runtime/win32/gdi.h"

extern "C" int LLVMFuzzerInitialize(int* /*argc*/, char*** /*argv*/) {
  // Never torn down: libFuzzer ends the process with exit().
  new test_front_end::TestWindowSystem;
  return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const std::string_view bytes(reinterpret_cast<const char*>(data), size);
  const runtime::gdi::ObjectCounts before = runtime::gdi::LiveObjects();
  try {
    const runtime::PropertyBag bag = runtime::PropertyBag::FromBytes(bytes);
    if (bag.ToBytes() != bytes) {
      std::fprintf(stderr, "a bag did not write back its own bytes\n");
      std::abort();
    }
  } catch (const runtime::RuntimeError& error) {
    if (error.Number() != runtime::kLoadError) std::abort();
  }
  if (!(runtime::gdi::LiveObjects() == before)) {
    std::fprintf(stderr, "pictures were left behind\n");
    std::abort();
  }
  fuzz_support::CountInput();
  return 0;
}
