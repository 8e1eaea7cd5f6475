#include "core/textfuncs/scramble.h"

#include <gtest/gtest.h>

#include "win1251.h"

namespace {

using namespace kiv;
using namespace std::string_literals;

TEST(Scramble, KeyIsTheXorOfThePassword) {
  EXPECT_EQ(scrambleKey("a"), 'a');
  EXPECT_EQ(scrambleKey("ab"), 'a' ^ 'b');
  EXPECT_EQ(scrambleKey("aa"), 0);
  EXPECT_EQ(scrambleKey(""), 0);
}

TEST(Scramble, ByteExact) {
  const auto r = scrambleText("AC\x80\r\n", "B");
  ASSERT_TRUE(r.ok());
  EXPECT_EQ(r.value, "\x03\x01\xC2\r\n"s);
}

TEST(Scramble, PasswordOrderDoesNotMatter) {
  const std::string text = w("Секретный текст, line two");
  const struct {
    const char* p1;
    const char* p2;
  } pairs[] = {{"ab", "ba"}, {"abc", "cba"}, {"abc", "bca"}};
  for (const auto& p : pairs) {
    const auto a = scrambleText(text, p.p1), b = scrambleText(text, p.p2);
    ASSERT_TRUE(a.ok());
    ASSERT_TRUE(b.ok());
    EXPECT_EQ(a.value, b.value);
  }
}

TEST(Scramble, RoundTrips) {
  const struct {
    std::string text, password;
  } cases[] = {
      {w("Привет, мир!"), "x"},
      {w("Строка один\r\nстрока два\r\n"), w("пароль")},  // whole text: final CR LF kept
      {"abc\r\n\r\n", "Q"},                                 // selection ending in a CR LF
      {"", "z"},
      {"\r\n", "z"},
      {"tab\there", "secret"},
  };
  for (const auto& c : cases) {
    const auto enc = scrambleText(c.text, c.password);
    ASSERT_TRUE(enc.ok()) << c.text << " " << enc.error;
    const std::size_t body = enc.value.size() >= 2 && enc.value.ends_with("\r\n") ? enc.value.size() - 2 : enc.value.size();
    for (std::size_t i = 0; i < body; ++i) {
      ASSERT_NE(enc.value[i], '\0');
      ASSERT_NE(enc.value[i], '\r');
      ASSERT_NE(enc.value[i], '\n');
    }
    EXPECT_EQ(enc.value.ends_with("\r\n"), c.text.ends_with("\r\n"));
    const auto dec = unscrambleText(enc.value, c.password);
    ASSERT_TRUE(dec.ok()) << dec.error;
    EXPECT_EQ(dec.value, c.text);
  }
}

TEST(Scramble, EveryKeyRoundTripsOrRefuses) {
  std::string all;
  for (int b = 1; b < 256; ++b)
    if (b != '\r' && b != '\n') all += static_cast<char>(b);
  for (int k = 1; k < 256; ++k) {
    const std::string password(1, static_cast<char>(k));
    // Any text holding k, k^CR or k^LF is refused...
    EXPECT_FALSE(scrambleText(all, password).ok()) << k;
    // ... and without them every other byte goes there and back.
    std::string safe;
    for (char c : all) {
      const auto u = static_cast<unsigned char>(c);
      if (u != k && u != (k ^ '\r') && u != (k ^ '\n')) safe += c;
    }
    safe = safe + "\r\n" + safe + "\r\n";
    if (k == '\r' || k == '\n' || k == ('\r' ^ '\n')) continue;  // the inner CR LF itself is refused
    const auto enc = scrambleText(safe, password);
    ASSERT_TRUE(enc.ok()) << k;
    const auto dec = unscrambleText(enc.value, password);
    ASSERT_TRUE(dec.ok()) << k;
    ASSERT_EQ(dec.value, safe);
  }
}

TEST(Scramble, Refusals) {
  const std::string empty = "Пароль не может быть пустой строкой";
  EXPECT_EQ(scrambleText("abc", "").error, empty);
  EXPECT_EQ(unscrambleText("abc", "").error, empty);
  // A password whose bytes cancel out would change nothing.
  for (const char* p : {"aa", "abab", "\x01\x01"}) {
    EXPECT_FALSE(scrambleText("abc", p).ok()) << p;
    EXPECT_FALSE(unscrambleText("abc", p).ok()) << p;
  }
  // 'a' ^ 'a' = 0, ('a' ^ 'l') = CR, ('a' ^ 'k') = LF.
  for (const char* text : {"xa", "l", "k y"}) {
    const auto r = scrambleText(text, "a");
    EXPECT_FALSE(r.ok()) << text;
    EXPECT_TRUE(r.value.empty());
  }
  // Decoding must not make a zero byte or a lone line break.
  for (const char* text : {"a", "l", "k", "kx", "xl"}) EXPECT_FALSE(unscrambleText(text, "a").ok()) << text;
  // A CR LF pair is what unscrambling a scrambled line break gives.
  const auto pair = unscrambleText("lk", "a");
  ASSERT_TRUE(pair.ok());
  EXPECT_EQ(pair.value, "\r\n");
}

}  // namespace
