#pragma once
// Byte-for-byte translation tables: the shape of every code page and case
// mapping of the program.

#include <array>
#include <string>
#include <string_view>

namespace kiv {

using ByteMap = std::array<unsigned char, 256>;

// Every byte maps to itself.
ByteMap identityByteMap();
// A copy of the text with every byte translated.
std::string mapBytes(std::string_view text, const ByteMap& map);
void mapBytesInPlace(std::string& text, const ByteMap& map);

}  // namespace kiv
