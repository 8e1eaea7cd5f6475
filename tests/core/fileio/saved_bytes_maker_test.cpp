// Saving piece by piece gives exactly the bytes saving the whole text at
// once gives, for every code page and file shape, however the control's
// text is cut into pieces.

#include <gtest/gtest.h>

#include <random>
#include <string>

#include "core/charsets/code_page.h"
#include "core/common/text_lines.h"
#include "core/fileio/document_file.h"
#include "core/fileio/saved_bytes_maker.h"

using namespace kiv;
using namespace std::string_literals;

namespace {

// The old way: the control's text as the document's bytes in CR LF lines,
// then laid out as the file.
std::string atOnce(const std::string& shown, const std::string& charset, const TextFileShape& shape) {
  std::string text = unifyLineBreaks(CodePage::ofCharset(charset).encodeFromUtf8(shown));
  if (!text.empty()) text += "\r\n";
  return documentFileBytes(text, charset, shape);
}

std::string inPieces(const std::string& shown, const std::string& charset, const TextFileShape& shape,
                     const std::vector<std::size_t>& cuts) {
  SavedBytesMaker maker(charset, shape);
  std::size_t at = 0;
  for (std::size_t cut : cuts) {
    maker.feed(std::string_view(shown).substr(at, cut - at));
    at = cut;
  }
  maker.feed(std::string_view(shown).substr(at));
  return maker.finish();
}

const std::vector<std::string> kTexts = {
    "",
    "a",
    "\r\n",
    "\n",
    "\r",
    "Привет, мир!",
    "строка\r\nвторая\nтретья\rчетвёртая",
    "конец с переводом\r\n",
    "\r\n\r\n\n\r\r\n",
    "ёЁ€№\u0098 — «кавычки»",
    "чужие: \u4e2d\u6587 \U0001F600 и ещё",
    "битые: \xD0 \xE2\x82 \xF0\x9F\x98 \x80\x80 \xC0\xAF \xED\xA0\x80 \xFF"s,
    "конец на CR\r",
    "конец на половине \xD0"s,
};

const std::vector<TextFileShape> shapes() {
  std::vector<TextFileShape> all;
  for (LineEndStyle end : {LineEndStyle::CrLf, LineEndStyle::Lf, LineEndStyle::Cr})
    for (bool final : {true, false})
      for (bool utf8 : {false, true})
        for (bool bom : {false, true}) {
          TextFileShape s;
          s.lineEnd = end;
          s.finalLineBreak = final;
          s.utf8 = utf8;
          s.utf8Bom = bom;
          all.push_back(s);
        }
  return all;
}

}  // namespace

TEST(SavedBytesMaker, WholeTextMatchesSavingAtOnce) {
  for (const std::string charset : {"win", "dos", "koi"})
    for (const TextFileShape& shape : shapes())
      for (const std::string& text : kTexts)
        EXPECT_EQ(inPieces(text, charset, shape, {}), atOnce(text, charset, shape))
            << charset << " " << int(shape.lineEnd) << shape.finalLineBreak << shape.utf8 << shape.utf8Bom
            << " [" << text << "]";
}

TEST(SavedBytesMaker, EveryCutIntoTwoOrThreePiecesMatches) {
  for (const std::string charset : {"win", "koi"})
    for (const TextFileShape& shape : shapes())
      for (const std::string& text : kTexts)
        for (std::size_t a = 0; a <= text.size(); ++a) {
          const std::string want = atOnce(text, charset, shape);
          ASSERT_EQ(inPieces(text, charset, shape, {a}), want) << "cut at " << a << " [" << text << "]";
          for (std::size_t b = a; b <= std::min(text.size(), a + 4); ++b)
            ASSERT_EQ(inPieces(text, charset, shape, {a, b}), want) << a << "," << b << " [" << text << "]";
        }
}

TEST(SavedBytesMaker, RandomTextsInRandomPiecesMatch) {
  std::mt19937 rng(20261209);
  const std::vector<std::string> atoms = {"а", "Я", "ё", "x", " ", "\r", "\n", "\r\n", "€", "\xD0"s,
                                          "\x80"s, "\U0001F600", "\u4e2d", "\xE2\x82"s, "\u0098"};
  for (int round = 0; round < 300; ++round) {
    std::string text;
    const int atomsInText = std::uniform_int_distribution<int>(0, 60)(rng);
    for (int i = 0; i < atomsInText; ++i) text += atoms[rng() % atoms.size()];
    std::vector<std::size_t> cuts;
    std::size_t at = 0;
    while (at < text.size()) {
      at += std::uniform_int_distribution<std::size_t>(0, 5)(rng);
      if (at <= text.size()) cuts.push_back(at);
    }
    const auto all = shapes();
    const TextFileShape& shape = all[rng() % all.size()];
    const std::string charset = round % 3 == 0 ? "dos" : "win";
    ASSERT_EQ(inPieces(text, charset, shape, cuts), atOnce(text, charset, shape)) << "round " << round;
  }
}

