#include "core/recovery/left_journals.h"

#include <dirent.h>
#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <ctime>

namespace kiv {

namespace {

bool endsWith(const std::string& s, std::string_view tail) {
  return s.size() >= tail.size() && std::string_view(s).substr(s.size() - tail.size()) == tail;
}

bool readWhole(int fd, std::string& out) {
  out.clear();
  char buf[1 << 16];
  for (;;) {
    const ssize_t n = ::read(fd, buf, sizeof buf);
    if (n < 0 && errno == EINTR) continue;
    if (n < 0) return false;
    if (n == 0) return true;
    out.append(buf, static_cast<std::size_t>(n));
  }
}

}  // namespace

LeftJournal::LeftJournal(std::string path, int fd) : path_(std::move(path)), fd_(fd) {}

LeftJournal::~LeftJournal() {
  if (fd_ >= 0) ::close(fd_);
}

bool LeftJournal::fileChangedOnDisk() const {
  const JournalHeader& h = content_.header;
  if (!content_.readable || !h.hasFile) return false;
  return !h.disk || fileIdentity(h.fileName) != h.disk;
}

bool LeftJournal::remove() { return ::unlink(path_.c_str()) == 0 || errno == ENOENT; }

std::vector<std::unique_ptr<LeftJournal>> takeLeftJournals(const std::string& folder) {
  std::vector<std::unique_ptr<LeftJournal>> out;
  DIR* dir = ::opendir(folder.c_str());
  if (!dir) return out;
  std::string base = folder;
  if (!base.empty() && base.back() != '/') base += '/';
  std::vector<std::string> names;
  while (dirent* e = ::readdir(dir)) names.emplace_back(e->d_name);
  ::closedir(dir);
  for (const std::string& name : names) {
    const std::string path = base + name;
    const bool leftover = endsWith(name, std::string(kJournalExtension) + ".new");
    if (!leftover && !endsWith(name, kJournalExtension)) continue;
    const int fd = ::open(path.c_str(), O_RDONLY | O_CLOEXEC | O_NOFOLLOW);
    if (fd < 0) continue;
    struct stat opened {}, named {};
    // Locked: its program runs. Another inode under the name: it was just
    // rewritten, by a program that runs.
    if (::flock(fd, LOCK_EX | LOCK_NB) != 0 || ::fstat(fd, &opened) != 0 || ::stat(path.c_str(), &named) != 0 ||
        opened.st_ino != named.st_ino || !S_ISREG(opened.st_mode)) {
      ::close(fd);
      continue;
    }
    if (leftover) {
      // A rewrite cut short by a crash; a fresh one may be a rewrite under way.
      if (opened.st_mtim.tv_sec + 60 < ::time(nullptr)) ::unlink(path.c_str());
      ::close(fd);
      continue;
    }
    auto j = std::make_unique<LeftJournal>(path, fd);
    std::string bytes;
    if (readWhole(fd, bytes)) {
      j->content_ = readJournal(bytes);
    } else {
      j->content_.problem = "журнал не читается";
    }
    j->changedAt_ = opened.st_mtim.tv_sec;
    out.push_back(std::move(j));
  }
  std::stable_sort(out.begin(), out.end(), [](const auto& a, const auto& b) {
    return a->changedAt() != b->changedAt() ? a->changedAt() < b->changedAt() : a->path() < b->path();
  });
  return out;
}

}  // namespace kiv
