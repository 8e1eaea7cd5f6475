// The Encoding menu, imports and exports, detection on opening (UTF-8 files
// too), code tables, transliteration, transfer encodings, templates, backups
// and versions, run through the command table as the menu runs them.

#include <QAction>
#include <QDir>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QMessageBox>
#include <QStatusBar>
#include <QTest>

#include "core/charsets/cyrillic_conversions.h"
#include "core/fileio/file_formats.h"
#include "support/test_env.h"
#include "ui/app/main_window.h"
#include "ui/commands/command_dispatch.h"
#include "ui/commands/command_table.h"
#include "ui/common/sound_player.h"
#include "ui/editor/control/editing_control.h"
#include "ui/editor/document_window.h"
#include "ui/editor/editor_interface.h"

using namespace kiv;

class CharsetCommandsTest : public QObject {
  Q_OBJECT
 private slots:
  void init();
  void cleanup();
  void workInChangesOnlyTheReading();
  void convertToDosPatchesDashesOnceAndUndoes();
  void convertToSameCharsetChangesNothing();
  void exportsWriteTheirCodePages();
  void unicodeExportOnlyFromWindows1251();
  void importsMakeNewDocumentsWithoutStraySpace();
  void detectionOnOpen();
  void utf8FileOpensConvertedAndSavesBackAsUtf8();
  void utf8FileWithForeignCharactersOpensAsBytes();
  void codeTables();
  void transliterationBothWays();
  void transferEncodingsAndTheirErrors();
  void templatesAndBackups();
  void versions();

 private:
  DocumentWindow* openFile(const QString& name, const std::string& bytes);
  void run(const char* component) { runCommand(*main_, *findCommand(component)); }
  ProgramSession s_;
  std::unique_ptr<ScriptedDialogs>& dialogs_ = s_.dialogs;
  std::unique_ptr<ProgramFolder>& folder_ = s_.folder;
  std::unique_ptr<MainWindow>& main_ = s_.main;
  EditorInterface& ed() { return main_->editor(); }
};

void CharsetCommandsTest::init() {
  s_.start();
}

void CharsetCommandsTest::cleanup() { s_.stop(); }

DocumentWindow* CharsetCommandsTest::openFile(const QString& name, const std::string& bytes) {
  writeBytes(folder_->file(name), bytes);
  return main_->openFile(folder_->file(name));
}

void CharsetCommandsTest::workInChangesOnlyTheReading() {
  main_->newDocument();
  const std::string text = w1251("Привет\r\n");
  ed().setText(text);
  run("DOS8661");
  QCOMPARE(ed().charset(), std::string("dos"));
  QCOMPARE(ed().text(), text);
  ed().setText("");
  typeText(main_->activeDocument()->control(), QStringLiteral("а"));
  QCOMPARE(ed().text(), std::string("\xA0\r\n"));
  run("KOI8R1");
  QCOMPARE(ed().charset(), std::string("koi"));
  run("WindowsCP1");
  QCOMPARE(ed().charset(), std::string("win"));
  QCOMPARE(ed().text(), std::string("\xA0\r\n"));
}

void CharsetCommandsTest::convertToDosPatchesDashesOnceAndUndoes() {
  main_->newDocument();
  const std::string text = w1251("Ч — а —б Ч \r\n");
  ed().setText(text);
  ed().setModified(false);
  run("DOS8662");
  std::string expected = text;
  dosFromWin(expected);
  expected[2] = '\xC4';  // the dash followed by a space only
  QCOMPARE(ed().text(), expected);
  QCOMPARE(ed().charset(), std::string("dos"));
  QCOMPARE(main_->activeDocument()->control()->text(), QStringLiteral("Ч ─ а —б Ч ").replace(QStringLiteral("—б"), QStringLiteral("Чб")));
  // One undo step gives back the text and the charset.
  ed().undo();
  QCOMPARE(ed().text(), text);
  QCOMPARE(main_->activeDocument()->control()->text(), QStringLiteral("Ч — а —б Ч "));
}

