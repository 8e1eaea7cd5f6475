#pragma once
// Removing tags from HTML text, and showing tags as text. Bytes in any of
// the program's code pages: only ASCII characters are looked at.

#include <string>
#include <string_view>

namespace kiv {

// Everything from a "<" up to and including the next ">" goes; a "<" with
// no ">" after it drops the rest. Entities stay as they are.
std::string stripTags(std::string_view text);

// "&nbsp;", "&amp;", "&lt;", "&gt;", "&quot;" (any case) decoded in that
// order, each over the whole text, so "&amp;lt;" ends as "<".
std::string decodeBasicEntities(std::string_view text);

// Decodes the basic entities, then drops brackets by depth: "<" opens a
// level, ">" closes one (a ">" without an open level is simply dropped),
// and text is kept only outside every level.
std::string stripTagsByDepth(std::string_view text);

// Every "<" becomes "&lt;"; ">" and "&" stay.
std::string escapeLessThan(std::string_view text);

}  // namespace kiv
