#include "core/common/file_identity.h"

#include <sys/stat.h>

namespace kiv {

namespace {
FileIdentity identityOf(const struct stat& st) {
  FileIdentity id;
  id.device = static_cast<std::uint64_t>(st.st_dev);
  id.inode = static_cast<std::uint64_t>(st.st_ino);
  id.size = static_cast<std::int64_t>(st.st_size);
  id.modifiedSeconds = static_cast<std::int64_t>(st.st_mtim.tv_sec);
  id.modifiedNanoseconds = static_cast<std::int64_t>(st.st_mtim.tv_nsec);
  return id;
}
}  // namespace

std::optional<FileIdentity> fileIdentity(const std::string& path) {
  struct stat st {};
  if (path.empty() || ::stat(path.c_str(), &st) != 0) return std::nullopt;
  return identityOf(st);
}

std::optional<FileIdentity> openFileIdentity(int fd) {
  struct stat st {};
  if (::fstat(fd, &st) != 0 || !S_ISREG(st.st_mode)) return std::nullopt;
  return identityOf(st);
}

}  // namespace kiv
