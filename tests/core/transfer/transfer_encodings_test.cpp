#include "core/transfer/transfer_encodings.h"

#include <gtest/gtest.h>

#include <random>
#include <string>
#include <vector>

namespace kiv {
namespace {

using namespace std::string_literals;

std::string bytes(std::initializer_list<int> values) {
  std::string s;
  for (int v : values) s += static_cast<char>(v);
  return s;
}

std::string allBytes() {
  std::string s;
  for (int b = 0; b < 256; ++b) s += static_cast<char>(b);
  return s;
}

// ---------------------------------------------------------------- Base64

TEST(Base64Encode, KnownValues) {
  struct Case {
    std::string in;
    std::string out;
  };
  const std::vector<Case> cases = {
      {"", ""},
      {"a", "YQ=="},
      {"ab", "YWI="},
      {"abc", "YWJj"},
      {"abcd", "YWJjZA=="},
      {"foobar", "Zm9vYmFy"},
      {"\r\n", "DQo="},
      {bytes({0xFB, 0xFF}), "+/8="},
      {bytes({0, 0, 0}), "AAAA"},
      {bytes({0xFF, 0xFF, 0xFF}), "////"},
      {bytes({0xC4, 0xE0}), "xOA="},  // Да in Windows-1251
  };
  for (const auto& c : cases) EXPECT_EQ(base64Encode(c.in), c.out) << c.in;
}

TEST(Base64Encode, LengthAndNoLineBreaks) {
  for (std::size_t n = 0; n < 200; ++n) {
    const std::string out = base64Encode(std::string(n, 'x'));
    EXPECT_EQ(out.size(), 4 * ((n + 2) / 3));
    EXPECT_EQ(out.find_first_of("\r\n"), std::string::npos);
  }
}

TEST(Base64DecodeStrict, Table) {
  struct Case {
    std::string in;
    bool ok;
    std::string out;
  };
  const std::vector<Case> cases = {
      {"", true, ""},
      {"YWJj", true, "abc"},
      {"YWI=", true, "ab"},
      {"YQ==", true, "a"},
      {"Zm9vYmFy", true, "foobar"},
      {"+/8=", true, bytes({0xFB, 0xFF})},
      {"////", true, bytes({0xFF, 0xFF, 0xFF})},
      // Length not a multiple of 4.
      {"YWJ", false, ""},
      {"Y", false, ""},
      {"YWJjZ", false, ""},
      // Characters outside the alphabet.
      {"YW J", false, ""},
      {"YW\r\nJjab", false, ""},
      {"YWJ-", false, ""},
      {"YWJ\xC4", false, ""},
      {"YW"s + '\0' + "j", false, ""},
      // Misplaced "=".
      {"YQ==YWJj", false, ""},
      {"Y=Jj", false, ""},
      {"YW=j", false, ""},
      {"=WJj", false, ""},
      {"Y===", false, ""},
      {"====", false, ""},
      {"YWI=YWI=", false, ""},
      // A character outside the alphabet beside the padding.
      {"QU*=", false, ""},
      {"QU=*", false, ""},
      {"Q*==", false, ""},
      {"QUJ*", false, ""},
      {"QU.=", false, ""},
      {"QU =", false, ""},
      {"QU\n=", false, ""},
      {"QU-=", false, ""},
      {"QU_=", false, ""},
      {"QUI=", true, "AB"},
  };
  for (const auto& c : cases) {
    const DecodeResult r = base64DecodeStrict(c.in);
    EXPECT_EQ(r.ok(), c.ok) << c.in;
    if (c.ok) {
      EXPECT_EQ(r.bytes, c.out) << c.in;
    } else {
      EXPECT_EQ(r.message, "Формат строки не соответствует способу кодирования Base64.") << c.in;
      EXPECT_TRUE(r.bytes.empty());
    }
  }
}

TEST(Base64DecodeLenient, Table) {
  struct Case {
    std::string in;
    std::string out;
  };
  const std::vector<Case> cases = {
      {"", ""},
      {"YW\r\nJj", "abc"},
      {"YWI", "ab"},
      {"YWI=", "ab"},
      {"YQ", "a"},
      {"Y", ""},
      {"=", ""},
      {"Y W J j", "abc"},
      {"\t-YW*J j!", "abc"},
      {"YWJj\r\nYWJj\r\n", "abcabc"},
      {"YQ==YQ==", bytes({0x61, 0x06, 0x10})},  // padding is skipped: the groups run on
      {"\xC4\xE0\xFF", ""},
  };
  for (const auto& c : cases) EXPECT_EQ(base64DecodeLenient(c.in), c.out) << c.in;
}

// ---------------------------------------------------------------- RLE

TEST(RleCompress, ByteExact) {
  struct Case {
    std::string in;
    std::string out;
  };
  const std::vector<Case> cases = {
      {"", ""},
      {"A", "A"},
      {"AAB", "AAB"},
      {"AAAB", bytes({0x16, 0x41, 0x42})},
      {"AAAAB", bytes({0x17, 0x41, 0x42})},
      {std::string(5, 'A'), bytes({0x18, 0x41})},
      {std::string(6, 'A'), bytes({0x19, 0x41})},
      {std::string(7, 'A'), bytes({0x1D, 0x41})},
      {std::string(8, 'A'), bytes({0x1E, 0x41})},
      {std::string(9, 'A'), bytes({0x7F, 0x41, 0x09})},
      {std::string(10, 'A'), bytes({0x7F, 0x41, 0x0A})},
      {std::string(127, 'A'), bytes({0x7F, 0x41, 0x7F})},
      {std::string(128, 'A'), bytes({0x7F, 0x41, 0x80, 0x01})},
      {std::string(300, ' '), bytes({0x7F, 0x20, 0xAC, 0x02})},
      {std::string(16384, 'z'), bytes({0x7F, 'z', 0x80, 0x80, 0x01})},
      {bytes({0x16}), bytes({0x19, 0x16})},
      {bytes({0x16, 0x16}), bytes({0x17, 0x16})},
      {bytes({0x16, 0x16, 0x16}), bytes({0x7F, 0x16, 0x03})},
      {bytes({0x7F}), bytes({0x19, 0x7F})},
      {bytes({0x7F, 0x7F}), bytes({0x17, 0x7F})},
      {bytes({0x1E, 0x1E, 0x1E, 0x1E}), bytes({0x7F, 0x1E, 0x04})},
      {bytes({0x15, 0x1A, 0x1F, 0x80}), bytes({0x15, 0x1A, 0x1F, 0x80})},
      {"ABAB", "ABAB"},
      {"\r\n\r\n", "\r\n\r\n"},
  };
  for (const auto& c : cases) EXPECT_EQ(rleCompress(c.in), c.out) << c.in.size();
}

TEST(RleExpand, Table) {
  struct Case {
    std::string in;
    std::string out;
  };
  const std::vector<Case> cases = {
      {"", ""},
      {bytes({0x17, 0x41}), "AAAA"},
      {bytes({0x17, 0x16}), bytes({0x16, 0x16})},
      {bytes({0x19, 0x41}), "AAAAAA"},
      {bytes({0x19, 0x7F}), bytes({0x7F})},
      {bytes({0x16, 0x41, 0x18, 0x42}), "AAABBBBB"},
      {bytes({0x1D, 0x16}), std::string(7, '\x16')},
      {bytes({0x1E, 0x7F}), std::string(8, '\x7F')},
      {bytes({0x7F, 0x20, 0xAC, 0x02}), std::string(300, ' ')},
      {bytes({0x7F, 0x20, 0x00}), ""},                     // a zero count gives nothing
      {bytes({0x7F, 0x20, 0x80, 0x80, 0x00}), ""},         // over-long zero
      {bytes({0x7F, 0x20, 0x81, 0x80, 0x80, 0x00}), " "},  // over-long one
      {"plain text\r\n", "plain text\r\n"},
  };
  for (const auto& c : cases) {
    const DecodeResult r = rleExpand(c.in);
    ASSERT_TRUE(r.ok()) << r.message;
    EXPECT_EQ(r.bytes, c.out);
  }
}

TEST(RleExpand, RefusesTruncatedAndHugeCodes) {
  struct Case {
    std::string in;
    std::string_view message;
  };
  const std::string truncated = "Ошибка RLE-распаковки: текст обрывается внутри кода.";
  const std::string huge = "Ошибка RLE-распаковки: распакованный текст превысил бы 256 МБ.";
  const std::vector<Case> cases = {
      {bytes({0x16}), truncated},
      {bytes({'A', 0x17}), truncated},
      {bytes({0x1E}), truncated},
      {bytes({0x7F}), truncated},
      {bytes({0x7F, 0x41}), truncated},
      {bytes({0x7F, 0x41, 0x80}), truncated},
      {bytes({0x7F, 0x41, 0xFF, 0xFF}), truncated},
      // 256 MiB + 1 in one code (2^28 + 1 = 81 80 80 80 01).
      {bytes({0x7F, 0x41, 0x81, 0x80, 0x80, 0x80, 0x01}), huge},
      // A count far beyond 64 bits.
      {bytes({0x7F, 0x41, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0x7F}), huge},
      // Two codes of 128 MiB each plus one byte.
      {bytes({0x7F, 0x41, 0x80, 0x80, 0x80, 0x40, 0x7F, 0x42, 0x80, 0x80, 0x80, 0x40, 0x43, 0x19, 0x43}), huge},
  };
  for (const auto& c : cases) {
    const DecodeResult r = rleExpand(c.in);
    EXPECT_FALSE(r.ok());
    EXPECT_EQ(r.message, c.message);
  }
}

TEST(RleExpand, ExactlyAtTheLimit) {
  // 2^28 = 80 80 80 80 01: exactly 256 MiB is still allowed.
  const DecodeResult r = rleExpand(bytes({0x7F, 0x41, 0x80, 0x80, 0x80, 0x80, 0x01}));
  ASSERT_TRUE(r.ok()) << r.message;
  EXPECT_EQ(r.bytes.size(), kRleMaxExpanded);
}

TEST(RleExpand, LowerLimitCountsRepeatsOnly) {
  struct Case {
    std::string in;
    std::size_t limit;
    bool ok;
  };
  const std::vector<Case> cases = {
      {bytes({0x17, 0x41}), 4, true},
      {bytes({0x17, 0x41}), 3, false},
      {bytes({0x7F, 0x41, 0x05}), 5, true},
      {bytes({0x7F, 0x41, 0x06}), 5, false},
      {"AAAAAAAA", 2, true},  // plain bytes are never refused
      {"AB" + bytes({0x16, 0x43}), 5, true},
      {"AB" + bytes({0x16, 0x43}), 4, false},
      {"ABCDE" + bytes({0x19, 0x7F}), 4, false},
      {bytes({0x7F, 0x41, 0x00}), 0, true},
  };
  for (const auto& c : cases) {
    const DecodeResult r = rleExpand(c.in, c.limit);
    EXPECT_EQ(r.ok(), c.ok) << c.limit;
    if (!c.ok) {
      EXPECT_EQ(r.message, kRleTooLargeMessage);
    }
  }
}

// ---------------------------------------------------------------- Hex

TEST(HexEncode, Table) {
  struct Case {
    std::string in;
    std::string out;
  };
  const std::vector<Case> cases = {
      {"", ""},
      {bytes({0xC4, 0xE0}), "C4E0"},
      {"\r\n", "0D0A"},
      {bytes({0x00, 0x0F, 0xF0, 0xFF}), "000FF0FF"},
      {"AZ", "415A"},
  };
  for (const auto& c : cases) EXPECT_EQ(hexEncode(c.in), c.out);
}

TEST(HexDecode, Table) {
  struct Case {
    std::string in;
    bool ok;
    std::string out;
  };
  const std::vector<Case> cases = {
      {"", true, ""},
      {"c4e0", true, bytes({0xC4, 0xE0})},
      {"C4E0", true, bytes({0xC4, 0xE0})},
      {"c4E0", true, bytes({0xC4, 0xE0})},
      {"0D0A", true, "\r\n"},
      {"00ff", true, bytes({0x00, 0xFF})},
      {"C4E", false, ""},
      {"C", false, ""},
      {"C4 E0", false, ""},
      {"C4E0\r\n", false, ""},
      {"G0", false, ""},
      {"0x41", false, ""},
      {"4g", false, ""},
      {"\xC4\xE0", false, ""},
      {"41"s + '\0' + "1", false, ""},
  };
  for (const auto& c : cases) {
    const DecodeResult r = hexDecode(c.in);
    EXPECT_EQ(r.ok(), c.ok) << c.in;
    if (c.ok) {
      EXPECT_EQ(r.bytes, c.out) << c.in;
    } else {
      EXPECT_EQ(r.message, "Ошибка при преобразовании строки шестнадцатеричных кодов в в строку символов.");
      EXPECT_TRUE(r.bytes.empty());
    }
  }
}

// ---------------------------------------------------------------- Round trips

// Random byte strings: every byte value, with runs of all lengths around the
// code boundaries, and special bytes among them.
std::vector<std::string> randomSamples() {
  std::mt19937 rng(20240607);
  std::vector<std::string> samples = {"", allBytes(), allBytes() + allBytes()};
  std::string runs;
  for (int len = 1; len <= 140; ++len) {
    for (int b : {0x41, 0x16, 0x17, 0x19, 0x7F, 0x00, 0xFF}) runs.append(static_cast<std::size_t>(len), static_cast<char>(b));
  }
  samples.push_back(runs);
  for (int k = 0; k < 300; ++k) {
    std::string s;
    const std::size_t n = rng() % 600;
    while (s.size() < n) {
      const char b = static_cast<char>(rng() % 256);
      const std::size_t run = (rng() % 4 == 0) ? rng() % 300 : 1 + rng() % 3;
      s.append(run, b);
    }
    samples.push_back(s);
  }
  return samples;
}

TEST(Base64DecodeStrict, EveryForeignCharacterAnywhereIsRefused) {
  const std::string alphabet = "ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz0123456789+/=";
  // Whole groups, the padded last groups, and a padded group after a whole one.
  const std::vector<std::string> valid = {"QUJD", "QUI=", "QQ==", "QUJDQUI=", "QUJDQQ=="};
  for (const auto& v : valid) {
    ASSERT_TRUE(base64DecodeStrict(v).ok()) << v;
    for (int c = 0; c < 256; ++c) {
      if (alphabet.find(static_cast<char>(c)) != std::string::npos) continue;
      for (std::size_t pos = 0; pos < v.size(); ++pos) {
        std::string t = v;
        t[pos] = static_cast<char>(c);
        EXPECT_FALSE(base64DecodeStrict(t).ok()) << v << " with byte " << c << " at " << pos;
      }
    }
    // "=" in a group before the last one, or in the first half of any group.
    for (std::size_t pos = 0; pos < v.size(); ++pos) {
      if (pos + 4 >= v.size() && pos % 4 >= 2) continue;
      std::string t = v;
      t[pos] = '=';
      EXPECT_FALSE(base64DecodeStrict(t).ok()) << t;
    }
  }
}

TEST(RoundTrip, Base64Strict) {
  for (const auto& s : randomSamples()) {
    const DecodeResult r = base64DecodeStrict(base64Encode(s));
    ASSERT_TRUE(r.ok());
    EXPECT_EQ(r.bytes, s);
  }
}

TEST(RoundTrip, MimeWrappedLines) {
  // Base64 wrapped at 76 characters per line, as mail does, reads back.
  for (const auto& s : randomSamples()) {
    const std::string flat = base64Encode(s);
    std::string wrapped;
    for (std::size_t i = 0; i < flat.size(); i += 76) wrapped += flat.substr(i, 76) + "\r\n";
    EXPECT_EQ(base64DecodeLenient(wrapped), s);
    EXPECT_EQ(base64DecodeLenient(flat), s);
  }
}

TEST(RoundTrip, Rle) {
  for (const auto& s : randomSamples()) {
    const std::string code = rleCompress(s);
    const DecodeResult r = rleExpand(code);
    ASSERT_TRUE(r.ok()) << r.message;
    EXPECT_EQ(r.bytes, s);
  }
}

TEST(RoundTrip, Hex) {
  for (const auto& s : randomSamples()) {
    const std::string hex = hexEncode(s);
    EXPECT_EQ(hex.size(), 2 * s.size());
    const DecodeResult r = hexDecode(hex);
    ASSERT_TRUE(r.ok());
    EXPECT_EQ(r.bytes, s);
  }
}

TEST(RoundTrip, LargeInputsStayLinear) {
  // 16 MB through every codec; quadratic work would not finish.
  std::string big;
  std::mt19937 rng(7);
  big.reserve(16u << 20);
  while (big.size() < (16u << 20)) big.append(1 + rng() % 20, static_cast<char>(rng() % 256));
  EXPECT_EQ(base64DecodeStrict(base64Encode(big)).bytes, big);
  EXPECT_EQ(base64DecodeLenient(base64Encode(big)), big);
  EXPECT_EQ(rleExpand(rleCompress(big)).bytes, big);
  EXPECT_EQ(hexDecode(hexEncode(big)).bytes, big);
}

}  // namespace
}  // namespace kiv
