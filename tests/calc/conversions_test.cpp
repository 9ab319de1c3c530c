// SPDX-License-Identifier: MIT
#include "calc/conversions.h"

#include <gtest/gtest.h>

#include <cfloat>
#include <cmath>
#include <limits>
#include <random>
#include <string>

namespace {

using calc::Failure;

struct Strict {
  const char* text;
  double value;
};

TEST(TextToNumber, AcceptsOneWholeNumber) {
  const Strict rows[] = {
      {"0", 0},       {"007", 7},          {"999999", 999999}, {" 42\t", 42},
      {"-5", -5},     {"+5", 5},           {"1.5", 1.5},       {".5", 0.5},
      {"5.", 5},      {"1e3", 1000},       {"1E+3", 1000},     {"25e-1", 2.5},
      {"1E-400", 0},  {"000000000000000000000001", 1},
  };
  for (const auto& row : rows) {
    SCOPED_TRACE(row.text);
    const auto result = calc::TextToNumber(row.text);
    ASSERT_TRUE(result.Ok());
    EXPECT_EQ(result.Value(), row.value);
  }
}

TEST(TextToNumber, RejectsEverythingElse) {
  const char* typeMismatch[] = {"",   " ",   "abc", "40abc", "1 2", "1,000", "1e",
                                "e5", "-",   ".",   "+-1",   "1e+", "&H10", "1.2.3",
                                "1\n", "５"};
  for (const char* text : typeMismatch) {
    SCOPED_TRACE(text);
    const auto result = calc::TextToNumber(text);
    ASSERT_FALSE(result.Ok());
    EXPECT_EQ(result.Error(), Failure::TypeMismatch);
  }
  for (const char* text : {"1E400", "-1E400", "1e99999999999999999999"}) {
    SCOPED_TRACE(text);
    const auto result = calc::TextToNumber(text);
    ASSERT_FALSE(result.Ok());
    EXPECT_EQ(result.Error(), Failure::Overflow);
  }
}

TEST(Val, ReadsTheLeadingNumber) {
  const double inf = std::numeric_limits<double>::infinity();
  const Strict rows[] = {
      {"", 0},           {"abc", 0},       {"40abc", 40},     {"007", 7},
      {" 1 2\t3\n", 123}, {"-5", -5},      {"1.5.5", 1.5},    {"1e3x", 1000},
      {"1e", 1},         {"1e+", 1},       {"&H1F", 31},      {"&hff", 255},
      {"&O17", 15},      {"&H", 0},        {"&X1", 0},        {"1E400", inf},
      {"-1E400", -inf},  {"1E-400", 0},    {"数据", 0},       {"33", 33},
      {"&O8", 0},        {"&O178", 15},    {"&HFG", 15},
  };
  for (const auto& row : rows) {
    SCOPED_TRACE(row.text);
    EXPECT_EQ(calc::Val(row.text), row.value);
  }
}

struct Written {
  double value;
  const char* text;
};

TEST(NumberToText, WholeNumbersArePlainDigitsAndTheRestHasFifteenDigits) {
  const Written rows[] = {
      {0, "0"},
      {-0.0, "0"},
      {-4, "-4"},
      {1027998968, "1027998968"},
      {999999999999999, "999999999999999"},
      {1e15, "1E+15"},
      {1.028e303, "1.028E+303"},
      {-2.5e-20, "-2.5E-20"},
      {98.80000000000001, "98.8"},
      {0.00001, "0.00001"},
      {1.0 / 3, "0.333333333333333"},
      {123456.789, "123456.789"},
      {DBL_MAX, "1.79769313486232E+308"},
  };
  for (const auto& row : rows) {
    SCOPED_TRACE(row.text);
    EXPECT_EQ(calc::NumberToText(row.value), row.text);
  }
}

TEST(ToFieldText, RoundTripsThroughTheLenientReading) {
  EXPECT_EQ(calc::ToFieldText(1023998977).Value(), "1023998977");
  EXPECT_EQ(calc::ToFieldText(1.0 / 3).Value(), "0.333333333333333");
  // Fifteen digits of the largest double read back as a number beyond it.
  EXPECT_EQ(calc::ToFieldText(DBL_MAX).Error(), Failure::Overflow);
}

TEST(Fix, TruncatesTowardZero) {
  EXPECT_EQ(calc::Fix(2.9), 2);
  EXPECT_EQ(calc::Fix(-2.9), -2);
  EXPECT_EQ(calc::Fix(131.5416744475568), 131);
}

// Whatever a user pastes, the conversions answer without crashing, the strict
// one agrees with the lenient one when it accepts, and a number written out
// reads back as itself to fifteen digits.
TEST(Conversions, ArbitraryBytesNeverCrashAndAgree) {
  std::mt19937 random(20261207);
  const std::string alphabet = "0123456789+-.eEHhOo& \t\nx\xe6\x95\xb0";
  std::uniform_int_distribution<int> length(0, 12);
  std::uniform_int_distribution<int> pickAlphabet(0, 1);
  std::uniform_int_distribution<int> byte(0, 255);
  std::uniform_int_distribution<std::size_t> index(0, alphabet.size() - 1);
  for (int round = 0; round < 50000; ++round) {
    std::string text;
    const int n = length(random);
    for (int i = 0; i < n; ++i) {
      text += pickAlphabet(random) ? alphabet[index(random)] : static_cast<char>(byte(random));
    }
    const auto strict = calc::TextToNumber(text);
    const double lenient = calc::Val(text);
    if (strict.Ok() && text.find('\n') == std::string::npos) {
      ASSERT_EQ(strict.Value(), lenient) << text;
    }
    if (std::isfinite(lenient)) {
      const std::string written = calc::NumberToText(lenient);
      const auto back = calc::TextToNumber(written);
      ASSERT_TRUE(back.Ok()) << written;
      ASSERT_EQ(calc::NumberToText(back.Value()), written) << text;
    }
  }
}

}  // namespace
