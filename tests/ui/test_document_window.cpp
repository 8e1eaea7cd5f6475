// The document window: keys, typed characters, quotes, the context menu,
// templates, the close question and the program's shortcuts.

#include <QAction>
#include <QApplication>
#include <QClipboard>
#include <QComboBox>
#include <QLabel>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QMenu>
#include <QMessageBox>
#include <QSignalSpy>
#include <QTest>

#include "core/charsets/cyrillic_conversions.h"
#include "support/test_env.h"
#include "ui/common/sound_player.h"
#include <QDir>
#include "ui/app/main_window.h"
#include "ui/editor/control/editing_control.h"
#include "ui/editor/document_window.h"
#include "ui/editor/editor_interface.h"

using namespace kiv;

class DocumentWindowTest : public QObject {
  Q_OBJECT
 private slots:
  void init();
  void cleanup();
  void typographicQuotesAlternateAcrossDocuments();
  void tabInsertsSpacesWithoutClickSound();
  void negativeTabWidthInsertsNothing();
  void clickAndEnterSounds();
  void typingInDosAndKoiStoresTheirBytes_data();
  void typingInDosAndKoiStoresTheirBytes();
  void altTagsWrapOnlyASelection_data();
  void altTagsWrapOnlyASelection();
  void ctrlYEmptiesTheLineAsOneStep();
  void ctrlUpDownChangeCaseOfSelection();
  void deleteRemovesSelection();
  void ctrlEnterAndCtrlShiftSpaceInsertHtml();
  void altGGoesToClipboardLineClamped();
  void altFSearchesClipboardText();
  void altRightLeftIndentSelectedLines();
  void positionShowsLineAndColumnFromOne();
  void closeQuestionNoKeepsWindowAndRecentList();
  void contextMenuCharsetBookmarksAndModes();
  void syntaxBoxSelectsHighlighter();
  void templatesExpandFromWordWithCtrlJ();
  void namedFileResolvesAgainstDocumentFolder();
  void programShortcutsReachTheProgram_data();
  void programShortcutsReachTheProgram();

 private:
  ProgramSession s_;
  std::unique_ptr<ScriptedDialogs>& dialogs_ = s_.dialogs;
  std::unique_ptr<ProgramFolder>& folder_ = s_.folder;
  std::unique_ptr<MainWindow>& main_ = s_.main;
  EditorInterface& ed() { return main_->editor(); }
  DocumentWindow* doc() { return main_->activeDocument(); }
  EditingControl* control() { return doc()->control(); }
};

void DocumentWindowTest::init() {
  s_.start();
  main_->editor().setDialogsSuppressed(true);
  main_->sounds().setMuted(true);
}

void DocumentWindowTest::cleanup() { s_.stop(); }

void DocumentWindowTest::typographicQuotesAlternateAcrossDocuments() {
  main_->settings().typographicQuotes = true;
  main_->newDocument();
  ed().setText("");
  typeText(control(), QStringLiteral("\"\"\""));
  QCOMPARE(ed().text(), w1251("«»«\r\n"));
  typeText(control(), QStringLiteral("\""));
  main_->newDocument();  // a new window starts again with the opening quote
  ed().setText("");
  typeText(control(), QStringLiteral("\"x\""));
  QCOMPARE(ed().text(), w1251("«x»\r\n"));
  // A code page without typographic quotes keeps the straight one.
  ed().setCharset("dos");
  ed().setText("");
  typeText(control(), QStringLiteral("\""));
  QCOMPARE(ed().text(), std::string("\"\r\n"));
  main_->settings().typographicQuotes = false;
  typeText(control(), QStringLiteral("\""));
  QCOMPARE(ed().text(), std::string("\"\"\r\n"));
}

void DocumentWindowTest::tabInsertsSpacesWithoutClickSound() {
  int clicks = 0;
  main_->settings().keyClickSound = true;
  main_->settings().spacesPerTab = 3;
  main_->newDocument();
  // Count the key-click callback through a typed letter first.
  const auto before = main_->sounds().started();
  ed().setText("");
  pressKey(control(), Qt::Key_Tab, Qt::NoModifier, QStringLiteral("\t"));
  QCOMPARE(ed().text(), std::string("   \r\n"));
  QCOMPARE(main_->sounds().started(), before);
  (void)clicks;
}

