// The editor interface: working text, selections, lines, positions, the
// modified flag, charsets, clipboard, settings applied to documents.

#include <QAccessible>
#include <QApplication>
#include <QClipboard>
#include <QComboBox>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QMimeData>
#include <QTest>

#include "core/charsets/code_page.h"
#include "support/test_env.h"
#include "ui/app/main_window.h"
#include "ui/common/qt_text.h"
#include "ui/editor/control/editing_control.h"
#include "ui/editor/control/find_dialog.h"
#include "ui/editor/document_window.h"
#include "ui/editor/editor_interface.h"

using namespace kiv;

class EditorInterfaceTest : public QObject {
  Q_OBJECT
 private slots:
  void init();
  void cleanup();
  void workingTextWithoutSelectionIsWholeText();
  void selectionTextIsItsLinesWithoutFinalBreak();
  void putReplacesSelectionOrWholeText();
  void everyByteSurvivesInEveryCharset_data();
  void everyByteSurvivesInEveryCharset();
  void lineBreaksBecomeCrLf();
  void charsetSwitchReinterpretsBytesAndUndoes();
  void modifiedFlagFollowsSavePointAndForcedState();
  void commandIsOneUndoStep();
  void topLineFollowsScrolling();
  void goToLineClampsAndStandsAfterFirstCharacter();
  void newDocumentTwiceWithoutAdvancingGivesSameName();
  void statusPanelAndCaption();
  void loadTextPicksHighlighterByLowerCaseExtension();
  void selectedLinesRoundTripAndNoSelectionNoOp();
  void insertAtCaretKeepsSelectedTextAndLinesBlock();
  void cutAndCopyWithoutSelectionEmptyClipboard();
  void missingWallpaperDropsFillAndStops();
  void exportWritesColouredHtmlAndRtf();
  void applyOperationsReachAllDocuments();
  void findNextAndReplaceAll();
  void characterCountsMatchTheText();
  void typingBuildsNoCharacterIndexWithoutAssistiveTechnology();

 private:
  ProgramSession s_;
  std::unique_ptr<ScriptedDialogs>& dialogs_ = s_.dialogs;
  std::unique_ptr<ProgramFolder>& folder_ = s_.folder;
  std::unique_ptr<MainWindow>& main_ = s_.main;
  EditorInterface& ed() { return main_->editor(); }
  EditingControl* control() { return main_->activeDocument()->control(); }
};

void EditorInterfaceTest::init() {
  s_.start();
  main_->editor().setDialogsSuppressed(true);
}

void EditorInterfaceTest::cleanup() { s_.stop(); }

void EditorInterfaceTest::workingTextWithoutSelectionIsWholeText() {
  main_->newDocument();
  ed().setText("ab\r\ncd");
  QCOMPARE(ed().workingText(), std::string("ab\r\ncd\r\n"));
  QCOMPARE(ed().text(), std::string("ab\r\ncd\r\n"));
  QCOMPARE(ed().selectedText(), std::string());
  QVERIFY(!ed().hasSelection());
  ed().setText("");
  QCOMPARE(ed().text(), std::string());
}

void EditorInterfaceTest::selectionTextIsItsLinesWithoutFinalBreak() {
  main_->newDocument();
  ed().setText("xx\r\nab\r\ncd\r\nyy\r\n");
  control()->setSelection(1, 0, 2, 2);
  QCOMPARE(ed().selectedText(), std::string("ab\r\ncd"));
  QCOMPARE(ed().workingText(), std::string("ab\r\ncd"));
  // Whole lines with their break: the break stays, no extra one appears.
  control()->setSelection(1, 0, 3, 0);
  QCOMPARE(ed().selectedText(), std::string("ab\r\ncd\r\n"));
}

void EditorInterfaceTest::putReplacesSelectionOrWholeText() {
  main_->newDocument();
  ed().setText("one two three\r\n");
  control()->setSelection(0, 4, 0, 7);
  ed().putWorkingText("2");
  QCOMPARE(ed().text(), std::string("one 2 three\r\n"));
  ed().putWorkingText("all\r\nnew\r\n");
  QCOMPARE(ed().text(), std::string("all\r\nnew\r\n"));
  QCOMPARE(control()->caretLine(), 0);
}

