// The editor interface: working text, selections, lines, positions, the
// modified flag, charsets, clipboard, settings applied to documents.

#include <QApplication>
#include <QClipboard>
#include <QComboBox>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QMimeData>
#include <QTest>

#include "core/charsets/code_page.h"
#include "support/test_env.h"
#include "ui/common/qt_text.h"
#include "ui/app/main_form.h"
#include "ui/editor/dream_editor.h"
#include "ui/editor/memo/find_dialogs.h"
#include "ui/editor/memo/memo_control.h"
#include "ui/editor/ted.h"

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
  void topLineAndScrollLineAgree();
  void gotoLineClampsAndStandsAfterFirstCharacter();
  void newDocumentTwiceWithoutAdvancingGivesSameName();
  void showInfoKinds();
  void loadTextPicksHighlighterByLowerCaseExtension();
  void selLinesRoundTripAndNoSelectionNoOp();
  void insertAtCaretKeepsSelectedTextAndLinesBlock();
  void cutAndCopyWithoutSelectionEmptyClipboard();
  void missingWallpaperDropsFillAndStops();
  void exportWritesColouredHtmlAndRtf();
  void applyOperationsReachAllDocuments();
  void findNextAndReplaceAll();
  void characterCountsMatchTheText();

 private:
  ProgramSession s_;
  std::unique_ptr<ScriptedDialogs>& dialogs_ = s_.dialogs;
  std::unique_ptr<ProgramFolder>& folder_ = s_.folder;
  std::unique_ptr<TMainForm>& main_ = s_.main;
  CdreamEditor& ed() { return main_->editor(); }
  MemoControl* memo() { return main_->activeDocument()->memo(); }
};

void EditorInterfaceTest::init() {
  s_.start();
  main_->editor().setDialogsSuppressed(true);
}

void EditorInterfaceTest::cleanup() { s_.stop(); }

void EditorInterfaceTest::workingTextWithoutSelectionIsWholeText() {
  main_->newDocument();
  ed().SetText("ab\r\ncd");
  QCOMPARE(ed().GetSelOrAllText(), std::string("ab\r\ncd\r\n"));
  QCOMPARE(ed().GetText(), std::string("ab\r\ncd\r\n"));
  QCOMPARE(ed().GetSelText(), std::string());
  QVERIFY(ed().IsSelectionEmpty());
  ed().SetText("");
  QCOMPARE(ed().GetText(), std::string());
}

void EditorInterfaceTest::selectionTextIsItsLinesWithoutFinalBreak() {
  main_->newDocument();
  ed().SetText("xx\r\nab\r\ncd\r\nyy\r\n");
  memo()->setSelection(1, 0, 2, 2);
  QCOMPARE(ed().GetSelText(), std::string("ab\r\ncd"));
  QCOMPARE(ed().GetSelOrAllText(), std::string("ab\r\ncd"));
  // Whole lines with their break: the break stays, no extra one appears.
  memo()->setSelection(1, 0, 3, 0);
  QCOMPARE(ed().GetSelText(), std::string("ab\r\ncd\r\n"));
}

void EditorInterfaceTest::putReplacesSelectionOrWholeText() {
  main_->newDocument();
  ed().SetText("one two three\r\n");
  memo()->setSelection(0, 4, 0, 7);
  ed().PutSelOrAllText("2");
  QCOMPARE(ed().GetText(), std::string("one 2 three\r\n"));
  ed().PutSelOrAllText("all\r\nnew\r\n");
  QCOMPARE(ed().GetText(), std::string("all\r\nnew\r\n"));
  QCOMPARE(memo()->caretLine(), 0);
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
  ed().SetCharset(charset.toStdString());
  std::string all;
  for (int b = 0; b < 256; ++b)
    if (b != '\r' && b != '\n') all += static_cast<char>(b);
  all += "\r\n";
  ed().SetText(all);
  QCOMPARE(ed().GetText(), all);
  // Through a selection, the clipboard and a line as well.
  memo()->selectAll();
  const std::string sel = ed().GetSelText();
  QCOMPARE(sel, all.substr(0, all.size()));
  ed().Copy();
  ed().SetText("");
  ed().Paste();
  QCOMPARE(ed().GetText(), all);
  QCOMPARE(ed().GetLines().get(0), all.substr(0, all.size() - 2));
}

void EditorInterfaceTest::lineBreaksBecomeCrLf() {
  main_->newDocument();
  ed().SetText("a\nb\rc\r\nd");
  QCOMPARE(ed().GetText(), std::string("a\r\nb\r\nc\r\nd\r\n"));
  QCOMPARE(ed().GetLines().count(), 4);
}

