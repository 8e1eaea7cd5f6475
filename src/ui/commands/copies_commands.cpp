// Templates, backup copies and versions of documents.

#include <QFileInfo>
#include <QMessageBox>

#include "core/common/file_bytes.h"
#include "core/common/regional.h"
#include "core/datetime/date_texts.h"
#include "core/versions/versions.h"
#include "ui/app/documents_list.h"
#include "ui/app/main_window.h"
#include "ui/commands/file_commands.h"
#include "ui/commands/handlers.h"
#include "ui/common/dialogs.h"
#include "ui/common/qt_text.h"
#include "ui/editor/control/editing_control.h"
#include "ui/editor/document_window.h"
#include "ui/editor/editor_interface.h"

namespace kiv {

namespace {

// Writes a version of a document's text; a failed write is reported and
// nothing else happens.
void writeVersion(MainWindow& main, const std::string& fileName, bool hasFile, const std::string& text,
                  const std::string& charset) {
  const VersionOptions& o = main.settings().versions;
  const RegionalFormat& rf = regionalFormat();
  const VersionPlan plan = planVersion(fileName, hasFile, text, charset, o, currentLocalDateTime(),
                                      rf.shortDatePattern, directoryExists(o.copyFolder));
  QStringList failures;
  for (const auto& target : plan.targets) {
    try {
      writeDocumentText(main, target, plan.content);
    } catch (const FileError& e) {
      failures << qs(e.what());
    }
  }
  if (!failures.isEmpty()) main.reportError(failures.join(QLatin1Char('\n')));
}

}  // namespace

void saveVersionOnClose(MainWindow& main, const std::string& fileName) {
  DocumentWindow* doc = DocumentWindow::closingDocument();
  if (!doc) return;
  writeVersion(main, fileName, doc->hasFile(), doc->control()->textCrLf(), doc->charset());
}

namespace cmd {

void newFromTemplate(MainWindow& main) {
  const auto files = chooseFilesToOpen(&main, QStringLiteral("Выбор файла:"), qpath(main.settings().templatesFolder),
                                       openDialogFilter().split(QStringLiteral(";;")), false);
  if (!files || files->isEmpty()) return;
  const std::string path = spath(files->first());
  const auto info = examineDocumentFile(main, path);
  if (!info) return;
  // The new document keeps its "untitled" name and has no file: Save asks
  // for one. It is laid out as the template file is.
  DocumentWindow* doc = main.newDocument();
  if (!readIntoDocument(main, doc, path, *info, false)) main.discardDocument(doc);
}

void saveAsTemplate(MainWindow& main) {
  if (!main.hasDocument()) return;
  const auto file = chooseFileToSave(&main, QStringLiteral("Сохранить файл"), qpath(main.settings().templatesFolder),
                                     saveDialogFilters(), 3, QStringLiteral("txt"));
  if (!file) return;
  if (QFileInfo::exists(*file) &&
      askYesNoCancel(&main, QStringLiteral("OK для перезаписи %1").arg(*file)) != QMessageBox::Yes)
    return;
  saveActiveAs(main, *file);
}

void saveBackupCopy(MainWindow& main) {
  DocumentWindow* doc = main.activeDocument();
  if (!doc || !doc->hasFile()) return;
  writeBackupCopy(main, doc);
}

void loadBackupCopy(MainWindow& main) {
  DocumentWindow* doc = main.activeDocument();
  if (!doc) return;
  const std::string backup = backupCopyName(doc->fileName());
  if (!backup.empty() && fileExists(backup)) main.openFile(qpath(backup));
}

void saveVersion(MainWindow& main) {
  DocumentWindow* doc = main.activeDocument();
  if (!doc) return;
  writeVersion(main, doc->fileName(), doc->hasFile(), doc->control()->textCrLf(), doc->charset());
}

}  // namespace cmd
}  // namespace kiv