void EditorInterfaceTest::everyByteSurvivesInEveryCharset_data() {
  QTest::addColumn<QString>("charset");
  QTest::newRow("win") << "win";
  QTest::newRow("dos") << "dos";
  QTest::newRow("koi") << "koi";
}

void EditorInterfaceTest::everyByteSurvivesInEveryCharset() {
  QFETCH(QString, charset);
  main_->newDocument();
  ed().setCharset(charset.toStdString());
  std::string all;
  for (int b = 0; b < 256; ++b)
    if (b != '\r' && b != '\n') all += static_cast<char>(b);
  all += "\r\n";
  ed().setText(all);
  QCOMPARE(ed().text(), all);
  // Through a selection, the clipboard and a line as well.
  control()->selectAll();
  const std::string sel = ed().selectedText();
  QCOMPARE(sel, all.substr(0, all.size() - 2));  // the last line's break closes it, it is not text
  ed().copy();
  ed().setText("");
  ed().paste();
  QCOMPARE(ed().text(), all);
  QCOMPARE(ed().lines().get(0), all.substr(0, all.size() - 2));
}

void EditorInterfaceTest::lineBreaksBecomeCrLf() {
  main_->newDocument();
  ed().setText("a\nb\rc\r\nd");
  QCOMPARE(ed().text(), std::string("a\r\nb\r\nc\r\nd\r\n"));
  QCOMPARE(ed().lines().count(), 4);
}

void EditorInterfaceTest::charsetSwitchReinterpretsBytesAndUndoes() {
  main_->newDocument();
  const std::string bytes = w1251("Ёлка и ёж\r\n");
  ed().setText(bytes);
  QCOMPARE(control()->text(), QStringLiteral("Ёлка и ёж"));
  ed().setCharset("dos");
  QCOMPARE(ed().text(), bytes);  // the bytes stay
  QCOMPARE(control()->text(), kiv::qs(CodePage::ofCharset("dos").decodeToUtf8(bytes.substr(0, bytes.size() - 2))));
  QCOMPARE(ed().charset(), std::string("dos"));
  // Undo brings back the old reading together with the old code page.
  control()->undo();
  QCOMPARE(control()->text(), QStringLiteral("Ёлка и ёж"));
  QCOMPARE(ed().text(), bytes);
}

void EditorInterfaceTest::modifiedFlagFollowsSavePointAndForcedState() {
  main_->newDocument();
  QVERIFY(!ed().isModified());
  ed().insertAtCaret("x");
  QVERIFY(ed().isModified());
  ed().setModified(false);
  QVERIFY(!ed().isModified());
  ed().insertAtCaret("y");
  ed().undo();
  QVERIFY(!ed().isModified());  // back at the saved point
  ed().setModified(true);
  QVERIFY(ed().isModified());
  ed().insertAtCaret("z");
  ed().undo();
  QVERIFY(ed().isModified());  // forced: stays modified whatever is undone
}

void EditorInterfaceTest::commandIsOneUndoStep() {
  main_->newDocument();
  ed().setText("abc\r\n");
  ed().setModified(false);
  ed().putWorkingText("x\r\ny\r\nz\r\n");
  ed().undo();
  QCOMPARE(ed().text(), std::string("abc\r\n"));
  control()->setSelection(0, 0, 0, 3);
  ed().replaceSelection("q");
  QCOMPARE(ed().text(), std::string("q\r\n"));
  ed().undo();
  QCOMPARE(ed().text(), std::string("abc\r\n"));
}

void EditorInterfaceTest::topLineFollowsScrolling() {
  main_->newDocument();
  std::string text;
  for (int i = 0; i < 300; ++i) text += "line\r\n";
  ed().setText(text);
  ed().scrollLines(40);
  QCOMPARE(ed().topLine(), 40);
  ed().scrollLines(-1);
  QCOMPARE(ed().topLine(), 39);
  ed().scrollLines(-100);
  QCOMPARE(ed().topLine(), 0);
  ed().scrollLines(-1);
  QCOMPARE(ed().topLine(), 0);
}

void EditorInterfaceTest::goToLineClampsAndStandsAfterFirstCharacter() {
  main_->newDocument();
  ed().setText("abc\r\nd\r\n\r\nlast\r\n");
  ed().goToLine(0);
  QCOMPARE(control()->caretLine(), 0);
  QCOMPARE(control()->caretColumn(), 1);
  ed().goToLine(2);  // an empty line: column clamped to 0
  QCOMPARE(control()->caretLine(), 2);
  QCOMPARE(control()->caretColumn(), 0);
  ed().goToLine(1000);
  QCOMPARE(control()->caretLine(), control()->lines() - 1);
  ed().goToLine(-5);
  QCOMPARE(control()->caretLine(), 0);
}

