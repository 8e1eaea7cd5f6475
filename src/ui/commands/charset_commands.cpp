// The Encoding menu ("Кодировка") and the Import / Export submenus of the
// File menu: work in a charset, convert, import, export, the code tables,
// transliteration and the transfer encodings.

#include <QFileInfo>

#include "core/charsets/charset_commands.h"
#include "core/charsets/charset_id.h"
#include "core/charsets/code_table.h"
#include "core/charsets/utf8_files.h"
#include "core/common/file_bytes.h"
#include "core/fileio/file_formats.h"
#include "core/transfer/transfer_encodings.h"
#include "ui/app/main_window.h"
#include "ui/commands/file_commands.h"
#include "ui/commands/handlers.h"
#include "ui/commands/text_command.h"
#include "ui/common/dialogs.h"
#include "ui/common/qt_text.h"
#include "ui/editor/control/editing_control.h"
#include "ui/editor/document_window.h"
#include "ui/editor/editor_interface.h"

namespace kiv {

namespace {

void workIn(MainWindow& main, std::string_view id) {
  if (main.hasDocument()) main.editor().setCharset(std::string(id));
}

void convertTo(MainWindow& main, std::string_view target) {
  DocumentWindow* doc = main.activeDocument();
  if (!doc) return;
  // Text and code page change together, as one undo step.
  const std::string text = convertDocumentCharset(doc->control()->textCrLf(), doc->charset(), target);
  doc->control()->replaceDocument(text, std::string(target));
}

// The save dialog of the exports; nullopt when cancelled.
std::optional<QString> exportFileName(MainWindow& main) {
  return chooseFileToSave(&main, QStringLiteral("Сохранить файл"), qpath(main.config().session.lastSaveFolder),
                          saveDialogFilters(), 3, QStringLiteral("txt"));
}

void exportTo(MainWindow& main, ExportCodePage target) {
  if (!main.hasDocument()) return;
  const auto file = exportFileName(main);
  if (!file) return;
  EditorInterface& ed = main.editor();
  writeDocumentText(main, spath(*file), exportToCodePage(ed.text(), ed.charset(), target));
}

// The chosen name with the extension replaced (or added).
QString withExtension(const QString& file, const QString& ext) {
  const QFileInfo info(file);
  const QString base = info.completeSuffix().isEmpty() ? info.fileName() : info.completeBaseName();
  return info.path() + QLatin1Char('/') + base + ext;
}

void exportStyled(MainWindow& main, const char* format, const char* ext) {
  if (!main.hasDocument()) return;
  const auto file = exportFileName(main);
  if (!file) return;
  main.editor().exportAs(spath(withExtension(*file, QString::fromLatin1(ext))), format);
}

// Imports make a new "win" document holding the converted file.
void importWith(MainWindow& main, const std::function<std::string(const std::string&)>& convert) {
  const auto files = chooseFilesToOpen(&main, QStringLiteral("Выбор файла:"), qpath(main.config().session.lastOpenFolder),
                                       openDialogFilter().split(QStringLiteral(";;")), false);
  if (!files || files->isEmpty()) return;
  const std::string text = convert(readFileOrThrow(spath(files->first())));
  main.newDocument();
  main.editor().setText(text);
}

void runTable(MainWindow& main, std::string_view table, bool needSelection) {
  TextCommand how;
  how.source = needSelection ? TextSource::Selection : TextSource::SelectionOrAll;
  const std::string path = main.settings().codeTablesFolder + std::string(table);
  const std::string charset = activeCharset(main);
  runTextCommand(main, how, [&](const std::string& text) {
    return TextOutcome::put(runCodeTable(text, path, charset));
  });
}

void runTransliterator(MainWindow& main, Transliterator::Direction direction) {
  TextCommand how;
  how.through1251 = true;
  runTextCommand(main, how, [&](const std::string& text) {
    main.transliterator().setDirection(direction);
    return TextOutcome::put(main.transliterator().convert(text));
  });
}

void encode(MainWindow& main, std::string (*fn)(std::string_view)) {
  runTextCommand(main, {}, [fn](const std::string& text) { return TextOutcome::put(fn(text)); });
}

void decode(MainWindow& main, const std::function<DecodeResult(std::string_view)>& fn) {
  runTextCommand(main, {}, [&](const std::string& text) {
    DecodeResult r = fn(text);
    return r.ok() ? TextOutcome::put(std::move(r.bytes)) : TextOutcome::fail(qs(r.message));
  });
}

}  // namespace

namespace cmd {

void workInDos(MainWindow& main) { workIn(main, charset::kDos); }
void workInKoi(MainWindow& main) { workIn(main, charset::kKoi); }
void workInWindows(MainWindow& main) { workIn(main, charset::kWin); }

void convertToDos(MainWindow& main) { convertTo(main, charset::kDos); }
void convertToKoi(MainWindow& main) { convertTo(main, charset::kKoi); }
void convertToWindows(MainWindow& main) { convertTo(main, charset::kWin); }

void importMac(MainWindow& main) { importWith(main, [](const std::string& b) { return importMacFile(b); }); }
void importIso(MainWindow& main) { importWith(main, [](const std::string& b) { return importIsoFile(b); }); }
void importUnicode(MainWindow& main) { importWith(main, [](const std::string& b) { return importUtf16File(b); }); }

void importUtf8(MainWindow& main) {
  std::size_t lost = 0;
  importWith(main, [&](const std::string& b) {
    Utf8Import i = importUtf8File(b);
    lost = i.unmapped + i.malformed;
    return std::move(i.text);
  });
  if (lost)
    showMessage(&main, QStringLiteral("Символов, которых нет в Windows-1251 (заменены на «?»): %1").arg(lost));
}

void exportKoi(MainWindow& main) { exportTo(main, ExportCodePage::Koi8r); }
void exportDos(MainWindow& main) { exportTo(main, ExportCodePage::Dos866); }
void exportMac(MainWindow& main) { exportTo(main, ExportCodePage::Mac); }
void exportIso(MainWindow& main) { exportTo(main, ExportCodePage::Iso88595); }
void exportHtml(MainWindow& main) { exportStyled(main, "HTML", ".htm"); }
void exportRtf(MainWindow& main) { exportStyled(main, "RTF", ".rtf"); }

void exportUnicode(MainWindow& main) {
  if (!main.hasDocument()) return;
  if (!canExportUnicode(main.editor().charset())) {
    showMessage(&main, QString::fromUtf8(kMsgCannotExportUnicode));
    return;
  }
  const auto file = exportFileName(main);
  if (!file) return;
  FileFormat* io = main.fileFormats().find("unicode");
  io->fileName = spath(*file);
  io->writeText(main.editor().text(), "unicode");
}

void exportUtf8(MainWindow& main) {
  if (!main.hasDocument()) return;
  const auto file = exportFileName(main);
  if (!file) return;
  writeFileOrThrow(spath(*file), kiv::exportUtf8(main.editor().text(), main.editor().charset()));
}

void stripWordTypography(MainWindow& main) { runTable(main, kTableWordGlux, true); }
void fixKeyboardLayout(MainWindow& main) { runTable(main, kTableKlavaEng2Rus, false); }
void fidoToPlainText(MainWindow& main) { runTable(main, kTableFido, false); }

void transliterate(MainWindow& main) { runTransliterator(main, Transliterator::Direction::RussianToLatin); }
void detransliterate(MainWindow& main) { runTransliterator(main, Transliterator::Direction::LatinToRussian); }

void decodeMime(MainWindow& main) { encode(main, [](std::string_view t) { return base64DecodeLenient(t); }); }
void encodeMime(MainWindow& main) { encode(main, [](std::string_view t) { return base64Encode(t); }); }
void encodeBase64(MainWindow& main) { encode(main, [](std::string_view t) { return base64Encode(t); }); }
void decodeBase64(MainWindow& main) { decode(main, [](std::string_view t) { return base64DecodeStrict(t); }); }
void compressRle(MainWindow& main) { encode(main, [](std::string_view t) { return rleCompress(t); }); }
void expandRle(MainWindow& main) { decode(main, [](std::string_view t) { return rleExpand(t); }); }
void encodeHex(MainWindow& main) { encode(main, [](std::string_view t) { return hexEncode(t); }); }
void decodeHex(MainWindow& main) { decode(main, [](std::string_view t) { return hexDecode(t); }); }

}  // namespace cmd
}  // namespace kiv
