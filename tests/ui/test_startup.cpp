// Start-up and configuration: "kiv.ini" read at start and written at exit,
// the recent-files list, the command line, the caption, the tool windows.

#include <poll.h>
#include <pwd.h>
#include <sys/inotify.h>
#include <unistd.h>

#include <QAction>
#include <QDir>
#include <QElapsedTimer>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QMessageBox>
#include <QProcess>
#include <QScreen>
#include <QStandardPaths>
#include <QTest>
#include <QTimer>
#include <csignal>

#include "core/config/ini_file.h"
#include "core/config/recent_files.h"
#include "core/config/settings_table.h"
#include "support/test_env.h"
#include "ui/app/main_window.h"
#include "ui/editor/control/editing_control.h"
#include "ui/editor/document_window.h"
#include "ui/editor/editor_interface.h"
#include "ui/tools/tool_window.h"

using namespace kiv;

namespace {

// The real program, linked into a program folder (it finds kiv.ini beside
// itself) and run offscreen. KIV_PROGRAM in the environment names another
// build of it.
class ProgramProcess {
 public:
  explicit ProgramProcess(const ProgramFolder& folder) : program_(folder.file(QStringLiteral("kiv"))) {
    const QString built = qEnvironmentVariable("KIV_PROGRAM", QStringLiteral(KIV_PROGRAM));
    if (::link(QFile::encodeName(built).constData(), QFile::encodeName(program_).constData()) != 0)
      QFile::copy(built, program_);
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("offscreen"));
    process.setProcessEnvironment(env);
    process.setProcessChannelMode(QProcess::MergedChannels);
  }
  ~ProgramProcess() {
    if (process.state() != QProcess::NotRunning) {
      process.kill();
      process.waitForFinished(10000);
    }
  }

  // Starts the program in `folder` and waits until it has read `watched`,
  // the file it is to open from the command line.
  bool startAndWaitForRead(const QStringList& args, const QString& folder, const QString& watched,
                           int timeoutMs = 30000) {
    const int fd = ::inotify_init1(IN_NONBLOCK | IN_CLOEXEC);
    if (fd < 0 || ::inotify_add_watch(fd, QFile::encodeName(watched).constData(), IN_CLOSE_NOWRITE) < 0) return false;
    process.setWorkingDirectory(folder);
    process.start(program_, args);
    bool read = false;
    QElapsedTimer clock;
    clock.start();
    while (!read && clock.elapsed() < timeoutMs && process.state() != QProcess::NotRunning) {
      pollfd p{fd, POLLIN, 0};
      if (::poll(&p, 1, 50) > 0) read = true;
      QCoreApplication::processEvents();
    }
    ::close(fd);
    return read;
  }

  // The most memory the program has held so far, in KiB.
  long peakMemoryKb() const {
    QFile status(QStringLiteral("/proc/%1/status").arg(process.processId()));
    if (!status.open(QIODevice::ReadOnly)) return -1;
    for (const QByteArray& line : status.readAll().split('\n'))
      if (line.startsWith("VmHWM:")) return line.mid(6).trimmed().split(' ').first().toLong();
    return -1;
  }

  // Ends it as the system does at shutdown; true when it closed by itself.
  bool terminate(int timeoutMs = 30000) {
    ::kill(static_cast<pid_t>(process.processId()), SIGTERM);
    return process.waitForFinished(timeoutMs) && process.exitStatus() == QProcess::NormalExit &&
           process.exitCode() == 0;
  }

  QString output() { return QString::fromLocal8Bit(process.readAll()); }

  QProcess process;

 private:
  QString program_;
};

QStringList folderEntries(const QString& path) {
  return QDir(path).entryList(QDir::AllEntries | QDir::NoDotAndDotDot | QDir::Hidden | QDir::System, QDir::Name);
}

QRect availableScreen() { return QGuiApplication::primaryScreen()->availableGeometry(); }

}  // namespace

