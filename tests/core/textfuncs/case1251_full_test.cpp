#include "core/textfuncs/case1251_full.h"

#include <gtest/gtest.h>

#include "core/charsets/case1251.h"
#include "core/charsets/code_page.h"
#include "win1251.h"

namespace {

using namespace kiv;

// Unicode case partners of the letters Windows-1251 can hold.
char32_t unicodeUpper(char32_t u) {
  if (u >= U'a' && u <= U'z') return u - 0x20;
  if (u >= 0x430 && u <= 0x44F) return u - 0x20;
  if (u >= 0x450 && u <= 0x45F) return u - 0x50;
  if (u == 0x491) return 0x490;
  return u;
}
char32_t unicodeLower(char32_t u) {
  if (u >= U'A' && u <= U'Z') return u + 0x20;
  if (u >= 0x410 && u <= 0x42F) return u + 0x20;
  if (u >= 0x400 && u <= 0x40F) return u + 0x50;
  if (u == 0x490) return 0x491;
  return u;
}

TEST(FullCase1251, AgreesWithUnicodeForEveryByte) {
  const CodePage& cp = CodePage::get(CodePageId::Win1251);
  int letters = 0;
  for (int b = 0; b < 256; ++b) {
    const char32_t u = cp.toUnicode(static_cast<unsigned char>(b));
    const int up = cp.fromUnicode(unicodeUpper(u));
    const int low = cp.fromUnicode(unicodeLower(u));
    ASSERT_GE(up, 0);
    ASSERT_GE(low, 0);
    EXPECT_EQ(fullUpperChar1251(static_cast<unsigned char>(b)), up) << "byte " << b;
    EXPECT_EQ(fullLowerChar1251(static_cast<unsigned char>(b)), low) << "byte " << b;
    if (up != b || low != b) ++letters;
  }
  EXPECT_EQ(letters, 52 + 64 + 30);  // Latin, А–я, the fifteen other pairs
}

TEST(FullCase1251, NamedPairs) {
  const struct {
    unsigned char capital, small;
  } pairs[] = {{0x81, 0x83}, {0x8A, 0x9A}, {0xA3, 0xBC}, {0xBD, 0xBE}, {0xA8, 0xB8}, {0xC0, 0xE0},
               {0xDF, 0xFF}, {'A', 'a'},   {'Z', 'z'},   {0xA5, 0xB4}, {0xB2, 0xB3}, {0x80, 0x90}};
  for (const auto& p : pairs) {
    EXPECT_EQ(fullUpperChar1251(p.small), p.capital);
    EXPECT_EQ(fullLowerChar1251(p.capital), p.small);
    EXPECT_EQ(fullUpperChar1251(p.capital), p.capital);
    EXPECT_EQ(fullLowerChar1251(p.small), p.small);
  }
}

TEST(FullCase1251, ExtendsTheSimpleMapping) {
  for (int b = 0; b < 256; ++b) {
    const auto c = static_cast<unsigned char>(b);
    if (upperChar1251(c) != c) {
      EXPECT_EQ(fullUpperChar1251(c), upperChar1251(c));
    }
    if (lowerChar1251(c) != c) {
      EXPECT_EQ(fullLowerChar1251(c), lowerChar1251(c));
    }
  }
}

TEST(FullCase1251, Strings) {
  EXPECT_EQ(fullUpperCase1251(w("ѓорѓи ёлка Tree 1")), w("ЃОРЃИ ЁЛКА TREE 1"));
  EXPECT_EQ(fullLowerCase1251(w("ЃОРЃИ ЁЛКА TREE 1")), w("ѓорѓи ёлка tree 1"));
  EXPECT_EQ(fullUpperCase1251(""), "");
}

TEST(FullCase1251, EqualFolded) {
  const struct {
    std::string a, b;
    bool equal;
  } cases[] = {
      {w("Ёлка"), w("ёЛКА"), true}, {w("ѓ"), w("Ѓ"), true}, {"abc", "ABC", true},
      {w("Елка"), w("Ёлка"), false}, {"abc", "abcd", false}, {"", "", true},
      {"a\xB5", "A\xB5", true},  // µ has no partner in the code page
  };
  for (const auto& c : cases) EXPECT_EQ(equalFolded1251(c.a, c.b), c.equal) << c.a << " / " << c.b;
}

}  // namespace
