// SPDX-License-Identifier: MIT
#include "runtime/design/gbk.h"

#include <gtest/gtest.h>

#include <string>
#include <string_view>

#if __has_include(<iconv.h>)
#include <iconv.h>

#include <algorithm>
#include <cerrno>
#endif

namespace {

using runtime::DecodeGbk;
using runtime::EncodeGbk;

struct Row {
  const char* name;
  std::string_view bytes;
  std::u16string_view text;
  bool decodes;  // the bytes decode to the text
  bool encodes;  // the text encodes to the bytes
};

TEST(Gbk, ConvertsEachRowAsTheDesignsNeed) {
  const Row rows[] = {
      {"ascii", "Zorvane 2.0", u"Zorvane 2.0", true, true},
      {"a caption", "\xB8\xB4\xD6\xC6", u"复制", true, true},
      {"a font name", "\xCE\xA2\xC8\xED\xD1\xC5\xBA\xDA", u"微软雅黑", true, true},
      {"0x80 alone is the euro sign", "\x80", u"€", true, true},
      {"a lead byte with a letter is one character", "\xB8\x41", u"窤", true, true},
      {"a lead byte at the end", "A\xB8", u"A\uFFFD", true, false},
      {"a lead byte before a digit", "\xB8" "1", u"\uFFFD" "1", true, false},
      {"a bad trail starts the next character", "\xFE\xB8\xB4", u"\uFFFD复", true, false},
      {"an unassigned pair loses its lead only", "\xA1\x40", u"\uFFFD@", true, false},
      {"0xFF is no character", "\xB8\xFF" "a", u"\uFFFD\uFFFD" "a", true, false},
      {"a character GBK lacks", "a?b", u"a\u0E01b", false, true},
      {"beyond the basic plane, one ? a unit", "??", u"\U0001F600", false, true},
      {"lone surrogates", "?A?", u"\xD800" "A\xDC00", false, true},
  };
  for (const Row& row : rows) {
    if (row.decodes) {
      EXPECT_EQ(DecodeGbk(row.bytes), row.text) << row.name;
    }
    if (row.encodes) {
      EXPECT_EQ(EncodeGbk(row.text), row.bytes) << row.name;
    }
  }
}

#if __has_include(<iconv.h>)
// Decoding and encoding as the program did through the C library's
// converter: on bytes it refuses, or a text cut inside a character, one
// U+FFFD (or "?") and the converter starts again one unit on.
template <typename To, typename From>
To Iconv(const char* to, const char* from, From text, typename To::value_type replacement) {
  const iconv_t converter = iconv_open(to, from);
  To out;
  char* in = reinterpret_cast<char*>(const_cast<typename From::value_type*>(text.data()));
  std::size_t inLeft = text.size() * sizeof(typename From::value_type);
  while (inLeft > 0) {
    typename To::value_type buffer[64];
    char* next = reinterpret_cast<char*>(buffer);
    std::size_t nextLeft = sizeof buffer;
    const std::size_t result = iconv(converter, &in, &inLeft, &next, &nextLeft);
    out.append(buffer, (sizeof buffer - nextLeft) / sizeof buffer[0]);
    if (result == static_cast<std::size_t>(-1) && errno != E2BIG) {
      out.push_back(replacement);
      const std::size_t unit = std::min(inLeft, sizeof(typename From::value_type));
      in += unit;
      inLeft -= unit;
    }
  }
  iconv_close(converter);
  return out;
}

TEST(GbkAgainstTheCLibrary, DecodesEveryByteAndEveryPairAlike) {
  int differences = 0;
  for (unsigned code = 0; code <= 0xFFFF && differences < 10; ++code) {
    const char pair[2] = {static_cast<char>(code >> 8), static_cast<char>(code & 0xFF)};
    const std::string_view bytes(code <= 0xFF ? pair + 1 : pair, code <= 0xFF ? 1 : 2);
    const std::u16string theirs = Iconv<std::u16string>("UTF-16LE", "GBK", bytes, u'\uFFFD');
    if (DecodeGbk(bytes) != theirs) {
      ++differences;
      ADD_FAILURE() << "bytes " << std::hex << code << " decode otherwise";
    }
  }
}

TEST(GbkAgainstTheCLibrary, EncodesEveryUnitOfTheBasicPlaneAlike) {
  int differences = 0;
  for (unsigned unit = 0; unit <= 0xFFFF && differences < 10; ++unit) {
    // Alone, and followed by a character: a high surrogate is then a
    // text cut short, and then a broken pair.
    const char16_t text[] = {static_cast<char16_t>(unit), u'A'};
    for (const std::u16string_view units : {std::u16string_view(text, 1), std::u16string_view(text, 2)}) {
      if (EncodeGbk(units) != Iconv<std::string>("GBK", "UTF-16LE", units, '?')) {
        ++differences;
        ADD_FAILURE() << "U+" << std::hex << unit << " encodes otherwise";
      }
    }
  }
}
#endif

}  // namespace
