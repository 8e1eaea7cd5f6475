// The big-number calculator's operations as its window runs them (operand
// texts in, result text out) on numbers of 10,000 digits; run.sh does the
// same in bc.
// Usage: bench_megacalc <op> <repeats> A B, op one of add, sub, mul, div;
// prints the milliseconds of one operation and the result's length.

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <sstream>
#include <string>

#include "core/bignum/mega_calc.h"

int main(int argc, char** argv) {
  if (argc != 5) {
    std::fprintf(stderr, "usage: bench_megacalc add|sub|mul|div REPEATS FILE_A FILE_B\n");
    return 2;
  }
  auto slurp = [](const char* path) {
    std::ifstream in(path);
    std::stringstream s;
    s << in.rdbuf();
    std::string t = s.str();
    while (!t.empty() && (t.back() == '\n' || t.back() == '\\')) t.pop_back();
    return t;
  };
  const std::string op = argv[1], a = slurp(argv[3]), b = slurp(argv[4]);
  const int repeats = std::atoi(argv[2]);
  auto run = op == "add" ? &kiv::megaAdd : op == "sub" ? &kiv::megaSubtract : op == "mul" ? &kiv::megaMultiply : &kiv::megaDivide;
  std::size_t length = 0;
  const auto start = std::chrono::steady_clock::now();
  for (int i = 0; i < repeats; ++i) length += run(a, b).text.size();
  const double ms = std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - start).count();
  std::printf("%.3f %zu\n", ms / repeats, length / static_cast<std::size_t>(repeats));
  return 0;
}