void CharsetCommandsTest::convertToSameCharsetChangesNothing() {
  main_->newDocument();
  ed().setCharset("koi");
  const std::string text = "\xF0\xD2\xC9\xD7\xC5\xD4\r\n";
  ed().setText(text);
  run("KOI8R2");
  QCOMPARE(ed().text(), text);
  QCOMPARE(ed().charset(), std::string("koi"));
  run("Windows12511");
  QCOMPARE(ed().text(), w1251("Привет\r\n"));
  QCOMPARE(ed().charset(), std::string("win"));
}

void CharsetCommandsTest::exportsWriteTheirCodePages() {
  main_->newDocument();
  ed().setCharset("dos");
  std::string dos = w1251("Ёж\r\n");
  dosFromWin(dos);
  ed().setText(dos);
  const QString out = folder_->file(QStringLiteral("out.txt"));
  const struct {
    const char* component;
    std::string expected;
  } rows[] = {
      {"mniDOS2", dos},
      {"mniKOI8Rus2", "\xB3\xD6\r\n"},
      {"mniMAC1", "\xDD\xE6\r\n"},
      {"mniISO885952", "\xA1\xD6\r\n"},
  };
  for (const auto& r : rows) {
    dialogs_->saveAnswers = {out};
    run(r.component);
    QCOMPARE(readBytes(out), r.expected);
  }
  QCOMPARE(ed().text(), dos);  // the document stays as it was
  QCOMPARE(ed().charset(), std::string("dos"));
  dialogs_->saveAnswers = {folder_->file(QStringLiteral("page.txt"))};
  run("mniHTML2");
  QVERIFY(QFile::exists(folder_->file(QStringLiteral("page.htm"))));
  dialogs_->saveAnswers = {folder_->file(QStringLiteral("noext"))};
  run("mniRTF1");
  QVERIFY(QFile::exists(folder_->file(QStringLiteral("noext.rtf"))));
  dialogs_->saveAnswers = {std::nullopt};
  run("mniKOI8Rus2");  // cancelled: nothing written
  dialogs_->saveAnswers = {folder_->file(QStringLiteral("u8.txt"))};
  run("mniUtf8Export");
  QCOMPARE(readBytes(folder_->file(QStringLiteral("u8.txt"))), std::string("Ёж\r\n"));
}

void CharsetCommandsTest::unicodeExportOnlyFromWindows1251() {
  main_->newDocument();
  ed().setCharset("koi");
  run("mniUnicode2");
  QCOMPARE(dialogs_->messages, QStringList{QStringLiteral("Не умею экспортировать из ТЕКУЩЕЙ КОДИРОВКИ.")});
  QVERIFY(dialogs_->dialogTitles.isEmpty());
  ed().setCharset("win");
  ed().setText(w1251("Да"));
  dialogs_->saveAnswers = {folder_->file(QStringLiteral("u16.txt"))};
  run("mniUnicode2");
  QCOMPARE(readBytes(folder_->file(QStringLiteral("u16.txt"))), std::string("\x14\x04\x30\x04\r\0\n\0", 8));
}

