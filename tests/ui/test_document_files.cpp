// Documents and their files through the menu as a user works: open, edit,
// revert, undo, save, in every code page and in UTF-8, with the bytes on
// disk checked after each save.

#include <sys/resource.h>

#include <QApplication>
#include <QClipboard>
#include <QFile>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QMimeData>
#include <QStatusBar>
#include <QTest>
#include <fstream>
#include <new>
#include <optional>

#include "core/charsets/code_page.h"
#include "support/test_env.h"
#include "ui/app/main_window.h"
#include "ui/commands/command_dispatch.h"
#include "ui/commands/command_table.h"
#include "ui/editor/control/editing_control.h"
#include "ui/editor/document_window.h"
#include "ui/editor/editor_interface.h"

using namespace kiv;
using namespace std::string_literals;

namespace {

std::string enc(CodePageId id, const char* utf8) { return CodePage::get(id).encodeFromUtf8(utf8); }

const char* kRussian =
    "Съешь же ещё этих мягких французских булок, да выпей чаю. Широкая электрификация южных губерний "
    "даст мощный толчок подъёму сельского хозяйства. В чащах юга жил бы цитрус? Да, но фальшивый экземпляр!";

// Limits the address space to what the process uses now and `extra` bytes
// more; returns the limit to put back, nothing if it could not be set.
[[maybe_unused]] std::optional<rlimit> leaveAddressSpace(long long extra) {
  rlimit old{};
  getrlimit(RLIMIT_AS, &old);
  long long vm = 0;
  std::ifstream status("/proc/self/status");
  std::string key;
  while (status >> key)
    if (key == "VmSize:") {
      status >> vm;
      break;
    }
  if (vm <= 0) return std::nullopt;
  rlimit tight = old;
  tight.rlim_cur = static_cast<rlim_t>(vm * 1024 + extra);
  if (setrlimit(RLIMIT_AS, &tight) != 0) return std::nullopt;
  return old;
}

}  // namespace

class DocumentFilesTest : public QObject {
  Q_OBJECT
 private slots:
  void init() { s_.start(); }
  void cleanup() { s_.stop(); }
  void openRevertSave_data();
  void openRevertSave();
  void utf8RevertKeepsTheFileUtf8();
  void revertOfALargeFileIsOneUndoStep();
  void codePageChangesUndoWithTheText();
  void statusPanelsClearWithTheLastDocument();
  void lastLineShowsAsTheFileHasIt();
  void zeroBytesSurviveOpenEditAndSave();
  void typedCharacterTheCodePageLacksIsRefused();
  void pasteTellsHowManyCharactersWereReplaced();
  void fileLargerThanMemoryLeft();
  void commandOutOfMemoryEndsWithAMessage();
  void newFromTemplateIsTheTemplatesText();
  void caretKeysInALargeWrappedDocument();
  void largePlainTextIsKeptWithoutStyles();
  void veryLongLinesAreCutOnlyOnScreen_data();
  void veryLongLinesAreCutOnlyOnScreen();

 private:
  DocumentWindow* openFile(const QString& name, const std::string& bytes);
  void run(const char* component) { runCommand(*main_, *findCommand(component)); }
  ProgramSession s_;
  std::unique_ptr<ScriptedDialogs>& dialogs_ = s_.dialogs;
  std::unique_ptr<ProgramFolder>& folder_ = s_.folder;
  std::unique_ptr<MainWindow>& main_ = s_.main;
  EditorInterface& ed() { return main_->editor(); }
};

DocumentWindow* DocumentFilesTest::openFile(const QString& name, const std::string& bytes) {
  writeBytes(folder_->file(name), bytes);
  return main_->openFile(folder_->file(name));
}

