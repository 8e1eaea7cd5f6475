// Start-up and configuration: "kiv.ini" read at start and written at exit,
// the recent-files list, the command line, the caption, the tool windows.

#include <QAction>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QMessageBox>
#include <QTest>
#include <QTimer>
#include <csignal>

#include "core/config/ini_file.h"
#include "core/config/settings_table.h"
#include "support/test_env.h"
#include "ui/app/main_form.h"
#include "ui/editor/dream_editor.h"
#include "ui/editor/memo/memo_control.h"
#include "ui/editor/ted.h"
#include "ui/tools/tool_window.h"

using namespace kiv;

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
  TMainForm main(QStringLiteral("/nonexistent-kiv-folder/sub/"), {});
  QVERIFY(!main.startedOk());
  QCOMPARE(dialogs.messages, QStringList{QStringLiteral("Файл инициализации kiv.ini не найден!")});
}

void StartupTest::valuesAreReadWithDefaultsForBadNumbersAndBytesModulo256() {
  ScriptedDialogs dialogs;
  ProgramFolder folder;
  folder.writeIni("[Autoscroll]\r\nTime=abc\r\nLinesPerTime=7\r\n[Fonts]\r\nWINSize=268\r\nDOSSize=-1\r\n"
                  "[main]\r\nrmargin=80\r\nSpacesPerTab=5\r\n[Engine]\r\nCodeTablesLocation=My\\Tables\\\r\n");
  auto main = startProgram(folder);
  const RConnectionTable& t = main->table();
  QCOMPARE(t.Time, 2500);
  QCOMPARE(t.LinesPerTime, 7);
  QCOMPARE(int(t.WINSize), 12);
  QCOMPARE(int(t.DOSSize), 255);
  QCOMPARE(t.RMargin, 80);
  QCOMPARE(t.SpacesPerTab, 5);
  QCOMPARE(QString::fromStdString(t.codeTablesFolder), folder.path() + QStringLiteral("My/Tables/"));
  QCOMPARE(QString::fromStdString(t.templatesFolder), folder.path() + QStringLiteral("Engine/Templates/"));
}

void StartupTest::soundsKeyReadAsKeyWrittenAsKey() {
  ScriptedDialogs dialogs;
  ProgramFolder folder;
  folder.writeIni("[Sounds]\r\nKey=1\r\n");
  {
    auto main = startProgram(folder);
    QVERIFY(main->table().Key);
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
    main->editor().SetModified(false);
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
  QCOMPARE(main->editor().GetText(), std::string("first\r\n"));
  QVERIFY(!main->editor().GetModified());
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
  QCOMPARE(names.first(), QStringLiteral("Tfrm_CharTable"));
  QCOMPARE(names.last(), QStringLiteral("TfmFileProps"));
}

void StartupTest::childSizeFollowsResizeAndIsSaved() {
  ScriptedDialogs dialogs;
  ProgramFolder folder;
  {
    auto main = startProgram(folder);
    Ted* doc = main->newDocument();
    QCOMPARE(doc->subWindow()->size(), QSize(400, 300));
    doc->subWindow()->resize(520, 310);
    QCOMPARE(main->table().ChildW, 520);
    QCOMPARE(main->table().ChildH, 310);
    Ted* next = main->newDocument();
    QCOMPARE(next->subWindow()->size(), QSize(520, 310));
    main->editor().SetModified(false);
    for (Ted* t : main->editor().documents()) t->memo()->setModifiedFlag(false);
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
  Ted* doc = main->newDocument();
  std::string text;
  for (int i = 0; i < 200; ++i) text += "line " + std::to_string(i) + "\r\n";
  main->editor().SetText(text);
  main->restartAutoScroll();
  QTRY_VERIFY(main->editor().GetTopLine() >= 4);
  QCOMPARE(doc->memo()->caretLine(), 0);  // the caret stays where it is
  main->action(QStringLiteral("mniAscroll"))->trigger();
  QVERIFY(!main->table().Active);
  QVERIFY(!main->autoScrollTimer()->isActive());
  main->editor().SetModified(false);
}

void StartupTest::exitCancelledWhenADocumentRefusesToClose() {
  ScriptedDialogs dialogs;
  ProgramFolder folder;
  auto main = startProgram(folder);
  main->newDocument();
  main->editor().SetText("unsaved work\r\n");
  dialogs.answers = {QMessageBox::No};
  QVERIFY(!main->close());
  QVERIFY(main->isVisible());
  QCOMPARE(main->documentArea()->subWindowList().size(), 1);
  QCOMPARE(main->editor().GetText(), std::string("unsaved work\r\n"));
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
  main->editor().SetText("new text\r\n");
  ::raise(SIGTERM);
  QTRY_VERIFY(!main->isVisible());
  QCOMPARE(readBytes(file), std::string("new text\r\n"));
}

void StartupTest::terminationWhileADialogIsOpen() {
  ScriptedDialogs dialogs;
  ProgramFolder folder;
  auto main = startProgram(folder);
  main->newDocument();
  main->editor().SetModified(false);
  setDialogScript(nullptr);  // the real replace dialog this time
  QTimer::singleShot(300, [] { ::raise(SIGTERM); });
  main->editor().ShowReplaceDialog();  // returns when the termination closes it
  QTRY_VERIFY(!main->isVisible());
  setDialogScript(&dialogs);
}

QTEST_MAIN(StartupTest)
#include "test_startup.moc"
