#pragma once
// Journals left in the recovery folder by a program that did not end
// cleanly. A journal whose program still runs is locked by it and is not
// taken; a taken journal stays locked by this program until it is given up,
// so that two programs starting together do not both offer it.

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "core/recovery/journal_format.h"

namespace kiv {

class LeftJournal {
 public:
  LeftJournal(std::string path, int fd);
  ~LeftJournal();
  LeftJournal(const LeftJournal&) = delete;
  LeftJournal& operator=(const LeftJournal&) = delete;

  const std::string& path() const { return path_; }
  const JournalContent& content() const { return content_; }
  // When the journal was last written (seconds since the epoch).
  std::int64_t changedAt() const { return changedAt_; }
  // The document's file is not the one the document last read or wrote
  // (changed, replaced or gone since).
  bool fileChangedOnDisk() const;
  // Deletes the journal's file; false when that failed.
  bool remove();

 private:
  friend std::vector<std::unique_ptr<LeftJournal>> takeLeftJournals(const std::string& folder);
  std::string path_;
  int fd_ = -1;
  JournalContent content_;
  std::int64_t changedAt_ = 0;
};

// The journals in the folder that no running program holds, oldest first.
// Leftover temporary files of a journal being rewritten are deleted.
std::vector<std::unique_ptr<LeftJournal>> takeLeftJournals(const std::string& folder);

}  // namespace kiv
