// The hex editor window: opening, typing over in both areas and in other
// translations, shortening, finding, markers, options, saving, saving
// under another name, reopening and comparing bytes, unsaved changes, and
// a file of several gigabytes scrolled to its end.

#include <fcntl.h>
#include <unistd.h>

#include <QAction>
#include <QCheckBox>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QMenuBar>
#include <QMessageBox>
#include <QPushButton>
#include <QScrollBar>
#include <QTest>

#include "support/test_env.h"
#include "ui/app/main_window.h"
#include "ui/common/qt_text.h"
#include "ui/editor/control/editing_control.h"
#include "ui/editor/document_window.h"
#include "ui/editor/editor_interface.h"
#include "ui/tools/hex_editor_window.h"
#include "ui/tools/hex_find_dialog.h"
#include "ui/tools/hex_options_dialog.h"
#include "ui/tools/hex_view.h"

using namespace kiv;

class HexEditorTest : public QObject {
  Q_OBJECT
 private slots:
  void init();
  void cleanup();
  void opensFromTheMenuAndLoadsAFile();
  void saveIsDisabledWithoutAFile();
  void typesOverInHexAndCharacters();
  void typesInOtherTranslations();
  void shortensTheSelectionOrTheByteUnderTheCaret();
  void savesAndSavesAsAndReopens();
  void failedSaveIsReported();
  void findsHexAndTextWithinTheRange();
  void findRefusesBadInput();
  void markersRememberRows();
  void insertClearsTheMarks();
  void optionsApplyAndRefuse();
  void unsavedChangesAreAskedAbout();
  void scrollsAFileOfSeveralGigabytes();
  void hexBytesParse_data();
  void hexBytesParse();

 private:
  HexEditorWindow* hex() { return s_.main->tools().get<HexEditorWindow>(QStringLiteral("HexEditorWindow")); }
  HexView* view() { return hex()->view(); }
  QString file(const QString& name) { return s_.folder->file(name); }
  // Opens the file through "Файл" → "Открыть" and its dialog.
  void openThroughMenu(const QString& path);
  void key(int k, Qt::KeyboardModifiers mods = Qt::NoModifier, const QString& text = {}) {
    pressKey(view(), k, mods, text);
  }
  QAction* hexAction(const char* name) { return hex()->findChild<QAction*>(QString::fromLatin1(name)); }
  ProgramSession s_;
};

void HexEditorTest::init() { s_.start(); }
void HexEditorTest::cleanup() { s_.stop(); }

void HexEditorTest::openThroughMenu(const QString& path) {
  s_.dialogs->openAnswers.push_back(QStringList{path});
  hexAction("hexOpen")->trigger();
}

void HexEditorTest::opensFromTheMenuAndLoadsAFile() {
  QVERIFY(!hex()->isVisible());
  s_.main->action(QStringLiteral("mniHEXeditor"))->trigger();
  QVERIFY(hex()->isVisible());
  QCOMPARE(hex()->windowTitle(), QStringLiteral("HEX editor"));
  QCOMPARE(view()->rowCount(), 1u);  // one empty row before any file
  const std::string bytes(993, 'x');  // the last row starts at 0x3E0
  writeBytes(file(QStringLiteral("a.bin")), bytes);
  openThroughMenu(file(QStringLiteral("a.bin")));
  QCOMPARE(hex()->windowTitle(), file(QStringLiteral("a.bin")));
  QCOMPARE(view()->rowCount(), 63u);
  QCOMPARE(view()->offsetText(0), QStringLiteral("0x000:"));
  QCOMPARE(view()->offsetText(62), QStringLiteral("0x3E0:"));
  QCOMPARE(view()->caret(), 0u);
  // "Выход" hides the window; the file stays loaded.
  hexAction("hexExit")->trigger();
  QVERIFY(!hex()->isVisible());
  QCOMPARE(view()->document().size(), 993u);
  // A file that cannot be read loads nothing.
  openThroughMenu(file(QStringLiteral("missing.bin")));
  QCOMPARE(view()->document().fileName(), spath(file(QStringLiteral("a.bin"))));
  QVERIFY(s_.dialogs->messages.isEmpty());
  QVERIFY(hex()->findChild<QLabel*>(QStringLiteral("hexStatus"))->text().contains(QStringLiteral("missing.bin")));
}

