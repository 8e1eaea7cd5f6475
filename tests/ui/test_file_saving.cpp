// Saving documents over real files through the user interface: linked
// files, read-only files, hard links, names too long for a temporary file,
// stale temporary files, files changed by another program (the question
// before overwriting, the offer to reload when the program regains focus)
// and, run as an unprivileged user, a folder the user cannot write.

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <QDir>
#include <QFile>
#include <QMdiArea>
#include <QMessageBox>
#include <QTest>

#include "core/common/file_identity.h"
#include "support/test_env.h"
#include "ui/app/main_window.h"
#include "ui/commands/command_dispatch.h"
#include "ui/commands/command_table.h"
#include "ui/commands/file_reload.h"
#include "ui/editor/control/editing_control.h"
#include "ui/editor/document_window.h"
#include "ui/editor/editor_interface.h"

using namespace kiv;

namespace {

struct stat statOf(const QString& path) {
  struct stat st {};
  ::lstat(QFile::encodeName(path).constData(), &st);
  return st;
}

// Another program rewrites the file: new bytes and a later time.
void changeOnDisk(const QString& path, const std::string& bytes, int secondsLater) {
  const auto before = fileIdentity(path.toStdString());
  writeBytes(path, bytes);
  struct timespec t[2];
  t[0].tv_sec = (before ? before->modifiedSeconds : 0) + secondsLater;
  t[0].tv_nsec = 0;
  t[1] = t[0];
  ::utimensat(AT_FDCWD, QFile::encodeName(path).constData(), t, 0);
}

QString modifiedQuestion(const QString& file) {
  return QStringLiteral("Файл %1 изменён другой программой. Перезаписать?").arg(file);
}
QString reloadQuestion(const QString& file) {
  return QStringLiteral("Файл %1 изменён другой программой. Перечитать?").arg(file);
}
QString protectedQuestion(const QString& file) {
  return QStringLiteral("Файл %1 защищён от записи. Всё равно сохранить?").arg(file);
}

}  // namespace

class FileSavingTest : public QObject {
  Q_OBJECT
 private slots:
  void init();
  void cleanup();
  void ctrlSThroughLinkChainWritesTheRealFile();
  void readOnlyFileIsSavedOnlyWhenConfirmed();
  void saveAsOverReadOnlyFileAsksToo();
  void hardLinkedFileKeepsItsOtherName();
  void longNameIsSavedInPlace();
  void changedFileAsksBeforeOverwriting();
  void saveAllAsksForAChangedFile();
  void focusOffersToReloadAChangedFile();
  void modifiedDocumentIsNotReloaded();
  void reloadReadsAUtf8FileAsOpeningDoes();
  void folderWithoutWritePermissionAsUser();

 private:
  DocumentWindow* open(const QString& name, const std::string& bytes);
  void saveWithKeys() { QTest::keyClick(main_->activeDocument()->control(), Qt::Key_S, Qt::ControlModifier); }
  void regainFocus();
  ProgramSession s_;
  std::unique_ptr<ScriptedDialogs>& dialogs_ = s_.dialogs;
  std::unique_ptr<ProgramFolder>& folder_ = s_.folder;
  std::unique_ptr<MainWindow>& main_ = s_.main;
  EditorInterface& ed() { return main_->editor(); }
  void run(const char* component) { runCommand(*main_, *findCommand(component)); }
};

void FileSavingTest::init() { s_.start(); }

