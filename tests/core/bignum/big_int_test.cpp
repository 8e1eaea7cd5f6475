#include "core/bignum/big_int.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdint>
#include <cstdlib>
#include <unistd.h>
#include <cstdio>
#include <random>
#include <sstream>
#include <string>
#include <vector>

namespace kiv {
namespace {

BigInt big(const std::string& s) {
  auto v = BigInt::fromDecimal(s);
  EXPECT_TRUE(v.has_value()) << s;
  return v.value_or(BigInt());
}

std::string i128ToString(__int128 v) {
  if (v == 0) return "0";
  bool neg = v < 0;
  unsigned __int128 m = neg ? 0 - static_cast<unsigned __int128>(v) : static_cast<unsigned __int128>(v);
  std::string s;
  while (m) {
    s += static_cast<char>('0' + static_cast<int>(m % 10));
    m /= 10;
  }
  if (neg) s += '-';
  return std::string(s.rbegin(), s.rend());
}

TEST(BigInt, DecimalTextRoundTrips) {
  const struct {
    const char* in;
    const char* out;
  } cases[] = {
      {"0", "0"},           {"-0", "0"},
      {"+5", "5"},          {"000123", "123"},
      {"-000", "0"},        {"999999999", "999999999"},
      {"1000000000", "1000000000"},
      {"-1000000000000000000000000000001", "-1000000000000000000000000000001"},
      {"100000000000000000000000000000000000000000000", "100000000000000000000000000000000000000000000"},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.in);
    EXPECT_EQ(big(c.in).toDecimal(), c.out);
  }
  for (const char* bad : {"", "-", "+", "1-", "12a", " 1", "1 ", "--1", "0x10"}) {
    SCOPED_TRACE(bad);
    EXPECT_FALSE(BigInt::fromDecimal(bad).has_value());
  }
}

TEST(BigInt, Int64Boundaries) {
  EXPECT_EQ(BigInt(INT64_MIN).toDecimal(), "-9223372036854775808");
  EXPECT_EQ(BigInt(INT64_MAX).toDecimal(), "9223372036854775807");
  EXPECT_EQ(big("-9223372036854775808").toInt64(), INT64_MIN);
  EXPECT_EQ(big("9223372036854775807").toInt64(), INT64_MAX);
  EXPECT_FALSE(big("9223372036854775808").toInt64().has_value());
  EXPECT_FALSE(big("-9223372036854775809").toInt64().has_value());
  EXPECT_EQ(BigInt(0).toInt64(), 0);
  EXPECT_EQ(big("12345678901234567890").decimalDigits(), 20u);
  EXPECT_EQ(BigInt(0).decimalDigits(), 1u);
}

TEST(BigInt, ArithmeticOnKnownValues) {
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
      {"-7", '+', "7", "0"},
      {"1000000000", '-', "1", "999999999"},
      {"123456789", '*', "987654321", "121932631112635269"},
      {"-6", '*', "7", "-42"},
      {"1", '*', "-9", "-9"},
      {"-3", '*', "0", "0"},
      {"99999999999999999999", '*', "99999999999999999999", "9999999999999999999800000000000000000001"},
      {"100", '/', "7", "14"},
      {"100", '%', "7", "2"},
      {"-7", '/', "2", "-3"},
      {"-7", '%', "2", "-1"},
      {"7", '/', "-2", "-3"},
      {"7", '%', "-2", "1"},
      {"3", '/', "5", "0"},
      {"3", '%', "5", "3"},
      {"121932631112635269", '/', "987654321", "123456789"},
      {"10000000000000000000000000000", '/', "1000000000000000", "10000000000000"},
      {"340282366920938463463374607431768211456", '/', "18446744073709551616", "18446744073709551616"},
      {"340282366920938463463374607431768211457", '%', "18446744073709551616", "1"},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(std::string(c.a) + c.op + c.b);
    BigInt a = big(c.a), b = big(c.b), r;
    switch (c.op) {
      case '+': r = a + b; break;
      case '-': r = a - b; break;
      case '*': r = a * b; break;
      case '/': r = BigInt::divMod(a, b)->quotient; break;
      case '%': r = BigInt::divMod(a, b)->remainder; break;
    }
    EXPECT_EQ(r.toDecimal(), c.result);
  }
  EXPECT_FALSE(BigInt::divMod(BigInt(5), BigInt(0)).has_value());
}

