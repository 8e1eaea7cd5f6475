#include "core/textfuncs/line_sort.h"

#include <algorithm>
#include <array>
#include <cstdint>
#include <numeric>

#include "core/common/regional.h"
#include "core/common/text_lines.h"
#include "core/textfuncs/case1251_full.h"

namespace kiv {

namespace {

// Weight of every byte in the program's order; capitals and small letters
// share a weight. Weights start at 1 so that a zero can pad short keys.
struct Weights {
  std::array<unsigned char, 256> w{};
  Weights() {
    const auto& up = fullUpperTable1251();
    const auto& low = fullLowerTable1251();
    auto isLetter = [&](int b) { return up[b] != b || low[b] != b; };
    int next = 1;
    auto give = [&](int b) {
      w[b] = static_cast<unsigned char>(next);
      w[low[b]] = static_cast<unsigned char>(next);
      ++next;
    };
    for (int b = 0; b < 32; ++b) give(b);
    give(127);
    for (int b = 32; b < 127; ++b)
      if (!(b >= '0' && b <= '9') && !(b >= 'A' && b <= 'Z') && !(b >= 'a' && b <= 'z')) give(b);
    for (int b = 128; b < 256; ++b)
      if (!isLetter(b)) give(b);
    for (int b = '0'; b <= '9'; ++b) give(b);
    for (int b = 'A'; b <= 'Z'; ++b) give(b);
    // Cyrillic capitals in alphabetical order; the letters of the other
    // Cyrillic alphabets stand after their nearest Russian letter.
    static constexpr unsigned char kCyrillic[] = {
        0xC0, 0xC1, 0xC2, 0xC3, 0xA5, 0x81, 0xC4, 0x80, 0xC5, 0xA8, 0xAA, 0xC6,
        0xC7, 0xBD, 0xC8, 0xB2, 0xAF, 0xC9, 0xA3, 0xCA, 0x8D, 0xCB, 0x8A, 0xCC,
        0xCD, 0x8C, 0xCE, 0xCF, 0xD0, 0xD1, 0xD2, 0x8E, 0xD3, 0xA1, 0xD4, 0xD5,
        0xD6, 0xD7, 0x8F, 0xD8, 0xD9, 0xDA, 0xDB, 0xDC, 0xDD, 0xDE, 0xDF,
    };
    for (unsigned char b : kCyrillic) give(b);
  }
};

const std::array<unsigned char, 256>& weights() {
  static const Weights w;
  return w.w;
}

// The first eight weights, big-endian, zero-padded: comparing two of these
// as integers compares the first eight bytes of the keys.
std::uint64_t keyPrefix(std::string_view s, const std::array<unsigned char, 256>& w) {
  std::uint64_t p = 0;
  const std::size_t n = std::min<std::size_t>(s.size(), 8);
  for (std::size_t i = 0; i < 8; ++i) {
    p <<= 8;
    if (i < n) p |= w[static_cast<unsigned char>(s[i])];
  }
  return p;
}

struct Item {
  std::uint64_t prefix;
  const char* data;
  std::size_t size;
  std::size_t index;
};

// Indices of `items` in ascending order, equal items by original index.
template <typename Str>
std::vector<std::size_t> orderOf(const std::vector<Str>& items, const CaseInsensitiveOrder& by) {
  std::vector<std::size_t> order;
  if (by.order) {
    std::vector<std::string_view> views(items.begin(), items.end());
    order = by.order(views);
    // A broken order function must not lose or repeat lines.
    std::vector<char> seen(items.size(), 0);
    bool whole = order.size() == items.size();
    for (std::size_t i = 0; whole && i < order.size(); ++i) {
      whole = order[i] < items.size() && !seen[order[i]];
      if (whole) seen[order[i]] = 1;
    }
    if (whole) return order;
    order.clear();
  }
  if (const auto& compare = by.compare) {
    // A merge sort: stable, and it stays within bounds even should the
    // locale's comparison not be a consistent ordering.
    order.resize(items.size());
    std::iota(order.begin(), order.end(), std::size_t{0});
    std::stable_sort(order.begin(), order.end(), [&](std::size_t a, std::size_t b) {
      return compare(std::string_view(items[a]), std::string_view(items[b])) < 0;
    });
    return order;
  }
  const auto& w = weights();
  std::vector<Item> keyed;
  keyed.reserve(items.size());
  for (std::size_t i = 0; i < items.size(); ++i)
    keyed.push_back(Item{keyPrefix(items[i], w), items[i].data(), items[i].size(), i});
  std::sort(keyed.begin(), keyed.end(), [&w](const Item& a, const Item& b) {
    if (a.prefix != b.prefix) return a.prefix < b.prefix;
    // Equal prefixes: the first min(size, 8) bytes match and either both
    // sizes are at least 8 or the sizes are equal.
    const std::size_t n = std::min(a.size, b.size);
    for (std::size_t i = 8; i < n; ++i) {
      const unsigned char x = w[static_cast<unsigned char>(a.data[i])];
      const unsigned char y = w[static_cast<unsigned char>(b.data[i])];
      if (x != y) return x < y;
    }
    if (a.size != b.size) return a.size < b.size;
    return a.index < b.index;
  });
  order.reserve(keyed.size());
  for (const auto& k : keyed) order.push_back(k.index);
  return order;
}

std::vector<std::string> sortedAscending(std::vector<std::string> items, const CaseInsensitiveOrder& by) {
  const auto order = orderOf(items, by);
  std::vector<std::string> out;
  out.reserve(items.size());
  for (std::size_t i : order) out.push_back(std::move(items[i]));
  return out;
}

}  // namespace

int compare1251IgnoreCase(std::string_view a, std::string_view b) {
  const auto& w = weights();
  const std::size_t n = std::min(a.size(), b.size());
  for (std::size_t i = 0; i < n; ++i) {
    const int x = w[static_cast<unsigned char>(a[i])];
    const int y = w[static_cast<unsigned char>(b[i])];
    if (x != y) return x < y ? -1 : 1;
  }
  if (a.size() == b.size()) return 0;
  return a.size() < b.size() ? -1 : 1;
}

CaseInsensitiveOrder regionalOrderIgnoreCase() {
  const RegionalFormat& f = regionalFormat();
  return CaseInsensitiveOrder{f.compareIgnoreCase, f.orderIgnoreCase};
}

std::vector<std::string> sortLines(std::vector<std::string> lines, const CaseInsensitiveCompare& compare) {
  return sortedAscending(std::move(lines), CaseInsensitiveOrder{compare, {}});
}

std::vector<std::string> sortLines(std::vector<std::string> lines, const CaseInsensitiveOrder& order) {
  return sortedAscending(std::move(lines), order);
}

std::vector<std::string> reverseSortLines(std::vector<std::string> lines, const CaseInsensitiveCompare& compare) {
  return reverseSortLines(std::move(lines), CaseInsensitiveOrder{compare, {}});
}

std::vector<std::string> reverseSortLines(std::vector<std::string> lines, const CaseInsensitiveOrder& order) {
  auto out = sortedAscending(std::move(lines), order);
  std::reverse(out.begin(), out.end());
  return out;
}

TextResult sortParagraphs(std::string_view selectedText, std::string_view answer,
                          const CaseInsensitiveCompare& compare) {
  return sortParagraphs(selectedText, answer, CaseInsensitiveOrder{compare, {}});
}

TextResult sortParagraphs(std::string_view selectedText, std::string_view answer,
                          const CaseInsensitiveOrder& order) {
  if (answer.empty()) return TextResult::refused("Значение не задано!");
  const char sep = answer.front();
  std::vector<std::string_view> fragments;
  std::size_t start = 0;
  for (std::size_t i = 0; i < selectedText.size(); ++i) {
    if (selectedText[i] != sep) continue;
    fragments.push_back(selectedText.substr(start, i - start));
    start = i + 1;
  }
  if (start < selectedText.size()) fragments.push_back(selectedText.substr(start));
  std::string out;
  out.reserve(selectedText.size() + fragments.size() * 2);
  for (std::size_t i : orderOf(fragments, order)) out.append(fragments[i]).append(kCrLf);
  return TextResult::success(std::move(out));
}

}  // namespace kiv
