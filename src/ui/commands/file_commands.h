#pragma once
// File commands shared with the main window: the open routine's helpers,
// saving, recent files and dropped files.

#include <QStringList>
#include <string>

#include "core/charsets/utf8_files.h"

namespace kiv {

class TMainForm;
class Ted;

// Writes the document's whole text to a file with the "std_txt" format.
// Throws FileError on failure.
void writeDocumentText(TMainForm& main, const std::string& fileName, const std::string& text);
// Saves every document that has a file, last MDI child first, with the
// questions of saveDocumentFile; failures are reported and the other
// documents are still saved.
void saveAllDocuments(TMainForm& main);
// Reopens a recent file and scrolls it to its remembered top line.
void openRecent(TMainForm& main, const std::string& fileName);
// Opens dropped files or inserts image tags for dropped pictures.
void dropFiles(TMainForm& main, const QStringList& files);
// What the open routine puts into a new document: the file's text (a UTF-8
// file converted to Windows-1251 when automatic detection is on) and what
// detection decided.
struct OpenedText {
  std::string text;
  OpenedFileKind kind = OpenedFileKind::Other;
  TextFileShape shape;
};
OpenedText prepareOpenedText(TMainForm& main, const std::string& fileBytes);
// After the text went into the document: the charset and the file format.
void applyOpenedText(TMainForm& main, Ted* doc, const OpenedText& opened);
// Writes a document's text to a file in the document's file format (UTF-8
// for a document read from UTF-8, plain text otherwise). Throws FileError.
void saveDocumentTo(TMainForm& main, Ted* doc, const std::string& fileName);
// The backup copy ("Копия " + name, beside the file).
void writeBackupCopy(TMainForm& main, Ted* doc);
// A version of a closing document, when versions are saved on close.
void saveVersionOnClose(TMainForm& main, const std::string& fileName);
// The open and save dialogs' filters.
QString openDialogFilter();
QStringList saveDialogFilters();
// Save As on the active document with a chosen name (no dialog); false when
// the write failed (names and lists then stay as they were).
bool saveActiveAs(TMainForm& main, const QString& fileName);
// The Linux stand-ins for the Windows system files (empty when missing).
QString systemFile(const QString& which);
// The system-file items are enabled only for files that exist here.
void updateSystemFileItems(TMainForm& main);

}  // namespace kiv
