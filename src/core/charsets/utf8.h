#pragma once
// Minimal UTF-8 reading and writing.

#include <cstdint>
#include <string>
#include <string_view>

namespace kiv {

void appendUtf8(std::string& out, char32_t cp);

// Decodes one code point starting at pos and advances pos. Malformed input
// (bad lead, truncated, overlong, surrogate, > U+10FFFF) yields U+FFFD and
// advances by one byte.
char32_t nextUtf8(std::string_view s, std::size_t& pos);

// True when the whole text is well-formed UTF-8.
bool isValidUtf8(std::string_view s);

// Number of code points (malformed bytes count one each).
std::size_t utf8Length(std::string_view s);

}  // namespace kiv
