// The installed program in process: shipped data read-only under a prefix,
// kiv.ini and every file the program writes in the user's XDG folders.

#include <QAction>
#include <QDir>
#include <QDirIterator>
#include <QFile>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>

#include "core/config/ini_file.h"
#include "support/test_env.h"
#include "ui/app/main_window.h"
#include "ui/commands/command_dispatch.h"
#include "ui/commands/command_table.h"
#include "ui/common/qt_text.h"
#include "ui/common/sound_player.h"
#include "ui/editor/document_window.h"
#include "ui/editor/editor_interface.h"

using namespace kiv;

namespace {

// Names, sizes and times of everything under `root`.
QStringList snapshot(const QString& root) {
  QStringList out;
  QDirIterator it(root, QDir::AllEntries | QDir::NoDotAndDotDot | QDir::Hidden | QDir::System,
                  QDirIterator::Subdirectories);
  while (it.hasNext()) {
    it.next();
    const QFileInfo& f = it.fileInfo();
    out << QStringLiteral("%1 %2 %3").arg(f.filePath()).arg(f.size()).arg(f.lastModified().toMSecsSinceEpoch());
  }
  out.sort();
  return out;
}

void putBytes(const QString& path, const QByteArray& bytes) {
  QFile f(path);
  QVERIFY(f.open(QIODevice::WriteOnly));
  f.write(bytes);
}

QByteArray bytesIn(const QString& path) {
  QFile f(path);
  return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray("<missing>");
}

}  // namespace

class InstalledModeTest : public QObject {
  Q_OBJECT
 private slots:
  void init();
  void cleanup();
  void firstStartMakesTheUsersFilesAndLeavesThePrefixAlone();
  void theUsersCopiesWinOverTheShippedOnes();
  void portableFolderIsUsedAsBefore();

 private:
  ProgramPaths paths() const {
    return ProgramPaths::installed(spathOf(share_), spathOf(helper_), users_);
  }
  static std::string spathOf(const QString& s) { return QFile::encodeName(s).toStdString(); }
  std::unique_ptr<MainWindow> start() {
    auto main = std::make_unique<MainWindow>(paths(), QStringList{});
    if (main->startedOk()) {
      main->sounds().setMuted(true);
      main->show();
    }
    return main;
  }

  std::unique_ptr<QTemporaryDir> dir_;
  QString share_, helper_;
  UserFolders users_;
};

void InstalledModeTest::init() {
  dir_ = std::make_unique<QTemporaryDir>();
  const QString root = dir_->path();
  share_ = root + QStringLiteral("/prefix/share/kiv");
  helper_ = root + QStringLiteral("/prefix/libexec/kiv");
  copyTree(qEnvironmentVariable("KIV_TEST_DATA"), share_);
  QDir().mkpath(helper_);
  users_.home = spathOf(root + QStringLiteral("/home"));
  users_.configHome = spathOf(root + QStringLiteral("/cfg"));
  users_.dataHome = spathOf(root + QStringLiteral("/data"));
  users_.stateHome = spathOf(root + QStringLiteral("/state"));
}

void InstalledModeTest::cleanup() { dir_.reset(); }

void InstalledModeTest::firstStartMakesTheUsersFilesAndLeavesThePrefixAlone() {
  ScriptedDialogs dialogs;
  const QString prefix = dir_->path() + QStringLiteral("/prefix");
  const QStringList before = snapshot(prefix);
  const QString doc = dir_->path() + QStringLiteral("/doc.txt");
  putBytes(doc, "old\r\n");
  {
    auto main = start();
    QVERIFY(main->startedOk());
    QVERIFY(dialogs.messages.isEmpty());
    const QString ini = dir_->path() + QStringLiteral("/cfg/kiv/kiv.ini");
    QVERIFY(QFile::exists(ini));
    // Open, change, save.
    QVERIFY(main->openFile(doc));
    main->editor().insertAtCaret("new ");
    runCommand(*main, *findCommand("mniSave"));
    QCOMPARE(bytesIn(doc), QByteArray("new old\r\n"));
    // Change a setting.
    QVERIFY(!main->settings().autoScroll);
    main->action(QStringLiteral("mniAscroll"))->trigger();
    QVERIFY(main->settings().autoScroll);
    main->action(QStringLiteral("mniAscroll"))->trigger();
    main->action(QStringLiteral("mniAscroll"))->trigger();
    main->autoScrollTimer()->stop();
    // The folders the program writes in are the user's.
    QCOMPARE(QString::fromStdString(main->settings().templatesFolder),
             dir_->path() + QStringLiteral("/data/kiv/Engine/Templates/"));
    QCOMPARE(QString::fromStdString(main->paths().bookmarksFile()),
             dir_->path() + QStringLiteral("/data/kiv/Engine/bookmarx/bmxtree.bmx"));
    QCOMPARE(QString::fromStdString(main->paths().helpFile("kiv.htm")), share_ + QStringLiteral("/dox/kiv.htm"));
    main->close();
  }
  IniFile ini((dir_->path() + QStringLiteral("/cfg/kiv/kiv.ini")).toStdString());
  QCOMPARE(ini.readInteger("Autoscroll", "Active", 0), 1);
  QCOMPARE(QString::fromStdString(ini.readString("Recent", "Item_0", "")), doc);
  // The shipped data was copied for the user; the state folder is there.
  QCOMPARE(bytesIn(dir_->path() + QStringLiteral("/data/kiv/Engine/Tables/Fido.tbl")),
           bytesIn(share_ + QStringLiteral("/Engine/Tables/Fido.tbl")));
  QVERIFY(QFileInfo(dir_->path() + QStringLiteral("/state/kiv")).isDir());
  QCOMPARE(snapshot(prefix), before);
  QVERIFY(dialogs.messages.isEmpty());
}

void InstalledModeTest::theUsersCopiesWinOverTheShippedOnes() {
  ScriptedDialogs dialogs;
  // A default kiv.ini shipped by the system's administrator.
  putBytes(share_ + QStringLiteral("/kiv.ini"), "[Main]\r\nSpacesPerTab=3\r\n");
  const QString mine = dir_->path() + QStringLiteral("/data/kiv/Engine/Tables/Fido.tbl");
  QDir().mkpath(QFileInfo(mine).path());
  putBytes(mine, "mine");
  {
    auto main = start();
    QVERIFY(main->startedOk());
    QCOMPARE(main->settings().spacesPerTab, 3);
    main->close();
  }
  QCOMPARE(bytesIn(mine), QByteArray("mine"));
  // Once the user has kiv.ini, the default no longer matters.
  putBytes(share_ + QStringLiteral("/kiv.ini"), "[Main]\r\nSpacesPerTab=9\r\n");
  auto main = start();
  QCOMPARE(main->settings().spacesPerTab, 3);
  main->close();
  QVERIFY(dialogs.messages.isEmpty());
}

void InstalledModeTest::portableFolderIsUsedAsBefore() {
  ScriptedDialogs dialogs;
  ProgramFolder folder;
  auto main = startProgram(folder);
  QVERIFY(main->startedOk());
  QCOMPARE(main->paths().mode(), RunMode::Portable);
  QCOMPARE(QString::fromStdString(main->paths().iniFile()), folder.file(QStringLiteral("kiv.ini")));
  QCOMPARE(QString::fromStdString(main->settings().templatesFolder), folder.file(QStringLiteral("Engine/Templates/")));
  main->close();
  QVERIFY(QFile::exists(folder.file(QStringLiteral("kiv.ini"))));
}

QTEST_MAIN(InstalledModeTest)
#include "test_installed_mode.moc"
