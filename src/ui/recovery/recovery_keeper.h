#pragma once
// Crash recovery for the whole program: a journal for every document with
// unsaved changes in the "Recovery" folder beside kiv.ini, and at start the
// journals a program that did not end cleanly left behind, offered back in
// the recovery window.

#include <QObject>
#include <QPointer>
#include <QString>
#include <memory>
#include <vector>

namespace kiv {

class DocumentJournal;
class DocumentWindow;
class JournalWriter;
class LeftJournal;
class MainWindow;
class RecoveryWindow;

class RecoveryKeeper : public QObject {
  Q_OBJECT
 public:
  // folder ends in "/".
  RecoveryKeeper(MainWindow* main, const QString& folder);
  ~RecoveryKeeper() override;

  const QString& folder() const { return folder_; }
  JournalWriter& writer() { return *writer_; }
  // Gives a new document window its journal.
  void watch(DocumentWindow* doc);
  DocumentJournal* journalOf(DocumentWindow* doc) const;
  // The program ends without closing its documents on purpose: every
  // journal is written out and kept for the next start.
  void keepAll();
  // Everything queued is on disk. Safe from any thread.
  void flush();
  // Clean exit: the folder goes when nothing is left in it.
  void removeFolderIfEmpty();
  // The same without waiting for the writer: for an end by signal or by the
  // session, where the journals were already written out and kept.
  void removeFolderIfEmptyNow();

  // Takes the journals left by a program that did not end cleanly and
  // shows them in the recovery window; false when there were none.
  bool offerLeftJournals();
  RecoveryWindow* window() const;
  // Opens the journal's document: modified, with its name, code page and
  // file shape. Its journal file is deleted once the new one is written.
  // nullptr when the journal cannot be read.
  DocumentWindow* recover(LeftJournal& journal);

 private:
  std::vector<DocumentJournal*> findChildrenJournals() const;

  MainWindow* main_;
  QString folder_;
  std::unique_ptr<JournalWriter> writer_;
  QPointer<RecoveryWindow> window_;
};

}  // namespace kiv
