// Files into documents and back: what loadDocumentFile makes of a file and
// that documentFileBytes writes the same file again when nothing was edited.

#include <gtest/gtest.h>

#include <random>
#include <string>

#include "core/charsets/code_page.h"
#include "core/fileio/document_file.h"

using namespace kiv;
using namespace std::string_literals;

namespace {

std::string enc(CodePageId id, const std::string& utf8) { return CodePage::get(id).encodeFromUtf8(utf8); }
std::string win(const std::string& utf8) { return enc(CodePageId::Win1251, utf8); }

std::string hex(const std::string& s) {
  static const char* d = "0123456789abcdef";
  std::string out;
  for (unsigned char c : s) {
    out += d[c >> 4];
    out += d[c & 15];
    out += ' ';
  }
  return out;
}

const std::string kRussian =
    "Съешь же ещё этих мягких французских булок, да выпей чаю. Широкая электрификация южных губерний "
    "даст мощный толчок подъёму сельского хозяйства. В чащах юга жил бы цитрус? Да, но фальшивый экземпляр!";

}  // namespace

TEST(DocumentFile, WhatOpeningMakesOfAFile) {
  struct Case {
    const char* what;
    std::string file;
    bool guess;
    std::string text;
    std::string charset;
    bool utf8;
    LineEndStyle lineEnd;
    bool finalBreak;
  } cases[] = {
      {"Windows-1251, CR LF", win("Привет\r\nмир\r\n"), false, win("Привет\r\nмир\r\n"), "win", false,
       LineEndStyle::CrLf, true},
      {"LF without a final break", "one\ntwo", false, "one\r\ntwo\r\n", "win", false, LineEndStyle::Lf, false},
      {"CR only", "a\rb\r", false, "a\r\nb\r\n", "win", false, LineEndStyle::Cr, true},
      {"zero bytes are kept", "abc\0def\0\nline2\n"s, false, "abc\0def\0\r\nline2\r\n"s, "win", false,
       LineEndStyle::Lf, true},
      {"UTF-8 without guessing", "Привет, мир\n", false, win("Привет, мир\r\n"), "win", true, LineEndStyle::Lf, true},
      {"UTF-8 with a zero byte", "Я\0я\n"s, false, win("Я\0я\r\n"s), "win", true, LineEndStyle::Lf, true},
      {"KOI8-R guessed", enc(CodePageId::Koi8r, kRussian + "\n"), true, enc(CodePageId::Koi8r, kRussian + "\r\n"),
       "koi", false, LineEndStyle::Lf, true},
      {"DOS 866 guessed", enc(CodePageId::Cp866, kRussian + "\r\n"), true, enc(CodePageId::Cp866, kRussian + "\r\n"),
       "dos", false, LineEndStyle::CrLf, true},
      {"KOI8-R not guessed", enc(CodePageId::Koi8r, kRussian), false, enc(CodePageId::Koi8r, kRussian + "\r\n"), "win",
       false, LineEndStyle::Lf, false},
      {"empty", "", true, "", "win", false, LineEndStyle::Lf, true},
      {"no line break", "abc", true, "abc\r\n", "win", false, LineEndStyle::Lf, false},
  };
  for (const auto& c : cases) {
    const DocumentFile d = loadDocumentFile(c.file, c.guess);
    EXPECT_EQ(hex(d.text), hex(c.text)) << c.what;
    EXPECT_EQ(d.charset, c.charset) << c.what;
    EXPECT_EQ(d.shape.utf8, c.utf8) << c.what;
    EXPECT_EQ(d.shape.lineEnd, c.lineEnd) << c.what;
    EXPECT_EQ(d.shape.finalLineBreak, c.finalBreak) << c.what;
    EXPECT_FALSE(d.utf8Foreign) << c.what;
  }
  const DocumentFile foreign = loadDocumentFile("Привет 中文\n", true);
  EXPECT_TRUE(foreign.utf8Foreign);
  EXPECT_FALSE(foreign.shape.utf8);
  EXPECT_EQ(foreign.text, "Привет 中文\r\n");
}

