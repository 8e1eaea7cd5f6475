#include "core/hex/changed_marks.h"

#include <iterator>

namespace kiv {

void ChangedMarks::mark(std::uint64_t p) {
  auto next = runs_.upper_bound(p);
  if (next != runs_.begin()) {
    auto prev = std::prev(next);
    if (p < prev->second) return;
    if (prev->second == p) {
      prev->second = p + 1;
      if (next != runs_.end() && next->first == p + 1) {
        prev->second = next->second;
        runs_.erase(next);
      }
      return;
    }
  }
  if (next != runs_.end() && next->first == p + 1) {
    const std::uint64_t end = next->second;
    runs_.erase(next);
    runs_.emplace(p, end);
    return;
  }
  runs_.emplace(p, p + 1);
}

bool ChangedMarks::contains(std::uint64_t p) const {
  auto next = runs_.upper_bound(p);
  if (next == runs_.begin()) return false;
  return p < std::prev(next)->second;
}

void ChangedMarks::dropFrom(std::uint64_t p) {
  auto it = runs_.lower_bound(p);
  runs_.erase(it, runs_.end());
  if (!runs_.empty()) {
    auto last = std::prev(runs_.end());
    if (last->second > p) last->second = p;
  }
}

std::uint64_t ChangedMarks::count() const {
  std::uint64_t n = 0;
  for (const auto& [first, end] : runs_) n += end - first;
  return n;
}

}  // namespace kiv