void CharsetCommandsTest::importsMakeNewDocumentsWithoutStraySpace() {
  writeBytes(folder_->file(QStringLiteral("u16.txt")), std::string("\xFF\xFE\x14\x04\x30\x04", 6));
  dialogs_->openAnswers = {QStringList{folder_->file(QStringLiteral("u16.txt"))}};
  run("mniUnicode1");
  QCOMPARE(ed().text(), w1251("Да\r\n"));
  QCOMPARE(ed().fileName(), std::string("untitled0"));
  QVERIFY(!ed().hasFile());
  QCOMPARE(ed().charset(), std::string("win"));
  writeBytes(folder_->file(QStringLiteral("mac.txt")), "\xDD\x8E\xE0\r\n");
  dialogs_->openAnswers = {QStringList{folder_->file(QStringLiteral("mac.txt"))}};
  run("mniMac2");
  QCOMPARE(ed().text(), w1251("ЁОа\r\n"));
  writeBytes(folder_->file(QStringLiteral("iso.txt")), "\xA1\xB0\xEF");
  dialogs_->openAnswers = {QStringList{folder_->file(QStringLiteral("iso.txt"))}};
  run("mniISO885951");
  QCOMPARE(ed().text(), w1251("ЁАя\r\n"));
  writeBytes(folder_->file(QStringLiteral("u8.txt")), "Щи\xE2\x82\xAC\xE4\xB8\xAD\n");
  dialogs_->openAnswers = {QStringList{folder_->file(QStringLiteral("u8.txt"))}};
  run("mniUtf8Import");
  QCOMPARE(ed().text(), w1251("Щи€?\r\n"));
  QCOMPARE(dialogs_->messages.size(), 1);
  QCOMPARE(main_->documentArea()->subWindowList().size(), 4);
  dialogs_->openAnswers = {std::nullopt};
  run("mniMac2");
  QCOMPARE(main_->documentArea()->subWindowList().size(), 4);
}

void CharsetCommandsTest::detectionOnOpen() {
  main_->settings().detectEncoding = true;
  std::string koi = w1251("Он и она пошли домой, и был вечер.\r\n");
  koiFromWin(koi);
  openFile(QStringLiteral("koi.txt"), koi);
  QCOMPARE(ed().charset(), std::string("koi"));
  QCOMPARE(ed().text(), koi);  // bytes are not converted
  openFile(QStringLiteral("win.txt"), w1251("Ёлка стоит в углу, а ёжик спит.\r\n"));
  QCOMPARE(ed().charset(), std::string("win"));
  std::string dos = w1251("Привет, как твои дела? Всё хорошо.\r\n");
  dosFromWin(dos);
  openFile(QStringLiteral("dos.txt"), dos);
  QCOMPARE(ed().charset(), std::string("dos"));
  main_->settings().detectEncoding = false;
  openFile(QStringLiteral("koi2.txt"), koi);
  QCOMPARE(ed().charset(), std::string("win"));
}

void CharsetCommandsTest::utf8FileOpensConvertedAndSavesBackAsUtf8() {
  main_->settings().detectEncoding = true;
  const std::string original = "\xEF\xBB\xBFЗдравствуй, мир!\nВторая строка без конца";
  DocumentWindow* doc = openFile(QStringLiteral("u8.txt"), original);
  QVERIFY(doc);
  QCOMPARE(ed().charset(), std::string("win"));
  QCOMPARE(ed().text(), w1251("Здравствуй, мир!\r\nВторая строка без конца\r\n"));
  QCOMPARE(main_->statusPanel(2), QStringLiteral("UTF-8"));
  QVERIFY(!ed().isModified());
  // Save without a change: byte for byte the same file.
  run("mniSave");
  QCOMPARE(readBytes(folder_->file(QStringLiteral("u8.txt"))), original);
  // An edit changes only itself.
  doc->control()->moveCaretTo(0, 0);
  typeText(doc->control(), QStringLiteral("Ну, "));
  run("mniSave");
  QCOMPARE(readBytes(folder_->file(QStringLiteral("u8.txt"))),
           std::string("\xEF\xBB\xBFНу, Здравствуй, мир!\nВторая строка без конца"));
}

void CharsetCommandsTest::utf8FileWithForeignCharactersOpensAsBytes() {
  main_->settings().detectEncoding = true;
  const std::string bytes = "Привет 中文\r\n";
  openFile(QStringLiteral("cjk.txt"), bytes);
  QCOMPARE(ed().text(), bytes);
  QVERIFY(main_->statusBar()->currentMessage().contains(QStringLiteral("UTF-8")));
  QVERIFY(!main_->activeDocument()->fileShape().utf8);
}

