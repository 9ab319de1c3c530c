// SPDX-License-Identifier: MIT
// Interim: the C library's converter, until the table-driven codec lands.
#include "runtime/design/gbk.h"

#if defined(_WIN32)
#include "/tmp/winbuild/gbk_tmp.cpp"
#else
#include <iconv.h>

#include <algorithm>
#include <cerrno>

namespace runtime {

std::u16string DecodeGbk(std::string_view bytes) {
  static const iconv_t converter = iconv_open("UTF-16LE", "GBK");
  iconv(converter, nullptr, nullptr, nullptr, nullptr);
  std::u16string out;
  char* in = const_cast<char*>(bytes.data());
  std::size_t inLeft = bytes.size();
  char16_t buffer[256];
  while (inLeft > 0) {
    char* to = reinterpret_cast<char*>(buffer);
    std::size_t toLeft = sizeof buffer;
    const std::size_t result = iconv(converter, &in, &inLeft, &to, &toLeft);
    out.append(buffer, (sizeof buffer - toLeft) / sizeof(char16_t));
    if (result == static_cast<std::size_t>(-1) && errno != E2BIG) {
      out.push_back(0xFFFD);
      ++in;
      --inLeft;
    }
  }
  return out;
}

std::string EncodeGbk(std::u16string_view text) {
  static const iconv_t converter = iconv_open("GBK", "UTF-16LE");
  iconv(converter, nullptr, nullptr, nullptr, nullptr);
  std::string out;
  char* in = reinterpret_cast<char*>(const_cast<char16_t*>(text.data()));
  std::size_t inLeft = text.size() * sizeof(char16_t);
  char buffer[256];
  while (inLeft > 0) {
    char* to = buffer;
    std::size_t toLeft = sizeof buffer;
    const std::size_t result = iconv(converter, &in, &inLeft, &to, &toLeft);
    out.append(buffer, sizeof buffer - toLeft);
    if (result == static_cast<std::size_t>(-1) && errno != E2BIG) {
      out.push_back('?');
      in += sizeof(char16_t);
      inLeft -= std::min(inLeft, sizeof(char16_t));
    }
  }
  return out;
}

}  // namespace runtime
#endif