void EditorInterfaceTest::newDocumentTwiceWithoutAdvancingGivesSameName() {
  ed().createDocument(main_.get());
  ed().createDocument(main_.get());
  QCOMPARE(ed().fileNameAt(0), std::string("untitled-1"));
  QCOMPARE(ed().fileNameAt(1), std::string("untitled-1"));
  QVERIFY(!ed().hasFile());
  QCOMPARE(ed().text(), std::string(" \r\n"));  // a new document holds one space
  QCOMPARE(ed().charset(), std::string("win"));
}

void EditorInterfaceTest::statusPanelAndCaption() {
  const QString caption = main_->windowTitle();
  ed().showCharsetInStatus("koi");
  QCOMPARE(main_->statusPanel(1), QStringLiteral("koi"));
  QCOMPARE(main_->windowTitle(), caption);
  ed().showCaption("/tmp/x.txt");
  QCOMPARE(main_->windowTitle(), QStringLiteral("/tmp/x.txt"));
  QCOMPARE(main_->statusPanel(1), QStringLiteral("koi"));
}

void EditorInterfaceTest::loadTextPicksHighlighterByLowerCaseExtension() {
  const struct {
    const char* file;
    const char* box;
  } rows[] = {{"/site/README.HTM", "HTML"}, {"notes.txt", "Нет"},   {"u.PAS", "Delphi"},
              {"a.dpr", "Delphi"},         {"m.h", "C++"},         {"m.c", "C"},
              {"x.pl", "Perl"},            {"s.js", "Java Script"}, {"v.VBS", "VB Script"},
              {"q.sql", "SQL"},            {"noext", "Нет"}};
  DocumentWindow* doc = main_->newDocument();
  for (const auto& r : rows) {
    ed().loadText(r.file, "text\r\n");
    QCOMPARE(doc->syntaxBox()->currentText(), QString::fromUtf8(r.box));
    QCOMPARE(doc->control()->highlighterName(), QString::fromUtf8(r.box));
  }
  QVERIFY(ed().hasFile());
  QCOMPARE(ed().fileName(), std::string("noext"));
}

void EditorInterfaceTest::selectedLinesRoundTripAndNoSelectionNoOp() {
  main_->newDocument();
  ed().setText("c\r\na\r\nb\r\nz\r\n");
  ed().replaceSelectedLines({"gone"});
  QCOMPARE(ed().text(), std::string("c\r\na\r\nb\r\nz\r\n"));
  // Whole lines selected down to the start of the next line.
  control()->setSelection(0, 0, 3, 0);
  auto lines = ed().selectedLines();
  QCOMPARE(lines, (std::vector<std::string>{"c", "a", "b"}));
  std::sort(lines.begin(), lines.end());
  ed().replaceSelectedLines(lines);
  QCOMPARE(ed().text(), std::string("a\r\nb\r\nc\r\nz\r\n"));
  // A selection that ends inside a line gets no extra line break.
  control()->setSelection(0, 0, 1, 1);
  ed().replaceSelectedLines({"b", "a"});
  QCOMPARE(ed().text(), std::string("b\r\na\r\nc\r\nz\r\n"));
  ed().undo();
  QCOMPARE(ed().text(), std::string("a\r\nb\r\nc\r\nz\r\n"));
}

void EditorInterfaceTest::insertAtCaretKeepsSelectedTextAndLinesBlock() {
  main_->newDocument();
  ed().setText("abc\r\n");
  control()->setSelection(0, 0, 0, 2);
  QVERIFY(ed().insertAtCaret("X"));
  QCOMPARE(ed().text(), std::string("abXc\r\n"));
  QCOMPARE(control()->caretColumn(), 3);
  control()->moveCaretTo(0, 0);
  ed().insertLines({"1", "2"});
  QCOMPARE(ed().text(), std::string("1\r\n2\r\nabXc\r\n"));
}

