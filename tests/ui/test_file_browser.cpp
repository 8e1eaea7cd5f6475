// The file browser on a generated tree: the listing and its order, walking
// with the keys and Backspace back to the remembered entry, the mask, the
// size label, recoding and multi-replacing the selected files byte for
// byte, ".." and files with zero bytes protected, rename and delete to the
// trash, file type colours and programs, the hotlist, and what is kept at
// exit.

#include <QCheckBox>
#include <QComboBox>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QDir>
#include <QDirIterator>
#include <QFile>
#include <QLabel>
#include <QLineEdit>
#include <QTimer>
#include <QListWidget>
#include <QMenu>
#include <QMessageBox>
#include <QTemporaryDir>
#include <QTest>

#include "core/filetypes/file_types.h"
#include "support/test_env.h"
#include "ui/app/main_window.h"
#include "ui/commands/command_dispatch.h"
#include "ui/commands/command_table.h"
#include "ui/common/sound_player.h"
#include "ui/editor/control/editing_control.h"
#include "ui/editor/document_window.h"
#include "ui/editor/editor_interface.h"
#include "ui/tools/entry_properties_dialog.h"
#include "ui/tools/file_browser_window.h"
#include "ui/tools/file_properties_dialog.h"
#include "ui/tools/hotlist_window.h"
#include "ui/tools/mask_dialog.h"
#include "ui/tools/replace_window.h"

using namespace kiv;

class FileBrowserTest : public QObject {
  Q_OBJECT
 private slots:
  void initTestCase();
  void init();
  void cleanup();
  void listsFoldersThenFilesWithoutRegardToCase();
  void keysWalkTheTreeAndBackspaceReturnsToTheRememberedEntry();
  void enterOnAFileOpensItAndInsertTogglesTheSelection();
  void maskTogglesMatchingEntries_data();
  void maskTogglesMatchingEntries();
  void sizeLabelFollowsTheFocusedEntry();
  void recodingRewritesSelectedFilesWithCrLf();
  void recodingAUtf8FileAsksFirst();
  void multiReplaceRewritesSelectedFiles();
  void theReplacementWindowAnswersTheBrowser();
  void parentEntryAndBinaryFilesAreProtected();
  void renameRefusesSlashesAndPicksAFreeNameOnCollision();
  void deleteAsksAndMovesToTheTrash();
  void fileTypesColourNamesAndStartPrograms();
  void hotlistAddsOpensAndIsWrittenAtExit();
  void maskAndFileTypeDialogs();
  void browserCommandTogglesAndKeepsTheFolderAtExit();

 private:
  FileBrowserWindow* browser() { return s_.main->tools().get<FileBrowserWindow>(QStringLiteral("FileBrowserWindow")); }
  QListWidget* view() { return browser()->listWidget(); }
  QStringList names() const { return const_cast<FileBrowserTest*>(this)->browser()->fileList().names(); }
  void focusEntry(const QString& name) {
    const int row = browser()->fileList().indexOf(name);
    QVERIFY2(row >= 0, qPrintable(name));
    view()->setCurrentRow(row, QItemSelectionModel::NoUpdate);
  }
  void select(const QStringList& entries) {
    view()->clearSelection();
    for (const QString& n : entries) view()->item(browser()->fileList().indexOf(n))->setSelected(true);
  }
  QString path(const QString& relative) const { return tree_->path() + QLatin1Char('/') + relative; }
  void makeTree();

  ProgramSession s_;
  std::unique_ptr<QTemporaryDir> tree_;
  std::unique_ptr<QTemporaryDir> trashHome_;
};

void FileBrowserTest::initTestCase() {}

