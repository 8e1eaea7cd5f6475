// The bookmarks window: the menu item, F9 and the tool-bar button toggle
// it; bookmarks are added, added as children, updated, edited, deleted,
// survive a restart in Engine/bookmarx/bmxtree.bmx and open their file at
// the line; a damaged file is refused with its message and kept aside.

#include <QAction>
#include <QDir>
#include <QFile>
#include <QLineEdit>
#include <QMdiSubWindow>
#include <QMessageBox>
#include <QTabWidget>
#include <QTest>
#include <QToolButton>
#include <QTreeWidget>

#include "core/bookmarks/bookmark_tree.h"
#include "support/test_env.h"
#include "ui/app/main_window.h"
#include "ui/common/sound_player.h"
#include "ui/editor/control/editing_control.h"
#include "ui/editor/document_window.h"
#include "ui/editor/editor_interface.h"
#include "ui/tools/bookmarks_window.h"

using namespace kiv;

class BookmarksTest : public QObject {
  Q_OBJECT
 private slots:
  void init();
  void cleanup();
  void togglesFromMenuKeyAndButton();
  void addsItemsAndChildrenFromTheActiveDocument();
  void nothingWithoutADocument();
  void updatesAndEditsTheFocusedBookmark();
  void deletesAfterConfirmationWithChildren();
  void survivesARestartInANewFolder();
  void opensTheFileAtTheLine();
  void damagedFileIsRefusedAndKeptAside();

 private:
  void start();
  void restart();
  BookmarksWindow* bmx() { return main_->tools().get<BookmarksWindow>(QStringLiteral("BookmarksWindow")); }
  QString textFile(const QString& name, int lines);
  std::unique_ptr<ScriptedDialogs> dialogs_;
  std::unique_ptr<ProgramFolder> folder_;
  std::unique_ptr<MainWindow> main_;
};

void BookmarksTest::start() {
  main_ = startProgram(*folder_);
  main_->sounds().setMuted(true);
}

void BookmarksTest::restart() {
  for (DocumentWindow* t : main_->editor().documents()) t->control()->setModifiedFlag(false);
  main_->close();
  main_.reset();
  start();
}

void BookmarksTest::init() {
  dialogs_ = std::make_unique<ScriptedDialogs>();
  folder_ = std::make_unique<ProgramFolder>();
  start();
}

void BookmarksTest::cleanup() {
  if (main_) {
    for (DocumentWindow* t : main_->editor().documents()) t->control()->setModifiedFlag(false);
    main_->close();
  }
  main_.reset();
  folder_.reset();
  dialogs_.reset();
}

QString BookmarksTest::textFile(const QString& name, int lines) {
  std::string text;
  for (int i = 0; i < lines; ++i) text += "line " + std::to_string(i) + "\r\n";
  const QString path = folder_->file(name);
  writeBytes(path, text);
  return path;
}

void BookmarksTest::togglesFromMenuKeyAndButton() {
  QAction* item = main_->action(QStringLiteral("mniBmx"));
  QVERIFY(item->isEnabled());
  QCOMPARE(item->shortcut(), QKeySequence(QStringLiteral("F9")));
  item->trigger();
  QVERIFY(bmx()->isVisible());
  QCOMPARE(bmx()->windowTitle(), QStringLiteral("ЗАКЛАДКИ"));
  QVERIFY(bmx()->windowFlags() & Qt::WindowStaysOnTopHint);
  item->trigger();
  QVERIFY(!bmx()->isVisible());
  auto* button = main_->toolTabs()->findChild<QToolButton*>(QStringLiteral("bbBmx"));
  QVERIFY(button->isEnabled());
  button->click();
  QVERIFY(bmx()->isVisible());
  button->click();
  QVERIFY(!bmx()->isVisible());
}

