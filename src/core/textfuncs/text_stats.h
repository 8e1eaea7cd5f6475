#pragma once
// "Статистика": character and word counts of the working text and the lines
// the command appends to the information console.

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace kiv {

struct TextStats {
  std::uint64_t charsWithSpaces = 0;  // every byte except CR and LF
  std::uint64_t charsOnly = 0;        // ... and except spaces (tabs count)
  std::uint64_t words = 0;            // maximal runs of non-delimiters
};

// Word delimiters: LF, CR, space and ! " # $ % & ( ) * + , - . / : ; < = > ?
// @ [ \ ] ^ _ ` { | } ~. Every other byte (tab, apostrophe, digits, bytes
// 128..255) belongs to a word.
bool isStatsDelimiter(unsigned char c);

TextStats computeTextStats(std::string_view text);

// The console lines (UTF-8, without the console's "con> " prefix), in order.
// The file-date line comes only when hasFile is set; fileTimeText is the
// file's modification time already formatted by the interface (short date,
// one space, long time).
std::vector<std::string> statisticsConsoleLines(std::string_view text, bool hasFile,
                                                std::string_view fileTimeText);

}  // namespace kiv
