// The analyzer's word count and report: delimiters, case, order of equal
// counts, long words, empty texts, stop and pause.

#include <gtest/gtest.h>

#include <thread>

#include "core/analysis/word_frequency.h"
#include "core/charsets/cp1251_literal.h"
#include "core/common/worker_control.h"

using namespace kiv;

namespace {
std::string w(std::string_view utf8) { return cp1251(utf8); }

WordFrequency sorted(std::string_view text) {
  WordFrequency f = countWords(text);
  sortWordCounts(f);
  return f;
}

std::vector<WordCount> list(std::initializer_list<std::pair<const char*, int>> items) {
  std::vector<WordCount> out;
  for (const auto& [word, n] : items) out.push_back({w(word), n});
  return out;
}
}  // namespace

TEST(WordFrequency, CountsWords) {
  struct Case {
    const char* text;
    std::int64_t total;
    std::vector<WordCount> words;
  };
  const Case cases[] = {
      {"Мама мыла раму, мама!", 4, list({{"мама", 2}, {"мыла", 1}, {"раму", 1}})},
      {"a-b", 2, list({{"a", 1}, {"b", 1}})},
      {"don't", 1, list({{"don't", 1}})},
      {"3.14", 2, list({{"3", 1}, {"14", 1}})},
      {"one two\r\nthree\r\n", 3, list({{"one", 1}, {"two", 1}, {"three", 1}})},
      {"b a b a c", 5, list({{"b", 2}, {"a", 2}, {"c", 1}})},  // ties keep first occurrence
      {"x#y$z%&@_~`", 1, list({{"x#y$z%&@_~`", 1}})},
      {"Ёж ЁЖ ёж", 3, list({{"ёж", 3}})},
      {"Ђак ђак", 2, list({{"ђак", 2}})},                        // the full case tables
      {" ,.;!? ", 0, {}},
      {"", 0, {}},
      {"a\tb\x01" "c{d}e|f^g[h]i\\j", 10,
       list({{"a", 1}, {"b", 1}, {"c", 1}, {"d", 1}, {"e", 1}, {"f", 1}, {"g", 1}, {"h", 1}, {"i", 1}, {"j", 1}})},
  };
  for (const auto& c : cases) {
    const WordFrequency f = sorted(w(c.text));
    EXPECT_EQ(f.total, c.total) << c.text;
    EXPECT_EQ(f.words, c.words) << c.text;
    EXPECT_FALSE(f.stopped);
  }
}

TEST(WordFrequency, DelimiterSet) {
  int count = 0;
  for (int c = 0; c < 256; ++c) count += isWordDelimiter(static_cast<unsigned char>(c));
  EXPECT_EQ(count, 56);
  for (unsigned char c : std::string_view("'#$%&@_~`0aZ\x7F\x80\xFF")) EXPECT_FALSE(isWordDelimiter(c)) << int(c);
}

TEST(WordFrequency, LongWordsCountByTheirFirst255Bytes) {
  const std::string a(300, 'a');
  const std::string b = std::string(255, 'a') + "bbb";
  const std::string c(255, 'a');
  const WordFrequency f = sorted(a + " " + b + " " + c + " " + std::string(254, 'a'));
  EXPECT_EQ(f.total, 4);
  ASSERT_EQ(f.words.size(), 2u);
  EXPECT_EQ(f.words[0].word, c);
  EXPECT_EQ(f.words[0].count, 3);
  EXPECT_EQ(f.words[1].word.size(), 254u);
}

TEST(WordFrequency, ManyDistinctWordsInStableOrder) {
  std::string text;
  for (int i = 0; i < 50000; ++i) text += "w" + std::to_string(i) + " ";
  text += "w49999 w7";
  const WordFrequency f = sorted(text);
  EXPECT_EQ(f.total, 50002);
  ASSERT_EQ(f.words.size(), 50000u);
  EXPECT_EQ(f.words[0].word, "w7");  // first occurrence earlier than w49999's
  EXPECT_EQ(f.words[1].word, "w49999");
  EXPECT_EQ(f.words[2].word, "w0");
  EXPECT_EQ(f.words.back().word, "w49998");
}

TEST(WordFrequency, SummaryLines) {
  const RegionalFormat ru = russianRegionalFormat();
  const auto lines = analyzerSummaryLines(countWords(w("Мама мыла раму, мама!")), ru);
  const std::vector<std::string> expected = {
      "Общее ко-вол слов: 4",
      "Кол-во уникальных слов: 3",
      "Отношение уникальных к общему: 0,75",
      "Средняя длина слова /общ.4",
      "",
      "Вывод результатов частотной статистики:",
  };
  EXPECT_EQ(lines, expected);
  const auto none = analyzerSummaryLines(countWords(" ,. "), ru);
  EXPECT_EQ(none[0], "Общее ко-вол слов: 0");
  EXPECT_EQ(none[2], "Отношение уникальных к общему: 0");
  EXPECT_EQ(none[3], "Средняя длина слова /общ.0");
  EXPECT_EQ(frequencyLine({w("мама"), 2}), w("мама") + "    2");
}

TEST(WordFrequency, ElapsedTime) {
  RegionalFormat f = russianRegionalFormat();
  f.longTimePattern = "H:mm:ss";
  EXPECT_EQ(elapsedTimeLine(2000, f), "Время вычисления: 0:00:02");
  EXPECT_EQ(elapsedTimeLine(3723000, f), "Время вычисления: 1:02:03");
  EXPECT_EQ(elapsedTimeLine(-5, f), "Время вычисления: 0:00:00");
}

TEST(WordFrequency, StopEndsTheCount) {
  std::string text;
  for (int i = 0; i < 100000; ++i) text += "word ";
  WorkerControl control;
  control.requestStop();
  const WordFrequency f = countWords(text, &control);
  EXPECT_TRUE(f.stopped);
  EXPECT_LT(f.total, 100000);
}

TEST(WordFrequency, PauseWaitsAndStopEndsThePause) {
  std::string text;
  for (int i = 0; i < 100000; ++i) text += "word ";
  WorkerControl control;
  control.pause();
  WordFrequency f;
  std::thread worker([&] { f = countWords(text, &control); });
  std::this_thread::sleep_for(std::chrono::milliseconds(50));
  control.requestStop();
  worker.join();
  EXPECT_TRUE(f.stopped);

  WorkerControl resumed;
  resumed.pause();
  std::thread second([&] { f = countWords(text, &resumed); });
  std::this_thread::sleep_for(std::chrono::milliseconds(20));
  resumed.resume();
  second.join();
  EXPECT_FALSE(f.stopped);
  EXPECT_EQ(f.total, 100000);
}
