// SPDX-License-Identifier: MIT
#include "calc/size_formulas.h"

#include <cmath>

#include "calc/conversions.h"

namespace calc {
namespace {

// Every step of the formulas is checked: an infinity or NaN means the double
// arithmetic overflowed (or went invalid) and the size has no answer.
bool Finite(double value) { return std::isfinite(value); }

}  // namespace

Result<std::string> Fat32SizeText(std::string_view input) {
  const Result<double> n = TextToNumber(input);
  if (!n.Ok()) return n.Error();
  const double a = (n.Value() - 1) * 4;
  if (!Finite(a)) return Failure::Overflow;
  // The second term reads the input afresh, as the formula always has; the
  // conversion is pure, so it gives the same number.
  const Result<double> again = TextToNumber(input);
  if (!again.Ok()) return again.Error();
  const double f = a + again.Value() * 1024;
  if (!Finite(f)) return Failure::Overflow;
  return ToFieldText(f);
}

Result<std::string> NtfsSizeText(std::string_view input) {
  const Result<double> n = TextToNumber(input);
  if (!n.Ok()) return n.Error();
  const double q = n.Value() * 1024 / CylinderSizeMb + 1;
  if (!Finite(n.Value() * 1024) || !Finite(q)) return Failure::Overflow;
  const double k = Fix(q);
  const double r = k * CylinderSizeMb + 1;
  if (!Finite(r)) return Failure::Overflow;
  return ToFieldText(Fix(r));
}

bool ExceedsFat32Limit(std::string_view input) { return Val(input) > Fat32LimitGb; }

}  // namespace calc
