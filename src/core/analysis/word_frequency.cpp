#include "core/analysis/word_frequency.h"

#include <algorithm>
#include <array>
#include <cstring>

#include "core/common/number_format.h"
#include "core/common/worker_control.h"
#include "core/datetime/date_texts.h"
#include "core/textfuncs/case1251_full.h"

namespace kiv {

namespace {

constexpr std::array<bool, 256> makeDelimiters() {
  std::array<bool, 256> d{};
  for (int c = 0; c <= 0x20; ++c) d[static_cast<std::size_t>(c)] = true;
  for (unsigned char c : std::string_view("!\"()*+,-./:;<=>?[\\]^{|}")) d[c] = true;
  return d;
}
constexpr std::array<bool, 256> kDelimiters = makeDelimiters();

// Open addressing over record indices; the table doubles at half load.
class WordTable {
 public:
  WordTable() { slots_.assign(1024, Slot{}); }

  void add(const unsigned char* word, std::size_t len, std::vector<WordCount>& records) {
    std::uint64_t h = 1469598103934665603ull;
    for (std::size_t i = 0; i < len; ++i) h = (h ^ word[i]) * 1099511628211ull;
    const std::uint32_t tag = static_cast<std::uint32_t>(h >> 32) | 1u;
    std::size_t mask = slots_.size() - 1;
    for (std::size_t at = static_cast<std::size_t>(h) & mask;; at = (at + 1) & mask) {
      Slot& s = slots_[at];
      if (s.index == 0) {
        records.push_back({std::string(reinterpret_cast<const char*>(word), len), 1});
        s.index = static_cast<std::uint32_t>(records.size());
        s.tag = tag;
        if (records.size() * 2 > slots_.size()) grow(records);
        return;
      }
      if (s.tag == tag) {
        WordCount& r = records[s.index - 1];
        if (r.word.size() == len && std::memcmp(r.word.data(), word, len) == 0) {
          ++r.count;
          return;
        }
      }
    }
  }

 private:
  struct Slot {
    std::uint32_t index = 0;  // record index + 1; 0 = empty
    std::uint32_t tag = 0;
  };

  void grow(const std::vector<WordCount>& records) {
    std::vector<Slot> old(slots_.size() * 2);
    old.swap(slots_);
    const std::size_t mask = slots_.size() - 1;
    for (const Slot& s : old) {
      if (s.index == 0) continue;
      const std::string& w = records[s.index - 1].word;
      std::uint64_t h = 1469598103934665603ull;
      for (unsigned char c : w) h = (h ^ c) * 1099511628211ull;
      std::size_t at = static_cast<std::size_t>(h) & mask;
      while (slots_[at].index != 0) at = (at + 1) & mask;
      slots_[at] = s;
    }
  }

  std::vector<Slot> slots_;
};

}  // namespace

bool isWordDelimiter(unsigned char c) { return kDelimiters[c]; }

WordFrequency countWords(std::string_view text, WorkerControl* control) {
  WordFrequency result;
  const auto& lower = fullLowerTable1251();
  WordTable table;
  unsigned char word[kMaxWordBytes];
  const auto* p = reinterpret_cast<const unsigned char*>(text.data());
  const auto* end = p + text.size();
  std::uint32_t sinceCheck = 0;
  while (p < end) {
    while (p < end && kDelimiters[*p]) ++p;
    if (p == end) break;
    std::size_t len = 0;
    for (; p < end && !kDelimiters[*p]; ++p)
      if (len < kMaxWordBytes) word[len++] = lower[*p];
    table.add(word, len, result.words);
    ++result.total;
    if (control && ++sinceCheck == 4096) {
      sinceCheck = 0;
      if (!control->checkpoint()) {
        result.stopped = true;
        return result;
      }
    }
  }
  if (control && !control->checkpoint()) result.stopped = true;
  return result;
}

void sortWordCounts(WordFrequency& counted) {
  std::stable_sort(counted.words.begin(), counted.words.end(),
                   [](const WordCount& a, const WordCount& b) { return a.count > b.count; });
}

std::vector<std::string> analyzerSummaryLines(const WordFrequency& counted, const RegionalFormat& format) {
  std::int64_t letters = 0;
  for (const WordCount& w : counted.words) letters += w.count * static_cast<std::int64_t>(w.word.size());
  const auto distinct = static_cast<std::int64_t>(counted.words.size());
  const long double ratio = counted.total ? static_cast<long double>(distinct) / counted.total : 0.0L;
  const long double average = counted.total ? static_cast<long double>(letters) / counted.total : 0.0L;
  return {
      "Общее ко-вол слов: " + std::to_string(counted.total),
      "Кол-во уникальных слов: " + std::to_string(distinct),
      "Отношение уникальных к общему: " + formatGeneral(ratio, format),
      "Средняя длина слова /общ." + formatGeneral(average, format),
      "",
      "Вывод результатов частотной статистики:",
  };
}

std::string elapsedTimeLine(std::int64_t elapsedMs, const RegionalFormat& format) {
  if (elapsedMs < 0) elapsedMs = 0;
  LocalDateTime t;
  t.hour = static_cast<int>(elapsedMs / 3600000 % 24);
  t.minute = static_cast<int>(elapsedMs / 60000 % 60);
  t.second = static_cast<int>(elapsedMs / 1000 % 60);
  t.millisecond = static_cast<int>(elapsedMs % 1000);
  return "Время вычисления: " + longTimeText(t, format, TextCoding::Utf8);
}

std::string frequencyLine(const WordCount& w) { return w.word + "    " + std::to_string(w.count); }

}  // namespace kiv
