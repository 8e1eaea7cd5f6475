// The text that find in files looks for: case, wildcards, both code pages,
// and a brute-force comparison on random texts.

#include <gtest/gtest.h>

#include <random>

#include "core/charsets/cp1251_literal.h"
#include "core/search/content_pattern.h"
#include "core/textfuncs/case1251_full.h"

using namespace kiv;
using Match = ContentPattern::Match;

TEST(ContentPattern, Finds) {
  struct Case {
    const char* typed;
    std::string text;
    Match match;
  };
  const Case cases[] = {
      {"hello", "say Hello world", Match::Win1251},
      {"HELLO", "say hello", Match::Win1251},
      {"hello", "say hell o", Match::None},
      {"h?llo", "hallo", Match::Win1251},
      {"h*llo", "hxllo", Match::Win1251},          // "*" is one character too
      {"h*llo", "hxxllo", Match::None},
      {"ПРИВЕТ", cp1251("ну привет!"), Match::Win1251},
      {"привет", cp1251("НУ ПРИВЕТ"), Match::Win1251},
      {"ёлка", cp1251("ЁЛКА"), Match::Win1251},
      {"ПРИВЕТ", "ну привет!", Match::Utf8},        // UTF-8 text, either case
      {"привет", "НУ ПРИВЕТ", Match::Utf8},
      {"Ёлка", "ёЛКА", Match::Utf8},
      {"п?ивет", "прривет", Match::None},
      {"п?ивет", "привет", Match::Utf8},            // "?" takes one two-byte letter
      {"?ривет", "привет", Match::Utf8},
      {"приве?", "привет", Match::Utf8},
      {"a?b", "aЖb", Match::Utf8},
      {"a??b", "aЖb", Match::Win1251},              // two bytes as two characters
      {"???", "ab", Match::None},
      {"???", "abc", Match::Win1251},
      {"abc", "ab", Match::None},
      {"", "anything", Match::None},
      {"日本", "x日本y", Match::Utf8},              // not in Windows-1251: UTF-8 only
      {"日本", "x日y", Match::None},
      {"рр", "РР", Match::Utf8},                     // D1 80 / D0 A0
      {"рр", "\xD0\x80\xD0\x80", Match::None},       // Ѐ shares bytes with both forms
  };
  for (const auto& c : cases) {
    const ContentPattern p(c.typed);
    EXPECT_EQ(p.find(c.text), c.match) << c.typed << " in " << c.text;
  }
  EXPECT_TRUE(ContentPattern("").empty());
  EXPECT_FALSE(ContentPattern("x").empty());
}

TEST(ContentPattern, SameAsBruteForceOn1251) {
  std::mt19937 rng(7);
  const auto& lower = fullLowerTable1251();
  const std::string letters = cp1251("aAbBяЯёЁ") + "?";
  for (int round = 0; round < 2000; ++round) {
    std::string typed1251;
    const std::size_t m = 1 + rng() % 4;
    for (std::size_t i = 0; i < m; ++i) typed1251 += letters[rng() % letters.size()];
    std::string text;
    const std::size_t n = rng() % 40;
    for (std::size_t i = 0; i < n; ++i) text += letters[rng() % (letters.size() - 1)];
    bool expected = false;
    for (std::size_t at = 0; at + m <= text.size() && !expected; ++at) {
      bool ok = true;
      for (std::size_t k = 0; k < m && ok; ++k)
        ok = typed1251[k] == '?' ||
             lower[static_cast<unsigned char>(typed1251[k])] == lower[static_cast<unsigned char>(text[at + k])];
      expected = ok;
    }
    std::string typedUtf8;
    for (unsigned char c : typed1251) {
      static const char* const names[] = {"a", "A", "b", "B", "я", "Я", "ё", "Ё", "?"};
      typedUtf8 += names[letters.find(static_cast<char>(c))];
    }
    const ContentPattern p(typedUtf8);
    EXPECT_EQ(p.find(text) == Match::Win1251, expected) << typedUtf8 << " in " << text;
  }
}