class StartupTest : public QObject {
  Q_OBJECT
 private slots:
  void missingIniIsCreatedAndFilledAtExit();
  void iniThatCannotBeCreatedStopsTheProgram();
  void valuesAreReadWithDefaultsForBadNumbersAndBytesModulo256();
  void soundsKeyReadAsKeyWrittenAsKey();
  void recentListReadsAtMost24AndWritesBack();
  void lastDirsKeptWithoutADocumentAndTakenFromAFile();
  void commandLineOpensOnlyTheFirstArgument();
  void captionCarriesTheBuildNumber();
  void toolWindowsCreatedHiddenInOrder();
  void childSizeFollowsResizeAndIsSaved();
  void autoScrollTimerFollowsTheCheckMark();
  void exitCancelledWhenADocumentRefusesToClose();
  void terminationSavesDocumentsWhenShutdownIsOn();
  void terminationWhileADialogIsOpen();
  void unreadableIniIsReportedAndLeftAlone();
  void iniThatIsAFolderIsReportedAndLeftAlone();
  void hostileNumbersAreBoundedAndWrittenBack();
  void tabWidthFromAHostileIniIsBounded();
  void fileNamedLikeAToolkitOptionOpens();
  void fileNameWithALineBreakSurvivesTheRecentList();
};

void StartupTest::missingIniIsCreatedAndFilledAtExit() {
  ScriptedDialogs dialogs;
  ProgramFolder folder;
  QFile::remove(folder.file(QStringLiteral("kiv.ini")));
  {
    auto main = startProgram(folder);
    QVERIFY(main->startedOk());
    QVERIFY(QFile::exists(folder.file(QStringLiteral("kiv.ini"))));
    main->close();
  }
  IniFile ini(folder.file(QStringLiteral("kiv.ini")).toStdString());
  // Every key that exit writes is there, with its default where nothing changed it.
  for (const auto& k : exitOrder()) {
    if (k.key == "LastOpenDir" || k.key == "LastSaveDir") continue;
    QVERIFY2(ini.hasKey(k.section, k.key), (std::string(k.section) + "/" + std::string(k.key)).c_str());
  }
  QCOMPARE(ini.readString("RunglerOpts", "ShchaConvMode", ""), std::string("Sj"));
  QCOMPARE(ini.readInteger("Autoscroll", "Time", 0), 2500);
  QCOMPARE(ini.readInteger("Gutter", "GFillOption", -1), 2);
  QCOMPARE(ini.readInteger("Main", "MRUItemsCount", 0), 25);
  QCOMPARE(ini.readString("Fonts", "DOS", ""), std::string("Terminal"));
  QCOMPARE(ini.readInteger("Main", "SelFontColor", 0), 16777215);
  // Keys that exit does not write stay absent.
  QVERIFY(!ini.hasKey("Main", "SpacesPerTab"));
  QVERIFY(!ini.hasKey("Main", "DoEncDetect"));
  QVERIFY(!ini.hasKey("Engine", "CodeTablesLocation"));
  QVERIFY(dialogs.messages.isEmpty());
}

void StartupTest::iniThatCannotBeCreatedStopsTheProgram() {
  ScriptedDialogs dialogs;
  MainWindow main(QStringLiteral("/nonexistent-kiv-folder/sub/"), {});
  QVERIFY(!main.startedOk());
  QCOMPARE(dialogs.messages, QStringList{QStringLiteral("Файл инициализации kiv.ini не найден!")});
}

