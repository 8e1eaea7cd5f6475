// File commands and the documents list: new, open, save, save as, save all,
// revert, recent files, dropped files, backups on open, the "Документы"
// menu and window, the help files.

#include <sys/resource.h>

#include <QAction>
#include <QComboBox>
#include <QDir>
#include <QListWidget>
#include <QTemporaryDir>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QMenu>
#include <QMessageBox>
#include <QMimeData>
#include <QTest>
#include <QUrl>
#include <csignal>

#include "support/test_env.h"
#include "ui/app/documents_list.h"
#include "ui/app/main_window.h"
#include "ui/commands/command_dispatch.h"
#include "ui/commands/command_table.h"
#include "ui/commands/file_commands.h"
#include "ui/common/sound_player.h"
#include "ui/editor/control/editing_control.h"
#include "ui/editor/document_window.h"
#include "ui/editor/editor_interface.h"
#include "ui/tools/documents_window.h"

using namespace kiv;

class FileCommandsTest : public QObject {
  Q_OBJECT
 private slots:
  void init();
  void cleanup();
  void newNamesUntitledAndOpenKeepsTheCounter();
  void saveRoundTripThroughRecentListRestoresTextAndTopLine();
  void saveOfAnUntitledNameGoesToSaveAs();
  void saveAsAsksBeforeOverwritingAndRenamesLists();
  void failedSaveKeepsOldFileAndStaysModified();
  void failedSaveAsLeavesNamesAndListsAlone();
  void saveAllWritesEachDocumentsOwnText();
  void revertReloadsAndFailsSafelyWithoutFile();
  void openReadErrorLeavesNoWindow();
  void openDialogOpensEveryChosenFile();
  void recentEntryOfMissingFileStays();
  void backupOnOpen();
  void droppedFilesOpenOrBecomeImageTags();
  void documentSlotsAndWindowList();
  void namesWithAmpersandAndCaseStayDistinct();
  void activatingRestoresMinimizedWindows();
  void windowArrangement();
  void helpItems();
  void systemFilesFollowTheirExistence();

 private:
  DocumentWindow* open(const QString& name, const std::string& bytes);
  ProgramSession s_;
  std::unique_ptr<ScriptedDialogs>& dialogs_ = s_.dialogs;
  std::unique_ptr<ProgramFolder>& folder_ = s_.folder;
  std::unique_ptr<MainWindow>& main_ = s_.main;
  EditorInterface& ed() { return main_->editor(); }
  void run(const char* component) { runCommand(*main_, *findCommand(component)); }
};

void FileCommandsTest::init() {
  s_.start();
}

void FileCommandsTest::cleanup() { s_.stop(); }

DocumentWindow* FileCommandsTest::open(const QString& name, const std::string& bytes) {
  writeBytes(folder_->file(name), bytes);
  return main_->openFile(folder_->file(name));
}

void FileCommandsTest::newNamesUntitledAndOpenKeepsTheCounter() {
  for (int i = 0; i < 3; ++i) run("mniFileNew");
  QCOMPARE(ed().fileName(), std::string("untitled2"));
  QCOMPARE(main_->windowTitle(), QStringLiteral("untitled2"));
  DocumentWindow* t = open(QStringLiteral("a.txt"), "abc\r\n");
  QCOMPARE(t->fileName(), folder_->file(QStringLiteral("a.txt")).toStdString());
  QCOMPARE(main_->settings().untitledCounter, 2);
  QVERIFY(!ed().isModified());
  QCOMPARE(main_->documentsList().count(), 4);
  // A file opened twice gets two windows and two entries.
  open(QStringLiteral("a.txt"), "abc\r\n");
  QCOMPARE(main_->documentsList().count(), 5);
}

void FileCommandsTest::saveRoundTripThroughRecentListRestoresTextAndTopLine() {
  std::string bytes;
  for (int i = 0; i < 300; ++i) bytes += w1251("Строка ") + std::to_string(i) + "\t\x01\xFF\x98\r\n";
  DocumentWindow* t = open(QStringLiteral("round.txt"), bytes);
  QVERIFY(t);
  ed().insertAtCaret(w1251("Ё"));
  run("mniSave");
  QVERIFY(!ed().isModified());
  const std::string saved = w1251("Ё") + bytes;
  QCOMPARE(readBytes(folder_->file(QStringLiteral("round.txt"))), saved);
  ed().scrollLines(120);
  QCOMPARE(ed().topLine(), 120);
  QVERIFY(t->subWindow()->close());
  QCOMPARE(main_->recent().entries().front().number, 120);
  QVERIFY(main_->menu(QStringLiteral("MR"))->menuAction()->isEnabled());
  main_->menu(QStringLiteral("MR"))->actions().first()->trigger();
  QCOMPARE(ed().text(), saved);
  QCOMPARE(ed().topLine(), 120);
}

