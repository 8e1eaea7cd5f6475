#include "core/numbers/number_inserts.h"

#include "core/bignum/big_int.h"
#include "core/charsets/cp1251_literal.h"
#include "core/common/conversions.h"

namespace kiv {

std::string fibonacciText(std::int32_t n) {
  static const std::string title = cp1251("Числа Фибоначчи: ");
  std::string out;
  if (n > kFibonacciMaxCount) n = kFibonacciMaxCount;
  BigInt a(1), b(1);  // F(i), F(i+1)
  for (std::int32_t i = 1; i <= n; ++i) {
    out += a.toDecimal();
    out += ", ";
    BigInt next = a + b;
    a = std::move(b);
    b = std::move(next);
  }
  out += title;
  return out;
}

NumberResult fibonacciCommand(std::string_view answer) {
  auto n = strToInt(answer);
  if (!n.ok()) return NumberResult::show(n.error);
  if (n.value > kFibonacciMaxCount) return NumberResult::show(std::string(kFibonacciTooMany));
  return NumberResult::put(fibonacciText(n.value));
}

}  // namespace kiv
