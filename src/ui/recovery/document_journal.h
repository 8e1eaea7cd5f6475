#pragma once
// The recovery journal of one document window. It sleeps while the
// document has no unsaved changes; the first change writes the whole text,
// later ones are appended as edit records (the writing thread puts them on
// disk), and a long tail of edits is replaced by a fresh copy of the text
// now and then. Saving, reverting or closing the document deletes the
// journal; when the program ends without closing it (a signal, the end of
// the desktop session), it is kept.

#include <QObject>
#include <cstdint>
#include <string>

#include "core/recovery/journal_format.h"
#include "ui/editor/document_window.h"

namespace kiv {

class JournalWriter;

class DocumentJournal : public QObject {
  Q_OBJECT
 public:
  DocumentJournal(DocumentWindow* doc, JournalWriter* writer);
  ~DocumentJournal() override;

  DocumentWindow* document() const { return doc_; }
  bool active() const { return active_; }
  // Writes the whole document now (a recovered document, which is modified
  // before anything is typed).
  void startNow();
  // A save of the document is about to begin: a snapshot still being
  // written is given up (the saved file takes its place). A document still
  // modified once the save is over gets a fresh one.
  void saveStarting();
  // The document was saved, reverted or closed on purpose.
  void discard();
  // The program ends and keeps the journal; nothing more is written.
  void keep();
  // Adds a header record when the name, code page or file shape changed.
  void refreshHeader();
  // About how large the journal file is (bytes written or queued).
  std::uint64_t journalBytes() const { return base_ + appended_; }

 private:
  JournalHeader describe() const;
  void modified(int position, int type, const char* text, int length);
  // The first change to a large text read from a file and unchanged since:
  // the journal starts from a copy of the file, then this change. False
  // when that cannot be (the file changed, the text is small).
  bool startFromFile(const DocumentWindow::ReadFrom& from, int position, int type, const char* text, int length);
  std::string editRecord(int position, int type, const char* text, std::uint64_t length) const;
  void scheduleSnapshot();

  DocumentWindow* doc_;
  JournalWriter* writer_;
  int id_;
  bool active_ = false;
  bool kept_ = false;
  bool snapshotDue_ = false;
  bool fromFile_ = false;  // the last start was from the document's file
  JournalHeader written_;
  std::uint64_t base_ = 0;      // size of the last snapshot
  std::uint64_t appended_ = 0;  // edit records since
};

}  // namespace kiv
