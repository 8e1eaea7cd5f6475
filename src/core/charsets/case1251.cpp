#include "core/charsets/case1251.h"

#include <array>

#include "core/common/byte_map.h"

namespace kiv {

namespace {

struct CaseTables {
  ByteMap up = identityByteMap();
  ByteMap low = identityByteMap();
  CaseTables() {
    for (int c = 0x61; c <= 0x7A; ++c) up[c] = static_cast<unsigned char>(c - 0x20);
    for (int c = 0xE0; c <= 0xFF; ++c) up[c] = static_cast<unsigned char>(c - 0x20);
    up[0xB8] = 0xA8;
    for (int c = 0x41; c <= 0x5A; ++c) low[c] = static_cast<unsigned char>(c + 0x20);
    for (int c = 0xC0; c <= 0xDF; ++c) low[c] = static_cast<unsigned char>(c + 0x20);
    low[0xA8] = 0xB8;
  }
};

const CaseTables& tables() {
  static const CaseTables t;
  return t;
}

}  // namespace

unsigned char upperChar1251(unsigned char c) { return tables().up[c]; }
unsigned char lowerChar1251(unsigned char c) { return tables().low[c]; }
std::string upperCase1251(std::string_view s) { return mapBytes(s, tables().up); }
std::string lowerCase1251(std::string_view s) { return mapBytes(s, tables().low); }

}  // namespace kiv
