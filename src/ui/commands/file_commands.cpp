#include "ui/commands/file_commands.h"

#include <QAction>
#include <QDir>
#include <QFileInfo>
#include <QMdiArea>
#include <QMessageBox>
#include <QStatusBar>

#include "core/charsets/case1251.h"
#include "core/charsets/charset_detect.h"
#include "core/common/file_bytes.h"
#include "core/common/file_identity.h"
#include "core/document/document_rules.h"
#include "core/document/image_size.h"
#include "core/fileio/file_formats.h"
#include "core/fileio/piece_relay.h"
#include "core/versions/versions.h"
#include "ui/app/documents_list.h"
#include "ui/app/main_window.h"
#include "ui/commands/handlers.h"
#include "ui/commands/save_checks.h"
#include "ui/common/dialogs.h"
#include "ui/common/qt_text.h"
#include "ui/editor/control/editing_control.h"
#include "ui/editor/document_window.h"
#include "ui/editor/editor_interface.h"

namespace kiv {

namespace {

// A Windows filter ("Name|*.a;*.b|…") as Qt filters, matching extensions
// without regard to case.
QStringList qtFilters(const QString& windowsFilter) {
  QStringList out;
  const QStringList parts = windowsFilter.split(QLatin1Char('|'));
  for (int i = 0; i + 1 < parts.size(); i += 2) {
    QStringList patterns;
    for (const QString& p : parts[i + 1].split(QLatin1Char(';'), Qt::SkipEmptyParts)) {
      QString ci;
      for (const QChar c : p) {
        if (c.isLetter()) ci += QStringLiteral("[%1%2]").arg(c.toLower()).arg(c.toUpper());
        else ci += c;
      }
      patterns << ci;
    }
    out << QStringLiteral("%1 (%2)").arg(parts[i], patterns.join(QLatin1Char(' ')));
  }
  return out;
}

QString folderOf(const QString& file) { return QFileInfo(file).absolutePath() + QLatin1Char('/'); }

}  // namespace

QString openDialogFilter() {
  return qtFilters(QStringLiteral(
                       "All text files|*.TXT;*htm;*.html;*.ANS;*.ASC;*.NFO;*.CFG;*.CSS;*.BAT;*.INI;*.PAS;*.CPP;*.h;*.css|"
                       "Text Files (*.TXT)|*.TXT|All files|*.*|HTML|*.HTM;*.HTML"))
      .join(QStringLiteral(";;"));
}

QStringList saveDialogFilters() {
  return qtFilters(QStringLiteral(
      "Все текстовые файлы|*.txt;*.ini;*.htm;*html;*.ans;*.asc;*.nfo;*.cpp;*.pas|Text Files (*.TXT)|*.txt|"
      "HTML-файлы|*.htm;*.html|Все файлы|*.*"));
}

void writeDocumentText(MainWindow& main, const std::string& fileName, const std::string& text) {
  FileFormat* io = main.fileFormats().find("std_txt");
  io->fileName = fileName;
  io->writeText(text, "std_txt");
}

void saveAllDocuments(MainWindow& main) {
  QStringList failures;
  const QList<DocumentWindow*> docs = main.editor().documents();
  for (auto it = docs.rbegin(); it != docs.rend(); ++it) {
    DocumentWindow* t = *it;
    if (!t->hasFile()) continue;
    try {
      saveDocumentFile(main, t, t->fileName());
    } catch (const FileError& e) {
      failures << qs(e.what());
    }
  }
  if (!failures.isEmpty()) main.reportError(failures.join(QLatin1Char('\n')));
}

void openRecent(MainWindow& main, const std::string& fileName) {
  int number = 0;
  for (const auto& e : main.recent().entries())
    if (e.fileName == fileName) number = e.number;
  if (!QFileInfo(qpath(fileName)).isFile()) return;
  if (main.openFile(qpath(fileName))) main.editor().scrollBy(0, number);
}

void dropFiles(MainWindow& main, const QStringList& files) {
  for (const QString& file : files) {
    const std::string path = spath(file);
    const std::string ext = lowerCase1251(fileExtension(path));
    if (!isDroppedImageExtension(ext)) {
      main.openFile(file);
      main.config().session.lastOpenFolder = spath(folderOf(file));
      main.setHostCaption(QFileInfo(file).absoluteFilePath());
      continue;
    }
    // A picture becomes an image tag in the active document; with no
    // document open the rest of the drop is skipped.
    if (!main.hasDocument()) return;
    const char kind = imageKindOfExtension(ext);
    ImageSize size;
    if (kind) {
      const auto data = readFileBytes(path);
      if (data) size = kind == 'J' ? jpegSize(*data) : kind == 'P' ? pngSize(*data) : gifSize(*data);
    }
    const std::string name = main.activeDocument()
                                 ? encodeText(qs(fileNameOnly(path)), main.activeDocument()->charset())
                                 : fileNameOnly(path);
    main.editor().insertAtCaret(imageTag(name, kind, size));
  }
}

namespace {


QString outOfMemoryOpening(const std::string& path) {
  return QStringLiteral("Недостаточно памяти, чтобы открыть файл %1").arg(qpath(path));
}

constexpr std::uint64_t kRelayFrom = 4 << 20;

QString cannotOpen(const std::string& path) { return qs("Cannot open file " + path); }

}  // namespace

std::optional<DocumentFileInfo> examineDocumentFile(MainWindow& main, const std::string& path) {
  try {
    std::optional<DocumentFileInfo> info = scanDocumentFile(path, main.settings().detectEncoding);
    if (!info) main.reportError(cannotOpen(path));
    return info;
  } catch (const std::bad_alloc&) {
    main.reportError(outOfMemoryOpening(path));
  }
  return std::nullopt;
}

bool readIntoDocument(MainWindow& main, DocumentWindow* doc, const std::string& path, const DocumentFileInfo& info,
                      bool asUndoStep) {
  const auto make = [&](const DocumentWindow::TextPieces& take) {
    ShownTextMaker maker(info, take);
    const bool read = readFileBlocks(path, kReadBlockSize, [&](std::string_view block) { maker.feed(block); });
    maker.finish();
    return read;
  };
  // A large text is made on another core while the control takes it in.
  const auto produce = [&](const DocumentWindow::TextPieces& take) {
    return info.shownSize >= kRelayFrom ? relayPieces(make, take) : make(take);
  };
  try {
    if (!doc->loadFileText(info, asUndoStep ? DocumentWindow::LoadMode::UndoStep : DocumentWindow::LoadMode::Fresh,
                           path, produce)) {
      main.reportError(cannotOpen(path));
      return false;
    }
  } catch (const std::bad_alloc&) {
    main.reportError(outOfMemoryOpening(path));
    return false;
  }
  if (info.utf8Foreign) main.showStatusMessage(QString::fromUtf8(kMsgUtf8Foreign));
  if (info.cutLinesAt != 0) main.showStatusMessage(QString::fromUtf8(kMsgLongLinesCut));
  return true;
}

void revertDocument(MainWindow& main, DocumentWindow* doc) {
  if (!doc) return;
  // Taken before reading: a change during the read is noticed next time.
  const std::optional<FileIdentity> identity = fileIdentity(doc->fileName());
  const auto info = examineDocumentFile(main, doc->fileName());
  if (!info || !readIntoDocument(main, doc, doc->fileName(), *info, true)) return;
  doc->control()->setModifiedFlag(false);
  doc->setDiskIdentity(identity);
  if (identity) doc->setReadFrom(DocumentWindow::ReadFrom{doc->fileName(), *info, *identity});
}

void saveDocumentTo(MainWindow&, DocumentWindow* doc, const std::string& fileName) {
  // Written as they are made: no copy of the whole file is held.
  const auto pieces = doc->control()->filePieces(doc->fileShape());
  writeFileOrThrow(fileName, [&] { return pieces->next(); });
}

void writeBackupCopy(MainWindow& main, DocumentWindow* doc) {
  if (!doc || !doc->hasFile()) return;
  const std::string backup = backupCopyName(doc->fileName());
  if (!backup.empty()) saveDocumentTo(main, doc, backup);
}


QString systemFile(const QString& which) {
  QStringList roots;
  const QString windir = qEnvironmentVariable("WINDIR");
  if (!windir.isEmpty()) roots << windir;
  const QString prefix = qEnvironmentVariable("WINEPREFIX", QDir::homePath() + QStringLiteral("/.wine"));
  roots << prefix + QStringLiteral("/drive_c/windows");
  QString path;
  if (which == QLatin1String("autoexec.bat")) {
    path = prefix + QStringLiteral("/drive_c/autoexec.bat");
    return QFileInfo(path).isFile() ? path : QString();
  }
  for (const QString& root : roots) {
    path = root + QLatin1Char('/') + which;
    if (QFileInfo(path).isFile()) return path;
  }
  return QString();
}

void updateSystemFileItems(MainWindow& main) {
  const struct {
    const char* component;
    const char* file;
  } items[] = {{"mniwinini1", "win.ini"}, {"mnisystemini1", "system.ini"}, {"mniautoexecbat1", "autoexec.bat"}};
  for (const auto& i : items)
    if (QAction* a = main.action(QString::fromLatin1(i.component)))
      a->setEnabled(!systemFile(QString::fromLatin1(i.file)).isEmpty());
}

bool saveActiveAs(MainWindow& main, const QString& chosen) {
  DocumentWindow* doc = main.activeDocument();
  if (!doc) return false;
  const QString file = QFileInfo(chosen).absoluteFilePath();
  main.config().session.lastOpenFolder = spath(folderOf(file));
  const bool hadFile = doc->hasFile();
  doc->setHasFile(true);
  // The file is written before the document takes the new name, so a failed
  // write leaves names, lists and slots as they were.
  try {
    if (!saveDocumentFile(main, doc, spath(file))) {
      doc->setHasFile(hadFile);
      return false;
    }
  } catch (const FileError& e) {
    doc->setHasFile(hadFile);
    main.reportError(qs(e.what()));
    return false;
  }
  main.editor().setFileName(spath(file));
  main.documentsList().rename(doc);
  main.editor().setModified(false);
  main.setHostCaption(file);
  return true;
}

namespace cmd {

void newDocument(MainWindow& main) { main.newDocument(); }

void openFiles(MainWindow& main) {
  const auto chosen = chooseFilesToOpen(&main, QStringLiteral("Выбор файла:"), qpath(main.config().session.lastOpenFolder),
                                        openDialogFilter().split(QStringLiteral(";;")));
  if (!chosen) return;
  const QStringList files = *chosen;
  for (const QString& f : files)
    if (QFileInfo(f).isFile()) main.openFile(f);
  if (!files.isEmpty()) {
    main.config().session.lastSaveFolder = spath(folderOf(files.first()));
    main.config().session.lastOpenFolder = spath(folderOf(files.first()));
  }
  main.editor().applyTextBackground();
}

void save(MainWindow& main) {
  if (!main.hasDocument()) return;
  const std::string name = main.editor().fileName();
  if (name.find("untitled") != std::string::npos) return saveAs(main);
  DocumentWindow* doc = main.activeDocument();
  const bool hadFile = doc->hasFile();
  main.editor().setHasFile(true);
  try {
    if (!saveDocumentFile(main, doc, name)) {
      // The other program's change is kept; the document stays modified.
      doc->setHasFile(hadFile);
      return;
    }
  } catch (const FileError& e) {
    // The old file is untouched and the document stays modified.
    doc->setHasFile(hadFile);
    main.reportError(qs(e.what()));
    return;
  }
  main.editor().setModified(false);
  main.setHostCaption(qpath(name));
  main.editor().focusText();
}

void saveAs(MainWindow& main) {
  if (!main.hasDocument()) return;
  const auto chosen = chooseFileToSave(&main, QStringLiteral("Сохранить файл"), qpath(main.config().session.lastSaveFolder),
                                       saveDialogFilters(), 3, QStringLiteral("txt"));
  if (!chosen) return;
  const QString file = *chosen;
  if (QFileInfo::exists(file) &&
      askYesNoCancel(&main, QStringLiteral("OK для перезаписи %1").arg(file)) != QMessageBox::Yes)
    return;
  saveActiveAs(main, file);
}

void saveAll(MainWindow& main) {
  if (!main.hasDocument()) return;
  saveAllDocuments(main);
}

void revertToSaved(MainWindow& main) { revertDocument(main, main.activeDocument()); }

void print(MainWindow& main) {
  if (!main.hasDocument()) return;
  main.editor().print();
}

void openWinIni(MainWindow& main) {
  const QString f = systemFile(QStringLiteral("win.ini"));
  if (!f.isEmpty()) main.openFile(f);
}

void openSystemIni(MainWindow& main) {
  const QString f = systemFile(QStringLiteral("system.ini"));
  if (!f.isEmpty()) main.openFile(f);
}

void openAutoexecBat(MainWindow& main) {
  const QString f = systemFile(QStringLiteral("autoexec.bat"));
  if (!f.isEmpty()) main.openFile(f);
}

void exitProgram(MainWindow& main) { main.close(); }

}  // namespace cmd
}  // namespace kiv
