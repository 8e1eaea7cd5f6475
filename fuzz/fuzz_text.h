#pragma once
// Shape checks on the program's text shared by the fuzz targets.

#include <cstddef>
#include <string>
#include <string_view>

namespace fuzz {

// Every CR is followed by LF and every LF follows a CR.
inline bool onlyCrLfBreaks(std::string_view s) {
  for (std::size_t i = 0; i < s.size(); ++i) {
    if (s[i] == '\r' && (i + 1 >= s.size() || s[i + 1] != '\n')) return false;
    if (s[i] == '\n' && (i == 0 || s[i - 1] != '\r')) return false;
  }
  return true;
}

inline bool hasZero(std::string_view s) { return s.find('\0') != std::string_view::npos; }

// What the text reader delivers: no zero byte, CR LF breaks only, and the
// last line closed by CR LF unless the text is empty.
inline bool isReaderText(std::string_view s) {
  return !hasZero(s) && onlyCrLfBreaks(s) && (s.empty() || (s.size() >= 2 && s.substr(s.size() - 2) == "\r\n"));
}

// The bytes without any CR or LF.
inline std::string withoutBreaks(std::string_view s) {
  std::string out;
  for (char c : s)
    if (c != '\r' && c != '\n') out += c;
  return out;
}

inline std::size_t countOf(std::string_view s, char c) {
  std::size_t n = 0;
  for (char x : s) n += x == c;
  return n;
}

}  // namespace fuzz