void EditorInterfaceTest::cutAndCopyWithoutSelectionEmptyClipboard() {
  main_->newDocument();
  ed().setText("keep\r\n");
  QApplication::clipboard()->setText(QStringLiteral("old"));
  ed().copy();
  QVERIFY(!ed().canPaste());
  QApplication::clipboard()->setText(QStringLiteral("old"));
  ed().cut();
  QVERIFY(!ed().canPaste());
  QCOMPARE(ed().text(), std::string("keep\r\n"));
  control()->setSelection(0, 0, 0, 2);
  ed().cut();
  QCOMPARE(QApplication::clipboard()->text(), QStringLiteral("ke"));
  QCOMPARE(ed().text(), std::string("ep\r\n"));
  ed().undo();
  QCOMPARE(ed().text(), std::string("keep\r\n"));
}

void EditorInterfaceTest::missingWallpaperDropsFillAndStops() {
  main_->newDocument();
  main_->newDocument();
  Settings& t = main_->settings();
  t.textAreaFill.kind = 1;
  t.textAreaFill.picture = "/no/such/picture.png";
  ed().applyTextBackground();
  QCOMPARE(int(t.textAreaFill.kind), 0);
  t.gutterFill.kind = 1;
  t.gutterFill.picture = "/no/such/picture.png";
  ed().applyGutter();
  QCOMPARE(int(t.gutterFill.kind), 0);
  // The apply-settings step of a window still runs its other steps.
  t.textAreaFill.kind = 1;
  t.rightMargin = 50;
  ed().applySettingsToActive();
  QCOMPARE(int(t.textAreaFill.kind), 0);
  QCOMPARE(ed().marginColumn(), 50);
  // A gutter fill chosen by the user is not overwritten by applying settings.
  t.gutterFill.kind = 0;
  ed().applySettingsToActive();
  QCOMPARE(int(t.gutterFill.kind), 0);
}

void EditorInterfaceTest::exportWritesColouredHtmlAndRtf() {
  main_->newDocument();
  ed().loadText(folder_->file(QStringLiteral("page.htm")).toStdString(), w1251("<b>Жирный</b> & текст\r\n"));
  const QString html = folder_->file(QStringLiteral("out.html"));
  const QString rtf = folder_->file(QStringLiteral("out.rtf"));
  ed().exportAs(html.toStdString(), "HTML");
  ed().exportAs(rtf.toStdString(), "RTF");
  ed().exportAs(folder_->file(QStringLiteral("out.doc")).toStdString(), "DOC");
  const std::string h = readBytes(html);
  QVERIFY(h.find("charset=windows-1251") != std::string::npos);
  QVERIFY(h.find("&lt;b&gt;") != std::string::npos);
  QVERIFY(h.find(w1251("Жирный")) != std::string::npos);
  QVERIFY(h.find("&amp;") != std::string::npos);
  QVERIFY(h.find("<span style=\"color: #") != std::string::npos);
  const std::string r = readBytes(rtf);
  QVERIFY(r.rfind("{\\rtf1", 0) == 0);
  QVERIFY(r.find("\\'c6") != std::string::npos);  // Ж
  QVERIFY(!QFile::exists(folder_->file(QStringLiteral("out.doc"))));
}

void EditorInterfaceTest::applyOperationsReachAllDocuments() {
  DocumentWindow* a = main_->newDocument();
  DocumentWindow* b = main_->newDocument();
  Settings& t = main_->settings();
  t.showRightMargin = true;
  t.rightMargin = 60;
  ed().applyMargin();
  t.showLineNumbers = true;
  ed().applyLineNumbers();
  t.blockIndent = 4;
  ed().applyBlockIndent();
  t.separatorLines = true;
  ed().applyLineSeparators();
  t.syntaxHighlight = false;
  ed().applySyntaxHighlight();
  t.winFontSize = 14;
  ed().applyCharsetFontSizes();
  for (DocumentWindow* d : {a, b}) {
    QCOMPARE(d->control()->rightMarginColumn(), 60);
    QVERIFY(d->control()->showLineNumbers());
    QCOMPARE(d->control()->blockIndent(), 4);
    QVERIFY(d->control()->separatorLines());
    QVERIFY(!d->control()->syntaxColoring());
    QCOMPARE(d->control()->documentFontSize(), 14);
  }
  ed().setGutterWidth(40);
  QCOMPARE(ed().gutterWidth(), 40);
  main_->documentArea()->setActiveSubWindow(a->subWindow());
  QCOMPARE(ed().gutterWidth(), 24);
}

