#pragma once
// Writes recovery journals on a thread of its own, so that the thread that
// edits only queues records. What is queued reaches the disk (written and
// synchronised) within the delay given, or at once on flush(). Each journal
// file is held locked while it is open, so another program running from the
// same folder never takes it for a journal left by a crash.

#include <chrono>
#include <condition_variable>
#include <cstdint>
#include <map>
#include <mutex>
#include <set>
#include <string>
#include <thread>
#include <vector>

#include "core/recovery/journal_format.h"

namespace kiv {

class JournalWriter {
 public:
  // Journals go into `folder`, which is created when the first is written.
  explicit JournalWriter(std::string folder, std::chrono::milliseconds delay = std::chrono::milliseconds(200));
  // Writes what is queued and closes the files; they stay on disk.
  ~JournalWriter();
  JournalWriter(const JournalWriter&) = delete;
  JournalWriter& operator=(const JournalWriter&) = delete;

  const std::string& folder() const { return folder_; }
  // A new journal (no file yet); returns its id.
  int create();
  // The journal's whole content becomes the header and the text (a fresh
  // file replaces the old one only once it is complete).
  void start(int id, JournalHeader header, std::string text);
  // The same, for a text (in one or two runs, one after the other) that is
  // read here and not kept: a large one is written by a child process that
  // sees this moment's memory (the pages are shared until either side
  // changes them), so neither the caller nor the writing thread copies it.
  // The text must stay unchanged only until this returns.
  void startFrom(int id, JournalHeader header, std::string_view text, std::string_view more = {});
  // The same for a text made of the document's file (as `howRead` says,
  // `textSize` bytes long) and not changed since: the file is copied here
  // on the writing thread, nothing read from memory. When the file is no
  // longer the one described, or cannot be copied, nothing more is appended
  // and takeLostStart(id) says so once; the caller then starts again from
  // its text.
  void startFromFile(int id, JournalHeader header, std::string filePath, FileIdentity identity,
                     DocumentFileInfo howRead, std::uint64_t textSize);
  bool takeLostStart(int id);
  // Records appended to the journal (after a start).
  void append(int id, std::string records);
  // The journal's file is deleted.
  void discard(int id);
  // Snapshots of the journal still being written are given up (a save is
  // about to make them useless); true when there was one. Until the next
  // start nothing more is appended: the journal stays as it last was.
  bool stopSnapshots(int id);
  // The journal's file is written and closed, and stays.
  void release(int id);
  // Returns once everything queued so far is on disk. Safe from any thread.
  void flush();

  std::string path(int id) const;
  // The first failure to write a journal (Russian, for the user); "" when none.
  std::string lastError() const;

 private:
  enum class OpKind { Start, Append, Discard, Release, StartWritten, StartFromFile };
  // What a start from the document's file copies.
  struct FileStart {
    FileIdentity identity;
    DocumentFileInfo howRead;
    std::uint64_t textSize = 0;
  };
  struct Op {
    OpKind kind;
    int id;
    JournalHeader header;
    std::string bytes;
    // StartWritten: the child writing `bytes` (the temporary file's path) and the file.
    int child = -1;
    int fd = -1;
    // StartFromFile: `bytes` is the file's path.
    FileStart file{};
  };
  struct Open {
    std::string path;
    int fd = -1;
    bool dirty = false;
  };
  void run();
  void perform(Op& op);
  void fail(const std::string& what);
  void stopAppending(Open& f);
  // The file the journal's next whole content is written to (-1 when it
  // cannot be made); dropped unfinished, or put in the journal's place.
  int openNext(const Open& f, std::string& temp) const;
  void dropNext(Open& f, int fd, const std::string& temp);
  bool install(Open& f, int fd, const std::string& temp);
  void queue(Op op);
  // Waits for a child's snapshot; true when it is complete on disk.
  bool childWrote(int child);

  std::string folder_;
  std::chrono::milliseconds delay_;
  mutable std::mutex mutex_;
  std::condition_variable wake_;
  std::condition_variable done_;
  std::vector<Op> queue_;
  std::uint64_t queuedCount_ = 0;
  std::uint64_t doneCount_ = 0;
  bool flushWanted_ = false;
  // The thread waits for work (not gathering it): only then is it woken, so
  // that a keystroke costs no thread switch.
  bool idle_ = false;
  bool stop_ = false;
  std::string error_;
  int nextId_ = 1;
  std::map<int, std::string> paths_;  // guarded by mutex_
  // Children still writing a snapshot, by journal (guarded by mutex_): a
  // journal discarded meanwhile stops them.
  std::multimap<int, int> children_;
  std::set<int> stoppedChildren_;
  int snapshots_ = 0;
  std::set<int> lostStarts_;  // guarded by mutex_
  std::map<int, Open> open_;          // the writing thread's own
  std::thread thread_;
};

}  // namespace kiv
