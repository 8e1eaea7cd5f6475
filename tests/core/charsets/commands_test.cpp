#include "core/charsets/charset_commands.h"

#include <gtest/gtest.h>

#include "core/charsets/cyrillic_conversions.h"
#include "test_util.h"

namespace kiv {
namespace {

using test::bytes;
using test::hex;

// Letters and ASCII only: the routines leave other bytes as they are, and a
// byte that is no letter in one code page may be a letter in another.
const char* const kSample = "Ёлка - ель. Ч Ч-Ч; \"цитата\" Яя\r\n";

// Windows-1251 text with the dash patch, as the conversion to DOS 866 makes it.
std::string dosWithLine(std::string_view utf8) {
  std::string s = test::win(utf8);
  std::string out = s;
  dosFromWin(out);
  for (std::size_t i = 0; i + 1 < s.size(); ++i)
    if (static_cast<unsigned char>(s[i]) == 0x97 && s[i + 1] == ' ') out[i] = static_cast<char>(0xC4);
  return out;
}

TEST(ConvertDocumentCharset, EveryPair) {
  const std::string w = test::win(kSample);
  std::string d = w, k = w;
  dosFromWin(d);
  koiFromWin(k);
  const struct {
    const char* from;
    const char* to;
    std::string text, expected;
  } cases[] = {
      {"win", "win", w, w},
      {"win", "koi", w, k},
      {"win", "dos", w, dosWithLine(kSample)},
      {"koi", "win", k, w},
      {"koi", "koi", k, k},
      {"koi", "dos", k, dosWithLine(kSample)},
      {"dos", "win", d, w},
      {"dos", "koi", d, k},
      {"dos", "dos", d, d},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(hex(convertDocumentCharset(c.text, c.from, c.to)), hex(c.expected)) << c.from << " > " << c.to;
  }
}

TEST(ConvertDocumentCharset, DashPatchOnlyOnTheWindowsText) {
  const struct {
    const char* what;
    std::string text;
    const char* from;
    std::string expected;
  } cases[] = {
      {"em dash and space becomes the line", bytes({0x97, 0x20}), "win", bytes({0xC4, 0x20})},
      {"em dash before a letter stays", bytes({0x97, 0xE0}), "win", bytes({0x97, 0xA0})},
      {"em dash at the end stays", bytes({0x41, 0x97}), "win", bytes({0x41, 0x97})},
      {"Ч and space is a letter, not a dash", test::win("Ч "), "win", test::dos("Ч ")},
      {"a DOS Ч and space stays", test::dos("Ч Ч "), "dos", test::dos("Ч Ч ")},
      {"Д in Windows-1251 is not the line", test::win("Д "), "win", test::dos("Д ")},
      {"from KOI8-R: Ч and space", test::koi("Ч "), "koi", test::dos("Ч ")},
      {"from KOI8-R: byte 97 and space", bytes({0x97, 0x20}), "koi", bytes({0xC4, 0x20})},
      {"empty", "", "win", ""},
  };
  for (const auto& c : cases) EXPECT_EQ(hex(convertDocumentCharset(c.text, c.from, "dos")), hex(c.expected)) << c.what;
}

TEST(ConvertDocumentCharset, RoundTripsKeepTheLetters) {
  const std::string w = test::win("Съешь же ещё этих мягких французских булок, ЁЖ!\r\n");
  for (const char* via : {"dos", "koi"}) {
    EXPECT_EQ(convertDocumentCharset(convertDocumentCharset(w, "win", via), via, "win"), w) << via;
  }
  const std::string viaBoth = convertDocumentCharset(convertDocumentCharset(w, "win", "koi"), "koi", "dos");
  EXPECT_EQ(viaBoth, test::dos("Съешь же ещё этих мягких французских булок, ЁЖ!\r\n"));
}

TEST(ExportToCodePage, EveryChain) {
  const char* text = "Ёлка - ель, Яя.\r\n";
  const std::string w = test::win(text);
  auto via = [&](void (*fn)(std::string&)) {
    std::string s = w;
    fn(s);
    return s;
  };
  const struct {
    const char* from;
    ExportCodePage target;
    std::string expected;
  } cases[] = {
      {"win", ExportCodePage::Koi8r, via(koiFromWin)},    {"dos", ExportCodePage::Koi8r, via(koiFromWin)},
      {"koi", ExportCodePage::Koi8r, via(koiFromWin)},    {"win", ExportCodePage::Dos866, via(dosFromWin)},
      {"dos", ExportCodePage::Dos866, via(dosFromWin)},   {"koi", ExportCodePage::Dos866, via(dosFromWin)},
      {"win", ExportCodePage::Mac, via(macFromWin)},      {"dos", ExportCodePage::Mac, via(macFromWin)},
      {"koi", ExportCodePage::Mac, via(macFromWin)},      {"win", ExportCodePage::Iso88595, via(isoFromWin)},
      {"dos", ExportCodePage::Iso88595, via(isoFromWin)}, {"koi", ExportCodePage::Iso88595, via(isoFromWin)},
  };
  for (const auto& c : cases) {
    const std::string doc = convertDocumentCharset(w, "win", c.from);
    EXPECT_EQ(hex(exportToCodePage(doc, c.from, c.target)), hex(c.expected))
        << c.from << " to " << static_cast<int>(c.target);
  }
  // A DOS document exported to DOS is written byte for byte, even a "Ч ".
  const std::string dosDoc = bytes({0x97, 0x20, 0xB0, 0xFF});
  EXPECT_EQ(exportToCodePage(dosDoc, "dos", ExportCodePage::Dos866), dosDoc);
  // The export makes no dash patch.
  EXPECT_EQ(hex(exportToCodePage(bytes({0x97, 0x20}), "win", ExportCodePage::Dos866)), "97 20");
}

TEST(ExportUnicode, OnlyFromWindows1251) {
  EXPECT_TRUE(canExportUnicode("win"));
  EXPECT_FALSE(canExportUnicode("dos"));
  EXPECT_FALSE(canExportUnicode("koi"));
  EXPECT_STREQ(kMsgCannotExportUnicode, "Не умею экспортировать из ТЕКУЩЕЙ КОДИРОВКИ.");
}

TEST(ImportCodePageFiles, MacAndIso) {
  const std::string utf8 = "Ёлка\nёж, я\r\nюла";
  const std::string mac = CodePage::get(CodePageId::MacCyrillic).encodeFromUtf8(utf8);
  const std::string iso = CodePage::get(CodePageId::Iso88595).encodeFromUtf8(utf8);
  const std::string expected = test::win("Ёлка\r\nёж, я\r\nюла\r\n");
  EXPECT_EQ(hex(importMacFile(mac)), hex(expected));
  EXPECT_EQ(hex(importIsoFile(iso)), hex(expected));
  EXPECT_EQ(importMacFile(std::string("ab\0cd", 5)), std::string("ab\0cd\r\n", 7));  // zero bytes kept
  EXPECT_EQ(importIsoFile(""), "");
}

TEST(ImportUtf16, Table) {
  using namespace std::string_literals;
  const struct {
    const char* what;
    std::string file;
    std::string text;
    std::size_t unmapped;
  } cases[] = {
      {"little-endian, no mark", bytes({0x14, 0x04, 0x30, 0x04}), test::win("Да"), 0},
      {"little-endian mark dropped", bytes({0xFF, 0xFE, 0x14, 0x04, 0x30, 0x04}), test::win("Да"), 0},
      {"big-endian mark dropped", bytes({0xFE, 0xFF, 0x04, 0x14, 0x04, 0x30}), test::win("Да"), 0},
      {"only a mark", bytes({0xFF, 0xFE}), "", 0},
      {"final odd byte ignored", bytes({0x41, 0x00, 0x42, 0x00, 0x43}), "AB", 0},
      {"zero unit is kept as a zero byte", bytes({0x41, 0x00, 0x00, 0x00, 0x42, 0x00}), std::string("A\0B", 3), 0},
      {"surrogate pair is one character", bytes({0x3D, 0xD8, 0x00, 0xDE, 0x41, 0x00}), "?A", 1},
      {"lone surrogate", bytes({0x00, 0xDC, 0x41, 0x00}), "?A", 1},
      {"character Windows-1251 lacks", bytes({0x2F, 0x4E}), "?", 1},
      {"LF and CR become CR LF", bytes({0x61, 0, 0x0A, 0, 0x62, 0, 0x0D, 0, 0x63, 0, 0x0D, 0, 0x0A, 0}), "a\r\nb\r\nc\r\n", 0},
      {"a mark later on is a character", bytes({0x41, 0x00, 0xFF, 0xFE}), "A?", 1},
      {"empty file", "", "", 0},
  };
  for (const auto& c : cases) {
    std::size_t n = 99;
    EXPECT_EQ(hex(importUtf16File(c.file, &n)), hex(c.text)) << c.what;
    EXPECT_EQ(n, c.unmapped) << c.what;
  }
}

}  // namespace
}  // namespace kiv
