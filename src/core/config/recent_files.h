#pragma once
// The recent-files list: file names with a number each (the top line the
// document had when it closed), most recent first, with a capacity.

#include <string>
#include <vector>

#include "core/config/ini_file.h"

namespace kiv {

struct RecentEntry {
  std::string fileName;
  int number = 0;
};

class RecentFiles {
 public:
  static constexpr int kStartCapacity = 24;

  explicit RecentFiles(int capacity = kStartCapacity) : capacity_(capacity < 0 ? 0 : capacity) {}

  int capacity() const { return capacity_; }
  // A smaller capacity drops the oldest entries.
  void setCapacity(int capacity);

  const std::vector<RecentEntry>& entries() const { return entries_; }
  bool empty() const { return entries_.empty(); }
  std::size_t size() const { return entries_.size(); }

  // Puts the name at the top with the number; an entry of the same name
  // (compared exactly) moves to the top and takes the number. A full list
  // drops its oldest entry.
  void add(const std::string& fileName, int number);
  void clear() { entries_.clear(); }

  // Section "Recent": reading clears the list and reads indexes from
  // capacity − 1 down to 0, adding each non-empty Item_i at the top. A name
  // holding a line break cannot stand on an INI line: it is kept as
  // ItemBase64_i (its bytes in Base64) instead of Item_i, so that every name
  // reads back exactly and ordinary names are stored as they are. Returns
  // how many ItemBase64_i values were not valid Base64 and were skipped.
  int read(const IniFile& ini);
  // Erases the section, then writes Item_i or ItemBase64_i (and User_i when
  // non-zero) from 0 up.
  void write(IniFile& ini) const;

 private:
  int capacity_;
  std::vector<RecentEntry> entries_;
};

}  // namespace kiv
