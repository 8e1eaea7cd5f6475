#include "core/common/conversions.h"

#include <gtest/gtest.h>

#include <cmath>
#include <cstdint>
#include <string>

namespace kiv {
namespace {

struct IntCase {
  const char* text;
  bool ok;
  std::int32_t value;
};

TEST(StrToInt, AcceptsAndRejects) {
  const IntCase cases[] = {
      {"0", true, 0},
      {"42", true, 42},
      {"+42", true, 42},
      {"-42", true, -42},
      {"  17 ", true, 17},
      {"\t8\r\n", true, 8},
      {"007", true, 7},
      {"2147483647", true, 2147483647},
      {"-2147483648", true, INT32_MIN},
      {"2147483648", false, 0},
      {"-2147483649", false, 0},
      {"99999999999999999999999", false, 0},
      {"$FF", true, 255},
      {"$ff", true, 255},
      {"-$10", true, -16},
      {"$7FFFFFFF", true, 2147483647},
      {"$FFFFFFFF", true, -1},
      {"$80000000", true, INT32_MIN},
      {"$100000000", false, 0},
      {"0x1F", true, 31},
      {"", false, 0},
      {"   ", false, 0},
      {"-", false, 0},
      {"+", false, 0},
      {"$", false, 0},
      {"--1", false, 0},
      {"1 2", false, 0},
      {"12a", false, 0},
      {"1.5", false, 0},
      {"1e3", false, 0},
      {"$G1", false, 0},
      {"\xB3\xB4", false, 0},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.text);
    auto r = strToInt(c.text);
    EXPECT_EQ(r.ok(), c.ok);
    if (c.ok) {
      EXPECT_EQ(r.value, c.value);
    }
  }
}

TEST(StrToInt, MessageQuotesTextVerbatim) {
  EXPECT_EQ(strToInt("12a").error, "'12a' is not a valid integer value");
  EXPECT_EQ(strToInt(" x ").error, "' x ' is not a valid integer value");
  EXPECT_EQ(strToInt("").error, "'' is not a valid integer value");
  EXPECT_TRUE(strToInt("5").error.empty());
}

struct FloatCase {
  const char* text;
  char sep;
  bool ok;
  long double value;
};

TEST(StrToFloat, AcceptsAndRejects) {
  const FloatCase cases[] = {
      {"0", ',', true, 0},
      {"123,45", ',', true, 123.45L},
      {"123.45", '.', true, 123.45L},
      {"123.45", ',', false, 0},
      {"-1,5", ',', true, -1.5L},
      {"+2", ',', true, 2},
      {",5", ',', true, 0.5L},
      {"5,", ',', true, 5},
      {",", ',', false, 0},
      {"1e3", ',', true, 1000},
      {"1E-2", ',', true, 0.01L},
      {"2,5e+1", ',', true, 25},
      {"1e", ',', false, 0},
      {"1e+", ',', false, 0},
      {" 7 ", ',', true, 7},
      {"7\r\n", ',', true, 7},
      {"", ',', false, 0},
      {"-", ',', false, 0},
      {"1,2,3", ',', false, 0},
      {"1 000", ',', false, 0},
      {"inf", ',', false, 0},
      {"nan", ',', false, 0},
      {"0x10", ',', false, 0},
      {"1e5000", ',', false, 0},
      {"1e-5000", ',', true, 0},
      {"1e4000", ',', true, 1e4000L},
      {"0000000000000000000000000000000000001", ',', true, 1},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.text);
    auto r = strToFloat(c.text, c.sep);
    EXPECT_EQ(r.ok(), c.ok) << r.error;
    if (c.ok) {
      EXPECT_EQ(r.value, c.value);
    }
  }
}

TEST(StrToFloat, UsesTheRegionalSeparatorAndExactMessage) {
  RegionalFormat ru = russianRegionalFormat();
  EXPECT_TRUE(strToFloat("3,25", ru).ok());
  EXPECT_EQ(strToFloat("3.25", ru).error, "'3.25' is not a valid floating point value");
  RegionalFormat en;
  en.decimalSeparator = '.';
  EXPECT_EQ(strToFloat("3.25", en).value, 3.25L);
}

TEST(StrToFloat, LongDigitRunsRoundCorrectly) {
  std::string many = "0," + std::string(200, '3');
  auto r = strToFloat(many, ',');
  ASSERT_TRUE(r.ok());
  EXPECT_EQ(r.value, 1.0L / 3.0L);
  std::string big(300, '9');
  auto b = strToFloat(big, ',');
  ASSERT_TRUE(b.ok());
  EXPECT_NEAR(static_cast<double>(std::log10(b.value)), 300.0, 1e-9);
}

struct ScanCase {
  const char* text;
  std::size_t used;
  long double value;
  bool overflow;
};

TEST(ScanDecimal, TakesTheLongestNumber) {
  const ScanCase cases[] = {
      {"12+3", 2, 12, false},
      {"1.5*2", 3, 1.5L, false},
      {"2.", 2, 2, false},
      {"2.x", 2, 2, false},
      {"1e3)", 3, 1000, false},
      {"1E+2 ", 4, 100, false},
      {"1e", 1, 1, false},
      {"1e+", 1, 1, false},
      {"1ex", 1, 1, false},
      {".5", 0, 0, false},
      {"x1", 0, 0, false},
      {"", 0, 0, false},
      {"1,5", 1, 1, false},
      {"1e99999", 7, 0, true},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.text);
    long double v = -1;
    bool overflow = false;
    EXPECT_EQ(scanDecimal(c.text, '.', v, overflow), c.used);
    EXPECT_EQ(overflow, c.overflow);
    if (!c.overflow) {
      EXPECT_EQ(v, c.value);
    }
  }
}

}  // namespace
}  // namespace kiv
