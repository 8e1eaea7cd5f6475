#pragma once
// Locale-free ASCII helpers (INI keys, format names, extensions).

#include <string>
#include <string_view>

namespace kiv {

inline char asciiLower(char c) { return (c >= 'A' && c <= 'Z') ? char(c - 'A' + 'a') : c; }
inline char asciiUpper(char c) { return (c >= 'a' && c <= 'z') ? char(c - 'a' + 'A') : c; }

bool equalsIgnoreAsciiCase(std::string_view a, std::string_view b);
std::string asciiLowerCopy(std::string_view s);
std::string asciiUpperCopy(std::string_view s);
std::string_view trimAsciiSpace(std::string_view s);

// Decimal integer as the program's integer reads it: optional sign, digits,
// nothing else (surrounding blanks tolerated); also "$hex" and "0xhex".
// Returns false when the text is not such a number or does not fit 32 bits.
bool parseInt32(std::string_view text, int& out);

}  // namespace kiv