void CharsetCommandsTest::codeTables() {
  main_->newDocument();
  ed().setText(",eltn lj,fdkty\r\n");
  run("mniAntiword");  // needs a selection
  QCOMPARE(ed().text(), std::string(",eltn lj,fdkty\r\n"));
  run("mniFixEnc");
  QCOMPARE(ed().text(), w1251("будет добавлен\r\n"));
  ed().setText(w1251("«Кавычки» — и…\r\n"));
  main_->activeDocument()->control()->selectAll();
  run("mniAntiword");
  QCOMPARE(ed().text(), std::string("\"") + w1251("Кавычки") + "\" - " + w1251("и") + "...\r\n");
  // A missing table: the message, the document unchanged.
  main_->settings().codeTablesFolder = folder_->file(QStringLiteral("none/")).toStdString();
  ed().setText("abc\r\n");
  ed().setModified(false);
  run("mniFido2norm");
  QCOMPARE(dialogs_->messages.size(), 1);
  QVERIFY(dialogs_->messages.first().startsWith(QStringLiteral("Cannot open file ")));
  QCOMPARE(ed().text(), std::string("abc\r\n"));
  QVERIFY(!ed().isModified());
}

void CharsetCommandsTest::transliterationBothWays() {
  main_->newDocument();
  ed().setText(w1251("Щука и Хек\r\n"));
  run("mniTranslit");
  QCOMPARE(ed().text(), std::string("Sjuka i Xek\r\n"));
  run("mniDeTranslit");
  QCOMPARE(ed().text(), w1251("Щука и Хек\r\n"));
  ed().undo();
  QCOMPARE(ed().text(), std::string("Sjuka i Xek\r\n"));
  // A DOS document: the letters the user sees.
  ed().setCharset("dos");
  std::string dos = w1251("Хек\r\n");
  dosFromWin(dos);
  ed().setText(dos);
  run("mniTranslit");
  QCOMPARE(ed().text(), std::string("Xek\r\n"));
}

void CharsetCommandsTest::transferEncodingsAndTheirErrors() {
  main_->newDocument();
  std::string all;
  for (int b = 0; b < 256; ++b)
    if (b != '\r' && b != '\n') all += static_cast<char>(b);
  ed().setText(all);
  const std::string whole = ed().text();
  for (const auto& pair : {std::pair{"MIME2", "MIME1"}, std::pair{"Base64decode1", "base64Encode1"},
                           std::pair{"RLE1", "RLE2"}, std::pair{"HEX3", "HEXchar1"}}) {
    ed().setText(all);
    run(pair.first);
    QVERIFY(ed().text() != whole);
    // Strict Base64 and hexadecimal want the encoded line without the final line break.
    const std::string encoded = ed().text();
    const std::string_view code(pair.first);
    if (code == "Base64decode1" || code == "HEX3")
      main_->activeDocument()->control()->setSelection(0, 0, 0, static_cast<int>(encoded.size() - 2));
    run(pair.second);
    // The decoded text closes its last line; where it replaced the selected
    // line, an empty line follows it.
    const bool selected = code == "Base64decode1" || code == "HEX3";
    QVERIFY2(ed().text() == (selected ? whole + "\r\n" : whole), pair.first);
  }
  ed().setText("not base64 at all!");
  ed().setModified(false);
  run("base64Encode1");
  QCOMPARE(dialogs_->messages.size(), 1);
  QCOMPARE(dialogs_->messages.first(), QStringLiteral("Формат строки не соответствует способу кодирования Base64."));
  QCOMPARE(ed().text(), std::string("not base64 at all!\r\n"));
  QVERIFY(!ed().isModified());
  ed().setText("\x7F");
  ed().setModified(false);
  main_->activeDocument()->control()->selectAll();
  run("RLE2");
  QCOMPARE(dialogs_->messages.size(), 2);
  QVERIFY(!ed().isModified());
}

