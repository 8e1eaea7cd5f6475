#include "core/common/replace_all.h"

#include <gtest/gtest.h>

#include <chrono>

#include "test_util.h"

namespace kiv {
namespace {

TEST(ReplaceAll, Table) {
  using namespace std::string_literals;
  const struct {
    const char* what;
    std::string text, find, repl, expected;
    std::size_t count;
  } cases[] = {
      {"empty find changes nothing", "abc", "", "X", "abc", 0},
      {"empty text", "", "a", "X", "", 0},
      {"no occurrence", "abc", "d", "X", "abc", 0},
      {"find longer than text", "ab", "abc", "X", "ab", 0},
      {"whole text", "abc", "abc", "", "", 1},
      {"every occurrence", "a-a-a", "a", "bb", "bb-bb-bb", 3},
      {"no overlap, left to right", "aaa", "aa", "X", "Xa", 1},
      {"adjacent occurrences", "abab", "ab", "X", "XX", 2},
      {"replacement not scanned again", "a", "a", "aa", "aa", 1},
      {"replacement forms a new match with what follows", "aab", "ab", "a", "aa", 1},
      {"deletion", "x--y--z", "--", "", "xyz", 2},
      {"case-sensitive", "Aa", "a", "X", "AX", 1},
      {"Windows-1251 case is not folded", test::win("Ёж ёж"), test::win("ёж"), "X", test::win("Ёж X"), 1},
      {"zero bytes are ordinary", "a\0b\0"s, "\0"s, "0", "a0b0", 2},
      {"CR LF", "a\r\nb\r\n", "\r\n", "\n", "a\nb\n", 2},
      {"occurrence at the end", "xyzab", "ab", "!", "xyz!", 1},
      {"many false starts before a match", std::string(50, 'a') + "b" + std::string(50, 'a') + "b", "aaab", "X",
       std::string(47, 'a') + "X" + std::string(47, 'a') + "X", 2},
      {"periodic needle", "abababababac", "ababac", "X", "abababX", 1},
  };
  for (const auto& c : cases) {
    std::size_t n = 99;
    EXPECT_EQ(replaceAll(c.text, c.find, c.repl, &n), c.expected) << c.what;
    EXPECT_EQ(n, c.count) << c.what;
    EXPECT_EQ(replaceAll(c.text, c.find, c.repl), c.expected) << c.what;
  }
}

TEST(FindBytes, Boundaries) {
  EXPECT_EQ(findBytes("abcabc", "c", 3), 5u);
  EXPECT_EQ(findBytes("abcabc", "bc", 2), 4u);
  EXPECT_EQ(findBytes("abc", "", 1), 1u);
  EXPECT_EQ(findBytes("abc", "a", 4), std::string_view::npos);
  EXPECT_EQ(findBytes("abc", "abcd"), std::string_view::npos);
}

// A search that restarts character by character would take minutes here.
TEST(ReplaceAll, LinearOnAdversarialText) {
  const std::string text(16u << 20, 'a');
  const std::string find = std::string(4000, 'a') + "b";
  const auto t0 = std::chrono::steady_clock::now();
  EXPECT_EQ(replaceAll(text, find, "X").size(), text.size());
  const std::string many = replaceAll(text, "aa", "b");
  EXPECT_EQ(many.size(), text.size() / 2);
  // Near misses everywhere: every "aaa…ab" candidate fails on its last byte.
  std::string blocks;
  const std::string block = std::string(999, 'a') + "c";
  while (blocks.size() < (8u << 20)) blocks += block;
  EXPECT_EQ(replaceAll(blocks, std::string(999, 'a') + "b", "X"), blocks);
  EXPECT_EQ(findBytes(blocks + "ab", "ab"), blocks.size());
  const double seconds = std::chrono::duration<double>(std::chrono::steady_clock::now() - t0).count();
  EXPECT_LT(seconds, 20.0);
}

}  // namespace
}  // namespace kiv
