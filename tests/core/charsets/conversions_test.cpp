// The eight byte routines and the simple case mapping, checked against the
// code pages as the system's iconv knows them, byte for byte.

#include <gtest/gtest.h>

#include <functional>
#include <optional>

#include "core/charsets/case1251.h"
#include "core/charsets/cyrillic_conversions.h"
#include "test_util.h"

namespace kiv {
namespace {

using test::bytes;
using test::hex;

// Unicode of every byte of a code page as iconv decodes it (nullopt where
// iconv knows no character for the byte).
using DecodeTable = std::array<std::optional<char32_t>, 256>;

std::optional<DecodeTable> iconvDecodeTable(const std::string& name) {
  std::string input;
  for (int b = 0x80; b < 0x100; ++b) {
    input += static_cast<char>(b);
    input += '\n';
  }
  test::TempFile in(input);
  const std::string out = test::runCommand("iconv -c -f " + name + " -t UTF-32LE " + in.path() + " 2>/dev/null");
  if (out.empty()) return std::nullopt;
  DecodeTable t;
  for (int b = 0; b < 0x80; ++b) t[b] = static_cast<char32_t>(b);
  int current = 0x80;
  std::optional<char32_t> cp;
  for (std::size_t i = 0; i + 3 < out.size(); i += 4) {
    const char32_t u = static_cast<unsigned char>(out[i]) | static_cast<unsigned char>(out[i + 1]) << 8 |
                       static_cast<unsigned char>(out[i + 2]) << 16 |
                       static_cast<char32_t>(static_cast<unsigned char>(out[i + 3])) << 24;
    if (u == '\n') {
      if (current > 0xFF) return std::nullopt;
      t[current++] = cp;
      cp.reset();
    } else {
      cp = u;
    }
  }
  if (current != 0x100) return std::nullopt;
  return t;
}

bool isRussianLetter(char32_t u) { return (u >= 0x410 && u <= 0x44F) || u == 0x401 || u == 0x451; }

struct Routine {
  const char* name;
  void (*fn)(std::string&);
  const char* from;  // iconv names
  const char* to;
};

const Routine kRoutines[] = {
    {"DosFromWin", dosFromWin, "CP1251", "CP866"},        {"WinFromDos", winFromDos, "CP866", "CP1251"},
    {"KoiFromWin", koiFromWin, "CP1251", "KOI8-R"},       {"WinFromKoi", winFromKoi, "KOI8-R", "CP1251"},
    {"MacFromWin", macFromWin, "CP1251", "MAC-CYRILLIC"}, {"WinFromMac", winFromMac, "MAC-CYRILLIC", "CP1251"},
    {"IsoFromWin", isoFromWin, "CP1251", "ISO-8859-5"},   {"WinFromIso", winFromIso, "ISO-8859-5", "CP1251"},
};

class IconvRoutineTest : public ::testing::TestWithParam<Routine> {};

// Every byte: a Russian letter of the source code page becomes the same
// letter of the target code page; every other byte stays.
TEST_P(IconvRoutineTest, AgreesWithIconvOnAll256Bytes) {
  const Routine& r = GetParam();
  const auto from = iconvDecodeTable(r.from);
  const auto to = iconvDecodeTable(r.to);
  if (!from || !to) GTEST_SKIP() << "iconv does not know " << r.from << " or " << r.to;
  int letters = 0;
  for (int b = 0; b < 256; ++b) {
    std::string s(1, static_cast<char>(b));
    r.fn(s);
    const unsigned char got = static_cast<unsigned char>(s[0]);
    const auto u = (*from)[b];
    if (u && isRussianLetter(*u)) {
      ++letters;
      int expected = -1;
      for (int t = 0; t < 256; ++t)
        if ((*to)[t] == *u) expected = t;
      ASSERT_GE(expected, 0) << r.to << " lacks U+" << std::hex << static_cast<int>(*u);
      EXPECT_EQ(got, expected) << r.name << " of byte " << hex(std::string(1, char(b)));
    } else {
      EXPECT_EQ(got, b) << r.name << " touched the non-letter byte " << hex(std::string(1, char(b)));
    }
  }
  EXPECT_EQ(letters, 66) << r.from << " should hold the 66 letters";
}

// The letters survive there and back again; so do the bytes that are not
// letters in either code page.
TEST_P(IconvRoutineTest, LettersRoundTrip) {
  const Routine& r = GetParam();
  const Routine* back = nullptr;
  for (const Routine& o : kRoutines)
    if (std::string_view(o.from) == r.to && std::string_view(o.to) == r.from) back = &o;
  ASSERT_NE(back, nullptr);
  const auto from = iconvDecodeTable(r.from);
  if (!from) GTEST_SKIP();
  for (int b = 0; b < 256; ++b) {
    const auto u = (*from)[b];
    if (!u || !isRussianLetter(*u)) continue;
    std::string s(1, static_cast<char>(b));
    r.fn(s);
    back->fn(s);
    EXPECT_EQ(static_cast<unsigned char>(s[0]), b) << r.name << " then " << back->name;
  }
}

INSTANTIATE_TEST_SUITE_P(AllEight, IconvRoutineTest, ::testing::ValuesIn(kRoutines),
                         [](const auto& info) { return std::string(info.param.name); });

// The program's own Unicode tables of the five code pages agree with iconv
// wherever iconv defines the byte.
TEST(CodePageTables, AgreeWithIconv) {
  const std::pair<CodePageId, const char*> pages[] = {
      {CodePageId::Win1251, "CP1251"}, {CodePageId::Cp866, "CP866"}, {CodePageId::Koi8r, "KOI8-R"},
      {CodePageId::MacCyrillic, "MAC-CYRILLIC"}, {CodePageId::Iso88595, "ISO-8859-5"}};
  for (const auto& [id, name] : pages) {
    const auto t = iconvDecodeTable(name);
    if (!t) continue;
    const CodePage& cp = CodePage::get(id);
    for (int b = 0; b < 256; ++b) {
      const auto u = (*t)[b];
      if (!u) continue;
      // Mac Cyrillic was revised (A2 Ґ/¢, B6 ґ/∂, FF €/¤); either edition will do there.
      if (id == CodePageId::MacCyrillic && (b == 0xA2 || b == 0xB6 || b == 0xFF)) continue;
      EXPECT_EQ(cp.toUnicode(static_cast<unsigned char>(b)), *u) << name << " byte " << b;
    }
  }
}

struct Sample {
  const char* what;
  void (*fn)(std::string&);
  std::string in;
  std::string out;
};

TEST(ConversionRoutines, KnownBytes) {
  const Sample cases[] = {
      {"Ёлка ёж to DOS", dosFromWin, bytes({0xA8, 0xEB, 0xEA, 0xE0, 0x20, 0xB8, 0xE6}),
       bytes({0xF0, 0xAB, 0xAA, 0xA0, 0x20, 0xF1, 0xA6})},
      {"Ёлка ёж from DOS", winFromDos, bytes({0xF0, 0xAB, 0xAA, 0xA0, 0x20, 0xF1, 0xA6}),
       bytes({0xA8, 0xEB, 0xEA, 0xE0, 0x20, 0xB8, 0xE6})},
      {"Я to KOI", koiFromWin, bytes({0xDF}), bytes({0xF1})},
      {"Я from KOI", winFromKoi, bytes({0xF1}), bytes({0xDF})},
      {"а..ю stay in Mac, я moves", macFromWin, bytes({0xE0, 0xFE, 0xFF}), bytes({0xE0, 0xFE, 0xDF})},
      {"FF stays from Mac", winFromMac, bytes({0xFF}), bytes({0xFF})},
      {"А to ISO", isoFromWin, bytes({0xC0}), bytes({0xB0})},
      {"F0 is no ISO letter", winFromIso, bytes({0xF0}), bytes({0xF0})},
      {"Latin, digits, em dash stay", dosFromWin, "Abc 123 \x97", "Abc 123 \x97"},
      {"empty", koiFromWin, "", ""},
  };
  for (const Sample& c : cases) {
    std::string s = c.in;
    c.fn(s);
    EXPECT_EQ(hex(s), hex(c.out)) << c.what;
  }
}

TEST(ConversionRoutines, KoiOfWinTextScramblesAndBackLosesOnlyYo) {
  const std::string text = test::win("Съешь ещё этих мягких булок, ЁЖ");
  std::string s = text;
  winFromKoi(s);
  EXPECT_NE(s, text);
  koiFromWin(s);
  std::string expected = text;
  for (char& c : expected) {
    if (static_cast<unsigned char>(c) == 0xB8) c = static_cast<char>(0xA3);
    if (static_cast<unsigned char>(c) == 0xA8) c = static_cast<char>(0xB3);
  }
  EXPECT_EQ(hex(s), hex(expected));
}

TEST(ConversionRoutines, CopyingFormsFollowTheCharset) {
  const std::string w = test::win("Привет, Ёжик!");
  EXPECT_EQ(fromWin1251(w, "dos"), test::dos("Привет, Ёжик!"));
  EXPECT_EQ(fromWin1251(w, "koi"), test::koi("Привет, Ёжик!"));
  EXPECT_EQ(fromWin1251(w, "win"), w);
  EXPECT_EQ(toWin1251(test::dos("Привет, Ёжик!"), "dos"), w);
  EXPECT_EQ(toWin1251(test::koi("Привет, Ёжик!"), "koi"), w);
  EXPECT_EQ(toWin1251(w, "nonsense"), w);
}

// Case mapping: Latin and Russian letters change case as Unicode says
// (decoded and re-encoded through iconv's Windows-1251); nothing else moves.
TEST(Case1251, AgreesWithUnicodeForLatinAndRussian) {
  const auto t = iconvDecodeTable("CP1251");
  if (!t) GTEST_SKIP();
  auto byteOf = [&](char32_t u) {
    for (int b = 0; b < 256; ++b)
      if ((*t)[b] == u) return b;
    return -1;
  };
  for (int b = 0; b < 256; ++b) {
    const auto u = (*t)[b];
    int up = b, low = b;
    if (u && ((*u >= 'a' && *u <= 'z') || (*u >= 0x430 && *u <= 0x44F))) up = byteOf(*u - 0x20);
    if (u && *u == 0x451) up = byteOf(0x401);
    if (u && ((*u >= 'A' && *u <= 'Z') || (*u >= 0x410 && *u <= 0x42F))) low = byteOf(*u + 0x20);
    if (u && *u == 0x401) low = byteOf(0x451);
    EXPECT_EQ(upperChar1251(static_cast<unsigned char>(b)), up) << "byte " << b;
    EXPECT_EQ(lowerChar1251(static_cast<unsigned char>(b)), low) << "byte " << b;
  }
}

TEST(Case1251, Strings) {
  const struct {
    const char* in;
    const char* up;
    const char* low;
  } cases[] = {
      {"Ёлка ёж", "ЁЛКА ЁЖ", "ёлка ёж"},
      {"Hello, Мир 42!", "HELLO, МИР 42!", "hello, мир 42!"},
      {"їЇєЄґҐ", "їЇєЄґҐ", "їЇєЄґҐ"},  // other Cyrillic letters stay
      {"", "", ""},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(upperCase1251(test::win(c.in)), test::win(c.up)) << c.in;
    EXPECT_EQ(lowerCase1251(test::win(c.in)), test::win(c.low)) << c.in;
  }
  EXPECT_EQ(upperChar1251(0xB8), 0xA8);
  EXPECT_EQ(upperChar1251(0xBF), 0xBF);
}

}  // namespace
}  // namespace kiv