void DocumentWindowTest::negativeTabWidthInsertsNothing() {
  main_->settings().spacesPerTab = -4;
  main_->newDocument();
  ed().setText("");
  pressKey(control(), Qt::Key_Tab, Qt::NoModifier, QStringLiteral("\t"));
  QCOMPARE(ed().text(), std::string());
}

void DocumentWindowTest::clickAndEnterSounds() {
  // The sounds go through the editor interface's callbacks.
  int clicks = 0, enters = 0;
  EditorCallbacks cb = ed().callbacks();
  EditorInterface counting(main_.get(),
                           EditorCallbacks{cb.documentClosed, [&] { ++clicks; }, [&] { ++enters; }, cb.openFile},
                           &main_->settings());
  main_->settings().keyClickSound = true;
  main_->settings().enterSound = true;
  DocumentWindow* t = counting.createDocument(main_.get());
  t->control()->setText(QString());
  typeText(t->control(), QStringLiteral("ab\r"));
  QCOMPARE(clicks, 2);
  QCOMPARE(enters, 1);
  main_->settings().keyClickSound = false;
  typeText(t->control(), QStringLiteral("c"));
  QCOMPARE(clicks, 2);
  t->control()->setModifiedFlag(false);
  delete t->subWindow();
}

void DocumentWindowTest::typingInDosAndKoiStoresTheirBytes_data() {
  QTest::addColumn<QString>("charset");
  QTest::addColumn<QString>("typed");
  QTest::addColumn<QByteArray>("stored");
  QTest::newRow("dos А") << "dos" << QStringLiteral("А") << QByteArray("\x80");
  QTest::newRow("dos я") << "dos" << QStringLiteral("я") << QByteArray("\xEF");
  QTest::newRow("dos ё Ё") << "dos" << QStringLiteral("ёЁ") << QByteArray("\xF1\xF0");
  QTest::newRow("koi я") << "koi" << QStringLiteral("я") << QByteArray("\xD1");
  QTest::newRow("koi ё Ё") << "koi" << QStringLiteral("ёЁ") << QByteArray("\xA3\xB3");
  QTest::newRow("win Жж") << "win" << QStringLiteral("Жж") << QByteArray("\xC6\xE6");
  QTest::newRow("dos latin") << "dos" << QStringLiteral("Qz1") << QByteArray("Qz1");
}

void DocumentWindowTest::typingInDosAndKoiStoresTheirBytes() {
  QFETCH(QString, charset);
  QFETCH(QString, typed);
  QFETCH(QByteArray, stored);
  main_->newDocument();
  ed().setCharset(charset.toStdString());
  ed().setText("");
  typeText(control(), typed);
  QCOMPARE(ed().text(), bytesOf(stored) + "\r\n");
  QCOMPARE(control()->text(), typed);  // what the user sees is what was typed
}

void DocumentWindowTest::altTagsWrapOnlyASelection_data() {
  QTest::addColumn<int>("key");
  QTest::addColumn<int>("mods");
  QTest::addColumn<QByteArray>("expected");
  QTest::newRow("Alt+P") << int(Qt::Key_P) << int(Qt::AltModifier) << QByteArray("<p>word</p>");
  QTest::newRow("Alt+I") << int(Qt::Key_I) << int(Qt::AltModifier) << QByteArray("<i>word</i>");
  QTest::newRow("Alt+B") << int(Qt::Key_B) << int(Qt::AltModifier) << QByteArray("<b>word</b>");
  QTest::newRow("Alt+H") << int(Qt::Key_H) << int(Qt::AltModifier) << QByteArray("<a href=\"\">word</a>");
  QTest::newRow("Alt+N") << int(Qt::Key_N) << int(Qt::AltModifier) << QByteArray("<a name=\"word\"></a>");
  QTest::newRow("Alt+Num+") << int(Qt::Key_Plus) << int(Qt::AltModifier | Qt::KeypadModifier)
                            << QByteArray("<font size=\"+1\">word</font>");
  QTest::newRow("Alt+Num-") << int(Qt::Key_Minus) << int(Qt::AltModifier | Qt::KeypadModifier)
                            << QByteArray("<font size=\"-1\">word</font>");
  QTest::newRow("Ctrl+Alt+B") << int(Qt::Key_B) << int(Qt::AltModifier | Qt::ControlModifier)
                              << QByteArray("<b>word</b>");
  QTest::newRow("Alt+И (Russian layout)") << int(0x0418) << int(Qt::AltModifier) << QByteArray("<b>word</b>");
}

