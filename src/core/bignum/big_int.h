#pragma once
// Signed integers of any length. The magnitude is kept in base 10^9 limbs,
// least significant first, so decimal text goes in and out in linear time.
// Division truncates towards zero; the remainder takes the dividend's sign
// (-7 / 2 = -3, remainder -1).

#include <compare>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace kiv {

class BigInt {
 public:
  BigInt() = default;
  BigInt(std::int64_t value);  // NOLINT: implicit, as for built-in integers

  // Optional "-" or "+", then one or more decimal digits (leading zeros
  // allowed); anything else gives nothing. "-0" is zero.
  static std::optional<BigInt> fromDecimal(std::string_view text);
  // Optional sign, then one or more hexadecimal digits of either case.
  static std::optional<BigInt> fromHex(std::string_view text);

  // "-" for negative values, no leading zeros, "0" for zero.
  std::string toDecimal() const;
  // Upper-case hexadecimal, "-" for negative values, "0" for zero.
  std::string toHex() const;

  bool isZero() const { return limbs_.empty(); }
  bool isNegative() const { return negative_; }
  // Number of decimal digits of the magnitude (1 for zero).
  std::size_t decimalDigits() const;
  // The value when it fits 64 bits.
  std::optional<std::int64_t> toInt64() const;

  BigInt operator-() const;
  BigInt abs() const;

  friend BigInt operator+(const BigInt& a, const BigInt& b);
  friend BigInt operator-(const BigInt& a, const BigInt& b);
  friend BigInt operator*(const BigInt& a, const BigInt& b);
  BigInt& operator+=(const BigInt& b);
  BigInt& operator-=(const BigInt& b);
  BigInt& operator*=(const BigInt& b);

  struct DivMod;
  // Nothing when `divisor` is zero.
  static std::optional<DivMod> divMod(const BigInt& dividend, const BigInt& divisor);

  // -1, 0 or 1.
  static int compare(const BigInt& a, const BigInt& b);
  friend bool operator==(const BigInt& a, const BigInt& b) = default;
  friend std::strong_ordering operator<=>(const BigInt& a, const BigInt& b) {
    return compare(a, b) <=> 0;
  }

 private:
  using Limbs = std::vector<std::uint32_t>;
  static constexpr std::uint32_t kBase = 1000000000u;

  static int compareMagnitude(const Limbs& a, const Limbs& b);
  static Limbs addMagnitude(const Limbs& a, const Limbs& b);
  static Limbs subMagnitude(const Limbs& a, const Limbs& b);  // needs a >= b
  static Limbs mulMagnitude(const Limbs& a, const Limbs& b);
  static void divModMagnitude(const Limbs& a, const Limbs& b, Limbs& q, Limbs& r);
  static std::uint32_t divSmall(Limbs& a, std::uint32_t d);  // a /= d, returns a % d
  static void mulSmallAdd(Limbs& a, std::uint32_t m, std::uint32_t add);
  static void trim(Limbs& a);
  void normalize();

  bool negative_ = false;
  Limbs limbs_;
};

struct BigInt::DivMod {
  BigInt quotient;
  BigInt remainder;
};

}  // namespace kiv
