// Crash recovery with real processes: a program that types into a saved and
// a new document is killed (SIGKILL) or ended by a signal, and the next
// start gives both documents back byte for byte, with their names and code
// pages. The test executable plays that program itself when started with
// --child.

#include <signal.h>

#include <QAction>
#include <QApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QMdiSubWindow>
#include <QMessageBox>
#include <QProcess>
#include <QPushButton>
#include <QTest>
#include <QThread>
#include <QTimer>
#include <QTreeWidget>
#include <cstdio>
#include <map>

#include "core/recovery/journal_format.h"
#include "core/recovery/left_journals.h"
#include "support/test_env.h"
#include "ui/app/main_window.h"
#include "ui/app/termination_watch.h"
#include "ui/commands/file_commands.h"
#include "ui/commands/save_checks.h"
#include "ui/common/qt_text.h"
#include "ui/common/sound_player.h"
#include "ui/editor/control/editing_control.h"
#include "ui/editor/document_window.h"
#include "ui/editor/editor_interface.h"
#include "ui/recovery/recovery_keeper.h"
#include "ui/recovery/recovery_window.h"

using namespace kiv;

namespace {

// What a document held when the child program reported it.
struct Held {
  QString charset;
  QByteArray bytes;
  bool hasFile = false;
};

// The child: opens `file`, types into it and changes its code page, types
// into a new document, reports both documents on standard output, then
// runs until it is killed or signalled.
int runChild(int argc, char** argv) {
  QApplication app(argc, argv);
  ScriptedDialogs dialogs;
  const QString folder = QString::fromLocal8Bit(argv[2]);
  const QString file = QString::fromLocal8Bit(argv[3]);
  MainWindow main(folder, {});
  main.show();
  main.sounds().setMuted(true);
  setTerminationEndsProcess(true);
  DocumentWindow* saved = main.openFile(file);
  if (!saved) return 3;
  saved->control()->moveCaretTo(0, 3);
  typeText(saved->control(), QStringLiteral("Ёж \u00ABx\u00BB"));
  saved->setCharset("koi");
  DocumentWindow* fresh = main.newDocument();
  typeText(fresh->control(), QStringLiteral("Новый текст\nвторая строка"));
  pressKey(fresh->control(), Qt::Key_Backspace);  // a deletion is journalled too
  for (DocumentWindow* d : main.editor().documents())
    std::printf("DOC\t%s\t%s\t%d\t%s\n", d->fileName().c_str(), d->charset().c_str(), d->hasFile() ? 1 : 0,
                QByteArray::fromStdString(d->control()->textCrLf()).toHex().constData());
  std::printf("READY\n");
  std::fflush(stdout);
  // A long operation on the interface thread that a signal cannot wait for.
  if (argc >= 5 && std::string(argv[4]) == "busy") QTimer::singleShot(0, [] { QThread::sleep(30); });
  return QApplication::exec();
}

class Child {
 public:
  Child(const ProgramFolder& folder, const QString& file, bool busy = false) {
    process.setProcessChannelMode(QProcess::SeparateChannels);
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("offscreen"));
    process.setProcessEnvironment(env);
    QStringList args{QStringLiteral("--child"), folder.path(), file};
    if (busy) args << QStringLiteral("busy");
    process.start(QCoreApplication::applicationFilePath(), args);
  }
  ~Child() {
    if (process.state() != QProcess::NotRunning) {
      process.kill();
      process.waitForFinished(5000);
    }
  }
  // Waits for the report; false when the child did not get there.
  bool waitUntilReady() {
    QElapsedTimer clock;
    clock.start();
    QByteArray out;
    while (!out.contains("READY\n") && clock.elapsed() < 60000 && process.state() != QProcess::NotRunning) {
      process.waitForReadyRead(100);
      out += process.readAllStandardOutput();
    }
    for (const QByteArray& line : out.split('\n')) {
      const QList<QByteArray> f = line.split('\t');
      if (f.size() == 5 && f[0] == "DOC")
        held[QString::fromUtf8(f[1])] = Held{QString::fromUtf8(f[2]), QByteArray::fromHex(f[4]), f[3] == "1"};
    }
    return out.contains("READY\n");
  }
  void signal(int sig) { ::kill(static_cast<pid_t>(process.processId()), sig); }

  QProcess process;
  std::map<QString, Held> held;  // by document name
};

QStringList journalFiles(const ProgramFolder& folder) {
  return QDir(folder.file(QStringLiteral("Recovery"))).entryList({QStringLiteral("*.kivjournal")}, QDir::Files);
}

DocumentWindow* documentNamed(MainWindow& main, const QString& name) {
  for (DocumentWindow* d : main.editor().documents())
    if (qpath(d->fileName()) == name) return d;
  return nullptr;
}

}  // namespace

