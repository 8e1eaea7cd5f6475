#include "ui/recovery/recovery_keeper.h"

#include <QDir>
#include <QTimer>

#include "core/charsets/charset_id.h"
#include "core/document/document_rules.h"
#include "core/fileio/document_file_stream.h"
#include "core/recovery/journal_writer.h"
#include "core/recovery/left_journals.h"
#include "ui/app/documents_list.h"
#include "ui/app/main_window.h"
#include "ui/app/termination_watch.h"
#include "ui/common/qt_text.h"
#include "ui/editor/control/editing_control.h"
#include "ui/editor/document_window.h"
#include "ui/editor/editor_interface.h"
#include "ui/recovery/document_journal.h"
#include "ui/recovery/recovery_window.h"

namespace kiv {

RecoveryKeeper::RecoveryKeeper(MainWindow* main, const QString& folder)
    : QObject(main), main_(main), folder_(folder), writer_(std::make_unique<JournalWriter>(spath(folder))) {
  // Names and code pages changed by commands that make no edit reach the
  // journals within a second.
  auto* timer = new QTimer(this);
  timer->setInterval(1000);
  connect(timer, &QTimer::timeout, this, [this] {
    for (DocumentJournal* j : findChildrenJournals()) j->refreshHeader();
  });
  timer->start();
  // A program ended by a signal while its interface is busy still writes
  // out what was typed.
  setLastWords([this] { writer_->flush(); });
}

RecoveryKeeper::~RecoveryKeeper() { setLastWords({}); }

RecoveryWindow* RecoveryKeeper::window() const { return window_.data(); }

std::vector<DocumentJournal*> RecoveryKeeper::findChildrenJournals() const {
  std::vector<DocumentJournal*> out;
  for (DocumentWindow* doc : main_->editor().documents())
    if (DocumentJournal* j = journalOf(doc)) out.push_back(j);
  return out;
}

void RecoveryKeeper::watch(DocumentWindow* doc) { new DocumentJournal(doc, writer_.get()); }

DocumentJournal* RecoveryKeeper::journalOf(DocumentWindow* doc) const {
  return doc ? doc->findChild<DocumentJournal*>(QString(), Qt::FindDirectChildrenOnly) : nullptr;
}

void RecoveryKeeper::keepAll() {
  for (DocumentJournal* j : findChildrenJournals()) j->keep();
  writer_->flush();
}

void RecoveryKeeper::flush() { writer_->flush(); }

void RecoveryKeeper::removeFolderIfEmpty() {
  writer_->flush();
  QDir().rmdir(folder_);
}

void RecoveryKeeper::removeFolderIfEmptyNow() { QDir().rmdir(folder_); }

bool RecoveryKeeper::offerLeftJournals() {
  std::vector<std::unique_ptr<LeftJournal>> left = takeLeftJournals(spath(folder_));
  if (left.empty()) return false;
  if (window_) window_->close();
  window_ = new RecoveryWindow(main_, this, std::move(left));
  window_->show();
  window_->raise();
  return true;
}

DocumentWindow* RecoveryKeeper::recover(LeftJournal& journal) {
  const JournalContent& c = journal.content();
  if (!c.readable) return nullptr;
  DocumentWindow* doc = main_->editor().createDocument(main_);
  DocumentFileInfo info;
  info.charset = charset::isKnown(c.header.charset) ? c.header.charset : std::string(charset::kWin);
  info.shape = c.header.shape;
  info.shownSize = c.text.size();
  const std::string fileName = c.header.hasFile ? c.header.fileName : std::string();
  doc->loadFileText(info, DocumentWindow::LoadMode::Fresh, fileName, [&](const DocumentWindow::TextPieces& put) {
    put(c.text);
    return true;
  });
  doc->setHasFile(c.header.hasFile);
  doc->setName(c.header.fileName);
  if (c.header.hasFile) doc->selectHighlighter(qs(highlighterForFile(c.header.fileName)));
  // Saving over a file that changed since asks first, as for any document.
  doc->setDiskIdentity(c.header.disk);
  main_->documentsList().add(doc);
  doc->control()->setModifiedFlag(true);
  if (DocumentJournal* j = journalOf(doc)) j->startNow();
  writer_->flush();
  journal.remove();
  return doc;
}

}  // namespace kiv
