#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "core/html/hyperlinks.h"
#include "core/html/tag_iterator.h"

using namespace kiv;

namespace {

using Links = std::vector<std::string>;

TEST(Hyperlinks, FindsTheHrefValueOfEachATag) {
  const struct {
    const char* html;
    Links links;
  } cases[] = {
      {"<a href=\"x.htm\">x</a>", {"x.htm"}},
      {"<A HREF='y.htm'>", {"y.htm"}},
      {"<a href=z.htm>", {"z.htm"}},                         // unquoted: nothing cut off
      {"<a title=\"t\" href=\"u\">", {"u"}},                 // HREF need not come first
      {"<a target=_blank\thref = \"v w\">", {"v w"}},        // blanks around "=" and inside quotes
      {"<a href>x</a>", {}},                                 // no "=": skipped
      {"<a name=\"href\">", {}},                             // another attribute's value is no link
      {"<a title=\"href=q\" href=\"r\">", {"r"}},            // "href=" inside a quoted value
      {"<a href=\"\">", {""}},
      {"<a href=\"open>", {"open"}},                         // an open quote runs to the tag's end
      {"<abbr href=\"no\"><area href=\"no\">", {}},          // only A tags
      {"<p><a\r\nhref=\"n\">", {"n"}},                       // a line break is a blank
      {"<a href=\"1\"><b><a href=\"2\">", {"1", "2"}},
      {"text <a href=\"x\"", {}},                            // no closing bracket: no tag
      {"<a <a href=\"in\">", {"in"}},                        // a "<" inside a tag starts the next, once
      {"<a href=\"1\" <b>", {}},                              // a tag cut by another one is no link
      {"", {}},
  };
  for (const auto& c : cases) EXPECT_EQ(findHyperlinks(c.html), c.links) << c.html;
}

TEST(TagIterator, TagsBetweenBracketsInOrder) {
  TagIterator it("x<b>y< i ><a<c>>");
  std::vector<std::string> tags;
  while (auto t = it.next()) tags.emplace_back(*t);
  EXPECT_EQ(tags, (std::vector<std::string>{"b", " i ", "a<c", "c"}));
}

TEST(ParseTag, NamesAndValues) {
  const ParsedTag t = parseTag("img  src='a b.png' width=10 checked =\"x\" = alt=\"\"");
  EXPECT_EQ(t.name, "img");
  ASSERT_EQ(t.attributes.size(), 4u);
  EXPECT_EQ(t.attributes[0].name, "src");
  EXPECT_EQ(t.attributes[0].value, "a b.png");
  EXPECT_EQ(t.attributes[1].value, "10");
  EXPECT_EQ(t.attributes[2].name, "checked");
  EXPECT_EQ(t.attributes[2].value, "x");
  EXPECT_EQ(t.attributes[3].name, "");       // a stray "=" takes the next word
  EXPECT_EQ(t.attributes[3].value, "alt=\"\"");
  EXPECT_FALSE(parseTag("a href").attributes[0].value.has_value());
}

}  // namespace
