#include "core/textfuncs/line_ops.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <set>

#include "core/common/prng.h"
#include "core/textfuncs/case1251_full.h"
#include "win1251.h"

namespace {

using namespace kiv;
using namespace std::string_literals;
using Lines = std::vector<std::string>;

TEST(DeleteEmptyLines, DropsLinesOfBlanksOnly) {
  const struct {
    Lines in, out;
  } cases[] = {
      {{}, {}},
      {{"a", "", "b"}, {"a", "b"}},
      {{" \t ", "x", "\x01\x1F ", " y "}, {"x", " y "}},
      {{"", "", ""}, {}},
      {{"\xA0"}, {"\xA0"}},  // a no-break space (160) is not a blank
  };
  for (const auto& c : cases) EXPECT_EQ(deleteEmptyLines(c.in), c.out);
}

TEST(EncloseLines, BeforeAndAfterEveryLine) {
  const struct {
    Lines in;
    std::string before, after;
    Lines out;
  } cases[] = {
      {{"a", "", "b"}, "<li>", "</li>", {"<li>a</li>", "<li></li>", "<li>b</li>"}},
      {{"a"}, "", ";", {"a;"}},
      {{"a"}, "", "", {"a"}},
      {{}, "x", "y", {}},
  };
  for (const auto& c : cases) EXPECT_EQ(encloseLines(c.in, c.before, c.after), c.out);
}

TEST(NumberLines, DecimalSpaceLine) {
  EXPECT_EQ(numberLines({"first", "second"}), (Lines{"1 first", "2 second"}));
  // A selection ending at the very start of a line gives an empty last item.
  EXPECT_EQ(numberLines({"a", "b", "c", ""}), (Lines{"1 a", "2 b", "3 c", "4 "}));
  const Lines numbered = numberLines(Lines(12, "x"));
  EXPECT_EQ(numbered[9], "10 x");
  EXPECT_EQ(numbered[11], "12 x");
  EXPECT_TRUE(numberLines({}).empty());
}

TEST(ReverseString, Bytewise) {
  const struct {
    std::string in, out;
  } cases[] = {
      {"", ""},
      {"a", "a"},
      {"abc", "cba"},
      {"ab\r\ncd\r\n", "\n\rdc\n\rba"},
      {w("Жук"), w("куЖ")},
      {"x\0y"s, "y\0x"s},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(reverseString(c.in), c.out);
    EXPECT_EQ(reverseString(reverseString(c.in)), c.in);
  }
}

TEST(ReverseLineOrder, LastLineFirstCrLfAfterEach) {
  EXPECT_EQ(reverseLineOrder({"one", "two", "three"}), "three\r\ntwo\r\none\r\n");
  EXPECT_EQ(reverseLineOrder({"ab"}), "ab\r\n");
  EXPECT_EQ(reverseLineOrder({}), "");
  EXPECT_EQ(reverseLineOrder({"", "x"}), "x\r\n\r\n");
  const struct {
    std::string in, out;
  } texts[] = {
      {"a\r\nb\r\nc\r\n", "c\r\nb\r\na\r\n"},
      {"a\r\nb", "b\r\na\r\n"},
      {"a\nb\rc", "c\r\nb\r\na\r\n"},
      {"", ""},
  };
  for (const auto& t : texts) EXPECT_EQ(reverseLineOrderOfText(t.in), t.out);
}

TEST(SurnameWithInitials, Table) {
  const struct {
    const char* in;
    const char* out;
  } cases[] = {
      {"Иванов Иван Иванович", "Иванов И.И."},
      {"  Петров  Пётр  ", "Петров П."},
      {"Петров\tПётр", "Петров П."},
      {"Петров \t Пётр   Ильич", "Петров П.И."},
      {"Сидоров", "Сидоров"},
      {"  Сидоров \r\n", "Сидоров"},
      {"", ""},
      {" \t ", ""},
      {"a b", "a b."},
      {"Ким Ир Сен Младший", "Ким И.С.М."},
  };
  for (const auto& c : cases) EXPECT_EQ(surnameWithInitials(w(c.in)), w(c.out)) << c.in;
}

TEST(Anagrams, OrderOfTheCommand) {
  const auto r = anagrams("abc");
  ASSERT_TRUE(r.ok());
  EXPECT_EQ(r.value, (Lines{"bac", "bca", "cba", "abc", "acb", "cab", w("Найдено 6 анаграмм...")}));

  const struct {
    std::string in;
    Lines out;
  } cases[] = {
      {"a", {"a", w("Найдено 1 анаграмм...")}},
      {"ab", {"ab", "ba", w("Найдено 2 анаграмм...")}},
      {"aa", {"aa", "aa", w("Найдено 2 анаграмм...")}},  // repeats are kept
      {"", {}},
  };
  for (const auto& c : cases) {
    const auto res = anagrams(c.in);
    ASSERT_TRUE(res.ok()) << c.in;
    EXPECT_EQ(res.value, c.out) << c.in;
  }
}

TEST(Anagrams, NineLettersGiveEveryPermutationOnce) {
  const std::string letters = w("абвгдежзи");
  const auto r = anagrams(letters);
  ASSERT_TRUE(r.ok());
  ASSERT_EQ(r.value.size(), 362880u + 1);
  EXPECT_EQ(r.value.back(), w("Найдено 362880 анаграмм..."));
  std::set<std::string> distinct(r.value.begin(), r.value.end() - 1);
  EXPECT_EQ(distinct.size(), 362880u);
  std::string sorted = letters;
  std::sort(sorted.begin(), sorted.end());
  for (const auto& e : distinct) {
    std::string s = e;
    std::sort(s.begin(), s.end());
    ASSERT_EQ(s, sorted);
  }
}

TEST(Anagrams, RefusesWhatWouldExceedAMillionLines) {
  for (std::size_t n : {10u, 11u, 255u, 256u, 100000u}) {
    const auto r = anagrams(std::string(n, 'x'));
    EXPECT_FALSE(r.ok()) << n;
    EXPECT_TRUE(r.value.empty());
  }
  // The text is cut to 255 bytes before it is judged.
  EXPECT_NE(anagrams(std::string(300, 'x')).error.find("255"), std::string::npos);
}

TEST(DeleteWord, FoldedNonOverlappingLeftToRight) {
  const struct {
    const char* text;
    const char* word;
    const char* out;
  } cases[] = {
      {"xAByab", "ab", "xy"},
      {"aabb", "ab", "ab"},  // no second look across the cut
      {"abababa", "aba", "b"},
      {"aaa", "a", ""},
      {"Ёлка ёлка ЕЛКА", "ёлка", "  ЕЛКА"},
      {"xЃy ѓ", "ѓ", "xy "},
      {"подполковник", "ПОЛ", "подковник"},
      {"abc", "", "abc"},
      {"", "a", ""},
      {"ab", "abc", "ab"},
  };
  for (const auto& c : cases) EXPECT_EQ(deleteWord(w(c.text), w(c.word)), w(c.out)) << c.text << " - " << c.word;
}

TEST(DeleteWord, AgreesWithDeletingHitByHit) {
  // The command's own steps: find from the hit position, delete, repeat.
  auto stepwise = [](std::string text, const std::string& word) {
    std::size_t p = 0;
    while (p + word.size() <= text.size()) {
      if (equalFolded1251(std::string_view(text).substr(p, word.size()), word))
        text.erase(p, word.size());
      else
        ++p;
    }
    return text;
  };
  const std::string alphabet = w("aAbBёЁ");
  Prng rng(5);
  for (int round = 0; round < 2000; ++round) {
    std::string text, word;
    const std::uint32_t len = rng.below(40), wlen = 1 + rng.below(4);
    for (std::uint32_t i = 0; i < len; ++i) text += alphabet[rng.below(static_cast<std::uint32_t>(alphabet.size()))];
    for (std::uint32_t i = 0; i < wlen; ++i) word += alphabet[rng.below(static_cast<std::uint32_t>(alphabet.size()))];
    ASSERT_EQ(deleteWord(text, word), stepwise(text, word)) << text << " - " << word;
  }
}

TEST(DeleteWord, LongTextIsLinear) {
  std::string text;
  for (int i = 0; i < 200000; ++i) text += "aaaaaaaaab";
  EXPECT_EQ(deleteWord(text, "AAAAAAAAAB"), "");
  EXPECT_EQ(deleteWord(text, "b").size(), 1800000u);
}

TEST(Alphabets, ExactBytes) {
  const std::string ru = russianAlphabet();
  ASSERT_EQ(ru.size(), 64u);
  EXPECT_EQ(ru, w("АБВГДЕЖЗИЙКЛМНОПРСТУФХЦЧШЩЪЫЬЭЮЯабвгдежзийклмнопрстуфхцчшщъыьэюя"));
  EXPECT_EQ(englishAlphabet(), "ABCDEFGHIJKLMNOPQRSTUVWXYZ[\\]^_`abcdefghijklmnopqrstuvwxyz");
}

}  // namespace
