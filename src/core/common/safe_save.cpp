#include "core/common/safe_save.h"

#include <dirent.h>
#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <sys/xattr.h>
#include <time.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <climits>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <memory>
#include <optional>
#include <random>
#include <system_error>
#include <thread>
#include <vector>

#include "core/common/paths.h"

namespace kiv {

namespace {

// Temporary files last written before this moment belong to an earlier run.
const struct timespec kProcessStart = [] {
  struct timespec t {};
  ::clock_gettime(CLOCK_REALTIME, &t);
  return t;
}();

thread_local std::vector<std::string> tConsents;

constexpr int kMaxLinkHops = 40;

std::string joinPath(const std::string& folder, const std::string& name) {
  return folder == "/" ? "/" + name : folder + "/" + name;
}

bool fail(std::string* errorText, const std::string& why) {
  if (errorText) *errorText = why;
  return false;
}

std::string errorName(int err) { return std::strerror(err); }

bool readLink(const std::string& path, std::string& target) {
  std::vector<char> buf(256);
  for (;;) {
    const ssize_t n = ::readlink(path.c_str(), buf.data(), buf.size());
    if (n < 0) return false;
    if (static_cast<std::size_t>(n) < buf.size()) {
      target.assign(buf.data(), static_cast<std::size_t>(n));
      return true;
    }
    if (buf.size() >= (1u << 16)) {
      errno = ENAMETOOLONG;
      return false;
    }
    buf.resize(buf.size() * 2);
  }
}

bool before(const struct timespec& a, const struct timespec& b) {
  return a.tv_sec < b.tv_sec || (a.tv_sec == b.tv_sec && a.tv_nsec < b.tv_nsec);
}

bool consented(const std::string& realPath) {
  return std::find(tConsents.begin(), tConsents.end(), realPath) != tConsents.end();
}

// Writes the bytes at the offset, telling the system to start putting them
// on disk as each large part is written: the flush at the end then finds
// most of them there already.
bool writeAt(int fd, std::string_view bytes, off_t offset) {
  constexpr std::size_t kPart = std::size_t{8} << 20;
  std::size_t done = 0;
  while (done < bytes.size()) {
    const std::size_t part = std::min(kPart, bytes.size() - done);
    const ssize_t w = ::pwrite(fd, bytes.data() + done, part, offset + static_cast<off_t>(done));
    if (w < 0) {
      if (errno == EINTR) continue;
      return false;
    }
    if (w > 0) ::sync_file_range(fd, offset + static_cast<off_t>(done), w, SYNC_FILE_RANGE_WRITE);
    done += static_cast<std::size_t>(w);
  }
  return true;
}

// Writes every piece, from the start of the file; the number of bytes
// written in *size.
bool writePieces(int fd, const NextBytes& next, off_t* size) {
  *size = 0;
  for (std::string_view piece = next(); !piece.empty(); piece = next()) {
    if (!writeAt(fd, piece, *size)) return false;
    *size += static_cast<off_t>(piece.size());
  }
  return true;
}

// All the pieces in one string.
std::string gather(const NextBytes& next) {
  std::string all;
  for (std::string_view piece = next(); !piece.empty(); piece = next()) all += piece;
  return all;
}

// The bytes of a temporary file just written.
bool readBack(int fd, off_t size, std::string& bytes) {
  bytes.resize(static_cast<std::size_t>(size));
  std::size_t done = 0;
  while (done < bytes.size()) {
    const ssize_t r = ::pread(fd, bytes.data() + done, bytes.size() - done, static_cast<off_t>(done));
    if (r < 0 && errno == EINTR) continue;
    if (r <= 0) return false;
    done += static_cast<std::size_t>(r);
  }
  return true;
}

// Closes the replaced file on a thread of its own: the last reference to
// it goes, and the system frees its blocks there, not in the save.
void releaseReplaced(int fd) {
  if (fd < 0) return;
  try {
    std::thread([fd] { ::close(fd); }).detach();
  } catch (const std::system_error&) {
    ::close(fd);
  }
}

// The rename is made durable by syncing the folder; a failure there loses
// nothing that is not already on disk.
void syncFolder(const std::string& folder) {
  const int fd = ::open(folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
  if (fd < 0) return;
  ::fsync(fd);
  ::close(fd);
}

// Gives the new file the old file's extended attributes (access control
// lists among them); false when one cannot be copied.
bool copyExtendedAttributes(const std::string& from, int toFd) {
  ssize_t size = ::listxattr(from.c_str(), nullptr, 0);
  if (size < 0) return errno == ENOTSUP;
  if (size == 0) return true;
  std::vector<char> names(static_cast<std::size_t>(size));
  size = ::listxattr(from.c_str(), names.data(), names.size());
  if (size < 0) return false;
  for (std::size_t at = 0; at < static_cast<std::size_t>(size);) {
    const char* name = names.data() + at;
    at += std::strlen(name) + 1;
    const ssize_t len = ::getxattr(from.c_str(), name, nullptr, 0);
    if (len < 0) return false;
    std::vector<char> value(static_cast<std::size_t>(len));
    const ssize_t got = ::getxattr(from.c_str(), name, value.data(), value.size());
    if (got < 0 || ::fsetxattr(toFd, name, value.data(), static_cast<std::size_t>(got), 0) != 0) return false;
  }
  return true;
}

enum class Replacing { Done, Failed, WriteInPlace };

// The temporary file and the rename. WriteInPlace when the temporary file
// cannot be made to stand for the old one or cannot be renamed over it;
// when the bytes were already taken, they are then in *taken.
Replacing replaceThroughTemporary(const std::string& real, const NextBytes& next, const struct stat* old,
                                  std::optional<std::string>* taken, std::string* errorText) {
  const std::string folder = containingFolder(real);
  const std::string name = fileNameOnly(real);
  std::random_device rd;
  std::string tmp;
  int fd = -1;
  for (int attempt = 0; attempt < 16 && fd < 0; ++attempt) {
    tmp = joinPath(folder, temporaryNameFor(name, static_cast<unsigned>(rd())));
    // Private until it has the old file's mode.
    fd = ::open(tmp.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, old ? 0600 : 0666);
    if (fd < 0 && errno != EEXIST) return Replacing::WriteInPlace;
  }
  if (fd < 0) return Replacing::WriteInPlace;
  // Held while the file is written: a cleaner of stale files leaves it alone.
  ::flock(fd, LOCK_EX | LOCK_NB);

  auto abandon = [&](int err, Replacing result) {
    ::close(fd);
    ::unlink(tmp.c_str());
    if (result == Replacing::Failed) fail(errorText, errorName(err));
    return result;
  };
  if (old) {
    struct stat mine {};
    if (::fstat(fd, &mine) != 0) return abandon(errno, Replacing::WriteInPlace);
    if (mine.st_gid != old->st_gid && ::fchown(fd, static_cast<uid_t>(-1), old->st_gid) != 0)
      return abandon(errno, Replacing::WriteInPlace);
    if (::fchmod(fd, old->st_mode & 07777) != 0) return abandon(errno, Replacing::WriteInPlace);
    if (!copyExtendedAttributes(real, fd)) return abandon(errno, Replacing::WriteInPlace);
  }
  off_t size = 0;
  try {
    if (!writePieces(fd, next, &size)) return abandon(errno, Replacing::Failed);
  } catch (...) {
    abandon(0, Replacing::WriteInPlace);
    throw;
  }
  if (::fsync(fd) != 0) return abandon(errno, Replacing::Failed);
  if (::close(fd) != 0) {
    const int err = errno;
    ::unlink(tmp.c_str());
    fail(errorText, errorName(err));
    return Replacing::Failed;
  }
  // Kept open over the rename: the old file's blocks are freed later.
  const int replaced = old ? ::open(real.c_str(), O_RDONLY | O_CLOEXEC | O_NOFOLLOW | O_NONBLOCK) : -1;
  if (::rename(tmp.c_str(), real.c_str()) != 0) {
    if (replaced >= 0) ::close(replaced);
    // The bytes are only in the temporary file now.
    fd = ::open(tmp.c_str(), O_RDONLY | O_CLOEXEC);
    taken->emplace();
    if (fd < 0 || !readBack(fd, size, **taken)) {
      const int err = errno ? errno : EIO;
      if (fd >= 0) ::close(fd);
      ::unlink(tmp.c_str());
      fail(errorText, errorName(err));
      return Replacing::Failed;
    }
    return abandon(0, Replacing::WriteInPlace);
  }
  syncFolder(folder);
  releaseReplaced(replaced);
  return Replacing::Done;
}

// Writes into the file itself (creating it when missing): the file keeps
// its inode, links, owner, group, mode and attributes. The space the new
// bytes need beyond the old size is reserved first, so a full disk is
// found before a byte changes.
bool writeInPlace(const std::string& real, std::string_view bytes, const struct stat* old, std::string* errorText) {
  int fd = -1;
  bool restoreMode = false;
  if (!old) {
    fd = ::open(real.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0666);
  } else {
    fd = ::open(real.c_str(), O_WRONLY | O_CLOEXEC | O_NOFOLLOW | O_NONBLOCK);
    // An own read-only file the user chose to overwrite: writable for the
    // moment of the write.
    if (fd < 0 && errno == EACCES && old->st_uid == ::geteuid() && consented(real) &&
        ::chmod(real.c_str(), (old->st_mode & 07777) | S_IWUSR) == 0) {
      fd = ::open(real.c_str(), O_WRONLY | O_CLOEXEC | O_NOFOLLOW | O_NONBLOCK);
      const int err = errno;
      if (fd < 0) ::chmod(real.c_str(), old->st_mode & 07777);
      else restoreMode = true;
      errno = err;
    }
  }
  if (fd < 0) return fail(errorText, errorName(errno));
  auto finish = [&](int err) {
    if (restoreMode) ::fchmod(fd, old->st_mode & 07777);
    if (::close(fd) != 0 && !err) err = errno;
    if (err && !old) ::unlink(real.c_str());
    return err ? fail(errorText, errorName(err)) : true;
  };
  struct stat now {};
  if (::fstat(fd, &now) != 0) return finish(errno);
  if (!S_ISREG(now.st_mode)) return finish(EINVAL);
  const auto need = static_cast<off_t>(bytes.size());
  if (need > now.st_size && ::fallocate(fd, FALLOC_FL_KEEP_SIZE, now.st_size, need - now.st_size) != 0 &&
      errno != EOPNOTSUPP && errno != ENOSYS && errno != EINVAL)
    return finish(errno);
  if (!writeAt(fd, bytes, 0)) return finish(errno);
  if (::ftruncate(fd, need) != 0) return finish(errno);
  if (::fsync(fd) != 0) return finish(errno);
  return finish(0);
}

}  // namespace

std::string resolveLinkChain(const std::string& path, int* error) {
  auto failed = [&](int err) {
    if (error) *error = err;
    return std::string();
  };
  if (path.empty()) return failed(ENOENT);
  std::string p = path;
  for (int hops = 0;; ++hops) {
    struct stat st {};
    if (::lstat(p.c_str(), &st) != 0) {
      if (errno == ENOENT) break;
      return failed(errno);
    }
    if (!S_ISLNK(st.st_mode)) break;
    if (hops == kMaxLinkHops) return failed(ELOOP);
    std::string target;
    if (!readLink(p, target)) return failed(errno);
    if (target.empty()) return failed(ENOENT);
    p = target[0] == '/' ? target : joinPath(containingFolder(p), target);
  }
  const std::string name = fileNameOnly(p);
  if (name.empty() || name == "." || name == "..") return failed(EISDIR);
  std::unique_ptr<char, decltype(&std::free)> folder(::realpath(containingFolder(p).c_str(), nullptr), &std::free);
  if (!folder) return failed(errno);
  return joinPath(folder.get(), name);
}

bool isWriteProtected(const std::string& path) {
  struct stat st {};
  if (::stat(path.c_str(), &st) != 0 || S_ISDIR(st.st_mode)) return false;
  if ((st.st_mode & (S_IWUSR | S_IWGRP | S_IWOTH)) == 0) return true;
  return ::faccessat(AT_FDCWD, path.c_str(), W_OK, AT_EACCESS) != 0 && errno == EACCES;
}

std::string temporaryNameFor(std::string_view fileName, unsigned number) {
  char suffix[32];
  std::snprintf(suffix, sizeof suffix, ".kiv-%08x.tmp", number);
  std::string out = ".";
  out += fileName;
  out += suffix;
  return out;
}

bool isTemporaryNameFor(std::string_view entry, std::string_view fileName) {
  constexpr std::string_view kMiddle = ".kiv-", kEnd = ".tmp";
  if (entry.size() != 1 + fileName.size() + kMiddle.size() + 8 + kEnd.size()) return false;
  if (entry[0] != '.' || entry.substr(1, fileName.size()) != fileName) return false;
  std::string_view rest = entry.substr(1 + fileName.size());
  if (rest.substr(0, kMiddle.size()) != kMiddle || rest.substr(kMiddle.size() + 8) != kEnd) return false;
  for (char c : rest.substr(kMiddle.size(), 8))
    if (!((c >= '0' && c <= '9') || (c >= 'a' && c <= 'f'))) return false;
  return true;
}

int removeStaleTemporaries(const std::string& realPath) {
  const std::string folder = containingFolder(realPath);
  const std::string name = fileNameOnly(realPath);
  struct CloseDir {
    void operator()(DIR* d) const { ::closedir(d); }
  };
  std::unique_ptr<DIR, CloseDir> dir(::opendir(folder.c_str()));
  if (!dir) return 0;
  std::vector<std::string> stale;
  while (const dirent* e = ::readdir(dir.get()))
    if (isTemporaryNameFor(e->d_name, name)) stale.push_back(joinPath(folder, e->d_name));
  int removed = 0;
  for (const std::string& path : stale) {
    struct stat st {};
    if (::lstat(path.c_str(), &st) != 0 || !S_ISREG(st.st_mode) || !before(st.st_mtim, kProcessStart)) continue;
    // A file another run is still writing is locked; one that cannot be
    // checked is left alone.
    const int fd = ::open(path.c_str(), O_RDONLY | O_NOFOLLOW | O_NONBLOCK | O_CLOEXEC);
    if (fd < 0) continue;
    if (::flock(fd, LOCK_EX | LOCK_NB) == 0 && ::unlink(path.c_str()) == 0) ++removed;
    ::close(fd);
  }
  return removed;
}

ProtectedWriteConsent::ProtectedWriteConsent(const std::string& path) : realPath_(resolveLinkChain(path)) {
  tConsents.push_back(realPath_);
}

ProtectedWriteConsent::~ProtectedWriteConsent() {
  const auto it = std::find(tConsents.rbegin(), tConsents.rend(), realPath_);
  if (it != tConsents.rend()) tConsents.erase(std::next(it).base());
}

bool saveFileSafely(const std::string& path, std::string_view bytes, std::string* errorText) {
  bool given = false;
  return saveFileSafely(
      path,
      [&] {
        if (given) return std::string_view();
        given = true;
        return bytes;
      },
      errorText);
}

bool saveFileSafely(const std::string& path, const NextBytes& next, std::string* errorText) {
  if (path.empty()) return fail(errorText, "empty file name");
  int err = 0;
  const std::string real = resolveLinkChain(path, &err);
  if (real.empty()) return fail(errorText, errorName(err));
  struct stat old {};
  const bool exists = ::stat(real.c_str(), &old) == 0;
  if (!exists && errno != ENOENT) return fail(errorText, errorName(errno));
  if (exists && S_ISDIR(old.st_mode)) return fail(errorText, errorName(EISDIR));
  if (exists && !S_ISREG(old.st_mode)) return fail(errorText, "не обычный файл (устройство, канал или сокет)");
  if (exists && isWriteProtected(real) && !consented(real)) return fail(errorText, errorName(EACCES));

  removeStaleTemporaries(real);
  // A rename would give the file a new inode: other hard links would keep
  // the old text, and someone else's file would become ours.
  const bool replace = !exists || (old.st_nlink == 1 && old.st_uid == ::geteuid());
  std::optional<std::string> taken;
  if (replace) {
    switch (replaceThroughTemporary(real, next, exists ? &old : nullptr, &taken, errorText)) {
      case Replacing::Done: return true;
      case Replacing::Failed: return false;
      case Replacing::WriteInPlace: break;
    }
  }
  // Written in place, the file is only touched once every byte is made.
  if (!taken) taken = gather(next);
  return writeInPlace(real, *taken, exists ? &old : nullptr, errorText);
}

}  // namespace kiv