TEST(BigInt, CompareOrders) {
  const struct {
    const char* a;
    const char* b;
    int cmp;
  } cases[] = {
      {"10", "9", 1},   {"-5", "-3", -1}, {"-3", "-5", 1}, {"0", "-0", 0},
      {"-1", "1", -1},  {"1000000000", "999999999", 1},
      {"123456789012345678901234567890", "123456789012345678901234567891", -1},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(std::string(c.a) + " ? " + c.b);
    EXPECT_EQ(BigInt::compare(big(c.a), big(c.b)), c.cmp);
    EXPECT_EQ(BigInt::compare(big(c.b), big(c.a)), -c.cmp);
  }
  EXPECT_TRUE(big("2") < big("10"));
  EXPECT_TRUE(big("-0") == BigInt());
}

TEST(BigInt, HexadecimalBothWays) {
  const struct {
    const char* dec;
    const char* hex;
  } cases[] = {
      {"0", "0"},
      {"255", "FF"},
      {"65536", "10000"},
      {"-255", "-FF"},
      {"268435455", "FFFFFFF"},
      {"268435456", "10000000"},
      {"18446744073709551615", "FFFFFFFFFFFFFFFF"},
      {"340282366920938463463374607431768211456", "100000000000000000000000000000000"},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.dec);
    EXPECT_EQ(big(c.dec).toHex(), c.hex);
    auto back = BigInt::fromHex(c.hex);
    ASSERT_TRUE(back.has_value());
    EXPECT_EQ(back->toDecimal(), c.dec);
  }
  EXPECT_EQ(BigInt::fromHex("ff")->toDecimal(), "255");
  EXPECT_EQ(BigInt::fromHex("000ff")->toDecimal(), "255");
  for (const char* bad : {"", "-", "G", "1 2", "0x1"}) {
    SCOPED_TRACE(bad);
    EXPECT_FALSE(BigInt::fromHex(bad).has_value());
  }
}

// Random operands that fit 64 bits, checked against 128-bit arithmetic.
TEST(BigInt, MatchesWideIntegersOnRandomOperands) {
  std::mt19937_64 rng(12345);
  for (int n = 0; n < 20000; ++n) {
    int bitsA = static_cast<int>(rng() % 63) + 1, bitsB = static_cast<int>(rng() % 63) + 1;
    std::int64_t a = static_cast<std::int64_t>(rng() >> (64 - bitsA));
    std::int64_t b = static_cast<std::int64_t>(rng() >> (64 - bitsB));
    if (rng() & 1) a = -a;
    if (rng() & 1) b = -b;
    BigInt A(a), B(b);
    ASSERT_EQ((A + B).toDecimal(), i128ToString(static_cast<__int128>(a) + b));
    ASSERT_EQ((A - B).toDecimal(), i128ToString(static_cast<__int128>(a) - b));
    ASSERT_EQ((A * B).toDecimal(), i128ToString(static_cast<__int128>(a) * b));
    ASSERT_EQ(BigInt::compare(A, B), (a > b) - (a < b));
    if (b != 0) {
      auto dm = BigInt::divMod(A, B);
      ASSERT_EQ(dm->quotient.toDecimal(), i128ToString(static_cast<__int128>(a) / b)) << a << "/" << b;
      ASSERT_EQ(dm->remainder.toDecimal(), i128ToString(static_cast<__int128>(a) % b)) << a << "%" << b;
    }
  }
}

// Long operands: the division identity and the hexadecimal round trip.
TEST(BigInt, DivisionIdentityOnLongOperands) {
  std::mt19937_64 rng(777);
  auto randomDigits = [&](std::size_t n) {
    std::string s;
    s += static_cast<char>('1' + rng() % 9);
    for (std::size_t i = 1; i < n; ++i) s += static_cast<char>('0' + rng() % 10);
    // Runs of nines and zeros stress the quotient estimate.
    if (n >= 4 && rng() % 4 == 0) std::fill(s.begin() + 1, s.begin() + static_cast<long>(n / 2), '9');
    if (n >= 4 && rng() % 4 == 0) std::fill(s.begin() + static_cast<long>(n / 2), s.end(), '0');
    return s;
  };
  for (int n = 0; n < 600; ++n) {
    BigInt a = big(randomDigits(1 + rng() % 120));
    BigInt b = big(randomDigits(1 + rng() % 60));
    if (rng() & 1) a = -a;
    if (rng() & 1) b = -b;
    auto dm = BigInt::divMod(a, b);
    ASSERT_TRUE(dm.has_value());
    ASSERT_EQ(dm->quotient * b + dm->remainder, a) << a.toDecimal() << " / " << b.toDecimal();
    ASSERT_LT(BigInt::compare(dm->remainder.abs(), b.abs()), 0);
    ASSERT_TRUE(dm->remainder.isZero() || dm->remainder.isNegative() == a.isNegative());
    ASSERT_EQ(*BigInt::fromHex(a.toHex()), a);
  }
}

