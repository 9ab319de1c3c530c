// SPDX-License-Identifier: MIT
#pragma once

#include <string>
#include <string_view>

namespace runtime {

// Form captions, tooltips, menu captions and font names are stored in the
// GBK code page. Bytes that are not GBK decode to U+FFFD rather than fail.
std::u16string DecodeGbk(std::string_view bytes);

// Characters GBK cannot hold become "?".
std::string EncodeGbk(std::u16string_view text);

}  // namespace runtime
