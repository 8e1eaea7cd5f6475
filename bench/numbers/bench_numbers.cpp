// Times the number functions on large inputs; run.sh compares with bc.
// Usage: bench_numbers <task>, task one of fib, sum, mul, div; prints the
// elapsed milliseconds and a check value.

#include <chrono>
#include <cstdint>
#include <cstdio>
#include <string>

#include "core/bignum/big_int.h"
#include "core/expr/evaluator.h"
#include "core/numbers/number_inserts.h"

namespace {

// base^exp by squaring, as bc computes its "^".
kiv::BigInt power(std::int64_t base, unsigned exp) {
  kiv::BigInt result(1), b(base);
  while (exp) {
    if (exp & 1) result *= b;
    exp >>= 1;
    if (exp) b *= b;
  }
  return result;
}

}  // namespace

int main(int argc, char** argv) {
  const std::string task = argc > 1 ? argv[1] : "fib";
  const auto start = std::chrono::steady_clock::now();
  std::string check;
  if (task == "fib") {
    check = std::to_string(kiv::fibonacciText(10000).size());
  } else if (task == "sum") {
    auto r = kiv::evaluateExpression("SUM(1,1000000,I*I)");
    check = std::to_string(static_cast<double>(r.value));
  } else if (task == "mul") {
    kiv::BigInt a = power(7, 23650), b = power(3, 41900);  // 20000 digits each
    check = std::to_string((a * b).decimalDigits());
  } else if (task == "div") {
    kiv::BigInt a = power(7, 47300), b = power(3, 41900);  // 40000 by 20000 digits
    check = std::to_string(kiv::BigInt::divMod(a, b)->quotient.decimalDigits());
  } else {
    std::fprintf(stderr, "unknown task %s\n", task.c_str());
    return 2;
  }
  const auto ms = std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - start).count();
  std::printf("%.1f %s\n", ms, check.c_str());
  return 0;
}