// Products and quotients of long numbers against bc, when it is installed.
TEST(BigInt, AgreesWithBc) {
  if (std::system("command -v bc >/dev/null 2>&1") != 0) GTEST_SKIP() << "bc is not installed";
  std::mt19937_64 rng(99);
  auto digits = [&](std::size_t n) {
    std::string s(1, static_cast<char>('1' + rng() % 9));
    for (std::size_t i = 1; i < n; ++i) s += static_cast<char>('0' + rng() % 10);
    return (rng() & 1) ? "-" + s : s;
  };
  std::vector<std::string> expected;
  std::ostringstream script;
  for (int n = 0; n < 300; ++n) {
    std::string a = digits(1 + rng() % 200), b = digits(1 + rng() % 90);
    BigInt A = big(a), B = big(b);
    auto dm = BigInt::divMod(A, B);
    script << "(" << a << ")*(" << b << ")\n(" << a << ")/(" << b << ")\n(" << a << ")%(" << b
           << ")\n(" << a << ")-(" << b << ")\n";
    expected.push_back((A * B).toDecimal());
    expected.push_back(dm->quotient.toDecimal());
    expected.push_back(dm->remainder.toDecimal());
    expected.push_back((A - B).toDecimal());
  }
  char path[] = "/tmp/kiv_bigint_bcXXXXXX";
  int fd = mkstemp(path);
  ASSERT_GE(fd, 0);
  std::string text = script.str();
  ASSERT_EQ(write(fd, text.data(), text.size()), static_cast<ssize_t>(text.size()));
  close(fd);
  std::string cmd = std::string("BC_LINE_LENGTH=0 bc < ") + path;
  FILE* out = popen(cmd.c_str(), "r");
  ASSERT_NE(out, nullptr);
  std::vector<std::string> got;
  char line[4096];
  std::string cur;
  while (std::fgets(line, sizeof line, out)) {
    cur += line;
    if (!cur.empty() && cur.back() == '\n') {
      cur.pop_back();
      got.push_back(cur);
      cur.clear();
    }
  }
  pclose(out);
  std::remove(path);
  ASSERT_EQ(got.size(), expected.size());
  for (std::size_t i = 0; i < got.size(); ++i) ASSERT_EQ(got[i], expected[i]) << "line " << i;
}

}  // namespace
}  // namespace kiv

// Decimal text is read nine digits at a time: a character that is not a
// digit is refused wherever it stands, and every length reads back.
TEST(BigIntDecimalText, EveryPositionAndLength) {
  std::string digits;
  for (int i = 0; i < 40; ++i) digits += static_cast<char>('0' + (i * 7 + 3) % 10);
  for (std::size_t n = 1; n <= digits.size(); ++n) {
    std::string text = "9" + digits.substr(0, n - 1);
    auto v = kiv::BigInt::fromDecimal(text);
    ASSERT_TRUE(v) << text;
    EXPECT_EQ(v->toDecimal(), text);
    EXPECT_EQ((-*v).toDecimal(), "-" + text);
    for (std::size_t at = 0; at < text.size(); ++at) {
      for (char bad : {'/', ':', 'a', ' ', '\0', '\xB0', '\x40'}) {
        std::string broken = text;
        broken[at] = bad;
        EXPECT_FALSE(kiv::BigInt::fromDecimal(broken)) << n << " " << at << " " << int(bad);
      }
    }
  }
  EXPECT_EQ(kiv::BigInt::fromDecimal("000000000000000000001")->toDecimal(), "1");
  EXPECT_EQ(kiv::BigInt::fromDecimal("1000000000")->toDecimal(), "1000000000");
  EXPECT_EQ(kiv::BigInt::fromDecimal("999999999999999999")->toDecimal(), "999999999999999999");
}
