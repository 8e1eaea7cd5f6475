#pragma once
// Case folding of UTF-8 text for the searches that ignore case: Latin A-Z
// and the Cyrillic capitals of Windows-1251 (U+0400-U+042F, Ґ) become their
// small letters; every other byte, malformed ones too, stays as it is. The
// length in bytes never changes.

#include <string>
#include <string_view>

namespace kiv {

std::string foldUtf8Case(std::string_view text);
// The capital form of the same letters (the other case of foldUtf8Case).
std::string upperUtf8Case(std::string_view text);

// The length of the UTF-8 character that starts at text[pos]: 1 for a byte
// that does not start a well-formed sequence.
std::size_t utf8CharLength(std::string_view text, std::size_t pos);

}  // namespace kiv
