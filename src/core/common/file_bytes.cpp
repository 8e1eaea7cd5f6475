#include "core/common/file_bytes.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <random>

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

std::string folderOf(const std::string& path) {
  const auto slash = path.rfind('/');
  if (slash == std::string::npos) return ".";
  if (slash == 0) return "/";
  return path.substr(0, slash);
}

}  // namespace

std::optional<std::string> readFileBytes(const std::string& path) {
  return readLimited(path, static_cast<std::size_t>(-1));
}

std::optional<std::string> readFilePrefix(const std::string& path, std::size_t maxBytes) {
  return readLimited(path, maxBytes);
}

bool writeFileAtomically(const std::string& path, std::string_view bytes, std::string* errorText) {
  auto fail = [&](const std::string& why) {
    if (errorText) *errorText = why;
    return false;
  };
  if (path.empty()) return fail("empty file name");
  struct stat old {};
  const bool hadOld = ::stat(path.c_str(), &old) == 0;
  if (hadOld && S_ISDIR(old.st_mode)) return fail(std::strerror(EISDIR));

  // Write through a symbolic link to the file it names.
  std::string target = path;
  char resolved[4096];
  const ssize_t len = ::readlink(path.c_str(), resolved, sizeof resolved - 1);
  if (len > 0) {
    resolved[len] = 0;
    target = resolved[0] == '/' ? std::string(resolved) : folderOf(path) + "/" + resolved;
  }

  std::random_device rd;
  std::string tmp;
  int fd = -1;
  for (int attempt = 0; attempt < 16 && fd < 0; ++attempt) {
    char suffix[32];
    std::snprintf(suffix, sizeof suffix, ".kiv-%08x.tmp", static_cast<unsigned>(rd()));
    tmp = folderOf(target) + "/." + target.substr(target.rfind('/') + 1) + suffix;
    fd = ::open(tmp.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0666);
    if (fd < 0 && errno != EEXIST) return fail(std::strerror(errno));
  }
  if (fd < 0) return fail(std::strerror(EEXIST));

  auto abandon = [&](int err) {
    ::close(fd);
    ::unlink(tmp.c_str());
    return fail(std::strerror(err));
  };
  std::size_t done = 0;
  while (done < bytes.size()) {
    const ssize_t w = ::write(fd, bytes.data() + done, bytes.size() - done);
    if (w < 0) {
      if (errno == EINTR) continue;
      return abandon(errno);
    }
    done += static_cast<std::size_t>(w);
  }
  if (hadOld) ::fchmod(fd, old.st_mode & 07777);
  if (::fsync(fd) != 0) return abandon(errno);
  if (::close(fd) != 0) {
    const int err = errno;
    ::unlink(tmp.c_str());
    return fail(std::strerror(err));
  }
  if (::rename(tmp.c_str(), target.c_str()) != 0) {
    const int err = errno;
    ::unlink(tmp.c_str());
    return fail(std::strerror(err));
  }
  return true;
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

bool fileExists(const std::string& path) {
  struct stat st {};
  return !path.empty() && ::stat(path.c_str(), &st) == 0 && !S_ISDIR(st.st_mode);
}

bool directoryExists(const std::string& path) {
  struct stat st {};
  return !path.empty() && ::stat(path.c_str(), &st) == 0 && S_ISDIR(st.st_mode);
}

}  // namespace kiv