void HexEditorTest::saveIsDisabledWithoutAFile() {
  QVERIFY(!hexAction("hexSave")->isEnabled());
  QVERIFY(!hexAction("hexSaveAs")->isEnabled());
  QVERIFY(!hex()->save());
  key(Qt::Key_A, Qt::NoModifier, QStringLiteral("a"));  // no bytes: typing does nothing
  QCOMPARE(view()->document().size(), 0u);
  writeBytes(file(QStringLiteral("a.bin")), "abc");
  openThroughMenu(file(QStringLiteral("a.bin")));
  QVERIFY(hexAction("hexSave")->isEnabled());
}

void HexEditorTest::typesOverInHexAndCharacters() {
  writeBytes(file(QStringLiteral("a.bin")), "0123456789");
  openThroughMenu(file(QStringLiteral("a.bin")));
  HexDocument& doc = view()->document();
  key(Qt::Key_4, Qt::NoModifier, QStringLiteral("4"));
  QVERIFY(view()->caretOnLowDigit());
  key(Qt::Key_G, Qt::NoModifier, QStringLiteral("g"));  // not a hex digit
  key(Qt::Key_1, Qt::NoModifier, QStringLiteral("1"));
  QCOMPARE(doc.byteAt(0), 0x41);
  QCOMPARE(view()->caret(), 1u);
  key(Qt::Key_3, Qt::NoModifier, QStringLiteral("3"));  // "3" over 0x31: unchanged, unmarked
  key(Qt::Key_1, Qt::NoModifier, QStringLiteral("1"));
  QVERIFY(doc.isChanged(0));
  QVERIFY(!doc.isChanged(1));
  // Tab goes over to the characters at the same byte.
  key(Qt::Key_Tab);
  QVERIFY(view()->caretInCharacters());
  QCOMPARE(view()->caret(), 2u);
  typeText(view(), QStringLiteral("Яz"));
  QCOMPARE(doc.byteAt(2), 0xDF);
  QCOMPARE(doc.byteAt(3), 'z');
  QCOMPARE(view()->caret(), 4u);
  // Ctrl+T goes back; Backspace moves left.
  key(Qt::Key_T, Qt::ControlModifier);
  QVERIFY(!view()->caretInCharacters());
  key(Qt::Key_Backspace);
  QCOMPARE(view()->caret(), 3u);
  QVERIFY(view()->caretOnLowDigit());
  // Delete alone does nothing; typing at the last byte stays there.
  key(Qt::Key_Delete);
  QCOMPARE(doc.size(), 10u);
  view()->setCaret(9, true);
  typeText(view(), QStringLiteral("XY"));
  QCOMPARE(doc.byteAt(9), 'Y');
  QCOMPARE(doc.size(), 10u);
  QVERIFY(doc.isModified());
  QCOMPARE(readBytes(file(QStringLiteral("a.bin"))), std::string("0123456789"));
  // The grid paints changed, selected and plain bytes.
  view()->select(0, 5);
  QVERIFY(!view()->grab().isNull());
}

void HexEditorTest::typesInOtherTranslations() {
  writeBytes(file(QStringLiteral("a.bin")), std::string(8, '\0'));
  openThroughMenu(file(QStringLiteral("a.bin")));
  auto* options = s_.main->tools().get<HexOptionsDialog>(QStringLiteral("HexOptionsDialog"));
  struct Case {
    const char* translation;
    QString typed;
    int byte;  // -1: refused
  } cases[] = {
      {"Dos", QStringLiteral("Я"), 0x9F},  {"Dos", QStringLiteral("—"), -1},   {"ASCII", QStringLiteral("Я"), -1},
      {"ASCII", QStringLiteral("k"), 'k'}, {"Mac", QStringLiteral("Д"), 0x80}, {"EBCDIC", QStringLiteral("A"), 0xC1},
      {"EBCDIC", QStringLiteral("["), -1}, {"Ansi", QStringLiteral("Ж"), 0xC6},
  };
  std::uint64_t at = 0;
  for (const auto& c : cases) {
    options->translationBox()->setCurrentText(QString::fromLatin1(c.translation));
    QCOMPARE(translationName(view()->translation()), std::string_view(c.translation));
    view()->setCaret(at, true);
    typeText(view(), c.typed);
    QCOMPARE(int(view()->document().byteAt(at)), c.byte < 0 ? 0 : c.byte);
    QCOMPARE(view()->document().isChanged(at), c.byte >= 0);
    if (c.byte >= 0) ++at;
  }
}