namespace {

TEST(ReversibleConversion, EveryByteComesBackAndLettersAreWindows1251) {
  for (const char* cs : {"dos", "koi", "win"}) {
    std::string all;
    for (int b = 0; b < 256; ++b) all += static_cast<char>(b);
    const std::string there = kiv::toWin1251Reversibly(all, cs);
    EXPECT_EQ(kiv::fromWin1251Reversibly(there, cs), all) << cs;
  }
  // Letters and the signs Windows-1251 shares come over as its own bytes.
  std::string dos = "\x80\xAF\xE0\xEF\xF0\xF1\xFC\xF8\xC4";  // А п р я Ё ё № ° ─
  const std::string win = kiv::toWin1251Reversibly(dos, "dos");
  EXPECT_EQ(win.substr(0, 8), "\xC0\xEF\xF0\xFF\xA8\xB8\xB9\xB0");
  EXPECT_EQ(win.substr(8), "\x98" "196");
  // A command that upper-cases letters leaves the escape alone.
  std::string upper = win;
  for (auto& c : upper) c = static_cast<char>(kiv::upperChar1251(static_cast<unsigned char>(c)));
  EXPECT_EQ(kiv::fromWin1251Reversibly(upper, "dos"), "\x80\x8F\x90\x9F\xF0\xF0\xFC\xF8\xC4");
  // A broken escape and a character the code page lacks become "?".
  EXPECT_EQ(kiv::fromWin1251Reversibly("\x98" "9x\xAB", "dos"), "?9x?");
}

}  // namespace
