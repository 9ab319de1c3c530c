// SPDX-License-Identifier: MIT
#pragma once

#include <string>
#include <string_view>

class QString;

namespace runtime {

// Form captions, tooltips, menu captions and font names are stored in the
// GBK code page. Bytes that are not GBK decode to U+FFFD rather than fail.
QString DecodeGbk(std::string_view bytes);

// Characters GBK cannot hold become "?".
std::string EncodeGbk(const QString& text);

}  // namespace runtime
