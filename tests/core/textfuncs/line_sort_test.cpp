#include "core/textfuncs/line_sort.h"

#include <gtest/gtest.h>

#include <algorithm>

#include "core/common/prng.h"
#include "core/textfuncs/case1251_full.h"
#include "win1251.h"

namespace {

using namespace kiv;
using Lines = std::vector<std::string>;

Lines cp(std::initializer_list<const char*> utf8) {
  Lines r;
  for (const char* s : utf8) r.push_back(w(s));
  return r;
}

TEST(SortLines, ProgramOrder) {
  const struct {
    Lines in, out;
  } cases[] = {
      {{"b", "B", "a"}, {"a", "b", "B"}},  // equal lines keep their order
      {{"B", "b", "a"}, {"a", "B", "b"}},
      {cp({"ель", "Ёж", "жук", "Еда", "ёлка", "яма", "Абв"}),
       cp({"Абв", "Еда", "ель", "Ёж", "ёлка", "жук", "яма"})},
      {cp({"я", "z", "1", "!", "A", " x", "\x01"}), cp({"\x01", " x", "!", "1", "A", "z", "я"})},
      {{"abc", "ab", "abcd", ""}, {"", "ab", "abc", "abcd"}},
      {{"abcdefghij2", "ABCDEFGHIJ1", "abcdefghij", "abcdefgh", "abcdefghI"},
       {"abcdefgh", "abcdefghI", "abcdefghij", "ABCDEFGHIJ1", "abcdefghij2"}},
      {cp({"Ґанок", "Гуси", "Дом", "Ѓ", "га"}), cp({"га", "Гуси", "Ґанок", "Ѓ", "Дом"})},
      {{}, {}},
  };
  for (const auto& c : cases) EXPECT_EQ(sortLines(c.in), c.out);
}

TEST(SortLines, ReverseIsTheAscendingListBackwards) {
  EXPECT_EQ(reverseSortLines({"b", "a", "c"}), (Lines{"c", "b", "a"}));
  EXPECT_EQ(reverseSortLines({"b", "B", "a"}), (Lines{"B", "b", "a"}));
  EXPECT_EQ(reverseSortLines(cp({"ёж", "еж", "жж"})), cp({"жж", "ёж", "еж"}));
}

TEST(SortLines, UsesTheGivenComparison) {
  const CaseInsensitiveCompare bytes = [](std::string_view a, std::string_view b) { return a.compare(b); };
  EXPECT_EQ(sortLines({"b", "a", "B"}, bytes), (Lines{"B", "a", "b"}));
  EXPECT_EQ(reverseSortLines({"b", "a", "B"}, bytes), (Lines{"b", "a", "B"}));
  const CaseInsensitiveCompare allEqual = [](std::string_view, std::string_view) { return 0; };
  EXPECT_EQ(sortLines({"c", "a", "b"}, allEqual), (Lines{"c", "a", "b"}));
}

// The interface's many-at-once order is used when it gives each line once;
// an order that loses or repeats lines falls back to the pair comparison.
TEST(SortLines, UsesTheGivenOrderOnlyWhenItIsAPermutation) {
  const CaseInsensitiveCompare bytes = [](std::string_view a, std::string_view b) { return a.compare(b); };
  auto fixed = [](std::vector<std::size_t> result) {
    return StableOrder([result](const std::vector<std::string_view>&) { return result; });
  };
  const struct {
    const char* name;
    StableOrder order;
    Lines out;
  } cases[] = {
      {"given order", fixed({2, 0, 1}), {"B", "b", "a"}},
      {"line lost", fixed({2, 0}), {"B", "a", "b"}},
      {"line repeated", fixed({2, 0, 0}), {"B", "a", "b"}},
      {"index past the end", fixed({2, 0, 3}), {"B", "a", "b"}},
      {"too many", fixed({2, 0, 1, 1}), {"B", "a", "b"}},
      {"none", StableOrder(), {"B", "a", "b"}},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(sortLines({"b", "a", "B"}, CaseInsensitiveOrder{bytes, c.order}), c.out) << c.name;
    Lines reversed = c.out;
    std::reverse(reversed.begin(), reversed.end());
    EXPECT_EQ(reverseSortLines({"b", "a", "B"}, CaseInsensitiveOrder{bytes, c.order}), reversed) << c.name;
  }
  // Without either, the program's own order.
  EXPECT_EQ(sortLines({"b", "a", "B"}, CaseInsensitiveOrder{}), (Lines{"a", "b", "B"}));
  const auto r = sortParagraphs("b;a;c", ";", CaseInsensitiveOrder{{}, fixed({2, 1, 0})});
  ASSERT_TRUE(r.ok());
  EXPECT_EQ(r.value, "c\r\na\r\nb\r\n");
}

TEST(Compare1251, EqualExactlyWhenCaseFoldsEqual) {
  for (int a = 0; a < 256; ++a) {
    for (int b = 0; b < 256; ++b) {
      const std::string x(1, static_cast<char>(a)), y(1, static_cast<char>(b));
      const bool same = fullUpperChar1251(static_cast<unsigned char>(a)) == fullUpperChar1251(static_cast<unsigned char>(b));
      ASSERT_EQ(compare1251IgnoreCase(x, y) == 0, same) << a << " " << b;
      ASSERT_EQ(compare1251IgnoreCase(x, y), -compare1251IgnoreCase(y, x));
    }
  }
}

TEST(SortLines, MatchesAStableSortByTheComparison) {
  // Random lines over a small alphabet with long shared prefixes, so that
  // the eight-byte prefix keys tie often.
  const std::string alphabet = w("aAbB ЁёЕеЯя9-\t");
  Prng rng(12345);
  Lines lines;
  for (int i = 0; i < 5000; ++i) {
    std::string s = (rng.below(2) != 0u) ? "prefix12" : "";
    const std::uint32_t len = rng.below(14);
    for (std::uint32_t k = 0; k < len; ++k) s += alphabet[rng.below(static_cast<std::uint32_t>(alphabet.size()))];
    lines.push_back(s);
  }
  Lines expected = lines;
  std::stable_sort(expected.begin(), expected.end(),
                   [](const std::string& a, const std::string& b) { return compare1251IgnoreCase(a, b) < 0; });
  EXPECT_EQ(sortLines(lines), expected);
  std::reverse(expected.begin(), expected.end());
  EXPECT_EQ(reverseSortLines(lines), expected);
}

TEST(SortParagraphs, Table) {
  const struct {
    std::string text, answer, out;
  } cases[] = {
      {"c;a;;b", ";", "\r\na\r\nb\r\nc\r\n"},
      {"c;a;", ";", "a\r\nc\r\n"},
      {"b\r\nx|a", "|;", "a\r\nb\r\nx\r\n"},  // only the first byte separates
      {"", ";", ""},
      {";", ";", "\r\n"},
      {"abc", ";", "abc\r\n"},
      {"B,a,b", ",", "a\r\nB\r\nb\r\n"},
  };
  for (const auto& c : cases) {
    const auto r = sortParagraphs(c.text, c.answer);
    ASSERT_TRUE(r.ok());
    EXPECT_EQ(r.value, c.out) << c.text;
  }
}

TEST(SortParagraphs, EmptyAnswerIsRefused) {
  const auto r = sortParagraphs("a;b", "");
  EXPECT_FALSE(r.ok());
  EXPECT_EQ(r.error, "Значение не задано!");
}

}  // namespace

namespace {

TEST(SortLines, SurvivesAnInconsistentComparison) {
  // A comparison that is no ordering at all must not break the sort.
  kiv::Prng rng(3);
  const kiv::CaseInsensitiveCompare random = [&rng](std::string_view, std::string_view) {
    return static_cast<int>(rng.below(3)) - 1;
  };
  Lines lines;
  for (int i = 0; i < 2000; ++i) lines.push_back(std::to_string(i));
  Lines sorted = kiv::sortLines(lines, random);
  std::sort(sorted.begin(), sorted.end());
  std::sort(lines.begin(), lines.end());
  EXPECT_EQ(sorted, lines);
}

}  // namespace