void DocumentFilesTest::openRevertSave_data() {
  QTest::addColumn<bool>("detect");
  QTest::addColumn<QByteArray>("file");
  QTest::addColumn<QString>("charset");
  QTest::addColumn<QString>("typed");
  QTest::addColumn<QByteArray>("savedAfterTyping");  // the letter typed at the start

  auto row = [](const char* name, bool detect, const std::string& file, const char* charset, const char* typed,
                const std::string& saved) {
    QTest::newRow(name) << detect << qbytes(file) << QString::fromLatin1(charset) << QString::fromUtf8(typed)
                        << qbytes(saved);
  };
  const std::string win = enc(CodePageId::Win1251, "Привет\r\nмир\r\n");
  row("win CR LF", false, win, "win", "Ж", enc(CodePageId::Win1251, "ЖПривет\r\nмир\r\n"));
  row("win LF, no final break", false, enc(CodePageId::Win1251, "Привет\nмир"), "win", "Ж",
      enc(CodePageId::Win1251, "ЖПривет\nмир"));
  row("CR only", false, "one\rtwo\r", "win", "x", "xone\rtwo\r");
  const std::string koi = enc(CodePageId::Koi8r, kRussian) + "\n";
  row("koi detected", true, koi, "koi", "Ж", enc(CodePageId::Koi8r, "Ж") + koi);
  const std::string dos = enc(CodePageId::Cp866, kRussian) + "\r\n";
  row("dos detected", true, dos, "dos", "Ж", enc(CodePageId::Cp866, "Ж") + dos);
  row("koi read as win without detection", false, koi, "win", "x", "x" + koi);
  row("UTF-8, detection on", true, "Съешь ещё\nбулок", "win", "Ж", "ЖСъешь ещё\nбулок");
  row("UTF-8, detection off", false, "Съешь ещё\nбулок\n", "win", "Ж", "ЖСъешь ещё\nбулок\n");
  row("UTF-8 with mark", false, "\xEF\xBB\xBFЁж\r\n", "win", "Я", "\xEF\xBB\xBFЯЁж\r\n");
  row("UTF-8 beyond Windows-1251", false, "Привет 中文\n", "win", "x", "xПривет 中文\n");
  row("zero bytes", false, "abc\0def\0\nline2\n"s, "win", "x", "xabc\0def\0\nline2\n"s);
  row("empty: LF, as new documents", false, "", "win", "x", "x\n");
}

void DocumentFilesTest::openRevertSave() {
  QFETCH(bool, detect);
  QFETCH(QByteArray, file);
  QFETCH(QString, charset);
  QFETCH(QString, typed);
  QFETCH(QByteArray, savedAfterTyping);
  main_->settings().detectEncoding = detect;
  const QString path = folder_->file(QStringLiteral("doc.txt"));
  DocumentWindow* doc = openFile(QStringLiteral("doc.txt"), bytesOf(file));
  QVERIFY(doc);
  QCOMPARE(QString::fromStdString(doc->charset()), charset);
  const std::string opened = ed().text();
  const TextFileShape shape = doc->fileShape();

  // Saving without an edit writes the same bytes.
  run("mniSave");
  QCOMPARE(readBytes(path), bytesOf(file));

  // Edit, revert: the text, code page and shape that opening gives.
  doc->control()->moveCaretTo(0, 0);
  typeText(doc->control(), QStringLiteral("слово "));
  run("DOS8661");  // and read it in another code page
  QVERIFY(ed().isModified());
  run("mniRevertToSaved");
  QCOMPARE(ed().text(), opened);
  QCOMPARE(QString::fromStdString(doc->charset()), charset);
  QVERIFY(doc->fileShape() == shape);
  QVERIFY(!ed().isModified());
  QCOMPARE(main_->statusPanel(2), shape.utf8 ? QStringLiteral("UTF-8") : QString());

  // A letter typed after the revert lands in the file in the file's own encoding.
  doc->control()->moveCaretTo(0, 0);
  typeText(doc->control(), typed);
  run("mniSave");
  QCOMPARE(readBytes(path), bytesOf(savedAfterTyping));

  // Reopening gives the same document again.
  DocumentWindow* again = main_->openFile(path);
  QCOMPARE(QString::fromStdString(again->charset()), charset);
  QVERIFY(again->fileShape() == shape);
}

