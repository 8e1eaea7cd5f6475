#include "core/charsets/case1251.h"

#include <array>

namespace kiv {

namespace {

struct CaseTables {
  std::array<unsigned char, 256> up{};
  std::array<unsigned char, 256> low{};
  CaseTables() {
    for (int i = 0; i < 256; ++i) up[i] = low[i] = static_cast<unsigned char>(i);
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

std::string mapAll(std::string_view s, const std::array<unsigned char, 256>& m) {
  std::string r(s.size(), '\0');
  for (std::size_t i = 0; i < s.size(); ++i) r[i] = static_cast<char>(m[static_cast<unsigned char>(s[i])]);
  return r;
}

}  // namespace

unsigned char UpCase1251(unsigned char c) { return tables().up[c]; }
unsigned char LowCase1251(unsigned char c) { return tables().low[c]; }
std::string UpperStr1251(std::string_view s) { return mapAll(s, tables().up); }
std::string LowerStr1251(std::string_view s) { return mapAll(s, tables().low); }

}  // namespace kiv
