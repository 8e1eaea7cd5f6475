#include "core/search/utf8_case.h"

#include "core/charsets/utf8.h"

namespace kiv {

namespace {

char32_t lowerOf(char32_t c) {
  if (c >= 'A' && c <= 'Z') return c + 32;
  if (c >= 0x400 && c <= 0x40F) return c + 0x50;
  if (c >= 0x410 && c <= 0x42F) return c + 0x20;
  if (c == 0x490) return 0x491;
  return c;
}

char32_t upperOf(char32_t c) {
  if (c >= 'a' && c <= 'z') return c - 32;
  if (c >= 0x450 && c <= 0x45F) return c - 0x50;
  if (c >= 0x430 && c <= 0x44F) return c - 0x20;
  if (c == 0x491) return 0x490;
  return c;
}

template <class Map>
std::string mapCase(std::string_view text, Map map) {
  std::string out;
  out.reserve(text.size());
  std::size_t pos = 0;
  while (pos < text.size()) {
    const std::size_t len = utf8CharLength(text, pos);
    if (len == 1) {
      const unsigned char b = static_cast<unsigned char>(text[pos]);
      out.push_back(b < 0x80 ? static_cast<char>(map(b)) : static_cast<char>(b));
    } else {
      std::size_t at = pos;
      const char32_t c = nextUtf8(text, at);
      const char32_t m = map(c);
      if (m == c) out.append(text.substr(pos, len));
      else appendUtf8(out, m);  // the same length for every pair above
    }
    pos += len;
  }
  return out;
}

}  // namespace

std::size_t utf8CharLength(std::string_view text, std::size_t pos) {
  const unsigned char b = static_cast<unsigned char>(text[pos]);
  std::size_t len = 0;
  if (b < 0x80) return 1;
  if (b >= 0xC2 && b <= 0xDF) len = 2;
  else if (b >= 0xE0 && b <= 0xEF) len = 3;
  else if (b >= 0xF0 && b <= 0xF4) len = 4;
  else return 1;
  if (pos + len > text.size()) return 1;
  for (std::size_t i = 1; i < len; ++i)
    if ((static_cast<unsigned char>(text[pos + i]) & 0xC0) != 0x80) return 1;
  std::size_t at = pos;
  if (nextUtf8(text, at) == 0xFFFD && at != pos + len) return 1;
  return len;
}

std::string foldUtf8Case(std::string_view text) { return mapCase(text, lowerOf); }
std::string upperUtf8Case(std::string_view text) { return mapCase(text, upperOf); }

}  // namespace kiv