void DocumentFilesTest::utf8RevertKeepsTheFileUtf8() {
  // The walkthrough that destroyed a UTF-8 file: detection on, type a word,
  // revert, type a letter, save.
  main_->settings().detectEncoding = true;
  const std::string original = "Съешь же ещё этих мягких булок\n";
  DocumentWindow* doc = openFile(QStringLiteral("u8.txt"), original);
  QCOMPARE(main_->statusPanel(2), QStringLiteral("UTF-8"));
  typeText(doc->control(), QStringLiteral("Привет "));
  run("mniRevertToSaved");
  QCOMPARE(main_->statusPanel(2), QStringLiteral("UTF-8"));
  doc->control()->moveCaretTo(0, 0);
  typeText(doc->control(), QStringLiteral("Ы"));
  run("mniSave");
  QCOMPARE(readBytes(folder_->file(QStringLiteral("u8.txt"))), "Ы" + original);
  // Undo of the revert gives back the edited text; redo the file's.
  ed().undo();
  ed().undo();
  QCOMPARE(ed().text(), enc(CodePageId::Win1251, "Привет Съешь же ещё этих мягких булок\r\n"));
  ed().redo();
  QCOMPARE(ed().text(), enc(CodePageId::Win1251, "Съешь же ещё этих мягких булок\r\n"));
}

void DocumentFilesTest::revertOfALargeFileIsOneUndoStep() {
  // Large enough to be made on a second thread and put back unwrapped.
  for (const char* lineBreak : {"\r\n", "\n"}) {
    std::string original;
    while (original.size() < (3u << 20)) original += enc(CodePageId::Win1251, kRussian) + lineBreak;
    DocumentWindow* doc = openFile(QStringLiteral("large.txt"), original);
    doc->control()->moveCaretTo(0, 0);
    typeText(doc->control(), QStringLiteral("X"));
    QTest::qWait(300);
    run("mniRevertToSaved");
    QTest::qWait(300);  // what the event loop does meanwhile keeps the step
    QVERIFY(!doc->control()->modifiedFlag());
    QCOMPARE(ed().text().substr(0, 8), original.substr(0, 8));
    run("EditUndoItem");
    QCOMPARE(ed().text().substr(0, 9), "X" + original.substr(0, 8));
    run("Redo1");
    QCOMPARE(ed().text().substr(0, 9), original.substr(0, 9));
    // The same by the keys, which the control answers itself; the step goes
    // in unwrapped and the wrapping comes back afterwards.
    pressKey(doc->control(), Qt::Key_Z, Qt::ControlModifier);
    QCOMPARE(ed().text().substr(0, 9), "X" + original.substr(0, 8));
    QTRY_VERIFY(doc->control()->wordWrapOn());
    QCOMPARE(doc->control()->SendScintilla(QsciScintillaBase::SCI_GETWRAPMODE), long(QsciScintillaBase::SC_WRAP_WORD));
    main_->discardDocument(doc);
  }
}

void DocumentFilesTest::codePageChangesUndoWithTheText() {
  main_->settings().detectEncoding = true;
  const std::string koi = enc(CodePageId::Koi8r, kRussian) + "\n";
  const std::string win = enc(CodePageId::Win1251, kRussian) + "\n";
  const QString path = folder_->file(QStringLiteral("koi.txt"));
  DocumentWindow* doc = openFile(QStringLiteral("koi.txt"), koi);
  QCOMPARE(doc->charset(), std::string("koi"));
  run("Windows12511");  // "Конвертировать в" Windows 1251
  QCOMPARE(doc->charset(), std::string("win"));
  QCOMPARE(main_->statusPanel(1), QStringLiteral("win"));
  run("mniSave");
  QCOMPARE(readBytes(path), win);

  run("EditUndoItem");
  QCOMPARE(doc->charset(), std::string("koi"));
  QCOMPARE(ed().charset(), std::string("koi"));
  QCOMPARE(main_->statusPanel(1), QStringLiteral("koi"));
  run("mniSave");
  QCOMPARE(readBytes(path), koi);
  run("Redo1");
  QCOMPARE(doc->charset(), std::string("win"));
  QCOMPARE(main_->statusPanel(1), QStringLiteral("win"));
  run("mniSave");
  QCOMPARE(readBytes(path), win);

  // "Работать в" undoes and redoes the same way, on a document with no history too.
  main_->settings().detectEncoding = false;
  DocumentWindow* plain = openFile(QStringLiteral("plain.txt"), koi);
  QCOMPARE(plain->charset(), std::string("win"));
  run("KOI8R1");
  QCOMPARE(plain->charset(), std::string("koi"));
  QVERIFY(!ed().isModified());  // the same bytes, read another way
  const std::string reading = plain->control()->text().toStdString();
  run("EditUndoItem");
  QCOMPARE(plain->charset(), std::string("win"));
  QCOMPARE(main_->statusPanel(1), QStringLiteral("win"));
  run("Redo1");
  QCOMPARE(plain->charset(), std::string("koi"));
  QCOMPARE(plain->control()->text().toStdString(), reading);
  QCOMPARE(ed().text(), koi.substr(0, koi.size() - 1) + "\r\n");
}

