#pragma once
// Shape checks on the program's text shared by the fuzz targets.

#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

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

// What the text reader delivers: CR LF breaks only, and the last line closed
// by CR LF unless the text is empty. Any other byte, zero included, may
// appear.
inline bool isReaderText(std::string_view s) {
  return onlyCrLfBreaks(s) && (s.empty() || (s.size() >= 2 && s.substr(s.size() - 2) == "\r\n"));
}

// The lines of s, split at CR LF, lone CR and lone LF; a final break does
// not start another (empty) line. Reading text keeps exactly these.
inline std::vector<std::string> linesOf(std::string_view s) {
  std::vector<std::string> lines;
  std::string line;
  bool open = false;
  for (std::size_t i = 0; i < s.size(); ++i) {
    if (s[i] == '\r' || s[i] == '\n') {
      lines.push_back(line);
      line.clear();
      open = false;
      if (s[i] == '\r' && i + 1 < s.size() && s[i + 1] == '\n') ++i;
    } else {
      line += s[i];
      open = true;
    }
  }
  if (open) lines.push_back(line);
  return lines;
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

// Line break kinds in s: CR LF, lone LF, lone CR.
struct BreakCounts {
  std::size_t crlf = 0, lf = 0, cr = 0;
  int kinds() const { return (crlf > 0) + (lf > 0) + (cr > 0); }
  std::size_t total() const { return crlf + lf + cr; }
};

inline BreakCounts breakCounts(std::string_view s) {
  BreakCounts c;
  for (std::size_t i = 0; i < s.size(); ++i) {
    if (s[i] == '\r') {
      if (i + 1 < s.size() && s[i + 1] == '\n') {
        ++c.crlf;
        ++i;
      } else {
        ++c.cr;
      }
    } else if (s[i] == '\n') {
      ++c.lf;
    }
  }
  return c;
}

// The bytes end with a line break (or there are none).
inline bool endsClosed(std::string_view s) { return s.empty() || s.back() == '\r' || s.back() == '\n'; }

}  // namespace fuzz
