#include "core/numbers/radix.h"

#include "core/charsets/case1251.h"
#include "core/common/conversions.h"

namespace kiv {

std::int32_t hexToInt32(std::string_view text) {
  std::uint32_t value = 0;
  for (char ch : text) {
    unsigned char c = upperChar1251(static_cast<unsigned char>(ch));
    std::uint32_t d;
    if (c >= '0' && c <= '9') d = c - '0';
    else if (c >= 'A' && c <= 'F') d = c - 'A' + 10;
    else return -1;
    value = value * 16 + d;
  }
  return static_cast<std::int32_t>(value);
}

std::string int32ToHex(std::int32_t n) {
  static const char kDigits[] = "0123456789ABCDEF";
  std::uint32_t v = static_cast<std::uint32_t>(n);
  std::string rev;
  while (v != 0) {
    rev += kDigits[v & 15];
    v >>= 4;
  }
  while (rev.size() < 6) rev += '0';
  return std::string(rev.rbegin(), rev.rend());
}

std::string int32ToBinary(std::int32_t n) {
  std::uint32_t v = static_cast<std::uint32_t>(n);
  std::string rev;
  while (v != 0) {
    rev += static_cast<char>('0' + (v & 1));
    v >>= 1;
  }
  return std::string(rev.rbegin(), rev.rend());
}

std::int32_t binaryToInt32(std::string_view digits) {
  std::uint32_t value = 0;
  for (char c : digits) value = value * 2 + static_cast<std::uint32_t>((c - '0') % 2);
  return static_cast<std::int32_t>(value);
}

NumberResult hexToDecimalCommand(std::string_view selected) {
  if (selected.empty()) return NumberResult::nothing();
  return NumberResult::put(std::to_string(hexToInt32(selected)));
}

NumberResult decimalToHexCommand(std::string_view selected) {
  if (!isDigitsOnly(selected)) return NumberResult::nothing();
  auto n = strToInt(selected);
  if (!n.ok()) return NumberResult::show(notIntegerMessageFor(selected));
  return NumberResult::put(int32ToHex(n.value));
}

NumberResult decimalToBinaryCommand(std::string_view selected) {
  if (!isDigitsOnly(selected)) return NumberResult::nothing();
  auto n = strToInt(selected);
  if (!n.ok()) return NumberResult::show(notIntegerMessageFor(selected));
  return NumberResult::put(int32ToBinary(n.value));
}

NumberResult binaryToDecimalCommand(std::string_view selected) {
  if (!isDigitsOnly(selected)) return NumberResult::nothing();
  return NumberResult::put(std::to_string(binaryToInt32(selected)));
}

}  // namespace kiv