void DocumentFilesTest::statusPanelsClearWithTheLastDocument() {
  openFile(QStringLiteral("u8.txt"), "Ёж\n");
  QCOMPARE(main_->statusPanel(2), QStringLiteral("UTF-8"));
  QVERIFY(!main_->statusPanel(1).isEmpty());
  main_->documentArea()->closeAllSubWindows();
  QTRY_COMPARE(main_->documentArea()->subWindowList().size(), 0);
  QCOMPARE(main_->statusPanel(1), QString());
  QCOMPARE(main_->statusPanel(2), QString());
  QCOMPARE(main_->windowTitle(), MainWindow::buildCaption());
}

void DocumentFilesTest::lastLineShowsAsTheFileHasIt() {
  // No empty line after the last one, whether the file closes it or not; a
  // line break typed at the end is a line of its own.
  struct Row {
    std::string file;
    const char* typedAtEnd;
    std::string saved;
  } rows[] = {
      {"one\ntwo", "X", "one\ntwoX"},
      {"one\ntwo\n", "X", "one\ntwoX\n"},
      {"one\ntwo", "\nX", "one\ntwo\nX"},
      {"one\ntwo\n", "\nX", "one\ntwo\nX\n"},
      {"one\ntwo", "\n", "one\ntwo\n"},
      {"one\r\ntwo\r\n", "\n\n", "one\r\ntwo\r\n\r\n\r\n"},
  };
  const QString path = folder_->file(QStringLiteral("lines.txt"));
  for (const auto& r : rows) {
    DocumentWindow* doc = openFile(QStringLiteral("lines.txt"), r.file);
    QCOMPARE(doc->control()->lineListCount(), 2);
    QCOMPARE(doc->control()->text(), QStringLiteral("one\r\ntwo"));
    doc->control()->SendScintilla(QsciScintillaBase::SCI_DOCUMENTEND);
    QCOMPARE(doc->control()->caretLine(), 1);
    typeText(doc->control(), QString::fromLatin1(r.typedAtEnd));
    run("mniSave");
    QCOMPARE(readBytes(path), r.saved);
    doc->control()->setModifiedFlag(false);
    main_->documentArea()->closeAllSubWindows();
  }
}

void DocumentFilesTest::zeroBytesSurviveOpenEditAndSave() {
  const std::string file = "abc\0def\0\nline2\n"s;
  const QString path = folder_->file(QStringLiteral("zero.txt"));
  DocumentWindow* doc = openFile(QStringLiteral("zero.txt"), file);
  QCOMPARE(ed().text(), "abc\0def\0\r\nline2\r\n"s);
  doc->control()->moveCaretTo(1, 5);
  typeText(doc->control(), QStringLiteral("!"));
  run("mniSave");
  QCOMPARE(readBytes(path), "abc\0def\0\nline2!\n"s);
  // Every byte value, in each code page, through the document and back.
  std::string all;
  for (int b = 0; b < 256; ++b)
    if (b != '\r' && b != '\n') all += static_cast<char>(b);
  all += "\n";
  for (const char* cs : {"KOI8R1", "DOS8661", "WindowsCP1"}) {
    DocumentWindow* d = openFile(QStringLiteral("all.txt"), all);
    run(cs);
    run("mniSave");
    QCOMPARE(readBytes(folder_->file(QStringLiteral("all.txt"))), all);
    d->control()->setModifiedFlag(false);
  }
}