void DocumentWindowTest::altTagsWrapOnlyASelection() {
  QFETCH(int, key);
  QFETCH(int, mods);
  QFETCH(QByteArray, expected);
  main_->newDocument();
  ed().setText("word\r\n");
  pressKey(control(), key, Qt::KeyboardModifiers(mods));
  QCOMPARE(ed().text(), std::string("word\r\n"));  // nothing selected: nothing changes
  control()->setSelection(0, 0, 0, 4);
  pressKey(control(), key, Qt::KeyboardModifiers(mods));
  QCOMPARE(ed().text(), bytesOf(expected) + "\r\n");
  ed().undo();
  QCOMPARE(ed().text(), std::string("word\r\n"));
}

void DocumentWindowTest::ctrlYEmptiesTheLineAsOneStep() {
  main_->newDocument();
  ed().setText("first\r\nsecond line\r\nthird\r\n");
  control()->moveCaretTo(1, 4);
  pressKey(control(), Qt::Key_Y, Qt::ControlModifier);
  QCOMPARE(ed().text(), std::string("first\r\n\r\nthird\r\n"));
  QCOMPARE(control()->caretLine(), 1);
  QCOMPARE(control()->caretColumn(), 0);
  ed().undo();
  QCOMPARE(ed().text(), std::string("first\r\nsecond line\r\nthird\r\n"));
}

void DocumentWindowTest::ctrlUpDownChangeCaseOfSelection() {
  main_->newDocument();
  ed().setText(w1251("Ёжик в Тумане\r\n"));
  pressKey(control(), Qt::Key_Up, Qt::ControlModifier);
  QCOMPARE(ed().text(), w1251("Ёжик в Тумане\r\n"));
  control()->setSelection(0, 0, 0, 13);
  pressKey(control(), Qt::Key_Up, Qt::ControlModifier);
  QCOMPARE(ed().text(), w1251("ЁЖИК В ТУМАНЕ\r\n"));
  QVERIFY(control()->hasSelectedText());
  pressKey(control(), Qt::Key_Down, Qt::ControlModifier);
  QCOMPARE(ed().text(), w1251("ёжик в тумане\r\n"));
  // The control's own Ctrl+Up (scroll) does not run as well.
  std::string many;
  for (int i = 0; i < 200; ++i) many += "line\r\n";
  ed().setText(w1251("Ёжик в Тумане\r\n") + many);
  control()->moveCaretTo(100, 0);
  ed().scrollLines(-200);
  ed().scrollLines(5);
  pressKey(control(), Qt::Key_Down, Qt::ControlModifier);
  pressKey(control(), Qt::Key_Up, Qt::ControlModifier);
  pressKey(control(), Qt::Key_Up, Qt::ControlModifier);
  QCOMPARE(ed().topLine(), 5);
  // In a DOS document the letters the user sees change case.
  ed().setCharset("dos");
  std::string dos = w1251("ёжик в тумане\r\n");
  dosFromWin(dos);
  ed().setText(dos);
  control()->setSelection(0, 0, 0, 4);
  pressKey(control(), Qt::Key_Up, Qt::ControlModifier);
  QCOMPARE(control()->text(), QStringLiteral("ЁЖИК в тумане"));
}

void DocumentWindowTest::deleteRemovesSelection() {
  main_->newDocument();
  ed().setText("abcdef\r\n");
  control()->setSelection(0, 1, 0, 4);
  pressKey(control(), Qt::Key_Delete);
  QCOMPARE(ed().text(), std::string("aef\r\n"));
  pressKey(control(), Qt::Key_Delete);
  QCOMPARE(ed().text(), std::string("af\r\n"));
}

