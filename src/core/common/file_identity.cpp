#include "core/common/file_identity.h"

#include <sys/stat.h>

namespace kiv {

std::optional<FileIdentity> fileIdentity(const std::string& path) {
  struct stat st {};
  if (path.empty() || ::stat(path.c_str(), &st) != 0) return std::nullopt;
  FileIdentity id;
  id.device = static_cast<std::uint64_t>(st.st_dev);
  id.inode = static_cast<std::uint64_t>(st.st_ino);
  id.size = static_cast<std::int64_t>(st.st_size);
  id.modifiedSeconds = static_cast<std::int64_t>(st.st_mtim.tv_sec);
  id.modifiedNanoseconds = static_cast<std::int64_t>(st.st_mtim.tv_nsec);
  return id;
}

}  // namespace kiv