void HexEditorTest::shortensTheSelectionOrTheByteUnderTheCaret() {
  writeBytes(file(QStringLiteral("a.bin")), "0123456789");
  openThroughMenu(file(QStringLiteral("a.bin")));
  view()->setCaret(2, false);
  key(Qt::Key_Right, Qt::ShiftModifier);  // the low digit of byte 2
  key(Qt::Key_Right, Qt::ShiftModifier);
  key(Qt::Key_Right, Qt::ShiftModifier);
  key(Qt::Key_Right, Qt::ShiftModifier);
  QCOMPARE(view()->selection()->first, 2u);
  QCOMPARE(view()->selection()->second, 4u);
  key(Qt::Key_Delete, Qt::ControlModifier);
  QVERIFY(!view()->selection());
  QCOMPARE(view()->document().size(), 7u);
  QCOMPARE(view()->caret(), 4u);
  // No selection: the byte under the caret; past the end the caret goes back.
  view()->setCaret(6);
  key(Qt::Key_Delete, Qt::ControlModifier);
  QCOMPARE(view()->caret(), 5u);
  std::string shown(view()->document().size(), '\0');
  view()->document().read(0, shown.data(), shown.size());
  QCOMPARE(shown, std::string("015678"));
  QVERIFY(view()->document().isModified());
}

void HexEditorTest::savesAndSavesAsAndReopens() {
  const QString a = file(QStringLiteral("a.bin")), b = file(QStringLiteral("b.bin"));
  writeBytes(a, "hello, world");
  openThroughMenu(a);
  typeText(view(), QStringLiteral("48"));
  QVERIFY(hex()->save());
  QCOMPARE(readBytes(a), std::string("Hello, world"));
  QVERIFY(!view()->document().isModified());
  QVERIFY(!view()->document().isChanged(0));
  // "Сохранить как": the caption and the file take the new name...
  view()->setCaret(7, true);
  typeText(view(), QStringLiteral("W"));
  s_.dialogs->saveAnswers.push_back(b);
  hexAction("hexSaveAs")->trigger();
  QCOMPARE(hex()->windowTitle(), b);
  QCOMPARE(readBytes(b), std::string("Hello, World"));
  QCOMPARE(readBytes(a), std::string("Hello, world"));
  // ...and "Сохранить" writes to it from then on.
  view()->setCaret(5);
  key(Qt::Key_Delete, Qt::ControlModifier);
  hexAction("hexSave")->trigger();
  QCOMPARE(readBytes(b), std::string("Hello World"));
  QCOMPARE(readBytes(a), std::string("Hello, world"));
  // Reopened, the bytes are the saved ones.
  openThroughMenu(a);
  openThroughMenu(b);
  std::string shown(view()->document().size(), '\0');
  view()->document().read(0, shown.data(), shown.size());
  QCOMPARE(shown, readBytes(b));
  QVERIFY(s_.dialogs->questions.isEmpty());
}

void HexEditorTest::failedSaveIsReported() {
  const QString a = file(QStringLiteral("a.bin"));
  writeBytes(a, "abc");
  openThroughMenu(a);
  typeText(view(), QStringLiteral("58"));
  s_.dialogs->saveAnswers.push_back(file(QStringLiteral("no/such/folder/x.bin")));
  QVERIFY(!hex()->saveAs());
  QCOMPARE(s_.dialogs->messages.size(), 1);
  QVERIFY(s_.dialogs->messages[0].startsWith(QStringLiteral("Не удалось сохранить файл")));
  QVERIFY(view()->document().isChanged(0));
  QCOMPARE(hex()->windowTitle(), a);
  QCOMPARE(readBytes(a), std::string("abc"));
}

