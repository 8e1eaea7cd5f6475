#include "core/search/replace_pairs.h"

#include <algorithm>
#include <array>
#include <cstdint>
#include <map>

#include "core/common/replace_all.h"

namespace kiv {

ReplacePair parseReplacePair(std::string_view line) {
  const std::size_t eq = line.find('=');
  if (eq == std::string_view::npos) return {};
  return {std::string(line.substr(0, eq)), std::string(line.substr(eq + 1))};
}

std::vector<ReplacePair> parseReplacePairs(std::string_view listText) {
  std::vector<ReplacePair> pairs;
  std::size_t start = 0;
  while (start < listText.size()) {
    std::size_t end = listText.find_first_of("\r\n", start);
    if (end == std::string_view::npos) end = listText.size();
    pairs.push_back(parseReplacePair(listText.substr(start, end - start)));
    if (end < listText.size() && listText[end] == '\r' && end + 1 < listText.size() && listText[end + 1] == '\n')
      ++end;
    start = end + 1;
  }
  return pairs;
}

namespace {

// Every find string of the list in one automaton (Aho–Corasick with the
// complete transition table): one scan of a piece tells the first pair
// after a given one whose find string occurs in it.
class PairAutomaton {
 public:
  static constexpr std::size_t kMaxStates = 1 << 16;

  // False when the list is too large for the table.
  bool build(const std::vector<ReplacePair>& pairs) {
    // Bytes that no find string holds share one class: they lead back to
    // the start. The table has a column per class, not per byte.
    classOf_.fill(0);
    classes_ = 1;
    for (const ReplacePair& p : pairs)
      for (unsigned char c : p.find)
        if (classOf_[c] == 0) classOf_[c] = static_cast<std::uint16_t>(classes_++);
    const std::size_t k = classes_;
    next_.assign(k, 0);
    outputs_.assign(1, {});
    for (std::size_t i = 0; i < pairs.size(); ++i) {
      const std::string& f = pairs[i].find;
      if (f.empty()) continue;
      int s = 0;
      for (unsigned char c : f) {
        const std::size_t at = static_cast<std::size_t>(s) * k + classOf_[c];
        if (next_[at] == 0) {
          if (outputs_.size() >= kMaxStates) return false;
          next_[at] = static_cast<int>(outputs_.size());
          outputs_.emplace_back();
          next_.resize(next_.size() + k, 0);
        }
        s = next_[at];
      }
      outputs_[static_cast<std::size_t>(s)].push_back(static_cast<int>(i));
    }
    // Breadth first: failure links, complete transitions, merged outputs.
    std::vector<int> fail(outputs_.size(), 0);
    std::vector<int> queue;
    queue.reserve(outputs_.size());
    for (std::size_t c = 1; c < k; ++c)
      if (int t = next_[c]; t != 0) queue.push_back(t);
    for (std::size_t q = 0; q < queue.size(); ++q) {
      const int s = queue[q];
      const std::size_t base = static_cast<std::size_t>(s) * k;
      const std::size_t fbase = static_cast<std::size_t>(fail[static_cast<std::size_t>(s)]) * k;
      for (std::size_t c = 1; c < k; ++c) {
        int& t = next_[base + c];
        if (t != 0) {
          fail[static_cast<std::size_t>(t)] = next_[fbase + c];
          queue.push_back(t);
        } else {
          t = next_[fbase + c];
        }
      }
      auto& out = outputs_[static_cast<std::size_t>(s)];
      const auto& inherited = outputs_[static_cast<std::size_t>(fail[static_cast<std::size_t>(s)])];
      if (!inherited.empty()) {
        out.insert(out.end(), inherited.begin(), inherited.end());
        std::sort(out.begin(), out.end());
      }
    }
    lastOut_.assign(outputs_.size(), -1);
    for (std::size_t s = 0; s < outputs_.size(); ++s)
      if (!outputs_[s].empty()) lastOut_[s] = outputs_[s].back();
    return true;
  }

  // The smallest pair index above `after` whose find string occurs in the
  // piece, or -1.
  int firstPairAfter(std::string_view piece, int after) const {
    int best = -1;
    std::size_t s = 0;
    const int* next = next_.data();
    const std::size_t k = classes_;
    for (unsigned char c : piece) {
      s = static_cast<std::size_t>(next[s * k + classOf_[c]]);
      if (lastOut_[s] <= after) continue;
      const auto& out = outputs_[s];
      const int found = *std::upper_bound(out.begin(), out.end(), after);
      if (best < 0 || found < best) {
        best = found;
        if (best == after + 1) break;
      }
    }
    return best;
  }

 private:
  std::array<std::uint16_t, 256> classOf_{};
  std::size_t classes_ = 1;
  std::vector<int> next_;
  std::vector<std::vector<int>> outputs_;
  std::vector<int> lastOut_;  // the largest pair index of each state's outputs, or -1
};

std::string applyOneByOne(std::string_view text, const std::vector<ReplacePair>& pairs, std::size_t* replaced) {
  std::string out(text);
  std::size_t total = 0;
  for (const ReplacePair& p : pairs) {
    if (p.find.empty()) continue;
    std::size_t n = 0;
    std::string next = replaceAll(out, p.find, p.replacement, &n);
    if (n == 0) continue;
    total += n;
    out = std::move(next);
  }
  if (replaced) *replaced = total;
  return out;
}

}  // namespace

std::string applyReplacePairs(std::string_view text, const std::vector<ReplacePair>& pairs, std::size_t* replaced) {
  PairAutomaton automaton;
  if (!automaton.build(pairs)) return applyOneByOne(text, pairs, replaced);
  // A byte that no find string holds can end a piece: no occurrence reaches
  // across it, now or after any replacement, since the byte stays in place.
  std::array<bool, 256> inFind{};
  for (const ReplacePair& p : pairs)
    for (unsigned char c : p.find) inFind[c] = true;
  constexpr std::size_t kMinPiece = 1;

  std::string out;
  out.reserve(text.size());
  std::size_t total = 0;
  std::string piece;
  std::size_t pos = 0;
  while (pos < text.size()) {
    std::size_t end = std::min(text.size(), pos + kMinPiece);
    while (end < text.size() && inFind[static_cast<unsigned char>(text[end - 1])]) ++end;
    const std::string_view original = text.substr(pos, end - pos);
    pos = end;
    int k = automaton.firstPairAfter(original, -1);
    if (k < 0) {
      out.append(original);
      continue;
    }
    piece.assign(original);
    while (k >= 0) {
      const ReplacePair& p = pairs[static_cast<std::size_t>(k)];
      std::size_t n = 0;
      piece = replaceAll(piece, p.find, p.replacement, &n);
      total += n;
      k = automaton.firstPairAfter(piece, k);
    }
    out.append(piece);
  }
  if (replaced) *replaced = total;
  return out;
}

}  // namespace kiv
