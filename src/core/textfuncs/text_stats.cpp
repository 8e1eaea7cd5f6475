#include "core/textfuncs/text_stats.h"

#include <array>

namespace kiv {

bool isStatsDelimiter(unsigned char c) {
  static const auto table = [] {
    std::array<bool, 256> t{};
    t['\n'] = t['\r'] = t[' '] = true;
    for (unsigned char b : std::string_view("!\"#$%&()*+,-./:;<=>?@[\\]^_{|}~`")) t[b] = true;
    return t;
  }();
  return table[c];
}

TextStats computeTextStats(std::string_view text) {
  std::uint64_t breaks = 0, spaces = 0, words = 0;
  bool inWord = false;
  for (char ch : text) {
    const unsigned char c = static_cast<unsigned char>(ch);
    if (c == '\r' || c == '\n') ++breaks;
    else if (c == ' ') ++spaces;
    if (isStatsDelimiter(c)) {
      inWord = false;
    } else if (!inWord) {
      inWord = true;
      ++words;
    }
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