void DocumentWindowTest::ctrlEnterAndCtrlShiftSpaceInsertHtml() {
  main_->newDocument();
  ed().setText("");
  pressKey(control(), Qt::Key_Space, Qt::ControlModifier | Qt::ShiftModifier);
  pressKey(control(), Qt::Key_Return, Qt::ControlModifier);
  QVERIFY(ed().text().rfind("&nbsp;<br>", 0) == 0);
}

void DocumentWindowTest::altGGoesToClipboardLineClamped() {
  main_->newDocument();
  ed().setText("a\r\nbcd\r\nef\r\n");
  QApplication::clipboard()->setText(QStringLiteral("1"));
  pressKey(control(), Qt::Key_G, Qt::AltModifier);
  QCOMPARE(control()->caretLine(), 1);
  QCOMPARE(control()->caretColumn(), 1);
  QApplication::clipboard()->setText(QStringLiteral("999"));
  pressKey(control(), Qt::Key_G, Qt::AltModifier);
  QCOMPARE(control()->caretLine(), control()->lines() - 1);
  QApplication::clipboard()->setText(QStringLiteral("not a number"));
  control()->moveCaretTo(0, 0);
  pressKey(control(), Qt::Key_G, Qt::AltModifier);
  QCOMPARE(control()->caretLine(), 0);
}

void DocumentWindowTest::altFSearchesClipboardText() {
  main_->newDocument();
  ed().setText(w1251("один ДВА три два\r\n"));
  control()->moveCaretTo(0, 0);
  QApplication::clipboard()->setText(QStringLiteral("два"));
  pressKey(control(), Qt::Key_F, Qt::AltModifier);
  QCOMPARE(ed().selectedText(), w1251("ДВА"));
  QVERIFY(ed().findNext());
  QCOMPARE(ed().selectedText(), w1251("два"));
}

void DocumentWindowTest::altRightLeftIndentSelectedLines() {
  main_->settings().blockIndent = 2;
  main_->newDocument();
  ed().setText("a\r\nb\r\nc\r\n");
  control()->setSelection(0, 0, 2, 0);
  pressKey(control(), Qt::Key_Right, Qt::AltModifier);
  QCOMPARE(ed().text(), std::string("  a\r\n  b\r\nc\r\n"));
  pressKey(control(), Qt::Key_Left, Qt::AltModifier);
  QCOMPARE(ed().text(), std::string("a\r\nb\r\nc\r\n"));
}

void DocumentWindowTest::positionShowsLineAndColumnFromOne() {
  main_->newDocument();
  ed().setText("abc\r\ndef\r\n");
  control()->moveCaretTo(1, 2);
  QTRY_COMPARE(doc()->positionLabel()->text(), QStringLiteral("2: 3"));
}

void DocumentWindowTest::closeQuestionNoKeepsWindowAndRecentList() {
  const QString file = folder_->file(QStringLiteral("kept.txt"));
  writeBytes(file, "text\r\n");
  DocumentWindow* t = main_->openFile(file);
  QVERIFY(t);
  ed().insertAtCaret("x");
  dialogs_->answers = {QMessageBox::No};
  QVERIFY(!t->subWindow()->close());
  QCOMPARE(dialogs_->questions, QStringList{QStringLiteral("Файл был изменен после сохранения. Вы хотите закрыть его?")});
  QVERIFY(main_->recent().empty());
  dialogs_->answers = {QMessageBox::Yes};
  ed().scrollLines(0);
  QVERIFY(t->subWindow()->close());
  QCOMPARE(main_->recent().entries().front().fileName, file.toStdString());
  // An untitled document never enters the list.
  main_->newDocument();
  QVERIFY(doc()->subWindow()->close());
  QCOMPARE(int(main_->recent().size()), 1);
}

