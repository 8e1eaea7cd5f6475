// The command table: every menu item and tool-bar button exists with its
// caption, component name and shortcut; shortcuts are unique and reach their
// commands from a document; every enabled command runs with and without an
// open document.

#include <QAction>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QMenu>
#include <QMenuBar>
#include <QMessageBox>
#include <QSignalSpy>
#include <QTabWidget>
#include <QTest>
#include <QToolButton>
#include <map>

#include "support/test_env.h"
#include "ui/app/main_window.h"
#include "ui/commands/command_dispatch.h"
#include "ui/commands/command_table.h"
#include "ui/common/sound_player.h"
#include "ui/editor/control/editing_control.h"
#include "ui/editor/document_window.h"
#include "ui/editor/editor_interface.h"
#include "ui/tools/tool_window.h"

using namespace kiv;

class CommandTableTest : public QObject {
  Q_OBJECT
 private slots:
  void init();
  void cleanup();
  void menusHoldEveryItemInOrder();
  void everyRowHasAHandlerOrTheHint();
  void shortcutsAreUnique();
  void everyShortcutReachesItsCommandFromADocument();
  void everyEnabledCommandRunsWithoutADocument();
  void everyEnabledCommandRunsWithADocument();
  void toolBarHasBothTabsAndRunsCommands();
  void cutAndCopyFollowTheSelection();
  void wordWrapChangesOnlyTheActiveDocument();

 private:
  void runAll(bool withDocument);
  ProgramSession s_;
  std::unique_ptr<ScriptedDialogs>& dialogs_ = s_.dialogs;
  std::unique_ptr<ProgramFolder>& folder_ = s_.folder;
  std::unique_ptr<MainWindow>& main_ = s_.main;
};

void CommandTableTest::init() {
  s_.start();
}

void CommandTableTest::cleanup() { s_.stop(); }

void CommandTableTest::menusHoldEveryItemInOrder() {
  QStringList tops;
  for (QAction* a : main_->menuBar()->actions()) tops << a->text();
  QCOMPARE(tops, (QStringList{"&Файл", "&Правка", "Поиск", "Функции", "Утилиты", "Плагины", "Кодировка", "Просмотр",
                              "Вид", "Документы", "&Помощь"}));
  // The 150 items of the program plus the two UTF-8 items of Import and Export.
  QCOMPARE(int(commandTable().size()), 152);
  QVERIFY(findCommand("mniUtf8Import") && findCommand("mniUtf8Export"));
  for (const auto& row : commandTable()) {
    QAction* a = main_->action(QString::fromLatin1(row.component));
    QVERIFY2(a, row.component);
    QCOMPARE(a->text(), QString::fromUtf8(row.caption));
    QCOMPARE(a->shortcut(), QKeySequence(QString::fromLatin1(row.shortcut), QKeySequence::PortableText));
    // The item stands where its path says.
    QStringList path = QString::fromUtf8(row.menuPath).split(QLatin1Char('/'));
    QStringList found;
    QObject* parent = a->associatedObjects().isEmpty() ? nullptr : a->associatedObjects().first();
    for (auto* m = qobject_cast<QMenu*>(parent); m; m = qobject_cast<QMenu*>(m->menuAction()->associatedObjects().value(0)))
      found.prepend(m->title());
    QCOMPARE(found, path);
  }
  // The recent-files submenu follows "&Открыть..." and is off while empty.
  QMenu* file = main_->menu(QStringLiteral("FileMenu"));
  const auto actions = file->actions();
  const int open = actions.indexOf(main_->action(QStringLiteral("mniOpen")));
  QCOMPARE(actions.value(open + 1)->menu(), main_->menu(QStringLiteral("MR")));
  QVERIFY(!main_->menu(QStringLiteral("MR"))->menuAction()->isEnabled());
  // Ctrl+Alt+T belongs to "Время" only.
  QCOMPARE(main_->action(QStringLiteral("Inserttime1"))->shortcut(), QKeySequence(QStringLiteral("Ctrl+Alt+T")));
  QVERIFY(main_->action(QStringLiteral("mniCharTable"))->shortcut().isEmpty());
  QCOMPARE(main_->action(QStringLiteral("Custom1"))->shortcut(), QKeySequence(QStringLiteral("Alt+F4")));
  QVERIFY(main_->action(QStringLiteral("mwordwrap"))->isCheckable());
  QVERIFY(main_->action(QStringLiteral("mniAscroll"))->isCheckable());
}

void CommandTableTest::everyRowHasAHandlerOrTheHint() {
  int built = 0;
  for (const auto& row : commandTable()) {
    QAction* a = main_->action(QString::fromLatin1(row.component));
    if (row.handler) {
      ++built;
      continue;
    }
    QVERIFY2(!a->isEnabled(), row.component);
    QCOMPARE(a->toolTip(), QString::fromUtf8(kNotYetHint));
  }
  QVERIFY(built >= 32);
}

void CommandTableTest::shortcutsAreUnique() {
  std::map<QString, QString> seen;
  auto inToolWindow = [](QObject* o) {
    for (; o; o = o->parent())
      if (qobject_cast<ToolWindow*>(o)) return true;
    return false;
  };
  for (QAction* a : main_->findChildren<QAction*>()) {
    // A tool window's keys act only in that window (the file browser's Ctrl+R).
    if (inToolWindow(a)) continue;
    for (const QKeySequence& k : a->shortcuts()) {
      const QString key = k.toString(QKeySequence::PortableText);
      QVERIFY2(!seen.count(key), qPrintable(key + QStringLiteral(": ") + seen[key] + QStringLiteral(" / ") + a->objectName()));
      seen[key] = a->objectName();
    }
  }
  QVERIFY(seen.size() >= 30);
}