void EditorInterfaceTest::charsetSwitchReinterpretsBytesAndUndoes() {
  main_->newDocument();
  const std::string bytes = w1251("Ёлка и ёж\r\n");
  ed().SetText(bytes);
  QCOMPARE(memo()->text(), QStringLiteral("Ёлка и ёж\r\n"));
  ed().SetCharset("dos");
  QCOMPARE(ed().GetText(), bytes);  // the bytes stay
  QCOMPARE(memo()->text(), kiv::qs(CodePage::ofCharset("dos").decodeToUtf8(bytes)));
  QCOMPARE(ed().GetCharset(), std::string("dos"));
  // Undo brings back the old reading together with the old code page.
  memo()->undo();
  QCOMPARE(memo()->text(), QStringLiteral("Ёлка и ёж\r\n"));
  QCOMPARE(ed().GetText(), bytes);
}

void EditorInterfaceTest::modifiedFlagFollowsSavePointAndForcedState() {
  main_->newDocument();
  QVERIFY(!ed().GetModified());
  ed().InsertAtCaret("x");
  QVERIFY(ed().GetModified());
  ed().SetModified(false);
  QVERIFY(!ed().GetModified());
  ed().InsertAtCaret("y");
  ed().Undo();
  QVERIFY(!ed().GetModified());  // back at the saved point
  ed().SetModified(true);
  QVERIFY(ed().GetModified());
  ed().InsertAtCaret("z");
  ed().Undo();
  QVERIFY(ed().GetModified());  // forced: stays modified whatever is undone
}

void EditorInterfaceTest::commandIsOneUndoStep() {
  main_->newDocument();
  ed().SetText("abc\r\n");
  ed().SetModified(false);
  ed().PutSelOrAllText("x\r\ny\r\nz\r\n");
  ed().Undo();
  QCOMPARE(ed().GetText(), std::string("abc\r\n"));
  memo()->setSelection(0, 0, 0, 3);
  ed().ReplaceSel("q");
  QCOMPARE(ed().GetText(), std::string("q\r\n"));
  ed().Undo();
  QCOMPARE(ed().GetText(), std::string("abc\r\n"));
}

void EditorInterfaceTest::topLineAndScrollLineAgree() {
  main_->newDocument();
  std::string text;
  for (int i = 0; i < 300; ++i) text += "line\r\n";
  ed().SetText(text);
  ed().ScrollLines(40);
  QCOMPARE(ed().GetTopLine(), 40);
  QCOMPARE(ed().GetScrollLine(), ed().GetTopLine());
  ed().ScrollUp();
  QCOMPARE(ed().GetTopLine(), 39);
  ed().ScrollLines(-100);
  QCOMPARE(ed().GetTopLine(), 0);
  ed().ScrollUp();
  QCOMPARE(ed().GetTopLine(), 0);
}

void EditorInterfaceTest::gotoLineClampsAndStandsAfterFirstCharacter() {
  main_->newDocument();
  ed().SetText("abc\r\nd\r\n\r\nlast\r\n");
  ed().GotoLine(0);
  QCOMPARE(memo()->caretLine(), 0);
  QCOMPARE(memo()->caretColumn(), 1);
  ed().GotoLine(2);  // an empty line: column clamped to 0
  QCOMPARE(memo()->caretLine(), 2);
  QCOMPARE(memo()->caretColumn(), 0);
  ed().GotoLine(1000);
  QCOMPARE(memo()->caretLine(), memo()->lines() - 1);
  ed().GotoLine(-5);
  QCOMPARE(memo()->caretLine(), 0);
}

void EditorInterfaceTest::newDocumentTwiceWithoutAdvancingGivesSameName() {
  ed().NewDocument(main_.get());
  ed().NewDocument(main_.get());
  QCOMPARE(ed().GetFileNameOf(0), std::string("untitled-1"));
  QCOMPARE(ed().GetFileNameOf(1), std::string("untitled-1"));
  QVERIFY(!ed().HasFile());
  QCOMPARE(ed().GetText(), std::string(" \r\n"));  // a new document holds one space
  QCOMPARE(ed().GetCharset(), std::string("win"));
}

void EditorInterfaceTest::showInfoKinds() {
  const QString caption = main_->windowTitle();
  const QString panel = main_->statusPanel(1);
  ed().ShowInfo(12, "nothing");
  ed().ShowInfo(15, "nothing");
  QCOMPARE(main_->windowTitle(), caption);
  QCOMPARE(main_->statusPanel(1), panel);
  ed().ShowInfo(13, "koi");
  QCOMPARE(main_->statusPanel(1), QStringLiteral("koi"));
  ed().ShowInfo(14, "/tmp/x.txt");
  QCOMPARE(main_->windowTitle(), QStringLiteral("/tmp/x.txt"));
}

