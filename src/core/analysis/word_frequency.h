#pragma once
// The universal text analyzer's word count: words of a Windows-1251 text,
// compared without regard to case (the full Windows-1251 tables), counted in
// one pass through a hash table and listed by falling count, words of equal
// count in the order of their first occurrence.
//
// Word delimiters are the bytes 00-20 and ! " ( ) * + , - . / : ; < = > ? [
// \ ] ^ { | }; every other byte belongs to words. A word longer than 255
// bytes counts by its first 255 bytes.

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "core/common/regional.h"

namespace kiv {

class WorkerControl;

struct WordCount {
  std::string word;  // lower case, at most kMaxWordBytes
  std::int64_t count = 0;
  bool operator==(const WordCount&) const = default;
};

inline constexpr std::size_t kMaxWordBytes = 255;

bool isWordDelimiter(unsigned char c);

struct WordFrequency {
  std::int64_t total = 0;        // words counted
  std::vector<WordCount> words;  // distinct words, in order of first occurrence until sorted
  bool stopped = false;          // the control asked to stop: incomplete
};

// Counts the words of `text`. With a control, looks at it every few
// thousand words: a pause waits there, a stop ends the count (stopped set).
WordFrequency countWords(std::string_view text, WorkerControl* control = nullptr);
// By falling count; equal counts keep their order (a stable sort).
void sortWordCounts(WordFrequency& counted);

// The report's summary in UTF-8, from the total to the heading of the
// frequency list (total, distinct, their ratio, the average word length, an
// empty line, the heading). A text without words reports 0 for the ratio
// and the average instead of dividing by zero.
std::vector<std::string> analyzerSummaryLines(const WordFrequency& counted, const RegionalFormat& format);

// "Время вычисления: " + the elapsed time as a time of day in the long time
// format.
std::string elapsedTimeLine(std::int64_t elapsedMs, const RegionalFormat& format);

// One frequency line in Windows-1251: the word, four spaces, the count.
std::string frequencyLine(const WordCount& w);

}  // namespace kiv