void StartupTest::valuesAreReadWithDefaultsForBadNumbersAndBytesModulo256() {
  ScriptedDialogs dialogs;
  ProgramFolder folder;
  folder.writeIni("[Autoscroll]\r\nTime=abc\r\nLinesPerTime=7\r\n[Fonts]\r\nWINSize=268\r\nDOSSize=-1\r\n"
                  "[main]\r\nrmargin=80\r\nSpacesPerTab=5\r\n[Engine]\r\nCodeTablesLocation=My\\Tables\\\r\n");
  auto main = startProgram(folder);
  const Settings& t = main->settings();
  QCOMPARE(t.autoScrollInterval, 2500);
  QCOMPARE(t.autoScrollLines, 7);
  QCOMPARE(int(t.winFontSize), 12);
  QCOMPARE(int(t.dosFontSize), kMaxFontSize);  // 255, then the font size limit
  QCOMPARE(t.rightMargin, 80);
  QCOMPARE(t.spacesPerTab, 5);
  QCOMPARE(QString::fromStdString(t.codeTablesFolder), folder.path() + QStringLiteral("My/Tables/"));
  QCOMPARE(QString::fromStdString(t.templatesFolder), folder.path() + QStringLiteral("Engine/Templates/"));
}

void StartupTest::soundsKeyReadAsKeyWrittenAsKey() {
  ScriptedDialogs dialogs;
  ProgramFolder folder;
  folder.writeIni("[Sounds]\r\nKey=1\r\n");
  {
    auto main = startProgram(folder);
    QVERIFY(main->settings().keyClickSound);
    main->close();
  }
  const QByteArray ini = folder.readIni();
  QVERIFY(ini.contains("Key=1\r\n") || ini.contains("key=1\r\n"));
  QCOMPARE(ini.count("ey=1\r\n[") + ini.count("ey=1\r\nCRET"), 1);
}

void StartupTest::recentListReadsAtMost24AndWritesBack() {
  ScriptedDialogs dialogs;
  ProgramFolder folder;
  QByteArray ini = "[Main]\r\nMRUItemsCount=30\r\n[Recent]\r\n";
  for (int i = 0; i < 30; ++i) ini += "Item_" + QByteArray::number(i) + "=/f" + QByteArray::number(i) + "\r\n";
  ini += "User_3=120\r\n";
  folder.writeIni(ini);
  {
    auto main = startProgram(folder);
    QCOMPARE(int(main->recent().size()), 24);
    QCOMPARE(main->recent().entries().front().fileName, std::string("/f0"));
    QCOMPARE(main->recent().entries()[3].number, 120);
    QCOMPARE(main->recent().entries().back().fileName, std::string("/f23"));
    main->close();
  }
  IniFile back(folder.file(QStringLiteral("kiv.ini")).toStdString());
  QCOMPARE(back.readString("Recent", "Item_23", ""), std::string("/f23"));
  QVERIFY(!back.hasKey("Recent", "Item_24"));
  QCOMPARE(back.readInteger("Recent", "User_3", 0), 120);
  QVERIFY(!back.hasKey("Recent", "User_0"));
}

void StartupTest::lastDirsKeptWithoutADocumentAndTakenFromAFile() {
  ScriptedDialogs dialogs;
  ProgramFolder folder;
  folder.writeIni("[Main]\r\nLastOpenDir=/old/open/\r\nLastSaveDir=/old/save/\r\n");
  {
    auto main = startProgram(folder);
    main->newDocument();  // untitled: no file
    main->editor().setModified(false);
    main->close();
  }
  IniFile ini(folder.file(QStringLiteral("kiv.ini")).toStdString());
  QCOMPARE(ini.readString("Main", "LastOpenDir", ""), std::string("/old/open/"));
  QCOMPARE(ini.readString("Main", "LastSaveDir", ""), std::string("/old/save/"));

  writeBytes(folder.file(QStringLiteral("doc.txt")), "text\r\n");
  {
    auto main = startProgram(folder);
    QVERIFY(main->openFile(folder.file(QStringLiteral("doc.txt"))));
    main->close();
  }
  IniFile ini2(folder.file(QStringLiteral("kiv.ini")).toStdString());
  QCOMPARE(QString::fromStdString(ini2.readString("Main", "LastOpenDir", "")), folder.path());
  QCOMPARE(QString::fromStdString(ini2.readString("Main", "LastSaveDir", "")), folder.path());
}

