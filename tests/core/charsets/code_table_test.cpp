#include "core/charsets/code_table.h"

#include <gtest/gtest.h>

#include <stdexcept>

#include "core/common/file_bytes.h"
#include "core/common/replace_all.h"
#include "test_util.h"

namespace kiv {
namespace {

using namespace std::string_literals;

TEST(CodeTable, ParseRules) {
  const struct {
    const char* what;
    std::string table;
    std::vector<std::pair<std::string, std::string>> rules;
  } cases[] = {
      {"CR LF lines", "a=b\r\nc=d\r\n", {{"a", "b"}, {"c", "d"}}},
      {"LF and lone CR", "a=b\nc=d\re=f", {{"a", "b"}, {"c", "d"}, {"e", "f"}}},
      {"further = belong to the value", "a==b=c", {{"a", "=b=c"}}},
      {"empty value", "a=", {{"a", ""}}},
      {"nothing trimmed", " a = b \t", {{" a ", " b \t"}}},
      {"line without = is skipped", "abc\nx=y", {{"x", "y"}}},
      {"line starting with = is skipped", "=abc\nx=y", {{"x", "y"}}},
      {"empty lines", "\r\n\r\nx=y\r\n\r\n", {{"x", "y"}}},
      {"zero byte ends the table", "a=b\nc=d\0e=f"s, {{"a", "b"}, {"c", "d"}}},
      {"duplicate name takes the first value", "q=1\nq=2\nr=3\nq=4", {{"q", "1"}, {"q", "1"}, {"r", "3"}, {"q", "1"}}},
      {"empty table", "", {}},
  };
  for (const auto& c : cases) {
    const auto rules = parseCodeTable(c.table);
    ASSERT_EQ(rules.size(), c.rules.size()) << c.what;
    for (std::size_t i = 0; i < rules.size(); ++i) {
      EXPECT_EQ(rules[i].name, c.rules[i].first) << c.what;
      EXPECT_EQ(rules[i].value, c.rules[i].second) << c.what;
    }
  }
}

TEST(CodeTable, ApplyRules) {
  const struct {
    const char* what;
    std::string table, text, expected;
  } cases[] = {
      {"later rules see earlier results", "ab=X\r\nX=y\r\n", "abab", "yy"},
      {"a=b then b=c", "a=b\nb=c", "abc", "ccc"},
      {"order matters the other way", "b=c\na=b", "abc", "bcc"},
      {"first value of a duplicated name", "q=" + test::win("й") + "\nq=z", "qq", test::win("йй")},
      {"rule with empty name does nothing", "=x\nabc\n", "abc=x", "abc=x"},
      {"deletion rule", test::win("\u00AD="), test::win("пере\u00ADнос"), test::win("перенос")},
      {"no overlap within a rule", "aa=b", "aaaaa", "bba"},
      {"value not rescanned by its own rule", "a=aa", "aa", "aaaa"},
      {"empty text", "a=b", "", ""},
      {"case-sensitive", "A=b", "aA", "ab"},
  };
  for (const auto& c : cases) EXPECT_EQ(applyCodeTable(c.text, c.table), c.expected) << c.what;
}

TEST(TableCodec, ConvertsThroughTheTableFile) {
  test::TempFile table("ab=X\r\nX=y\r\n");
  TableCodec codec("abab!");
  codec.tablePath = table.path();
  std::string out;
  codec.convert(out);
  EXPECT_EQ(out, "yy!");
  EXPECT_EQ(codec.source(), "abab!");
}

TEST(TableCodec, MissingTableIsAFileError) {
  TableCodec codec("text");
  codec.tablePath = "/nonexistent/Engine/Tables/word_glux.tbl";
  std::string out = "unchanged";
  try {
    codec.convert(out);
    FAIL() << "no error";
  } catch (const FileError& e) {
    EXPECT_STREQ(e.what(), "Cannot open file /nonexistent/Engine/Tables/word_glux.tbl");
  }
  EXPECT_EQ(out, "unchanged");
}

TEST(TableCodec, PolymorphicThroughTheBase) {
  test::TempFile table("x=y");
  auto* codec = new TableCodec("xx");
  codec->tablePath = table.path();
  CodeTable* base = codec;
  std::string out;
  base->convert(out);
  delete base;
  EXPECT_EQ(out, "yy");
}

// Tables are written in Windows-1251; a DOS or KOI8-R text gets the same
// characters in its own bytes, and rules its code page cannot hold are left out.
TEST(CodeTable, RecodedForOtherCharsets) {
  const std::string table = test::win("ghbdtn=привет\r\nЁ=Е\r\n\u2014=-\r\n\u00A0= \r\n");
  test::TempFile file(table);
  const struct {
    const char* charset;
    std::string text, expected;
  } cases[] = {
      {"win", test::win("ghbdtn Ёж\u2014\u00A0Ч "), test::win("привет Еж-\u0020Ч ")},
      {"dos", test::dos("ghbdtn Ёж Ч \u00A0"), test::dos("привет Еж Ч  ")},
      {"koi", test::koi("ghbdtn Ёж"), test::koi("привет Еж")},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(test::hex(runCodeTable(c.text, file.path(), c.charset)), test::hex(c.expected)) << c.charset;
    TableCodec codec(c.text);
    codec.tablePath = file.path();
    codec.charset = c.charset;
    std::string out;
    codec.convert(out);
    EXPECT_EQ(out, c.expected) << c.charset;
  }
  // In DOS 866 the em dash has no byte: its rule is dropped, so the Ч (97)
  // of a DOS text is never taken for a dash.
  const auto dosRules = recodeRules(parseCodeTable(table), "dos");
  EXPECT_EQ(dosRules.size(), 3u);
}

}  // namespace
}  // namespace kiv

namespace {

TEST(CodecLimits, AGrowingTableIsRefusedBeforeItBalloons) {
  // Every line doubles the text: 40 lines would make a terabyte.
  std::string table;
  for (int i = 0; i < 40; ++i) table += "a=aa\r\n";
  try {
    kiv::applyCodeTable(std::string(1000, 'a'), table);
    FAIL() << "no refusal";
  } catch (const std::length_error& e) {
    EXPECT_STREQ(e.what(), kiv::kMsgCodeTableTooLarge);
  }
  // A table that grows the text within the limit still runs.
  EXPECT_EQ(kiv::applyCodeTable("ab", "a=xyz\r\n"), "xyzb");
  EXPECT_EQ(kiv::countOccurrences("aaaa", "aa"), 2u);
  EXPECT_EQ(kiv::countOccurrences("abc", ""), 0u);
}

}  // namespace
