// The "Плагины" menu on a program folder holding the shipped plugins and
// the misbehaving test plugins: each shipped plugin on a selection and on
// the whole text as one undo step; plugins that crash, hang, are stopped or
// get a text with a zero byte leave every document as it was and say why;
// the menu's order and case merging; install, remove and rescan.

#include <QAction>
#include <QDir>
#include <QFile>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QMenu>
#include <QProgressDialog>
#include <QPushButton>
#include <QTest>
#include <QTimer>
#include <QElapsedTimer>

#include "core/plugins/plugin_registry.h"
#include "support/test_env.h"
#include "ui/app/main_window.h"
#include "ui/common/sound_player.h"
#include "ui/editor/control/editing_control.h"
#include "ui/editor/document_window.h"
#include "ui/editor/editor_interface.h"
#include "ui/plugins/plugin_manager.h"

using namespace kiv;
using namespace std::chrono_literals;

namespace {
const char* const kTestPlugins[] = {"crash", "hang", "new_pointer", "in_place", "no_exports"};

QString testPluginDir() { return QStringLiteral(KIV_TEST_PLUGIN_DIR); }
QString shippedPluginDir() { return QCoreApplication::applicationDirPath() + QStringLiteral("/Engine/Plugins/"); }
}  // namespace

class PluginsTest : public QObject {
  Q_OBJECT
 private slots:
  void initTestCase();
  void cleanupTestCase();
  void init();
  void menuListsTheShippedPluginsLastRegisteredFirst();
  void shippedPluginsRunAsOneUndoStep_data();
  void shippedPluginsRunAsOneUndoStep();
  void testPluginsReturnThroughEitherPointer();
  void failingPluginsLeaveEveryDocumentAlone_data();
  void failingPluginsLeaveEveryDocumentAlone();
  void aHangingPluginIsStoppedFromItsWindow();
  void aTextWithAZeroByteIsRefused();
  void menuItemsMergeCaseAndSplitHints();
  void installRemoveAndRescanRebuildTheMenu();

 private:
  QAction* item(const QString& startsWith) const {
    for (QAction* a : main_->menu(QStringLiteral("plugsmenubase"))->actions())
      if (a->text().startsWith(startsWith)) return a;
    return nullptr;
  }
  QStringList itemTexts() const {
    QStringList texts;
    for (QAction* a : main_->menu(QStringLiteral("plugsmenubase"))->actions()) texts << a->text();
    return texts;
  }
  EditorInterface& ed() { return main_->editor(); }
  std::unique_ptr<ScriptedDialogs> dialogs_;
  std::unique_ptr<ProgramFolder> folder_;
  std::unique_ptr<MainWindow> main_;
};

void PluginsTest::initTestCase() {
  dialogs_ = std::make_unique<ScriptedDialogs>();
  folder_ = std::make_unique<ProgramFolder>();
  const QString plugins = folder_->file(QStringLiteral("Engine/Plugins/"));
  QDir().mkpath(plugins);
  for (const QString& name : QDir(shippedPluginDir()).entryList({QStringLiteral("*.so")}))
    QVERIFY(QFile::copy(shippedPluginDir() + name, plugins + name));
  for (const char* name : kTestPlugins) {
    const QString file = QString::fromLatin1(name) + QStringLiteral(".so");
    QVERIFY(QFile::copy(testPluginDir() + file, plugins + QStringLiteral("test_") + file));
  }
  main_ = startProgram(*folder_);
  QVERIFY(main_->startedOk());
  main_->sounds().setMuted(true);
  main_->newDocument();
  QVERIFY(dialogs_->messages.isEmpty());
}

void PluginsTest::cleanupTestCase() {
  for (DocumentWindow* t : ed().documents()) t->control()->setModifiedFlag(false);
  main_->close();
  main_.reset();
}

void PluginsTest::init() {
  dialogs_->messages.clear();
  main_->plugins().host().setTimeLimit(PluginHost::kDefaultTimeLimit);
}

void PluginsTest::menuListsTheShippedPluginsLastRegisteredFirst() {
  // Scanned at the first start in name order: reverse_lines, russian_quotes,
  // test_crash, test_hang, test_in_place, test_new_pointer, unique_lines;
  // the library without exports is left out.
  const QString idx = folder_->file(QStringLiteral("Engine/Plugins/plugslist.idx"));
  QCOMPARE(QFileInfo(idx).size(), qint64(7 * 512));
  QCOMPARE(itemTexts(), (QStringList{"Удалить повторы строк", "Test: new pointer", "Test: in place", "Test: hang",
                                     "Test: crash", "Кавычки-ёлочки", "Строки в обратном порядке"}));
  QVERIFY(main_->menu(QStringLiteral("plugsmenubase"))->isEnabled());
  QVERIFY(item(QStringLiteral("Удалить повторы"))->toolTip().startsWith(QStringLiteral("Оставляет")));
}