void DocumentFilesTest::typedCharacterTheCodePageLacksIsRefused() {
  main_->newDocument();
  ed().setText("ab\r\n");
  EditingControl* control = main_->activeDocument()->control();
  control->moveCaretTo(0, 1);
  typeText(control, QStringLiteral("漢"));
  QCOMPARE(ed().text(), std::string("ab\r\n"));
  QVERIFY(main_->statusBar()->currentMessage().contains(QStringLiteral("U+6F22")));
  QVERIFY(main_->statusBar()->currentMessage().contains(QStringLiteral("Windows-1251")));
  typeText(control, QStringLiteral("Ж"));
  QCOMPARE(ed().text(), enc(CodePageId::Win1251, "aЖb\r\n"));
  // In KOI8-R the typographic dash is missing.
  run("KOI8R1");
  typeText(control, QStringLiteral("—"));
  QVERIFY(main_->statusBar()->currentMessage().contains(QStringLiteral("KOI8-R")));
  QCOMPARE(ed().text(), enc(CodePageId::Win1251, "aЖb\r\n"));
}

void DocumentFilesTest::pasteTellsHowManyCharactersWereReplaced() {
  main_->newDocument();
  ed().setText("");
  auto* data = new QMimeData;
  data->setText(QStringLiteral("x漢字y😀"));
  QApplication::clipboard()->setMimeData(data);
  run("EditPasteItem");
  QCOMPARE(ed().text(), std::string("x??y?\r\n"));
  QVERIFY(main_->statusBar()->currentMessage().contains(QStringLiteral(": 3")));
}

void DocumentFilesTest::fileLargerThanMemoryLeft() {
#if defined(__SANITIZE_ADDRESS__)
  QSKIP("the address sanitizer reserves more address space than the limit leaves");
#else
  DocumentWindow* kept = openFile(QStringLiteral("kept.txt"), enc(CodePageId::Win1251, "Не потерять\n"));
  typeText(kept->control(), QStringLiteral("Несохранённое "));
  const QString big = folder_->file(QStringLiteral("big.txt"));
  {
    std::ofstream out(big.toStdString(), std::ios::binary);
    out.seekp((1LL << 30) - 1);
    out.put('x');
  }
  // Leave a quarter of the file's size of address space.
  const std::optional<rlimit> old = leaveAddressSpace(256LL << 20);
  QVERIFY(old);
  DocumentWindow* doc = main_->openFile(big);
  setrlimit(RLIMIT_AS, &*old);
  QVERIFY(!doc);
  QVERIFY(!dialogs_->messages.isEmpty());
  QVERIFY(dialogs_->messages.last().startsWith(QStringLiteral("Недостаточно памяти")));
  QCOMPARE(main_->editor().documents().size(), 1);
  QCOMPARE(ed().text(), enc(CodePageId::Win1251, "Несохранённое Не потерять\r\n"));
  QVERIFY(ed().isModified());
  QFile::remove(big);
#endif
}

void DocumentFilesTest::commandOutOfMemoryEndsWithAMessage() {
  main_->newDocument();
  ed().setText("text\r\n");
  CommandRow row{};
  row.handler = [](MainWindow& m) {
    m.editor().setText("half");
    throw std::bad_alloc();
  };
  runCommand(*main_, row);
  QVERIFY(!dialogs_->messages.isEmpty());
  QVERIFY(dialogs_->messages.last().startsWith(QStringLiteral("Недостаточно памяти")));
  QCOMPARE(main_->editor().documents().size(), 1);
}

