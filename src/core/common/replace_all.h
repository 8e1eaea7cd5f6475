#pragma once
// Replace-all over byte strings: every occurrence of `find`, left to right,
// byte-exact and case-sensitive, without overlap; the replacement is never
// scanned again. An empty `find` changes nothing. Linear in the text size.

#include <cstddef>
#include <string>
#include <string_view>

namespace kiv {

std::string replaceAll(std::string_view text, std::string_view find, std::string_view replacement);

// As replaceAll; `count` (if given) receives the number of replacements.
std::string replaceAll(std::string_view text, std::string_view find, std::string_view replacement,
                       std::size_t* count);

// The number of occurrences replaceAll would replace (non-overlapping).
std::size_t countOccurrences(std::string_view text, std::string_view find);

// Position of the first occurrence of `needle` in `hay` at or after `from`,
// or npos. Linear time whatever the strings (no quadratic worst case).
std::size_t findBytes(std::string_view hay, std::string_view needle, std::size_t from = 0);

}  // namespace kiv