void StartupTest::commandLineOpensOnlyTheFirstArgument() {
  ScriptedDialogs dialogs;
  ProgramFolder folder;
  writeBytes(folder.file(QStringLiteral("a.txt")), "first\r\n");
  writeBytes(folder.file(QStringLiteral("b.txt")), "second\r\n");
  auto main = startProgram(folder, {folder.file(QStringLiteral("a.txt")), folder.file(QStringLiteral("b.txt"))});
  main->firstActivation();
  main->firstActivation();  // later activations do nothing
  QCOMPARE(main->documentArea()->subWindowList().size(), 1);
  QCOMPARE(main->editor().text(), std::string("first\r\n"));
  QVERIFY(!main->editor().isModified());
}

void StartupTest::captionCarriesTheBuildNumber() {
  ScriptedDialogs dialogs;
  ProgramFolder folder;
  auto main = startProgram(folder);
  QCOMPARE(main->windowTitle(), QStringLiteral("Kiv build no. ") + QStringLiteral(KIV_VERSION_STRING));
  QCOMPARE(QString(KIV_VERSION_STRING).split(QLatin1Char('.')).size(), 4);
}

void StartupTest::toolWindowsCreatedHiddenInOrder() {
  ScriptedDialogs dialogs;
  ProgramFolder folder;
  auto main = startProgram(folder);
  QStringList names;
  for (ToolWindow* w : main->tools().all()) {
    names << w->className();
    QVERIFY(!w->isVisible());
  }
  QCOMPARE(names, ToolWindows::creationOrder());
  QCOMPARE(names.size(), 20);
  QCOMPARE(names.first(), QStringLiteral("CharacterTableWindow"));
  QCOMPARE(names.last(), QStringLiteral("FilePropertiesDialog"));
}

void StartupTest::childSizeFollowsResizeAndIsSaved() {
  ScriptedDialogs dialogs;
  ProgramFolder folder;
  {
    auto main = startProgram(folder);
    DocumentWindow* doc = main->newDocument();
    QCOMPARE(doc->subWindow()->size(), QSize(400, 300));
    doc->subWindow()->resize(520, 310);
    QCOMPARE(main->settings().documentWidth, 520);
    QCOMPARE(main->settings().documentHeight, 310);
    DocumentWindow* next = main->newDocument();
    QCOMPARE(next->subWindow()->size(), QSize(520, 310));
    main->editor().setModified(false);
    for (DocumentWindow* t : main->editor().documents()) t->control()->setModifiedFlag(false);
    main->close();
  }
  IniFile ini(folder.file(QStringLiteral("kiv.ini")).toStdString());
  QCOMPARE(ini.readInteger("Main", "ChildW", 0), 520);
  QCOMPARE(ini.readInteger("Main", "ChildH", 0), 310);
}

void StartupTest::autoScrollTimerFollowsTheCheckMark() {
  ScriptedDialogs dialogs;
  ProgramFolder folder;
  folder.writeIni("[Autoscroll]\r\nActive=1\r\nTime=40\r\nLinesPerTime=2\r\n");
  auto main = startProgram(folder);
  QVERIFY(main->action(QStringLiteral("mniAscroll"))->isChecked());
  DocumentWindow* doc = main->newDocument();
  std::string text;
  for (int i = 0; i < 200; ++i) text += "line " + std::to_string(i) + "\r\n";
  main->editor().setText(text);
  main->restartAutoScroll();
  QTRY_VERIFY(main->editor().topLine() >= 4);
  QCOMPARE(doc->control()->caretLine(), 0);  // the caret stays where it is
  main->action(QStringLiteral("mniAscroll"))->trigger();
  QVERIFY(!main->settings().autoScroll);
  QVERIFY(!main->autoScrollTimer()->isActive());
  main->editor().setModified(false);
}