void FileBrowserTest::makeTree() {
  tree_ = std::make_unique<QTemporaryDir>(QDir::tempPath() + QStringLiteral("/kiv-browser-XXXXXX"));
  for (const char* d : {"alpha", "Beta", "gamma/sub", "gamma/other"}) QDir().mkpath(path(QString::fromUtf8(d)));
  writeBytes(path("a.txt"), "\xCF\xF0\xE8\xE2\xE5\xF2\n\xEC\xE8\xF0");  // "Привет\nмир" in Windows-1251
  writeBytes(path("ab.txt"), "one=1\rtwo=2\r\n");
  writeBytes(path("a.txt2"), "x");
  writeBytes(path("B.TXT"), "abc\r\n");
  writeBytes(path("bin.dat"), std::string("\xE0\0\xE1\n", 4));
  writeBytes(path("utf.txt"), "\xD0\x9F\xD1\x80\xD0\xB8\xD0\xB2\xD0\xB5\xD1\x82\n");  // "Привет" in UTF-8
  writeBytes(path(".hidden"), "h");
  writeBytes(path("gamma/inner.txt"), "in\r\n");
}

void FileBrowserTest::init() {
  // The trash of each test lives in a folder of its own.
  trashHome_ = std::make_unique<QTemporaryDir>();
  qputenv("XDG_DATA_HOME", trashHome_->path().toUtf8());
  makeTree();
  s_.start();
  browser()->goToFolder(tree_->path());
  browser()->show();
  view()->setFocus();
}

void FileBrowserTest::cleanup() { s_.stop(); }

void FileBrowserTest::listsFoldersThenFilesWithoutRegardToCase() {
  QCOMPARE(names(), (QStringList{"..", "alpha", "Beta", "gamma", "a.txt", "a.txt2", "ab.txt", "B.TXT", "bin.dat", "utf.txt"}));
  QCOMPARE(browser()->windowTitle(), tree_->path());
  QVERIFY(view()->item(1)->font().bold());
  QVERIFY(!view()->item(4)->font().bold());
  // An empty folder shows only "..".
  browser()->goToFolder(path("alpha"));
  QCOMPARE(names(), QStringList{".."});
  // A folder that is not there shows only "..", too.
  browser()->goToFolder(path("nowhere"));
  QCOMPARE(names(), QStringList{".."});
}

void FileBrowserTest::keysWalkTheTreeAndBackspaceReturnsToTheRememberedEntry() {
  focusEntry(QStringLiteral("gamma"));
  QTest::keyClick(view(), Qt::Key_Return);
  QCOMPARE(browser()->folder(), path("gamma"));
  QCOMPARE(browser()->windowTitle(), path("gamma"));
  QCOMPARE(names(), (QStringList{"..", "other", "sub", "inner.txt"}));
  focusEntry(QStringLiteral("sub"));
  QTest::keyClick(view(), Qt::Key_Enter, Qt::KeypadModifier);
  QCOMPARE(browser()->folder(), path("gamma/sub"));
  QTest::keyClick(view(), Qt::Key_Backspace);
  QCOMPARE(browser()->folder(), path("gamma"));
  QCOMPARE(view()->currentItem()->text(), QStringLiteral("sub"));
  // ".." with Enter goes up as well.
  focusEntry(QStringLiteral(".."));
  QTest::keyClick(view(), Qt::Key_Return);
  QCOMPARE(browser()->folder(), tree_->path());
  // At the top, ".." and Backspace stay at "/".
  browser()->goToFolder(QStringLiteral("/"));
  QTest::keyClick(view(), Qt::Key_Backspace);
  QCOMPARE(browser()->folder(), QStringLiteral("/"));
  focusEntry(QStringLiteral(".."));
  QTest::keyClick(view(), Qt::Key_Return);
  QCOMPARE(browser()->folder(), QStringLiteral("/"));
}

void FileBrowserTest::enterOnAFileOpensItAndInsertTogglesTheSelection() {
  focusEntry(QStringLiteral("B.TXT"));
  QTest::keyClick(view(), Qt::Key_Return);
  QVERIFY(s_.main->activeDocument());
  QCOMPARE(QString::fromStdString(s_.main->editor().fileName()), path("B.TXT"));
  QCOMPARE(s_.main->editor().text(), std::string("abc\r\n"));
  view()->clearSelection();
  focusEntry(QStringLiteral("a.txt"));
  QTest::keyClick(view(), Qt::Key_Insert);
  QTest::keyClick(view(), Qt::Key_Insert);
  QCOMPARE(view()->currentItem()->text(), QStringLiteral("ab.txt"));
  QCOMPARE(browser()->selectedFiles(), (QStringList{path("a.txt"), path("a.txt2")}));
  focusEntry(QStringLiteral("a.txt"));
  QTest::keyClick(view(), Qt::Key_Insert);
  QCOMPARE(browser()->selectedFiles(), QStringList{path("a.txt2")});
}