void FileSavingTest::cleanup() {
  // Read-only folders a test left are opened for removal.
  if (folder_) QFile::setPermissions(folder_->file(QStringLiteral("locked")), QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
  s_.stop();
}

DocumentWindow* FileSavingTest::open(const QString& name, const std::string& bytes) {
  writeBytes(folder_->file(name), bytes);
  return main_->openFile(folder_->file(name));
}

// Another window takes the focus, then the program gets it back.
void FileSavingTest::regainFocus() {
  QWidget other;
  other.show();
  QApplication::setActiveWindow(&other);
  QApplication::processEvents();
  QApplication::setActiveWindow(main_.get());
  QTest::qWait(20);
}

void FileSavingTest::ctrlSThroughLinkChainWritesTheRealFile() {
  QDir(folder_->path()).mkdir(QStringLiteral("real"));
  const QString real = folder_->file(QStringLiteral("real/c.txt"));
  writeBytes(real, "c old\r\n");
  QVERIFY(QFile::link(QStringLiteral("real/c.txt"), folder_->file(QStringLiteral("b.txt"))));
  QVERIFY(QFile::link(QStringLiteral("b.txt"), folder_->file(QStringLiteral("a.txt"))));
  // A save killed before its rename left this behind.
  const QString stale = folder_->file(QStringLiteral("real/.c.txt.kiv-0badf00d.tmp"));
  writeBytes(stale, std::string(100000, 'z'));
  QFile staleFile(stale);
  QVERIFY(staleFile.open(QIODevice::ReadWrite));
  QVERIFY(staleFile.setFileTime(QDateTime::currentDateTime().addSecs(-3600), QFileDevice::FileModificationTime));
  staleFile.close();

  DocumentWindow* doc = main_->openFile(folder_->file(QStringLiteral("a.txt")));
  QVERIFY(doc);
  doc->control()->setFocus();
  typeText(doc->control(), QStringLiteral("Новое "));
  saveWithKeys();
  QVERIFY(dialogs_->messages.isEmpty());
  QVERIFY(!ed().isModified());
  QCOMPARE(readBytes(real), w1251("Новое ") + "c old\r\n");
  QCOMPARE(QFile::symLinkTarget(folder_->file(QStringLiteral("a.txt"))), folder_->file(QStringLiteral("b.txt")));
  QCOMPARE(QFile::symLinkTarget(folder_->file(QStringLiteral("b.txt"))), real);
  QVERIFY(S_ISLNK(statOf(folder_->file(QStringLiteral("b.txt"))).st_mode));
  QCOMPARE(QDir(folder_->file(QStringLiteral("real"))).entryList(QDir::Files | QDir::Hidden), QStringList{"c.txt"});
  QCOMPARE(doc->fileName(), folder_->file(QStringLiteral("a.txt")).toStdString());
  QVERIFY(dialogs_->questions.isEmpty());
}

void FileSavingTest::readOnlyFileIsSavedOnlyWhenConfirmed() {
  const QString file = folder_->file(QStringLiteral("ro.txt"));
  DocumentWindow* doc = open(QStringLiteral("ro.txt"), "read-only\r\n");
  QVERIFY(doc);
  QVERIFY(::chmod(QFile::encodeName(file).constData(), 0444) == 0);
  ed().insertAtCaret("changed ");
  dialogs_->answers = {QMessageBox::No};
  run("mniSave");
  QCOMPARE(dialogs_->questions, QStringList{protectedQuestion(file)});
  QCOMPARE(dialogs_->messages.size(), 1);
  QVERIFY(dialogs_->messages.first().startsWith(QStringLiteral("Cannot create file ") + file));
  QCOMPARE(readBytes(file), std::string("read-only\r\n"));
  QVERIFY(ed().isModified());

  dialogs_->answers = {QMessageBox::Yes};
  run("mniSave");
  QCOMPARE(dialogs_->questions.size(), 2);
  QCOMPARE(dialogs_->messages.size(), 1);
  QCOMPARE(readBytes(file), std::string("changed read-only\r\n"));
  QCOMPARE(statOf(file).st_mode & 07777, 0444u);
  QVERIFY(!ed().isModified());
}

void FileSavingTest::saveAsOverReadOnlyFileAsksToo() {
  const QString target = folder_->file(QStringLiteral("locked-target.txt"));
  writeBytes(target, "protected\r\n");
  QVERIFY(::chmod(QFile::encodeName(target).constData(), 0444) == 0);
  main_->newDocument();
  ed().setText("new\r\n");
  dialogs_->saveAnswers = {target};
  dialogs_->answers = {QMessageBox::Yes, QMessageBox::No};  // overwrite: yes; read-only: no
  run("mniFileSaveAs");
  QCOMPARE(dialogs_->questions.size(), 2);
  QCOMPARE(dialogs_->questions.last(), protectedQuestion(target));
  QCOMPARE(readBytes(target), std::string("protected\r\n"));
  QCOMPARE(ed().fileName(), std::string("untitled0"));
  QVERIFY(!main_->activeDocument()->hasFile());
  QCOMPARE(dialogs_->messages.size(), 1);
  QVERIFY(dialogs_->messages.first().startsWith(QStringLiteral("Cannot create file ") + target));
}

void FileSavingTest::hardLinkedFileKeepsItsOtherName() {
  const QString one = folder_->file(QStringLiteral("one.txt"));
  const QString two = folder_->file(QStringLiteral("two.txt"));
  writeBytes(one, "shared\r\n");
  QVERIFY(::link(QFile::encodeName(one).constData(), QFile::encodeName(two).constData()) == 0);
  const ino_t inode = statOf(one).st_ino;
  QVERIFY(main_->openFile(one));
  ed().insertAtCaret("both see this ");
  saveWithKeys();
  QVERIFY(dialogs_->messages.isEmpty());
  QCOMPARE(readBytes(two), std::string("both see this shared\r\n"));
  QCOMPARE(statOf(one).st_ino, inode);
  QCOMPARE(statOf(two).st_nlink, nlink_t(2));
}

void FileSavingTest::longNameIsSavedInPlace() {
  // 254 bytes: a file system allows it, but not the temporary name beside it.
  const QString name = QString(250, QLatin1Char('n')) + QStringLiteral(".txt");
  DocumentWindow* doc = open(name, "old\r\n");
  QVERIFY(doc);
  ed().insertAtCaret("new ");
  run("mniSave");
  QCOMPARE(dialogs_->messages, QStringList());
  QCOMPARE(readBytes(folder_->file(name)), std::string("new old\r\n"));
  QVERIFY(!ed().isModified());
}

void FileSavingTest::changedFileAsksBeforeOverwriting() {
  const QString file = folder_->file(QStringLiteral("shared.txt"));
  QVERIFY(open(QStringLiteral("shared.txt"), "original\r\n"));
  ed().insertAtCaret("mine ");
  changeOnDisk(file, "theirs\r\n", 5);
  dialogs_->answers = {QMessageBox::No};
  run("mniSave");
  QCOMPARE(dialogs_->questions, QStringList{modifiedQuestion(file)});
  QCOMPARE(readBytes(file), std::string("theirs\r\n"));
  QVERIFY(ed().isModified());
  QVERIFY(dialogs_->messages.isEmpty());
  // Asked again until answered Yes; then the document's text is the file's.
  dialogs_->answers = {QMessageBox::Yes};
  run("mniSave");
  QCOMPARE(dialogs_->questions.size(), 2);
  QCOMPARE(readBytes(file), std::string("mine original\r\n"));
  QVERIFY(!ed().isModified());
  // The file is now as the document wrote it: no question.
  ed().setText("again\r\n");
  run("mniSave");
  QCOMPARE(dialogs_->questions.size(), 2);
  QCOMPARE(readBytes(file), std::string("again\r\n"));
  // A change of the same size within the same second is noticed too.
  ed().insertAtCaret("x");
  writeBytes(file, "same size, other bytes!!!!!!\r\n");
  dialogs_->answers = {QMessageBox::No};
  run("mniSave");
  QCOMPARE(dialogs_->questions.size(), 3);
  QCOMPARE(readBytes(file), std::string("same size, other bytes!!!!!!\r\n"));
}

void FileSavingTest::saveAllAsksForAChangedFile() {
  const QString one = folder_->file(QStringLiteral("one.txt"));
  const QString two = folder_->file(QStringLiteral("two.txt"));
  open(QStringLiteral("one.txt"), "1\r\n");
  ed().setText("first\r\n");
  open(QStringLiteral("two.txt"), "2\r\n");
  ed().setText("second\r\n");
  changeOnDisk(one, "changed elsewhere\r\n", 3);
  dialogs_->answers = {QMessageBox::No};
  run("mniSaveAll");
  QCOMPARE(dialogs_->questions, QStringList{modifiedQuestion(one)});
  QCOMPARE(readBytes(one), std::string("changed elsewhere\r\n"));
  QCOMPARE(readBytes(two), std::string("second\r\n"));
}

void FileSavingTest::focusOffersToReloadAChangedFile() {
  const QString file = folder_->file(QStringLiteral("watched.txt"));
  DocumentWindow* doc = open(QStringLiteral("watched.txt"), "first version\r\n");
  QVERIFY(doc);
  regainFocus();
  QVERIFY(dialogs_->questions.isEmpty());  // unchanged: nothing to offer

  changeOnDisk(file, w1251("второе\r\nсодержимое\r\n"), 2);
  dialogs_->answers = {QMessageBox::Yes};
  regainFocus();
  QCOMPARE(dialogs_->questions, QStringList{reloadQuestion(file)});
  QCOMPARE(ed().text(), w1251("второе\r\nсодержимое\r\n"));
  QVERIFY(!ed().isModified());
  QCOMPARE(main_->activeDocument(), doc);
  QCOMPARE(main_->documentArea()->subWindowList().size(), 1);
  // The reload is one step of the undo history.
  ed().undo();
  QCOMPARE(ed().text(), std::string("first version\r\n"));
  ed().redo();
  QCOMPARE(ed().text(), w1251("второе\r\nсодержимое\r\n"));
  ed().setModified(false);
  // Saving after the reload asks nothing: the file is as it was read.
  ed().setText(w1251("+второе\r\nсодержимое\r\n"));
  run("mniSave");
  QCOMPARE(dialogs_->questions.size(), 1);
  QCOMPARE(readBytes(file), w1251("+второе\r\nсодержимое\r\n"));
  regainFocus();
  QCOMPARE(dialogs_->questions.size(), 1);

  // No: the text stays and the same change is not offered again.
  changeOnDisk(file, "third\r\n", 4);
  dialogs_->answers = {QMessageBox::No};
  regainFocus();
  QCOMPARE(dialogs_->questions.size(), 2);
  QCOMPARE(ed().text(), w1251("+второе\r\nсодержимое\r\n"));
  regainFocus();
  QCOMPARE(dialogs_->questions.size(), 2);
  // A later change is offered again.
  changeOnDisk(file, "fourth\r\n", 6);
  dialogs_->answers = {QMessageBox::Yes};
  regainFocus();
  QCOMPARE(dialogs_->questions.size(), 3);
  QCOMPARE(ed().text(), std::string("fourth\r\n"));
  // A file that is gone offers nothing.
  QFile::remove(file);
  regainFocus();
  QCOMPARE(dialogs_->questions.size(), 3);
  QCOMPARE(ed().text(), std::string("fourth\r\n"));
}

void FileSavingTest::modifiedDocumentIsNotReloaded() {
  const QString file = folder_->file(QStringLiteral("busy.txt"));
  QVERIFY(open(QStringLiteral("busy.txt"), "start\r\n"));
  ed().insertAtCaret("my edit ");
  changeOnDisk(file, "their edit\r\n", 2);
  regainFocus();
  QVERIFY(dialogs_->questions.isEmpty());
  QCOMPARE(ed().text(), std::string("my edit start\r\n"));
  // The change is still noticed when saving.
  dialogs_->answers = {QMessageBox::No};
  run("mniSave");
  QCOMPARE(dialogs_->questions, QStringList{modifiedQuestion(file)});
  QCOMPARE(readBytes(file), std::string("their edit\r\n"));
}

void FileSavingTest::reloadReadsAUtf8FileAsOpeningDoes() {
  main_->settings().detectEncoding = true;
  const QString file = folder_->file(QStringLiteral("u8.txt"));
  QVERIFY(open(QStringLiteral("u8.txt"), "\xEF\xBB\xBFПервая строка\nи вторая\n"));
  QCOMPARE(ed().text(), w1251("Первая строка\r\nи вторая\r\n"));
  const std::string theirs = "Другая программа\nпереписала файл\n";
  changeOnDisk(file, theirs, 2);
  dialogs_->answers = {QMessageBox::Yes};
  regainFocus();
  QCOMPARE(dialogs_->questions.size(), 1);
  QCOMPARE(ed().text(), w1251("Другая программа\r\nпереписала файл\r\n"));
  QVERIFY(main_->activeDocument()->fileShape().utf8);
  // Saved back as the file now is: UTF-8, LF, no byte-order mark.
  ed().insertAtCaret(w1251("Ё"));
  run("mniSave");
  QCOMPARE(readBytes(file), "Ё" + theirs);
  QCOMPARE(dialogs_->questions.size(), 1);
}

void FileSavingTest::folderWithoutWritePermissionAsUser() {
  if (::geteuid() == 0)
    QSKIP("the superuser may write any folder: ui_test_file_saving_unprivileged runs this as an unprivileged user");
  QDir(folder_->path()).mkdir(QStringLiteral("locked"));
  const QString file = folder_->file(QStringLiteral("locked/mine.txt"));
  const QString readOnly = folder_->file(QStringLiteral("locked/ro.txt"));
  writeBytes(file, "old text of a longer file\r\n");
  writeBytes(readOnly, "read-only\r\n");
  QVERIFY(QFile::setPermissions(readOnly, QFile::ReadOwner | QFile::ReadGroup | QFile::ReadOther));
  QVERIFY(QFile::setPermissions(folder_->file(QStringLiteral("locked")), QFile::ReadOwner | QFile::ExeOwner));
  const ino_t inode = statOf(file).st_ino;

  QVERIFY(main_->openFile(file));
  ed().insertAtCaret("new ");
  saveWithKeys();
  QCOMPARE(dialogs_->messages, QStringList());
  QCOMPARE(readBytes(file), std::string("new old text of a longer file\r\n"));
  QCOMPARE(statOf(file).st_ino, inode);
  QVERIFY(!ed().isModified());

  // The user's own read-only file there: asked, then written in place.
  QVERIFY(main_->openFile(readOnly));
  ed().insertAtCaret("confirmed ");
  dialogs_->answers = {QMessageBox::No};
  saveWithKeys();
  QCOMPARE(dialogs_->questions, QStringList{protectedQuestion(readOnly)});
  QCOMPARE(readBytes(readOnly), std::string("read-only\r\n"));
  QCOMPARE(dialogs_->messages.size(), 1);
  dialogs_->answers = {QMessageBox::Yes};
  saveWithKeys();
  QCOMPARE(readBytes(readOnly), std::string("confirmed read-only\r\n"));
  QCOMPARE(statOf(readOnly).st_mode & 0777, 0444u);
  QCOMPARE(QDir(folder_->file(QStringLiteral("locked"))).entryList(QDir::Files | QDir::Hidden),
           (QStringList{"mine.txt", "ro.txt"}));
}

QTEST_MAIN(FileSavingTest)
#include "test_file_saving.moc"