void PluginsTest::shippedPluginsRunAsOneUndoStep_data() {
  QTest::addColumn<QString>("plugin");
  QTest::addColumn<QByteArray>("text");
  QTest::addColumn<QList<int>>("selection");  // line, index, line, index; empty: none
  QTest::addColumn<QByteArray>("result");
  QTest::newRow("reverse, whole text") << "Строки в обратном" << QByteArray("one\r\ntwo\r\nthree")
                                       << QList<int>{} << QByteArray("three\r\ntwo\r\none\r\n");
  QTest::newRow("reverse, selection") << "Строки в обратном" << QByteArray("one\r\ntwo\r\nthree\r\nfour")
                                      << QList<int>{1, 0, 2, 5} << QByteArray("one\r\nthree\r\ntwo\r\nfour\r\n");
  QTest::newRow("unique, whole text") << "Удалить повторы" << QByteArray("a\r\nb\r\na\r\nb\r\nc")
                                      << QList<int>{} << QByteArray("a\r\nb\r\nc\r\n");
  QTest::newRow("unique, selection") << "Удалить повторы" << QByteArray("x\r\nx\r\nx\r\nx")
                                     << QList<int>{1, 0, 3, 1} << QByteArray("x\r\nx\r\n");
  QTest::newRow("quotes, whole text") << "Кавычки" << QByteArray("\xF2\xE5\xEA\xF1\xF2")
                                      << QList<int>{} << QByteArray("\xAB\xF2\xE5\xEA\xF1\xF2\xBB\r\n");
  QTest::newRow("quotes, selection") << "Кавычки" << QByteArray("say hi now")
                                     << QList<int>{0, 4, 0, 6} << QByteArray("say \xABhi\xBB now\r\n");
}

void PluginsTest::shippedPluginsRunAsOneUndoStep() {
  QFETCH(QString, plugin);
  QFETCH(QByteArray, text);
  QFETCH(QList<int>, selection);
  QFETCH(QByteArray, result);
  ed().setText(bytesOf(text));
  ed().setModified(false);
  const std::string before = ed().text();
  if (!selection.isEmpty())
    main_->activeDocument()->control()->setSelection(selection[0], selection[1], selection[2], selection[3]);
  QAction* a = item(plugin);
  QVERIFY(a);
  a->trigger();
  QVERIFY2(dialogs_->messages.isEmpty(), qPrintable(dialogs_->messages.join(QLatin1Char('\n'))));
  QCOMPARE(qbytes(ed().text()), result);
  QVERIFY(ed().isModified());
  ed().undo();
  QCOMPARE(ed().text(), before);
}

void PluginsTest::testPluginsReturnThroughEitherPointer() {
  ed().setText("abc");
  item(QStringLiteral("Test: new pointer"))->trigger();
  QCOMPARE(ed().text(), std::string("[abc\r\n]\r\n"));
  ed().setText("abc");
  item(QStringLiteral("Test: in place"))->trigger();
  QCOMPARE(ed().text(), std::string("ABC\r\n"));
  QVERIFY(dialogs_->messages.isEmpty());
}

void PluginsTest::failingPluginsLeaveEveryDocumentAlone_data() {
  QTest::addColumn<QString>("plugin");
  QTest::addColumn<QString>("says");
  QTest::newRow("crash") << "Test: crash" << "завершился аварийно";
  QTest::newRow("hang") << "Test: hang" << "не ответил за 1 с";
}

void PluginsTest::failingPluginsLeaveEveryDocumentAlone() {
  QFETCH(QString, plugin);
  QFETCH(QString, says);
  main_->plugins().host().setTimeLimit(1000ms);
  DocumentWindow* first = main_->activeDocument();
  DocumentWindow* other = main_->newDocument();
  ed().setText("other document\r\n");
  ed().setModified(false);
  main_->documentArea()->setActiveSubWindow(first->subWindow());
  QCOMPARE(main_->activeDocument(), first);
  ed().setText("keep me\r\nas I am");
  ed().setModified(false);
  const std::string before = ed().text();
  item(plugin)->trigger();
  QCOMPARE(dialogs_->messages.size(), 1);
  QVERIFY2(dialogs_->messages.first().contains(says), qPrintable(dialogs_->messages.first()));
  QVERIFY(dialogs_->messages.first().contains(QStringLiteral("Текст не изменён")));
  QVERIFY(main_->isVisible());
  QCOMPARE(ed().text(), before);
  QVERIFY(!ed().isModified());
  main_->documentArea()->setActiveSubWindow(other->subWindow());
  QCOMPARE(ed().text(), std::string("other document\r\n"));
  QVERIFY(!ed().isModified());
  other->control()->setModifiedFlag(false);
  other->subWindow()->close();
  QCOMPARE(main_->activeDocument(), first);
  // The program goes on: a good plugin still works.
  item(QStringLiteral("Test: in place"))->trigger();
  QCOMPARE(ed().text(), std::string("KEEP ME\r\nAS I AM\r\n"));
}

