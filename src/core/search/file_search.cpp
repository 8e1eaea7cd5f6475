#include "core/search/file_search.h"

#include <dirent.h>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <atomic>
#include <memory>
#include <thread>
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

constexpr std::size_t kBlock = 1 << 18;

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

  // The walk: every folder breadth first, then the files in that order.
  std::vector<std::string> files;
  std::vector<Entry> entries;
  std::deque<std::string> folders{request.folder};
  while (!folders.empty()) {
    if (control && !control->checkpoint()) {
      summary.stopped = true;
      return summary;
    }
    std::string folder = std::move(folders.front());
    folders.pop_front();
    if (folder.back() != '/') folder += '/';
    if (!readFolder(folder, entries)) {
      ++summary.unreadable;
      continue;
    }
    for (const Entry& e : entries) {
      std::string path = folder + e.name;
      const Kind kind = kindOf(path, e.type);
      if (kind == Kind::Folder) {
        if (e.name[0] != '.') folders.push_back(std::move(path));
      } else if (kind == Kind::File && mask.matches(e.name)) {
        files.push_back(std::move(path));
      }
    }
  }

  // The contents: files are taken in turn by a few threads; what they find
  // is reported here, in the order of the list.
  constexpr std::uint8_t kPending = 0xFF;
  std::unique_ptr<std::atomic<std::uint8_t>[]> results(new std::atomic<std::uint8_t>[files.size()]);
  for (std::size_t i = 0; i < files.size(); ++i) results[i].store(kPending, std::memory_order_relaxed);
  std::atomic<std::size_t> next{0};
  std::atomic<bool> ended{false};
  std::size_t reported = 0;
  auto report = [&](bool all) {
    for (; reported < files.size(); ++reported) {
      if (control && control->stopRequested()) return;
      const std::uint8_t r = results[reported].load(std::memory_order_acquire);
      if (r == kPending) {
        if (!all) return;
        break;
      }
      const auto check = static_cast<FileCheck>(r);
      if (check == FileCheck::Stopped) break;
      switch (check) {
        case FileCheck::Win1251:
        case FileCheck::Utf8:
          ++summary.searched;
          ++summary.found;
          if (check == FileCheck::Utf8) ++summary.foundInUtf8;
          found(FoundFile{files[reported], check == FileCheck::Utf8});
          break;
        case FileCheck::NoMatch: ++summary.searched; break;
        case FileCheck::Unreadable: ++summary.unreadable; break;
        default: break;
      }
    }
  };
  // `reporter`: the one thread that also hands results on.
  auto work = [&](bool reporter) {
    std::string buffer;
    for (;;) {
      if (ended.load(std::memory_order_relaxed)) return;
      if (control && !control->checkpoint()) {
        ended = true;
        return;
      }
      const std::size_t i = next.fetch_add(1);
      if (i >= files.size()) return;
      const FileCheck check = checkFile(files[i], pattern, buffer, control);
      if (check == FileCheck::Stopped) ended = true;
      results[i].store(static_cast<std::uint8_t>(check), std::memory_order_release);
      if (reporter) report(false);
    }
  };
  const unsigned helpers = files.size() < 8 ? 0 : std::clamp(std::thread::hardware_concurrency(), 1u, 4u) - 1;
  std::vector<std::thread> threads;
  for (unsigned h = 0; h < helpers; ++h) threads.emplace_back(work, false);
  work(true);
  for (auto& t : threads) t.join();
  report(true);
  summary.stopped = ended.load() || (control && control->stopRequested());
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
