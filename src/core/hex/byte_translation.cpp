#include "core/hex/byte_translation.h"

#include "core/charsets/code_page.h"

namespace kiv {

namespace {

constexpr std::string_view kNames[] = {"Ansi", "Dos", "ASCII", "Mac", "EBCDIC"};

// Macintosh Roman bytes 128-255 as ANSI bytes: the characters ISO 8859-1
// also has go to their ISO 8859-1 byte, the others to the bytes left over.
constexpr unsigned char kMacHigh[128] = {
    0xC4, 0xC5, 0xC7, 0xC9, 0xD1, 0xD6, 0xDC, 0xE1, 0xE0, 0xE2, 0xE4, 0xE3, 0xE5, 0xE7, 0xE9, 0xE8,  // 80
    0xEA, 0xEB, 0xED, 0xEC, 0xEE, 0xEF, 0xF1, 0xF3, 0xF2, 0xF4, 0xF6, 0xF5, 0xFA, 0xF9, 0xFB, 0xFC,  // 90
    0xDD, 0xB0, 0xA2, 0xA3, 0xA7, 0x80, 0xB6, 0xDF, 0xAE, 0xA9, 0x81, 0xB4, 0xA8, 0x82, 0xC6, 0xD8,  // A0
    0x83, 0xB1, 0xBE, 0x84, 0xA5, 0xB5, 0x8F, 0x85, 0xBD, 0xBC, 0x86, 0xAA, 0xBA, 0x87, 0xE6, 0xF8,  // B0
    0xBF, 0xA1, 0xAC, 0x88, 0x9F, 0x89, 0x90, 0xAB, 0xBB, 0x8A, 0xA0, 0xC0, 0xC3, 0xD5, 0x91, 0xA6,  // C0
    0xAD, 0x8B, 0xB3, 0xB2, 0x8C, 0xB9, 0xF7, 0xD7, 0xFF, 0x8D, 0x8E, 0xA4, 0xD0, 0xF0, 0xDE, 0xFE,  // D0
    0xFD, 0xB7, 0x92, 0x93, 0x94, 0xC2, 0xCA, 0xC1, 0xCB, 0xC8, 0xCD, 0xCE, 0xCF, 0xCC, 0xD3, 0xD4,  // E0
    0x95, 0xD2, 0xDA, 0xDB, 0xD9, 0x9E, 0x96, 0x97, 0xAF, 0x98, 0x99, 0x9A, 0xB8, 0x9B, 0x9C, 0x9D,  // F0
};

// EBCDIC bytes that have a character: code page 037 for the space, digits,
// letters and the ASCII signs listed, with 4F, 51 and 6A as this editor has
// them.
struct EbcdicPair {
  unsigned char ebcdic, ansi;
};
constexpr EbcdicPair kEbcdicSigns[] = {
    {0x40, ' '}, {0x4B, '.'}, {0x4C, '<'}, {0x4D, '('}, {0x4E, '+'}, {0x4F, 0xFE}, {0x50, '&'}, {0x51, '&'},
    {0x5A, '!'}, {0x5B, '$'}, {0x5C, '*'}, {0x5D, ')'}, {0x5E, ';'}, {0x60, '-'}, {0x61, '/'}, {0x6A, '|'},
    {0x6B, ','}, {0x6C, '%'}, {0x6D, '_'}, {0x6E, '>'}, {0x6F, '?'}, {0x79, '`'}, {0x7A, ':'}, {0x7B, '#'},
    {0x7C, '@'}, {0x7D, '\''}, {0x7E, '='}, {0x7F, '"'}, {0xA1, '~'}, {0xE0, '\\'},
};

std::array<unsigned char, 256> makeMacToAnsi() {
  std::array<unsigned char, 256> t{};
  for (int i = 0; i < 128; ++i) t[i] = static_cast<unsigned char>(i);
  for (int i = 0; i < 128; ++i) t[128 + i] = kMacHigh[i];
  return t;
}

std::array<unsigned char, 256> makeEbcdicToAnsi() {
  std::array<unsigned char, 256> t{};
  for (const auto& p : kEbcdicSigns) t[p.ebcdic] = p.ansi;
  auto run = [&](int from, char first, int count) {
    for (int i = 0; i < count; ++i) t[from + i] = static_cast<unsigned char>(first + i);
  };
  run(0x81, 'a', 9);
  run(0x91, 'j', 9);
  run(0xA2, 's', 8);
  run(0xC1, 'A', 9);
  run(0xD1, 'J', 9);
  run(0xE2, 'S', 8);
  run(0xF0, '0', 10);
  return t;
}

// The reverse of a table; 0 where no byte gives the character. The first
// byte wins where two give the same (EBCDIC 50 and 51 both show "&").
std::array<unsigned char, 256> reverseOf(const std::array<unsigned char, 256>& t) {
  std::array<unsigned char, 256> r{};
  for (int b = 255; b >= 0; --b)
    if (t[b] != 0) r[t[b]] = static_cast<unsigned char>(b);
  return r;
}

const std::array<unsigned char, 256>& ansiToMac() {
  static const auto t = reverseOf(macToAnsiTable());
  return t;
}

const std::array<unsigned char, 256>& ansiToEbcdic() {
  static const auto t = reverseOf(ebcdicToAnsiTable());
  return t;
}

// DOS 866 and Windows-1251 through their Unicode tables; 0 for a
// character the other code page lacks (box drawing, for one).
std::array<unsigned char, 256> makeRecoding(CodePageId from, CodePageId to) {
  std::array<unsigned char, 256> t{};
  const CodePage& src = CodePage::get(from);
  const CodePage& dst = CodePage::get(to);
  for (int b = 0; b < 256; ++b) {
    const int r = dst.fromUnicode(src.toUnicode(static_cast<unsigned char>(b)));
    t[b] = r < 0 ? 0 : static_cast<unsigned char>(r);
  }
  return t;
}

const std::array<unsigned char, 256>& oemToAnsi() {
  static const auto t = makeRecoding(CodePageId::Cp866, CodePageId::Win1251);
  return t;
}

const std::array<unsigned char, 256>& ansiToOem() {
  static const auto t = makeRecoding(CodePageId::Win1251, CodePageId::Cp866);
  return t;
}

// The file byte for an ANSI byte, without the rule about control characters;
// nothing when there is none.
std::optional<unsigned char> reverse(ByteTranslation t, unsigned char a) {
  switch (t) {
    case ByteTranslation::Ansi: return a;
    case ByteTranslation::Ascii:
      if (a > 127) return std::nullopt;
      [[fallthrough]];
    case ByteTranslation::Dos: {
      const unsigned char b = ansiToOem()[a];
      if (b == 0 && a != 0) return std::nullopt;
      return b;
    }
    case ByteTranslation::Mac: return ansiToMac()[a];
    case ByteTranslation::Ebcdic: {
      const unsigned char b = ansiToEbcdic()[a];
      if (b == 0) return std::nullopt;
      return b;
    }
  }
  return std::nullopt;
}

}  // namespace

std::string_view translationName(ByteTranslation t) { return kNames[static_cast<int>(t)]; }

std::optional<ByteTranslation> translationFromName(std::string_view name) {
  for (int i = 0; i < 5; ++i)
    if (kNames[i] == name) return static_cast<ByteTranslation>(i);
  return std::nullopt;
}

const std::array<unsigned char, 256>& macToAnsiTable() {
  static const auto t = makeMacToAnsi();
  return t;
}

const std::array<unsigned char, 256>& ebcdicToAnsiTable() {
  static const auto t = makeEbcdicToAnsi();
  return t;
}

unsigned char displayByte(ByteTranslation t, unsigned char b, unsigned char mask) {
  unsigned char a = b;
  switch (t) {
    case ByteTranslation::Ansi: break;
    case ByteTranslation::Ascii:
      if (b > 127) return mask;
      [[fallthrough]];
    case ByteTranslation::Dos:
      a = oemToAnsi()[b];
      if (a == 0) return mask;
      break;
    case ByteTranslation::Mac: a = macToAnsiTable()[b]; break;
    case ByteTranslation::Ebcdic:
      a = ebcdicToAnsiTable()[b];
      if (a == 0) return mask;
      break;
  }
  return a < 32 ? mask : a;
}

std::optional<unsigned char> fileByteFor(ByteTranslation t, unsigned char typed) {
  if (typed < 32) return std::nullopt;
  auto b = reverse(t, typed);
  if (!b || *b < 32) return std::nullopt;
  return b;
}

std::optional<std::string> patternInTranslation(ByteTranslation t, std::string_view ansiText) {
  std::string out;
  out.reserve(ansiText.size());
  for (char c : ansiText) {
    const auto a = static_cast<unsigned char>(c);
    if (a < 32 && t != ByteTranslation::Ebcdic) {
      out += c;
      continue;
    }
    auto b = reverse(t, a);
    if (!b) return std::nullopt;
    out += static_cast<char>(*b);
  }
  return out;
}

}  // namespace kiv
