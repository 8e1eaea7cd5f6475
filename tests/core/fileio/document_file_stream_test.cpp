// Opening block by block gives exactly what opening the bytes at once gives,
// however the file is cut into blocks and the text into pieces.

#include <gtest/gtest.h>

#include <cerrno>
#include <optional>

#include <random>
#include <string>
#include <vector>

#include "core/charsets/code_page.h"
#include "core/fileio/document_file.h"
#include "core/fileio/document_file_stream.h"

using namespace kiv;
using namespace std::string_literals;

namespace {

std::string enc(CodePageId id, const std::string& utf8) { return CodePage::get(id).encodeFromUtf8(utf8); }

const std::string kRussian =
    "Съешь же ещё этих мягких французских булок, да выпей чаю. Широкая электрификация южных губерний "
    "даст мощный толчок подъёму сельского хозяйства.";

// What the control is given when the whole file is opened at once.
std::string shownAtOnce(const DocumentFile& d) {
  std::string utf8 = CodePage::ofCharset(d.charset).decodeToUtf8(d.text);
  if (utf8.size() >= 2 && utf8.compare(utf8.size() - 2, 2, "\r\n") == 0) utf8.resize(utf8.size() - 2);
  return utf8;
}

struct Streamed {
  DocumentFileInfo info;
  std::string shown;
  std::vector<std::string> pieces;
};

Streamed streamed(const std::string& file, bool guess, std::mt19937& rng, std::size_t pieceSize) {
  auto blocks = [&](auto&& take) {
    std::size_t at = 0;
    while (at < file.size()) {
      const std::size_t n = std::min<std::size_t>(file.size() - at, 1 + rng() % 7);
      take(std::string_view(file).substr(at, n));
      at += n;
    }
  };
  Streamed s;
  DocumentFileScanner scanner;
  blocks([&](std::string_view b) { scanner.feed(b); });
  s.info = scanner.finish(guess);
  ShownTextMaker maker(s.info, [&](std::string_view piece) { s.pieces.emplace_back(piece); }, pieceSize);
  blocks([&](std::string_view b) { maker.feed(b); });
  maker.finish();
  for (const auto& p : s.pieces) s.shown += p;
  return s;
}

bool isUtf8Start(char c) { return (static_cast<unsigned char>(c) & 0xC0) != 0x80; }

}  // namespace

TEST(DocumentFileStream, AgreesWithOpeningAtOnce) {
  const std::string files[] = {
      "",
      "a",
      "\n",
      "\r\n\r\n",
      "\r",
      "one\ntwo",
      "one\r\ntwo\r\n",
      "a\rb\r\rc",
      "a\r\n\nb\r",
      "abc\0def\0\nline2\n"s,
      "\xEF\xBB\xBF",
      "\xEF\xBB",
      "\xEF\xBB\xBFЗдравствуй, мир!\nВторая строка без конца",
      "\xEF\xBB\xBFplain ASCII\r\n",
      "Привет, мир\r\n",
      "Привет 中文\n",
      "\xEF\xBB\xBFПривет 中文\n",
      "a\xEF\xBF\xBD\n",
      "Привет\xFF\n",
      "Ё\0ж\n"s,
      "\xD0",
      enc(CodePageId::Koi8r, kRussian + "\n" + kRussian + "\n"),
      enc(CodePageId::Cp866, kRussian + "\r\n" + kRussian),
      enc(CodePageId::Win1251, "Ёлка\r\nёж\r\n"),
  };
  std::mt19937 rng(11);
  for (const std::string& file : files) {
    for (bool guess : {false, true}) {
      const DocumentFile whole = loadDocumentFile(file, guess);
      for (std::size_t pieceSize : {std::size_t{16}, std::size_t{1} << 20}) {
        const Streamed s = streamed(file, guess, rng, pieceSize);
        EXPECT_EQ(s.info.charset, whole.charset) << file;
        EXPECT_TRUE(s.info.shape == whole.shape) << file;
        EXPECT_EQ(s.info.utf8Foreign, whole.utf8Foreign) << file;
        EXPECT_EQ(s.info.size, file.size());
        EXPECT_EQ(s.shown, shownAtOnce(whole)) << file;
        EXPECT_EQ(s.info.shownSize, s.shown.size()) << file;
        for (const auto& p : s.pieces) {
          ASSERT_FALSE(p.empty());
          EXPECT_TRUE(isUtf8Start(p.front())) << "a piece starts inside a character";
          EXPECT_NE(p.back(), '\r') << "a piece ends between CR and LF";
        }
      }
    }
  }
}

