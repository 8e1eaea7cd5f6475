#include "core/html/tag_iterator.h"

namespace kiv {

namespace {

bool isBlank(char c) { return c == ' ' || c == '\t' || c == '\r' || c == '\n' || c == '\f' || c == '\v'; }

}  // namespace

std::optional<std::string_view> TagIterator::next() {
  const std::size_t open = text_.find('<', pos_);
  if (open == std::string_view::npos) return std::nullopt;
  const std::size_t close = text_.find('>', open + 1);
  if (close == std::string_view::npos) return std::nullopt;
  pos_ = open + 1;
  return text_.substr(open + 1, close - open - 1);
}

ParsedTag parseTag(std::string_view t) {
  ParsedTag tag;
  std::size_t i = 0;
  while (i < t.size() && isBlank(t[i])) ++i;
  const std::size_t nameStart = i;
  while (i < t.size() && !isBlank(t[i])) ++i;
  tag.name = std::string(t.substr(nameStart, i - nameStart));
  while (i < t.size()) {
    while (i < t.size() && isBlank(t[i])) ++i;
    if (i >= t.size()) break;
    const std::size_t start = i;
    while (i < t.size() && !isBlank(t[i]) && t[i] != '=') ++i;
    TagAttribute attr;
    attr.name = std::string(t.substr(start, i - start));
    std::size_t look = i;
    while (look < t.size() && isBlank(t[look])) ++look;
    if (look < t.size() && t[look] == '=') {
      i = look + 1;
      while (i < t.size() && isBlank(t[i])) ++i;
      if (i < t.size() && (t[i] == '"' || t[i] == '\'')) {
        const char quote = t[i++];
        const std::size_t end = t.find(quote, i);
        const std::size_t stop = end == std::string_view::npos ? t.size() : end;
        attr.value = std::string(t.substr(i, stop - i));
        i = end == std::string_view::npos ? t.size() : end + 1;
      } else {
        const std::size_t vs = i;
        while (i < t.size() && !isBlank(t[i])) ++i;
        attr.value = std::string(t.substr(vs, i - vs));
      }
    }
    if (!attr.name.empty() || attr.value) tag.attributes.push_back(std::move(attr));
    // A stray "=" with nothing before it is skipped.
    if (i == start) ++i;
  }
  return tag;
}

}  // namespace kiv