void FileCommandsTest::saveOfAnUntitledNameGoesToSaveAs() {
  DocumentWindow* t = open(QStringLiteral("untitled notes.txt"), "x\r\n");
  QVERIFY(t);
  ed().insertAtCaret("y");
  dialogs_->saveAnswers = {std::nullopt};
  run("mniSave");
  QCOMPARE(dialogs_->dialogTitles.size(), 1);
  QVERIFY(dialogs_->dialogTitles.first().startsWith(QStringLiteral("Сохранить файл|")));
  QCOMPARE(readBytes(folder_->file(QStringLiteral("untitled notes.txt"))), std::string("x\r\n"));
}

void FileCommandsTest::saveAsAsksBeforeOverwritingAndRenamesLists() {
  main_->newDocument();
  ed().setText("new content\r\n");
  const QString target = folder_->file(QStringLiteral("exists.txt"));
  writeBytes(target, "old\r\n");
  for (int answer : {int(QMessageBox::No), int(QMessageBox::Cancel)}) {
    dialogs_->saveAnswers = {target};
    dialogs_->answers = {answer};
    run("mniFileSaveAs");
    QCOMPARE(readBytes(target), std::string("old\r\n"));
    QCOMPARE(ed().fileName(), std::string("untitled0"));
  }
  QCOMPARE(dialogs_->questions.last(), QStringLiteral("OK для перезаписи %1").arg(target));
  dialogs_->saveAnswers = {target};
  dialogs_->answers = {QMessageBox::Yes};
  run("mniFileSaveAs");
  QCOMPARE(readBytes(target), std::string("new content\n"));  // a new document saves with LF
  DocumentWindow* t = main_->activeDocument();
  QCOMPARE(t->fileName(), target.toStdString());
  QVERIFY(t->hasFile());
  QVERIFY(!ed().isModified());
  QCOMPARE(main_->documentsList().count(), 1);
  QCOMPARE(main_->documentsList().menuItemOf(t)->text(), target);
  QCOMPARE(main_->documentsList().listItemOf(t)->text(), target);
  QCOMPARE(main_->documentsList().slotOf(t), 0);
  QCOMPARE(main_->windowTitle(), target);
  QCOMPARE(QString::fromStdString(main_->config().session.lastOpenFolder), folder_->path());
}

void FileCommandsTest::failedSaveKeepsOldFileAndStaysModified() {
  // A read-only location: the folder cannot take the new file.
  if (QFile::exists(QStringLiteral("/proc/version"))) {
    main_->newDocument();
    ed().setText("replacement\r\n");
    const std::string before = readBytes(QStringLiteral("/proc/version"));
    dialogs_->saveAnswers = {QStringLiteral("/proc/version")};
    dialogs_->answers = {QMessageBox::Yes};
    run("mniFileSaveAs");
    QCOMPARE(dialogs_->messages.size(), 1);
    QVERIFY(dialogs_->messages.first().startsWith(QStringLiteral("Cannot create file /proc/version")));
    QCOMPARE(readBytes(QStringLiteral("/proc/version")), before);
    QVERIFY(ed().isModified());
  }
  // A full disk: the file size limit stops the write half way.
  DocumentWindow* t = open(QStringLiteral("big.txt"), "the old contents\r\n");
  QVERIFY(t);
  ed().setText(std::string(200000, 'x') + "\r\n");
  struct rlimit old {};
  ::getrlimit(RLIMIT_FSIZE, &old);
  auto previous = std::signal(SIGXFSZ, SIG_IGN);
  struct rlimit small = old;
  small.rlim_cur = 65536;
  ::setrlimit(RLIMIT_FSIZE, &small);
  dialogs_->messages.clear();
  run("mniSave");
  ::setrlimit(RLIMIT_FSIZE, &old);
  std::signal(SIGXFSZ, previous);
  QCOMPARE(dialogs_->messages.size(), 1);
  QVERIFY(dialogs_->messages.first().startsWith(QStringLiteral("Cannot create file")));
  QCOMPARE(readBytes(folder_->file(QStringLiteral("big.txt"))), std::string("the old contents\r\n"));
  QVERIFY(ed().isModified());
  QCOMPARE(QDir(folder_->path()).entryList(QStringList{QStringLiteral(".*.tmp")}, QDir::Hidden | QDir::Files).size(), 0);
}

