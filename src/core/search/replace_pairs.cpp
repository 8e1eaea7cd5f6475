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
  static constexpr std::size_t kMaxStates = 1 << 14;  // 16 MB of transitions

  // False when the list is too large for the table.
  bool build(const std::vector<ReplacePair>& pairs) {
    next_.assign(256, 0);
    outputs_.assign(1, {});
    std::map<std::string_view, int> stateOf;
    for (std::size_t i = 0; i < pairs.size(); ++i) {
      const std::string& f = pairs[i].find;
      if (f.empty()) continue;
      int s = 0;
      for (unsigned char c : f) {
        int& t = next_[static_cast<std::size_t>(s) * 256 + c];
        if (t == 0) {
          if (outputs_.size() >= kMaxStates) return false;
          t = static_cast<int>(outputs_.size());
          outputs_.emplace_back();
          next_.resize(next_.size() + 256, 0);
        }
        s = next_[static_cast<std::size_t>(s) * 256 + c];
      }
      outputs_[static_cast<std::size_t>(s)].push_back(static_cast<int>(i));
    }
    // Breadth first: failure links, complete transitions, merged outputs.
    std::vector<int> fail(outputs_.size(), 0);
    std::vector<int> queue;
    queue.reserve(outputs_.size());
    for (int c = 0; c < 256; ++c)
      if (int t = next_[static_cast<std::size_t>(c)]; t != 0) queue.push_back(t);
    for (std::size_t q = 0; q < queue.size(); ++q) {
      const int s = queue[q];
      const std::size_t base = static_cast<std::size_t>(s) * 256;
      const std::size_t fbase = static_cast<std::size_t>(fail[static_cast<std::size_t>(s)]) * 256;
      for (int c = 0; c < 256; ++c) {
        int& t = next_[base + static_cast<std::size_t>(c)];
        if (t != 0) {
          fail[static_cast<std::size_t>(t)] = next_[fbase + static_cast<std::size_t>(c)];
          queue.push_back(t);
        } else {
          t = next_[fbase + static_cast<std::size_t>(c)];
        }
      }
      auto& out = outputs_[static_cast<std::size_t>(s)];
      const auto& inherited = outputs_[static_cast<std::size_t>(fail[static_cast<std::size_t>(s)])];
      if (!inherited.empty()) {
        out.insert(out.end(), inherited.begin(), inherited.end());
        std::sort(out.begin(), out.end());
      }
    }
    return true;
  }

  // The smallest pair index above `after` whose find string occurs in the
  // piece, or -1.
  int firstPairAfter(std::string_view piece, int after) const {
    int best = -1;
    int s = 0;
    const int* next = next_.data();
    for (unsigned char c : piece) {
      s = next[static_cast<std::size_t>(s) * 256 + c];
      const auto& out = outputs_[static_cast<std::size_t>(s)];
      if (out.empty() || out.back() <= after) continue;
      const int found = *std::upper_bound(out.begin(), out.end(), after);
      if (best < 0 || found < best) {
        best = found;
        if (best == after + 1) break;
      }
    }
    return best;
  }

 private:
  std::vector<int> next_;
  std::vector<std::vector<int>> outputs_;
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
  constexpr std::size_t kMinPiece = 256;

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
