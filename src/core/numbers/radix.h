#pragma once
// Hexadecimal and binary conversions of 32-bit integers.

#include <cstdint>
#include <string>
#include <string_view>

#include "core/numbers/number_result.h"

namespace kiv {

// Hexadecimal digits of either case (Windows-1251 letters are upper-cased
// too, and are not digits); anything else gives -1. The value wraps in 32
// bits: "FFFFFFFF" is -1.
std::int32_t hexToInt32(std::string_view text);
// Upper-case, at least six digits: 255 → "0000FF"; negative values show
// their 32-bit pattern ("FFFFFFFF").
std::string int32ToHex(std::int32_t n);
// Binary digits without leading zeros, 0 → ""; negative values show their
// 32 bits.
std::string int32ToBinary(std::int32_t n);
// value = value × 2 + (digit mod 2) in 32 bits: the last 32 digits count,
// the 32nd from the right being the sign.
std::int32_t binaryToInt32(std::string_view digits);

// "HEX в десятичное": puts the decimal value.
NumberResult hexToDecimalCommand(std::string_view selected);
// "Десятичное в HEX" and "Десятичное в BIN": digits only (else nothing);
// put the form or show the integer conversion error.
NumberResult decimalToHexCommand(std::string_view selected);
NumberResult decimalToBinaryCommand(std::string_view selected);
// "BIN в десятичное": digits only (else nothing).
NumberResult binaryToDecimalCommand(std::string_view selected);

}  // namespace kiv