void FileBrowserTest::maskTogglesMatchingEntries_data() {
  QTest::addColumn<QString>("mask");
  QTest::addColumn<QStringList>("selected");
  QTest::newRow("one wildcard before .txt") << "?.txt" << QStringList{"a.txt", "a.txt2", "ab.txt", "B.TXT", "utf.txt"};
  QTest::newRow("case does not matter") << "b.t" << QStringList{"ab.txt", "B.TXT"};
  QTest::newRow("star is one character") << "a*txt" << QStringList{"a.txt", "a.txt2"};
  QTest::newRow("folders too") << "amm" << QStringList{"gamma"};
  QTest::newRow("nothing") << "zzz" << QStringList{};
}

void FileBrowserTest::maskTogglesMatchingEntries() {
  QFETCH(QString, mask);
  QFETCH(QStringList, selected);
  view()->clearSelection();
  s_.dialogs->inputs.push_back(mask);
  QTest::keyClick(view(), Qt::Key_Plus, Qt::KeypadModifier);
  QStringList got;
  for (QListWidgetItem* i : view()->selectedItems()) got << i->text();
  std::sort(got.begin(), got.end());
  std::sort(selected.begin(), selected.end());
  QCOMPARE(got, selected);
  QVERIFY(s_.dialogs->prompts.last().contains(QStringLiteral("Введите маску")));
  // The same mask again undoes it; Cancel changes nothing.
  s_.dialogs->inputs.push_back(mask);
  QTest::keyClick(view(), Qt::Key_Plus, Qt::KeypadModifier);
  QVERIFY(view()->selectedItems().isEmpty());
  s_.dialogs->inputs.push_back(std::nullopt);
  QTest::keyClick(view(), Qt::Key_Plus, Qt::KeypadModifier);
  QVERIFY(view()->selectedItems().isEmpty());
}

void FileBrowserTest::sizeLabelFollowsTheFocusedEntry() {
  focusEntry(QStringLiteral("ab.txt"));
  QTest::keyClick(view(), Qt::Key_Down);
  QCOMPARE(browser()->sizeLabel()->text(), QStringLiteral("Размер файла = 13"));
  QTest::keyClick(view(), Qt::Key_Down);
  QCOMPARE(browser()->sizeLabel()->text(), QStringLiteral("Размер файла = 5"));
  focusEntry(QStringLiteral("Beta"));
  QTest::keyClick(view(), Qt::Key_Down);
  QCOMPARE(browser()->sizeLabel()->text(), QStringLiteral("Размер файла = 0"));
  QFile::remove(path("a.txt"));
  focusEntry(QStringLiteral("a.txt"));
  QTest::keyClick(view(), Qt::Key_Down);
  QCOMPARE(browser()->sizeLabel()->text(), QStringLiteral("Размер файла = -1"));
}

void FileBrowserTest::recodingRewritesSelectedFilesWithCrLf() {
  select({"a.txt", "B.TXT", "gamma"});
  browser()->recodeSelected(static_cast<int>(Recoding::WinToDos));
  QVERIFY(s_.dialogs->messages.isEmpty());
  QCOMPARE(readBytes(path("a.txt")), std::string("\x8F\xE0\xA8\xA2\xA5\xE2\r\n\xAC\xA8\xE0\r\n"));
  QCOMPARE(readBytes(path("B.TXT")), std::string("abc\r\n"));
  select({"a.txt"});
  browser()->recodeSelected(static_cast<int>(Recoding::DosToWin));
  QCOMPARE(readBytes(path("a.txt")), std::string("\xCF\xF0\xE8\xE2\xE5\xF2\r\n\xEC\xE8\xF0\r\n"));
  browser()->recodeSelected(static_cast<int>(Recoding::WinToKoi));
  QCOMPARE(readBytes(path("a.txt")), std::string("\xF0\xD2\xC9\xD7\xC5\xD4\r\n\xCD\xC9\xD2\r\n"));
  browser()->recodeSelected(static_cast<int>(Recoding::KoiToWin));
  QCOMPARE(readBytes(path("a.txt")), std::string("\xCF\xF0\xE8\xE2\xE5\xF2\r\n\xEC\xE8\xF0\r\n"));
}