TEST(DocumentFileStream, RandomFilesAgree) {
  std::mt19937 rng(5);
  const std::string alphabet[] = {"a", " ", "\r", "\n", "\r\n", "\0"s, "Я", "ё", "中", "\xFF", "\xC3", "\xEF\xBB\xBF"};
  for (int round = 0; round < 2000; ++round) {
    std::string file;
    const int n = static_cast<int>(rng() % 30);
    for (int i = 0; i < n; ++i) file += alphabet[rng() % std::size(alphabet)];
    if (rng() % 4 == 0) file = enc(CodePageId::Koi8r, kRussian.substr(0, rng() % 40)) + file;
    const bool guess = rng() % 2;
    const DocumentFile whole = loadDocumentFile(file, guess);
    const Streamed s = streamed(file, guess, rng, 1 + rng() % 12);
    ASSERT_EQ(s.info.charset, whole.charset);
    ASSERT_TRUE(s.info.shape == whole.shape);
    ASSERT_EQ(s.info.utf8Foreign, whole.utf8Foreign);
    ASSERT_EQ(s.shown, shownAtOnce(whole));
    ASSERT_EQ(s.info.shownSize, s.shown.size());
  }
}

// A file learnt in two parts split after a LF (as two threads read a large
// one) must come out exactly as when it is learnt in one go.
TEST(DocumentFileStream, TwoPartsSplitAfterALineFeedAgreeWithOne) {
  std::mt19937 rng(11);
  const std::string alphabet[] = {"a", " ", "\r", "\n", "\r\n", "\0"s, "Я", "ё", "中", "😀", "\xFF", "\xD0", "\xEF\xBB\xBF"};
  const auto feedInBlocks = [&](DocumentFileScanner& sc, std::string_view bytes) {
    while (!bytes.empty()) {
      const std::size_t n = std::min<std::size_t>(bytes.size(), 1 + rng() % 9);
      sc.feed(bytes.substr(0, n));
      bytes.remove_prefix(n);
    }
  };
  int splits = 0;
  for (int round = 0; round < 3000; ++round) {
    std::string file;
    const int n = static_cast<int>(rng() % 40);
    for (int i = 0; i < n; ++i) file += alphabet[rng() % std::size(alphabet)];
    if (rng() % 3 == 0) file = enc(CodePageId::Win1251, kRussian.substr(0, rng() % 40)) + file;
    if (rng() % 3 == 0) file = kRussian.substr(0, 2 * (rng() % 20)) + file;
    std::vector<std::size_t> lineFeeds;
    for (std::size_t i = 0; i < file.size(); ++i)
      if (file[i] == '\n' && i >= 3) lineFeeds.push_back(i + 1);
    if (lineFeeds.empty()) continue;
    const std::size_t at = lineFeeds[rng() % lineFeeds.size()];
    const bool guess = rng() % 2;
    DocumentFileScanner whole, first, later{DocumentFileScanner::LaterPart{}};
    feedInBlocks(whole, file);
    feedInBlocks(first, std::string_view(file).substr(0, at));
    feedInBlocks(later, std::string_view(file).substr(at));
    first.append(later);
    const DocumentFileInfo a = whole.finish(guess), b = first.finish(guess);
    ASSERT_EQ(a.charset, b.charset) << round;
    ASSERT_TRUE(a.shape == b.shape) << round;
    ASSERT_EQ(a.utf8Foreign, b.utf8Foreign) << round;
    ASSERT_EQ(a.size, b.size);
    ASSERT_EQ(a.shownSize, b.shownSize) << round;
    ASSERT_EQ(a.longestLine, b.longestLine);
    ASSERT_EQ(a.cutLinesAt, b.cutLinesAt);
    ++splits;
  }
  EXPECT_GT(splits, 1000);
}

