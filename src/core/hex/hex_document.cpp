#include "core/hex/hex_document.h"

#include <fcntl.h>
#include <string.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <cstdlib>
#include <cstring>
#include <memory>
#include <random>

#include "core/common/file_bytes.h"
#include "core/common/paths.h"
#include "core/common/safe_save.h"
#include "core/textfuncs/case1251_full.h"

namespace kiv {

namespace {

constexpr std::size_t kStreamBlock = 1 << 20;

std::string errorName(int err) { return std::strerror(err); }

bool fail(std::string* errorText, const std::string& why) {
  if (errorText) *errorText = why;
  return false;
}

std::size_t preadAll(int fd, char* out, std::size_t count, std::uint64_t offset) {
  std::size_t done = 0;
  while (done < count) {
    const ssize_t n = ::pread(fd, out + done, count - done, static_cast<off_t>(offset + done));
    if (n < 0 && errno == EINTR) continue;
    if (n <= 0) break;
    done += static_cast<std::size_t>(n);
  }
  return done;
}

bool writeAll(int fd, const char* data, std::size_t count) {
  while (count > 0) {
    const ssize_t n = ::write(fd, data, count);
    if (n < 0 && errno == EINTR) continue;
    if (n <= 0) return false;
    data += n;
    count -= static_cast<std::size_t>(n);
  }
  return true;
}

}  // namespace

HexDocument::~HexDocument() {
  close();
  if (working_ >= 0) ::close(working_);
}

void HexDocument::resetTo(int fd, std::uint64_t size) {
  if (source_ >= 0 && source_ != fd) ::close(source_);
  source_ = fd;
  size_ = size;
  pieces_.clear();
  if (size > 0) pieces_.push_back({0, size, 0, false});
  if (working_ >= 0) {
    // The typed bytes of the last file are not needed any more.
    (void)!::ftruncate(working_, 0);
  }
  workingEnd_ = 0;
  marks_.clear();
  modified_ = false;
  dropCache();
}

bool HexDocument::open(const std::string& path, std::string* errorText) {
  const int fd = ::open(path.c_str(), O_RDONLY | O_CLOEXEC);
  if (fd < 0) return fail(errorText, errorName(errno));
  struct stat st {};
  if (::fstat(fd, &st) != 0 || !S_ISREG(st.st_mode)) {
    const int err = S_ISDIR(st.st_mode) ? EISDIR : EINVAL;
    ::close(fd);
    return fail(errorText, errorName(err));
  }
  resetTo(fd, static_cast<std::uint64_t>(st.st_size));
  fileName_ = path;
  return true;
}

void HexDocument::close() {
  if (source_ >= 0) ::close(source_);
  source_ = -1;
  fileName_.clear();
  resetTo(-1, 0);
}

void HexDocument::ensureWorkingCopy() {
  if (working_ >= 0) return;
  const char* tmp = std::getenv("TMPDIR");
  std::string pattern = std::string(tmp && *tmp ? tmp : "/tmp") + "/kiv-hex-XXXXXX";
  const int fd = ::mkstemp(pattern.data());
  if (fd < 0) throw FileError("Не удалось создать рабочую копию во временной папке: " + errorName(errno));
  // Nobody else needs its name: the copy goes away with the descriptor,
  // whatever way the program ends.
  ::unlink(pattern.c_str());
  ::fcntl(fd, F_SETFD, FD_CLOEXEC);
  working_ = fd;
  workingEnd_ = 0;
}

std::size_t HexDocument::pieceAt(std::uint64_t offset) const {
  auto it = std::upper_bound(pieces_.begin(), pieces_.end(), offset,
                             [](std::uint64_t o, const Piece& p) { return o < p.start; });
  return static_cast<std::size_t>(it - pieces_.begin()) - 1;
}

void HexDocument::renumber(std::size_t i) {
  std::uint64_t start = i == 0 ? 0 : pieces_[i - 1].start + pieces_[i - 1].length;
  for (; i < pieces_.size(); ++i) {
    pieces_[i].start = start;
    start += pieces_[i].length;
  }
}

std::size_t HexDocument::splitAt(std::uint64_t offset) {
  if (offset >= size_) return pieces_.size();
  const std::size_t i = pieceAt(offset);
  Piece p = pieces_[i];
  if (p.start == offset) return i;
  const std::uint64_t left = offset - p.start;
  pieces_[i].length = left;
  pieces_.insert(pieces_.begin() + static_cast<std::ptrdiff_t>(i) + 1,
                 Piece{offset, p.length - left, p.from + left, p.typed});
  return i + 1;
}

std::size_t HexDocument::read(std::uint64_t offset, char* out, std::size_t count) const {
  if (offset >= size_) return 0;
  count = static_cast<std::size_t>(std::min<std::uint64_t>(count, size_ - offset));
  std::size_t done = 0;
  std::size_t i = pieceAt(offset);
  while (done < count && i < pieces_.size()) {
    const Piece& p = pieces_[i];
    const std::uint64_t inPiece = offset + done - p.start;
    const std::size_t n = static_cast<std::size_t>(std::min<std::uint64_t>(count - done, p.length - inPiece));
    const std::size_t got = preadAll(p.typed ? working_ : source_, out + done, n, p.from + inPiece);
    // A source that shrank under us reads as zero bytes.
    if (got < n) std::fill(out + done + got, out + done + n, '\0');
    done += n;
    ++i;
  }
  return done;
}

std::string_view HexDocument::bytesAt(std::uint64_t offset, std::size_t count) {
  if (offset >= size_) return {};
  count = std::min(count, kCacheSize / 2);
  const std::uint64_t available = size_ - offset;
  if (count > available) count = static_cast<std::size_t>(available);
  if (!cacheValid_ || offset < cacheStart_ || offset + count > cacheStart_ + cacheLength_) {
    cache_.resize(kCacheSize);
    cacheStart_ = offset > kCacheSize / 2 ? offset - kCacheSize / 2 : 0;
    cacheLength_ = read(cacheStart_, cache_.data(), kCacheSize);
    cacheValid_ = true;
  }
  return std::string_view(cache_.data() + (offset - cacheStart_), count);
}

unsigned char HexDocument::byteAt(std::uint64_t offset) {
  const std::string_view b = bytesAt(offset, 1);
  return b.empty() ? 0 : static_cast<unsigned char>(b[0]);
}

bool HexDocument::overwrite(std::uint64_t offset, unsigned char value) {
  if (offset >= size_) return false;
  if (byteAt(offset) == value) return false;
  ensureWorkingCopy();
  const char c = static_cast<char>(value);
  std::size_t i = pieceAt(offset);
  if (pieces_[i].typed) {
    if (::pwrite(working_, &c, 1, static_cast<off_t>(pieces_[i].from + offset - pieces_[i].start)) != 1)
      throw FileError("Не удалось записать рабочую копию: " + errorName(errno));
  } else {
    const std::uint64_t at = workingEnd_;
    if (::pwrite(working_, &c, 1, static_cast<off_t>(at)) != 1)
      throw FileError("Не удалось записать рабочую копию: " + errorName(errno));
    ++workingEnd_;
    if (i > 0 && pieces_[i].start == offset && pieces_[i - 1].typed &&
        pieces_[i - 1].from + pieces_[i - 1].length == at) {
      // Typing on from the last typed byte lengthens its piece.
      ++pieces_[i - 1].length;
      ++pieces_[i].start;
      ++pieces_[i].from;
      if (--pieces_[i].length == 0) pieces_.erase(pieces_.begin() + static_cast<std::ptrdiff_t>(i));
    } else {
      i = splitAt(offset);
      splitAt(offset + 1);
      pieces_[i] = Piece{offset, 1, at, true};
    }
  }
  if (cacheValid_ && offset >= cacheStart_ && offset < cacheStart_ + cacheLength_) cache_[offset - cacheStart_] = c;
  marks_.mark(offset);
  modified_ = true;
  return true;
}

bool HexDocument::erase(std::uint64_t offset, std::uint64_t count) {
  if (offset >= size_ || count == 0) return false;
  count = std::min(count, size_ - offset);
  const std::size_t first = splitAt(offset);
  const std::size_t last = splitAt(offset + count);
  pieces_.erase(pieces_.begin() + static_cast<std::ptrdiff_t>(first), pieces_.begin() + static_cast<std::ptrdiff_t>(last));
  size_ -= count;
  renumber(first);
  marks_.dropFrom(offset);
  modified_ = true;
  dropCache();
  return true;
}

bool HexDocument::save(const std::string& path, std::string* errorText) {
  if (!isOpen()) return fail(errorText, "нет открытого файла");
  if (path.empty()) return fail(errorText, "пустое имя файла");
  int err = 0;
  const std::string real = resolveLinkChain(path, &err);
  if (real.empty()) return fail(errorText, errorName(err));
  struct stat old {};
  const bool exists = ::stat(real.c_str(), &old) == 0;
  if (!exists && errno != ENOENT) return fail(errorText, errorName(errno));
  if (exists && S_ISDIR(old.st_mode)) return fail(errorText, errorName(EISDIR));
  if (exists && !S_ISREG(old.st_mode)) return fail(errorText, "не обычный файл (устройство, канал или сокет)");
  if (exists && isWriteProtected(real)) return fail(errorText, errorName(EACCES));
  removeStaleTemporaries(real);

  const std::string folder = containingFolder(real);
  std::random_device random;
  std::string temp;
  int fd = -1;
  for (int attempt = 0; attempt < 16 && fd < 0; ++attempt) {
    temp = (folder == "/" ? "" : folder) + "/" + temporaryNameFor(fileNameOnly(real), random());
    fd = ::open(temp.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0666);
    if (fd < 0 && errno != EEXIST) break;
  }
  if (fd < 0) return fail(errorText, errorName(errno));
  auto abandon = [&](int why) {
    ::close(fd);
    ::unlink(temp.c_str());
    return fail(errorText, errorName(why));
  };
  if (exists) (void)!::fchmod(fd, old.st_mode & 07777);
  std::unique_ptr<char[]> block(new char[kStreamBlock]);
  for (std::uint64_t done = 0; done < size_;) {
    const std::size_t want = static_cast<std::size_t>(std::min<std::uint64_t>(kStreamBlock, size_ - done));
    read(done, block.get(), want);
    if (!writeAll(fd, block.get(), want)) return abandon(errno ? errno : EIO);
    done += want;
  }
  if (::fsync(fd) != 0) return abandon(errno);
  if (::close(fd) != 0) {
    const int why = errno;
    ::unlink(temp.c_str());
    return fail(errorText, errorName(why));
  }
  if (::rename(temp.c_str(), real.c_str()) != 0) {
    const int why = errno;
    ::unlink(temp.c_str());
    return fail(errorText, errorName(why));
  }
  if (const int dir = ::open(folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC); dir >= 0) {
    ::fsync(dir);
    ::close(dir);
  }
  // The saved file is now the source of every byte.
  const int fresh = ::open(real.c_str(), O_RDONLY | O_CLOEXEC);
  if (fresh >= 0) {
    resetTo(fresh, size_);
  } else {
    marks_.clear();
    modified_ = false;
  }
  fileName_ = path;
  return true;
}

std::optional<std::uint64_t> HexDocument::find(std::string_view pattern, std::int64_t from, std::int64_t to,
                                               bool ignoreCase) const {
  const std::uint64_t n = pattern.size();
  if (n == 0 || size_ == 0 || to < 0) return std::nullopt;
  const std::uint64_t start = from < 0 ? 0 : static_cast<std::uint64_t>(from);
  const std::uint64_t end = std::min<std::uint64_t>(static_cast<std::uint64_t>(to), size_ - 1);  // last byte
  if (end + 1 < start + n) return std::nullopt;
  const std::uint64_t lastStart = end + 1 - n;

  std::string needle(pattern);
  const auto& lower = fullLowerTable1251();
  if (ignoreCase)
    for (char& c : needle) c = static_cast<char>(lower[static_cast<unsigned char>(c)]);

  const std::size_t block = std::max<std::size_t>(kStreamBlock, static_cast<std::size_t>(n) * 2);
  std::unique_ptr<char[]> buffer(new char[block]);
  for (std::uint64_t at = start; at <= lastStart;) {
    // Every start in [at, at + starts) is looked at in this block.
    const std::uint64_t want = std::min<std::uint64_t>(block, end + 1 - at);
    const std::size_t got = read(at, buffer.get(), static_cast<std::size_t>(want));
    if (got < n) break;
    if (ignoreCase)
      for (std::size_t k = 0; k < got; ++k) buffer[k] = static_cast<char>(lower[static_cast<unsigned char>(buffer[k])]);
    const void* hit = ::memmem(buffer.get(), got, needle.data(), needle.size());
    if (hit) {
      const std::uint64_t found = at + static_cast<std::uint64_t>(static_cast<const char*>(hit) - buffer.get());
      if (found <= lastStart) return found;
      return std::nullopt;
    }
    at += got - (n - 1);
  }
  return std::nullopt;
}

}  // namespace kiv
