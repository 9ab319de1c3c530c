// SPDX-License-Identifier: MIT
#include "runtime/design/gbk.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <string>
#include <string_view>

#if __has_include(<iconv.h>)
#include <iconv.h>

#include <algorithm>
#include <cerrno>
#include <random>
#endif

namespace {

using runtime::DecodeGbk;
using runtime::EncodeGbk;

// Printable in a failure message: each unit as U+XXXX.
std::string Units(std::u16string_view text) {
  std::string out;
  for (const char16_t unit : text) {
    char buffer[8];
    std::snprintf(buffer, sizeof buffer, "U+%04X ", static_cast<unsigned>(unit));
    out += buffer;
  }
  return out;
}

struct DecodeRow {
  const char* name;
  std::string_view bytes;
  std::u16string_view text;
};

TEST(Gbk, DecodesEachRowAsTheDesignsNeed) {
  const DecodeRow rows[] = {
      {"ascii", "Zorvane 2.0", u"Zorvane 2.0"},
      {"nul and control bytes", std::string_view("a\0\t\x7F", 4), std::u16string_view(u"a\0\t\x7F", 4)},
      {"a caption", "\xB8\xB4\xD6\xC6", u"复制"},
      {"a font name", "\xCE\xA2\xC8\xED\xD1\xC5\xBA\xDA", u"微软雅黑"},
      {"a lead byte with a letter is one character", "\xB8\x41", u"窤"},
      {"a lead byte at the end", "A\xB8", u"A\uFFFD"},
      {"a lead byte before a digit", "\xB8" "1", u"\uFFFD" "1"},
      {"a lead byte before 0x7F", "\x81\x7F", u"\uFFFD\x7F"},
      {"a bad trail starts the next character", "\xFE\xB8\xB4", u"\uFFFD复"},
      {"an unassigned pair loses its lead only", "\xA1\x40", u"\uFFFD@"},
      {"0x80 stands alone for the euro sign", "\x80\xB8\xB4", u"€复"},
      {"0xFF is no character", "\xFF" "a", u"\uFFFD" "a"},
      {"0xFF cannot trail", "\xB8\xFF", u"\uFFFD\uFFFD"},
      {"empty", "", u""},
  };
  for (const DecodeRow& row : rows) {
    EXPECT_EQ(Units(DecodeGbk(row.bytes)), Units(row.text)) << row.name;
  }
}

struct EncodeRow {
  const char* name;
  std::u16string_view text;
  std::string_view bytes;
};

TEST(Gbk, EncodesEachRowAsTheDesignsNeed) {
  const EncodeRow rows[] = {
      {"ascii", u"Zorvane 2.0", "Zorvane 2.0"},
      {"a caption", u"复制", "\xB8\xB4\xD6\xC6"},
      {"a font name", u"微软雅黑", "\xCE\xA2\xC8\xED\xD1\xC5\xBA\xDA"},
      {"the euro sign", u"€", "\x80"},
      {"a character GBK lacks", u"a\u0E01b", "a?b"},
      {"the replacement character", u"\uFFFD", "?"},
      {"beyond the basic plane, one ? a unit", u"\U0001F600", "??"},
      {"a lone high surrogate", u"\xD800" "A", "?A"},
      {"a lone low surrogate at the end", u"A\xDC00", "A?"},
  };
  for (const EncodeRow& row : rows) {
    EXPECT_EQ(EncodeGbk(row.text), row.bytes) << row.name;
  }
}

TEST(Gbk, InterfaceTextsComeBackUnchanged) {
  for (const std::u16string_view text : {u"关闭", u"最小化", u"复制", u"清空", u"数据一", u"微软雅黑", u"宋体"}) {
    EXPECT_EQ(Units(DecodeGbk(EncodeGbk(text))), Units(text));
  }
}

#if __has_include(<iconv.h>)
// Decoding and encoding as the program did through the C library's
// converter: on bytes it refuses, or a text cut inside a character, one
// U+FFFD (or "?") and the converter starts again one unit on.
std::u16string IconvDecode(std::string_view bytes) {
  static const iconv_t converter = iconv_open("UTF-16LE", "GBK");
  iconv(converter, nullptr, nullptr, nullptr, nullptr);
  std::u16string out;
  char* in = const_cast<char*>(bytes.data());
  std::size_t inLeft = bytes.size();
  while (inLeft > 0) {
    char16_t buffer[64];
    char* to = reinterpret_cast<char*>(buffer);
    std::size_t toLeft = sizeof buffer;
    const std::size_t result = iconv(converter, &in, &inLeft, &to, &toLeft);
    out.append(buffer, (sizeof buffer - toLeft) / sizeof(char16_t));
    if (result == static_cast<std::size_t>(-1) && errno != E2BIG) {
      out.push_back(u'\uFFFD');
      ++in;
      --inLeft;
    }
  }
  return out;
}

std::string IconvEncode(std::u16string_view text) {
  static const iconv_t converter = iconv_open("GBK", "UTF-16LE");
  iconv(converter, nullptr, nullptr, nullptr, nullptr);
  std::string out;
  char* in = reinterpret_cast<char*>(const_cast<char16_t*>(text.data()));
  std::size_t inLeft = text.size() * sizeof(char16_t);
  while (inLeft > 0) {
    char buffer[64];
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

TEST(GbkAgainstTheCLibrary, DecodesEveryByteAndEveryPairAlike) {
  int differences = 0;
  for (unsigned code = 0; code <= 0xFFFF && differences < 10; ++code) {
    const char pair[2] = {static_cast<char>(code >> 8), static_cast<char>(code & 0xFF)};
    for (const std::string_view bytes : {std::string_view(pair, 2), std::string_view(pair + 1, 1)}) {
      if (bytes.size() == 1 && code > 0xFF) continue;
      const std::u16string ours = DecodeGbk(bytes);
      const std::u16string theirs = IconvDecode(bytes);
      if (ours != theirs) {
        ++differences;
        ADD_FAILURE() << "bytes " << std::hex << code << ": " << Units(ours) << "instead of " << Units(theirs);
      }
    }
  }
}

TEST(GbkAgainstTheCLibrary, EncodesEveryUnitOfTheBasicPlaneAlike) {
  int differences = 0;
  for (unsigned unit = 0; unit <= 0xFFFF && differences < 10; ++unit) {
    const char16_t text[2] = {static_cast<char16_t>(unit), u'A'};
    for (const std::u16string_view units : {std::u16string_view(text, 1), std::u16string_view(text, 2)}) {
      if (EncodeGbk(units) != IconvEncode(units)) {
        ++differences;
        ADD_FAILURE() << "U+" << std::hex << unit << ": " << EncodeGbk(units) << " instead of " << IconvEncode(units);
      }
    }
  }
}

// Longer mixtures, where a character's bytes meet those of the next.
TEST(GbkAgainstTheCLibrary, DecodesAndEncodesMixedTextsAlike) {
  std::mt19937 random(20240611);
  const unsigned char kBytes[] = {0x00, 0x31, 0x40, 0x41, 0x7E, 0x7F, 0x80, 0x81, 0xA0, 0xA1, 0xA8, 0xB8, 0xD7, 0xFE, 0xFF};
  for (int round = 0; round < 20000; ++round) {
    std::string bytes(random() % 9, '\0');
    for (char& b : bytes) {
      b = static_cast<char>(random() % 2 ? kBytes[random() % std::size(kBytes)] : random() % 256);
    }
    ASSERT_EQ(Units(DecodeGbk(bytes)), Units(IconvDecode(bytes))) << "round " << round;
    std::u16string text(random() % 6, u'\0');
    for (char16_t& unit : text) {
      const unsigned kind = random() % 4;
      unit = static_cast<char16_t>(kind == 0   ? 0xD800 + random() % 0x800
                                   : kind == 1 ? 0x4E00 + random() % 0x5200
                                               : random() % 0x10000);
    }
    ASSERT_EQ(EncodeGbk(text), IconvEncode(text)) << "round " << round << ": " << Units(text);
  }
}
#endif

}  // namespace
