#pragma once
// What tells one state of a file on disk from another: the file itself
// (device and inode), its size and its modification time. A document
// remembers it when its file is read or saved, to notice a change made by
// another program.

#include <cstdint>
#include <optional>
#include <string>

namespace kiv {

struct FileIdentity {
  std::uint64_t device = 0;
  std::uint64_t inode = 0;
  std::int64_t size = 0;
  std::int64_t modifiedSeconds = 0;
  std::int64_t modifiedNanoseconds = 0;
  friend bool operator==(const FileIdentity&, const FileIdentity&) = default;
};

// The identity of the file a path names (symbolic links followed); nullopt
// when there is no such file.
std::optional<FileIdentity> fileIdentity(const std::string& path);
// The identity of the ordinary file open as fd; nullopt for anything else.
std::optional<FileIdentity> openFileIdentity(int fd);

// A document's knowledge of its file.
struct DiskFileState {
  // The file as the program last read or wrote it; nullopt when unknown.
  std::optional<FileIdentity> known;
  // A change the user chose not to reload; asked about only once.
  std::optional<FileIdentity> dismissed;

  // After the file was read or written.
  void remember(std::optional<FileIdentity> identity) {
    known = identity;
    dismissed.reset();
  }
  // The file is there and is not the one last read or written.
  bool changedOnDisk(const std::optional<FileIdentity>& now) const { return known && now && *now != *known; }
  // A change not yet offered for reloading.
  bool offersReload(const std::optional<FileIdentity>& now) const { return changedOnDisk(now) && now != dismissed; }
};

}  // namespace kiv