class RecoveryTest : public QObject {
  Q_OBJECT
 private slots:
  void killedProgramsDocumentsComeBack();
  void recoveredDocumentWhoseFileChangedAsksBeforeSaving();
  void signalsEndTheProgramAndKeepTheJournals_data();
  void signalsEndTheProgramAndKeepTheJournals();
  void journalFollowsTheDocumentsLife();
  void unreadableJournalIsListedAndKept();
  void settingsReachTheFileWithoutAnExit();
  void largeFilesJournalIsACopyOfTheFileWhileItIsTheSame();
};

namespace {

const std::string kFileBytes = w1251("Это файл\r\nвторая строка\r\n");

// Starts a program on the folder, recovers everything the recovery window
// offers and checks each document against what the child held.
void recoverAllAndCompare(const ProgramFolder& folder, const Child& child, ScriptedDialogs& dialogs) {
  auto main = startProgram(folder);
  QTRY_VERIFY(main->recovery().window());
  RecoveryWindow* window = main->recovery().window();
  QCOMPARE(window->list()->topLevelItemCount(), 2);
  window->recoverAll();
  QTRY_VERIFY(!main->recovery().window());
  QCOMPARE(main->editor().documents().size(), qsizetype(2));
  QCOMPARE(child.held.size(), std::size_t(2));
  for (const auto& [name, held] : child.held) {
    DocumentWindow* doc = documentNamed(*main, name);
    QVERIFY2(doc, qPrintable(name));
    QCOMPARE(QByteArray::fromStdString(doc->control()->textCrLf()), held.bytes);
    QCOMPARE(QString::fromStdString(doc->charset()), held.charset);
    QCOMPARE(doc->hasFile(), held.hasFile);
    QVERIFY(doc->control()->modifiedFlag());
  }
  // The recovered documents have journals of their own; the old ones are gone.
  main->recovery().flush();
  QCOMPARE(journalFiles(folder).size(), 2);
  QVERIFY(dialogs.messages.isEmpty());
  for (DocumentWindow* d : main->editor().documents()) d->control()->setModifiedFlag(false);
  main->close();
  QVERIFY(!QDir(folder.file(QStringLiteral("Recovery"))).exists());
}

}  // namespace

void RecoveryTest::killedProgramsDocumentsComeBack() {
  ScriptedDialogs dialogs;
  ProgramFolder folder;
  const QString file = folder.file(QStringLiteral("письмо.txt"));
  writeBytes(file, kFileBytes);
  {
    Child child(folder, file);
    QVERIFY(child.waitUntilReady());
    const Held& saved = child.held[file];
    QCOMPARE(saved.charset, QStringLiteral("koi"));
    QCOMPARE(saved.bytes.left(3), QByteArray(w1251("Это").c_str()));
    QVERIFY(saved.bytes.size() > static_cast<qsizetype>(kFileBytes.size()));
    // Nothing typed more than a second before the crash is lost.
    QTest::qWait(1100);
    child.signal(SIGKILL);
    QVERIFY(child.process.waitForFinished(5000));
    QCOMPARE(journalFiles(folder).size(), 2);
    recoverAllAndCompare(folder, child, dialogs);
  }
  QCOMPARE(readBytes(file), kFileBytes);  // recovery wrote nothing over the file
}

void RecoveryTest::recoveredDocumentWhoseFileChangedAsksBeforeSaving() {
  ScriptedDialogs dialogs;
  ProgramFolder folder;
  const QString file = folder.file(QStringLiteral("shared.txt"));
  writeBytes(file, kFileBytes);
  Child child(folder, file);
  QVERIFY(child.waitUntilReady());
  QTest::qWait(1100);
  child.signal(SIGKILL);
  QVERIFY(child.process.waitForFinished(5000));
  const std::string other = "written by another program meanwhile\r\n";
  writeBytes(file, other);

  auto main = startProgram(folder);
  QTRY_VERIFY(main->recovery().window());
  QTreeWidget* list = main->recovery().window()->list();
  QStringList diskColumn;
  for (int i = 0; i < list->topLevelItemCount(); ++i) diskColumn << list->topLevelItem(i)->text(2);
  diskColumn.sort();
  QCOMPARE(diskColumn, (QStringList{QStringLiteral("изменён после правки"), QStringLiteral("не сохранялся")}));
  main->recovery().window()->recoverAll();
  DocumentWindow* doc = documentNamed(*main, file);
  QVERIFY(doc);
  QCOMPARE(readBytes(file), other);
  // Saving asks first; No leaves the other program's text.
  dialogs.answers = {QMessageBox::No};
  saveDocumentFile(*main, doc, doc->fileName());
  QCOMPARE(dialogs.questions.size(), 1);
  QCOMPARE(readBytes(file), other);
  QVERIFY(doc->control()->modifiedFlag());
  for (DocumentWindow* d : main->editor().documents()) d->control()->setModifiedFlag(false);
  main->close();
}

