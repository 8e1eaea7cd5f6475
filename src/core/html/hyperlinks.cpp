#include "core/html/hyperlinks.h"

#include "core/html/tag_iterator.h"

namespace kiv {

namespace {

bool equalsNoCase(std::string_view a, std::string_view upper) {
  if (a.size() != upper.size()) return false;
  for (std::size_t i = 0; i < a.size(); ++i) {
    const char c = a[i] >= 'a' && a[i] <= 'z' ? static_cast<char>(a[i] - 'a' + 'A') : a[i];
    if (c != upper[i]) return false;
  }
  return true;
}

}  // namespace

std::vector<std::string> findHyperlinks(std::string_view text) {
  std::vector<std::string> links;
  TagIterator tags(text);
  while (const auto tagText = tags.next()) {
    // Cheap test before parsing: the tag starts with "a" and a blank.
    if (tagText->size() < 2 || (tagText->front() != 'a' && tagText->front() != 'A')) continue;
    // A "<" inside means the tag was never closed: the next tag starts there
    // and is looked at on its own.
    if (tagText->find('<') != std::string_view::npos) continue;
    const ParsedTag tag = parseTag(*tagText);
    if (!equalsNoCase(tag.name, "A")) continue;
    for (const auto& attr : tag.attributes) {
      if (!equalsNoCase(attr.name, "HREF") || !attr.value) continue;
      links.push_back(*attr.value);
      break;
    }
  }
  return links;
}

}  // namespace kiv