void StartupTest::exitCancelledWhenADocumentRefusesToClose() {
  ScriptedDialogs dialogs;
  ProgramFolder folder;
  auto main = startProgram(folder);
  main->newDocument();
  main->editor().setText("unsaved work\r\n");
  dialogs.answers = {QMessageBox::No};
  QVERIFY(!main->close());
  QVERIFY(main->isVisible());
  QCOMPARE(main->documentArea()->subWindowList().size(), 1);
  QCOMPARE(main->editor().text(), std::string("unsaved work\r\n"));
  QCOMPARE(dialogs.questions.size(), 1);
  dialogs.answers = {QMessageBox::Yes};
  QVERIFY(main->close());
}

void StartupTest::terminationSavesDocumentsWhenShutdownIsOn() {
  ScriptedDialogs dialogs;
  ProgramFolder folder;
  folder.writeIni("[PowModes]\r\nshutdown=1\r\n");
  const QString file = folder.file(QStringLiteral("work.txt"));
  writeBytes(file, "old\r\n");
  auto main = startProgram(folder);
  QVERIFY(main->openFile(file));
  main->editor().setText("new text\r\n");
  ::raise(SIGTERM);
  QTRY_VERIFY(!main->isVisible());
  QCOMPARE(readBytes(file), std::string("new text\r\n"));
}

void StartupTest::terminationWhileADialogIsOpen() {
  ScriptedDialogs dialogs;
  ProgramFolder folder;
  auto main = startProgram(folder);
  main->newDocument();
  main->editor().setModified(false);
  setDialogScript(nullptr);  // the real replace dialog this time
  QTimer::singleShot(300, [] { ::raise(SIGTERM); });
  main->editor().showReplaceDialog();  // returns when the termination closes it
  QTRY_VERIFY(!main->isVisible());
  setDialogScript(&dialogs);
}

void StartupTest::unreadableIniIsReportedAndLeftAlone() {
  if (::geteuid() == 0) {
    // Permissions do not stop root: the same test runs again as an
    // unprivileged user.
    const QString runuser =
        QStandardPaths::findExecutable(QStringLiteral("runuser"), {QStringLiteral("/usr/sbin"), QStringLiteral("/sbin")});
    if (runuser.isEmpty()) QSKIP("runuser is missing: an unreadable kiv.ini cannot be tested as root");
    if (!::getpwnam("nobody")) QSKIP("there is no user 'nobody' to run the test as");
    QProcess child;
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("offscreen"));
    env.insert(QStringLiteral("TMPDIR"), QStringLiteral("/tmp"));
    env.remove(QStringLiteral("XDG_RUNTIME_DIR"));
    child.setProcessEnvironment(env);
    child.setProcessChannelMode(QProcess::MergedChannels);
    child.setWorkingDirectory(QStringLiteral("/"));
    child.start(runuser, {QStringLiteral("-u"), QStringLiteral("nobody"), QStringLiteral("--"),
                          QCoreApplication::applicationFilePath(), QStringLiteral("unreadableIniIsReportedAndLeftAlone")});
    QVERIFY(child.waitForStarted());
    QVERIFY(child.waitForFinished(180000));
    const QString out = QString::fromLocal8Bit(child.readAll());
    if (!out.contains(QStringLiteral("Start testing")))
      QSKIP(qPrintable(QStringLiteral("the test cannot run as 'nobody' here: ") + out.left(400)));
    if (out.contains(QStringLiteral("SKIP   : StartupTest::unreadableIni"))) QSKIP(qPrintable(out.right(600)));
    QVERIFY2(child.exitCode() == 0 && out.contains(QStringLiteral("PASS   : StartupTest::unreadableIni")),
             qPrintable(out));
    return;
  }
  ScriptedDialogs dialogs;
  ProgramFolder folder;
  const QByteArray settings = "[Main]\r\nChildW=640\r\n[Recent]\r\nItem_0=/home/user/important.txt\r\n";
  folder.writeIni(settings);
  const QString iniPath = folder.file(QStringLiteral("kiv.ini"));
  QVERIFY(QFile::setPermissions(iniPath, QFileDevice::Permissions()));
  if (QFile probe(iniPath); probe.open(QIODevice::ReadOnly)) QSKIP("kiv.ini stays readable without permissions");
  const QStringList before = folderEntries(folder.path());
  {
    auto main = startProgram(folder);
    QVERIFY(main->startedOk());
    QCOMPARE(dialogs.messages, QStringList{QStringLiteral("Не удалось прочитать файл настроек kiv.ini: нет прав на "
                                                          "чтение. Настройки не будут сохранены.")});
    QCOMPARE(main->settings().documentWidth, 400);  // the defaults
    QVERIFY(main->recent().empty());
    DocumentWindow* doc = main->newDocument();
    doc->subWindow()->resize(520, 310);  // a change exit would write
    main->editor().setModified(false);
    main->close();
  }
  QCOMPARE(dialogs.messages.size(), 1);  // nothing more at exit
  QCOMPARE(folderEntries(folder.path()), before);
  QVERIFY(QFile::setPermissions(iniPath, QFileDevice::ReadOwner | QFileDevice::WriteOwner));
  QCOMPARE(folder.readIni(), settings);
}

