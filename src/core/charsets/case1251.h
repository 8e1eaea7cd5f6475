#pragma once
// The simple Windows-1251 case mapping: only Latin A–Z, Russian А–Я and Ё
// change case; every other byte stays as it is.

#include <string>
#include <string_view>

namespace kiv {

unsigned char UpCase1251(unsigned char c);
unsigned char LowCase1251(unsigned char c);
std::string UpperStr1251(std::string_view s);
std::string LowerStr1251(std::string_view s);

}  // namespace kiv
