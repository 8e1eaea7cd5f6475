#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "core/html/table_markup.h"
#include "core/html/tag_pairs.h"
#include "core/html/web_colors.h"

using namespace kiv;

namespace {

TEST(TableLines, RowsOfCellsBetweenTableTags) {
  EXPECT_EQ(tableLines(3, 1), (std::vector<std::string>{"<table>", "<tr>", "<td> </td>", "<td> </td>", "<td> </td>",
                                                         "</tr>", "</table>"}));
  EXPECT_EQ(tableLines(1, 1), (std::vector<std::string>{"<table>", "<tr>", "<td> </td>", "</tr>", "</table>"}));
  const struct {
    int columns, rows;
    std::size_t lines;
  } sizes[] = {{2, 2, 10}, {1, 3, 11}, {0, 0, 5}, {-5, 2, 8}, {1000, 1000, 1000u * 1002 + 2}, {5000, 1, 1004}};
  for (const auto& s : sizes) EXPECT_EQ(tableLines(s.columns, s.rows).size(), s.lines) << s.columns << "x" << s.rows;
}

TEST(WebSafe, IndexColourAndText) {
  const struct {
    int index;
    const char* text;
  } cases[] = {{0, "#000000"}, {215, "#ffffff"}, {6, "#003300"}, {1, "#000033"}, {36, "#330000"},
               {107, "#66ffff"}, {-1, "#000000"}, {300, "#ffffff"}};
  for (const auto& c : cases) EXPECT_EQ(colorTextLower(webSafeColor(c.index)), c.text) << c.index;
}

TEST(WebSafe, CellUnderAPoint) {
  const struct {
    int x, y, index;
  } cases[] = {{0, 0, 0},     {15, 15, 0},    {16, 0, 1},     {255, 0, 15},   {0, 16, 16},
               {7, 208, 208}, {7, 207, 192}, {127, 208, 215}, {128, 208, 215}, {255, 255, 215}, {-3, 999, 215}};
  for (const auto& c : cases) EXPECT_EQ(webSafeIndexAt(c.x, c.y), c.index) << c.x << "," << c.y;
}

TEST(ColorTexts, UpperAndLowerHex) {
  EXPECT_EQ(colorTextUpper({255, 0, 0}), "#FF0000");
  EXPECT_EQ(colorTextUpper({0x12, 0xab, 0x0f}), "#12AB0F");
  EXPECT_EQ(colorTextLower({255, 0x33, 0x66}), "#ff3366");
  EXPECT_EQ(wrapInColorFont({0, 128, 255}, "x"), "<font color=\"#0080FF\">x</font>");
}

TEST(TagPairs, WrapOrEmptyPair) {
  const struct {
    const char* button;
    const char* wrapped;  // around "w"
    const char* empty;
  } cases[] = {
      {"bbLink", "<a href=\"\">w</a>", "<a href=\"\"></a>"},
      {"bbTD", "<td>w</td>", "<td></td>"},
      {"bbTR", "<tr>w</tr>", "<tr></tr>"},
      {"BitBtn5", "<b>w</b>", "<b></b>"},
      {"bbItalic", "<i>w</i>", "<i></i>"},
      {"bbPara", "<p>w</p>", "<p></p>"},
      {"bbCenter", "<div align=\"center\">w</div>", "<div align=\"center\"> </div>"},
      {"bbLi", "<li>w</li>", "<li></li>"},
      {"bbComment", "<!-- w -->", "<!--  -->"},
  };
  EXPECT_EQ(wrapTagPairs().size(), std::size(cases));
  for (const auto& c : cases) {
    const TagPair* p = findTagPair(c.button);
    ASSERT_NE(p, nullptr) << c.button;
    EXPECT_EQ(wrapInTags(*p, "w"), c.wrapped);
    EXPECT_STREQ(p->empty, c.empty);
  }
  EXPECT_EQ(findTagPair("bbFont"), nullptr);
  EXPECT_EQ(wrapInFontTag("t"), "<font size=\"\" color=\"\">t</font>");
}

}  // namespace
