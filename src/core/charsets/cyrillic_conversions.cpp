#include "core/charsets/cyrillic_conversions.h"

#include <array>

#include "core/charsets/charset_id.h"
#include "core/charsets/code_page.h"
#include "core/common/byte_map.h"

namespace kiv {

namespace {


// KOI8-R positions of the Windows-1251 letters А..я (0xC0..0xFF).
constexpr unsigned char kKoiOfWin[64] = {
    0xE1, 0xE2, 0xF7, 0xE7, 0xE4, 0xE5, 0xF6, 0xFA, 0xE9, 0xEA, 0xEB, 0xEC, 0xED, 0xEE, 0xEF, 0xF0,
    0xF2, 0xF3, 0xF4, 0xF5, 0xE6, 0xE8, 0xE3, 0xFE, 0xFB, 0xFD, 0xFF, 0xF9, 0xF8, 0xFC, 0xE0, 0xF1,
    0xC1, 0xC2, 0xD7, 0xC7, 0xC4, 0xC5, 0xD6, 0xDA, 0xC9, 0xCA, 0xCB, 0xCC, 0xCD, 0xCE, 0xCF, 0xD0,
    0xD2, 0xD3, 0xD4, 0xD5, 0xC6, 0xC8, 0xC3, 0xDE, 0xDB, 0xDD, 0xDF, 0xD9, 0xD8, 0xDC, 0xC0, 0xD1,
};

struct Maps {
  ByteMap dosFromWin = identityByteMap(), winFromDos = identityByteMap();
  ByteMap koiFromWin = identityByteMap(), winFromKoi = identityByteMap();
  ByteMap macFromWin = identityByteMap(), winFromMac = identityByteMap();
  ByteMap isoFromWin = identityByteMap(), winFromIso = identityByteMap();

