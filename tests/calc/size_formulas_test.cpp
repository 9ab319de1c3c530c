// SPDX-License-Identifier: MIT
#include "calc/size_formulas.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <string>

namespace {

struct WorkedValue {
  const char* input;
  const char* fat32;
  const char* ntfs;
  bool exceeds;
};

// The values a user reads off the window for typical sizes, worked out by hand.
const WorkedValue kWorkedValues[] = {
    {"0", "-4", "8", false},
    {"1", "1024", "1028", false},
    {"2", "2052", "2056", false},
    {"10", "10276", "10245", false},
    {"32", "32892", "32774", false},
    {"33", "33920", "33793", true},
    {"100", "102796", "102407", true},
    {"500", "513996", "512002", true},
    {"1000", "1027996", "1024003", true},
    {"16065", "16514816", "16450568", true},
    {"999999", "1027998968", "1023998977", true},
    {"007", "7192", "7170", false},
};

TEST(SizeFormulas, WorkedValues) {
  for (const auto& row : kWorkedValues) {
    SCOPED_TRACE(row.input);
    const auto fat32 = calc::Fat32SizeText(row.input);
    const auto ntfs = calc::NtfsSizeText(row.input);
    ASSERT_TRUE(fat32.Ok());
    ASSERT_TRUE(ntfs.Ok());
    EXPECT_EQ(fat32.Value(), row.fat32);
    EXPECT_EQ(ntfs.Value(), row.ntfs);
    EXPECT_EQ(calc::ExceedsFat32Limit(row.input), row.exceeds);
  }
}

// Every size a user can type: the double arithmetic must agree with exact
// integer arithmetic, F = 1028N - 4, K = floor(2097152N / 16065) + 1,
// M = floor(16065K / 2048) + 1.
TEST(SizeFormulas, EveryTypableInputMatchesExactArithmetic) {
  for (std::int64_t n = 0; n <= 999999; ++n) {
    const std::string input = std::to_string(n);
    const std::int64_t f = 1028 * n - 4;
    const std::int64_t k = 2097152 * n / 16065 + 1;
    const std::int64_t m = 16065 * k / 2048 + 1;
    const auto fat32 = calc::Fat32SizeText(input);
    const auto ntfs = calc::NtfsSizeText(input);
    if (!fat32.Ok() || !ntfs.Ok() || fat32.Value() != std::to_string(f) ||
        ntfs.Value() != std::to_string(m) || calc::ExceedsFat32Limit(input) != (n > 32)) {
      FAIL() << "input " << n;
    }
  }
}

// The exact answers for a whole size n, as the integer formulas give them.
struct ExactSizes {
  std::string fat32;
  std::string ntfs;
};

ExactSizes Exact(std::int64_t n) {
  const std::int64_t k = 2097152 * n / 16065 + 1;
  return {std::to_string(1028 * n - 4), std::to_string(16065 * k / 2048 + 1)};
}

// Beyond the window, as the companion reads sizes: the double arithmetic stays
// exact up to LargestExactSizeGb and slips at the very next size, so the
// bound is neither too low nor too high. Every size from 1 up to it was
// compared once, in 45 s; these spans keep the edge where any slip starts.
TEST(SizeFormulas, ExactUpToTheLargestExactSize) {
  const auto largest = static_cast<std::int64_t>(calc::LargestExactSizeGb);
  const std::int64_t spans[][2] = {
      {(std::int64_t{1} << 31) - 20000, (std::int64_t{1} << 31) + 20000},
      {(std::int64_t{1} << 32) - 100000, largest},
  };
  for (const auto& span : spans) {
    for (std::int64_t n = span[0]; n <= span[1]; ++n) {
      const std::string input = std::to_string(n);
      const ExactSizes exact = Exact(n);
      const auto fat32 = calc::Fat32SizeText(input);
      const auto ntfs = calc::NtfsSizeText(input);
      if (!fat32.Ok() || !ntfs.Ok() || fat32.Value() != exact.fat32 || ntfs.Value() != exact.ntfs) {
        FAIL() << "input " << n;
      }
    }
  }
  const std::string past = std::to_string(largest + 1);
  const auto ntfs = calc::NtfsSizeText(past);
  ASSERT_TRUE(ntfs.Ok());
  EXPECT_NE(ntfs.Value(), Exact(largest + 1).ntfs) << past;
}

struct Rejected {
  const char* input;
  calc::Failure failure;
  bool exceeds;
};

// Texts that can only arrive by pasting or by a write from code: the sizes have
// no answer and the field keeps its old value, while the limit rule still reads
// the leading number.
const Rejected kRejected[] = {
    {"", calc::Failure::TypeMismatch, false},
    {"abc", calc::Failure::TypeMismatch, false},
    {"40abc", calc::Failure::TypeMismatch, true},
    {"3 3", calc::Failure::TypeMismatch, true},  // the limit rule reads 33
    {"1E400", calc::Failure::Overflow, true},
    {"-1E400", calc::Failure::Overflow, false},
    {"1E306", calc::Failure::Overflow, true},
    {"&H21", calc::Failure::TypeMismatch, true},
    {"数据", calc::Failure::TypeMismatch, false},
};

TEST(SizeFormulas, TextsWithoutASizeFailAndTheLimitRuleStillAnswers) {
  for (const auto& row : kRejected) {
    SCOPED_TRACE(row.input);
    const auto fat32 = calc::Fat32SizeText(row.input);
    const auto ntfs = calc::NtfsSizeText(row.input);
    ASSERT_FALSE(fat32.Ok());
    ASSERT_FALSE(ntfs.Ok());
    EXPECT_EQ(fat32.Error(), row.failure);
    EXPECT_EQ(ntfs.Error(), row.failure);
    EXPECT_EQ(calc::ExceedsFat32Limit(row.input), row.exceeds);
  }
  EXPECT_FALSE(calc::ExceedsFat32Limit("32"));
}

TEST(SizeFormulas, PastedNumbersThatAreNotWholeGigabytes) {
  struct Row {
    const char* input;
    const char* fat32;
    const char* ntfs;
  };
  const Row rows[] = {
      {"1.5", "1538", "1538"},
      {"0.1", "98.8", "110"},
      {"-1", "-1032", "-1010"},  // both truncations round toward zero
      {" 12 ", "12332", "12292"},
      {"+3", "3080", "3075"},
      {"1e3", "1027996", "1024003"},
      {"1E15", "1.028E+18", "1.024E+18"},
  };
  for (const auto& row : rows) {
    SCOPED_TRACE(row.input);
    ASSERT_TRUE(calc::Fat32SizeText(row.input).Ok());
    ASSERT_TRUE(calc::NtfsSizeText(row.input).Ok());
    EXPECT_EQ(calc::Fat32SizeText(row.input).Value(), row.fat32);
    EXPECT_EQ(calc::NtfsSizeText(row.input).Value(), row.ntfs);
  }
}

// Between the two overflow thresholds only the FAT32 size overflows: the sizes
// are independent, so the NTFS size is still given.
TEST(SizeFormulas, EachSizeFailsOnItsOwn) {
  const char* input = "1.75E305";
  const auto fat32 = calc::Fat32SizeText(input);
  ASSERT_FALSE(fat32.Ok());
  EXPECT_EQ(fat32.Error(), calc::Failure::Overflow);
  EXPECT_TRUE(calc::NtfsSizeText(input).Ok());
}

}  // namespace