void FileBrowserTest::recodingAUtf8FileAsksFirst() {
  const std::string utf = readBytes(path("utf.txt"));
  select({"utf.txt"});
  s_.dialogs->answers = {QMessageBox::No};
  browser()->recodeSelected(static_cast<int>(Recoding::WinToDos));
  QCOMPARE(s_.dialogs->questions.size(), 1);
  QVERIFY(s_.dialogs->questions.first().contains(QStringLiteral("UTF-8")));
  QCOMPARE(readBytes(path("utf.txt")), utf);
  s_.dialogs->answers = {QMessageBox::Yes};
  select({"utf.txt"});
  browser()->recodeSelected(static_cast<int>(Recoding::WinToDos));
  QVERIFY(readBytes(path("utf.txt")) != utf);
}

void FileBrowserTest::multiReplaceRewritesSelectedFiles() {
  browser()->setReplacementAsker([](QWidget*) {
    QString why;
    return replaceRequestFrom(true, {}, {}, QStringLiteral("one=два\n=ignored\ntwo=2=3\nabc=\n"), &why);
  });
  select({"ab.txt", "B.TXT", "bin.dat"});
  browser()->replaceInSelected();
  QCOMPARE(readBytes(path("ab.txt")), std::string("\xE4\xE2\xE0=1\r\n2=3=2\r\n"));
  QCOMPARE(readBytes(path("B.TXT")), std::string("\r\n"));
  QCOMPARE(readBytes(path("bin.dat")), std::string("\xE0\0\xE1\n", 4));
  QCOMPARE(s_.dialogs->messages.size(), 1);
  QVERIFY(s_.dialogs->messages.first().contains(QStringLiteral("bin.dat")));
  // Single mode; an empty replacement leaves the files as they were.
  browser()->setReplacementAsker([](QWidget*) { return replaceRequestFrom(false, "2", "", {}, nullptr); });
  select({"ab.txt"});
  browser()->replaceInSelected();
  QCOMPARE(readBytes(path("ab.txt")), std::string("\xE4\xE2\xE0=1\r\n2=3=2\r\n"));
  browser()->setReplacementAsker([](QWidget*) { return replaceRequestFrom(false, "2", "Z", {}, nullptr); });
  browser()->replaceInSelected();
  QCOMPARE(readBytes(path("ab.txt")), std::string("\xE4\xE2\xE0=1\r\nZ=3=Z\r\n"));
  // Cancel changes nothing.
  browser()->setReplacementAsker([](QWidget*) { return std::optional<ReplaceRequest>(); });
  browser()->replaceInSelected();
  QCOMPARE(readBytes(path("ab.txt")), std::string("\xE4\xE2\xE0=1\r\nZ=3=Z\r\n"));
  // Characters without a Windows-1251 byte are refused.
  QString why;
  QVERIFY(!replaceRequestFrom(false, QStringLiteral("a"), QStringLiteral("漢"), {}, &why));
  QVERIFY(!why.isEmpty());
}

