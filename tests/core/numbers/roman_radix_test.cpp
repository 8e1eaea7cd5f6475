#include <gtest/gtest.h>

#include <cstdint>
#include <string>

#include "core/numbers/radix.h"
#include "core/numbers/roman.h"

namespace kiv {
namespace {

TEST(Roman, ArabicToRoman) {
  const struct {
    std::int64_t n;
    const char* roman;
  } cases[] = {
      {0, ""},          {1, "I"},           {4, "IV"},        {5, "V"},
      {8, "VIII"},      {9, "IX"},          {14, "XIV"},      {40, "XL"},
      {49, "XLIX"},     {90, "XC"},         {400, "CD"},      {444, "CDXLIV"},
      {900, "CM"},      {1994, "MCMXCIV"},  {2020, "MMXX"},   {3999, "MMMCMXCIX"},
      {4000, "MMMM"},   {-40, "-XL"},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.n);
    EXPECT_EQ(arabicToRoman(c.n), c.roman);
  }
  EXPECT_EQ(arabicToRoman(2147483647).size(), 2147483u + 7u);  // M × 2147483 + DCXLVII
}

TEST(Roman, RomanToArabic) {
  const struct {
    const char* roman;
    std::int64_t n;
  } cases[] = {
      {"MCMXCIV", 1994}, {"mmxx", 2020}, {"XIZ", 0},  {"-XL", -40}, {"", 0},
      {"-", 0},          {"IM", 999},    {"IC", 99},  {"IIII", 4},  {"MMMM", 4000},
      {"X I", 0},        {"XL-", 0},     {"--X", 0},  {"MmXx", 2020}, {"VX", 5},
      {"IIV", 5},        {"\xC8", 0},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.roman);
    EXPECT_EQ(romanToArabic(c.roman), c.n);
  }
}

TEST(Roman, RoundTripsEveryValueUpTo5000) {
  for (std::int64_t n = -5000; n <= 5000; ++n) ASSERT_EQ(romanToArabic(arabicToRoman(n)), n) << n;
}

TEST(Roman, Commands) {
  EXPECT_EQ(arabicToRomanCommand("1994").text, "MCMXCIV");
  EXPECT_TRUE(arabicToRomanCommand("0").isPut());
  EXPECT_EQ(arabicToRomanCommand("0").text, "");
  EXPECT_TRUE(arabicToRomanCommand("-5").isNothing());
  EXPECT_TRUE(arabicToRomanCommand("12 ").isNothing());
  EXPECT_TRUE(arabicToRomanCommand("").isNothing());
  auto big = arabicToRomanCommand("99999999999");
  EXPECT_TRUE(big.isShow());
  EXPECT_EQ(big.message, "'99999999999' is not a valid integer value");
  EXPECT_EQ(romanToArabicCommand("xiv").text, "14");
  EXPECT_EQ(romanToArabicCommand("hello").text, "0");
  EXPECT_TRUE(romanToArabicCommand("").isNothing());
}

TEST(Radix, HexToDecimal) {
  const struct {
    const char* hex;
    std::int32_t n;
  } cases[] = {
      {"FF", 255},        {"ff", 255},          {"0", 0},          {"7FFFFFFF", 2147483647},
      {"80000000", INT32_MIN}, {"FFFFFFFF", -1}, {"100000000", 0},  {"1FFFFFFFF", -1},
      {"G", -1},          {"$FF", -1},          {"F F", -1},       {"0x1", -1},
      {"\xE0", -1},       {"00000000000A", 10},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.hex);
    EXPECT_EQ(hexToInt32(c.hex), c.n);
  }
  EXPECT_EQ(hexToDecimalCommand("1f").text, "31");
  EXPECT_EQ(hexToDecimalCommand("zz").text, "-1");
}

TEST(Radix, DecimalToHexAndBinary) {
  const struct {
    std::int32_t n;
    const char* hex;
    const char* bin;
  } cases[] = {
      {0, "000000", ""},
      {1, "000001", "1"},
      {255, "0000FF", "11111111"},
      {16777215, "FFFFFF", "111111111111111111111111"},
      {16777216, "1000000", "1000000000000000000000000"},
      {2147483647, "7FFFFFFF", "1111111111111111111111111111111"},
      {-1, "FFFFFFFF", "11111111111111111111111111111111"},
      {INT32_MIN, "80000000", "10000000000000000000000000000000"},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.n);
    EXPECT_EQ(int32ToHex(c.n), c.hex);
    EXPECT_EQ(int32ToBinary(c.n), c.bin);
    EXPECT_EQ(hexToInt32(c.hex), c.n);
    if (c.n != 0) {
      EXPECT_EQ(binaryToInt32(c.bin), c.n);
    }
  }
}

TEST(Radix, BinaryToDecimalQuirks) {
  const struct {
    const char* bin;
    std::int32_t n;
  } cases[] = {
      {"101", 5},
      {"2", 0},   // a digit 2 counts as 0
      {"3", 1},   // and 3 as 1
      {"1111111111111111111111111111111111", -1},  // only the last 32 count
      {"100000000000000000000000000000001", 1},
      {"0000101", 5},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.bin);
    EXPECT_EQ(binaryToInt32(c.bin), c.n);
  }
}

TEST(Radix, CommandsNeedDigitsOnly) {
  EXPECT_EQ(decimalToHexCommand("255").text, "0000FF");
  EXPECT_EQ(decimalToBinaryCommand("10").text, "1010");
  EXPECT_EQ(binaryToDecimalCommand("1010").text, "10");
  EXPECT_TRUE(decimalToBinaryCommand("0").isPut());
  EXPECT_EQ(decimalToBinaryCommand("0").text, "");
  for (const char* bad : {"", "-1", "1a", " 1", "$FF", "1.0"}) {
    SCOPED_TRACE(bad);
    EXPECT_TRUE(decimalToHexCommand(bad).isNothing());
    EXPECT_TRUE(decimalToBinaryCommand(bad).isNothing());
    EXPECT_TRUE(binaryToDecimalCommand(bad).isNothing());
  }
  auto over = decimalToHexCommand("2147483648");
  EXPECT_TRUE(over.isShow());
  EXPECT_EQ(over.message, "'2147483648' is not a valid integer value");
  EXPECT_TRUE(decimalToBinaryCommand("4294967296").isShow());
}

}  // namespace
}  // namespace kiv
