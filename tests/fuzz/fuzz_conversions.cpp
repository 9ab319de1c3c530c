// SPDX-License-Identifier: MIT
// Any bytes as the input field's text: the conversions and both sizes must
// answer without fault, agree with each other, and for digit strings give
// exactly what integer arithmetic gives.
#include <cmath>
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>
#include <string_view>

#include "calc/conversions.h"
#include "calc/size_formulas.h"
#include "expected_sizes.h"

namespace {

void Check(bool condition, const char* what) {
  if (!condition) {
    std::fprintf(stderr, "property failed: %s\n", what);
    std::abort();
  }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const std::string_view text(reinterpret_cast<const char*>(data), size);
  const calc::Result<double> strict = calc::TextToNumber(text);
  const double lenient = calc::Val(text);
  const auto fat32 = calc::Fat32SizeText(text);
  const auto ntfs = calc::NtfsSizeText(text);
  Check(calc::ExceedsFat32Limit(text) == (lenient > 32), "the limit rule reads Val");

  if (!strict.Ok()) {
    Check(!fat32.Ok() && fat32.Error() == strict.Error(), "FAT32 fails as its conversion does");
    Check(!ntfs.Ok() && ntfs.Error() == strict.Error(), "NTFS fails as its conversion does");
  } else {
    Check(strict.Value() == lenient, "a number reads the same strictly and leniently");
  }

  // Digit strings of up to nine significant digits: exactly the integer
  // formulas.
  if (const auto n = fuzz_support::SmallDigitString(text)) {
    Check(strict.Ok() && strict.Value() == static_cast<double>(*n), "a digit string converts exactly");
    Check(fat32.Ok() && fat32.Value() == fuzz_support::ExpectedFat32(*n), "FAT32 = 1028 N - 4");
    Check(ntfs.Ok() && ntfs.Value() == fuzz_support::ExpectedNtfs(*n), "NTFS in whole cylinders");
  }

  // What is written reads back as itself.
  if (std::isfinite(lenient)) {
    const std::string written = calc::NumberToText(lenient);
    const calc::Result<double> back = calc::TextToNumber(written);
    if (back.Ok()) Check(calc::NumberToText(back.Value()) == written, "written numbers read back");
  }
  for (const auto* size : {&fat32, &ntfs}) {
    if (size->Ok()) Check(calc::TextToNumber(size->Value()).Ok(), "a size's text is a number");
  }
  return 0;
}
