#include <gtest/gtest.h>

#include <cstdio>
#include <fstream>

#include "core/common/file_bytes.h"
#include "core/fileio/file_formats.h"

using namespace kiv;

namespace {
std::string tempFile(const char* name, const std::string& bytes) {
  const std::string path = ::testing::TempDir() + name;
  std::ofstream(path, std::ios::binary) << bytes;
  return path;
}
}  // namespace

TEST(FileFormats, StdTxtReadAndWrite) {
  struct Row {
    std::string file;
    std::string text;
  } rows[] = {
      {"a\nb", "a\r\nb\r\n"},
      {std::string("ab\0cd\r\n", 7), std::string("ab\0cd\r\n", 7)},  // zero bytes kept
      {"", ""},
      {"x\r\n\r\n", "x\r\n\r\n"},
      {"one\rtwo", "one\r\ntwo\r\n"},
  };
  FileFormats reg;
  FileFormat* io = reg.find("std_txt");
  for (const auto& r : rows) {
    io->fileName = tempFile("kiv-std.txt", r.file);
    std::string text;
    io->readText("std_txt", text);
    EXPECT_EQ(text, r.text);
  }
  io->fileName = ::testing::TempDir() + "kiv-std-out.txt";
  io->writeText(std::string("a\nb\r\nc\0d", 8), "std_txt");
  EXPECT_EQ(*readFileBytes(io->fileName), std::string("a\r\nb\r\nc\0d\r\n", 11));
}

TEST(FileFormats, UnicodeBothWays) {
  EXPECT_EQ(utf16leFromWin1251("\xC4\xE0"), std::string("\x14\x04\x30\x04", 4));
  EXPECT_EQ(win1251FromUtf16le(std::string("\xFF\xFE\x14\x04\x30\x04", 6)), "?\xC4\xE0");
  EXPECT_EQ(win1251FromUtf16le(std::string("a\0b\0c", 5)), "ab");  // final odd byte ignored
  EXPECT_EQ(win1251FromUtf16le(std::string("a\0\0\0b\0", 6)), "a");  // zero unit ends the text
  EXPECT_EQ(win1251FromUtf16le(std::string("\x3D\xD8\x00\xDE", 4)), "??");  // no surrogates in 1251
  EXPECT_EQ(win1251FromUtf16le(std::string("\r\0\n\0", 4)), "\r\n");
  // Every Windows-1251 byte but zero goes there and back (0x98 too).
  std::string all;
  for (int b = 1; b < 256; ++b) all += static_cast<char>(b);
  EXPECT_EQ(win1251FromUtf16le(utf16leFromWin1251(all)), all);
  FileFormats reg;
  FileFormat* io = reg.find("UNICODE");
  ASSERT_NE(io, nullptr);
  io->fileName = ::testing::TempDir() + "kiv-u16.txt";
  io->writeText("", "unicode");
  EXPECT_EQ(*readFileBytes(io->fileName), "");
}

TEST(FileFormats, FidoHeader) {
  std::string h(190, '\0');
  h.replace(0, 5, "Vasya");
  h.replace(36, 4, "Petr");
  h.replace(72, 5, "Hello");
  h.replace(144, 20, "07 Dec 26  23:40:05 ");
  auto put16 = [&](std::size_t off, int v) {
    h[off] = static_cast<char>(v & 0xFF);
    h[off + 1] = static_cast<char>(v >> 8);
  };
  put16(172, 5020);
  put16(168, 123);
  put16(174, 5030);
  put16(166, 45);
  EXPECT_EQ(fidoHeaderLine(h),
            "FROM: Vasya2:5020/123TO: Petr2:5030/45DATE: 07 Dec 26  23:40:05 SUBJ:Hello");
  // A short file counts the missing bytes as zero.
  EXPECT_EQ(fidoHeaderLine("Ab").substr(0, 14), "FROM: Ab2:0/0T");
  FileFormats reg;
  FileFormat* io = reg.find("fidomsg");
  io->fileName = tempFile("kiv.msg", h + "body");
  std::string text;
  io->readText("fidomsg", text);
  EXPECT_NE(text.find("2:5020/123"), std::string::npos);
  io->writeText("anything", "fidomsg");
  EXPECT_EQ(*readFileBytes(io->fileName), h + "body");  // writing leaves the file alone
}

TEST(FileFormats, RegistryAndErrors) {
  FileFormats reg;
  EXPECT_EQ(reg.find("STD_TXT"), reg.find("std_txt"));
  EXPECT_EQ(reg.find("nothing"), nullptr);
  EXPECT_EQ(reg.description(), "Модульный движок ввода/вывода V 1.0");
  FileFormat* io = reg.find("std_txt");
  io->fileName = "/nonexistent-kiv/x.txt";
  std::string text = "unchanged";
  try {
    io->readText("std_txt", text);
    FAIL();
  } catch (const FileError& e) {
    EXPECT_EQ(std::string(e.what()), "Cannot open file /nonexistent-kiv/x.txt");
  }
  EXPECT_EQ(text, "unchanged");
  EXPECT_THROW(io->writeText("x", "std_txt"), FileError);
}
