#include "core/common/file_bytes.h"

#include "core/common/safe_save.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>

namespace kiv {

namespace {

std::optional<std::string> readLimited(const std::string& path, std::size_t maxBytes) {
  const int fd = ::open(path.c_str(), O_RDONLY | O_CLOEXEC);
  if (fd < 0) return std::nullopt;
  struct stat st {};
  if (::fstat(fd, &st) != 0 || S_ISDIR(st.st_mode)) {
    ::close(fd);
    return std::nullopt;
  }
  std::string data;
  if (st.st_size > 0) data.reserve(std::min<std::size_t>(maxBytes, static_cast<std::size_t>(st.st_size)));
  char buf[1 << 16];
  while (data.size() < maxBytes) {
    const std::size_t want = std::min(sizeof buf, maxBytes - data.size());
    const ssize_t got = ::read(fd, buf, want);
    if (got < 0) {
      if (errno == EINTR) continue;
      ::close(fd);
      return std::nullopt;
    }
    if (got == 0) break;
    data.append(buf, static_cast<std::size_t>(got));
  }
  ::close(fd);
  return data;
}

}  // namespace

std::optional<std::string> readFileBytes(const std::string& path) {
  return readLimited(path, static_cast<std::size_t>(-1));
}

std::optional<std::string> readFilePrefix(const std::string& path, std::size_t maxBytes) {
  return readLimited(path, maxBytes);
}

bool writeFileAtomically(const std::string& path, std::string_view bytes, std::string* errorText) {
  return saveFileSafely(path, bytes, errorText);
}

std::string readFileOrThrow(const std::string& path) {
  auto data = readFileBytes(path);
  if (!data) throw FileError("Cannot open file " + path);
  return std::move(*data);
}

void writeFileOrThrow(const std::string& path, std::string_view bytes) {
  std::string why;
  if (!writeFileAtomically(path, bytes, &why)) throw FileError("Cannot create file " + path + ".\n" + why);
}

void writeFileOrThrow(const std::string& path, const NextBytes& next) {
  std::string why;
  if (!saveFileSafely(path, next, &why)) throw FileError("Cannot create file " + path + ".\n" + why);
}

bool fileExists(const std::string& path) {
  struct stat st {};
  return !path.empty() && ::stat(path.c_str(), &st) == 0 && !S_ISDIR(st.st_mode);
}

bool directoryExists(const std::string& path) {
  struct stat st {};
  return !path.empty() && ::stat(path.c_str(), &st) == 0 && S_ISDIR(st.st_mode);
}

}  // namespace kiv
