#include "core/search/file_search.h"

#include <dirent.h>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <cstring>
#include <deque>
#include <vector>

#include "core/common/file_bytes.h"
#include "core/common/worker_control.h"
#include "core/search/content_pattern.h"
#include "core/search/file_mask.h"

namespace kiv {

namespace {

constexpr std::size_t kBlock = 1 << 20;

struct Entry {
  std::string name;
  unsigned char type;
};

class FileHandle {
 public:
  explicit FileHandle(int fd) : fd_(fd) {}
  ~FileHandle() {
    if (fd_ >= 0) ::close(fd_);
  }
  FileHandle(const FileHandle&) = delete;
  FileHandle& operator=(const FileHandle&) = delete;
  int get() const { return fd_; }

 private:
  int fd_;
};

// The entries of a folder sorted by name; false when it cannot be read.
bool readFolder(const std::string& folder, std::vector<Entry>& entries) {
  entries.clear();
  DIR* dir = ::opendir(folder.c_str());
  if (!dir) return false;
  while (const dirent* e = ::readdir(dir)) {
    const std::string_view name(e->d_name);
    if (name == "." || name == "..") continue;
    entries.push_back({std::string(name), e->d_type});
  }
  ::closedir(dir);
  std::sort(entries.begin(), entries.end(), [](const Entry& a, const Entry& b) { return a.name < b.name; });
  return true;
}

enum class Kind { Folder, File, Other };

// What an entry is, links to files counting as files and links to folders
// as neither (they are not followed).
Kind kindOf(const std::string& path, unsigned char type) {
  switch (type) {
    case DT_DIR: return Kind::Folder;
    case DT_REG: return Kind::File;
    case DT_LNK: {
      struct stat st {};
      if (::stat(path.c_str(), &st) != 0) return Kind::File;  // dangling: counted as unreadable
      return S_ISREG(st.st_mode) ? Kind::File : Kind::Other;
    }
    case DT_UNKNOWN: {
      struct stat st {};
      if (::lstat(path.c_str(), &st) != 0) return Kind::File;
      if (S_ISDIR(st.st_mode)) return Kind::Folder;
      if (S_ISLNK(st.st_mode)) return kindOf(path, DT_LNK);
      return S_ISREG(st.st_mode) ? Kind::File : Kind::Other;
    }
    default: return Kind::Other;
  }
}

}  // namespace

FileCheck checkFile(const std::string& path, const ContentPattern& pattern, std::string& buffer,
                    WorkerControl* control) {
  // Non-blocking, so that a FIFO put in a file's place cannot hang the search.
  FileHandle fd(::open(path.c_str(), O_RDONLY | O_NONBLOCK | O_CLOEXEC | O_NOCTTY));
  if (fd.get() < 0) return FileCheck::Unreadable;
  struct stat st {};
  if (::fstat(fd.get(), &st) != 0) return FileCheck::Unreadable;
  if (!S_ISREG(st.st_mode)) return FileCheck::NotAFile;
  const std::size_t overlap = pattern.maxSpan() > 0 ? pattern.maxSpan() - 1 : 0;
  if (buffer.size() < kBlock + overlap) buffer.resize(kBlock + overlap);
  char* data = buffer.data();
  std::size_t kept = 0;  // bytes carried over from the block before
  bool first = true;
  for (;;) {
    if (!first && control && !control->checkpoint()) return FileCheck::Stopped;
    first = false;
    ssize_t got;
    do {
      got = ::read(fd.get(), data + kept, kBlock);
    } while (got < 0 && errno == EINTR);
    if (got < 0) return FileCheck::Unreadable;
    if (got == 0) return FileCheck::NoMatch;
    std::size_t size = kept + static_cast<std::size_t>(got);
    const void* zero = std::memchr(data + kept, 0, static_cast<std::size_t>(got));
    if (zero) size = static_cast<std::size_t>(static_cast<const char*>(zero) - data);
    switch (pattern.find(std::string_view(data, size))) {
      case ContentPattern::Match::Win1251: return FileCheck::Win1251;
      case ContentPattern::Match::Utf8: return FileCheck::Utf8;
      case ContentPattern::Match::None: break;
    }
    if (zero) return FileCheck::NoMatch;
    kept = std::min(overlap, size);
    std::memmove(data, data + size - kept, kept);
  }
}

FileSearchSummary searchFiles(const FileSearchRequest& request, WorkerControl* control,
                              const std::function<void(const FoundFile&)>& found) {
  FileSearchSummary summary;
  const ContentPattern pattern(request.text);
  const FileMask mask(request.mask);
  if (pattern.empty() || request.mask.empty() || !directoryExists(request.folder)) return summary;
  std::string buffer;
  std::vector<Entry> entries;
  std::deque<std::string> folders{request.folder};
  while (!folders.empty()) {
    std::string folder = std::move(folders.front());
    folders.pop_front();
    if (folder.back() != '/') folder += '/';
    if (!readFolder(folder, entries)) {
      ++summary.unreadable;
      continue;
    }
    for (const Entry& e : entries) {
      const std::string path = folder + e.name;
      const Kind kind = kindOf(path, e.type);
      if (kind == Kind::Folder) {
        if (e.name[0] != '.') folders.push_back(path);
        continue;
      }
      if (kind != Kind::File || !mask.matches(e.name)) continue;
      if (control && !control->checkpoint()) {
        summary.stopped = true;
        return summary;
      }
      const FileCheck check = checkFile(path, pattern, buffer, control);
      switch (check) {
        case FileCheck::Win1251:
        case FileCheck::Utf8:
          ++summary.searched;
          ++summary.found;
          if (check == FileCheck::Utf8) ++summary.foundInUtf8;
          found(FoundFile{path, check == FileCheck::Utf8});
          break;
        case FileCheck::NoMatch: ++summary.searched; break;
        case FileCheck::Unreadable: ++summary.unreadable; break;
        case FileCheck::NotAFile: break;
        case FileCheck::Stopped: summary.stopped = true; return summary;
      }
    }
  }
  return summary;
}

std::string fileSearchStartText() { return "НАЧИНАЮ ИСКАТЬ..."; }

std::string fileSearchEndText(const FileSearchSummary& s) {
  std::string text = "КОНЕЦ ПОИСКА... НАЙДЕНО " + std::to_string(s.found) + " ФАЙЛ/ОВ";
  if (s.foundInUtf8) text += "; в UTF-8: " + std::to_string(s.foundInUtf8);
  if (s.unreadable) text += "; не прочитано: " + std::to_string(s.unreadable);
  return text;
}

}  // namespace kiv