// Made in pieces on worker threads (cut after line feeds, the text given in
// two runs cut anywhere, pieces of one line or of many), the bytes are the
// same as made in one go, lone display cuts left out or kept: a piece of
// nothing but cuts makes no bytes and ends nothing.
TEST(SavedBytesMaker, PiecesOnWorkerThreadsMatchOneGo) {
  std::mt19937 rng(9122026);
  const std::vector<std::string> atoms = {"а", "Я", "x", " ", "\r", "\n", "\n", "\r\n", "€", "\U0001F600", "\xD0"s};
  const auto all = shapes();
  for (int round = 0; round < 400; ++round) {
    std::string text;
    const int n = std::uniform_int_distribution<int>(0, 80)(rng);
    for (int i = 0; i < n; ++i) text += atoms[rng() % atoms.size()];
    const TextFileShape& shape = all[rng() % all.size()];
    const bool dropLone = rng() % 2;
    SavedBytesMaker one("win", shape);
    if (dropLone) one.dropLoneLineFeeds();
    one.feed(text);
    const std::string want = one.finish();
    const std::size_t gap = rng() % (text.size() + 1);
    const std::string_view t(text);
    for (std::size_t pieceSize : {std::size_t{1}, std::size_t{7}, std::size_t{1} << 20})
      ASSERT_EQ(makeSavedBytes("win", shape, dropLone, {t.substr(0, gap), t.substr(gap)}, pieceSize), want)
          << "round " << round << " pieces of " << pieceSize << " [" << text << "]";
  }
}

// Taken one at a time, the pieces are never empty and stop with an empty
// one, however many are asked for after the end.
TEST(SavedBytesMaker, PiecesEndWithAnEmptyOne) {
  TextFileShape shape;
  shape.lineEnd = LineEndStyle::Lf;
  for (const std::string text : {"", "одна", "\n\n\n", "раз\nдва\nтри\n"})
    for (bool dropLone : {false, true}) {
      SavedBytePieces pieces("win", shape, dropLone, {text, {}}, 1);
      std::string got;
      for (std::string_view piece = pieces.next(); !piece.empty(); piece = pieces.next()) got += piece;
      EXPECT_TRUE(pieces.next().empty());
      EXPECT_TRUE(pieces.next().empty());
      EXPECT_EQ(got, makeSavedBytes("win", shape, dropLone, {text, {}}, 1 << 20)) << "[" << text << "]";
    }
}

TEST(SavedBytesMaker, AllBytesOfEveryCodePageComeBack) {
  std::string bytes;
  for (int b = 0; b < 256; ++b)
    if (b != '\r' && b != '\n') bytes += static_cast<char>(b);
  for (const std::string charset : {"win", "dos", "koi"}) {
    const std::string shown = CodePage::ofCharset(charset).decodeToUtf8(bytes);
    TextFileShape shape;
    shape.finalLineBreak = false;
    EXPECT_EQ(inPieces(shown, charset, shape, {100, 101, 102, 103}), bytes) << charset;
  }
}

// Long runs of Russian text, which the conversion takes sixteen bytes at a
// time, give the same bytes wherever a run is broken: by every character
// of U+0400–U+047F (mapped or not in the code page), by line breaks of
// every kind, by characters outside the block and by bytes UTF-8 never has,
// the text fed whole or in long pieces, lone display cuts left out or kept.
TEST(SavedBytesMaker, LongRussianRunsMatchSavingAtOnce) {
  std::mt19937 rng(8122026);
  std::vector<std::string> atoms = {"x", " ", ",", "\t", "\r", "\n", "\r\n", "\u2014", "\u00AB", "\U0001F600",
                                    "\xD0"s, "\x80"s, "\xD1\xD1"s, "\u0100"};
  for (char32_t cp = 0x400; cp < 0x480; ++cp) {
    const char two[] = {static_cast<char>(0xC0 | (cp >> 6)), static_cast<char>(0x80 | (cp & 0x3F)), 0};
    atoms.push_back(two);
  }
  const auto all = shapes();
  for (int round = 0; round < 600; ++round) {
    std::string text;
    const int n = std::uniform_int_distribution<int>(0, 300)(rng);
    // Mostly letters and spaces, as prose is; now and then anything else.
    for (int i = 0; i < n; ++i)
      text += rng() % 8 ? atoms[14 + (0x10 + rng() % 0x40) % (atoms.size() - 14)] + (rng() % 6 ? "" : " ")
                        : atoms[rng() % atoms.size()];
    const TextFileShape& shape = all[rng() % all.size()];
    const std::string charset = round % 3 == 0 ? "dos" : round % 3 == 1 ? "win" : "koi";
    const bool dropLone = round % 4 == 0;
    std::string kept;  // the text without its lone LFs
    for (std::size_t i = 0; i < text.size(); ++i)
      if (!(dropLone && text[i] == '\n' && (i == 0 || text[i - 1] != '\r'))) kept += text[i];
    SavedBytesMaker maker(charset, shape);
    if (dropLone) maker.dropLoneLineFeeds();
    for (std::size_t at = 0; at < text.size();) {
      const std::size_t piece = std::uniform_int_distribution<std::size_t>(1, 200)(rng);
      maker.feed(std::string_view(text).substr(at, piece));
      at += piece;
    }
    ASSERT_EQ(maker.finish(), atOnce(kept, charset, shape)) << "round " << round << " [" << text << "]";
  }
}
