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

namespace {

void Check(bool condition, const char* what) {
  if (!condition) {
    std::fprintf(stderr, "property failed: %s\n", what);
    std::abort();
  }
}

std::string ToText(__int128 value) {
  if (value == 0) return "0";
  const bool negative = value < 0;
  if (negative) value = -value;
  std::string digits;
  while (value > 0) {
    digits.insert(digits.begin(), static_cast<char>('0' + static_cast<int>(value % 10)));
    value /= 10;
  }
  return negative ? "-" + digits : digits;
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

  // Digit strings of up to nine digits: exactly the integer formulas.
  const std::string_view digits = text.substr(0, std::min<std::size_t>(text.size(), 64));
  bool allDigits = !digits.empty() && digits.size() == text.size();
  for (char c : digits) allDigits = allDigits && c >= '0' && c <= '9';
  std::size_t significant = digits.find_first_not_of('0');
  if (allDigits && (significant == std::string_view::npos || digits.size() - significant <= 9)) {
    __int128 n = 0;
    for (char c : digits) n = n * 10 + (c - '0');
    Check(strict.Ok() && strict.Value() == static_cast<double>(n), "a digit string converts exactly");
    const __int128 k = n * 2097152 / 16065 + 1;
    Check(fat32.Ok() && fat32.Value() == ToText(1028 * n - 4), "FAT32 = 1028 N - 4");
    Check(ntfs.Ok() && ntfs.Value() == ToText(k * 16065 / 2048 + 1), "NTFS in whole cylinders");
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
