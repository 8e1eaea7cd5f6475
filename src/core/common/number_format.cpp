#include "core/common/number_format.h"

#include <cmath>
#include <cstdio>
#include <cstdlib>

namespace kiv {

std::string formatGeneral(long double value, char decimalSeparator, int precision) {
  if (std::isnan(value)) return "NAN";
  if (std::isinf(value)) return value < 0 ? "-INF" : "INF";
  if (precision < 1) precision = 1;
  if (precision > 18) precision = 18;
  if (value == 0) return "0";

  // Round to the precision first: d.ddddde±x, correctly rounded.
  char buf[64];
  std::snprintf(buf, sizeof buf, "%.*Le", precision - 1, value);
  std::string digits;
  bool negative = false;
  const char* p = buf;
  if (*p == '-') {
    negative = true;
    ++p;
  }
  for (; *p && *p != 'e'; ++p)
    if (*p >= '0' && *p <= '9') digits += *p;
  const int exp10 = *p == 'e' ? std::atoi(p + 1) : 0;
  while (digits.size() > 1 && digits.back() == '0') digits.pop_back();

  // With the value written 0.d1d2... × 10^pointPos.
  const int pointPos = exp10 + 1;
  std::string out;
  if (negative) out += '-';
  if (pointPos > precision || pointPos < -3) {
    out += digits[0];
    if (digits.size() > 1) {
      out += decimalSeparator;
      out.append(digits, 1);
    }
    out += 'E';
    out += std::to_string(exp10);
    return out;
  }
  const int n = static_cast<int>(digits.size());
  if (pointPos <= 0) {
    out += '0';
    out += decimalSeparator;
    out.append(static_cast<std::size_t>(-pointPos), '0');
    out += digits;
  } else if (pointPos >= n) {
    out += digits;
    out.append(static_cast<std::size_t>(pointPos - n), '0');
  } else {
    out.append(digits, 0, static_cast<std::size_t>(pointPos));
    out += decimalSeparator;
    out.append(digits, static_cast<std::size_t>(pointPos));
  }
  return out;
}

std::string formatGeneral(long double value, const RegionalFormat& format, int precision) {
  return formatGeneral(value, format.decimalSeparator, precision);
}

}  // namespace kiv