void DocumentFilesTest::newFromTemplateIsTheTemplatesText() {
  const QString tpl = folder_->file(QStringLiteral("tpl.txt"));
  writeBytes(tpl, "Шаблон\n");
  dialogs_->openAnswers = {QStringList{tpl}};
  run("mniNewFromTemplate");
  QCOMPARE(ed().text(), enc(CodePageId::Win1251, "Шаблон\r\n"));
  QVERIFY(ed().fileName().find("untitled") != std::string::npos);
  QVERIFY(!ed().hasFile());
  QVERIFY(main_->activeDocument()->fileShape().utf8);
}

void DocumentFilesTest::veryLongLinesAreCutOnlyOnScreen_data() {
  QTest::addColumn<QByteArray>("file");
  QTest::addColumn<QString>("charset");
  const std::string letters = enc(CodePageId::Win1251, "абвгдеёжзийклмнопрстуфхцчшщъыьэюя");
  std::string line;
  while (line.size() < (std::size_t{3} << 19)) line += letters;  // 1.5 MB, no blanks
  auto row = [](const char* name, const std::string& bytes, const char* charset) {
    QTest::newRow(name) << QByteArray(bytes.data(), static_cast<qsizetype>(bytes.size())) << QString::fromLatin1(charset);
  };
  row("1251, one line, no final break", line, "win");
  row("1251, between short lines, LF", "short\n" + line + "\nlast\n", "win");
  row("1251, CR LF", "a\r\n" + line + "\r\n", "win");
  std::string utf8;
  while (utf8.size() < (std::size_t{3} << 19)) utf8 += "съешь-же-ещё-этих-мягких-булок-\xE2\x82\xAC";
  row("UTF-8, cuts fall between characters", utf8 + "\n", "win");
}

void DocumentFilesTest::veryLongLinesAreCutOnlyOnScreen() {
  QFETCH(QByteArray, file);
  QFETCH(QString, charset);
  const std::string bytes(file.constData(), static_cast<std::size_t>(file.size()));
  const QString path = folder_->file(QStringLiteral("long.txt"));
  DocumentWindow* doc = openFile(QStringLiteral("long.txt"), bytes);
  QVERIFY(doc);
  EditingControl* c = doc->control();
  QVERIFY(c->linesCutForDisplay());
  QVERIFY(main_->statusBar()->currentMessage().contains(QStringLiteral("частями")));
  // No line on screen is longer than a piece (and a character).
  long longest = 0;
  for (long l = 0; l < c->SendScintilla(QsciScintillaBase::SCI_GETLINECOUNT); ++l)
    longest = std::max(longest, c->SendScintilla(QsciScintillaBase::SCI_LINELENGTH, static_cast<unsigned long>(l)));
  QVERIFY2(longest <= 3 * (1 << 14) + 2, QByteArray::number(static_cast<qlonglong>(longest)).constData());
  // The cuts are not part of the text: saved untouched, then with a letter
  // typed at the start and at the end of the document.
  run("mniSave");
  QCOMPARE(readBytes(path), bytes);
  c->moveCaretTo(0, 0);
  typeText(c, QStringLiteral("Я"));
  QKeyEvent end(QEvent::KeyPress, Qt::Key_End, Qt::ControlModifier);
  QApplication::sendEvent(c, &end);
  typeText(c, QStringLiteral("!"));
  run("mniSave");
  std::string want = bytes;
  want.insert(0, doc->fileShape().utf8 ? "\xD0\xAF" : "\xDF");
  const std::size_t lastBreak = want.find_last_not_of("\r\n");
  want.insert(lastBreak + 1, "!");
  QCOMPARE(readBytes(path), want);
  // A command that puts the whole text back keeps the lines cut on screen.
  ed().setText(ed().text());
  longest = 0;
  for (long l = 0; l < c->SendScintilla(QsciScintillaBase::SCI_GETLINECOUNT); ++l)
    longest = std::max(longest, c->SendScintilla(QsciScintillaBase::SCI_LINELENGTH, static_cast<unsigned long>(l)));
  QVERIFY(longest <= 3 * (1 << 14) + 2);
  run("EditUndoItem");
  // Undo gives back the file's text exactly.
  run("EditUndoItem");
  run("EditUndoItem");
  QCOMPARE(doc->control()->fileBytes(doc->fileShape()), bytes);
  doc->control()->setModifiedFlag(false);
}

