#include "core/common/ascii.h"

#include <cstdint>

namespace kiv {

bool equalsIgnoreAsciiCase(std::string_view a, std::string_view b) {
  if (a.size() != b.size()) return false;
  for (std::size_t i = 0; i < a.size(); ++i)
    if (asciiLower(a[i]) != asciiLower(b[i])) return false;
  return true;
}

std::string asciiLowerCopy(std::string_view s) {
  std::string r(s);
  for (auto& c : r) c = asciiLower(c);
  return r;
}

std::string asciiUpperCopy(std::string_view s) {
  std::string r(s);
  for (auto& c : r) c = asciiUpper(c);
  return r;
}

std::string_view trimAsciiSpace(std::string_view s) {
  auto isSpace = [](char c) { return c == ' ' || c == '\t' || c == '\r' || c == '\n'; };
  while (!s.empty() && isSpace(s.front())) s.remove_prefix(1);
  while (!s.empty() && isSpace(s.back())) s.remove_suffix(1);
  return s;
}

bool parseInt32(std::string_view text, int& out) {
  std::string_view s = trimAsciiSpace(text);
  if (s.empty()) return false;
  bool negative = false;
  if (s.front() == '+' || s.front() == '-') {
    negative = s.front() == '-';
    s.remove_prefix(1);
  }
  int base = 10;
  if (!s.empty() && s.front() == '$') {
    base = 16;
    s.remove_prefix(1);
  } else if (s.size() > 2 && s[0] == '0' && (s[1] == 'x' || s[1] == 'X')) {
    base = 16;
    s.remove_prefix(2);
  }
  if (s.empty()) return false;
  std::uint64_t value = 0;
  for (char c : s) {
    int d;
    if (c >= '0' && c <= '9') d = c - '0';
    else if (base == 16 && c >= 'a' && c <= 'f') d = c - 'a' + 10;
    else if (base == 16 && c >= 'A' && c <= 'F') d = c - 'A' + 10;
    else return false;
    value = value * base + d;
    if (value > 0xFFFFFFFFull) return false;
  }
  if (base == 16) {
    // Hexadecimal literals name the 32-bit pattern (as colours do).
    auto v = static_cast<std::uint32_t>(value);
    out = static_cast<int>(negative ? (0u - v) : v);
    return true;
  }
  if (negative) {
    if (value > 2147483648ull) return false;
    out = static_cast<int>(-static_cast<std::int64_t>(value));
  } else {
    if (value > 2147483647ull) return false;
    out = static_cast<int>(value);
  }
  return true;
}

}  // namespace kiv
