#include "core/numbers/roman.h"

#include "core/common/conversions.h"

namespace kiv {

namespace {

// One decimal place: 9 → "IX", 5..8 → "V" + "I"s, 4 → "IV", 1..3 → "I"s.
void appendPlace(std::string& out, int digit, char one, char five, char ten) {
  if (digit == 9) {
    out += one;
    out += ten;
  } else if (digit >= 5) {
    out += five;
    out.append(static_cast<std::size_t>(digit - 5), one);
  } else if (digit == 4) {
    out += one;
    out += five;
  } else {
    out.append(static_cast<std::size_t>(digit), one);
  }
}

int romanValue(char c) {
  switch (c) {
    case 'I': case 'i': return 1;
    case 'V': case 'v': return 5;
    case 'X': case 'x': return 10;
    case 'L': case 'l': return 50;
    case 'C': case 'c': return 100;
    case 'D': case 'd': return 500;
    case 'M': case 'm': return 1000;
    default: return 0;
  }
}

}  // namespace

std::string arabicToRoman(std::int64_t n) {
  std::string out;
  std::uint64_t m = static_cast<std::uint64_t>(n);
  if (n < 0) {
    out += '-';
    m = 0u - m;
  }
  out.append(static_cast<std::size_t>(m / 1000), 'M');
  m %= 1000;
  appendPlace(out, static_cast<int>(m / 100), 'C', 'D', 'M');
  appendPlace(out, static_cast<int>(m / 10 % 10), 'X', 'L', 'C');
  appendPlace(out, static_cast<int>(m % 10), 'I', 'V', 'X');
  if (out == "-") out.clear();
  return out;
}

std::int64_t romanToArabic(std::string_view text) {
  bool negative = false;
  if (!text.empty() && text.front() == '-') {
    negative = true;
    text.remove_prefix(1);
  }
  std::int64_t sum = 0;
  for (std::size_t i = 0; i < text.size(); ++i) {
    int v = romanValue(text[i]);
    if (v == 0) return 0;
    if (i + 1 < text.size()) {
      int next = romanValue(text[i + 1]);
      if (next == 0) return 0;
      if (next > v) {
        sum += next - v;
        ++i;
        continue;
      }
    }
    sum += v;
  }
  return negative ? -sum : sum;
}

NumberResult arabicToRomanCommand(std::string_view selected) {
  if (!isDigitsOnly(selected)) return NumberResult::nothing();
  auto n = strToInt(selected);
  if (!n.ok()) return NumberResult::show(notIntegerMessageFor(selected));
  return NumberResult::put(arabicToRoman(n.value));
}

NumberResult romanToArabicCommand(std::string_view selected) {
  if (selected.empty()) return NumberResult::nothing();
  return NumberResult::put(std::to_string(romanToArabic(selected)));
}

}  // namespace kiv