void HexEditorTest::findsHexAndTextWithinTheRange() {
  std::string bytes(3000, '.');
  bytes.replace(100, 4, "MZ\x90\x00", 4);
  bytes.replace(2000, 6, "Привет");
  bytes.replace(2000, 6, w1251("Привет"));
  writeBytes(file(QStringLiteral("a.bin")), bytes);
  openThroughMenu(file(QStringLiteral("a.bin")));
  hexAction("hexFind")->trigger();
  auto* find = s_.main->tools().get<HexFindDialog>(QStringLiteral("HexFindDialog"));
  QVERIFY(find->isVisible());
  QCOMPARE(find->windowTitle(), QStringLiteral("HEx find"));
  QCOMPARE(find->fromEdit()->text(), QStringLiteral("0"));
  struct Case {
    QString pattern, from, to;
    bool text, ignoreCase;
    qint64 caret;  // -1: not found, the caret stays
  } cases[] = {
      {QStringLiteral("4D 5A90"), QStringLiteral("0"), QStringLiteral("0"), false, false, -1},  // 0 and 0
      {QStringLiteral("4D 5A90"), QStringLiteral("0"), QStringLiteral("99999"), false, false, 100},
      {QStringLiteral("4d5a"), QStringLiteral("-40"), QStringLiteral("101"), false, false, 100},  // negative "from"
      {QStringLiteral("4d5a"), QStringLiteral("101"), QStringLiteral("3000"), false, false, -1},
      {QStringLiteral("привет"), QStringLiteral("0"), QStringLiteral("5000"), true, false, -1},
      {QStringLiteral("привет"), QStringLiteral("0"), QStringLiteral("5000"), true, true, 2000},
      {QStringLiteral("Привет"), QStringLiteral("0"), QStringLiteral("2004"), true, false, -1},  // ends past "to"
  };
  for (const auto& c : cases) {
    view()->setCaret(7);
    find->patternBox()->setEditText(c.pattern);
    find->fromEdit()->setText(c.from);
    find->toEdit()->setText(c.to);
    find->textBox()->setChecked(c.text);
    find->ignoreCaseBox()->setChecked(c.ignoreCase);
    find->findButton()->click();
    QCOMPARE(qint64(view()->caret()), c.caret < 0 ? 7 : c.caret);
    QCOMPARE(find->resultLabel()->text().startsWith(QStringLiteral("Найдено")), c.caret >= 0);
  }
  QVERIFY(s_.dialogs->messages.isEmpty());
  QVERIFY(find->patternBox()->findText(QStringLiteral("привет")) >= 0);  // the history
  // Text in the Dos translation is looked for as DOS bytes.
  writeBytes(file(QStringLiteral("d.bin")), std::string("xx\x8F\xE0\xA8\xA2\xA5\xE2", 8));
  openThroughMenu(file(QStringLiteral("d.bin")));
  s_.main->tools().get<HexOptionsDialog>(QStringLiteral("HexOptionsDialog"))->translationBox()->setCurrentText(QStringLiteral("Dos"));
  find->patternBox()->setEditText(QStringLiteral("Привет"));
  find->fromEdit()->setText(QStringLiteral("0"));
  find->toEdit()->setText(QStringLiteral("100"));
  find->textBox()->setChecked(true);
  find->ignoreCaseBox()->setChecked(false);
  find->findButton()->click();
  QCOMPARE(view()->caret(), 2u);
}

void HexEditorTest::findRefusesBadInput() {
  writeBytes(file(QStringLiteral("a.bin")), "abc");
  openThroughMenu(file(QStringLiteral("a.bin")));
  auto* find = s_.main->tools().get<HexFindDialog>(QStringLiteral("HexFindDialog"));
  find->patternBox()->setEditText(QStringLiteral("4G"));
  find->toEdit()->setText(QStringLiteral("10"));
  find->findButton()->click();
  QCOMPARE(s_.dialogs->messages.size(), 1);
  QVERIFY(s_.dialogs->messages[0].contains(QStringLiteral("4G")));
  find->patternBox()->setEditText(QStringLiteral("61"));
  find->toEdit()->setText(QStringLiteral("ten"));
  find->findButton()->click();
  QCOMPARE(s_.dialogs->messages.last(), QStringLiteral("'ten' is not a valid integer value"));
  QCOMPARE(view()->caret(), 0u);
}

void HexEditorTest::markersRememberRows() {
  writeBytes(file(QStringLiteral("a.bin")), std::string(200, 'm'));
  openThroughMenu(file(QStringLiteral("a.bin")));
  view()->setCaret(37);
  key(Qt::Key_3, Qt::ControlModifier | Qt::ShiftModifier);
  QCOMPARE(view()->marker(3), std::optional<std::uint64_t>(2));
  view()->setCaret(150);
  key(Qt::Key_NumberSign, Qt::ControlModifier | Qt::ShiftModifier);  // Shift+3 as the keyboard reports it
  key(Qt::Key_7, Qt::ControlModifier | Qt::ShiftModifier);
  QCOMPARE(view()->marker(3), std::optional<std::uint64_t>(9));
  QCOMPARE(view()->marker(7), std::optional<std::uint64_t>(9));
  view()->setCaret(0);
  key(Qt::Key_7, Qt::ControlModifier);
  QCOMPARE(view()->caret(), 144u);
  key(Qt::Key_5, Qt::ControlModifier);  // unset: nothing
  QCOMPARE(view()->caret(), 144u);
  QVERIFY(!view()->grab().isNull());
}

