#include "ui/recovery/document_journal.h"

#include <QTimer>
#include <algorithm>

#include "core/recovery/journal_writer.h"
#include "ui/editor/control/editing_control.h"
#include "ui/editor/document_window.h"

namespace kiv {

namespace {
// Edits smaller than this are appended; a larger one (a replacement of the
// whole text, say) is followed by a fresh copy of the text instead.
constexpr std::uint64_t kLargeEdit = 1 << 20;
// Appended edits past the text's size (and past this) call for a fresh copy.
constexpr std::uint64_t kMinimumTail = 1 << 20;
// A text read from a file at least this large is not read from memory for
// the journal's start while it is unchanged: the file is copied instead.
// Reading it from memory would leave every page of the text shared with
// the process writing it, and the next edit far from the last would copy
// them all.
constexpr std::uint64_t kFileStartFrom = 4 << 20;
}  // namespace

DocumentJournal::DocumentJournal(DocumentWindow* doc, JournalWriter* writer)
    : QObject(doc), doc_(doc), writer_(writer), id_(writer->create()) {
  EditingControl* control = doc->control();
  connect(control, &QsciScintillaBase::SCN_MODIFIED, this,
          [this](int position, int type, const char* text, int length, int, int, int, int, int, int) {
            modified(position, type, text, length);
          });
  connect(control, &QsciScintillaBase::SCN_SAVEPOINTREACHED, this, [this] {
    if (!doc_->control()->modifiedFlag()) discard();
  });
  connect(control, &EditingControl::charsetChanged, this, [this](const QString&) { refreshHeader(); });
  connect(doc, &DocumentWindow::closing, this, [this](DocumentWindow*) { discard(); });
}

DocumentJournal::~DocumentJournal() {
  // A document destroyed without being closed (the program is ending)
  // leaves its journal for the next start.
  if (active_ && !kept_) writer_->release(id_);
}

JournalHeader DocumentJournal::describe() const {
  JournalHeader h;
  h.fileName = doc_->fileName();
  h.hasFile = doc_->hasFile();
  h.charset = doc_->charset();
  h.shape = doc_->fileShape();
  h.disk = doc_->diskFile().known;
  return h;
}

void DocumentJournal::startNow() {
  if (kept_) return;
  // Read in place: a large text is written by a child process, not copied.
  const auto runs = doc_->control()->textInPlace();
  written_ = describe();
  base_ = runs[0].size() + runs[1].size();
  appended_ = 0;
  snapshotDue_ = false;
  fromFile_ = false;
  active_ = true;
  writer_->startFrom(id_, written_, runs[0], runs[1]);
}

void DocumentJournal::saveStarting() {
  if (!active_ || kept_ || !writer_->stopSnapshots(id_)) return;
  QTimer::singleShot(0, this, [this] {
    if (active_ && !kept_ && doc_->control()->modifiedFlag()) startNow();
  });
}

void DocumentJournal::discard() {
  if (!active_ || kept_) return;
  active_ = false;
  writer_->discard(id_);
}

void DocumentJournal::keep() {
  if (kept_) return;
  if (active_ && fromFile_) {
    // The journal is kept with the file copied, or with the text if the
    // copy could not be made.
    writer_->flush();
    if (writer_->takeLostStart(id_)) snapshotDue_ = true;
  }
  kept_ = true;
  if (active_) {
    if (snapshotDue_) {
      // The edits since the last record are only in the control.
      kept_ = false;
      startNow();
      kept_ = true;
    }
    refreshHeader();
    writer_->release(id_);
  }
}

void DocumentJournal::refreshHeader() {
  // A start from the file that could not be made is made from the text.
  if (writer_->takeLostStart(id_) && active_ && !kept_ && doc_->control()->modifiedFlag()) {
    startNow();
    return;
  }
  if (!active_ || snapshotDue_) return;
  const JournalHeader now = describe();
  if (now == written_) return;
  written_ = now;
  std::string record = journalHeaderRecord(now);
  appended_ += record.size();
  writer_->append(id_, std::move(record));
}

std::string DocumentJournal::editRecord(int position, int type, const char* text, std::uint64_t length) const {
  return (type & QsciScintillaBase::SC_MOD_INSERTTEXT)
             ? journalInsertRecord(static_cast<std::uint64_t>(position),
                                   std::string_view(text ? text : "", text ? length : 0))
             : journalDeleteRecord(static_cast<std::uint64_t>(position), length);
}

bool DocumentJournal::startFromFile(const DocumentWindow::ReadFrom& from, int position, int type, const char* text,
                                    int length) {
  const auto n = static_cast<std::uint64_t>(std::max(0, length));
  const auto now = static_cast<std::uint64_t>(doc_->control()->SendScintilla(QsciScintillaBase::SCI_GETLENGTH));
  const bool insert = type & QsciScintillaBase::SC_MOD_INSERTTEXT;
  if (insert && now < n) return false;
  const std::uint64_t before = insert ? now - n : now + n;
  // The text before this change must be what the file made of it.
  if (before < kFileStartFrom || before != from.info.shownSize || n >= kLargeEdit) return false;
  if (fileIdentity(from.path) != from.identity) return false;
  written_ = describe();
  base_ = static_cast<std::uint64_t>(from.identity.size);
  snapshotDue_ = false;
  fromFile_ = true;
  active_ = true;
  writer_->startFromFile(id_, written_, from.path, from.identity, from.info, before);
  std::string record = editRecord(position, type, text, n);
  appended_ = record.size();
  writer_->append(id_, std::move(record));
  return true;
}

void DocumentJournal::modified(int position, int type, const char* text, int length) {
  if (kept_ || !(type & (QsciScintillaBase::SC_MOD_INSERTTEXT | QsciScintillaBase::SC_MOD_DELETETEXT))) return;
  // Any change makes the text other than what its file made.
  const std::optional<DocumentWindow::ReadFrom> readFrom = doc_->takeReadFrom();
  if (!active_) {
    // The first change: the text as it now is (this change included).
    if (doc_->control()->modifiedFlag() && !(readFrom && startFromFile(*readFrom, position, type, text, length)))
      startNow();
    return;
  }
  if (snapshotDue_) return;  // the coming copy holds this change
  const auto n = static_cast<std::uint64_t>(std::max(0, length));
  if (n >= kLargeEdit || appended_ > std::max(base_, kMinimumTail)) {
    scheduleSnapshot();
    return;
  }
  std::string record = editRecord(position, type, text, n);
  appended_ += record.size();
  writer_->append(id_, std::move(record));
}

void DocumentJournal::scheduleSnapshot() {
  snapshotDue_ = true;
  // After the command that makes the edits has finished its run of them.
  QTimer::singleShot(0, this, [this] {
    if (active_ && snapshotDue_ && !kept_) startNow();
  });
}

}  // namespace kiv