void DocumentFilesTest::caretKeysInALargeWrappedDocument() {
  // Large enough for Kiv to move the caret itself while lines are still
  // being wrapped.
  std::string bytes;
  const std::string line = enc(CodePageId::Win1251, kRussian) + "\r\n";
  while (bytes.size() < (std::size_t{3} << 19)) bytes += line;
  DocumentWindow* doc = openFile(QStringLiteral("large.txt"), bytes);
  EditingControl* c = doc->control();
  c->setWordWrapOn(true);
  c->resize(400, 300);
  // What is on screen is wrapped when it is painted.
  c->viewport()->repaint();
  QApplication::processEvents();
  auto key = [c](int k, Qt::KeyboardModifiers mods = Qt::NoModifier) {
    QKeyEvent e(QEvent::KeyPress, k, mods);
    QApplication::sendEvent(c, &e);
  };
  auto caret = [c] { return c->SendScintilla(QsciScintillaBase::SCI_GETCURRENTPOS); };
  auto anchor = [c] { return c->SendScintilla(QsciScintillaBase::SCI_GETANCHOR); };
  const long length = c->SendScintilla(QsciScintillaBase::SCI_GETLENGTH);

  key(Qt::Key_End, Qt::ControlModifier);
  QCOMPARE(caret(), length);
  QCOMPARE(anchor(), length);
  // The view follows the caret to the end.
  const long lastLine = c->SendScintilla(QsciScintillaBase::SCI_GETLINECOUNT) - 1;
  const long top = c->SendScintilla(QsciScintillaBase::SCI_DOCLINEFROMVISIBLE,
                                    static_cast<unsigned long>(c->SendScintilla(QsciScintillaBase::SCI_GETFIRSTVISIBLELINE)));
  QVERIFY(top <= lastLine && top > lastLine - 50);
  key(Qt::Key_Home, Qt::ControlModifier);
  QCOMPARE(caret(), 0L);

  // Down moves one row forward, which is still in the first line (it is
  // wrapped); Up comes back.
  key(Qt::Key_Down);
  const long down = caret();
  QVERIFY(down > 0);
  QCOMPARE(c->SendScintilla(QsciScintillaBase::SCI_LINEFROMPOSITION, static_cast<unsigned long>(down)), 0L);
  key(Qt::Key_Up);
  QCOMPARE(caret(), 0L);
  // Page Down moves further than Down; Shift keeps the anchor.
  key(Qt::Key_PageDown);
  QVERIFY(caret() > down);
  const long paged = caret();
  key(Qt::Key_Down, Qt::ShiftModifier);
  QCOMPARE(anchor(), paged);
  QVERIFY(caret() > paged);
  // Left with a selection goes to its start; Right and Left step a character.
  key(Qt::Key_Left);
  QCOMPARE(caret(), paged);
  key(Qt::Key_Right);
  key(Qt::Key_Left);
  QCOMPARE(caret(), paged);
  // End and Home stay on the document line.
  key(Qt::Key_End);
  const long lineNo = c->SendScintilla(QsciScintillaBase::SCI_LINEFROMPOSITION, static_cast<unsigned long>(paged));
  QCOMPARE(caret(), c->SendScintilla(QsciScintillaBase::SCI_GETLINEENDPOSITION, static_cast<unsigned long>(lineNo)));
  key(Qt::Key_Home);
  QCOMPARE(caret(), c->SendScintilla(QsciScintillaBase::SCI_POSITIONFROMLINE, static_cast<unsigned long>(lineNo)));
  QVERIFY(!c->isModified());
}

