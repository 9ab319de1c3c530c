// SPDX-License-Identifier: MIT
#pragma once

#include <string>
#include <string_view>

// Text is UTF-16 throughout the runtime, as the stored designs and property
// bags hold it and as both window systems' wide interfaces take it. These
// are the few conversions the system needs at its edges.
namespace runtime {

// UTF-8 (an error message, a source literal) as UTF-16; a byte that is not
// part of a valid sequence becomes U+FFFD.
std::u16string Utf16(std::string_view utf8);

// UTF-16 as UTF-8; half of a surrogate pair on its own becomes U+FFFD.
std::string Utf8(std::u16string_view utf16);

// Text of ASCII characters only, as when a number is written: each byte is
// one unit.
std::u16string FromAscii(std::string_view ascii);

// The characters that end a line wherever text is shown.
bool IsLineBreak(char16_t c);
constexpr bool IsHighSurrogate(char16_t c) { return c >= 0xD800 && c <= 0xDBFF; }
constexpr bool IsLowSurrogate(char16_t c) { return c >= 0xDC00 && c <= 0xDFFF; }
constexpr bool IsSurrogate(char16_t c) { return c >= 0xD800 && c <= 0xDFFF; }

// The text with its ASCII letters folded to lower case; other characters
// stay as they are.
std::u16string AsciiLowered(std::u16string_view text);

// Both texts the same once ASCII letters are folded to lower case; other
// characters must match exactly.
bool SameIgnoringAsciiCase(std::u16string_view a, std::u16string_view b);

}  // namespace runtime