void CommandTableTest::everyShortcutReachesItsCommandFromADocument() {
  main_->newDocument();
  for (const auto& row : commandTable()) {
    if (!*row.shortcut) continue;
    QAction* a = main_->action(QString::fromLatin1(row.component));
    const bool enabled = a->isEnabled();
    a->setEnabled(true);
    disconnect(a, &QAction::triggered, nullptr, nullptr);
    QSignalSpy spy(a, &QAction::triggered);
    main_->activeDocument()->control()->setFocus();
    const QKeyCombination k = a->shortcut()[0];
    QTest::keyClick(main_->activeDocument()->control(), k.key(), k.keyboardModifiers());
    QVERIFY2(spy.count() == 1, row.component);
    a->setEnabled(enabled);
  }
}

void CommandTableTest::runAll(bool withDocument) {
  const QString file = folder_->file(QStringLiteral("doc.txt"));
  writeBytes(file, "Some text\r\nmore text\r\n");
  if (withDocument) QVERIFY(main_->openFile(file));
  for (const auto& row : commandTable()) {
    if (!row.handler || QString::fromLatin1(row.component) == QLatin1String("mniExit")) continue;
    QAction* a = main_->action(QString::fromLatin1(row.component));
    if (!a->isEnabled()) continue;
    dialogs_->answers = {QMessageBox::No, QMessageBox::No, QMessageBox::No};
    runCommand(*main_, row);
    QVERIFY2(main_->isVisible(), row.component);
  }
  // Exit last: the program closes.
  for (DocumentWindow* t : main_->editor().documents()) t->control()->setModifiedFlag(false);
  runCommand(*main_, *findCommand("mniExit"));
  QVERIFY(!main_->isVisible());
  main_.reset();
}

void CommandTableTest::everyEnabledCommandRunsWithoutADocument() { runAll(false); }
void CommandTableTest::everyEnabledCommandRunsWithADocument() { runAll(true); }

void CommandTableTest::toolBarHasBothTabsAndRunsCommands() {
  QTabWidget* tabs = main_->toolTabs();
  QCOMPARE(tabs->count(), 2);
  QCOMPARE(tabs->tabText(0), QStringLiteral("Главные"));
  QCOMPARE(tabs->tabText(1), QStringLiteral("Web"));
  for (const auto& b : toolButtons()) {
    if (QString::fromLatin1(b.component) == QLatin1String("UpDown1")) continue;
    auto* button = tabs->findChild<QToolButton*>(QString::fromLatin1(b.component));
    QVERIFY2(button, b.component);
    QVERIFY(!button->toolTip().isEmpty());
  }
  auto* newButton = tabs->findChild<QToolButton*>(QStringLiteral("bbNew"));
  newButton->click();
  QCOMPARE(main_->documentArea()->subWindowList().size(), 1);
  QCOMPARE(main_->editor().fileName(), std::string("untitled0"));
  // The arrows scroll the active document.
  std::string text;
  for (int i = 0; i < 100; ++i) text += "x\r\n";
  main_->editor().setText(text);
  tabs->findChild<QToolButton*>(QStringLiteral("UpDown1_down"))->click();
  tabs->findChild<QToolButton*>(QStringLiteral("UpDown1_down"))->click();
  QCOMPARE(main_->editor().topLine(), 2);
  tabs->findChild<QToolButton*>(QStringLiteral("UpDown1_up"))->click();
  QCOMPARE(main_->editor().topLine(), 1);
}

void CommandTableTest::cutAndCopyFollowTheSelection() {
  main_->newDocument();
  QAction* cut = main_->action(QStringLiteral("EditCutItem"));
  QAction* copy = main_->action(QStringLiteral("EditCopyItem"));
  main_->editor().setText("abc\r\n");
  QTRY_VERIFY(!cut->isEnabled());
  QVERIFY(!copy->isEnabled());
  main_->activeDocument()->control()->setSelection(0, 0, 0, 2);
  QTRY_VERIFY(cut->isEnabled());
  QVERIFY(copy->isEnabled());
  // With no document open they keep the state they had.
  main_->activeDocument()->control()->setModifiedFlag(false);
  main_->activeDocument()->subWindow()->close();
  QTest::qWait(20);
  QVERIFY(cut->isEnabled());
}

void CommandTableTest::wordWrapChangesOnlyTheActiveDocument() {
  DocumentWindow* a = main_->newDocument();
  DocumentWindow* b = main_->newDocument();
  QVERIFY(a->control()->wordWrapOn() && b->control()->wordWrapOn());
  main_->action(QStringLiteral("mwordwrap"))->trigger();
  QVERIFY(!main_->settings().wordWrap);
  QVERIFY(!b->control()->wordWrapOn());
  QVERIFY(a->control()->wordWrapOn());
  DocumentWindow* c = main_->newDocument();
  QVERIFY(!c->control()->wordWrapOn());
}

QTEST_MAIN(CommandTableTest)
#include "test_command_table.moc"
