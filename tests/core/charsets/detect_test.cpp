#include "core/charsets/charset_detect.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <chrono>
#include <filesystem>

#include "test_util.h"

namespace kiv {
namespace {

const char* const kPhrases[] = {
    "Привет, как дела?",
    "Ёлка",
    "Съешь же ещё этих мягких французских булок, да выпей чаю.",
    "ДОКЛАД ОБ ИТОГАХ РАБОТЫ ЗА 2023 ГОД",
    "Шифровальщица попросту забыла ряд ключевых множителей и тэгов.",
    "Установите Windows 10 и запустите setup.exe от имени администратора.",
    "— Ты где? — Дома, ёлки-палки!",
    "Итого: 1 234 руб. 56 коп.",
    "Он и она",
    "Москва, ул. Тверская, д. 7, кв. 12",
    "ЁЖИК В ТУМАНЕ",
    "экспресс-доставка",
};

// Every phrase, in each of the three code pages, is detected as that page.
TEST(DetectCharset, PhrasesInEachCodePage) {
  for (const char* p : kPhrases) {
    EXPECT_EQ(detectCharset(test::win(p)), "win") << p;
    EXPECT_EQ(detectCharset(test::dos(p)), "dos") << p;
    EXPECT_EQ(detectCharset(test::koi(p)), "koi") << p;
  }
}

TEST(DetectCharset, EdgeCases) {
  const struct {
    const char* what;
    std::string text;
    const char* expected;
  } cases[] = {
      {"empty", "", "win"},
      {"ASCII only", "Hello, world!\r\n12345\r\n", "win"},
      {"Windows-1251 with Yo (a DOS marker byte)", test::win("Ёжик пришёл домой.\r\n"), "win"},
      {"Windows-1251 with the euro sign (a DOS marker byte)", "Price: 100 \x88\r\n", "win"},
      {"Windows-1251 capitals with OB between spaces (a KOI8-R marker)", test::win("ДОКЛАД ОБ ИТОГАХ\r\n"), "win"},
      {"UTF-8 Russian", "Привет, мир! Ёжик и ёлка.\r\n", "win"},
      {"UTF-8 with characters Windows-1251 lacks", "Grüße, 😀 und 漢字\r\n", "win"},
      {"KOI8-R \"он и она\"", test::koi("он и она"), "koi"},
      {"KOI8-R и alone on a line", "\r\n" + test::koi("и") + "\r\n", "koi"},
      {"DOS 866 single letter п", test::dos("п"), "dos"},
      {"KOI8-R её", test::koi("её"), "koi"},
  };
  for (const auto& c : cases) EXPECT_EQ(detectCharset(c.text), c.expected) << c.what;
}

// Text that reads as Russian in no code page falls back to the marker lists.
TEST(DetectCharset, MarkersDecideOnlyWhereStatisticsCannot) {
  const struct {
    const char* what;
    std::string text;
    const char* expected;
    bool byMarkers;
  } cases[] = {
      {"box drawing and a KOI8-R marker", "\xB0\xB1\xB2 \xC1 \xB0\xB1\xB2", "koi", true},
      {"box drawing and a DOS marker", "\xB0\xB1\xB2\x80\xB0\xB1\xB2", "dos", true},
      {"box drawing alone", "\xB0\xB1\xB2\xB0\xB1\xB2", "win", false},
      {"plain Russian needs no marker", test::win("Он и она пошли на реку"), "win", false},
  };
  for (const auto& c : cases) {
    const CharsetDetection d = detectCharsetDetailed(c.text);
    EXPECT_EQ(d.charset, c.expected) << c.what;
    EXPECT_EQ(d.byMarkers, c.byMarkers) << c.what;
  }
}

TEST(DetectCharset, MarkerLists) {
  const struct {
    std::string text;
    bool koi, dos;
  } cases[] = {
      {"\x20\xCE\xC1\x20", true, false},             // " на "
      {"\x20\xC5\xC7\xCF\x20", true, false},         // " его "
      {"\xCE\xC1\x20", false, false},                // needs the space before
      {"\r\n\xC9\r\n", false, false},                // и between line breaks
      {"\x20\xC9\x20", true, false},                 // " и "
      {"\xA8", false, true},                         // Windows-1251 Ё
      {"\x88", false, true},                         // Windows-1251 euro
      {"\x81\x82", false, false},
      {"", false, false},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(hasKoiMarker(c.text), c.koi) << test::hex(c.text);
    EXPECT_EQ(hasDosMarker(c.text), c.dos) << test::hex(c.text);
  }
}

TEST(DetectCharset, AnyBytesGiveAnAnswer) {
  std::string all;
  for (int i = 0; i < 256; ++i) all += static_cast<char>(i);
  for (std::string text : {all, std::string(1000, '\xFF'), std::string(3, '\0'), std::string("\xD0")}) {
    const std::string id = detectCharset(text);
    EXPECT_TRUE(id == "win" || id == "dos" || id == "koi");
  }
}

// The benchmark texts (never used to build the model), laid out as the
// benchmark does: whole texts and 256-byte pieces must all be right, and
// 32-byte pieces nearly all.
TEST(DetectCharset, CorpusAccuracy) {
  namespace fs = std::filesystem;
  const fs::path dir = fs::path(KIV_SOURCE_DIR) / "bench" / "corpus" / "texts";
  ASSERT_TRUE(fs::is_directory(dir));
  const std::pair<CodePageId, const char*> pages[] = {
      {CodePageId::Win1251, "win"}, {CodePageId::Cp866, "dos"}, {CodePageId::Koi8r, "koi"}};
  for (const auto& [id, expected] : pages) {
    std::size_t pieces = 0, right = 0, files = 0;
    for (const auto& e : fs::directory_iterator(dir)) {
      const std::string text = CodePage::get(id).encodeFromUtf8(test::readFile(e.path().string()));
      ++files;
      EXPECT_EQ(detectCharset(text), expected) << e.path().filename();
      for (std::size_t len : {256u, 32u}) {
        for (std::size_t at = 0; at + len <= text.size(); at += len) {
          const std::string piece = text.substr(at, len);
          if (std::none_of(piece.begin(), piece.end(), [](char c) { return c & 0x80; })) continue;
          const bool ok = detectCharset(piece) == expected;
          if (len == 256) {
            EXPECT_TRUE(ok) << e.path().filename() << " at " << at;
          }
          ++pieces;
          right += ok;
        }
      }
    }
    EXPECT_GE(files, 10u);
    EXPECT_GE(static_cast<double>(right), 0.99 * static_cast<double>(pieces)) << expected;
  }
}

// Big texts are not read to the end once the answer is certain.
TEST(DetectCharset, LargeTextIsQuick) {
  const std::string chunk = test::koi("Съешь же ещё этих мягких французских булок, да выпей чаю.\r\n");
  std::string big;
  while (big.size() < (64u << 20)) big += chunk;
  const auto t0 = std::chrono::steady_clock::now();
  const CharsetDetection d = detectCharsetDetailed(big);
  const double seconds = std::chrono::duration<double>(std::chrono::steady_clock::now() - t0).count();
  EXPECT_EQ(d.charset, "koi");
  EXPECT_LT(d.pairs, big.size() / 4);
  EXPECT_LT(seconds, 10.0);
}

}  // namespace
}  // namespace kiv
