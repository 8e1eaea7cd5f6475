// Multi-replace: the pair-list format and the in-order application, checked
// against the plain pair-by-pair replaceAll on tables and on random lists.

#include <gtest/gtest.h>

#include <random>

#include "core/common/replace_all.h"
#include "core/search/replace_pairs.h"

using namespace kiv;

namespace {

std::string oneByOne(std::string text, const std::vector<ReplacePair>& pairs) {
  for (const auto& p : pairs) text = replaceAll(text, p.find, p.replacement);
  return text;
}

}  // namespace

TEST(ReplacePairs, ParsesLines) {
  struct Case {
    const char* list;
    std::vector<ReplacePair> pairs;
  };
  const Case cases[] = {
      {"", {}},
      {"a=b", {{"a", "b"}}},
      {"a=b\r\nc=d\r\n", {{"a", "b"}, {"c", "d"}}},
      {"a=b\nc=d\re=f", {{"a", "b"}, {"c", "d"}, {"e", "f"}}},
      {"a==b=", {{"a", "=b="}}},          // everything after the first "="
      {"x=", {{"x", ""}}},                // deletes
      {"=y", {{"", "y"}}},                // empty find: changes nothing
      {"no equals", {{"", ""}}},
      {" a = b ", {{" a ", " b "}}},      // spaces belong to the strings
      {"a=b\r\n\r\nc=d", {{"a", "b"}, {"", ""}, {"c", "d"}}},
  };
  for (const auto& c : cases) EXPECT_EQ(parseReplacePairs(c.list), c.pairs) << c.list;
}

TEST(ReplacePairs, AppliesInOrder) {
  struct Case {
    const char* text;
    const char* list;
    const char* result;
  };
  const Case cases[] = {
      {"abc", "a=b\r\nb=c", "ccc"},      // a later pair sees the earlier output
      {"abc", "b=c\r\na=b", "bcc"},
      {"aaa", "aa=b", "ba"},             // no overlap
      {"a a", "a=aa", "aa aa"},          // not re-scanned
      {"ABC abc", "abc=x", "ABC x"},     // case counts
      {"a-b", "-=", "ab"},
      {"abc", "=zz\r\nnothing here\r\n", "abc"},
      {"k=v", "k=v==", "v===v"},
      {"line1\r\nline2", "1=\r\n=X", "line\r\nline2"},  // a pair never holds a break
      {"", "a=b", ""},
  };
  for (const auto& c : cases) {
    const auto pairs = parseReplacePairs(c.list);
    EXPECT_EQ(applyReplacePairs(c.text, pairs), c.result) << c.text << " / " << c.list;
    EXPECT_EQ(oneByOne(c.text, pairs), c.result);
  }
}

TEST(ReplacePairs, CountsReplacements) {
  std::size_t n = 0;
  applyReplacePairs("abcabc", parseReplacePairs("a=x\nx=y\nq=z"), &n);
  EXPECT_EQ(n, 4u);
}

TEST(ReplacePairs, SameAsOneByOneOnRandomLists) {
  std::mt19937 rng(11);
  const std::string alphabet = "ab c\r\n";
  auto randomText = [&](std::size_t n) {
    std::string s;
    for (std::size_t i = 0; i < n; ++i) s += alphabet[rng() % alphabet.size()];
    return s;
  };
  auto randomWord = [&](std::size_t maxLen) {
    std::string s;
    const std::size_t n = rng() % (maxLen + 1);
    for (std::size_t i = 0; i < n; ++i) s += "abc "[rng() % 4];
    return s;
  };
  for (int round = 0; round < 300; ++round) {
    std::vector<ReplacePair> pairs;
    const int count = 1 + static_cast<int>(rng() % 12);
    for (int i = 0; i < count; ++i) pairs.push_back({randomWord(3), randomWord(4)});
    const std::string text = randomText(rng() % 2000);
    ASSERT_EQ(applyReplacePairs(text, pairs), oneByOne(text, pairs)) << round;
  }
}

TEST(ReplacePairs, ManyPairsOnLongText) {
  std::vector<ReplacePair> pairs;
  for (int i = 0; i < 500; ++i) pairs.push_back({"w" + std::to_string(i) + ";", "W" + std::to_string(i * 7) + ";"});
  std::string text;
  for (int i = 0; i < 20000; ++i) text += "w" + std::to_string(i % 700) + "; ";
  EXPECT_EQ(applyReplacePairs(text, pairs), oneByOne(text, pairs));
}

TEST(ReplacePairs, DoublingStaysLinear) {
  const std::string text(5'000'000, 'a');
  std::size_t n = 0;
  const std::string out = applyReplacePairs(text, parseReplacePairs("a=aa"), &n);
  EXPECT_EQ(out.size(), 10'000'000u);
  EXPECT_EQ(n, 5'000'000u);
}