void EditorInterfaceTest::loadTextPicksHighlighterByLowerCaseExtension() {
  const struct {
    const char* file;
    const char* box;
  } rows[] = {{"/site/README.HTM", "HTML"}, {"notes.txt", "Нет"},   {"u.PAS", "Delphi"},
              {"a.dpr", "Delphi"},         {"m.h", "C++"},         {"m.c", "C"},
              {"x.pl", "Perl"},            {"s.js", "Java Script"}, {"v.VBS", "VB Script"},
              {"q.sql", "SQL"},            {"noext", "Нет"}};
  Ted* doc = main_->newDocument();
  for (const auto& r : rows) {
    ed().LoadText(r.file, "text\r\n");
    QCOMPARE(doc->syntaxBox()->currentText(), QString::fromUtf8(r.box));
    QCOMPARE(doc->memo()->highlighterName(), QString::fromUtf8(r.box));
  }
  QVERIFY(ed().HasFile());
  QCOMPARE(ed().GetFileName(), std::string("noext"));
}

void EditorInterfaceTest::selLinesRoundTripAndNoSelectionNoOp() {
  main_->newDocument();
  ed().SetText("c\r\na\r\nb\r\nz\r\n");
  ed().ReplaceSelWithLines({"gone"});
  QCOMPARE(ed().GetText(), std::string("c\r\na\r\nb\r\nz\r\n"));
  // Whole lines selected down to the start of the next line.
  memo()->setSelection(0, 0, 3, 0);
  auto lines = ed().GetSelLines();
  QCOMPARE(lines, (std::vector<std::string>{"c", "a", "b"}));
  std::sort(lines.begin(), lines.end());
  ed().ReplaceSelWithLines(lines);
  QCOMPARE(ed().GetText(), std::string("a\r\nb\r\nc\r\nz\r\n"));
  // A selection that ends inside a line gets no extra line break.
  memo()->setSelection(0, 0, 1, 1);
  ed().ReplaceSelWithLines({"b", "a"});
  QCOMPARE(ed().GetText(), std::string("b\r\na\r\nc\r\nz\r\n"));
  ed().Undo();
  QCOMPARE(ed().GetText(), std::string("a\r\nb\r\nc\r\nz\r\n"));
}

void EditorInterfaceTest::insertAtCaretKeepsSelectedTextAndLinesBlock() {
  main_->newDocument();
  ed().SetText("abc\r\n");
  memo()->setSelection(0, 0, 0, 2);
  QVERIFY(ed().InsertAtCaret("X"));
  QCOMPARE(ed().GetText(), std::string("abXc\r\n"));
  QCOMPARE(memo()->caretColumn(), 3);
  memo()->moveCaretTo(0, 0);
  ed().InsertLines({"1", "2"});
  QCOMPARE(ed().GetText(), std::string("1\r\n2\r\nabXc\r\n"));
}

void EditorInterfaceTest::cutAndCopyWithoutSelectionEmptyClipboard() {
  main_->newDocument();
  ed().SetText("keep\r\n");
  QApplication::clipboard()->setText(QStringLiteral("old"));
  ed().Copy();
  QVERIFY(!ed().CanPaste());
  QApplication::clipboard()->setText(QStringLiteral("old"));
  ed().Cut();
  QVERIFY(!ed().CanPaste());
  QCOMPARE(ed().GetText(), std::string("keep\r\n"));
  memo()->setSelection(0, 0, 0, 2);
  ed().Cut();
  QCOMPARE(QApplication::clipboard()->text(), QStringLiteral("ke"));
  QCOMPARE(ed().GetText(), std::string("ep\r\n"));
  ed().Undo();
  QCOMPARE(ed().GetText(), std::string("keep\r\n"));
}

void EditorInterfaceTest::missingWallpaperDropsFillAndStops() {
  main_->newDocument();
  main_->newDocument();
  Settings& t = main_->settings();
  t.textAreaFill.kind = 1;
  t.textAreaFill.picture = "/no/such/picture.png";
  ed().ApplyTextBackground();
  QCOMPARE(int(t.textAreaFill.kind), 0);
  t.gutterFill.kind = 1;
  t.gutterFill.picture = "/no/such/picture.png";
  ed().ApplyGutter();
  QCOMPARE(int(t.gutterFill.kind), 0);
  // The apply-settings step of a window still runs its other steps.
  t.textAreaFill.kind = 1;
  t.rightMargin = 50;
  ed().ApplySettingsToActive();
  QCOMPARE(int(t.textAreaFill.kind), 0);
  QCOMPARE(ed().GetMarginPos(), 50);
  // A gutter fill chosen by the user is not overwritten by applying settings.
  t.gutterFill.kind = 0;
  ed().ApplySettingsToActive();
  QCOMPARE(int(t.gutterFill.kind), 0);
}

