#include "core/bignum/big_int.h"

#include <algorithm>
#include <cstring>

namespace kiv {

namespace {

int hexValue(char c) {
  if (c >= '0' && c <= '9') return c - '0';
  if (c >= 'a' && c <= 'f') return c - 'a' + 10;
  if (c >= 'A' && c <= 'F') return c - 'A' + 10;
  return -1;
}

// Splits an optional sign from the digits.
std::string_view takeSign(std::string_view text, bool& negative) {
  negative = false;
  if (!text.empty() && (text.front() == '-' || text.front() == '+')) {
    negative = text.front() == '-';
    text.remove_prefix(1);
  }
  return text;
}

// Eight ASCII digits, the first the most significant: their value, or false
// when one of them is not a digit. Eight bytes are looked at together.
bool eightDigits(const char* p, std::uint32_t& value) {
  std::uint64_t v;
  std::memcpy(&v, p, 8);
  if (((v & 0xF0F0F0F0F0F0F0F0ull) | (((v + 0x0606060606060606ull) & 0xF0F0F0F0F0F0F0F0ull) >> 4)) !=
      0x3333333333333333ull)
    return false;
  v -= 0x3030303030303030ull;
  v = v * 10 + (v >> 8);  // pairs of digits
  v = (((v & 0x000000FF000000FFull) * 0x000F424000000064ull) +
       (((v >> 16) & 0x000000FF000000FFull) * 0x0000271000000001ull)) >> 32;
  value = static_cast<std::uint32_t>(v);
  return true;
}

bool isLittleEndian() {
  const std::uint16_t one = 1;
  unsigned char first;
  std::memcpy(&first, &one, 1);
  return first == 1;
}

// "00" to "99".
constexpr char kDigitPairs[] =
    "00010203040506070809101112131415161718192021222324252627282930313233343536373839"
    "40414243444546474849505152535455565758596061626364656667686970717273747576777879"
    "8081828384858687888990919293949596979899";

// A limb below 10^9 as exactly nine digits.
void nineDigits(std::uint32_t v, char* out) {
  for (int k = 7; k >= 1; k -= 2) {
    std::memcpy(out + k, kDigitPairs + 2 * (v % 100), 2);
    v /= 100;
  }
  out[0] = static_cast<char>('0' + v);
}

}  // namespace

BigInt::BigInt(std::int64_t value) {
  negative_ = value < 0;
  // Magnitude as unsigned, safe for INT64_MIN.
  std::uint64_t m = negative_ ? 0u - static_cast<std::uint64_t>(value)
                              : static_cast<std::uint64_t>(value);
  while (m > 0) {
    limbs_.push_back(static_cast<std::uint32_t>(m % kBase));
    m /= kBase;
  }
}

void BigInt::trim(Limbs& a) {
  while (!a.empty() && a.back() == 0) a.pop_back();
}

void BigInt::normalize() {
  trim(limbs_);
  if (limbs_.empty()) negative_ = false;
}

std::optional<BigInt> BigInt::fromDecimal(std::string_view text) {
  bool negative = false;
  std::string_view digits = takeSign(text, negative);
  if (digits.empty()) return std::nullopt;
  static const bool fast = isLittleEndian();
  BigInt r;
  r.limbs_.reserve(digits.size() / 9 + 1);
  std::size_t end = digits.size();
  while (end > 0) {
    std::size_t start = end >= 9 ? end - 9 : 0;
    std::uint32_t limb = 0;
    if (fast && end - start == 9) {
      const char first = digits[start];
      std::uint32_t low = 0;
      if (first < '0' || first > '9' || !eightDigits(digits.data() + start + 1, low)) return std::nullopt;
      limb = static_cast<std::uint32_t>(first - '0') * 100000000u + low;
    } else {
      for (std::size_t i = start; i < end; ++i) {
        const char c = digits[i];
        if (c < '0' || c > '9') return std::nullopt;
        limb = limb * 10 + static_cast<std::uint32_t>(c - '0');
      }
    }
    r.limbs_.push_back(limb);
    end = start;
  }
  r.negative_ = negative;
  r.normalize();
  return r;
}

std::optional<BigInt> BigInt::fromHex(std::string_view text) {
  bool negative = false;
  std::string_view digits = takeSign(text, negative);
  if (digits.empty()) return std::nullopt;
  BigInt r;
  // Seven hexadecimal digits at a time (16^7 < 2^32).
  std::size_t i = 0;
  while (i < digits.size()) {
    std::size_t n = std::min<std::size_t>(7, digits.size() - i);
    std::uint32_t chunk = 0, scale = 1;
    for (std::size_t k = 0; k < n; ++k) {
      int v = hexValue(digits[i + k]);
      if (v < 0) return std::nullopt;
      chunk = chunk * 16 + static_cast<std::uint32_t>(v);
      scale *= 16;
    }
    mulSmallAdd(r.limbs_, scale, chunk);
    i += n;
  }
  r.negative_ = negative;
  r.normalize();
  return r;
}

std::string BigInt::toDecimal() const {
  if (limbs_.empty()) return "0";
  std::string s;
  if (negative_) s += '-';
  s += std::to_string(limbs_.back());
  std::size_t at = s.size();
  s.resize(at + 9 * (limbs_.size() - 1));
  for (std::size_t i = limbs_.size() - 1; i-- > 0; at += 9) nineDigits(limbs_[i], s.data() + at);
  return s;
}

std::string BigInt::toHex() const {
  if (limbs_.empty()) return "0";
  static const char kDigits[] = "0123456789ABCDEF";
  Limbs m = limbs_;
  std::string rev;
  while (!m.empty()) {
    std::uint32_t rem = divSmall(m, 0x10000000u);
    for (int k = 0; k < 7; ++k) {
      rev += kDigits[rem & 15];
      rem >>= 4;
    }
  }
  while (rev.size() > 1 && rev.back() == '0') rev.pop_back();
  if (negative_) rev += '-';
  return std::string(rev.rbegin(), rev.rend());
}

std::size_t BigInt::decimalDigits() const {
  if (limbs_.empty()) return 1;
  return (limbs_.size() - 1) * 9 + std::to_string(limbs_.back()).size();
}

std::optional<std::int64_t> BigInt::toInt64() const {
  if (limbs_.size() > 3) return std::nullopt;
  unsigned __int128 m = 0;
  for (std::size_t i = limbs_.size(); i-- > 0;) m = m * kBase + limbs_[i];
  const unsigned __int128 limit = negative_ ? (static_cast<unsigned __int128>(1) << 63)
                                            : (static_cast<unsigned __int128>(1) << 63) - 1;
  if (m > limit) return std::nullopt;
  if (negative_) return static_cast<std::int64_t>(0u - static_cast<std::uint64_t>(m));
  return static_cast<std::int64_t>(m);
}

BigInt BigInt::operator-() const {
  BigInt r = *this;
  if (!r.limbs_.empty()) r.negative_ = !r.negative_;
  return r;
}

BigInt BigInt::abs() const {
  BigInt r = *this;
  r.negative_ = false;
  return r;
}

int BigInt::compareMagnitude(const Limbs& a, const Limbs& b) {
  if (a.size() != b.size()) return a.size() < b.size() ? -1 : 1;
  for (std::size_t i = a.size(); i-- > 0;)
    if (a[i] != b[i]) return a[i] < b[i] ? -1 : 1;
  return 0;
}

int BigInt::compare(const BigInt& a, const BigInt& b) {
  if (a.negative_ != b.negative_) return a.negative_ ? -1 : 1;
  int m = compareMagnitude(a.limbs_, b.limbs_);
  return a.negative_ ? -m : m;
}

BigInt::Limbs BigInt::addMagnitude(const Limbs& a, const Limbs& b) {
  const Limbs& longer = a.size() >= b.size() ? a : b;
  const Limbs& shorter = a.size() >= b.size() ? b : a;
  Limbs r;
  r.reserve(longer.size() + 1);
  std::uint32_t carry = 0;
  for (std::size_t i = 0; i < longer.size(); ++i) {
    std::uint32_t s = longer[i] + carry + (i < shorter.size() ? shorter[i] : 0);
    carry = s >= kBase ? 1 : 0;
    r.push_back(carry ? s - kBase : s);
  }
  if (carry) r.push_back(carry);
  return r;
}

BigInt::Limbs BigInt::subMagnitude(const Limbs& a, const Limbs& b) {
  Limbs r;
  r.reserve(a.size());
  std::int64_t borrow = 0;
  for (std::size_t i = 0; i < a.size(); ++i) {
    std::int64_t d = static_cast<std::int64_t>(a[i]) - borrow - (i < b.size() ? b[i] : 0);
    borrow = d < 0 ? 1 : 0;
    r.push_back(static_cast<std::uint32_t>(d < 0 ? d + kBase : d));
  }
  trim(r);
  return r;
}

BigInt::Limbs BigInt::mulMagnitude(const Limbs& a, const Limbs& b) {
  if (a.empty() || b.empty()) return {};
  std::vector<std::uint64_t> acc(a.size() + b.size(), 0);
  for (std::size_t j = 0; j < b.size(); ++j) {
    std::uint64_t carry = 0;
    for (std::size_t i = 0; i < a.size(); ++i) {
      std::uint64_t t = acc[i + j] + static_cast<std::uint64_t>(a[i]) * b[j] + carry;
      acc[i + j] = t % kBase;
      carry = t / kBase;
    }
    std::size_t k = j + a.size();
    while (carry) {
      std::uint64_t t = acc[k] + carry;
      acc[k++] = t % kBase;
      carry = t / kBase;
    }
  }
  Limbs r(acc.begin(), acc.end());
  trim(r);
  return r;
}

std::uint32_t BigInt::divSmall(Limbs& a, std::uint32_t d) {
  std::uint64_t rem = 0;
  for (std::size_t i = a.size(); i-- > 0;) {
    std::uint64_t cur = rem * kBase + a[i];
    a[i] = static_cast<std::uint32_t>(cur / d);
    rem = cur % d;
  }
  trim(a);
  return static_cast<std::uint32_t>(rem);
}

void BigInt::mulSmallAdd(Limbs& a, std::uint32_t m, std::uint32_t add) {
  std::uint64_t carry = add;
  for (auto& limb : a) {
    std::uint64_t t = static_cast<std::uint64_t>(limb) * m + carry;
    limb = static_cast<std::uint32_t>(t % kBase);
    carry = t / kBase;
  }
  while (carry) {
    a.push_back(static_cast<std::uint32_t>(carry % kBase));
    carry /= kBase;
  }
}

// Long division of magnitudes (Knuth's algorithm D in base 10^9).
void BigInt::divModMagnitude(const Limbs& a, const Limbs& b, Limbs& q, Limbs& r) {
  q.clear();
  r.clear();
  if (compareMagnitude(a, b) < 0) {
    r = a;
    return;
  }
  if (b.size() == 1) {
    q = a;
    std::uint32_t rem = divSmall(q, b[0]);
    if (rem) r.push_back(rem);
    return;
  }
  const std::size_t n = b.size();
  const std::size_t m = a.size() - n;
  const std::uint32_t d = kBase / (b[n - 1] + 1);
  Limbs u = a;
  u.push_back(0);
  Limbs v = b;
  if (d > 1) {
    std::uint64_t carry = 0;
    for (auto& limb : u) {
      std::uint64_t t = static_cast<std::uint64_t>(limb) * d + carry;
      limb = static_cast<std::uint32_t>(t % kBase);
      carry = t / kBase;
    }
    carry = 0;
    for (auto& limb : v) {
      std::uint64_t t = static_cast<std::uint64_t>(limb) * d + carry;
      limb = static_cast<std::uint32_t>(t % kBase);
      carry = t / kBase;
    }
  }
  q.assign(m + 1, 0);
  const std::uint64_t vTop = v[n - 1], vNext = v[n - 2];
  for (std::size_t j = m + 1; j-- > 0;) {
    const std::uint64_t num = static_cast<std::uint64_t>(u[j + n]) * kBase + u[j + n - 1];
    std::uint64_t qhat = num / vTop;
    std::uint64_t rhat = num % vTop;
    while (qhat >= kBase || qhat * vNext > rhat * kBase + u[j + n - 2]) {
      --qhat;
      rhat += vTop;
      if (rhat >= kBase) break;
    }
    // u[j..j+n] -= qhat * v
    std::uint64_t carry = 0;
    std::int64_t borrow = 0;
    for (std::size_t i = 0; i < n; ++i) {
      std::uint64_t p = qhat * v[i] + carry;
      carry = p / kBase;
      std::int64_t t = static_cast<std::int64_t>(u[i + j]) - static_cast<std::int64_t>(p % kBase) - borrow;
      borrow = t < 0 ? 1 : 0;
      u[i + j] = static_cast<std::uint32_t>(t < 0 ? t + kBase : t);
    }
    std::int64_t top = static_cast<std::int64_t>(u[j + n]) - static_cast<std::int64_t>(carry) - borrow;
    if (top < 0) {
      // qhat was one too large: add v back.
      --qhat;
      std::uint32_t c = 0;
      for (std::size_t i = 0; i < n; ++i) {
        std::uint32_t s = u[i + j] + v[i] + c;
        c = s >= kBase ? 1 : 0;
        u[i + j] = c ? s - kBase : s;
      }
      top += c;
    }
    u[j + n] = static_cast<std::uint32_t>(top);
    q[j] = static_cast<std::uint32_t>(qhat);
  }
  trim(q);
  u.resize(n);
  trim(u);
  if (d > 1) divSmall(u, d);
  r = std::move(u);
}

BigInt operator+(const BigInt& a, const BigInt& b) {
  BigInt r;
  if (a.negative_ == b.negative_) {
    r.limbs_ = BigInt::addMagnitude(a.limbs_, b.limbs_);
    r.negative_ = a.negative_;
  } else if (BigInt::compareMagnitude(a.limbs_, b.limbs_) >= 0) {
    r.limbs_ = BigInt::subMagnitude(a.limbs_, b.limbs_);
    r.negative_ = a.negative_;
  } else {
    r.limbs_ = BigInt::subMagnitude(b.limbs_, a.limbs_);
    r.negative_ = b.negative_;
  }
  r.normalize();
  return r;
}

BigInt operator-(const BigInt& a, const BigInt& b) { return a + (-b); }

BigInt operator*(const BigInt& a, const BigInt& b) {
  BigInt r;
  r.limbs_ = BigInt::mulMagnitude(a.limbs_, b.limbs_);
  r.negative_ = a.negative_ != b.negative_;
  r.normalize();
  return r;
}

BigInt& BigInt::operator+=(const BigInt& b) { return *this = *this + b; }
BigInt& BigInt::operator-=(const BigInt& b) { return *this = *this - b; }
BigInt& BigInt::operator*=(const BigInt& b) { return *this = *this * b; }

std::optional<BigInt::DivMod> BigInt::divMod(const BigInt& dividend, const BigInt& divisor) {
  if (divisor.isZero()) return std::nullopt;
  DivMod r;
  divModMagnitude(dividend.limbs_, divisor.limbs_, r.quotient.limbs_, r.remainder.limbs_);
  r.quotient.negative_ = dividend.negative_ != divisor.negative_;
  r.remainder.negative_ = dividend.negative_;
  r.quotient.normalize();
  r.remainder.normalize();
  return r;
}

}  // namespace kiv
