#include "core/recovery/journal_writer.h"

#include <fcntl.h>
#include <sys/file.h>
#include <sys/resource.h>
#include <sys/syscall.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <csignal>

#include <cerrno>
#include <cstring>

namespace kiv {

namespace {

bool writeAll(int fd, std::string_view bytes) {
  while (!bytes.empty()) {
    const ssize_t n = ::write(fd, bytes.data(), bytes.size());
    if (n < 0 && errno == EINTR) continue;
    if (n <= 0) return false;
    bytes.remove_prefix(static_cast<std::size_t>(n));
  }
  return true;
}

// Smaller texts are copied: that costs less than starting a process.
constexpr std::size_t kChildWritesFrom = 4 << 20;

// The child's whole work: only calls that are safe after fork() in a
// program with threads (no allocation, no locks).
[[noreturn]] void writeSnapshotAndExit(int fd, std::string_view head, std::uint32_t crc,
                                       const std::string_view (&runs)[2], std::string_view tailStorage) {
  // A snapshot gives way to what the user does meanwhile (a save, say): the
  // lowest processor priority, and disk time only when nobody else wants it.
  ::setpriority(PRIO_PROCESS, 0, 19);
  constexpr int kIoprioWhoProcess = 1, kIoprioClassIdle = 3, kIoprioClassShift = 13;
  ::syscall(SYS_ioprio_set, kIoprioWhoProcess, 0, kIoprioClassIdle << kIoprioClassShift);
  bool ok = writeAll(fd, head);
  constexpr std::size_t kStep = 1 << 20;
  for (const std::string_view text : runs) {
    for (std::size_t at = 0; ok && at < text.size(); at += kStep) {
      const std::string_view piece = text.substr(at, kStep);
      crc = crc32(piece, crc);
      ok = writeAll(fd, piece);
    }
  }
  // The CRC goes into storage made before the fork.
  char* tail = const_cast<char*>(tailStorage.data());
  for (int i = 0; i < 4; ++i) tail[i] = static_cast<char>((crc >> (8 * i)) & 0xFF);
  ok = ok && writeAll(fd, std::string_view(tail, 4)) && ::fdatasync(fd) == 0;
  ::_exit(ok ? 0 : 1);
}

enum class Copied { Done, FileChanged, WriteFailed };

// Writes a journal's start from the document's file into `out`: only if
// the file is the one described before and after it is read.
Copied writeStartFromFile(int out, const JournalHeader& header, const std::string& path, const FileIdentity& identity,
                          const DocumentFileInfo& howRead, std::uint64_t textSize) {
  const int in = ::open(path.c_str(), O_RDONLY | O_CLOEXEC | O_NONBLOCK);
  if (in < 0) return Copied::FileChanged;
  const auto same = [&] { return openFileIdentity(in) == identity; };
  Copied result = Copied::Done;
  if (!same()) {
    result = Copied::FileChanged;
  } else {
    const auto size = static_cast<std::uint64_t>(identity.size);
    std::uint32_t crc = crcOfFileRecordHead(howRead, textSize, size);
    std::string block(std::size_t{1} << 20, '\0');
    std::uint64_t copied = 0;
    if (!writeAll(out, journalFileStartHead(header, howRead, textSize, size))) result = Copied::WriteFailed;
    while (result == Copied::Done && copied < size) {
      const ssize_t n = ::read(in, block.data(), static_cast<std::size_t>(std::min<std::uint64_t>(block.size(), size - copied)));
      if (n < 0 && errno == EINTR) continue;
      if (n <= 0) {
        result = Copied::FileChanged;
        break;
      }
      const std::string_view piece(block.data(), static_cast<std::size_t>(n));
      crc = crc32(piece, crc);
      if (!writeAll(out, piece)) result = Copied::WriteFailed;
      copied += static_cast<std::uint64_t>(n);
    }
    if (result == Copied::Done && !same()) result = Copied::FileChanged;
    if (result == Copied::Done && !writeAll(out, journalSnapshotEnd(crc))) result = Copied::WriteFailed;
  }
  ::close(in);
  return result;
}

std::int64_t nowMs() {
  return std::chrono::duration_cast<std::chrono::milliseconds>(std::chrono::system_clock::now().time_since_epoch())
      .count();
}

}  // namespace

JournalWriter::JournalWriter(std::string folder, std::chrono::milliseconds delay)
    : folder_(std::move(folder)), delay_(delay) {
  if (!folder_.empty() && folder_.back() != '/') folder_ += '/';
  thread_ = std::thread([this] { run(); });
}

JournalWriter::~JournalWriter() {
  {
    std::lock_guard lock(mutex_);
    stop_ = true;
  }
  wake_.notify_all();
  thread_.join();
  for (auto& [id, f] : open_)
    if (f.fd >= 0) ::close(f.fd);
}

int JournalWriter::create() {
  std::lock_guard lock(mutex_);
  const int id = nextId_++;
  // Process, time and number: a journal left by an earlier program that had
  // the same process number is never written over.
  std::string path;
  for (int extra = 0;; ++extra) {
    path = folder_ + std::to_string(::getpid()) + "-" + std::to_string(nowMs()) + "-" + std::to_string(id) +
           (extra ? "-" + std::to_string(extra) : std::string()) + std::string(kJournalExtension);
    struct stat st {};
    if (::stat(path.c_str(), &st) != 0) break;
  }
  paths_[id] = path;
  return id;
}

std::string JournalWriter::path(int id) const {
  std::lock_guard lock(mutex_);
  auto it = paths_.find(id);
  return it == paths_.end() ? std::string() : it->second;
}

std::string JournalWriter::lastError() const {
  std::lock_guard lock(mutex_);
  return error_;
}

void JournalWriter::start(int id, JournalHeader header, std::string text) {
  queue(Op{OpKind::Start, id, std::move(header), std::move(text)});
}

void JournalWriter::queue(Op op) {
  {
    std::lock_guard lock(mutex_);
    queue_.push_back(std::move(op));
    ++queuedCount_;
  }
  wake_.notify_all();
}

void JournalWriter::startFrom(int id, JournalHeader header, std::string_view text, std::string_view more) {
  const std::size_t size = text.size() + more.size();
  const auto copy = [&] {
    std::string whole;
    whole.reserve(size);
    whole.append(text).append(more);
    start(id, std::move(header), std::move(whole));
  };
  if (size < kChildWritesFrom) {
    copy();
    return;
  }
  std::string temp;
  {
    std::lock_guard lock(mutex_);
    // A name of its own (a copied snapshot may be on its way under
    // path + ".new"), still ending like every unfinished journal.
    const std::string& path = paths_[id];
    temp = path.substr(0, path.size() - kJournalExtension.size()) + ".s" + std::to_string(++snapshots_) +
           std::string(kJournalExtension) + ".new";
  }
  ::mkdir(folder_.c_str(), 0700);
  const int fd = ::open(temp.c_str(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0600);
  if (fd < 0) {
    copy();
    return;
  }
  ::flock(fd, LOCK_EX | LOCK_NB);
  const std::string head = journalStartHead(header, size);
  const std::uint32_t crc = crcOfSnapshotHead(size);
  const std::string_view runs[2] = {text, more};
  const std::string tail(4, '\0');
  // The child is recorded before it can finish, so a discard never misses it.
  std::unique_lock lock(mutex_);
  const pid_t child = ::fork();
  if (child == 0) writeSnapshotAndExit(fd, head, crc, runs, tail);
  if (child < 0) {
    lock.unlock();
    ::close(fd);
    ::unlink(temp.c_str());
    copy();
    return;
  }
  children_.emplace(id, child);
  queue_.push_back(Op{OpKind::StartWritten, id, std::move(header), temp, child, fd});
  ++queuedCount_;
  lock.unlock();
  wake_.notify_all();
}

void JournalWriter::startFromFile(int id, JournalHeader header, std::string filePath, FileIdentity identity,
                                  DocumentFileInfo howRead, std::uint64_t textSize) {
  Op op{OpKind::StartFromFile, id, std::move(header), std::move(filePath)};
  op.file = FileStart{identity, std::move(howRead), textSize};
  queue(std::move(op));
}

bool JournalWriter::takeLostStart(int id) {
  std::lock_guard lock(mutex_);
  return lostStarts_.erase(id) > 0;
}

bool JournalWriter::childWrote(int child) {
  int status = 0;
  while (::waitpid(child, &status, 0) < 0) {
    if (errno != EINTR) return false;
  }
  return WIFEXITED(status) && WEXITSTATUS(status) == 0;
}

void JournalWriter::append(int id, std::string records) {
  bool wake = false;
  {
    std::lock_guard lock(mutex_);
    // Consecutive records of one journal travel together.
    if (!queue_.empty() && queue_.back().kind == OpKind::Append && queue_.back().id == id) {
      queue_.back().bytes += records;
      return;
    }
    queue_.push_back(Op{OpKind::Append, id, {}, std::move(records)});
    ++queuedCount_;
    wake = idle_;
  }
  if (wake) wake_.notify_all();
}

bool JournalWriter::stopSnapshots(int id) {
  std::lock_guard lock(mutex_);
  auto [from, to] = children_.equal_range(id);
  bool any = false;
  for (auto it = from; it != to; ++it) {
    if (stoppedChildren_.insert(it->second).second) {
      ::kill(it->second, SIGKILL);
      any = true;
    }
  }
  return any;
}

void JournalWriter::discard(int id) {
  // A snapshot still being written is of no more use.
  stopSnapshots(id);
  {
    std::lock_guard lock(mutex_);
    queue_.push_back(Op{OpKind::Discard, id, {}, {}});
    ++queuedCount_;
  }
  wake_.notify_all();
}

void JournalWriter::release(int id) {
  {
    std::lock_guard lock(mutex_);
    queue_.push_back(Op{OpKind::Release, id, {}, {}});
    ++queuedCount_;
  }
  wake_.notify_all();
}

void JournalWriter::flush() {
  std::unique_lock lock(mutex_);
  const std::uint64_t target = queuedCount_;
  flushWanted_ = true;
  wake_.notify_all();
  done_.wait(lock, [&] { return doneCount_ >= target; });
}

void JournalWriter::run() {
  std::unique_lock lock(mutex_);
  for (;;) {
    idle_ = true;
    wake_.wait(lock, [&] { return stop_ || !queue_.empty() || flushWanted_; });
    idle_ = false;
    if (!stop_ && !flushWanted_) {
      // A moment's gathering: typing makes one write and one sync, not one per key.
      wake_.wait_for(lock, delay_, [&] { return stop_ || flushWanted_; });
    }
    flushWanted_ = false;
    std::vector<Op> ops = std::move(queue_);
    queue_.clear();
    const std::uint64_t count = queuedCount_;
    std::map<int, std::string> paths = paths_;
    lock.unlock();
    for (Op& op : ops) {
      if (open_.find(op.id) == open_.end()) open_[op.id].path = paths[op.id];
      perform(op);
    }
    for (auto& [id, f] : open_) {
      if (f.fd >= 0 && f.dirty) {
        if (::fdatasync(f.fd) != 0) fail(f.path);
        f.dirty = false;
      }
    }
    lock.lock();
    doneCount_ = count;
    done_.notify_all();
    if (stop_ && queue_.empty()) break;
  }
}

void JournalWriter::perform(Op& op) {
  Open& f = open_[op.id];
  switch (op.kind) {
    case OpKind::Start: {
      std::string temp;
      const int fd = openNext(f, temp);
      if (fd < 0) {
        fail(f.path);
        stopAppending(f);
        return;
      }
      std::string content = journalStart(op.header, op.bytes);
      op.bytes.clear();
      op.bytes.shrink_to_fit();
      if (!writeAll(fd, content)) {
        fail(f.path);
        dropNext(f, fd, temp);
        return;
      }
      if (!install(f, fd, temp)) fail(f.path);
      break;
    }
    case OpKind::StartWritten: {
      const bool wrote = childWrote(op.child);
      bool stopped = false;
      {
        std::lock_guard lock(mutex_);
        auto [from, to] = children_.equal_range(op.id);
        for (auto it = from; it != to; ++it) {
          if (it->second == op.child) {
            children_.erase(it);
            break;
          }
        }
        stopped = stoppedChildren_.erase(op.child) > 0;
      }
      if (!wrote) {
        if (!stopped) fail(f.path);
        dropNext(f, op.fd, op.bytes);
        return;
      }
      if (!install(f, op.fd, op.bytes)) fail(f.path);
      break;
    }
    case OpKind::StartFromFile: {
      std::string temp;
      const int fd = openNext(f, temp);
      Copied copied = Copied::WriteFailed;
      if (fd < 0) {
        stopAppending(f);
      } else {
        copied = writeStartFromFile(fd, op.header, op.bytes, op.file.identity, op.file.howRead, op.file.textSize);
        if (copied == Copied::Done && install(f, fd, temp)) break;
        if (copied != Copied::Done) dropNext(f, fd, temp);
      }
      // A file changed meanwhile is nobody's fault: the caller starts
      // again from its text without a word.
      if (copied != Copied::FileChanged) fail(f.path);
      std::lock_guard lock(mutex_);
      lostStarts_.insert(op.id);
      break;
    }
    case OpKind::Append:
      if (f.fd < 0) return;
      if (!writeAll(f.fd, op.bytes)) fail(f.path);
      f.dirty = true;
      break;
    case OpKind::Discard:
      if (f.fd >= 0 || !f.path.empty()) ::unlink(f.path.c_str());
      if (f.fd >= 0) ::close(f.fd);
      open_.erase(op.id);
      break;
    case OpKind::Release:
      if (f.fd >= 0) {
        if (f.dirty) ::fdatasync(f.fd);
        ::close(f.fd);
      }
      open_.erase(op.id);
      break;
  }
}

int JournalWriter::openNext(const Open& f, std::string& temp) const {
  ::mkdir(folder_.c_str(), 0700);
  temp = f.path + ".new";
  const int fd = ::open(temp.c_str(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0600);
  if (fd >= 0) ::flock(fd, LOCK_EX | LOCK_NB);
  return fd;
}

void JournalWriter::dropNext(Open& f, int fd, const std::string& temp) {
  ::unlink(temp.c_str());
  ::close(fd);
  stopAppending(f);
}

bool JournalWriter::install(Open& f, int fd, const std::string& temp) {
  if (::fdatasync(fd) != 0 || ::rename(temp.c_str(), f.path.c_str()) != 0) {
    dropNext(f, fd, temp);
    return false;
  }
  if (f.fd >= 0) ::close(f.fd);
  f.fd = fd;
  f.dirty = false;
  if (const int dir = ::open(folder_.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC); dir >= 0) {
    ::fsync(dir);
    ::close(dir);
  }
  return true;
}

void JournalWriter::stopAppending(Open& f) {
  // Edits that follow a start which failed count from the text it held; on
  // the journal the file has they would rebuild something else.
  if (f.fd >= 0) {
    if (f.dirty) ::fdatasync(f.fd);
    ::close(f.fd);
  }
  f.fd = -1;
  f.dirty = false;
}

void JournalWriter::fail(const std::string& what) {
  const std::string reason = std::strerror(errno);
  std::lock_guard lock(mutex_);
  if (error_.empty()) error_ = "Не удалось записать журнал восстановления " + what + ": " + reason;
}

}  // namespace kiv
