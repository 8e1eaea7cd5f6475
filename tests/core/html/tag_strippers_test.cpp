#include <gtest/gtest.h>

#include "core/html/tag_strippers.h"

using namespace kiv;

namespace {

struct Case {
  const char* in;
  const char* out;
};

TEST(StripTags, RemovesEachTagUpToItsClosingBracket) {
  const Case cases[] = {
      {"a<b>c</b>d", "acd"},
      {"", ""},
      {"plain text", "plain text"},
      {"<<b>>x", ">x"},                      // the first ">" ends the tag
      {"x<b", "x"},                          // an open tag drops the rest
      {"x<", "x"},
      {"x>y", "x>y"},                        // a stray ">" stays
      {"&lt;p&gt;x", "&lt;p&gt;x"},          // entities stay as they are
      {"a<br>\r\nb", "a\r\nb"},
      {"<a href=\"x\">\xC0\xFF</a>", "\xC0\xFF"},  // code-page bytes pass through
  };
  for (const auto& c : cases) EXPECT_EQ(stripTags(c.in), c.out) << c.in;
  EXPECT_EQ(stripTags(std::string_view("a\0<b>c", 6)), std::string("a\0c", 3));
}

TEST(DecodeBasicEntities, InTheirOrderAndAnyCase) {
  const Case cases[] = {
      {"a&nbsp;b", "a b"},
      {"&AMP;&Lt;&gT;&QUOT;", "&<>\""},
      {"&amp;lt;", "<"},          // &amp; first, then &lt;
      {"&lt;amp;", "<amp;"},      // &lt; after &amp;: no second round
      {"&amp;nbsp;", "&nbsp;"},   // &nbsp; was decoded before &amp;
      {"&copy; &", "&copy; &"},   // others and lone ampersands stay
      {"&l", "&l"},
      {"", ""},
  };
  for (const auto& c : cases) EXPECT_EQ(decodeBasicEntities(c.in), c.out) << c.in;
}

TEST(StripTagsByDepth, NestedStrayAndDecodedBrackets) {
  const Case cases[] = {
      {"&lt;p&gt;x", "x"},            // decoded tags are stripped
      {"x > y", "x  y"},              // a stray ">" goes, the blanks stay
      {"a<b>c</b>d", "acd"},
      {"<<b>x>y", "y"},               // nested: text inside both levels goes
      {"<a<b>c>d", "d"},
      {"x><b>y", "xy"},               // a stray ">" does not open a level
      {"x>>><i>y</i>z", "xyz"},
      {"x<b", "x"},                   // an open level drops the rest
      {"&amp;lt;b&amp;gt;T", "T"},
      {"&nbsp;<p>&quot;q&quot;</p>", " \"q\""},
      {"", ""},
  };
  for (const auto& c : cases) EXPECT_EQ(stripTagsByDepth(c.in), c.out) << c.in;
}

TEST(EscapeLessThan, OnlyOpeningBracketsChange) {
  const Case cases[] = {
      {"<b>", "&lt;b>"},
      {"a & b > c", "a & b > c"},
      {"<<", "&lt;&lt;"},
      {"&lt;", "&lt;"},
      {"", ""},
  };
  for (const auto& c : cases) EXPECT_EQ(escapeLessThan(c.in), c.out) << c.in;
}

}  // namespace