void FileBrowserTest::theReplacementWindowAnswersTheBrowser() {
  // "Файлы" → "Замена/Мультизамена" shows the program's replacement window.
  ReplaceWindow::setScriptedUse([](ReplaceWindow& w) {
    w.multiBox()->setChecked(true);
    w.pairList()->setPlainText(QStringLiteral("abc=Привет\none=1"));
    QTest::mouseClick(w.doButton(), Qt::LeftButton);
  });
  select({"ab.txt", "B.TXT"});
  for (QAction* a : browser()->findChildren<QAction*>())
    if (a->objectName() == QLatin1String("mniReplaceInFiles")) a->trigger();
  QCOMPARE(readBytes(path("B.TXT")), std::string("\xCF\xF0\xE8\xE2\xE5\xF2\r\n"));
  QCOMPARE(readBytes(path("ab.txt")), std::string("1=1\r\ntwo=2\r\n"));
  // Single mode; "Отмена" changes nothing.
  ReplaceWindow::setScriptedUse([](ReplaceWindow& w) {
    w.multiBox()->setChecked(false);
    w.findBox()->setEditText(QStringLiteral("two"));
    w.replaceBox()->setEditText(QStringLiteral("2"));
    QTest::mouseClick(w.doButton(), Qt::LeftButton);
  });
  browser()->replaceInSelected();
  QCOMPARE(readBytes(path("ab.txt")), std::string("1=1\r\n2=2\r\n"));
  ReplaceWindow::setScriptedUse([](ReplaceWindow& w) { QTest::mouseClick(w.cancelButton(), Qt::LeftButton); });
  browser()->replaceInSelected();
  QCOMPARE(readBytes(path("ab.txt")), std::string("1=1\r\n2=2\r\n"));
  ReplaceWindow::setScriptedUse({});
}

void FileBrowserTest::parentEntryAndBinaryFilesAreProtected() {
  // Every entry selected, ".." too: recoding touches files only.
  view()->selectAll();
  QVERIFY(view()->item(0)->isSelected());
  s_.dialogs->answers = {QMessageBox::No};  // the UTF-8 file
  browser()->recodeSelected(static_cast<int>(Recoding::WinToDos));
  QCOMPARE(readBytes(path("bin.dat")), std::string("\xE0\0\xE1\n", 4));
  QVERIFY(s_.dialogs->messages.last().contains(QStringLiteral("нулевые байты")));
  // Rename of "..": refused with a word.
  focusEntry(QStringLiteral(".."));
  s_.dialogs->inputs.push_back(QStringLiteral("renamed"));
  browser()->renameCurrent();
  QVERIFY(s_.dialogs->messages.last().contains(QStringLiteral("..")));
  QVERIFY(QDir(tree_->path()).exists());
  // Delete of everything selected: ".." is never a target.
  view()->selectAll();
  s_.dialogs->answers = {QMessageBox::Yes, QMessageBox::No};
  browser()->deleteSelected();
  QVERIFY(QDir(tree_->path()).exists());
  QVERIFY(QDir(QFileInfo(tree_->path()).absolutePath()).exists());
  QCOMPARE(names(), QStringList{".."});
}

void FileBrowserTest::renameRefusesSlashesAndPicksAFreeNameOnCollision() {
  focusEntry(QStringLiteral("a.txt2"));
  s_.dialogs->inputs.push_back(QStringLiteral("sub/escape.txt"));
  browser()->renameCurrent();
  QVERIFY(s_.dialogs->messages.last().contains(QStringLiteral("/")));
  QVERIFY(QFile::exists(path("a.txt2")));
  QCOMPARE(s_.dialogs->prompts.last(), QStringLiteral("Переименование файла|Новое имя: "));
  focusEntry(QStringLiteral("a.txt2"));
  s_.dialogs->inputs.push_back(QStringLiteral("новое имя.txt"));
  browser()->renameCurrent();
  QVERIFY(QFile::exists(path("новое имя.txt")));
  QCOMPARE(view()->currentItem()->text(), QStringLiteral("новое имя.txt"));
  focusEntry(QStringLiteral("новое имя.txt"));
  s_.dialogs->inputs.push_back(QStringLiteral("ab.txt"));
  browser()->renameCurrent();
  QCOMPARE(readBytes(path("ab.txt")), std::string("one=1\rtwo=2\r\n"));
  QCOMPARE(readBytes(path("ab (2).txt")), std::string("x"));
  // An empty answer (or Cancel) renames nothing.
  focusEntry(QStringLiteral("ab.txt"));
  s_.dialogs->inputs.push_back(QString());
  browser()->renameCurrent();
  QVERIFY(QFile::exists(path("ab.txt")));
}