void FileCommandsTest::failedSaveAsLeavesNamesAndListsAlone() {
  main_->newDocument();
  DocumentWindow* t = main_->activeDocument();
  ed().setText("text\r\n");
  dialogs_->saveAnswers = {QStringLiteral("/nonexistent-kiv-dir/x.txt")};
  run("mniFileSaveAs");
  QCOMPARE(dialogs_->messages.size(), 1);
  QCOMPARE(t->fileName(), std::string("untitled0"));
  QVERIFY(!t->hasFile());
  QCOMPARE(main_->documentsList().menuItemOf(t)->text(), QStringLiteral("untitled0"));
  QCOMPARE(main_->documentsList().slotOf(t), 0);
  QVERIFY(ed().isModified());
}

void FileCommandsTest::saveAllWritesEachDocumentsOwnText() {
  open(QStringLiteral("one.txt"), "1\r\n");
  ed().setText("first changed\r\n");
  open(QStringLiteral("two.txt"), "2\r\n");
  ed().setText("second changed\r\n");
  main_->newDocument();
  ed().setText("untitled stays\r\n");
  run("mniSaveAll");
  QCOMPARE(readBytes(folder_->file(QStringLiteral("one.txt"))), std::string("first changed\r\n"));
  QCOMPARE(readBytes(folder_->file(QStringLiteral("two.txt"))), std::string("second changed\r\n"));
  QVERIFY(!QFile::exists(folder_->file(QStringLiteral("untitled0"))));
  QVERIFY(dialogs_->messages.isEmpty());
}

void FileCommandsTest::revertReloadsAndFailsSafelyWithoutFile() {
  open(QStringLiteral("rev.txt"), "saved\r\n");
  ed().setText("edited\r\n");
  run("mniRevertToSaved");
  QCOMPARE(ed().text(), std::string("saved\r\n"));
  main_->newDocument();
  ed().setText("mine\r\n");
  run("mniRevertToSaved");
  QCOMPARE(ed().text(), std::string("mine\r\n"));
  QCOMPARE(dialogs_->messages.size(), 1);
  QVERIFY(dialogs_->messages.first().startsWith(QStringLiteral("Cannot open file")));
}

void FileCommandsTest::openReadErrorLeavesNoWindow() {
  QVERIFY(!main_->openFile(QStringLiteral("/proc/self/mem")));
  QCOMPARE(main_->documentArea()->subWindowList().size(), 0);
  QCOMPARE(main_->documentsList().count(), 0);
  QCOMPARE(dialogs_->messages.size(), 1);
  QVERIFY(!main_->openFile(folder_->file(QStringLiteral("missing.txt"))));  // silently nothing
  QCOMPARE(dialogs_->messages.size(), 1);
}

void FileCommandsTest::openDialogOpensEveryChosenFile() {
  writeBytes(folder_->file(QStringLiteral("A.TXT")), "a\r\n");
  writeBytes(folder_->file(QStringLiteral("b.Html")), "<b>\r\n");
  dialogs_->openAnswers = {QStringList{folder_->file(QStringLiteral("A.TXT")), folder_->file(QStringLiteral("b.Html")),
                                       folder_->file(QStringLiteral("gone.txt"))}};
  run("mniOpen");
  QCOMPARE(main_->documentArea()->subWindowList().size(), 2);
  QVERIFY(dialogs_->dialogTitles.first().startsWith(QStringLiteral("Выбор файла:|")));
  QCOMPARE(QString::fromStdString(main_->config().session.lastSaveFolder), folder_->path());
  QCOMPARE(main_->activeDocument()->syntaxBox()->currentText(), QStringLiteral("HTML"));
  // The filters match extensions whatever their case.
  const QString filter = openDialogFilter();
  QVERIFY(filter.contains(QStringLiteral("*.[tT][xX][tT]")));
  QVERIFY(filter.startsWith(QStringLiteral("All text files (")));
  QCOMPARE(saveDialogFilters().size(), 4);
  QVERIFY(saveDialogFilters().last().startsWith(QStringLiteral("Все файлы")));
}

