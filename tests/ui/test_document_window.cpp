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
#include "ui/app/main_form.h"
#include "ui/editor/editor_interface.h"
#include "ui/editor/memo/memo_control.h"
#include "ui/editor/ted.h"

using namespace kiv;

class DocumentWindowTest : public QObject {
  Q_OBJECT
 private slots:
  void init();
  void cleanup();
  void typographicQuotesAlternateAcrossDocuments();
  void tabInsertsSpacesWithoutClick();
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
  std::unique_ptr<TMainForm>& main_ = s_.main;
  EditorInterface& ed() { return main_->editor(); }
  Ted* doc() { return main_->activeDocument(); }
  MemoControl* memo() { return doc()->memo(); }
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
  typeText(memo(), QStringLiteral("\"\"\""));
  QCOMPARE(ed().text(), w1251("«»«\r\n"));
  typeText(memo(), QStringLiteral("\""));
  main_->newDocument();  // a new window starts again with the opening quote
  ed().setText("");
  typeText(memo(), QStringLiteral("\"x\""));
  QCOMPARE(ed().text(), w1251("«x»\r\n"));
  // A code page without typographic quotes keeps the straight one.
  ed().setCharset("dos");
  ed().setText("");
  typeText(memo(), QStringLiteral("\""));
  QCOMPARE(ed().text(), std::string("\"\r\n"));
  main_->settings().typographicQuotes = false;
  typeText(memo(), QStringLiteral("\""));
  QCOMPARE(ed().text(), std::string("\"\"\r\n"));
}

void DocumentWindowTest::tabInsertsSpacesWithoutClick() {
  int clicks = 0;
  main_->settings().keyClickSound = true;
  main_->settings().spacesPerTab = 3;
  main_->newDocument();
  // Count the key-click callback through a typed letter first.
  const auto before = main_->sounds().started();
  ed().setText("");
  pressKey(memo(), Qt::Key_Tab, Qt::NoModifier, QStringLiteral("\t"));
  QCOMPARE(ed().text(), std::string("   \r\n"));
  QCOMPARE(main_->sounds().started(), before);
  (void)clicks;
}

void DocumentWindowTest::negativeTabWidthInsertsNothing() {
  main_->settings().spacesPerTab = -4;
  main_->newDocument();
  ed().setText("");
  pressKey(memo(), Qt::Key_Tab, Qt::NoModifier, QStringLiteral("\t"));
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
  Ted* t = counting.createDocument(main_.get());
  t->memo()->setText(QString());
  typeText(t->memo(), QStringLiteral("ab\r"));
  QCOMPARE(clicks, 2);
  QCOMPARE(enters, 1);
  main_->settings().keyClickSound = false;
  typeText(t->memo(), QStringLiteral("c"));
  QCOMPARE(clicks, 2);
  t->memo()->setModifiedFlag(false);
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
  typeText(memo(), typed);
  QCOMPARE(ed().text(), bytesOf(stored) + "\r\n");
  QCOMPARE(memo()->text(), typed);  // what the user sees is what was typed
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
  pressKey(memo(), key, Qt::KeyboardModifiers(mods));
  QCOMPARE(ed().text(), std::string("word\r\n"));  // nothing selected: nothing changes
  memo()->setSelection(0, 0, 0, 4);
  pressKey(memo(), key, Qt::KeyboardModifiers(mods));
  QCOMPARE(ed().text(), bytesOf(expected) + "\r\n");
  ed().undo();
  QCOMPARE(ed().text(), std::string("word\r\n"));
}

void DocumentWindowTest::ctrlYEmptiesTheLineAsOneStep() {
  main_->newDocument();
  ed().setText("first\r\nsecond line\r\nthird\r\n");
  memo()->moveCaretTo(1, 4);
  pressKey(memo(), Qt::Key_Y, Qt::ControlModifier);
  QCOMPARE(ed().text(), std::string("first\r\n\r\nthird\r\n"));
  QCOMPARE(memo()->caretLine(), 1);
  QCOMPARE(memo()->caretColumn(), 0);
  ed().undo();
  QCOMPARE(ed().text(), std::string("first\r\nsecond line\r\nthird\r\n"));
}

