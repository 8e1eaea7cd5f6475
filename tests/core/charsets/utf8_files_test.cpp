#include "core/charsets/utf8_files.h"

#include <gtest/gtest.h>

#include "core/common/replace_all.h"
#include "test_util.h"

namespace kiv {
namespace {

using test::hex;

TEST(LineEnds, DominantStyle) {
  const struct {
    std::string bytes;
    LineEndStyle style;
  } cases[] = {
      {"", LineEndStyle::CrLf},
      {"no breaks", LineEndStyle::CrLf},
      {"a\r\nb\r\n", LineEndStyle::CrLf},
      {"a\nb\n", LineEndStyle::Lf},
      {"a\rb\r", LineEndStyle::Cr},
      {"a\nb\nc\r\n", LineEndStyle::Lf},
      {"a\r\nb\nc\r\nd\n", LineEndStyle::CrLf},  // tie goes to CR LF
      {"a\rb\n", LineEndStyle::Lf},
      {"\n\r", LineEndStyle::Lf},  // LF then a lone CR, not a CR LF
  };
  for (const auto& c : cases) EXPECT_EQ(dominantLineEnd(c.bytes), c.style) << hex(c.bytes);
}

TEST(LineEnds, WithLineEnds) {
  EXPECT_EQ(withLineEnds("a\r\nb\r\n", LineEndStyle::Lf), "a\nb\n");
  EXPECT_EQ(withLineEnds("a\r\nb\nc\rd", LineEndStyle::Cr), "a\rb\rc\rd");
  EXPECT_EQ(withLineEnds("a\nb\r", LineEndStyle::CrLf), "a\r\nb\r\n");
  EXPECT_EQ(withLineEnds("\r\n\r\n", LineEndStyle::Lf), "\n\n");
  EXPECT_EQ(withLineEnds("", LineEndStyle::Lf), "");
}

TEST(TextFileShape, RestoresLayout) {
  const struct {
    std::string file;   // as on disk (ASCII, so no recoding involved)
    std::string text;   // as the program holds it
  } cases[] = {
      {"a\nb\n", "a\r\nb\r\n"},
      {"a\nb", "a\r\nb\r\n"},
      {"a\r\nb", "a\r\nb\r\n"},
      {"a\rb\r", "a\r\nb\r\n"},
      {"a\n\n\nb\n", "a\r\n\r\n\r\nb\r\n"},
      {"\n", "\r\n"},
      {"", ""},
  };
  for (const auto& c : cases) {
    const TextFileShape shape = detectTextFileShape(c.file);
    EXPECT_EQ(restoreTextFileShape(c.text, shape), c.file) << hex(c.file);
  }
}

TEST(Utf8Import, CountsWhatWindows1251Lacks) {
  const struct {
    const char* what;
    std::string file;
    std::string text;
    std::size_t unmapped, malformed;
  } cases[] = {
      {"Russian", "Ёлка\n", test::win("Ёлка\r\n"), 0, 0},
      {"byte-order mark dropped", "\xEF\xBB\xBFЯ", test::win("Я\r\n"), 0, 0},
      {"typography Windows-1251 has", "«Ёж» — №1…", test::win("«Ёж» — №1…\r\n"), 0, 0},
      {"characters it lacks", "a😀b漢", "a?b?\r\n", 2, 0},
      {"malformed bytes", "a\xFF\xC0z", "a??z\r\n", 0, 2},
      {"zero byte is kept", std::string("ab\0cd", 5), std::string("ab\0cd\r\n", 7), 0, 0},
      {"empty", "", "", 0, 0},
  };
  for (const auto& c : cases) {
    const Utf8Import r = importUtf8File(c.file);
    EXPECT_EQ(hex(r.text), hex(c.text)) << c.what;
    EXPECT_EQ(r.unmapped, c.unmapped) << c.what;
    EXPECT_EQ(r.malformed, c.malformed) << c.what;
  }
}

TEST(Utf8Export, FromEachCharset) {
  const char* utf8 = "Ёлка — ель\r\n";
  EXPECT_EQ(exportUtf8(test::win(utf8), "win"), utf8);
  EXPECT_EQ(exportUtf8(test::koi("Ёлка ель\r\n"), "koi"), "Ёлка ель\r\n");
  EXPECT_EQ(exportUtf8(test::dos("Ёлка ель\r\n"), "dos"), "Ёлка ель\r\n");
  EXPECT_EQ(exportUtf8("", "win"), "");
}

TEST(ClassifyOpenedFile, Kinds) {
  const struct {
    const char* what;
    std::string file;
    OpenedFileKind kind;
  } cases[] = {
      {"ASCII", "plain text\n", OpenedFileKind::Other},
      {"empty", "", OpenedFileKind::Other},
      {"Windows-1251 bytes", test::win("Привет, мир\r\n"), OpenedFileKind::Other},
      {"KOI8-R bytes", test::koi("Привет, мир\r\n"), OpenedFileKind::Other},
      {"UTF-8 Russian", "Привет, мир\n", OpenedFileKind::Utf8ToWin},
      {"UTF-8 with mark, ASCII", "\xEF\xBB\xBFplain\n", OpenedFileKind::Utf8ToWin},
      {"UTF-8 with an emoji", "Привет 😀\n", OpenedFileKind::Utf8Foreign},
      {"UTF-8 German", "Grüße\n", OpenedFileKind::Utf8Foreign},
      {"UTF-8 then a broken byte", "Привет\xFF\n", OpenedFileKind::Other},
      {"UTF-8 genuine replacement character", "a\xEF\xBF\xBD\n", OpenedFileKind::Utf8Foreign},
  };
  for (const auto& c : cases) EXPECT_EQ(classifyOpenedFile(c.file).kind, c.kind) << c.what;
  EXPECT_EQ(hex(classifyOpenedFile("Привет\n").text), hex(test::win("Привет\r\n")));
}

// UTF-8 file → document → UTF-8 file gives the same bytes when nothing was
// edited, whatever the line breaks, final break and byte-order mark.
TEST(SaveUtf8File, RoundTripIsByteIdentical) {
  const std::string files[] = {
      "Привет, мир!\nЁлка и ёж.\n",
      "Привет, мир!\r\nЁлка и ёж.\r\n",
      "Привет\rмир\r",
      "Без перевода строки в конце",
      "\xEF\xBB\xBFС меткой порядка байтов\n",
      "\xEF\xBB\xBFplain ASCII with a mark\n",
      "«Кавычки» — тире… №5 €10\n\n\nпустые строки\n",
      "\xEF\xBB\xBF",
      "\xEF\xBB\xBF\n",
  };
  for (const std::string& f : files) {
    const OpenedFile o = classifyOpenedFile(f);
    ASSERT_EQ(o.kind, OpenedFileKind::Utf8ToWin) << f;
    EXPECT_EQ(saveUtf8File(o.text, o.shape), f) << f;
  }
}

TEST(SaveUtf8File, OnlyTheEditChanges) {
  const std::string file = "Первая строка\nВторая строка\nТретья\n";
  const OpenedFile o = classifyOpenedFile(file);
  const std::string edited = replaceAll(o.text, test::win("Вторая"), test::win("2-я"));
  EXPECT_EQ(saveUtf8File(edited, o.shape), "Первая строка\n2-я строка\nТретья\n");
  const std::string added = o.text + test::win("Ещё\r\n");
  EXPECT_EQ(saveUtf8File(added, o.shape), file + "Ещё\n");
}

TEST(SaveUtf8File, MessageForForeignFiles) {
  EXPECT_NE(std::string(kMsgUtf8Foreign).find("UTF-8"), std::string::npos);
}

}  // namespace
}  // namespace kiv
