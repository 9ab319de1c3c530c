// SPDX-License-Identifier: MIT
// Writes the GBK table that runtime/design/gbk.cpp decodes and encodes
// with, read from the C library's GBK converter, so that every system
// decodes the designs' texts as Linux always has. The build never runs
// this; its output is committed. Run it again only to check the table:
//
//   build-test/tools/gbk_table/zorvane_gbk_table runtime/design/gbk_table.inc
#include <iconv.h>

#include <cstdio>
#include <optional>
#include <string>
#include <vector>

namespace {

constexpr unsigned kFirstLead = 0x81;
constexpr unsigned kLastLead = 0xFE;
constexpr int kLeadCount = kLastLead - kFirstLead + 1;
constexpr int kTrailCount = 190;  // 0x40-0xFE without 0x7F

unsigned TrailByte(int index) { return index < 0x3F ? 0x40 + index : 0x41 + index; }
bool InTable(unsigned trail) { return trail >= 0x40 && trail != 0x7F && trail != 0xFF; }

// What the converter makes of `bytes` alone, or nothing when it refuses
// them (or stops short of their end).
std::optional<std::string> Convert(iconv_t converter, const std::string& bytes) {
  iconv(converter, nullptr, nullptr, nullptr, nullptr);
  char* in = const_cast<char*>(bytes.data());
  std::size_t inLeft = bytes.size();
  char out[16];
  char* to = out;
  std::size_t toLeft = sizeof out;
  if (iconv(converter, &in, &inLeft, &to, &toLeft) == static_cast<std::size_t>(-1)) return std::nullopt;
  return std::string(out, sizeof out - toLeft);
}

// The one UTF-16 unit `bytes` decode to; 0 when they are refused, and -1
// when they decode to anything else.
long Decode(iconv_t decoder, const std::string& bytes) {
  const auto units = Convert(decoder, bytes);
  if (!units) return 0;
  if (units->size() != 2) return -1;
  return static_cast<unsigned char>((*units)[0]) | static_cast<unsigned char>((*units)[1]) << 8;
}

bool Fail(const char* what, unsigned code) {
  std::fprintf(stderr, "%s: %04X\n", what, code);
  return false;
}

// The table holds the whole converter only if every pair outside it is
// refused and every character encodes to the one code that decodes to it;
// a C library that broke that would need more than a table.
bool Check(iconv_t encoder, iconv_t decoder, const std::vector<long>& single, const std::vector<long>& pairs) {
  std::vector<std::string> encoded(0x10000);
  for (unsigned b = 0x80; b <= 0xFF; ++b) {
    if (single[b - 0x80] != 0) encoded[single[b - 0x80]] = std::string(1, static_cast<char>(b));
  }
  for (int i = 0; i < kLeadCount * kTrailCount; ++i) {
    if (pairs[i] == 0) continue;
    if (!encoded[pairs[i]].empty()) return Fail("two codes decode to", static_cast<unsigned>(pairs[i]));
    encoded[pairs[i]] = {static_cast<char>(kFirstLead + i / kTrailCount),
                         static_cast<char>(TrailByte(i % kTrailCount))};
  }
  for (unsigned lead = kFirstLead; lead <= kLastLead; ++lead) {
    for (unsigned trail = 0; trail <= 0xFF; ++trail) {
      if (InTable(trail) || single[lead - 0x80] != 0) continue;
      if (Convert(decoder, {static_cast<char>(lead), static_cast<char>(trail)})) {
        return Fail("a pair outside the table decodes", lead << 8 | trail);
      }
    }
  }
  for (unsigned unit = 0x80; unit <= 0xFFFF; ++unit) {
    const char text[2] = {static_cast<char>(unit & 0xFF), static_cast<char>(unit >> 8)};
    if (Convert(encoder, std::string(text, 2)).value_or("") != encoded[unit]) {
      return Fail("a character encodes to another code than decodes to it", unit);
    }
  }
  return true;
}

void WriteArray(std::FILE* out, const char* name, const std::vector<long>& values, int perLine) {
  std::fprintf(out, "inline constexpr char16_t %s[%zu] = {\n", name, values.size());
  for (std::size_t i = 0; i < values.size(); ++i) {
    const bool lineEnds = (i + 1) % static_cast<std::size_t>(perLine) == 0 || i + 1 == values.size();
    std::fprintf(out, "0x%04lX,%s", values[i], lineEnds ? "\n" : "");
  }
  std::fprintf(out, "};\n");
}

}  // namespace

int main(int argc, char** argv) {
  if (argc != 2) {
    std::fprintf(stderr, "usage: %s OUTPUT\n", argv[0]);
    return 2;
  }
  const iconv_t decoder = iconv_open("UTF-16LE", "GBK");
  const iconv_t encoder = iconv_open("GBK", "UTF-16LE");
  if (decoder == reinterpret_cast<iconv_t>(-1) || encoder == reinterpret_cast<iconv_t>(-1)) {
    std::fprintf(stderr, "the C library has no GBK converter\n");
    return 1;
  }
  std::vector<long> single(0x80);
  for (unsigned b = 0x80; b <= 0xFF; ++b) single[b - 0x80] = Decode(decoder, std::string(1, static_cast<char>(b)));
  std::vector<long> pairs(kLeadCount * kTrailCount);
  for (int i = 0; i < kLeadCount * kTrailCount; ++i) {
    // A lead byte that is a character by itself would make the pair two.
    if (single[kFirstLead + i / kTrailCount - 0x80] != 0) continue;
    pairs[i] = Decode(decoder, {static_cast<char>(kFirstLead + i / kTrailCount),
                                static_cast<char>(TrailByte(i % kTrailCount))});
  }
  // Each code must stand for one character of the basic plane.
  for (const auto* values : {&single, &pairs}) {
    for (const long unit : *values) {
      if (unit < 0 || (unit >= 0xD800 && unit < 0xE000)) {
        std::fprintf(stderr, "a code decodes to no one character\n");
        return 1;
      }
    }
  }
  if (!Check(encoder, decoder, single, pairs)) return 1;

  std::FILE* out = std::fopen(argv[1], "w");
  if (out == nullptr) {
    std::perror(argv[1]);
    return 1;
  }
  std::fprintf(out,
               "// SPDX-License-Identifier: MIT\n"
               "// Written by tools/gbk_table from the C library's GBK converter; do not edit.\n"
               "// kGbkSingle: bytes 0x80-0xFF that are a character by themselves, 0 for none.\n"
               "// kGbkPairs: lead bytes 0x81-0xFE, each with its trail bytes 0x40-0x7E and\n"
               "// 0x80-0xFE (190 a row), 0 where the pair is no character.\n");
  WriteArray(out, "kGbkSingle", single, 16);
  WriteArray(out, "kGbkPairs", pairs, kTrailCount / 10);
  if (std::fclose(out) != 0) {
    std::perror(argv[1]);
    return 1;
  }
  return 0;
}