TEST(DocumentFileStream, LargeFilesAreLearntInTwoHalvesAlike) {
  // Above the size where two threads read a file, in each kind of text.
  const std::string path = ::testing::TempDir() + "kiv-halves.txt";
  struct Case {
    const char* name;
    std::string line;
    std::string tail;
  };
  const Case cases[] = {
      {"utf-8", kRussian + "\n", ""},
      {"1251 CR LF", enc(CodePageId::Win1251, kRussian) + "\r\n", "end"},
      {"utf-8 with an invalid byte at the end", kRussian + "\n", "\xFF"},
      {"one long line", std::string(1 << 20, 'x'), ""},
  };
  for (const Case& c : cases) {
    std::string bytes;
    while (bytes.size() < (9u << 20)) bytes += c.line;
    bytes += c.tail;
    FILE* f = std::fopen(path.c_str(), "wb");
    std::fwrite(bytes.data(), 1, bytes.size(), f);
    std::fclose(f);
    DocumentFileScanner one;
    one.feed(bytes);
    const DocumentFileInfo a = one.finish(true);
    const std::optional<DocumentFileInfo> b = scanDocumentFile(path, true);
    ASSERT_TRUE(b) << c.name;
    EXPECT_EQ(a.charset, b->charset) << c.name;
    EXPECT_TRUE(a.shape == b->shape) << c.name;
    EXPECT_EQ(a.utf8Foreign, b->utf8Foreign) << c.name;
    EXPECT_EQ(a.shownSize, b->shownSize) << c.name;
    EXPECT_EQ(a.longestLine, b->longestLine) << c.name;
  }
  int error = 0;
  EXPECT_FALSE(scanDocumentFile(path + ".missing", true, &error));
  EXPECT_EQ(error, ENOENT);
  std::remove(path.c_str());
}

TEST(DocumentFileStream, ReadsFilesInBlocks) {
  const std::string path = ::testing::TempDir() + "kiv-blocks.txt";
  std::string bytes;
  for (int i = 0; i < 10000; ++i) bytes += static_cast<char>(i * 7);
  {
    FILE* f = std::fopen(path.c_str(), "wb");
    std::fwrite(bytes.data(), 1, bytes.size(), f);
    std::fclose(f);
  }
  std::string got;
  int blocks = 0;
  EXPECT_TRUE(readFileBlocks(path, 4096, [&](std::string_view b) {
    got += b;
    ++blocks;
  }));
  EXPECT_EQ(got, bytes);
  EXPECT_EQ(blocks, 3);
  EXPECT_FALSE(readFileBlocks(path + ".missing", 4096, [](std::string_view) {}));
  std::remove(path.c_str());
}

TEST(CutLongLines, CutsOnlyLongLinesAtCharacterEndsAndTakesNothingAway) {
  const std::string longAscii(kLongLine + 5000, 'x');
  std::string longRussian;
  while (longRussian.size() <= kLongLine + 7) longRussian += "ёжик€";
  const struct {
    const char* name;
    std::string text;
    bool cut;
  } rows[] = {
      {"empty", "", false},
      {"short lines", "a\r\nб\r\n\r\nв", false},
      {"exactly the limit", std::string(kLongLine, 'y') + "\r\nz", false},
      {"one long line", longAscii, true},
      {"long line between short ones", "a\r\n" + longAscii + "\r\nb", true},
      {"long Russian line", longRussian + "\r\n", true},
  };
  for (const auto& row : rows) {
    const std::string out = cutLongLines(row.text);
    std::string back;
    for (std::size_t i = 0; i < out.size(); ++i)
      if (out[i] != '\n' || (i > 0 && out[i - 1] == '\r')) back += out[i];
    EXPECT_EQ(back, row.text) << row.name;
    EXPECT_EQ(out != row.text, row.cut) << row.name;
    std::size_t run = 0;
    for (std::size_t i = 0; i < out.size(); ++i) {
      if (out[i] == '\r' || out[i] == '\n') {
        run = 0;
        // A cut never splits a character.
        if (out[i] == '\n' && i + 1 < out.size()) {
          EXPECT_NE(static_cast<unsigned char>(out[i + 1]) & 0xC0, 0x80) << row.name;
        }
        continue;
      }
      ++run;
      if (row.cut) {
        EXPECT_LE(run, kLongLinePiece + 3) << row.name;
      }
    }
  }
}
