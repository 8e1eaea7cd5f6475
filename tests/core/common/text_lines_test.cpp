#include <gtest/gtest.h>

#include "core/common/ascii.h"
#include "core/common/file_bytes.h"
#include "core/common/text_lines.h"

#include <filesystem>
#include <fstream>

using namespace kiv;

TEST(TextLines, SplitJoinAndNormalize) {
  struct Row {
    std::string in;
    std::vector<std::string> lines;
    std::string crlf;
  } rows[] = {
      {"", {}, ""},
      {"a", {"a"}, "a\r\n"},
      {"a\nb", {"a", "b"}, "a\r\nb\r\n"},
      {"a\r\nb\r\n", {"a", "b"}, "a\r\nb\r\n"},
      {"a\rb\n\nc", {"a", "b", "", "c"}, "a\r\nb\r\n\r\nc\r\n"},
      {"\r\n", {""}, "\r\n"},
      {"\n\r", {"", ""}, "\r\n\r\n"},  // LF then lone CR: two breaks
      {"x\r\r\n", {"x", ""}, "x\r\n\r\n"},
  };
  for (const auto& r : rows) {
    EXPECT_EQ(splitLines(r.in), r.lines) << r.in;
    EXPECT_EQ(normalizeToCrLf(r.in), r.crlf) << r.in;
    EXPECT_EQ(joinLinesCrLf(r.lines), r.crlf) << r.in;
  }
  EXPECT_EQ(unifyLineBreaks("a\nb"), "a\r\nb");
  EXPECT_EQ(untilZero(std::string_view("ab\0cd", 5)), "ab");
}

TEST(Ascii, ParseInt32) {
  struct Row {
    const char* text;
    bool ok;
    int value;
  } rows[] = {
      {"0", true, 0},           {"-2147483648", true, -2147483647 - 1}, {"2147483647", true, 2147483647},
      {"2147483648", false, 0}, {" 12 ", true, 12},                     {"+7", true, 7},
      {"$FF", true, 255},       {"0x10", true, 16},                     {"$FFFFFFFF", true, -1},
      {"", false, 0},           {"12a", false, 0},                      {"-", false, 0},
      {"1 2", false, 0},        {"$", false, 0},
  };
  for (const auto& r : rows) {
    int v = 12345;
    EXPECT_EQ(parseInt32(r.text, v), r.ok) << r.text;
    if (r.ok) {
      EXPECT_EQ(v, r.value) << r.text;
    }
  }
}

TEST(FileBytes, AtomicWriteReplacesAndFailureKeepsOldFile) {
  namespace fs = std::filesystem;
  const fs::path dir = fs::temp_directory_path() / ("kiv-fb-" + std::to_string(::getpid()));
  fs::create_directories(dir);
  const std::string file = (dir / "a.txt").string();
  ASSERT_TRUE(writeFileAtomically(file, std::string("old\0data", 8)));
  EXPECT_EQ(*readFileBytes(file), std::string("old\0data", 8));
  ASSERT_TRUE(writeFileAtomically(file, "new"));
  EXPECT_EQ(*readFileBytes(file), "new");
  // No temporary files are left behind.
  int entries = 0;
  for (auto& e : fs::directory_iterator(dir)) (void)e, ++entries;
  EXPECT_EQ(entries, 1);
  // A target that is a folder cannot be written; nothing changes.
  std::string why;
  EXPECT_FALSE(writeFileAtomically(dir.string(), "x", &why));
  EXPECT_FALSE(why.empty());
  EXPECT_THROW(writeFileOrThrow((dir / "missing" / "b.txt").string(), "x"), FileError);
  EXPECT_THROW(readFileOrThrow((dir / "nope.txt").string()), FileError);
  try {
    readFileOrThrow((dir / "nope.txt").string());
  } catch (const FileError& e) {
    EXPECT_EQ(std::string(e.what()), "Cannot open file " + (dir / "nope.txt").string());
  }
  EXPECT_EQ(*readFilePrefix(file, 2), "ne");
  fs::remove_all(dir);
}