void RecoveryTest::signalsEndTheProgramAndKeepTheJournals_data() {
  QTest::addColumn<int>("sig");
  QTest::addColumn<bool>("busy");
  QTest::newRow("SIGTERM") << SIGTERM << false;
  QTest::newRow("SIGINT") << SIGINT << false;
  QTest::newRow("SIGHUP") << SIGHUP << false;
  QTest::newRow("SIGTERM during a long operation") << SIGTERM << true;
}

void RecoveryTest::signalsEndTheProgramAndKeepTheJournals() {
  QFETCH(int, sig);
  QFETCH(bool, busy);
  ScriptedDialogs dialogs;
  ProgramFolder folder;
  const QString file = folder.file(QStringLiteral("doc.txt"));
  writeBytes(file, kFileBytes);
  Child child(folder, file, busy);
  QVERIFY(child.waitUntilReady());
  if (busy) QTest::qWait(200);  // the operation has begun
  QElapsedTimer clock;
  clock.start();
  child.signal(sig);
  QVERIFY(child.process.waitForFinished(5000));
  QVERIFY2(clock.elapsed() < 1000, qPrintable(QString::number(clock.elapsed())));
  QCOMPARE(child.process.exitStatus(), QProcess::NormalExit);
  QCOMPARE(child.process.exitCode(), 0);
  // kiv.ini was written: the closed document is in the recent list.
  if (!busy) QVERIFY(folder.readIni().contains(("Item_0=" + file).toUtf8()));
  QCOMPARE(journalFiles(folder).size(), 2);
  recoverAllAndCompare(folder, child, dialogs);
}

void RecoveryTest::journalFollowsTheDocumentsLife() {
  ScriptedDialogs dialogs;
  ProgramFolder folder;
  const QString file = folder.file(QStringLiteral("life.txt"));
  writeBytes(file, "text\r\n");
  auto main = startProgram(folder);
  DocumentWindow* doc = main->openFile(file);
  QVERIFY(doc);
  auto journals = [&] {
    main->recovery().flush();
    return journalFiles(folder).size();
  };
  struct Step {
    const char* what;
    std::function<void()> act;
    qsizetype journals;
  };
  const std::vector<Step> steps = {
      {"opened, unmodified", [] {}, 0},
      {"typed", [&] { typeText(doc->control(), QStringLiteral("a")); }, 1},
      {"undone to the saved text", [&] { doc->control()->undo(); }, 0},
      {"typed again", [&] { typeText(doc->control(), QStringLiteral("b")); }, 1},
      {"saved", [&] { main->action(QStringLiteral("mniSave"))->trigger(); }, 0},
      {"typed after saving", [&] { typeText(doc->control(), QStringLiteral("c")); }, 1},
      {"reverted", [&] { revertDocument(*main, doc); }, 0},
      {"a new document typed into", [&] { typeText(main->newDocument()->control(), QStringLiteral("d")); }, 1},
      {"closed on purpose", [&] {
         dialogs.answers = {QMessageBox::Yes};
         main->activeDocument()->subWindow()->close();
       }, 0},
  };
  for (const Step& s : steps) {
    s.act();
    QVERIFY2(journals() == s.journals, s.what);
    if (s.journals == 0) continue;
    const std::string bytes = readBytes(folder.file(QStringLiteral("Recovery/")) + journalFiles(folder).first());
    QVERIFY2(readJournal(bytes).readable, s.what);
  }
  QCOMPARE(readBytes(file), std::string("btext\r\n"));
  doc->control()->setModifiedFlag(false);
  main->close();
  QVERIFY(!QDir(folder.file(QStringLiteral("Recovery"))).exists());  // a clean exit leaves nothing
}

void RecoveryTest::unreadableJournalIsListedAndKept() {
  ScriptedDialogs dialogs;
  ProgramFolder folder;
  QDir().mkpath(folder.file(QStringLiteral("Recovery")));
  const QString broken = folder.file(QStringLiteral("Recovery/1-2-3.kivjournal"));
  writeBytes(broken, "not a journal");
  auto main = startProgram(folder);
  QTRY_VERIFY(main->recovery().window());
  RecoveryWindow* window = main->recovery().window();
  QCOMPARE(window->list()->topLevelItemCount(), 1);
  QVERIFY(window->list()->topLevelItem(0)->text(0).contains(QStringLiteral("не читается")));
  window->recoverAll();
  QCOMPARE(dialogs.messages.size(), 1);
  QVERIFY(main->editor().documents().isEmpty());
  window->close();
  main->close();
  QCOMPARE(readBytes(broken), std::string("not a journal"));
  // Deleting it is the user's choice.
  auto again = startProgram(folder);
  QTRY_VERIFY(again->recovery().window());
  again->recovery().window()->list()->topLevelItem(0)->setSelected(true);
  dialogs.answers = {QMessageBox::Yes};
  again->recovery().window()->deleteSelected();
  QVERIFY(!QFile::exists(broken));
  again->close();
}

