#include "core/numbers/number_checks.h"

#include "core/charsets/cp1251_literal.h"
#include "core/common/conversions.h"

namespace kiv {

bool isLeapYear(std::int64_t year) {
  return year % 4 == 0 && (year % 100 != 0 || year % 400 == 0);
}

NumberResult leapYearCommand(std::string_view selected) {
  static const std::string leap = cp1251(" - високосный год");
  static const std::string notLeap = cp1251(" - увы, не високосный...");
  if (!isDigitsOnly(selected)) return NumberResult::nothing();
  auto y = strToInt(selected);
  if (!y.ok()) return NumberResult::show(std::string(kLeapYearBadParameter));
  std::string out(selected);
  out += isLeapYear(y.value) ? leap : notLeap;
  return NumberResult::put(std::move(out));
}

bool isValidIsbn10(std::string_view text) {
  int k = 0;
  long long sum = 0;
  for (char c : text) {
    int v;
    if (c >= '0' && c <= '9') v = c - '0';
    else if ((c == 'X' || c == 'x') && k == 9) v = 10;
    else continue;
    ++k;
    if (k > 10) return false;
    sum += static_cast<long long>(v) * k;
  }
  return k == 10 && sum % 11 == 0;
}

NumberResult isbnCommand(std::string_view selected) {
  if (selected.empty()) return NumberResult::nothing();
  return NumberResult::show(std::string(isValidIsbn10(selected) ? kIsbnValid : kIsbnInvalid));
}

}  // namespace kiv