TEST(DocumentFile, UnchangedTextWritesTheSameFile) {
  const std::string files[] = {
      win("Привет\r\nмир\r\n"),
      "one\ntwo",
      "one\ntwo\n",
      "a\rb\r",
      "\r\n\r\n",
      "\n",
      "abc\0def\0\nline2\n"s,
      "\xEF\xBB\xBFЗдравствуй, мир!\nВторая строка без конца",
      "Привет, мир\r\n",
      "Ё\0\n"s,
      enc(CodePageId::Koi8r, kRussian + "\n"),
      enc(CodePageId::Cp866, kRussian + "\r\n" + kRussian),
      "Привет 中文\n",
      "",
  };
  for (const auto& file : files) {
    for (bool guess : {false, true}) {
      const DocumentFile d = loadDocumentFile(file, guess);
      EXPECT_EQ(hex(documentFileBytes(d.text, d.charset, d.shape)), hex(file)) << hex(file);
    }
  }
}

TEST(DocumentFile, EveryByteSurvivesInEveryCodePage) {
  // Any bytes with one kind of line break come back exactly, whatever code
  // page the guess picks.
  std::mt19937 rng(7);
  for (const char* brk : {"\r\n", "\n", "\r"}) {
    for (int round = 0; round < 200; ++round) {
      std::string file;
      const int lines = 1 + static_cast<int>(rng() % 8);
      for (int l = 0; l < lines; ++l) {
        const int n = static_cast<int>(rng() % 40);
        for (int i = 0; i < n; ++i) {
          char c;
          do c = static_cast<char>(rng() & 0xFF);
          while (c == '\r' || c == '\n');
          file += c;
        }
        if (l + 1 < lines || rng() % 2) file += brk;
      }
      for (bool guess : {false, true}) {
        const DocumentFile d = loadDocumentFile(file, guess);
        ASSERT_EQ(hex(documentFileBytes(d.text, d.charset, d.shape)), hex(file));
      }
    }
  }
}

TEST(DocumentFile, EditedTextTakesTheFilesShape) {
  struct Case {
    const char* what;
    std::string file;
    std::string edited;  // document text after an edit (CR LF lines, document bytes)
    std::string saved;
  } cases[] = {
      {"LF file", "a\nb\n", "a\r\nX\r\nb\r\n", "a\nX\nb\n"},
      {"no final break stays without one", "a\nb", "a\r\nbc\r\n", "a\nbc"},
      {"CR file", "a\rb\r", "a\r\nb\r\nc\r\n", "a\rb\rc\r"},
      {"UTF-8 with mark", "\xEF\xBB\xBFЯ\n", win("Ян\r\n"), "\xEF\xBB\xBFЯн\n"},
      // A file without lines: the first line typed in is closed like in a new file.
      {"empty file", "", "a\r\nb\r\n", "a\nb\n"},
      {"only the UTF-8 mark", "\xEF\xBB\xBF", win("Я\r\nб\r\n"), "\xEF\xBB\xBFЯ\nб\n"},
  };
  for (const auto& c : cases) {
    const DocumentFile d = loadDocumentFile(c.file, false);
    EXPECT_EQ(hex(documentFileBytes(c.edited, d.charset, d.shape)), hex(c.saved)) << c.what;
  }
  // UTF-8 files are written from the document's current code page.
  const DocumentFile d = loadDocumentFile("Ёж\n", false);
  EXPECT_EQ(documentFileBytes(enc(CodePageId::Koi8r, "Ёж\r\n"), "koi", d.shape), "Ёж\n");
  // New documents: LF, a final break, single-byte.
  EXPECT_EQ(documentFileBytes(win("Новый\r\nтекст\r\n"), "win", newDocumentShape()), win("Новый\nтекст\n"));
}
