// SPDX-License-Identifier: MIT
#include "runtime/design/gbk.h"

#include <array>
#include <cstdint>
#include <memory>

namespace runtime {
namespace {

#include "runtime/design/gbk_table.inc"

constexpr unsigned kFirstLead = 0x81;
constexpr unsigned kLastLead = 0xFE;
constexpr std::size_t kTrailCount = 190;
constexpr char16_t kReplacement = 0xFFFD;

// The character a lead and a trail byte make together; 0 for none.
char16_t PairOf(unsigned lead, unsigned trail) {
  if (lead < kFirstLead || lead > kLastLead || trail < 0x40 || trail == 0x7F || trail == 0xFF) return 0;
  const std::size_t column = trail < 0x7F ? trail - 0x40 : trail - 0x41;
  return kGbkPairs[(lead - kFirstLead) * kTrailCount + column];
}

// For each UTF-16 unit from 0x80 up, its GBK code: a pair as lead << 8 |
// trail, a byte by itself as that byte; 0 for none. Made when first needed
// (a few dozen texts at start-up), from the same table decoding uses, so
// the two always agree.
using Codes = std::array<std::uint16_t, 0x10000>;

const Codes& CodesByUnit() {
  static const std::unique_ptr<const Codes> codes = [] {
    auto made = std::make_unique<Codes>();
    for (unsigned b = 0x80; b <= 0xFF; ++b) {
      if (kGbkSingle[b - 0x80] != 0) (*made)[kGbkSingle[b - 0x80]] = static_cast<std::uint16_t>(b);
    }
    for (std::size_t i = 0; i < std::size(kGbkPairs); ++i) {
      if (kGbkPairs[i] == 0) continue;
      const unsigned lead = kFirstLead + static_cast<unsigned>(i / kTrailCount);
      const unsigned column = static_cast<unsigned>(i % kTrailCount);
      const unsigned trail = column < 0x3F ? 0x40 + column : 0x41 + column;
      (*made)[kGbkPairs[i]] = static_cast<std::uint16_t>(lead << 8 | trail);
    }
    return made;
  }();
  return *codes;
}

}  // namespace

std::u16string DecodeGbk(std::string_view bytes) {
  std::u16string text;
  text.reserve(bytes.size());
  for (std::size_t i = 0; i < bytes.size(); ++i) {
    const auto byte = static_cast<unsigned char>(bytes[i]);
    if (byte < 0x80) {
      text.push_back(byte);
    } else if (kGbkSingle[byte - 0x80] != 0) {
      text.push_back(kGbkSingle[byte - 0x80]);
    } else if (const char16_t pair = i + 1 < bytes.size() ? PairOf(byte, static_cast<unsigned char>(bytes[i + 1])) : 0;
               pair != 0) {
      text.push_back(pair);
      ++i;
    } else {
      // A byte that starts no character, or a lead byte whose trail is
      // missing or wrong: only this byte is lost, as the one after it may
      // well start a character of its own.
      text.push_back(kReplacement);
    }
  }
  return text;
}

std::string EncodeGbk(std::u16string_view text) {
  std::string bytes;
  bytes.reserve(text.size() * 2);
  for (const char16_t unit : text) {
    if (unit < 0x80) {
      bytes.push_back(static_cast<char>(unit));
      continue;
    }
    const std::uint16_t code = CodesByUnit()[unit];
    if (code == 0) {
      bytes.push_back('?');
    } else if (code > 0xFF) {
      bytes.push_back(static_cast<char>(code >> 8));
      bytes.push_back(static_cast<char>(code & 0xFF));
    } else {
      bytes.push_back(static_cast<char>(code));
    }
  }
  return bytes;
}

}  // namespace runtime
