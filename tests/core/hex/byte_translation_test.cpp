// The hex editor's five translations of the character column, both ways.

#include <gtest/gtest.h>

#include <set>

#include "core/hex/byte_translation.h"

using namespace kiv;

namespace {
constexpr ByteTranslation kAll[] = {ByteTranslation::Ansi, ByteTranslation::Dos, ByteTranslation::Ascii,
                                    ByteTranslation::Mac, ByteTranslation::Ebcdic};
}

TEST(ByteTranslation, NamesRoundTrip) {
  const char* names[] = {"Ansi", "Dos", "ASCII", "Mac", "EBCDIC"};
  for (int i = 0; i < 5; ++i) {
    EXPECT_EQ(translationName(kAll[i]), names[i]);
    EXPECT_EQ(translationFromName(names[i]), kAll[i]);
  }
  EXPECT_FALSE(translationFromName("ansi"));
}

TEST(ByteTranslation, MacTableIsAPermutationOfTheHighHalf) {
  const auto& t = macToAnsiTable();
  std::set<int> seen;
  for (int b = 0; b < 128; ++b) EXPECT_EQ(t[b], b);
  for (int b = 128; b < 256; ++b) {
    EXPECT_GE(t[b], 128);
    seen.insert(t[b]);
  }
  EXPECT_EQ(seen.size(), 128u);
}

TEST(ByteTranslation, MacSpecialsAndSharedCharacters) {
  struct Case {
    unsigned char mac, ansi;
  } cases[] = {{0xA0, 0xDD}, {0xA5, 0x80}, {0xAA, 0x81}, {0xC4, 0x9F}, {0xD7, 0xD7}, {0xDE, 0xDE},
               {0xFF, 0x9D}, {0x80, 0xC4}, {0x8E, 0xE9}, {0xA7, 0xDF}, {0xCA, 0xA0}, {0xD8, 0xFF}};
  for (const auto& c : cases) {
    EXPECT_EQ(macToAnsiTable()[c.mac], c.ansi) << std::hex << int(c.mac);
    EXPECT_EQ(displayByte(ByteTranslation::Mac, c.mac), c.ansi);
    EXPECT_EQ(fileByteFor(ByteTranslation::Mac, c.ansi), c.mac);
  }
}

TEST(ByteTranslation, EbcdicHasNinetyTwoCharacters) {
  const auto& t = ebcdicToAnsiTable();
  int count = 0;
  for (int b = 0; b < 256; ++b) count += t[b] != 0;
  EXPECT_EQ(count, 92);
  struct Case {
    unsigned char ebcdic, ansi;
  } cases[] = {{0x40, ' '}, {0xC1, 'A'}, {0xE9, 'Z'}, {0x81, 'a'}, {0xA9, 'z'}, {0xF0, '0'}, {0xF9, '9'},
               {0x4F, 0xFE}, {0x6A, '|'}, {0x50, '&'}, {0x51, '&'}, {0x5A, '!'}, {0xE0, '\\'}, {0xA1, '~'}};
  for (const auto& c : cases) EXPECT_EQ(t[c.ebcdic], c.ansi) << std::hex << int(c.ebcdic);
  EXPECT_EQ(displayByte(ByteTranslation::Ebcdic, 0x00), '.');
  EXPECT_EQ(displayByte(ByteTranslation::Ebcdic, 0x4A), '.');
}

TEST(ByteTranslation, AnsiToEbcdicHasNinetyOneEntries) {
  int count = 0;
  for (int a = 32; a < 256; ++a) count += fileByteFor(ByteTranslation::Ebcdic, static_cast<unsigned char>(a)).has_value();
  EXPECT_EQ(count, 91);
  EXPECT_EQ(fileByteFor(ByteTranslation::Ebcdic, '&'), 0x50);
  EXPECT_EQ(fileByteFor(ByteTranslation::Ebcdic, '|'), 0x6A);
  EXPECT_EQ(fileByteFor(ByteTranslation::Ebcdic, 0xFE), 0x4F);
  for (char c : {'[', ']', '^', '{', '}'}) EXPECT_FALSE(fileByteFor(ByteTranslation::Ebcdic, c)) << c;
}

TEST(ByteTranslation, DosAndAsciiGoThroughTheCodePages) {
  EXPECT_EQ(displayByte(ByteTranslation::Dos, 0x80), 0xC0);   // А
  EXPECT_EQ(displayByte(ByteTranslation::Dos, 0xEF), 0xFF);   // я
  EXPECT_EQ(displayByte(ByteTranslation::Dos, 0xF0), 0xA8);   // Ё
  EXPECT_EQ(displayByte(ByteTranslation::Dos, 0xC4), '.');    // box drawing: no Windows-1251 character
  EXPECT_EQ(displayByte(ByteTranslation::Dos, 'A'), 'A');
  EXPECT_EQ(displayByte(ByteTranslation::Ascii, 0x80), '.');
  EXPECT_EQ(displayByte(ByteTranslation::Ascii, 'z'), 'z');
  EXPECT_EQ(fileByteFor(ByteTranslation::Dos, 0xC0), 0x80);
  EXPECT_FALSE(fileByteFor(ByteTranslation::Dos, 0x97));      // the em dash: DOS 866 has none
  EXPECT_FALSE(fileByteFor(ByteTranslation::Ascii, 0xC0));
  EXPECT_EQ(fileByteFor(ByteTranslation::Ascii, 'q'), 'q');
}

TEST(ByteTranslation, ControlBytesShowTheMaskAndCannotBeTyped) {
  for (ByteTranslation t : kAll) {
    for (int b = 0; b < 32; ++b) {
      if (t != ByteTranslation::Ebcdic) {
        EXPECT_EQ(displayByte(t, static_cast<unsigned char>(b)), '.');
      }
      EXPECT_FALSE(fileByteFor(t, static_cast<unsigned char>(b)));
    }
    EXPECT_EQ(displayByte(t, 0x01, '*'), '*');
  }
}

TEST(ByteTranslation, TypedBytesShowAsTyped) {
  for (ByteTranslation t : kAll) {
    for (int a = 32; a < 256; ++a) {
      auto b = fileByteFor(t, static_cast<unsigned char>(a));
      if (!b) continue;
      EXPECT_EQ(displayByte(t, *b), a) << int(t) << " " << a;
    }
  }
}

TEST(ByteTranslation, PatternsAreConvertedWholeOrNotAtAll) {
  EXPECT_EQ(patternInTranslation(ByteTranslation::Ansi, "\xC0z"), std::string("\xC0z"));
  EXPECT_EQ(patternInTranslation(ByteTranslation::Dos, "\xC0\xE1"), std::string("\x80\xA1"));
  EXPECT_EQ(patternInTranslation(ByteTranslation::Ebcdic, "AB1"), std::string("\xC1\xC2\xF1"));
  EXPECT_FALSE(patternInTranslation(ByteTranslation::Ebcdic, "a[b"));
  EXPECT_FALSE(patternInTranslation(ByteTranslation::Ascii, "\xC0"));
}