void StartupTest::iniThatIsAFolderIsReportedAndLeftAlone() {
  ScriptedDialogs dialogs;
  ProgramFolder folder;
  QVERIFY(QDir(folder.path()).mkdir(QStringLiteral("kiv.ini")));
  const QStringList before = folderEntries(folder.path());
  {
    auto main = startProgram(folder);
    QVERIFY(main->startedOk());
    QCOMPARE(dialogs.messages, QStringList{QStringLiteral("Не удалось прочитать файл настроек kiv.ini: это папка, "
                                                          "а не файл. Настройки не будут сохранены.")});
    main->close();
  }
  QCOMPARE(dialogs.messages.size(), 1);  // no "cannot write" at exit
  QCOMPARE(folderEntries(folder.path()), before);
  QVERIFY(QFileInfo(folder.file(QStringLiteral("kiv.ini"))).isDir());
  QVERIFY(QDir(folder.file(QStringLiteral("kiv.ini"))).isEmpty());
}

// Numbers that used to make the program take gigabytes or hang: the real
// program starts quickly, stays small and writes the bounded values back.
void StartupTest::hostileNumbersAreBoundedAndWrittenBack() {
  ProgramFolder folder;
  folder.writeIni("[Main]\r\nW=2147483647\r\nH=2147483647\r\nTop=-2147483648\r\nLeft=2147483647\r\n"
                  "SpacesPerTab=2000000000\r\nRMargin=2147483647\r\nChildW=2147483647\r\nChildH=-5\r\n"
                  "MRUItemsCount=2147483647\r\n[Autoscroll]\r\nActive=1\r\nTime=0\r\nLinesPerTime=2147483647\r\n"
                  "[Fonts]\r\nWINSize=0\r\n[Gutter]\r\nwidth=2147483647\r\n[Dox]\r\nW=2147483647\r\n");
  const QString doc = folder.file(QStringLiteral("doc.txt"));
  writeBytes(doc, "text\r\n");
  ProgramProcess kiv(folder);
  QElapsedTimer clock;
  clock.start();
  QVERIFY2(kiv.startAndWaitForRead({doc}, folder.path(), doc), qPrintable(kiv.output()));
  const long peak = kiv.peakMemoryKb();
  QVERIFY2(peak > 0 && peak < 1024 * 1024, qPrintable(QString::number(peak) + QStringLiteral(" KiB")));
  QVERIFY2(kiv.terminate(), qPrintable(kiv.output()));
  QVERIFY(clock.elapsed() < 60000);

  IniFile ini(folder.file(QStringLiteral("kiv.ini")).toStdString());
  const QRect screen = availableScreen();
  QCOMPARE(ini.readInteger("Main", "W", 0), std::min(screen.width(), kMaxWindowSide));
  QCOMPARE(ini.readInteger("Main", "H", 0), std::min(screen.height(), kMaxWindowSide));
  QCOMPARE(ini.readInteger("Main", "Top", -1), screen.top());
  QCOMPARE(ini.readInteger("Main", "Left", -1), screen.left());
  QCOMPARE(ini.readInteger("Main", "SpacesPerTab", 0), 32);
  QCOMPARE(ini.readInteger("Main", "RMargin", 0), 1000);
  QVERIFY(ini.readInteger("Main", "ChildW", 0) <= kMaxWindowSide);
  QVERIFY(ini.readInteger("Main", "ChildH", 0) >= 60);
  QCOMPARE(ini.readInteger("Main", "MRUItemsCount", 0), 100);
  QCOMPARE(ini.readInteger("Autoscroll", "Time", 0), 10);
  QCOMPARE(ini.readInteger("Autoscroll", "LinesPerTime", 0), 1000);
  QCOMPARE(ini.readInteger("Fonts", "WINSize", 0), kMinFontSize);
  QCOMPARE(ini.readInteger("Gutter", "width", 0), 256);
  QCOMPARE(ini.readInteger("Dox", "W", 0), kMaxWindowSide);
  QCOMPARE(QString::fromStdString(ini.readString("Recent", "Item_0", "")), doc);
}

