#pragma once
// The full Windows-1251 case tables: every letter of the code page has its
// partner, not only A–Z, А–Я and Ё but also Ђ/ђ, Ѓ/ѓ, Љ/љ, Њ/њ, Ќ/ќ, Ћ/ћ,
// Џ/џ, Ў/ў, Ј/ј, Ґ/ґ, Є/є, Ї/ї, І/і and Ѕ/ѕ. Capitalising and the
// case-insensitive matching of words use these; plain upper and lower case
// use the simple mapping of core/charsets/case1251.h.

#include <array>
#include <string>
#include <string_view>

namespace kiv {

// Byte -> byte maps, 256 entries each.
const std::array<unsigned char, 256>& fullUpperTable1251();
const std::array<unsigned char, 256>& fullLowerTable1251();

inline unsigned char fullUpperChar1251(unsigned char c) { return fullUpperTable1251()[c]; }
inline unsigned char fullLowerChar1251(unsigned char c) { return fullLowerTable1251()[c]; }

std::string fullUpperCase1251(std::string_view s);
std::string fullLowerCase1251(std::string_view s);

// Equality after mapping both sides through the full upper-case table.
bool equalFolded1251(std::string_view a, std::string_view b);

}  // namespace kiv
