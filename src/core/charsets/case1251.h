#pragma once
// The simple Windows-1251 case mapping: only Latin A–Z, Russian А–Я and Ё
// change case; every other byte stays as it is.

#include <string>
#include <string_view>

namespace kiv {

unsigned char upperChar1251(unsigned char c);
unsigned char lowerChar1251(unsigned char c);
std::string upperCase1251(std::string_view s);
std::string lowerCase1251(std::string_view s);

}  // namespace kiv
