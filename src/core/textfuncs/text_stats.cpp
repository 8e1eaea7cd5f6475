#include "core/textfuncs/text_stats.h"

#include <array>

namespace kiv {

namespace {
const std::array<bool, 256>& statsDelimiters() {
  static const auto table = [] {
    std::array<bool, 256> t{};
    t['\n'] = t['\r'] = t[' '] = true;
    for (unsigned char b : std::string_view("!\"#$%&()*+,-./:;<=>?@[\\]^_{|}~`")) t[b] = true;
    return t;
  }();
  return table;
}
}  // namespace

bool isStatsDelimiter(unsigned char c) { return statsDelimiters()[c]; }

TextStats computeTextStats(std::string_view text) {
  const auto& delimiters = statsDelimiters();
  std::uint64_t breaks = 0, spaces = 0, words = 0;
  unsigned prevDelimiter = 1;
  for (char ch : text) {
    const unsigned char c = static_cast<unsigned char>(ch);
    breaks += (c == '\r') | (c == '\n');
    spaces += c == ' ';
    // A word starts at a non-delimiter after a delimiter (or at the start).
    const unsigned delimiter = delimiters[c];
    words += prevDelimiter & (delimiter ^ 1u);
    prevDelimiter = delimiter;
  }
  TextStats s;
  s.charsWithSpaces = text.size() - breaks;
  s.charsOnly = s.charsWithSpaces - spaces;
  s.words = words;
  return s;
}

std::vector<std::string> statisticsConsoleLines(std::string_view text, bool hasFile,
                                                std::string_view fileTimeText) {
  const TextStats s = computeTextStats(text);
  std::vector<std::string> lines{
      ">>>>>> Begin update data >>>>>>>",
      ">Количество знаков и пробелов: " + std::to_string(s.charsWithSpaces),
      ">Количество только знаков: " + std::to_string(s.charsOnly),
      ">Количество слов: " + std::to_string(s.words),
  };
  if (hasFile) lines.push_back(">Дата и время создания файла: " + std::string(fileTimeText));
  return lines;
}

}  // namespace kiv
