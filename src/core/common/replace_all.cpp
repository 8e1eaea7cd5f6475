#include "core/common/replace_all.h"

#include <cstring>
#include <vector>

namespace kiv {

namespace {

// Finds a needle of two or more bytes. The fast path jumps with memchr to
// each candidate first byte and compares the rest; when false starts cost
// more than a few times the distance covered, the search goes on with
// Knuth–Morris–Pratt, so no text makes it slower than linear.
class Searcher {
 public:
  explicit Searcher(std::string_view needle) : needle_(needle) {}

  std::size_t find(std::string_view hay, std::size_t from) {
    const std::size_t m = needle_.size();
    const std::size_t n = hay.size();
    if (from > n || m > n - from) return std::string_view::npos;
    if (m == 0) return from;
    const char* base = hay.data();
    const std::size_t lastStart = n - m;
    std::size_t pos = from;
    std::size_t work = 0;
    while (pos <= lastStart) {
      const void* hit = std::memchr(base + pos, needle_[0], lastStart - pos + 1);
      if (!hit) return std::string_view::npos;
      pos = static_cast<std::size_t>(static_cast<const char*>(hit) - base);
      if (std::memcmp(base + pos + 1, needle_.data() + 1, m - 1) == 0) return pos;
      ++pos;
      work += m;
      if (work > 4 * (pos - from) + 2 * m) return kmp(hay, pos);
    }
    return std::string_view::npos;
  }

 private:
  std::size_t kmp(std::string_view hay, std::size_t from) {
    const std::size_t m = needle_.size();
    if (fail_.empty()) {
      fail_.assign(m, 0);
      std::size_t k = 0;
      for (std::size_t i = 1; i < m; ++i) {
        while (k > 0 && needle_[i] != needle_[k]) k = fail_[k - 1];
        if (needle_[i] == needle_[k]) ++k;
        fail_[i] = k;
      }
    }
    std::size_t k = 0;
    for (std::size_t i = from; i < hay.size(); ++i) {
      while (k > 0 && hay[i] != needle_[k]) k = fail_[k - 1];
      if (hay[i] == needle_[k]) ++k;
      if (k == m) return i + 1 - m;
    }
    return std::string_view::npos;
  }

  std::string_view needle_;
  std::vector<std::size_t> fail_;
};

std::size_t findWith(Searcher& s, std::string_view hay, std::string_view needle, std::size_t from) {
  if (from > hay.size()) return std::string_view::npos;
  if (needle.size() == 1) {
    const void* hit = std::memchr(hay.data() + from, needle[0], hay.size() - from);
    return hit ? static_cast<std::size_t>(static_cast<const char*>(hit) - hay.data()) : std::string_view::npos;
  }
  return s.find(hay, from);
}

}  // namespace

std::size_t findBytes(std::string_view hay, std::string_view needle, std::size_t from) {
  Searcher s(needle);
  return findWith(s, hay, needle, from);
}

std::string replaceAll(std::string_view text, std::string_view find, std::string_view replacement,
                       std::size_t* count) {
  std::size_t n = 0;
  std::string out;
  if (find.empty()) {
    out.assign(text);
  } else {
    Searcher searcher(find);
    std::size_t pos = findWith(searcher, text, find, 0);
    if (pos == std::string_view::npos) {
      out.assign(text);
    } else {
      if (replacement.size() <= find.size()) out.reserve(text.size());
      else out.reserve(text.size() + text.size() / 8);
      std::size_t start = 0;
      while (pos != std::string_view::npos) {
        out.append(text.data() + start, pos - start);
        out.append(replacement);
        ++n;
        start = pos + find.size();
        pos = findWith(searcher, text, find, start);
      }
      out.append(text.data() + start, text.size() - start);
    }
  }
  if (count) *count = n;
  return out;
}

std::string replaceAll(std::string_view text, std::string_view find, std::string_view replacement) {
  return replaceAll(text, find, replacement, nullptr);
}

std::size_t countOccurrences(std::string_view text, std::string_view find) {
  if (find.empty()) return 0;
  std::size_t count = 0;
  for (std::size_t at = findBytes(text, find, 0); at != std::string_view::npos; at = findBytes(text, find, at + find.size()))
    ++count;
  return count;
}

}  // namespace kiv