void EditorInterfaceTest::exportWritesColouredHtmlAndRtf() {
  main_->newDocument();
  ed().LoadText(folder_->file(QStringLiteral("page.htm")).toStdString(), w1251("<b>Жирный</b> & текст\r\n"));
  const QString html = folder_->file(QStringLiteral("out.html"));
  const QString rtf = folder_->file(QStringLiteral("out.rtf"));
  ed().ExportAs(html.toStdString(), "HTML");
  ed().ExportAs(rtf.toStdString(), "RTF");
  ed().ExportAs(folder_->file(QStringLiteral("out.doc")).toStdString(), "DOC");
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
  Ted* a = main_->newDocument();
  Ted* b = main_->newDocument();
  Settings& t = main_->settings();
  t.showRightMargin = true;
  t.rightMargin = 60;
  ed().ApplyMargin();
  t.showLineNumbers = true;
  ed().ApplyLineNumbers();
  t.blockIndent = 4;
  ed().ApplyBlockIndent();
  t.separatorLines = true;
  ed().ApplyLineSeparators();
  t.syntaxHighlight = false;
  ed().ApplySyntaxHighlight();
  t.winFontSize = 14;
  ed().ApplyCharsetFontSizes();
  for (Ted* d : {a, b}) {
    QCOMPARE(d->memo()->rightMarginColumn(), 60);
    QVERIFY(d->memo()->showLineNumbers());
    QCOMPARE(d->memo()->blockIndent(), 4);
    QVERIFY(d->memo()->separatorLines());
    QVERIFY(!d->memo()->syntaxColoring());
    QCOMPARE(d->memo()->documentFontSize(), 14);
  }
  ed().SetGutterWidth(40);
  QCOMPARE(ed().GetGutterWidth(), 40);
  main_->documentArea()->setActiveSubWindow(a->subWindow());
  QCOMPARE(ed().GetGutterWidth(), 24);
}

void EditorInterfaceTest::findNextAndReplaceAll() {
  main_->newDocument();
  ed().SetText(w1251("Кот и кот, КОТ.\r\n"));
  memo()->moveCaretTo(0, 0);
  lastSearch() = SearchOptions{};
  lastSearch().text = QStringLiteral("кот");
  QVERIFY(ed().FindNext());
  QCOMPARE(ed().GetSelText(), w1251("Кот"));
  QVERIFY(ed().FindNext());
  QCOMPARE(ed().GetSelText(), w1251("кот"));
  QVERIFY(ed().FindNext());
  QVERIFY(!ed().FindNext());
  QCOMPARE(dialogs_->messages.size(), 1);
  QCOMPARE(dialogs_->messages.first(), QStringLiteral("Строка поиска 'кот' не найдена"));

  // Replace all: case-sensitive and whole words, one undo step.
  lastSearch().caseSensitive = true;
  lastSearch().entireScope = true;
  lastSearch().replacement = QStringLiteral("пёс");
  QCOMPARE(replaceAll(memo(), lastSearch()), 1);
  QCOMPARE(ed().GetText(), w1251("Кот и пёс, КОТ.\r\n"));
  lastSearch().caseSensitive = false;
  QCOMPARE(replaceAll(memo(), lastSearch()), 2);
  QCOMPARE(ed().GetText(), w1251("пёс и пёс, пёс.\r\n"));
  ed().Undo();
  QCOMPARE(ed().GetText(), w1251("Кот и пёс, КОТ.\r\n"));
}

void EditorInterfaceTest::characterCountsMatchTheText() {
  // Character counts over several lines come from the control's line index;
  // they must equal a plain count of the characters.
  main_->newDocument();
  std::string text;
  for (int i = 0; i < 400; ++i) text += w1251("Строка № ") + std::to_string(i) + " abc\r\n";
  ed().SetText(text);
  const QString shown = memo()->text();
  const QByteArray utf8 = shown.toUtf8();
  for (long a : {0L, 1L, 17L, 500L, 5000L}) {
    for (long b : {a, a + 3, a + 900, long(utf8.size())}) {
      if (b > utf8.size()) continue;
      // Positions on character boundaries only.
      while (a < utf8.size() && (utf8.at(qsizetype(a)) & 0xC0) == 0x80) ++a;
      while (b < utf8.size() && (utf8.at(qsizetype(b)) & 0xC0) == 0x80) ++b;
      if (b < a) continue;
      const long counted = memo()->SendScintilla(QsciScintillaBase::SCI_COUNTCHARACTERS, a, b);
      QCOMPARE(counted, long(QString::fromUtf8(utf8.mid(a, b - a)).size()));
    }
  }
  // After an edit the index follows.
  memo()->moveCaretTo(200, 0);
  typeText(memo(), QStringLiteral("Ж"));
  QCOMPARE(memo()->SendScintilla(QsciScintillaBase::SCI_COUNTCHARACTERS, 0L, memo()->SendScintilla(QsciScintillaBase::SCI_GETLENGTH)),
           long(memo()->text().size()));
}

QTEST_MAIN(EditorInterfaceTest)
#include "test_editor_interface.moc"
