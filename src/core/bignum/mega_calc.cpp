#include "core/bignum/mega_calc.h"

#include <optional>

#include "core/bignum/big_int.h"

namespace kiv {

namespace {

std::string_view trimBlanks(std::string_view s) {
  auto blank = [](char c) { return c == ' ' || c == '\t' || c == '\r' || c == '\n'; };
  while (!s.empty() && blank(s.front())) s.remove_prefix(1);
  while (!s.empty() && blank(s.back())) s.remove_suffix(1);
  return s;
}

std::string quoted(std::string_view prefix, std::string_view operand) {
  std::string m(prefix);
  m += '"';
  m += operand;
  m += '"';
  return m;
}

// A decimal operand, or the error for it in `error`.
std::optional<BigInt> decimalOperand(std::string_view text, std::string& error) {
  std::string_view s = trimBlanks(text);
  if (s.empty()) return BigInt();
  auto v = BigInt::fromDecimal(s);
  if (!v || s.front() == '+') {
    if (error.empty()) error = quoted(kMegaNotDecimal, text);
    return std::nullopt;
  }
  return v;
}

template <class Op>
MegaCalcResult binary(std::string_view a, std::string_view b, Op op) {
  MegaCalcResult r;
  auto x = decimalOperand(a, r.error);
  auto y = decimalOperand(b, r.error);
  if (x && y) op(*x, *y, r);
  return r;
}

}  // namespace

MegaCalcResult megaAdd(std::string_view a, std::string_view b) {
  return binary(a, b, [](const BigInt& x, const BigInt& y, MegaCalcResult& r) { r.text = (x + y).toDecimal(); });
}

MegaCalcResult megaSubtract(std::string_view a, std::string_view b) {
  return binary(a, b, [](const BigInt& x, const BigInt& y, MegaCalcResult& r) { r.text = (x - y).toDecimal(); });
}

MegaCalcResult megaMultiply(std::string_view a, std::string_view b) {
  return binary(a, b, [](const BigInt& x, const BigInt& y, MegaCalcResult& r) { r.text = (x * y).toDecimal(); });
}

MegaCalcResult megaDivide(std::string_view a, std::string_view b) {
  return binary(a, b, [](const BigInt& x, const BigInt& y, MegaCalcResult& r) {
    auto dm = BigInt::divMod(x, y);
    if (!dm) {
      r.error = std::string(kMegaDivisionByZero);
      return;
    }
    r.text = dm->quotient.toDecimal() + "." + dm->remainder.toDecimal();
  });
}

MegaCalcResult megaCompare(std::string_view a, std::string_view b) {
  return binary(a, b, [](const BigInt& x, const BigInt& y, MegaCalcResult& r) {
    int c = BigInt::compare(x, y);
    r.text = std::string(c == 0 ? kMegaEqual : c > 0 ? kMegaFirstGreater : kMegaSecondGreater);
  });
}

MegaCalcResult megaToHex(std::string_view decimal) {
  MegaCalcResult r;
  if (trimBlanks(decimal).empty()) return r;
  if (auto v = decimalOperand(decimal, r.error)) r.text = v->toHex();
  return r;
}

MegaCalcResult megaToDec(std::string_view hex) {
  MegaCalcResult r;
  std::string_view s = trimBlanks(hex);
  if (s.empty()) return r;
  auto v = s.front() == '+' ? std::nullopt : BigInt::fromHex(s);
  if (!v) r.error = quoted(kMegaNotHex, hex);
  else r.text = v->toDecimal();
  return r;
}

}  // namespace kiv