void StartupTest::tabWidthFromAHostileIniIsBounded() {
  ScriptedDialogs dialogs;
  ProgramFolder folder;
  folder.writeIni("[Main]\r\nSpacesPerTab=2000000000\r\n");
  {
    auto main = startProgram(folder);
    QCOMPARE(main->settings().spacesPerTab, 32);
    DocumentWindow* doc = main->newDocument();
    main->editor().setText("");
    pressKey(doc->control(), Qt::Key_Tab, Qt::NoModifier, QStringLiteral("\t"));
    QCOMPARE(QString::fromStdString(main->editor().text()), QString(32, QLatin1Char(' ')) + QStringLiteral("\r\n"));
    main->editor().setModified(false);
    main->close();
  }
  IniFile ini(folder.file(QStringLiteral("kiv.ini")).toStdString());
  QCOMPARE(ini.readInteger("Main", "SpacesPerTab", 0), 32);
  QVERIFY(dialogs.messages.isEmpty());
}

// The toolkit takes "-reverse" as its own option; a file of that name on the
// command line is opened all the same.
void StartupTest::fileNamedLikeAToolkitOptionOpens() {
  ProgramFolder folder;
  const QString work = folder.file(QStringLiteral("work"));
  QVERIFY(QDir().mkpath(work));
  const QString file = work + QStringLiteral("/-reverse");
  writeBytes(file, "reverse\r\n");
  ProgramProcess kiv(folder);
  QVERIFY2(kiv.startAndWaitForRead({QStringLiteral("-reverse")}, work, file), qPrintable(kiv.output()));
  QVERIFY2(kiv.terminate(), qPrintable(kiv.output()));
  IniFile ini(folder.file(QStringLiteral("kiv.ini")).toStdString());
  QCOMPARE(QString::fromStdString(ini.readString("Recent", "Item_0", "")), file);
}

// A file name with a line break reaches the program untouched, goes into the
// recent-files list at exit and comes back exactly at the next start.
void StartupTest::fileNameWithALineBreakSurvivesTheRecentList() {
  ProgramFolder folder;
  const QString file = folder.file(QStringLiteral("line\nbreak.txt"));
  writeBytes(file, "text\r\n");
  {
    ProgramProcess kiv(folder);
    QVERIFY2(kiv.startAndWaitForRead({file}, folder.path(), file), qPrintable(kiv.output()));
    QVERIFY2(kiv.terminate(), qPrintable(kiv.output()));
  }
  const QByteArray text = folder.readIni();
  QVERIFY(!text.contains("line\n") && !text.contains("line break"));
  ScriptedDialogs dialogs;
  auto main = startProgram(folder);
  QVERIFY(!main->recent().empty());
  QCOMPARE(QString::fromStdString(main->recent().entries().front().fileName), file);
  QVERIFY(dialogs.messages.isEmpty());
}

QTEST_MAIN(StartupTest)
#include "test_startup.moc"
