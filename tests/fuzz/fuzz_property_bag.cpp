// SPDX-License-Identifier: MIT
// Any bytes as a control's saved settings: either a bag that writes back the
// very same bytes, or a load error; never a crash or a read past the end.
#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string_view>

#include "runtime/win32/gdi.h"
#include "runtime/design/property_bag.h"
#include "runtime/runtime_error.h"
#include "qt_fuzz_setup.h"

extern "C" int LLVMFuzzerInitialize(int* argc, char*** argv) {
  fuzz_support::StartQt(argc, argv);
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
  fuzz_support::Housekeeping();
  fuzz_support::CountInput();
  return 0;
}