void RecoveryTest::settingsReachTheFileWithoutAnExit() {
  ScriptedDialogs dialogs;
  ProgramFolder folder;
  const QString file = folder.file(QStringLiteral("recent.txt"));
  writeBytes(file, "x\r\n");
  auto main = startProgram(folder);
  DocumentWindow* doc = main->openFile(file);
  QVERIFY(doc);
  doc->subWindow()->close();
  main->settings().rightMargin = 91;
  // Written within a few seconds, while the program runs.
  QTRY_VERIFY_WITH_TIMEOUT(folder.readIni().contains(("Item_0=" + file).toUtf8()), 6000);
  QVERIFY(folder.readIni().contains("RMargin=91\r\n"));
  main->close();
}

namespace {

// The control's text as it holds it (UTF-8), as a journal gives it back.
std::string heldText(DocumentWindow* doc) {
  const auto runs = doc->control()->textInPlace();
  return std::string(runs[0]) + std::string(runs[1]);
}

std::string journalBytes(const ProgramFolder& folder) {
  const QStringList files = journalFiles(folder);
  if (files.size() != 1) return {};
  return readBytes(folder.file(QStringLiteral("Recovery/") + files.first()));
}

}  // namespace

// A large file opened and then typed into gets a journal that is a copy of
// the file and the edits (nothing of the text is read from memory). A file
// changed on disk before the first key, or while it is being copied, gets a
// journal of the text instead. Either way the journal gives back the text.
void RecoveryTest::largeFilesJournalIsACopyOfTheFileWhileItIsTheSame() {
  ScriptedDialogs dialogs;
  std::string bytes;
  while (bytes.size() < (std::size_t{5} << 20)) bytes += w1251("Съешь же ещё этих мягких булок\r\n");
  const struct {
    const char* when;  // the file changes on disk
    bool copied;
  } rows[] = {{"never", true}, {"never, the document reverted first", true}, {"before the first key", false},
              {"while it is copied", false}};
  for (const auto& row : rows) {
    const QString when = QString::fromUtf8(row.when);
    ProgramFolder folder;
    const QString file = folder.file(QStringLiteral("большой.txt"));
    writeBytes(file, bytes);
    auto main = startProgram(folder);
    DocumentWindow* doc = main->openFile(file);
    QVERIFY(doc);
    if (when.contains(QLatin1String("reverted"))) {
      // Typed into, then read again from the file: the text is the file's again.
      typeText(doc->control(), QStringLiteral("ё"));
      revertDocument(*main, doc);
      QVERIFY(!doc->control()->modifiedFlag());
      main->recovery().flush();
      QVERIFY(journalFiles(folder).isEmpty());
    }
    const std::string changed = bytes + "\r\n";
    if (when == QLatin1String("before the first key")) writeBytes(file, changed);
    typeText(doc->control(), QStringLiteral("Ж"));
    if (when == QLatin1String("while it is copied")) writeBytes(file, changed);
    doc->control()->moveCaretTo(1000, 0);
    typeText(doc->control(), QStringLiteral("я"));
    main->recovery().flush();
    // A copy that could not be made is replaced by the text within a second.
    QTRY_VERIFY2_WITH_TIMEOUT(readJournal(journalBytes(folder)).readable, qPrintable(when), 5000);
    main->recovery().flush();
    const std::string journal = journalBytes(folder);
    const JournalContent r = readJournal(journal);
    QVERIFY2(r.text == heldText(doc), qPrintable(when));
    // Russian text takes twice the bytes in the control's UTF-8.
    QCOMPARE(journal.size() < bytes.size() + 4096, row.copied);
    QVERIFY2(dialogs.messages.isEmpty(), qPrintable(when));
    doc->control()->setModifiedFlag(false);
    main->close();
  }
}

int main(int argc, char** argv) {
  if (argc >= 4 && std::string(argv[1]) == "--child") return runChild(argc, argv);
  QApplication app(argc, argv);
  RecoveryTest test;
  return QTest::qExec(&test, argc, argv);
}

#include "test_recovery.moc"