void HexEditorTest::insertClearsTheMarks() {
  writeBytes(file(QStringLiteral("a.bin")), "abcdef");
  openThroughMenu(file(QStringLiteral("a.bin")));
  typeText(view(), QStringLiteral("4142"));
  QVERIFY(view()->document().isChanged(1));
  key(Qt::Key_Insert);
  QVERIFY(!view()->document().isChanged(0));
  QVERIFY(!view()->document().isChanged(1));
  QCOMPARE(view()->document().byteAt(1), 'B');
  typeText(view(), QStringLiteral("43"));  // typing still overwrites
  QCOMPARE(view()->document().byteAt(2), 'C');
  QCOMPARE(view()->document().size(), 6u);
}

void HexEditorTest::optionsApplyAndRefuse() {
  writeBytes(file(QStringLiteral("a.bin")), std::string(100, 'o'));
  openThroughMenu(file(QStringLiteral("a.bin")));
  hexAction("hexOptions")->trigger();
  auto* options = s_.main->tools().get<HexOptionsDialog>(QStringLiteral("HexOptionsDialog"));
  QVERIFY(options->isVisible());
  QCOMPARE(options->windowTitle(), QStringLiteral("HEX Editor optz"));
  QCOMPARE(options->translationBox()->currentText(), QStringLiteral("Ansi"));
  view()->setCaret(50);
  struct Case {
    bool perLine;
    QString text;
    QString message;  // empty: applied
    int expected;
  } cases[] = {
      {true, QStringLiteral("8"), {}, 8},
      {true, QStringLiteral("256"), {}, 256},
      {true, QStringLiteral("300"), QStringLiteral("Invalid BytesPerLine argument"), 256},
      {true, QStringLiteral("0"), QStringLiteral("Invalid BytesPerLine argument"), 256},
      {true, QStringLiteral("abc"), QStringLiteral("'abc' is not a valid integer value"), 256},
      {true, QStringLiteral("1"), {}, 1},
      {false, QStringLiteral("4"), {}, 4},
      {false, QStringLiteral("0"), QStringLiteral("Invalid BytesPerColumn argument"), 4},
      {false, QStringLiteral("-3"), QStringLiteral("Invalid BytesPerColumn argument"), 4},
      {false, QStringLiteral(""), {}, 4},  // an empty edit: nothing
  };
  for (const auto& c : cases) {
    s_.dialogs->messages.clear();
    (c.perLine ? options->bytesPerLineEdit() : options->bytesPerColumnEdit())->setText(c.text);
    (c.perLine ? options->setBytesPerLineButton() : options->setBytesPerColumnButton())->click();
    QCOMPARE(s_.dialogs->messages.value(0), c.message);
    QCOMPARE(c.perLine ? view()->bytesPerLine() : view()->bytesPerColumn(), c.expected);
    QCOMPARE(view()->caret(), 50u);  // the caret keeps its byte
  }
  QCOMPARE(view()->rowCount(), 100u);
  options->translationBox()->setCurrentText(QStringLiteral("EBCDIC"));
  QCOMPARE(view()->translation(), ByteTranslation::Ebcdic);
  QVERIFY(!view()->grab().isNull());
}