void FileBrowserTest::deleteAsksAndMovesToTheTrash() {
  select({"a.txt", "gamma"});
  s_.dialogs->answers = {QMessageBox::No};
  browser()->deleteSelected();
  QCOMPARE(s_.dialogs->questions.last(), QStringLiteral("Вы и впрямь хотите энто сделать?"));
  QVERIFY(QFile::exists(path("a.txt")));
  select({"a.txt", "gamma"});
  s_.dialogs->answers = {QMessageBox::Yes};
  browser()->deleteSelected();
  QVERIFY(!QFile::exists(path("a.txt")));
  QVERIFY(!QDir(path("gamma")).exists());
  QVERIFY(!names().contains(QStringLiteral("gamma")));
  // Both wait in the trash, the folder with what it held.
  const QString trash = trashHome_->path() + QStringLiteral("/Trash/files/");
  QCOMPARE(readBytes(trash + QStringLiteral("a.txt")), std::string("\xCF\xF0\xE8\xE2\xE5\xF2\n\xEC\xE8\xF0"));
  QVERIFY(QFile::exists(trash + QStringLiteral("gamma/inner.txt")));
}

void FileBrowserTest::fileTypesColourNamesAndStartPrograms() {
  FileTypes& types = s_.main->fileTypes();
  QCOMPARE(types.add({"txt", "/bin/true", "/nonexistent/editor", 255}), std::string());
  browser()->refresh();
  const int files = s_.main->settings().browserFileColor;
  auto colourOf = [this](const QString& name) { return view()->item(browser()->fileList().indexOf(name))->foreground().color(); };
  QCOMPARE(colourOf(QStringLiteral("a.txt")), QColor(255, 0, 0));
  QCOMPARE(colourOf(QStringLiteral("B.TXT")), QColor(255, 0, 0));
  QCOMPARE(colourOf(QStringLiteral("a.txt2")), QColor(files & 0xFF, (files >> 8) & 0xFF, (files >> 16) & 0xFF));
  focusEntry(QStringLiteral("B.TXT"));
  browser()->openWithViewer();
  QCOMPARE(s_.dialogs->externals, QStringList{QStringLiteral("/bin/true ") + path("B.TXT")});
  // A missing editor program, a folder, a type without an entry: nothing.
  browser()->openWithEditor();
  focusEntry(QStringLiteral("bin.dat"));
  browser()->openWithViewer();
  focusEntry(QStringLiteral("alpha"));
  browser()->openWithViewer();
  QCOMPARE(s_.dialogs->externals.size(), 1);
  // The table is written at close, its folder made when missing.
  const QString file = s_.folder->file(QStringLiteral("Engine/Parts/Dizorud/filelinx"));
  QDir(s_.folder->file(QStringLiteral("Engine/Parts/Dizorud"))).removeRecursively();
  s_.main->close();
  QCOMPARE(readBytes(file), std::string("[txt]\r\nEditor=/nonexistent/editor\r\nViewer=/bin/true\r\nColor=255\r\n"));
}

void FileBrowserTest::hotlistAddsOpensAndIsWrittenAtExit() {
  auto* hotlist = s_.main->tools().get<HotlistWindow>(QStringLiteral("HotlistWindow"));
  QVERIFY(hotlist);
  QVERIFY(hotlist->folders().isEmpty());
  hotlist->addBrowserFolder();
  hotlist->addBrowserFolder();
  browser()->goToFolder(path("gamma"));
  hotlist->addBrowserFolder();
  QCOMPARE(hotlist->folders(), (QStringList{tree_->path(), tree_->path(), path("gamma")}));
  // "-" and Enter without a chosen entry do nothing.
  hotlist->listWidget()->clearSelection();
  hotlist->removeCurrent();
  QCOMPARE(hotlist->folders().size(), 3);
  hotlist->listWidget()->setCurrentRow(0);
  hotlist->openCurrent();
  QCOMPARE(browser()->folder(), tree_->path());
  QCOMPARE(browser()->windowTitle(), tree_->path());
  hotlist->listWidget()->setCurrentRow(1);
  hotlist->removeCurrent();
  QCOMPARE(hotlist->folders(), (QStringList{tree_->path(), path("gamma")}));
  // Ctrl+D in the browser shows the hotlist.
  hotlist->hide();
  for (QAction* a : browser()->actions())
    if (a->objectName() == QLatin1String("mniHotlist")) a->trigger();
  QVERIFY(hotlist->isVisible());
  const QString file = hotlist->filePath();
  QDir(QFileInfo(file).absolutePath()).removeRecursively();
  s_.main->close();
  s_.main.reset();
  QCOMPARE(readBytes(file), (tree_->path() + QStringLiteral("\r\n") + path("gamma") + QStringLiteral("\r\n")).toStdString());
  // Read back at the next start.
  s_.main = startProgram(*s_.folder);
  auto* again = s_.main->tools().get<HotlistWindow>(QStringLiteral("HotlistWindow"));
  QCOMPARE(again->folders(), (QStringList{tree_->path(), path("gamma")}));
}