void BookmarksTest::addsItemsAndChildrenFromTheActiveDocument() {
  const QString path = textFile(QStringLiteral("notes.txt"), 200);
  QVERIFY(main_->openFile(path));
  main_->editor().scrollLines(10);
  QCOMPARE(main_->editor().topLine(), 10);
  QTreeWidget* tree = bmx()->tree();
  bmx()->addItem();
  QCOMPARE(tree->topLevelItemCount(), 1);
  QTreeWidgetItem* first = tree->topLevelItem(0);
  QCOMPARE(first->text(0), QStringLiteral("notes.txt1"));
  QCOMPARE(BookmarksWindow::fileOf(first), path);
  QCOMPARE(BookmarksWindow::lineOf(first), 10);
  QCOMPARE(bmx()->captionEdit()->text(), QStringLiteral("notes.txt1"));
  QCOMPARE(bmx()->fileEdit()->text(), path);
  // A child of the focused node, as its last child.
  bmx()->addChild();
  QCOMPARE(first->childCount(), 1);
  QCOMPARE(first->child(0)->text(0), QStringLiteral("notes.txt2"));
  // With the child focused, a new item goes right after it, at its level.
  bmx()->addItem();
  QCOMPARE(first->childCount(), 2);
  QCOMPARE(first->child(1)->text(0), QStringLiteral("notes.txt3"));
  // After the top-level node: between it and the one that follows.
  tree->setCurrentItem(first);
  bmx()->addItem();
  bmx()->addItem();
  QCOMPARE(tree->topLevelItemCount(), 3);
  QCOMPARE(tree->topLevelItem(1)->text(0), QStringLiteral("notes.txt4"));
  QCOMPARE(tree->topLevelItem(2)->text(0), QStringLiteral("notes.txt5"));
  tree->setCurrentItem(first);
  bmx()->addItem();
  QCOMPARE(tree->topLevelItem(1)->text(0), QStringLiteral("notes.txt6"));
  QCOMPARE(tree->topLevelItem(2)->text(0), QStringLiteral("notes.txt4"));
  // No focused node: the last top-level node.
  tree->setCurrentItem(nullptr);
  bmx()->addChild();
  QCOMPARE(tree->topLevelItem(tree->topLevelItemCount() - 1)->text(0), QStringLiteral("notes.txt7"));
}

void BookmarksTest::nothingWithoutADocument() {
  bmx()->addItem();
  bmx()->addChild();
  QCOMPARE(bmx()->tree()->topLevelItemCount(), 0);
  QVERIFY(main_->openFile(textFile(QStringLiteral("a.txt"), 5)));
  bmx()->addItem();
  main_->activeDocument()->subWindow()->close();
  QVERIFY(!main_->hasDocument());
  bmx()->updateCurrent();  // nothing
  QCOMPARE(BookmarksWindow::fileOf(bmx()->tree()->topLevelItem(0)), folder_->file(QStringLiteral("a.txt")));
  bmx()->addItem();
  QCOMPARE(bmx()->tree()->topLevelItemCount(), 1);
}

void BookmarksTest::updatesAndEditsTheFocusedBookmark() {
  QVERIFY(main_->openFile(textFile(QStringLiteral("a.txt"), 100)));
  bmx()->addItem();
  QTreeWidgetItem* item = bmx()->tree()->topLevelItem(0);
  const QString b = textFile(QStringLiteral("b.txt"), 300);
  QVERIFY(main_->openFile(b));
  main_->editor().scrollLines(42);
  bmx()->updateCurrent();
  QCOMPARE(item->text(0), QStringLiteral("a.txt1"));  // the caption stays
  QCOMPARE(BookmarksWindow::fileOf(item), b);
  QCOMPARE(BookmarksWindow::lineOf(item), 42);
  QCOMPARE(bmx()->fileEdit()->text(), b);
  // Typing in the edits writes into the bookmark at once.
  QLineEdit* caption = bmx()->captionEdit();
  caption->selectAll();
  QTest::keyClicks(caption, "Chapter");
  QCOMPARE(item->text(0), QStringLiteral("Chapter"));
  bmx()->fileEdit()->selectAll();
  QTest::keyClicks(bmx()->fileEdit(), "/tmp/x.txt");
  QCOMPARE(BookmarksWindow::fileOf(item), QStringLiteral("/tmp/x.txt"));
  // The button chooses a file.
  dialogs_->openAnswers.push_back(QStringList{b});
  bmx()->chooseFileButton()->click();
  QCOMPARE(BookmarksWindow::fileOf(item), b);
  // In-place editing keeps at most 255 bytes.
  item->setText(0, QString(300, QLatin1Char('c')));
  QCOMPARE(item->text(0), QString(255, QLatin1Char('c')));
}

void BookmarksTest::deletesAfterConfirmationWithChildren() {
  QVERIFY(main_->openFile(textFile(QStringLiteral("a.txt"), 10)));
  bmx()->addItem();
  bmx()->addChild();
  bmx()->addChild();
  QTreeWidget* tree = bmx()->tree();
  tree->setCurrentItem(tree->topLevelItem(0));
  dialogs_->answers = {QMessageBox::Cancel};
  bmx()->deleteCurrent();
  QCOMPARE(dialogs_->questions, QStringList{QStringLiteral("Вы точно хотите удалить?")});
  QCOMPARE(tree->topLevelItemCount(), 1);
  dialogs_->answers = {QMessageBox::Ok};
  bmx()->deleteCurrent();
  QCOMPARE(tree->topLevelItemCount(), 0);
  QCOMPARE(dialogs_->questions.size(), 2);
}

