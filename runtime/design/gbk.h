// SPDX-License-Identifier: MIT
// Form captions, tooltips, menu captions and font names are stored in the
// GBK code page. This converts them to and from UTF-16 by a table of our
// own, the same on every system; what the texts are for is the caller's.
#pragma once

#include <string>
#include <string_view>

namespace runtime {

// Bytes that are not GBK decode to U+FFFD rather than fail: each byte that
// starts no character becomes one U+FFFD, and decoding goes on with the
// byte after it.
std::u16string DecodeGbk(std::string_view bytes);

// Characters GBK cannot hold become "?", one for each UTF-16 unit (so two
// for a character beyond the basic plane).
std::string EncodeGbk(std::u16string_view text);

}  // namespace runtime
