// SPDX-License-Identifier: MIT
#pragma once

#include <string>
#include <string_view>

#include "calc/result.h"

// The number conversions the size formulas rely on. Texts are UTF-8; only
// ASCII characters ever form part of a number, so any other byte simply ends
// or spoils one. Nothing here depends on the process locale.
namespace calc {

// Strict: the whole text must be one number. Blanks (space, tab) may stand
// around it; then an optional sign, digits with an optional "." fraction, and
// an optional exponent (E or e, optional sign, digits). Anything else fails
// with TypeMismatch; a number beyond the range of a double fails with Overflow.
Result<double> TextToNumber(std::string_view text);

// Lenient: the number the text begins with, or 0. Blanks, tabs and line feeds
// are skipped wherever they stand; reading stops at the first character that
// cannot continue the number. "&H" and "&O" start hexadecimal and octal
// numbers. A number beyond the range of a double reads as an infinity of its
// sign. Never fails.
double Val(std::string_view text);

// Up to 15 significant digits. Plain digits (with "-" and a "." fraction where
// needed) when they take at most 15 digits, the exponent form "1.028E+303"
// otherwise. Whole numbers below 10^15 are always plain digits.
std::string NumberToText(double value);

// The text a field shows for a computed value: NumberToText, read back with
// Val, written again. Fails with Overflow when the rounded text no longer
// reads as a finite number (values within a hair of the largest double).
Result<std::string> ToFieldText(double value);

// Truncation toward zero.
double Fix(double value);

}  // namespace calc