void DocumentWindowTest::contextMenuCharsetBookmarksAndModes() {
  main_->newDocument();
  ed().setText(w1251("строка\r\nвторая\r\nтретья\r\n"));
  QMenu* menu = doc()->contextMenu();
  auto find = [menu](const QString& path) -> QAction* {
    QMenu* m = menu;
    const QStringList parts = path.split(QLatin1Char('/'));
    for (int i = 0; i < parts.size(); ++i) {
      for (QAction* a : m->actions()) {
        if (a->text() != parts[i]) continue;
        if (i + 1 == parts.size()) return a;
        m = a->menu();
        break;
      }
    }
    return nullptr;
  };
  for (const char* caption : {"Копировать", "Вставить", "Вырезать", "Windows", "KOI8-R", "DOS", "Toggle breakpoint",
                              "Открыть выделенный файл", "Посмотреть выделенный файл"})
    QVERIFY2(find(QString::fromUtf8(caption)), caption);
  find(QStringLiteral("KOI8-R"))->trigger();
  QCOMPARE(ed().charset(), std::string("koi"));
  QCOMPARE(ed().text(), w1251("строка\r\nвторая\r\nтретья\r\n"));  // bytes not converted
  find(QStringLiteral("Windows"))->trigger();

  control()->moveCaretTo(1, 0);
  find(QStringLiteral("Установить локальную закладку/3"))->trigger();
  QCOMPARE(control()->bookmarkLine(3), 1);
  control()->moveCaretTo(2, 0);
  find(QStringLiteral("Установить локальную закладку/3"))->trigger();
  QCOMPARE(control()->bookmarkLine(3), 2);  // moved, one per number
  find(QStringLiteral("Установить локальную закладку/3"))->trigger();
  QCOMPARE(control()->bookmarkLine(3), -1);  // on its own line: removed
  control()->moveCaretTo(1, 0);
  find(QStringLiteral("Установить локальную закладку/5"))->trigger();
  control()->moveCaretTo(0, 0);
  find(QStringLiteral("Перейти на локальную закладку/5"))->trigger();
  QCOMPARE(control()->caretLine(), 1);
  find(QStringLiteral("Удалить локальную закладку/5"))->trigger();
  QCOMPARE(control()->bookmarkLine(5), -1);

  find(QStringLiteral("Toggle breakpoint"))->trigger();
  QVERIFY(control()->hasBreakPoint(1));
  find(QStringLiteral("Toggle breakpoint"))->trigger();
  QVERIFY(!control()->hasBreakPoint(1));

  QAction* column = find(QStringLiteral("Режим выделения/Блочный"));
  column->trigger();
  QVERIFY(column->isChecked());
  QVERIFY(control()->columnSelection());
  find(QStringLiteral("Режим выделения/Поточный"))->trigger();
  QVERIFY(!control()->columnSelection());

  QAction* unix = find(QStringLiteral("Режим конца строки/UNIX"));
  unix->trigger();
  QVERIFY(unix->isChecked());
  QVERIFY(!find(QStringLiteral("Режим конца строки/Windows"))->isChecked());
  QCOMPARE(control()->withStreamLineEnds("a\r\nb\r\n"), std::string("a\nb\n"));
  QCOMPARE(ed().text(), w1251("строка\r\nвторая\r\nтретья\r\n"));  // the document keeps CR LF
}

void DocumentWindowTest::syntaxBoxSelectsHighlighter() {
  main_->newDocument();
  doc()->syntaxBox()->setCurrentText(QStringLiteral("SQL"));
  QCOMPARE(control()->highlighterName(), QStringLiteral("SQL"));
  QVERIFY(control()->lexer());
  doc()->syntaxBox()->setCurrentText(QStringLiteral("Нет"));
  QVERIFY(!control()->lexer());
  QCOMPARE(doc()->syntaxBox()->count(), 9);
}

void DocumentWindowTest::templatesExpandFromWordWithCtrlJ() {
  main_->newDocument();
  ed().setText("");
  doc()->templatesBox()->setCurrentText(QStringLiteral("Delphi"));
  typeText(control(), QStringLiteral("  ifb"));
  pressKey(control(), Qt::Key_J, Qt::ControlModifier);
  QCOMPARE(ed().text(), std::string("  if  then\r\n  begin\r\n\r\n  end;\r\n"));
  QCOMPARE(control()->caretLine(), 0);
  QCOMPARE(control()->caretColumn(), 5);
  doc()->templatesBox()->setCurrentText(QStringLiteral("Custom"));
  ed().setText("");
  control()->setSelection(0, 0, 0, 0);
  ed().insertAtCaret("Center");
  control()->setSelection(0, 0, 0, 6);
  pressKey(control(), Qt::Key_J, Qt::ControlModifier);
  QCOMPARE(ed().text(), std::string("<div align=\"center\"></div>\r\n"));
}