  Maps() {
    // First matching rule wins, so specific bytes are set after ranges.
    for (int c = 0xC0; c <= 0xEF; ++c) dosFromWin[c] = static_cast<unsigned char>(c - 0x40);
    for (int c = 0xF0; c <= 0xFF; ++c) dosFromWin[c] = static_cast<unsigned char>(c - 0x10);
    dosFromWin[0xB8] = 0xF1;
    dosFromWin[0xA8] = 0xF0;

    for (int c = 0x80; c <= 0xAF; ++c) winFromDos[c] = static_cast<unsigned char>(c + 0x40);
    for (int c = 0xE0; c <= 0xEF; ++c) winFromDos[c] = static_cast<unsigned char>(c + 0x10);
    winFromDos[0xF0] = 0xA8;
    winFromDos[0xF1] = 0xB8;

    for (int c = 0xC0; c <= 0xFF; ++c) {
      koiFromWin[c] = kKoiOfWin[c - 0xC0];
      winFromKoi[kKoiOfWin[c - 0xC0]] = static_cast<unsigned char>(c);
    }
    koiFromWin[0xB8] = 0xA3;
    koiFromWin[0xA8] = 0xB3;
    winFromKoi[0xA3] = 0xB8;
    winFromKoi[0xB3] = 0xA8;

    for (int c = 0xC0; c <= 0xDF; ++c) macFromWin[c] = static_cast<unsigned char>(c - 0x40);
    macFromWin[0xA8] = 0xDD;
    macFromWin[0xB8] = 0xDE;
    macFromWin[0xFF] = 0xDF;
    for (int c = 0x80; c <= 0x9F; ++c) winFromMac[c] = static_cast<unsigned char>(c + 0x40);
    winFromMac[0xDD] = 0xA8;
    winFromMac[0xDE] = 0xB8;
    winFromMac[0xDF] = 0xFF;

    for (int c = 0xC0; c <= 0xFF; ++c) isoFromWin[c] = static_cast<unsigned char>(c - 0x10);
    isoFromWin[0xA8] = 0xA1;
    isoFromWin[0xB8] = 0xF1;
    for (int c = 0xB0; c <= 0xEF; ++c) winFromIso[c] = static_cast<unsigned char>(c + 0x10);
    winFromIso[0xA1] = 0xA8;
    winFromIso[0xF1] = 0xB8;
  }
};

const Maps& maps() {
  static const Maps m;
  return m;
}

}  // namespace

void dosFromWin(std::string& s) { mapBytesInPlace(s, maps().dosFromWin); }
void winFromDos(std::string& s) { mapBytesInPlace(s, maps().winFromDos); }
void koiFromWin(std::string& s) { mapBytesInPlace(s, maps().koiFromWin); }
void winFromKoi(std::string& s) { mapBytesInPlace(s, maps().winFromKoi); }
void macFromWin(std::string& s) { mapBytesInPlace(s, maps().macFromWin); }
void winFromMac(std::string& s) { mapBytesInPlace(s, maps().winFromMac); }
void isoFromWin(std::string& s) { mapBytesInPlace(s, maps().isoFromWin); }
void winFromIso(std::string& s) { mapBytesInPlace(s, maps().winFromIso); }

std::string toWin1251(std::string_view text, std::string_view fromCharset) {
  std::string s(text);
  if (fromCharset == charset::kDos) winFromDos(s);
  else if (fromCharset == charset::kKoi) winFromKoi(s);
  return s;
}

std::string fromWin1251(std::string_view text, std::string_view toCharset) {
  std::string s(text);
  if (toCharset == charset::kDos) dosFromWin(s);
  else if (toCharset == charset::kKoi) koiFromWin(s);
  return s;
}

namespace {

constexpr unsigned char kEscape = 0x98;  // unassigned in Windows-1251

struct ReversibleMaps {
  std::array<int, 256> toWin{};    // -1: no Windows-1251 byte
  std::array<int, 256> fromWin{};  // -1: no byte in the document's code page
  explicit ReversibleMaps(const CodePage& page) {
    const CodePage& win = CodePage::get(CodePageId::Win1251);
    for (int b = 0; b < 256; ++b) {
      toWin[b] = win.fromUnicode(page.toUnicode(static_cast<unsigned char>(b)));
      fromWin[b] = page.fromUnicode(win.toUnicode(static_cast<unsigned char>(b)));
    }
    toWin[kEscape] = -1;  // never produced: it would read as an escape
  }
};

const ReversibleMaps* mapsFor(std::string_view charset) {
  static const ReversibleMaps dos(CodePage::get(CodePageId::Cp866));
  static const ReversibleMaps koi(CodePage::get(CodePageId::Koi8r));
  if (charset == charset::kDos) return &dos;
  if (charset == charset::kKoi) return &koi;
  return nullptr;
}

}  // namespace

std::string toWin1251Reversibly(std::string_view text, std::string_view charset) {
  const ReversibleMaps* m = mapsFor(charset);
  if (!m) return std::string(text);
  std::string out;
  out.reserve(text.size());
  for (unsigned char b : text) {
    const int w = m->toWin[b];
    if (w >= 0) {
      out += static_cast<char>(w);
    } else {
      out += static_cast<char>(kEscape);
      out += static_cast<char>('0' + b / 100);
      out += static_cast<char>('0' + b / 10 % 10);
      out += static_cast<char>('0' + b % 10);
    }
  }
  return out;
}

std::string fromWin1251Reversibly(std::string_view text, std::string_view charset) {
  const ReversibleMaps* m = mapsFor(charset);
  if (!m) return std::string(text);
  std::string out;
  out.reserve(text.size());
  auto digit = [&](std::size_t i) { return i < text.size() && text[i] >= '0' && text[i] <= '9'; };
  for (std::size_t i = 0; i < text.size(); ++i) {
    const unsigned char b = static_cast<unsigned char>(text[i]);
    if (b == kEscape && digit(i + 1) && digit(i + 2) && digit(i + 3)) {
      const int v = (text[i + 1] - '0') * 100 + (text[i + 2] - '0') * 10 + (text[i + 3] - '0');
      if (v < 256) {
        out += static_cast<char>(v);
        i += 3;
        continue;
      }
    }
    const int d = m->fromWin[b];
    out += d >= 0 ? static_cast<char>(d) : '?';
  }
  return out;
}

}  // namespace kiv
