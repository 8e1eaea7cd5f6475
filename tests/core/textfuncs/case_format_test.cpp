#include "core/textfuncs/case_format.h"

#include <gtest/gtest.h>

#include "win1251.h"

namespace {

using namespace kiv;
using namespace std::string_literals;

TEST(SimpleCase, UpperAndLowerRoundTrip) {
  EXPECT_EQ(upperCaseText(w("ёлка Tree")), w("ЁЛКА TREE"));
  EXPECT_EQ(lowerCaseText(w("ЁЛКА TREE")), w("ёлка tree"));
  // The simple mapping leaves the other Cyrillic letters alone.
  EXPECT_EQ(upperCaseText(w("ѓ ў і")), w("ѓ ў і"));
  EXPECT_EQ(lowerCaseText(w("Ѓ Ў І")), w("Ѓ Ў І"));
  EXPECT_EQ(upperCaseText(""), "");
}

TEST(Hackerize, DrawsFromTheLastByteToTheFirst) {
  // Draws below 5 from seed 0 are 0 0 4 1 1 3, so r = 2 2 6 3 3 5 for
  // f e d c b a: only d is lower-cased.
  const struct {
    std::string in, out;
  } cases[] = {
      {"abcdef", "ABCdEF"},
      {"ABCDEF", "ABCdEF"},
      {w("абвгде"), w("АБВгДЕ")},
      {"12-4?!", "12-4?!"},
      {"", ""},
  };
  for (const auto& c : cases) {
    Prng p;
    EXPECT_EQ(hackerize(c.in, p), c.out);
  }
}

TEST(Hackerize, EveryByteTakesOneDraw) {
  Prng a, b;
  const std::string text = "ab\r\n12 ";
  hackerize(text, a);
  for (std::size_t i = 0; i < text.size(); ++i) b.step();
  EXPECT_EQ(a.seed(), b.seed());
}

TEST(Hackerize, SameResultAfterEveryStartButTheSequenceGoesOn) {
  const std::string text(200, 'q');
  Prng first, second;
  const std::string r1 = hackerize(text, first);
  EXPECT_EQ(hackerize(text, second), r1);
  EXPECT_NE(hackerize(text, first), r1);
}

TEST(CapitalizeFirst, Table) {
  const struct {
    const char* in;
    const char* out;
  } cases[] = {
      {"HELLO. WORLD", "Hello. world"},
      {"ёЛКА", "Ёлка"},
      {"ѓОРЃИ", "Ѓорѓи"},
      {" abc", " abc"},
      {"", ""},
      {"1ST", "1st"},
  };
  for (const auto& c : cases) EXPECT_EQ(capitalizeFirst(w(c.in)), w(c.out)) << c.in;
}

TEST(CapitalizeWords, Table) {
  const struct {
    const char* in;
    const char* out;
  } cases[] = {
      {"hello,world (test)", "Hello,World (Test)"},
      {"2nd place", "2nd Place"},
      {"o'neil-smith jr.", "O'neil-Smith Jr."},
      {"ПРИВЕТ мир", "Привет Мир"},
      {"ѓорѓи ўладзімір", "Ѓорѓи Ўладзімір"},
      {"a_b&c#d@e~f`g$h%i", "A_b&c#d@e~f`g$h%i"},
      {"x\"y!z(a)b*c+d,e-f.g/h:i;j<k=l>m?n[o\\p]q^r{s|t}u", "X\"Y!Z(A)B*C+D,E-F.G/H:I;J<K=L>M?N[O\\P]Q^R{S|T}U"},
      {"a\tb\r\nc", "A\tB\r\nC"},
      {"«ёлка»", "«ёлка»"},  // the Windows-1251 quotes belong to the word
      {"", ""},
  };
  for (const auto& c : cases) EXPECT_EQ(capitalizeWords(w(c.in)), w(c.out)) << c.in;
  EXPECT_EQ(capitalizeWords("a\0b"s), "A\0B"s);
}

TEST(CollapseWhiteSpace, Table) {
  const struct {
    std::string in, out;
  } cases[] = {
      {"a  b\r\nc\r\n", "a b c"},
      {"  \t\r\n ", ""},
      {"\x01" "a\x1f\x1f" "b\x7f", "a b\x7f"},
      {"abc", "abc"},
      {"", ""},
      {" a ", "a"},
      {"a\0b"s, "a b"},
      {"\xA0x\xA0", "\xA0x\xA0"},
  };
  for (const auto& c : cases) EXPECT_EQ(collapseWhiteSpace(c.in), c.out);
}

TEST(Tabs, RemoveAndExpand) {
  EXPECT_EQ(removeTabs("\ta\t\tb\t"), "ab");
  EXPECT_EQ(removeTabs(""), "");
  const struct {
    int setting;
    std::string out;
  } cases[] = {
      {3, "a   b"}, {0, "ab"}, {-5, "ab"}, {256, "ab"}, {259, "a   b"}, {1, "a b"}, {-1, "ab"},
  };
  for (const auto& c : cases) EXPECT_EQ(tabsToSpaces("a\tb", c.setting), c.out) << c.setting;
  EXPECT_EQ(tabsToSpaces("\t\t", 2), "    ");
  EXPECT_EQ(effectiveSpacesPerTab(-2147483647 - 1), 0);
}

TEST(Quotes, StraightToPairedAndBack) {
  const struct {
    std::string straight, paired;
  } cases[] = {
      {"\"a\" \"b\" \"c", "\xAB" "a\xBB \xAB" "b\xBB \xAB" "c"},
      {"\"\"", "\xAB\xBB"},
      {"no quotes", "no quotes"},
      {"", ""},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(straightToPairedQuotes(c.straight), c.paired);
    EXPECT_EQ(pairedToStraightQuotes(c.paired), c.straight);
  }
  // Every run starts with an opening quote.
  EXPECT_EQ(straightToPairedQuotes("\""), "\xAB");
  EXPECT_EQ(straightToPairedQuotes("\""), "\xAB");
  EXPECT_EQ(pairedToStraightQuotes("\xBB\xBB\xAB"), "\"\"\"");
}

}  // namespace