void DocumentWindowTest::namedFileResolvesAgainstDocumentFolder() {
  QDir().mkpath(folder_->file(QStringLiteral("site/img")));
  writeBytes(folder_->file(QStringLiteral("site/index.htm")), "<a href=\"page.htm\">\r\n");
  writeBytes(folder_->file(QStringLiteral("site/page.htm")), "page\r\n");
  DocumentWindow* t = main_->openFile(folder_->file(QStringLiteral("site/index.htm")));
  QVERIFY(t);
  ed().setText("page.htm\r\n/page.htm\r\n");
  control()->setSelection(0, 0, 0, 8);
  t->openNamedFile(false);
  QCOMPARE(main_->documentArea()->subWindowList().size(), 2);
  QCOMPARE(QString::fromStdString(ed().fileName()), folder_->file(QStringLiteral("site/page.htm")));
  main_->documentArea()->setActiveSubWindow(t->subWindow());
  control()->setSelection(1, 0, 1, 9);  // a leading separator is dropped
  t->openNamedFile(false);
  QCOMPARE(main_->documentArea()->subWindowList().size(), 3);
  QCOMPARE(QString::fromStdString(ed().fileName()), folder_->file(QStringLiteral("site/page.htm")));
}

void DocumentWindowTest::programShortcutsReachTheProgram_data() {
  QTest::addColumn<QString>("component");
  QTest::addColumn<QKeySequence>("key");
  QTest::newRow("Ctrl+W") << "mniAntiword" << QKeySequence(Qt::CTRL | Qt::Key_W);
  QTest::newRow("Ctrl+T") << "mniDeTranslit" << QKeySequence(Qt::CTRL | Qt::Key_T);
  QTest::newRow("Ctrl+E") << "mniFixEnc" << QKeySequence(Qt::CTRL | Qt::Key_E);
  QTest::newRow("Ctrl+N") << "mniFileNew" << QKeySequence(Qt::CTRL | Qt::Key_N);
  QTest::newRow("Ctrl+S") << "mniSave" << QKeySequence(Qt::CTRL | Qt::Key_S);
  QTest::newRow("Ctrl+G") << "mniGotoLine" << QKeySequence(Qt::CTRL | Qt::Key_G);
  QTest::newRow("Ctrl+R") << "mniReplace" << QKeySequence(Qt::CTRL | Qt::Key_R);
  QTest::newRow("Ctrl+F") << "Find1" << QKeySequence(Qt::CTRL | Qt::Key_F);
  QTest::newRow("F3") << "mniFindNext" << QKeySequence(Qt::Key_F3);
  QTest::newRow("Alt+X") << "mnKillSpaces" << QKeySequence(Qt::ALT | Qt::Key_X);
  QTest::newRow("Ctrl+Alt+T") << "Inserttime1" << QKeySequence(Qt::CTRL | Qt::ALT | Qt::Key_T);
  QTest::newRow("Shift+F2") << "DOS8661" << QKeySequence(Qt::SHIFT | Qt::Key_F2);
  QTest::newRow("Alt+F4") << "Custom1" << QKeySequence(Qt::ALT | Qt::Key_F4);
}

void DocumentWindowTest::programShortcutsReachTheProgram() {
  QFETCH(QString, component);
  QFETCH(QKeySequence, key);
  main_->newDocument();
  control()->setFocus();
  QAction* action = main_->action(component);
  QVERIFY(action);
  QCOMPARE(action->shortcut(), key);
  // Commands not built yet are disabled; enable a probe to see the key arrive.
  const bool enabled = action->isEnabled();
  action->setEnabled(true);
  disconnect(action, &QAction::triggered, nullptr, nullptr);
  QSignalSpy spy(action, &QAction::triggered);
  const QKeyCombination k = key[0];
  QTest::keyClick(control(), k.key(), k.keyboardModifiers());
  QCOMPARE(spy.count(), 1);
  action->setEnabled(enabled);
}

QTEST_MAIN(DocumentWindowTest)
#include "test_document_window.moc"