void PluginsTest::aHangingPluginIsStoppedFromItsWindow() {
  main_->plugins().host().setTimeLimit(60s);
  ed().setText("text");
  ed().setModified(false);
  bool sawWindow = false;
  QTimer poll;
  connect(&poll, &QTimer::timeout, this, [&] {
    for (QWidget* w : QApplication::topLevelWidgets())
      if (auto* p = qobject_cast<QProgressDialog*>(w); p && p->isVisible()) {
        sawWindow = true;
        QCOMPARE(p->labelText(), QStringLiteral("Плагин «Test: hang» обрабатывает текст…"));
        for (QPushButton* b : p->findChildren<QPushButton*>())
          if (b->text() == QStringLiteral("Прервать")) b->click();
      }
  });
  poll.start(100);
  QElapsedTimer clock;
  clock.start();
  item(QStringLiteral("Test: hang"))->trigger();
  poll.stop();
  QVERIFY(sawWindow);
  QVERIFY(clock.elapsed() < 10000);
  QCOMPARE(dialogs_->messages.size(), 1);
  QVERIFY(dialogs_->messages.first().contains(QStringLiteral("остановлен")));
  QCOMPARE(ed().text(), std::string("text\r\n"));
  QVERIFY(!ed().isModified());
}

void PluginsTest::aTextWithAZeroByteIsRefused() {
  ed().setText(std::string("before\0after", 12));
  ed().setModified(false);
  const std::string before = ed().text();
  item(QStringLiteral("Строки в обратном"))->trigger();
  QCOMPARE(dialogs_->messages.size(), 1);
  QVERIFY(dialogs_->messages.first().contains(QStringLiteral("нулевой байт")));
  QCOMPARE(ed().text(), before);
  QVERIFY(!ed().isModified());
}

void PluginsTest::menuItemsMergeCaseAndSplitHints() {
  // Windows-1251 captions are read as such; UTF-8 ones as UTF-8.
  const std::string cp1251 = "\xD1\xEE\xF0\xF2";  // "Сорт" in Windows-1251
  const auto items = pluginMenuItems({"Sort", "Other|with a hint", "sort", cp1251, "a&b"});
  QStringList texts, hints;
  for (const auto& i : items) texts << i.text, hints << i.hint;
  QCOMPARE(texts, (QStringList{"a&b", "Сорт", "Sort", "Other"}));
  QCOMPARE(hints, (QStringList{"", "", "", "with a hint"}));
  // The merged item runs the first registered caption.
  QCOMPARE(items[2].caption, std::string("Sort"));
  std::vector<std::string> many;
  for (int i = 0; i < 130; ++i) many.push_back("p" + std::to_string(i));
  const auto capped = pluginMenuItems(many);
  QCOMPARE(int(capped.size()), kPluginMenuCapacity);
  QCOMPARE(capped.front().text, QStringLiteral("p129"));
  QCOMPARE(capped.back().text, QStringLiteral("p30"));
}

void PluginsTest::installRemoveAndRescanRebuildTheMenu() {
  PluginManager& plugins = main_->plugins();
  QCOMPARE(plugins.scanAnnouncement(), QStringLiteral("scan at: ") + folder_->file(QStringLiteral("Engine/Plugins/*.so")));
  PluginFolderResult r = plugins.install(testPluginDir() + QStringLiteral("chatty.so"));
  QVERIFY2(r.ok(), r.error.c_str());
  QVERIFY(item(QStringLiteral("Test: chatty")));
  QCOMPARE(plugins.describe("Test: chatty"),
           (QStringList{"Название плагина: Test: chatty", "Имя файла: chatty.so"}));
  r = plugins.install(testPluginDir() + QStringLiteral("no_exports.so"));
  QVERIFY(!r.ok());
  r = plugins.remove("Test: chatty");
  QVERIFY2(r.ok(), r.error.c_str());
  QVERIFY(!item(QStringLiteral("Test: chatty")));
  QVERIFY(!QFile::exists(folder_->file(QStringLiteral("Engine/Plugins/chatty.so"))));
  // The library without exports stays in the folder and is skipped again.
  r = plugins.rescan();
  QCOMPARE(r.skipped, std::vector<std::string>{"test_no_exports.so"});
  QCOMPARE(itemTexts().size(), 7);
  PluginRegistry onDisk;
  QVERIFY(onDisk.load(plugins.folder() + "plugslist.idx"));
  QCOMPARE(onDisk.serialize(), plugins.registry().serialize());
}

QTEST_MAIN(PluginsTest)
#include "test_plugins.moc"
