#include <gtest/gtest.h>

#include "core/common/prng.h"
#include "core/textfuncs/case_format.h"

namespace {

using namespace kiv;

// A literal, slow transcription of the wrapping steps, to check the fast
// one against.
std::string referenceWrap(const std::string& t, long long w) {
  auto isBreak = [](char ch) { return ch == ' ' || ch == '-' || ch == '\t'; };
  auto isQuote = [](char ch) { return ch == '"' || ch == '\''; };
  const std::size_t n = t.size();
  std::string out;
  std::size_t p = 1, s = 1, b = 0;
  long long c = 1;
  char q = 0;
  bool flag = false;
  while (p <= n) {
    const char ch = t[p - 1];
    if (ch == '\r') {
      if (q == 0 && p < n && t[p] == '\n') {
        flag = true;
        ++p;
        b = p;
      }
    } else if (isBreak(ch) && q == 0) {
      b = p;
    } else if (isQuote(ch)) {
      if (q == ch) q = 0;
      else if (q == 0) q = ch;
    }
    ++p;
    ++c;
    if (q == 0 && (flag || (c > w && b > s))) {
      out += t.substr(s - 1, b - s + 1);
      c = static_cast<long long>(p - b);
      if (!isQuote(ch))
        while (p <= n && (isBreak(t[p - 1]) || t[p - 1] == '\r' || t[p - 1] == '\n')) ++p;
      if (!flag && p <= n) out += "\r\n";
      s = b + 1;
      flag = false;
    }
  }
  if (s <= n) out += t.substr(s - 1);
  return out;
}

TEST(HardWordWrap, Table) {
  const struct {
    std::string in;
    int width;
    std::string out;
  } cases[] = {
      {"aaa bbb ccc ddd", 10, "aaa bbb \r\nccc ddd"},
      {"aaa bbb ccc ddd\r\n", 10, "aaa bbb \r\nccc ddd\r\n"},
      {"ab\r\ncd", 10, "ab\r\ncd"},
      {"a\r\n\r\nb", 10, "a\r\n\r\nb"},
      {"ab\rcd", 1, "ab\rcd"},  // a lone CR is no break
      {"aaaaaaaaaaaaaa bb", 5, "aaaaaaaaaaaaaa \r\nbb"},  // a long word stays whole
      {"one-two-three", 5, "one-\r\ntwo-\r\nthree"},
      {"aaaa   bbbb", 5, "aaaa \r\n  bbbb"},  // the other blanks begin the next line
      {"aaaaaaaaa b", 10, "aaaaaaaaa \r\nb"},  // a one-byte last word is wrapped too
      {"aaaaaaaaa  ", 10, "aaaaaaaaa  "},     // nothing but blanks follows: no break
      {"\"aaa bbb ccc\" dd", 5, "\"aaa bbb ccc\" \r\ndd"},
      {"don't wrap this text at all", 5, "don't wrap this text at all"},
      {"a b c", 0, "a \r\nb \r\nc"},
      {"a b c", -7, "a \r\nb \r\nc"},
      {"x\ty\tz", 2, "x\t\r\ny\t\r\nz"},
      {"", 10, ""},
      {"short", 100, "short"},
  };
  for (const auto& c : cases) EXPECT_EQ(hardWordWrap(c.in, c.width), c.out) << c.in << " @" << c.width;
}

TEST(HardWordWrap, OnlyInsertsLineBreaks) {
  const std::string alphabet = "abc  -\t'\"xyz";
  Prng rng(7);
  for (int round = 0; round < 300; ++round) {
    std::string text;
    const std::uint32_t len = rng.below(120);
    for (std::uint32_t i = 0; i < len; ++i) text += alphabet[rng.below(static_cast<std::uint32_t>(alphabet.size()))];
    const int width = static_cast<int>(rng.below(30)) - 2;
    std::string out = hardWordWrap(text, width);
    std::string stripped;
    for (std::size_t i = 0; i < out.size(); ++i) {
      if (out[i] == '\r' && i + 1 < out.size() && out[i + 1] == '\n') {
        ++i;
        continue;
      }
      stripped += out[i];
    }
    ASSERT_EQ(stripped, text) << "width " << width;
    EXPECT_EQ(hardWordWrap(text, 100000), text);
  }
}

TEST(HardWordWrap, AgreesWithTheStepByStepForm) {
  const std::string alphabet = "aaaabbbc   --\t\t'\"\r\n\r\n";
  Prng rng(99);
  for (int round = 0; round < 3000; ++round) {
    std::string text;
    const std::uint32_t len = rng.below(150);
    for (std::uint32_t i = 0; i < len; ++i) text += alphabet[rng.below(static_cast<std::uint32_t>(alphabet.size()))];
    const int width = static_cast<int>(rng.below(25)) - 2;
    ASSERT_EQ(hardWordWrap(text, width), referenceWrap(text, width)) << "width " << width;
  }
}

TEST(HardWordWrap, WidthAnswer) {
  const auto ok = hardWordWrapAnswer("aaa bbb ccc ddd", " 10");
  ASSERT_TRUE(ok.ok());
  EXPECT_EQ(ok.value, "aaa bbb \r\nccc ddd");
  const struct {
    const char* answer;
    const char* message;
  } bad[] = {
      {"abc", "'abc' is not a valid integer value"},
      {"", "'' is not a valid integer value"},
      {"10.5", "'10.5' is not a valid integer value"},
      {"99999999999", "'99999999999' is not a valid integer value"},
  };
  for (const auto& b : bad) {
    const auto r = hardWordWrapAnswer("x", b.answer);
    EXPECT_FALSE(r.ok());
    EXPECT_EQ(r.error, b.message);
  }
}

}  // namespace
