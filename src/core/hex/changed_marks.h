#pragma once
// The hex editor's marks of changed bytes: a set of byte offsets kept as
// runs of consecutive offsets, so a file of any size costs only as much as
// the edits made in it.

#include <cstddef>
#include <cstdint>
#include <map>

namespace kiv {

class ChangedMarks {
 public:
  void mark(std::uint64_t offset);
  bool contains(std::uint64_t offset) const;
  // Drops every mark at or after the offset.
  void dropFrom(std::uint64_t offset);
  void clear() { runs_.clear(); }
  bool empty() const { return runs_.empty(); }
  // Number of runs of consecutive marked offsets.
  std::size_t runCount() const { return runs_.size(); }
  std::uint64_t count() const;

 private:
  std::map<std::uint64_t, std::uint64_t> runs_;  // first offset -> one past the last
};

}  // namespace kiv