void EditorInterfaceTest::findNextAndReplaceAll() {
  main_->newDocument();
  ed().setText(w1251("Кот и кот, КОТ.\r\n"));
  control()->moveCaretTo(0, 0);
  lastSearch() = SearchOptions{};
  lastSearch().text = QStringLiteral("кот");
  QVERIFY(ed().findNext());
  QCOMPARE(ed().selectedText(), w1251("Кот"));
  QVERIFY(ed().findNext());
  QCOMPARE(ed().selectedText(), w1251("кот"));
  QVERIFY(ed().findNext());
  QVERIFY(!ed().findNext());
  QCOMPARE(dialogs_->messages.size(), 1);
  QCOMPARE(dialogs_->messages.first(), QStringLiteral("Строка поиска 'кот' не найдена"));

  // Replace all: case-sensitive and whole words, one undo step.
  lastSearch().caseSensitive = true;
  lastSearch().entireScope = true;
  lastSearch().replacement = QStringLiteral("пёс");
  QCOMPARE(replaceAll(control(), lastSearch()), 1);
  QCOMPARE(ed().text(), w1251("Кот и пёс, КОТ.\r\n"));
  lastSearch().caseSensitive = false;
  QCOMPARE(replaceAll(control(), lastSearch()), 2);
  QCOMPARE(ed().text(), w1251("пёс и пёс, пёс.\r\n"));
  ed().undo();
  QCOMPARE(ed().text(), w1251("Кот и пёс, КОТ.\r\n"));
}

void EditorInterfaceTest::characterCountsMatchTheText() {
  // Character counts over several lines come from the control's line index;
  // they must equal a plain count of the characters.
  main_->newDocument();
  std::string text;
  for (int i = 0; i < 400; ++i) text += w1251("Строка № ") + std::to_string(i) + " abc\r\n";
  ed().setText(text);
  const QString shown = control()->text();
  const QByteArray utf8 = shown.toUtf8();
  for (long a : {0L, 1L, 17L, 500L, 5000L}) {
    for (long b : {a, a + 3, a + 900, long(utf8.size())}) {
      if (b > utf8.size()) continue;
      // Positions on character boundaries only.
      while (a < utf8.size() && (utf8.at(qsizetype(a)) & 0xC0) == 0x80) ++a;
      while (b < utf8.size() && (utf8.at(qsizetype(b)) & 0xC0) == 0x80) ++b;
      if (b < a) continue;
      const long counted = control()->SendScintilla(QsciScintillaBase::SCI_COUNTCHARACTERS, a, b);
      QCOMPARE(counted, long(QString::fromUtf8(utf8.mid(a, b - a)).size()));
    }
  }
  // After an edit the index follows.
  control()->moveCaretTo(200, 0);
  typeText(control(), QStringLiteral("Ж"));
  QCOMPARE(control()->SendScintilla(QsciScintillaBase::SCI_COUNTCHARACTERS, 0L, control()->SendScintilla(QsciScintillaBase::SCI_GETLENGTH)),
           long(control()->text().size()));
}

void EditorInterfaceTest::typingBuildsNoCharacterIndexWithoutAssistiveTechnology() {
  // The control's library reports each edit with a character count for the
  // accessibility layer; while nothing listens that count is not made, so
  // the first key in a large document does not index the whole text.
  QVERIFY(!QAccessible::isActive());
  main_->newDocument();
  std::string text;
  for (int i = 0; i < 2000; ++i) text += w1251("Строка № ") + std::to_string(i) + " abc\r\n";
  ed().setText(text);
  control()->moveCaretTo(1999, 3);
  typeText(control(), QStringLiteral("Ж"));
  QCOMPARE(control()->SendScintilla(QsciScintillaBase::SCI_GETLINECHARACTERINDEX), 0L);
  QVERIFY(ed().text().find(w1251("СтрЖока № 1999")) != std::string::npos);
  // Counts asked for by the program itself are still exact.
  QCOMPARE(control()->SendScintilla(QsciScintillaBase::SCI_COUNTCHARACTERS, 0L, control()->SendScintilla(QsciScintillaBase::SCI_GETLENGTH)),
           long(control()->text().size()));
}

QTEST_MAIN(EditorInterfaceTest)
#include "test_editor_interface.moc"
