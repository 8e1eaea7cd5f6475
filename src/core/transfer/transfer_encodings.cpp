#include "core/transfer/transfer_encodings.h"

#include <array>
#include <cstdint>

namespace kiv {

namespace {

using uchar = unsigned char;

constexpr std::string_view kAlphabet =
    "ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz0123456789+/";

// Base64 character -> 6-bit value, or -1 outside the alphabet.
constexpr std::array<std::int8_t, 256> makeBase64Values() {
  std::array<std::int8_t, 256> v{};
  for (auto& x : v) x = -1;
  for (std::size_t i = 0; i < kAlphabet.size(); ++i) v[static_cast<uchar>(kAlphabet[i])] = static_cast<std::int8_t>(i);
  return v;
}
constexpr std::array<std::int8_t, 256> kBase64Values = makeBase64Values();

inline int b64(char c) { return kBase64Values[static_cast<uchar>(c)]; }

// Hexadecimal digit -> value, or -1.
constexpr std::array<std::int8_t, 256> makeHexValues() {
  std::array<std::int8_t, 256> v{};
  for (auto& x : v) x = -1;
  for (int d = 0; d < 10; ++d) v['0' + d] = static_cast<std::int8_t>(d);
  for (int d = 0; d < 6; ++d) {
    v['A' + d] = static_cast<std::int8_t>(10 + d);
    v['a' + d] = static_cast<std::int8_t>(10 + d);
  }
  return v;
}
constexpr std::array<std::int8_t, 256> kHexValues = makeHexValues();

constexpr std::string_view kHexDigits = "0123456789ABCDEF";

DecodeResult failure(std::string_view message) {
  DecodeResult r;
  r.message = std::string(message);
  return r;
}

// Appends the 3 bytes of four 6-bit values.
inline void putQuad(std::string& out, unsigned a, unsigned b, unsigned c, unsigned d) {
  const unsigned v = (a << 18) | (b << 12) | (c << 6) | d;
  out += static_cast<char>((v >> 16) & 0xFF);
  out += static_cast<char>((v >> 8) & 0xFF);
  out += static_cast<char>(v & 0xFF);
}

// RLE special bytes.
constexpr uchar kRun3 = 0x16, kRun4 = 0x17, kRun5 = 0x18, kRun6 = 0x19, kRun7 = 0x1D, kRun8 = 0x1E,
                kRunN = 0x7F;

inline bool isSpecial(uchar b) {
  return b == kRun3 || b == kRun4 || b == kRun5 || b == kRun6 || b == kRun7 || b == kRun8 || b == kRunN;
}

void putRun(std::string& out, uchar b, std::size_t n) {
  const char cb = static_cast<char>(b);
  if (!isSpecial(b) && n <= 8) {
    switch (n) {
      case 1: out += cb; return;
      case 2: out += cb; out += cb; return;
      case 3: out += static_cast<char>(kRun3); break;
      case 4: out += static_cast<char>(kRun4); break;
      case 5: out += static_cast<char>(kRun5); break;
      case 6: out += static_cast<char>(kRun6); break;
      case 7: out += static_cast<char>(kRun7); break;
      default: out += static_cast<char>(kRun8); break;
    }
    out += cb;
    return;
  }
  if (isSpecial(b) && n <= 2) {
    out += static_cast<char>(n == 1 ? kRun6 : kRun4);
    out += cb;
    return;
  }
  out += static_cast<char>(kRunN);
  out += cb;
  while (n >= 0x80) {
    out += static_cast<char>(0x80 | (n & 0x7F));
    n >>= 7;
  }
  out += static_cast<char>(n);
}

}  // namespace

std::string base64Encode(std::string_view bytes) {
  std::string out;
  out.reserve((bytes.size() + 2) / 3 * 4);
  const std::size_t n = bytes.size();
  std::size_t i = 0;
  for (; i + 3 <= n; i += 3) {
    const unsigned v = (unsigned(uchar(bytes[i])) << 16) | (unsigned(uchar(bytes[i + 1])) << 8) |
                       unsigned(uchar(bytes[i + 2]));
    out += kAlphabet[(v >> 18) & 63];
    out += kAlphabet[(v >> 12) & 63];
    out += kAlphabet[(v >> 6) & 63];
    out += kAlphabet[v & 63];
  }
  if (n - i == 1) {
    const unsigned v = unsigned(uchar(bytes[i])) << 16;
    out += kAlphabet[(v >> 18) & 63];
    out += kAlphabet[(v >> 12) & 63];
    out += "==";
  } else if (n - i == 2) {
    const unsigned v = (unsigned(uchar(bytes[i])) << 16) | (unsigned(uchar(bytes[i + 1])) << 8);
    out += kAlphabet[(v >> 18) & 63];
    out += kAlphabet[(v >> 12) & 63];
    out += kAlphabet[(v >> 6) & 63];
    out += '=';
  }
  return out;
}

DecodeResult base64DecodeStrict(std::string_view text) {
  DecodeResult r;
  const std::size_t n = text.size();
  if (n == 0) return r;
  if (n % 4 != 0) return failure(kBase64FormatMessage);
  r.bytes.reserve(n / 4 * 3);
  for (std::size_t i = 0; i < n; i += 4) {
    const int a = b64(text[i]);
    const int b = b64(text[i + 1]);
    int c = b64(text[i + 2]);
    int d = b64(text[i + 3]);
    if (a < 0 || b < 0) return failure(kBase64FormatMessage);
    std::size_t drop = 0;
    if (c < 0 || d < 0) {
      // Only the last group may hold padding: "xx==" or "xxx=".
      const bool last = (i + 4 == n);
      if (!last || text[i + 3] != '=') return failure(kBase64FormatMessage);
      if (c < 0) {
        if (text[i + 2] != '=') return failure(kBase64FormatMessage);
        drop = 2;
        c = 0;
      } else {
        drop = 1;
      }
      d = 0;
    }
    putQuad(r.bytes, unsigned(a), unsigned(b), unsigned(c), unsigned(d));
    r.bytes.resize(r.bytes.size() - drop);
  }
  return r;
}

std::string base64DecodeLenient(std::string_view text) {
  std::string out;
  out.reserve(text.size() / 4 * 3 + 2);
  unsigned q[4];
  int k = 0;
  for (char ch : text) {
    const int v = b64(ch);
    if (v < 0) continue;
    q[k++] = unsigned(v);
    if (k == 4) {
      putQuad(out, q[0], q[1], q[2], q[3]);
      k = 0;
    }
  }
  if (k == 2) {
    out += static_cast<char>(((q[0] << 2) | (q[1] >> 4)) & 0xFF);
  } else if (k == 3) {
    out += static_cast<char>(((q[0] << 2) | (q[1] >> 4)) & 0xFF);
    out += static_cast<char>(((q[1] << 4) | (q[2] >> 2)) & 0xFF);
  }
  return out;
}

std::string rleCompress(std::string_view bytes) {
  std::string out;
  out.reserve(bytes.size() / 2 + 16);
  const std::size_t n = bytes.size();
  std::size_t i = 0;
  while (i < n) {
    const char b = bytes[i];
    std::size_t j = i + 1;
    while (j < n && bytes[j] == b) ++j;
    putRun(out, uchar(b), j - i);
    i = j;
  }
  return out;
}

DecodeResult rleExpand(std::string_view code, std::size_t maxExpanded) {
  DecodeResult r;
  std::string& out = r.bytes;
  out.reserve(code.size() + code.size() / 2);
  const std::size_t n = code.size();
  std::size_t i = 0;
  while (i < n) {
    const uchar c = uchar(code[i]);
    if (!isSpecial(c)) {
      out += static_cast<char>(c);
      ++i;
      continue;
    }
    if (i + 1 >= n) return failure(kRleTruncatedMessage);
    const uchar b = uchar(code[i + 1]);
    std::size_t count = 0;
    i += 2;
    if (c == kRunN) {
      // N: base-128 groups, low first; values past the limit only need to be
      // recognised as too large, so the sum saturates.
      std::uint64_t value = 0;
      unsigned shift = 0;
      bool tooLarge = false;
      bool ended = false;
      while (i < n) {
        const uchar g = uchar(code[i++]);
        const std::uint64_t bits = g & 0x7F;
        if (bits != 0) {
          if (shift >= 40) tooLarge = true;
          else value |= bits << shift;
        }
        shift += 7;
        if ((g & 0x80) == 0) {
          ended = true;
          break;
        }
      }
      if (!ended) return failure(kRleTruncatedMessage);
      if (tooLarge || value > maxExpanded) return failure(kRleTooLargeMessage);
      count = static_cast<std::size_t>(value);
    } else {
      const bool special = isSpecial(b);
      switch (c) {
        case kRun3: count = 3; break;
        case kRun4: count = special ? 2 : 4; break;
        case kRun5: count = 5; break;
        case kRun6: count = special ? 1 : 6; break;
        case kRun7: count = 7; break;
        default: count = 8; break;  // kRun8
      }
    }
    // Plain bytes cannot outgrow the input; only repeats are limited.
    if (out.size() > maxExpanded || count > maxExpanded - out.size())
      return failure(kRleTooLargeMessage);
    out.append(count, static_cast<char>(b));
  }
  return r;
}

std::string hexEncode(std::string_view bytes) {
  std::string out;
  out.resize(bytes.size() * 2);
  for (std::size_t i = 0; i < bytes.size(); ++i) {
    const uchar b = uchar(bytes[i]);
    out[2 * i] = kHexDigits[b >> 4];
    out[2 * i + 1] = kHexDigits[b & 15];
  }
  return out;
}

DecodeResult hexDecode(std::string_view text) {
  DecodeResult r;
  if (text.size() % 2 != 0) return failure(kHexFormatMessage);
  r.bytes.resize(text.size() / 2);
  for (std::size_t i = 0; i < r.bytes.size(); ++i) {
    const int hi = kHexValues[uchar(text[2 * i])];
    const int lo = kHexValues[uchar(text[2 * i + 1])];
    if (hi < 0 || lo < 0) return failure(kHexFormatMessage);
    r.bytes[i] = static_cast<char>((hi << 4) | lo);
  }
  return r;
}

}  // namespace kiv