void DocumentWindowTest::ctrlUpDownChangeCaseOfSelection() {
  main_->newDocument();
  ed().setText(w1251("Ёжик в Тумане\r\n"));
  pressKey(memo(), Qt::Key_Up, Qt::ControlModifier);
  QCOMPARE(ed().text(), w1251("Ёжик в Тумане\r\n"));
  memo()->setSelection(0, 0, 0, 13);
  pressKey(memo(), Qt::Key_Up, Qt::ControlModifier);
  QCOMPARE(ed().text(), w1251("ЁЖИК В ТУМАНЕ\r\n"));
  QVERIFY(memo()->hasSelectedText());
  pressKey(memo(), Qt::Key_Down, Qt::ControlModifier);
  QCOMPARE(ed().text(), w1251("ёжик в тумане\r\n"));
  // The control's own Ctrl+Up (scroll) does not run as well.
  std::string many;
  for (int i = 0; i < 200; ++i) many += "line\r\n";
  ed().setText(w1251("Ёжик в Тумане\r\n") + many);
  memo()->moveCaretTo(100, 0);
  ed().scrollLines(-200);
  ed().scrollLines(5);
  pressKey(memo(), Qt::Key_Down, Qt::ControlModifier);
  pressKey(memo(), Qt::Key_Up, Qt::ControlModifier);
  pressKey(memo(), Qt::Key_Up, Qt::ControlModifier);
  QCOMPARE(ed().topLine(), 5);
  // In a DOS document the letters the user sees change case.
  ed().setCharset("dos");
  std::string dos = w1251("ёжик в тумане\r\n");
  dosFromWin(dos);
  ed().setText(dos);
  memo()->setSelection(0, 0, 0, 4);
  pressKey(memo(), Qt::Key_Up, Qt::ControlModifier);
  QCOMPARE(memo()->text(), QStringLiteral("ЁЖИК в тумане\r\n"));
}

void DocumentWindowTest::deleteRemovesSelection() {
  main_->newDocument();
  ed().setText("abcdef\r\n");
  memo()->setSelection(0, 1, 0, 4);
  pressKey(memo(), Qt::Key_Delete);
  QCOMPARE(ed().text(), std::string("aef\r\n"));
  pressKey(memo(), Qt::Key_Delete);
  QCOMPARE(ed().text(), std::string("af\r\n"));
}

void DocumentWindowTest::ctrlEnterAndCtrlShiftSpaceInsertHtml() {
  main_->newDocument();
  ed().setText("");
  pressKey(memo(), Qt::Key_Space, Qt::ControlModifier | Qt::ShiftModifier);
  pressKey(memo(), Qt::Key_Return, Qt::ControlModifier);
  QVERIFY(ed().text().rfind("&nbsp;<br>", 0) == 0);
}

void DocumentWindowTest::altGGoesToClipboardLineClamped() {
  main_->newDocument();
  ed().setText("a\r\nbcd\r\nef\r\n");
  QApplication::clipboard()->setText(QStringLiteral("1"));
  pressKey(memo(), Qt::Key_G, Qt::AltModifier);
  QCOMPARE(memo()->caretLine(), 1);
  QCOMPARE(memo()->caretColumn(), 1);
  QApplication::clipboard()->setText(QStringLiteral("999"));
  pressKey(memo(), Qt::Key_G, Qt::AltModifier);
  QCOMPARE(memo()->caretLine(), memo()->lines() - 1);
  QApplication::clipboard()->setText(QStringLiteral("not a number"));
  memo()->moveCaretTo(0, 0);
  pressKey(memo(), Qt::Key_G, Qt::AltModifier);
  QCOMPARE(memo()->caretLine(), 0);
}

void DocumentWindowTest::altFSearchesClipboardText() {
  main_->newDocument();
  ed().setText(w1251("один ДВА три два\r\n"));
  memo()->moveCaretTo(0, 0);
  QApplication::clipboard()->setText(QStringLiteral("два"));
  pressKey(memo(), Qt::Key_F, Qt::AltModifier);
  QCOMPARE(ed().selectedText(), w1251("ДВА"));
  QVERIFY(ed().findNext());
  QCOMPARE(ed().selectedText(), w1251("два"));
}

void DocumentWindowTest::altRightLeftIndentSelectedLines() {
  main_->settings().blockIndent = 2;
  main_->newDocument();
  ed().setText("a\r\nb\r\nc\r\n");
  memo()->setSelection(0, 0, 2, 0);
  pressKey(memo(), Qt::Key_Right, Qt::AltModifier);
  QCOMPARE(ed().text(), std::string("  a\r\n  b\r\nc\r\n"));
  pressKey(memo(), Qt::Key_Left, Qt::AltModifier);
  QCOMPARE(ed().text(), std::string("a\r\nb\r\nc\r\n"));
}

void DocumentWindowTest::positionShowsLineAndColumnFromOne() {
  main_->newDocument();
  ed().setText("abc\r\ndef\r\n");
  memo()->moveCaretTo(1, 2);
  QTRY_COMPARE(doc()->positionLabel()->text(), QStringLiteral("2: 3"));
}

