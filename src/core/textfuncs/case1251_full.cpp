#include "core/textfuncs/case1251_full.h"

#include "core/common/byte_map.h"

namespace kiv {

namespace {

// Capital and small letter of each pair outside A–Z and А–я.
constexpr unsigned char kPairs[][2] = {
    {0x80, 0x90},  // Ђ ђ
    {0x81, 0x83},  // Ѓ ѓ
    {0x8A, 0x9A},  // Љ љ
    {0x8C, 0x9C},  // Њ њ
    {0x8D, 0x9D},  // Ќ ќ
    {0x8E, 0x9E},  // Ћ ћ
    {0x8F, 0x9F},  // Џ џ
    {0xA1, 0xA2},  // Ў ў
    {0xA3, 0xBC},  // Ј ј
    {0xA5, 0xB4},  // Ґ ґ
    {0xA8, 0xB8},  // Ё ё
    {0xAA, 0xBA},  // Є є
    {0xAF, 0xBF},  // Ї ї
    {0xB2, 0xB3},  // І і
    {0xBD, 0xBE},  // Ѕ ѕ
};

struct FullTables {
  ByteMap up = identityByteMap();
  ByteMap low = identityByteMap();
  FullTables() {
    auto pair = [this](int capital, int small) {
      up[small] = static_cast<unsigned char>(capital);
      low[capital] = static_cast<unsigned char>(small);
    };
    for (int c = 'A'; c <= 'Z'; ++c) pair(c, c + 0x20);
    for (int c = 0xC0; c <= 0xDF; ++c) pair(c, c + 0x20);
    for (const auto& p : kPairs) pair(p[0], p[1]);
  }
};

const FullTables& tables() {
  static const FullTables t;
  return t;
}

}  // namespace

const std::array<unsigned char, 256>& fullUpperTable1251() { return tables().up; }
const std::array<unsigned char, 256>& fullLowerTable1251() { return tables().low; }

std::string fullUpperCase1251(std::string_view s) { return mapBytes(s, tables().up); }
std::string fullLowerCase1251(std::string_view s) { return mapBytes(s, tables().low); }

bool equalFolded1251(std::string_view a, std::string_view b) {
  if (a.size() != b.size()) return false;
  const auto& up = tables().up;
  for (std::size_t i = 0; i < a.size(); ++i)
    if (up[static_cast<unsigned char>(a[i])] != up[static_cast<unsigned char>(b[i])]) return false;
  return true;
}

}  // namespace kiv
