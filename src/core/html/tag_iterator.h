#pragma once
// Walks the tags of HTML text: each tag is the text between a "<" and the
// next ">" after it. The walk moves on past the "<", so a "<" inside a tag
// starts the next tag.

#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace kiv {

class TagIterator {
 public:
  explicit TagIterator(std::string_view text) : text_(text) {}
  // The next tag's text without its brackets, or nothing at the end.
  std::optional<std::string_view> next();

 private:
  std::string_view text_;
  std::size_t pos_ = 0;
};

struct TagAttribute {
  std::string name;          // as written
  std::optional<std::string> value;  // nothing for a name without "="
};

struct ParsedTag {
  std::string name;  // up to the first blank, as written
  std::vector<TagAttribute> attributes;
};

// Splits a tag's text into its name and attributes: name="value",
// name='value', name=value (blanks allowed around "="), or a bare name. A
// quote left open runs to the end of the tag.
ParsedTag parseTag(std::string_view tagText);

}  // namespace kiv