void DocumentWindowTest::closeQuestionNoKeepsWindowAndRecentList() {
  const QString file = folder_->file(QStringLiteral("kept.txt"));
  writeBytes(file, "text\r\n");
  Ted* t = main_->openFile(file);
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

  memo()->moveCaretTo(1, 0);
  find(QStringLiteral("Установить локальную закладку/3"))->trigger();
  QCOMPARE(memo()->bookmarkLine(3), 1);
  memo()->moveCaretTo(2, 0);
  find(QStringLiteral("Установить локальную закладку/3"))->trigger();
  QCOMPARE(memo()->bookmarkLine(3), 2);  // moved, one per number
  find(QStringLiteral("Установить локальную закладку/3"))->trigger();
  QCOMPARE(memo()->bookmarkLine(3), -1);  // on its own line: removed
  memo()->moveCaretTo(1, 0);
  find(QStringLiteral("Установить локальную закладку/5"))->trigger();
  memo()->moveCaretTo(0, 0);
  find(QStringLiteral("Перейти на локальную закладку/5"))->trigger();
  QCOMPARE(memo()->caretLine(), 1);
  find(QStringLiteral("Удалить локальную закладку/5"))->trigger();
  QCOMPARE(memo()->bookmarkLine(5), -1);

  find(QStringLiteral("Toggle breakpoint"))->trigger();
  QVERIFY(memo()->hasBreakPoint(1));
  find(QStringLiteral("Toggle breakpoint"))->trigger();
  QVERIFY(!memo()->hasBreakPoint(1));

  QAction* column = find(QStringLiteral("Режим выделения/Блочный"));
  column->trigger();
  QVERIFY(column->isChecked());
  QVERIFY(memo()->columnSelection());
  find(QStringLiteral("Режим выделения/Поточный"))->trigger();
  QVERIFY(!memo()->columnSelection());

  QAction* unix = find(QStringLiteral("Режим конца строки/UNIX"));
  unix->trigger();
  QVERIFY(unix->isChecked());
  QVERIFY(!find(QStringLiteral("Режим конца строки/Windows"))->isChecked());
  QCOMPARE(memo()->withStreamLineEnds("a\r\nb\r\n"), std::string("a\nb\n"));
  QCOMPARE(ed().text(), w1251("строка\r\nвторая\r\nтретья\r\n"));  // the document keeps CR LF
}

void DocumentWindowTest::syntaxBoxSelectsHighlighter() {
  main_->newDocument();
  doc()->syntaxBox()->setCurrentText(QStringLiteral("SQL"));
  QCOMPARE(memo()->highlighterName(), QStringLiteral("SQL"));
  QVERIFY(memo()->lexer());
  doc()->syntaxBox()->setCurrentText(QStringLiteral("Нет"));
  QVERIFY(!memo()->lexer());
  QCOMPARE(doc()->syntaxBox()->count(), 9);
}

void DocumentWindowTest::templatesExpandFromWordWithCtrlJ() {
  main_->newDocument();
  ed().setText("");
  doc()->templatesBox()->setCurrentText(QStringLiteral("Delphi"));
  typeText(memo(), QStringLiteral("  ifb"));
  pressKey(memo(), Qt::Key_J, Qt::ControlModifier);
  QCOMPARE(ed().text(), std::string("  if  then\r\n  begin\r\n\r\n  end;\r\n"));
  QCOMPARE(memo()->caretLine(), 0);
  QCOMPARE(memo()->caretColumn(), 5);
  doc()->templatesBox()->setCurrentText(QStringLiteral("Custom"));
  ed().setText("");
  memo()->setSelection(0, 0, 0, 0);
  ed().insertAtCaret("Center");
  memo()->setSelection(0, 0, 0, 6);
  pressKey(memo(), Qt::Key_J, Qt::ControlModifier);
  QCOMPARE(ed().text(), std::string("<div align=\"center\"></div>\r\n"));
}

void DocumentWindowTest::namedFileResolvesAgainstDocumentFolder() {
  QDir().mkpath(folder_->file(QStringLiteral("site/img")));
  writeBytes(folder_->file(QStringLiteral("site/index.htm")), "<a href=\"page.htm\">\r\n");
  writeBytes(folder_->file(QStringLiteral("site/page.htm")), "page\r\n");
  Ted* t = main_->openFile(folder_->file(QStringLiteral("site/index.htm")));
  QVERIFY(t);
  ed().setText("page.htm\r\n/page.htm\r\n");
  memo()->setSelection(0, 0, 0, 8);
  t->openNamedFile(false);
  QCOMPARE(main_->documentArea()->subWindowList().size(), 2);
  QCOMPARE(QString::fromStdString(ed().fileName()), folder_->file(QStringLiteral("site/page.htm")));
  main_->documentArea()->setActiveSubWindow(t->subWindow());
  memo()->setSelection(1, 0, 1, 9);  // a leading separator is dropped
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
  memo()->setFocus();
  QAction* action = main_->action(component);
  QVERIFY(action);
  QCOMPARE(action->shortcut(), key);
  // Commands not built yet are disabled; enable a probe to see the key arrive.
  const bool enabled = action->isEnabled();
  action->setEnabled(true);
  disconnect(action, &QAction::triggered, nullptr, nullptr);
  QSignalSpy spy(action, &QAction::triggered);
  const QKeyCombination k = key[0];
  QTest::keyClick(memo(), k.key(), k.keyboardModifiers());
  QCOMPARE(spy.count(), 1);
  action->setEnabled(enabled);
}

QTEST_MAIN(DocumentWindowTest)
#include "test_document_window.moc"
