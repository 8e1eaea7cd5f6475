#include <gtest/gtest.h>

#include <string>

#include "core/bignum/big_int.h"
#include "core/charsets/cp1251_literal.h"
#include "core/numbers/number_checks.h"
#include "core/numbers/number_inserts.h"

namespace kiv {
namespace {

TEST(Fibonacci, DefaultSeriesIsByteExact) {
  auto r = fibonacciCommand(kFibonacciDefault);
  ASSERT_TRUE(r.isPut());
  EXPECT_EQ(r.text, "1, 1, 2, 3, 5, 8, 13, 21, 34, 55, 89, 144, 233, " + cp1251("Числа Фибоначчи: "));
}

TEST(Fibonacci, Counts) {
  const std::string title = cp1251("Числа Фибоначчи: ");
  EXPECT_EQ(fibonacciText(0), title);
  EXPECT_EQ(fibonacciText(-7), title);
  EXPECT_EQ(fibonacciText(1), "1, " + title);
  EXPECT_EQ(fibonacciText(2), "1, 1, " + title);
  EXPECT_EQ(fibonacciCommand(" 3 ").text, "1, 1, 2, " + title);
}

TEST(Fibonacci, TermsPastThirtyTwoBitsAreExact) {
  std::string s = fibonacciText(100);
  EXPECT_NE(s.find("1836311903, 2971215073, 4807526976, "), std::string::npos);  // F(46..48)
  EXPECT_NE(s.find(", 354224848179261915075, " + cp1251("Числа")), std::string::npos);  // F(100)
  // Every term is the sum of the two before it.
  std::vector<BigInt> terms;
  std::size_t pos = 0;
  for (int i = 0; i < 100; ++i) {
    std::size_t comma = s.find(", ", pos);
    terms.push_back(*BigInt::fromDecimal(s.substr(pos, comma - pos)));
    pos = comma + 2;
  }
  for (std::size_t i = 2; i < terms.size(); ++i) ASSERT_EQ(terms[i], terms[i - 1] + terms[i - 2]);
}

TEST(Fibonacci, CapAndBadInput) {
  auto many = fibonacciCommand("10001");
  EXPECT_TRUE(many.isShow());
  EXPECT_EQ(many.message, kFibonacciTooMany);
  auto bad = fibonacciCommand("тринадцать");
  EXPECT_TRUE(bad.isShow());
  EXPECT_EQ(bad.message, "'тринадцать' is not a valid integer value");
  auto atCap = fibonacciCommand("10000");
  ASSERT_TRUE(atCap.isPut());
  // F(10000) has 2090 digits.
  std::size_t end = atCap.text.rfind(", " + cp1251("Числа"));
  std::size_t start = atCap.text.rfind(", ", end - 1) + 2;
  EXPECT_EQ(end - start, 2090u);
}

TEST(Constants, PiAndE) {
  EXPECT_EQ(kPiText, "3.141592653589793238462643383");
  EXPECT_EQ(kEText, "2.7182818");
}

TEST(LeapYear, Rules) {
  const struct {
    long long y;
    bool leap;
  } cases[] = {{1900, false}, {2000, true}, {2024, true}, {2023, false}, {2100, false},
               {2400, true},  {4, true},    {1, false},   {0, true}};
  for (const auto& c : cases) {
    SCOPED_TRACE(c.y);
    EXPECT_EQ(isLeapYear(c.y), c.leap);
  }
}

TEST(LeapYear, Command) {
  EXPECT_EQ(utf8FromCp1251(leapYearCommand("2000").text), "2000 - високосный год");
  EXPECT_EQ(utf8FromCp1251(leapYearCommand("1900").text), "1900 - увы, не високосный...");
  EXPECT_EQ(utf8FromCp1251(leapYearCommand("02024").text), "02024 - високосный год");
  auto big = leapYearCommand("99999999999");
  EXPECT_TRUE(big.isShow());
  EXPECT_EQ(big.message, kLeapYearBadParameter);
  EXPECT_TRUE(leapYearCommand("20x0").isNothing());
  EXPECT_TRUE(leapYearCommand("").isNothing());
}

TEST(Isbn, Check) {
  const struct {
    const char* text;
    bool valid;
  } cases[] = {
      {"0-306-40615-2", true},
      {"0-306-40615-3", false},
      {"080442957X", true},
      {"080442957x", true},
      {"ISBN 0 306 40615 2", true},
      {"X80442957", false},      // X only as the tenth digit
      {"0-306-40615", false},     // nine digits
      {"0-306-40615-22", false},  // eleven digits
      {"0000000000", true},
      {"", false},
      {"080442957X0", false},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.text);
    EXPECT_EQ(isValidIsbn10(c.text), c.valid);
  }
  EXPECT_EQ(isbnCommand("0-306-40615-2").message, kIsbnValid);
  EXPECT_EQ(isbnCommand("0-306-40615-3").message, kIsbnInvalid);
  EXPECT_TRUE(isbnCommand("").isNothing());
}

}  // namespace
}  // namespace kiv