void FileBrowserTest::maskAndFileTypeDialogs() {
  // "Свойства" shows what the system knows of the entry.
  const QStringList file = EntryPropertiesDialog::describe(path("B.TXT"));
  QVERIFY(file.contains(QStringLiteral("Имя: B.TXT")));
  QVERIFY(file.contains(QStringLiteral("Размер: 5 байт")));
  QVERIFY(EntryPropertiesDialog::describe(path("gamma")).contains(QStringLiteral("Элементов: 3")));
  QVERIFY(EntryPropertiesDialog::describe(path("none")).first().startsWith(QStringLiteral("Нет такого файла")));
  QVERIFY(nameMatchesMask(QStringLiteral("Отчёт.TXT"), QStringLiteral("отчёт.t?t")));
  QVERIFY(!nameMatchesMask(QStringLiteral("a.txt"), QString()));
  QVERIFY(!nameMatchesMask(QStringLiteral("ab"), QStringLiteral("abc")));
  auto* props = s_.main->tools().get<FilePropertiesDialog>(QStringLiteral("FilePropertiesDialog"));
  QVERIFY(props);
  FileType type;
  QTimer::singleShot(0, this, [props] {
    QCOMPARE(props->extensionEdit()->text(), QStringLiteral("TXT"));
    props->extensionEdit()->setText(QStringLiteral("Htm"));
    props->viewerEdit()->setText(QStringLiteral("/usr/bin/less"));
    props->setColor(0x00FF00);
    props->accept();
  });
  QVERIFY(props->edit(type, true));
  QCOMPARE(type.name, std::string("Htm"));
  QCOMPARE(type.viewer, std::string("/usr/bin/less"));
  QCOMPARE(type.color, 0x00FF00);
  FileTypes& types = s_.main->fileTypes();
  QCOMPARE(types.add(type), std::string());
  QCOMPARE(types.exts(), std::vector<std::string>{"htm"});
  QTimer::singleShot(0, this, [props] { props->reject(); });
  QVERIFY(!props->edit(type, false));
  QCOMPARE(props->extensionEdit()->text(), QStringLiteral("Htm"));
}

void FileBrowserTest::browserCommandTogglesAndKeepsTheFolderAtExit() {
  browser()->hide();
  runCommand(*s_.main, *findCommand("mniFileBro"));
  QVERIFY(browser()->isVisible());
  runCommand(*s_.main, *findCommand("mniFileBro"));
  QVERIFY(!browser()->isVisible());
  browser()->goToFolder(path("gamma/sub"));
  s_.main->close();
  QVERIFY(s_.folder->readIni().contains(("LastPath=" + path("gamma/sub")).toUtf8()));
  // The next start shows that folder; "Last dir" goes there too.
  s_.main = startProgram(*s_.folder);
  QCOMPARE(browser()->folder(), path("gamma/sub"));
  browser()->goToFolder(QStringLiteral("/"));
  browser()->goToLastFolder();
  QCOMPARE(browser()->folder(), path("gamma/sub"));
}

QTEST_MAIN(FileBrowserTest)
#include "test_file_browser.moc"
