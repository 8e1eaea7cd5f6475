// Lines of a plugin's text: the pieces between line breaks (CR LF, or a
// lone LF), and whether the text ends with a break. Shared by the shipped
// plugins; header only, so each library stands alone.
#pragma once

#include <cstring>
#include <string>
#include <string_view>
#include <vector>

namespace kivplugin {

struct Lines {
  std::vector<std::string_view> lines;
  bool finalBreak = false;
};

inline Lines splitLines(std::string_view text) {
  Lines out;
  std::size_t start = 0;
  while (start < text.size()) {
    const std::size_t lf = text.find('\n', start);
    if (lf == std::string_view::npos) {
      out.lines.push_back(text.substr(start));
      return out;
    }
    std::size_t end = lf;
    if (end > start && text[end - 1] == '\r') --end;
    out.lines.push_back(text.substr(start, end - start));
    start = lf + 1;
  }
  out.finalBreak = !text.empty();
  return out;
}

// The lines joined by CR LF, with a final CR LF when the text had one.
inline std::string joinLines(const std::vector<std::string_view>& lines, bool finalBreak) {
  std::size_t size = 0;
  for (auto l : lines) size += l.size() + 2;
  std::string out;
  out.reserve(size);
  for (std::size_t i = 0; i < lines.size(); ++i) {
    if (i) out += "\r\n";
    out.append(lines[i]);
  }
  if (finalBreak) out += "\r\n";
  return out;
}

// Puts the result back: in place when it fits, else as a string of the
// plugin's own (kept until the next call).
inline void putResult(char** text, std::string result) {
  static std::string own;
  if (result.size() <= std::strlen(*text)) {
    std::memcpy(*text, result.c_str(), result.size() + 1);
    return;
  }
  own = std::move(result);
  *text = own.data();
}

}  // namespace kivplugin