void BookmarksTest::survivesARestartInANewFolder() {
  // No bookmarx folder: it is made at exit.
  QDir(folder_->file(QStringLiteral("Engine/bookmarx"))).removeRecursively();
  const QString a = textFile(QStringLiteral("a.txt"), 100);
  QVERIFY(main_->openFile(a));
  main_->editor().scrollLines(7);
  bmx()->addItem();
  bmx()->addChild();
  bmx()->tree()->topLevelItem(0)->setText(0, QStringLiteral("Глава"));
  bmx()->tree()->topLevelItem(0)->setExpanded(true);
  const QString treeFile = bmx()->treeFile();
  QCOMPARE(treeFile, folder_->file(QStringLiteral("Engine/bookmarx/bmxtree.bmx")));
  restart();
  QVERIFY(QFile::exists(treeFile));
  const auto reading = readBookmarkTree(readBytes(treeFile));
  QVERIFY(reading.ok());
  QCOMPARE(reading.nodes.size(), std::size_t(1));
  QCOMPARE(reading.nodes[0].bookmark.caption, w1251("Глава"));
  QTreeWidget* tree = bmx()->tree();
  QCOMPARE(tree->topLevelItemCount(), 1);
  QTreeWidgetItem* top = tree->topLevelItem(0);
  QCOMPARE(top->text(0), QStringLiteral("Глава"));
  QCOMPARE(BookmarksWindow::fileOf(top), a);
  QCOMPARE(BookmarksWindow::lineOf(top), 7);
  QCOMPARE(top->childCount(), 1);
  QCOMPARE(top->child(0)->text(0), QStringLiteral("a.txt2"));
  QVERIFY(top->isExpanded());
  // The counter starts again: captions of different runs may repeat.
  QVERIFY(main_->openFile(a));
  tree->setCurrentItem(nullptr);
  bmx()->addItem();
  QCOMPARE(tree->topLevelItem(1)->text(0), QStringLiteral("a.txt1"));
  // An empty tree is saved as the signature alone.
  tree->clear();
  restart();
  QCOMPARE(readBytes(treeFile).size(), std::size_t(12));
  QCOMPARE(bmx()->tree()->topLevelItemCount(), 0);
}

void BookmarksTest::opensTheFileAtTheLine() {
  const QString a = textFile(QStringLiteral("a.txt"), 500);
  QVERIFY(main_->openFile(a));
  main_->editor().scrollLines(123);
  bmx()->addItem();
  main_->activeDocument()->subWindow()->close();
  QVERIFY(!main_->hasDocument());
  bmx()->openBookmark(bmx()->tree()->topLevelItem(0));
  QVERIFY(main_->hasDocument());
  QCOMPARE(QString::fromStdString(main_->editor().fileName()), a);
  QCOMPARE(main_->editor().topLine(), 123);
  // A file that is gone opens nothing.
  bmx()->tree()->topLevelItem(0)->setData(0, Qt::UserRole, folder_->file(QStringLiteral("gone.txt")));
  const int before = main_->editor().documentCount();
  bmx()->openBookmark(bmx()->tree()->topLevelItem(0));
  QCOMPARE(main_->editor().documentCount(), before);
}

void BookmarksTest::damagedFileIsRefusedAndKeptAside() {
  main_->close();
  main_.reset();
  const QString treeFile = folder_->file(QStringLiteral("Engine/bookmarx/bmxtree.bmx"));
  QDir().mkpath(folder_->file(QStringLiteral("Engine/bookmarx")));
  BookmarkNode node;
  node.bookmark = {"x", "/f", 1};
  std::string bytes = writeBookmarkTree({node});
  bytes.resize(bytes.size() - 100);  // truncated
  writeBytes(treeFile, bytes);
  dialogs_->messages.clear();
  start();
  QCOMPARE(dialogs_->messages, QStringList{QString::fromLatin1(kBookmarkDataCorrupt.data())});
  QCOMPARE(bmx()->tree()->topLevelItemCount(), 0);
  restart();
  QCOMPARE(readBytes(treeFile + QStringLiteral(".damaged")), bytes);
  QVERIFY(readBookmarkTree(readBytes(treeFile)).ok());
  // A file of another format.
  main_->close();
  main_.reset();
  writeBytes(treeFile, "not a tree at all");
  dialogs_->messages.clear();
  start();
  QCOMPARE(dialogs_->messages, QStringList{QStringLiteral("Unable to load tree structure, the format is wrong.")});
}

QTEST_MAIN(BookmarksTest)
#include "test_bookmarks.moc"
