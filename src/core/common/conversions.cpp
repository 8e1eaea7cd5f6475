#include "core/common/conversions.h"

#include <charconv>
#include <cstdint>
#include <limits>
#include <system_error>

namespace kiv {

namespace {

bool isBlank(char c) { return c == ' ' || c == '\t' || c == '\r' || c == '\n'; }
bool isDigit(char c) { return c >= '0' && c <= '9'; }

std::string_view trimBlanks(std::string_view s) {
  while (!s.empty() && isBlank(s.front())) s.remove_prefix(1);
  while (!s.empty() && isBlank(s.back())) s.remove_suffix(1);
  return s;
}

int hexDigit(char c) {
  if (c >= '0' && c <= '9') return c - '0';
  if (c >= 'a' && c <= 'f') return c - 'a' + 10;
  if (c >= 'A' && c <= 'F') return c - 'A' + 10;
  return -1;
}

// Scanned parts of a decimal number: the mantissa digits with the position of
// the decimal point among them, and the written exponent.
struct DecimalParts {
  std::string digits;      // integer and fraction digits, no point
  std::size_t intDigits = 0;
  bool negative = false;
  std::int64_t exponent = 0;  // clamped to a range far beyond any result
};

// Converts scanned parts; false on overflow. Digits are handed to the C
// library's locale-free reader, which rounds correctly.
bool partsToValue(const DecimalParts& p, long double& value) {
  // Where the first significant digit stands: value ~ 10^(magnitude - 1).
  std::size_t first = 0;
  while (first < p.digits.size() && p.digits[first] == '0') ++first;
  if (first == p.digits.size()) {
    value = p.negative ? -0.0L : 0.0L;
    return true;
  }
  const std::int64_t magnitude =
      static_cast<std::int64_t>(p.intDigits) - static_cast<std::int64_t>(first) + p.exponent;
  if (magnitude > 5000) return false;
  if (magnitude < -5000) {
    value = p.negative ? -0.0L : 0.0L;
    return true;
  }
  // Normalised form 0.ddddE(magnitude); very long digit runs keep enough
  // digits to round correctly in the extended type.
  std::string text = "0.";
  const std::size_t keep = std::min<std::size_t>(p.digits.size() - first, 60);
  text.append(p.digits, first, keep);
  text += 'e';
  text += std::to_string(magnitude);
  long double v = 0;
  auto [ptr, ec] = std::from_chars(text.data(), text.data() + text.size(), v);
  (void)ptr;
  if (ec == std::errc::result_out_of_range) {
    if (magnitude > 0) return false;
    v = 0;
  } else if (ec != std::errc()) {
    return false;
  }
  if (v > std::numeric_limits<long double>::max()) return false;
  value = p.negative ? -v : v;
  return true;
}

// Reads digits [sep digits] [E [sign] digits] from `s` at `i`; returns false
// when no mantissa digit was found. `i` ends after what was used.
bool scanParts(std::string_view s, std::size_t& i, char sep, bool allowLeadingSep,
               DecimalParts& p) {
  std::size_t start = i;
  while (i < s.size() && isDigit(s[i])) p.digits += s[i++];
  p.intDigits = p.digits.size();
  if (i < s.size() && s[i] == sep && (allowLeadingSep || i > start)) {
    std::size_t save = i;
    ++i;
    while (i < s.size() && isDigit(s[i])) p.digits += s[i++];
    if (p.digits.empty()) {
      i = save;
      return false;
    }
  }
  if (p.digits.empty()) return false;
  if (i < s.size() && (s[i] == 'e' || s[i] == 'E')) {
    std::size_t j = i + 1;
    bool negExp = false;
    if (j < s.size() && (s[j] == '+' || s[j] == '-')) negExp = s[j++] == '-';
    if (j < s.size() && isDigit(s[j])) {
      std::int64_t e = 0;
      while (j < s.size() && isDigit(s[j])) {
        if (e < 1000000000) e = e * 10 + (s[j] - '0');
        ++j;
      }
      p.exponent = negExp ? -e : e;
      i = j;
    }
  }
  return true;
}

}  // namespace

std::string notIntegerMessage(std::string_view shownText) {
  std::string m = "'";
  m += shownText;
  m += "' is not a valid integer value";
  return m;
}

std::string notFloatMessage(std::string_view shownText) {
  std::string m = "'";
  m += shownText;
  m += "' is not a valid floating point value";
  return m;
}

Converted<std::int32_t> strToInt(std::string_view text) {
  Converted<std::int32_t> r;
  std::string_view s = trimBlanks(text);
  bool negative = false;
  if (!s.empty() && (s.front() == '+' || s.front() == '-')) {
    negative = s.front() == '-';
    s.remove_prefix(1);
  }
  bool hex = false;
  if (!s.empty() && s.front() == '$') {
    hex = true;
    s.remove_prefix(1);
  } else if (s.size() > 2 && s[0] == '0' && (s[1] == 'x' || s[1] == 'X')) {
    hex = true;
    s.remove_prefix(2);
  }
  bool good = !s.empty();
  std::uint64_t value = 0;
  for (char c : s) {
    if (!good) break;
    int d = hex ? hexDigit(c) : (isDigit(c) ? c - '0' : -1);
    if (d < 0) {
      good = false;
      break;
    }
    value = value * (hex ? 16 : 10) + static_cast<unsigned>(d);
    if (value > 0xFFFFFFFFull) good = false;
  }
  if (good) {
    if (hex) {
      auto v = static_cast<std::uint32_t>(value);
      r.value = static_cast<std::int32_t>(negative ? 0u - v : v);
    } else if (negative ? value > 2147483648ull : value > 2147483647ull) {
      good = false;
    } else {
      r.value = static_cast<std::int32_t>(negative ? -static_cast<std::int64_t>(value)
                                                   : static_cast<std::int64_t>(value));
    }
  }
  if (!good) {
    r.value = 0;
    r.error = notIntegerMessage(text);
  }
  return r;
}

Converted<long double> strToFloat(std::string_view text, char decimalSeparator) {
  Converted<long double> r;
  std::string_view s = trimBlanks(text);
  DecimalParts p;
  std::size_t i = 0;
  if (i < s.size() && (s[i] == '+' || s[i] == '-')) p.negative = s[i++] == '-';
  bool good = scanParts(s, i, decimalSeparator, true, p) && i == s.size();
  long double v = 0;
  if (good) good = partsToValue(p, v);
  if (good) {
    r.value = v;
  } else {
    r.error = notFloatMessage(text);
  }
  return r;
}

Converted<long double> strToFloat(std::string_view text, const RegionalFormat& format) {
  return strToFloat(text, format.decimalSeparator);
}

std::size_t scanDecimal(std::string_view text, char decimalSeparator, long double& value,
                        bool& overflow) {
  overflow = false;
  value = 0;
  if (text.empty() || !isDigit(text.front())) return 0;
  DecimalParts p;
  std::size_t i = 0;
  scanParts(text, i, decimalSeparator, false, p);
  if (!partsToValue(p, value)) overflow = true;
  return i;
}

}  // namespace kiv