void DocumentFilesTest::largePlainTextIsKeptWithoutStyles() {
  // About 17 MB as the control shows it (two bytes for a Russian letter):
  // plain text this large is kept without styles, highlighted text keeps them.
  const std::string tag = "<b>Жирный</b>\r\n";
  std::string big = enc(CodePageId::Win1251, tag.c_str());
  const std::string line = enc(CodePageId::Win1251, kRussian) + "\r\n";
  while (big.size() < (std::size_t{9} << 20)) big += line;
  const std::string small = big.substr(0, std::size_t{4} << 20);
  auto stylesAt = [](DocumentWindow* d, long position) {
    EditingControl* c = d->control();
    c->SendScintilla(QsciScintillaBase::SCI_COLOURISE, 0L, 200L);
    return c->SendScintilla(QsciScintillaBase::SCI_GETSTYLEAT, static_cast<unsigned long>(position));
  };

  // Unwrapped: wrapping text without styles would only make the test slow.
  main_->settings().wordWrap = false;
  const struct {
    const char* name;
    const std::string* bytes;
    bool styles;
  } opened[] = {{"small.txt", &small, true}, {"big.txt", &big, false}, {"big.html", &big, true}};
  for (const auto& o : opened) {
    DocumentWindow* d = openFile(QString::fromUtf8(o.name), *o.bytes);
    QVERIFY2(d, o.name);
    QVERIFY2(d->control()->keepsStyles() == o.styles, o.name);
  }
  // The highlighted one is coloured: the tag's name has a style of its own.
  QVERIFY(stylesAt(ed().active(), 1) != 0);

  // Choosing a highlighter for the unchanged plain one moves its text into a
  // document with styles; text, caret, bookmarks and the undo state stay.
  DocumentWindow* doc = openFile(QStringLiteral("again.txt"), big);
  EditingControl* c = doc->control();
  QVERIFY(!c->keepsStyles());
  c->moveCaretTo(5000, 3);
  c->toggleBookmark(4);
  const long caret = c->SendScintilla(QsciScintillaBase::SCI_GETCURRENTPOS);
  doc->selectHighlighter(QStringLiteral("HTML"));
  QVERIFY(c->keepsStyles());
  QVERIFY(stylesAt(doc, 1) != 0);
  QCOMPARE(c->SendScintilla(QsciScintillaBase::SCI_GETCURRENTPOS), caret);
  QCOMPARE(c->bookmarkLine(4), 5000);
  QVERIFY(!c->modifiedFlag());
  QVERIFY(!c->SendScintilla(QsciScintillaBase::SCI_CANUNDO));
  // Typing, undoing and saving work on the new document as on any other.
  c->typeRaw(QStringLiteral("Я"));
  QVERIFY(c->modifiedFlag());
  ed().undo();
  run("mniSave");
  QVERIFY(readBytes(folder_->file(QStringLiteral("again.txt"))) == big);

  // With an undo history to lose it stays as it is and says why.
  DocumentWindow* edited = openFile(QStringLiteral("edited.txt"), big);
  c = edited->control();
  c->typeRaw(QStringLiteral("Я"));
  edited->selectHighlighter(QStringLiteral("HTML"));
  QVERIFY(!c->keepsStyles());
  QVERIFY(main_->statusBar()->currentMessage().contains(QStringLiteral("открыт заново")));
  ed().undo();
  QVERIFY(!c->modifiedFlag());
  run("mniSave");
  QVERIFY(readBytes(folder_->file(QStringLiteral("edited.txt"))) == big);

#if !defined(__SANITIZE_ADDRESS__)  // it reserves more address space than the limit leaves
  // Memory running out during the move leaves the text where it was. (What
  // the heap still has free decides whether it runs out; either way no
  // exception gets out and the text is whole.)
  DocumentWindow* tight = openFile(QStringLiteral("tight.txt"), big);
  c = tight->control();
  const long length = c->SendScintilla(QsciScintillaBase::SCI_GETLENGTH);
  const std::optional<rlimit> old = leaveAddressSpace(0);
  QVERIFY(old);
  tight->selectHighlighter(QStringLiteral("HTML"));
  setrlimit(RLIMIT_AS, &*old);
  QCOMPARE(c->SendScintilla(QsciScintillaBase::SCI_GETLENGTH), length);
  QVERIFY(ed().text() == big);
  QVERIFY(!c->modifiedFlag());
#endif
}

QTEST_MAIN(DocumentFilesTest)
#include "test_document_files.moc"
