#include "core/html/tag_strippers.h"

namespace kiv {

namespace {

char lowerAscii(char c) { return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c; }

bool startsWithNoCase(std::string_view text, std::size_t at, std::string_view lowerWord) {
  if (text.size() - at < lowerWord.size()) return false;
  for (std::size_t i = 0; i < lowerWord.size(); ++i)
    if (lowerAscii(text[at + i]) != lowerWord[i]) return false;
  return true;
}

std::string replaceAllNoCase(std::string_view text, std::string_view lowerWord, std::string_view by) {
  std::string out;
  out.reserve(text.size());
  std::size_t i = 0;
  while (i < text.size()) {
    if (text[i] == lowerWord[0] || lowerAscii(text[i]) == lowerWord[0]) {
      if (startsWithNoCase(text, i, lowerWord)) {
        out += by;
        i += lowerWord.size();
        continue;
      }
    }
    out += text[i++];
  }
  return out;
}

}  // namespace

std::string stripTags(std::string_view text) {
  std::string out;
  out.reserve(text.size());
  std::size_t i = 0;
  while (i < text.size()) {
    if (text[i] != '<') {
      out += text[i++];
      continue;
    }
    const std::size_t close = text.find('>', i + 1);
    if (close == std::string_view::npos) break;
    i = close + 1;
  }
  return out;
}

std::string decodeBasicEntities(std::string_view text) {
  static const std::string_view kTable[][2] = {
      {"&nbsp;", " "}, {"&amp;", "&"}, {"&lt;", "<"}, {"&gt;", ">"}, {"&quot;", "\""},
  };
  std::string out(text);
  for (const auto& [entity, by] : kTable) {
    if (out.find('&') == std::string::npos) break;
    out = replaceAllNoCase(out, entity, by);
  }
  return out;
}

std::string stripTagsByDepth(std::string_view text) {
  const std::string decoded = decodeBasicEntities(text);
  std::string out;
  out.reserve(decoded.size());
  long depth = 0;
  for (char c : decoded) {
    if (c == '<') {
      ++depth;
    } else if (c == '>') {
      if (depth > 0) --depth;
    } else if (depth == 0) {
      out += c;
    }
  }
  return out;
}

std::string escapeLessThan(std::string_view text) {
  std::string out;
  out.reserve(text.size());
  for (char c : text) {
    if (c == '<') out += "&lt;";
    else out += c;
  }
  return out;
}

}  // namespace kiv