void FileCommandsTest::recentEntryOfMissingFileStays() {
  main_->recent().add(folder_->file(QStringLiteral("vanished.txt")).toStdString(), 5);
  main_->refreshRecentMenu();
  main_->menu(QStringLiteral("MR"))->actions().first()->trigger();
  QCOMPARE(main_->documentArea()->subWindowList().size(), 0);
  QCOMPARE(int(main_->recent().size()), 1);
}

void FileCommandsTest::backupOnOpen() {
  main_->settings().backupOnOpen = true;
  open(QStringLiteral("b.txt"), "backup me\r\n");
  QCOMPARE(readBytes(folder_->file(QStringLiteral("Копия b.txt"))), std::string("backup me\r\n"));
}

void FileCommandsTest::droppedFilesOpenOrBecomeImageTags() {
  std::string png = "\x89PNG\r\n\x1a\n";
  png += std::string("\0\0\0\x0dIHDR\0\0\x01\x2c\0\0\0\xc8", 16);
  writeBytes(folder_->file(QStringLiteral("pic.png")), png);
  writeBytes(folder_->file(QStringLiteral("pic.BMP")), "BM");
  writeBytes(folder_->file(QStringLiteral("anim.gif")), "GIF89a");
  writeBytes(folder_->file(QStringLiteral("notes.txt")), "notes\r\n");
  // A picture first, with no document open: the rest of the drop is skipped.
  dropFiles(*main_, {folder_->file(QStringLiteral("anim.gif")), folder_->file(QStringLiteral("notes.txt"))});
  QCOMPARE(main_->documentArea()->subWindowList().size(), 0);
  main_->newDocument();
  ed().setText("");
  dropFiles(*main_, {folder_->file(QStringLiteral("pic.png")), folder_->file(QStringLiteral("pic.BMP"))});
  QCOMPARE(ed().text(), std::string("<img src=\"pic.png\" width=\"300\" height=\"200\" border=\"0\" alt=\"\">"
                                    "<img src=\"pic.BMP\" width=\"\" height=\"\" border=\"0\" alt=\"\">\r\n"));
  // Through a real drop event: a text file opens.
  QMimeData data;
  data.setUrls({QUrl::fromLocalFile(folder_->file(QStringLiteral("notes.txt")))});
  QDragEnterEvent enter(QPoint(10, 10), Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
  QApplication::sendEvent(main_.get(), &enter);
  QVERIFY(enter.isAccepted());
  QDropEvent drop(QPointF(10, 10), Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
  QApplication::sendEvent(main_.get(), &drop);
  QCOMPARE(main_->documentArea()->subWindowList().size(), 2);
  QCOMPARE(QString::fromStdString(ed().fileName()), folder_->file(QStringLiteral("notes.txt")));
  QCOMPARE(main_->windowTitle(), folder_->file(QStringLiteral("notes.txt")));
}

void FileCommandsTest::documentSlotsAndWindowList() {
  QList<DocumentWindow*> docs;
  for (int i = 0; i < 11; ++i) docs << main_->newDocument();
  for (int i = 0; i < 10; ++i) {
    QCOMPARE(main_->documentsList().slotOf(docs[i]), i);
    QCOMPARE(main_->documentsList().menuItemOf(docs[i])->shortcut(),
             QKeySequence(Qt::ALT | static_cast<Qt::Key>(Qt::Key_0 + i)));
  }
  QCOMPARE(main_->documentsList().slotOf(docs[10]), -1);
  QVERIFY(docs[2]->subWindow()->close());
  DocumentWindow* next = main_->newDocument();
  QCOMPARE(main_->documentsList().slotOf(next), 2);
  // Every Alt+digit is used once.
  QSet<QString> keys;
  for (QAction* a : main_->menu(QStringLiteral("dox"))->actions())
    if (!a->shortcut().isEmpty()) QVERIFY(!keys.contains(a->shortcut().toString()) && (keys.insert(a->shortcut().toString()), true));
  // Alt+4 activates the fifth document.
  main_->documentArea()->setActiveSubWindow(docs[0]->subWindow());
  QTest::keyClick(docs[0]->control(), Qt::Key_4, Qt::AltModifier);
  QCOMPARE(main_->activeDocument(), docs[4]);
  auto* window = main_->tools().get<DocumentsWindow>(QStringLiteral("DocumentsWindow"));
  QCOMPARE(window->list()->count(), 11);
  run("N96");
  QVERIFY(window->isVisible());
  QVERIFY(window->windowFlags() & Qt::WindowStaysOnTopHint);
  run("N96");
  QVERIFY(!window->isVisible());
}

void FileCommandsTest::namesWithAmpersandAndCaseStayDistinct() {
  DocumentWindow* a = open(QStringLiteral("R&D.txt"), "a\r\n");
  DocumentWindow* b = open(QStringLiteral("r&d.txt"), "b\r\n");
  QCOMPARE(main_->documentsList().count(), 2);
  QCOMPARE(main_->documentsList().menuItemOf(a)->text(), menuCaption(folder_->file(QStringLiteral("R&D.txt"))));
  QVERIFY(b->subWindow()->close());
  QCOMPARE(main_->documentsList().count(), 1);
  QVERIFY(main_->documentsList().menuItemOf(a));
  main_->documentsList().menuItemOf(a)->trigger();
  QCOMPARE(main_->activeDocument(), a);
}

void FileCommandsTest::activatingRestoresMinimizedWindows() {
  DocumentWindow* a = main_->newDocument();
  DocumentWindow* b = main_->newDocument();
  DocumentWindow* c = main_->newDocument();
  a->subWindow()->showMinimized();
  b->subWindow()->showMinimized();
  auto* window = main_->tools().get<DocumentsWindow>(QStringLiteral("DocumentsWindow"));
  window->list()->itemClicked(main_->documentsList().listItemOf(c));
  QVERIFY(!a->subWindow()->isMinimized());
  QVERIFY(!b->subWindow()->isMinimized());
  QCOMPARE(main_->activeDocument(), c);
  QCOMPARE(main_->windowTitle(), QStringLiteral("untitled2"));
}

void FileCommandsTest::windowArrangement() {
  run("N42");
  run("N43");
  run("N41");
  DocumentWindow* a = main_->newDocument();
  DocumentWindow* b = main_->newDocument();
  run("N42");
  QCOMPARE(a->subWindow()->width(), main_->documentArea()->viewport()->width());
  QCOMPARE(a->subWindow()->height() + b->subWindow()->height() <= main_->documentArea()->viewport()->height(), true);
  QVERIFY(a->subWindow()->y() != b->subWindow()->y());
  run("N43");
  QVERIFY(a->subWindow()->pos() != b->subWindow()->pos());
  b->subWindow()->showMinimized();
  run("N41");
  QVERIFY(b->subWindow()->isMinimized());
}

void FileCommandsTest::helpItems() {
  run("KIV1");
  QCOMPARE(QString::fromStdString(ed().fileName()), folder_->file(QStringLiteral("dox/notes.txt")));
  run("Bugz1");
  QCOMPARE(QString::fromStdString(ed().fileName()), folder_->file(QStringLiteral("dox/!bugs.txt")));
  run("N56");
  run("N29");
  run("N31");
  QCOMPARE(dialogs_->externals.size(), 3);
  QVERIFY(dialogs_->externals[0].endsWith(QStringLiteral("dox/kiv.htm")));
  QVERIFY(dialogs_->externals[1].startsWith(QStringLiteral("mailto:")));
  QVERIFY(dialogs_->externals[1].contains(QStringLiteral("Kiv%20build%20no.")) ||
          dialogs_->externals[1].contains(QStringLiteral("Kiv build no.")));
  run("HelpAboutItem");
  QCOMPARE(dialogs_->messages.size(), 1);
  QVERIFY(dialogs_->messages.first().startsWith(MainWindow::buildCaption()));
}

void FileCommandsTest::systemFilesFollowTheirExistence() {
  QTemporaryDir prefix;
  qputenv("WINEPREFIX", prefix.path().toUtf8());
  qunsetenv("WINDIR");
  updateSystemFileItems(*main_);
  QVERIFY(!main_->action(QStringLiteral("mniwinini1"))->isEnabled());
  QDir().mkpath(prefix.path() + QStringLiteral("/drive_c/windows"));
  writeBytes(prefix.path() + QStringLiteral("/drive_c/windows/win.ini"), "[windows]\r\n");
  updateSystemFileItems(*main_);
  QVERIFY(main_->action(QStringLiteral("mniwinini1"))->isEnabled());
  QVERIFY(!main_->action(QStringLiteral("mniautoexecbat1"))->isEnabled());
  run("mniwinini1");
  QCOMPARE(ed().text(), std::string("[windows]\r\n"));
  qunsetenv("WINEPREFIX");
}

QTEST_MAIN(FileCommandsTest)
#include "test_file_commands.moc"