void HexEditorTest::unsavedChangesAreAskedAbout() {
  const QString a = file(QStringLiteral("a.bin")), b = file(QStringLiteral("b.bin"));
  writeBytes(a, "aaaa");
  writeBytes(b, "bbbb");
  openThroughMenu(a);
  typeText(view(), QStringLiteral("31"));
  // Cancel keeps the file and the edit.
  s_.dialogs->answers = {QMessageBox::Cancel};
  openThroughMenu(b);
  QCOMPARE(s_.dialogs->questions.size(), 1);
  QVERIFY(s_.dialogs->questions[0].contains(QStringLiteral("a.bin")));
  QCOMPARE(view()->document().fileName(), spath(a));
  QCOMPARE(view()->document().byteAt(0), '1');
  // Yes saves, then opens.
  s_.dialogs->answers = {QMessageBox::Yes};
  openThroughMenu(b);
  QCOMPARE(readBytes(a), std::string("1aaa"));
  QCOMPARE(view()->document().fileName(), spath(b));
  // Closing the program asks too; Cancel keeps it running.
  typeText(view(), QStringLiteral("32"));
  s_.dialogs->answers = {QMessageBox::Cancel};
  s_.main->close();
  QVERIFY(s_.main->isVisible());
  // No drops the edit and the program closes.
  s_.dialogs->answers = {QMessageBox::No};
  s_.main->close();
  QVERIFY(!s_.main->isVisible());
  QCOMPARE(readBytes(b), std::string("bbbb"));
}

void HexEditorTest::scrollsAFileOfSeveralGigabytes() {
  const QString big = file(QStringLiteral("big.bin"));
  const std::uint64_t size = (5ull << 30) + 7;
  const int fd = ::open(big.toLocal8Bit().constData(), O_CREAT | O_WRONLY, 0644);
  QVERIFY(fd >= 0);
  if (::ftruncate(fd, static_cast<off_t>(size)) != 0) {
    ::close(fd);
    QSKIP("no sparse files here");
  }
  QCOMPARE(::pwrite(fd, "TAIL", 4, static_cast<off_t>(size - 4)), ssize_t(4));
  ::close(fd);
  s_.main->action(QStringLiteral("mniHEXeditor"))->trigger();
  openThroughMenu(big);
  QCOMPARE(view()->document().size(), size);
  // One byte a row: more rows than a scroll bar counts.
  view()->setBytesPerLine(1);
  QCOMPARE(view()->rowCount(), size);
  key(Qt::Key_End, Qt::ControlModifier);
  QCOMPARE(view()->caret(), size - 1);
  QVERIFY(view()->topRow() + std::uint64_t(view()->visibleRows()) >= size);
  QScrollBar* bar = view()->verticalScrollBar();
  QVERIFY(bar->maximum() > 0);
  QCOMPARE(bar->value(), bar->maximum());
  QCOMPARE(view()->offsetText(size - 1), QStringLiteral("0x140000006:"));
  QVERIFY(!view()->grab().isNull());
  // The scroll bar moved to its middle shows the middle of the file.
  bar->setValue(bar->maximum() / 2);
  QVERIFY(view()->topRow() > (size / 2) - (size / 100) && view()->topRow() < (size / 2) + (size / 100));
  key(Qt::Key_Home, Qt::ControlModifier);
  QCOMPARE(view()->topRow(), 0u);
  QCOMPARE(bar->value(), 0);
  // Sixteen bytes a row: the caret keeps its byte.
  view()->setCaret(size - 2);
  view()->setBytesPerLine(16);
  QCOMPARE(view()->caret(), size - 2);
  QCOMPARE(view()->document().bytesAt(size - 4, 4), std::string_view("TAIL"));
}

void HexEditorTest::hexBytesParse_data() {
  QTest::addColumn<QString>("text");
  QTest::addColumn<QByteArray>("bytes");
  QTest::addColumn<bool>("ok");
  QTest::newRow("pairs") << QStringLiteral("4D 5a 90") << QByteArray("\x4D\x5A\x90") << true;
  QTest::newRow("run") << QStringLiteral("00ff") << QByteArray("\x00\xFF", 2) << true;
  QTest::newRow("empty") << QString() << QByteArray() << true;
  QTest::newRow("lone digit") << QStringLiteral("4 D") << QByteArray() << false;
  QTest::newRow("odd") << QStringLiteral("ABC") << QByteArray() << false;
  QTest::newRow("letter") << QStringLiteral("zz") << QByteArray() << false;
  QTest::newRow("cyrillic") << QStringLiteral("аб") << QByteArray() << false;
}

void HexEditorTest::hexBytesParse() {
  QFETCH(QString, text);
  QFETCH(QByteArray, bytes);
  QFETCH(bool, ok);
  const auto parsed = parseHexBytes(text);
  QCOMPARE(parsed.has_value(), ok);
  if (ok) QCOMPARE(qbytes(*parsed), bytes);
}

QTEST_MAIN(HexEditorTest)
#include "test_hex_editor.moc"
