#include "core/bignum/mega_calc.h"

#include <gtest/gtest.h>

#include <string>

namespace kiv {
namespace {

TEST(MegaCalc, Operations) {
  const struct {
    const char* a;
    char op;
    const char* b;
    const char* result;
  } cases[] = {
      {"99999999999999999999", '+', "1", "100000000000000000000"},
      {"5", '-', "12", "-7"},
      {"-5", '-', "-12", "7"},
      {"0", '-', "7", "-7"},
      {"", '-', "7", "-7"},
      {"", '+', "", "0"},
      {"123456789", '*', "987654321", "121932631112635269"},
      {"-6", '*', "7", "-42"},
      {"1", '*', "-9", "-9"},
      {"100", '/', "7", "14.2"},
      {"-7", '/', "2", "-3.-1"},
      {"7", '/', "2", "3.1"},
      {"6", '/', "3", "2.0"},
      {"", '/', "3", "0.0"},
      {"007", '+', "1", "8"},  // leading zeros keep the value
      {" 12 ", '*', "\t2", "24"},
      {"10", 'c', "9", "Первый операнд больше второгоооо!"},
      {"-5", 'c', "-3", "Второй операнд больше первогоооооо!"},
      {"42", 'c', "042", "Операнды равныыыы!"},
      {"", 'c', "5", "Второй операнд больше первогоооооо!"},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(std::string(c.a) + " " + c.op + " " + c.b);
    MegaCalcResult r;
    switch (c.op) {
      case '+': r = megaAdd(c.a, c.b); break;
      case '-': r = megaSubtract(c.a, c.b); break;
      case '*': r = megaMultiply(c.a, c.b); break;
      case '/': r = megaDivide(c.a, c.b); break;
      default: r = megaCompare(c.a, c.b); break;
    }
    ASSERT_TRUE(r.ok()) << r.error;
    EXPECT_EQ(r.text, c.result);
  }
}

TEST(MegaCalc, BadOperandsAndDivisionByZero) {
  EXPECT_EQ(megaDivide("5", "0").error, kMegaDivisionByZero);
  EXPECT_EQ(megaDivide("5", "").error, kMegaDivisionByZero);
  EXPECT_EQ(megaAdd("12a", "1").error, std::string(kMegaNotDecimal) + "\"12a\"");
  EXPECT_EQ(megaAdd("1", "x").error, std::string(kMegaNotDecimal) + "\"x\"");
  EXPECT_EQ(megaAdd("a", "b").error, std::string(kMegaNotDecimal) + "\"a\"");  // the first bad one
  for (const char* bad : {"-", "+5", "1 2", "--1", "1-", "1.5"}) {
    SCOPED_TRACE(bad);
    EXPECT_FALSE(megaMultiply(bad, "2").ok());
  }
}

TEST(MegaCalc, HexadecimalConversions) {
  const struct {
    const char* dec;
    const char* hex;
  } cases[] = {{"255", "FF"}, {"65536", "10000"}, {"-255", "-FF"}, {"0", "0"},
               {"18446744073709551616", "10000000000000000"}};
  for (const auto& c : cases) {
    SCOPED_TRACE(c.dec);
    EXPECT_EQ(megaToHex(c.dec).text, c.hex);
    EXPECT_EQ(megaToDec(c.hex).text, c.dec);
  }
  EXPECT_EQ(megaToDec("ff").text, "255");
  EXPECT_EQ(megaToHex("").text, "");
  EXPECT_TRUE(megaToHex("").ok());
  EXPECT_EQ(megaToDec("").text, "");
  EXPECT_EQ(megaToDec("FG").error, std::string(kMegaNotHex) + "\"FG\"");
  EXPECT_FALSE(megaToHex("FF").ok());
}

}  // namespace
}  // namespace kiv
