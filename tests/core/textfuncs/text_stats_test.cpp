#include "core/textfuncs/text_stats.h"

#include <gtest/gtest.h>

#include "win1251.h"

namespace {

using namespace kiv;

TEST(TextStats, Counts) {
  const struct {
    std::string text;
    std::uint64_t withSpaces, only, words;
  } cases[] = {
      {w("Привет, мир!\r\n"), 12, 11, 2},
      {"a b\r\nc\r\n", 4, 3, 3},
      {"don't", 5, 5, 1},
      {"e-mail", 6, 6, 2},
      {"a\tb", 3, 3, 1},  // a tab is part of a word
      {"x_y@z", 5, 5, 3},
      {"   ", 3, 0, 0},
      {"", 0, 0, 0},
      {"\r\n\r\n", 0, 0, 0},
      {"\xAB" "a\xBB", 3, 3, 1},  // bytes 128..255 belong to words
      {"#1 $2 %3 &4", 11, 8, 4},
      {"a~b`c{d}e|f", 11, 11, 6},
      {"1.5", 3, 3, 2},
  };
  for (const auto& c : cases) {
    const TextStats s = computeTextStats(c.text);
    EXPECT_EQ(s.charsWithSpaces, c.withSpaces) << c.text;
    EXPECT_EQ(s.charsOnly, c.only) << c.text;
    EXPECT_EQ(s.words, c.words) << c.text;
  }
}

TEST(TextStats, DelimiterSet) {
  const std::string delimiters = "\n\r !\"#$%&()*+,-./:;<=>?@[\\]^_{|}~`";
  for (int b = 0; b < 256; ++b) {
    const bool expected = delimiters.find(static_cast<char>(b)) != std::string::npos;
    EXPECT_EQ(isStatsDelimiter(static_cast<unsigned char>(b)), expected) << b;
  }
}

TEST(TextStats, ConsoleLines) {
  const auto withFile = statisticsConsoleLines("a b\r\nc\r\n", true, "01.02.2024 13:05:09");
  const std::vector<std::string> expected = {
      ">>>>>> Begin update data >>>>>>>",
      ">Количество знаков и пробелов: 4",
      ">Количество только знаков: 3",
      ">Количество слов: 3",
      ">Дата и время создания файла: 01.02.2024 13:05:09",
  };
  EXPECT_EQ(withFile, expected);
  const auto noFile = statisticsConsoleLines("a b\r\nc\r\n", false, "ignored");
  EXPECT_EQ(noFile, std::vector<std::string>(expected.begin(), expected.end() - 1));
}

}  // namespace