void CharsetCommandsTest::templatesAndBackups() {
  writeBytes(QString::fromStdString(main_->settings().templatesFolder) + QStringLiteral("letter.txt"), "Dear sir,\r\n");
  const std::string openDirBefore = main_->config().session.lastOpenFolder;
  dialogs_->openAnswers = {QStringList{QString::fromStdString(main_->settings().templatesFolder) + "letter.txt"}};
  run("mniNewFromTemplate");
  QVERIFY(dialogs_->dialogTitles.last().endsWith(QString::fromStdString(main_->settings().templatesFolder)));
  QCOMPARE(ed().text(), std::string("Dear sir,\r\n"));
  QCOMPARE(ed().fileName(), std::string("untitled0"));
  QVERIFY(!ed().hasFile());
  QCOMPARE(main_->config().session.lastOpenFolder, openDirBefore);
  // Save as template writes the file and the document takes its name.
  dialogs_->saveAnswers = {QString::fromStdString(main_->settings().templatesFolder) + "mine.txt"};
  run("mniSaveAsTemplate");
  QCOMPARE(readBytes(QString::fromStdString(main_->settings().templatesFolder) + "mine.txt"), std::string("Dear sir,\r\n"));
  QVERIFY(ed().hasFile());
  // Backups: none for an untitled document; one beside a file.
  main_->newDocument();
  run("mniSaveCopy");
  QVERIFY(!QFile::exists(folder_->file(QStringLiteral("Копия untitled1"))));
  openFile(QStringLiteral("a.txt"), "version one\r\n");
  run("mniSaveCopy");
  QCOMPARE(readBytes(folder_->file(QStringLiteral("Копия a.txt"))), std::string("version one\r\n"));
  QVERIFY(!ed().isModified());
  run("mniLoadCopy");
  QCOMPARE(QString::fromStdString(ed().fileName()), folder_->file(QStringLiteral("Копия a.txt")));
  // Every shipped template opens.
  const QStringList shipped = QDir(QString::fromStdString(main_->settings().templatesFolder)).entryList(QDir::Files);
  QVERIFY(shipped.size() >= 4);
}

void CharsetCommandsTest::versions() {
  VersionOptions& o = main_->settings().versions;
  o.addNamePrefix = true;
  o.namePrefix = "v1.0";
  o.convertCharset = true;
  o.targetCharset = "dos";
  openFile(QStringLiteral("doc.txt"), w1251("Текст\r\n"));
  run("mniSaveVersion");
  QStringList versions = QDir(folder_->path()).entryList(QStringList{QStringLiteral("v1-0date-*doc.txt")});
  QCOMPARE(versions.size(), 1);
  std::string dos = w1251("Текст\r\n");
  dosFromWin(dos);
  QCOMPARE(readBytes(folder_->file(versions.first())), dos);
  QCOMPARE(ed().text(), w1251("Текст\r\n"));
  QVERIFY(!versions.first().contains(QLatin1Char(':')));
  // On close: a file gets one, an untitled document none, and a failed
  // write never keeps a document open.
  o.saveOnClose = true;
  o.addNamePrefix = false;
  o.copyToFolder = true;
  o.copyFolder = folder_->file(QStringLiteral("copies")).toStdString();
  QDir().mkpath(folder_->file(QStringLiteral("copies")));
  QVERIFY(main_->activeDocument()->subWindow()->close());
  QCOMPARE(QDir(folder_->file(QStringLiteral("copies"))).entryList(QDir::Files).size(), 1);
  main_->newDocument();
  QVERIFY(main_->activeDocument()->subWindow()->close());
  QCOMPARE(QDir(folder_->file(QStringLiteral("copies"))).entryList(QDir::Files).size(), 1);
  o.saveInSameFolder = false;
  o.copyFolder = std::string("/proc");
  DocumentWindow* t = openFile(QStringLiteral("other.txt"), "x\r\n");
  QVERIFY(t->subWindow()->close());
}

QTEST_MAIN(CharsetCommandsTest)
#include "test_charset_commands.moc"
