#pragma once
// File commands shared with the main window: the open routine's helpers,
// saving, recent files and dropped files.

#include <QStringList>
#include <optional>
#include <string>

#include "core/fileio/document_file.h"
#include "core/fileio/document_file_stream.h"

namespace kiv {

class MainWindow;
class DocumentWindow;

// Writes the document's whole text to a file with the "std_txt" format.
// Throws FileError on failure.
void writeDocumentText(MainWindow& main, const std::string& fileName, const std::string& text);
// Saves every document that has a file, last MDI child first, with the
// questions of saveDocumentFile; failures are reported and the other
// documents are still saved.
void saveAllDocuments(MainWindow& main);
// Reopens a recent file and scrolls it to its remembered top line.
void openRecent(MainWindow& main, const std::string& fileName);
// Opens dropped files or inserts image tags for dropped pictures.
void dropFiles(MainWindow& main, const QStringList& files);
// Opening a file's text, the one way text comes from disk (open, drop,
// command line, recent list, revert, backup copy, templates): the file is
// read in blocks, first to learn what it is, then into the document. A file
// that cannot be read, or does not fit in memory, is reported and gives
// nullopt or false; after a failed revert the document is as it was, a
// document filled fresh must then be discarded.
std::optional<DocumentFileInfo> examineDocumentFile(MainWindow& main, const std::string& path);
bool readIntoDocument(MainWindow& main, DocumentWindow* doc, const std::string& path, const DocumentFileInfo& info,
                      bool asUndoStep);
// Revert to saved: the document's file read again as opening reads it, as
// one undo step; the document is then unmodified.
void revertDocument(MainWindow& main, DocumentWindow* doc);
// Writes a document's text to a file in the shape of its file (code page or
// UTF-8, line breaks, final break, byte-order mark). Throws FileError.
void saveDocumentTo(MainWindow& main, DocumentWindow* doc, const std::string& fileName);
// The backup copy ("Копия " + name, beside the file).
void writeBackupCopy(MainWindow& main, DocumentWindow* doc);
// A version of a closing document, when versions are saved on close.
void saveVersionOnClose(MainWindow& main, const std::string& fileName);
// The open and save dialogs' filters.
QString openDialogFilter();
QStringList saveDialogFilters();
// Save As on the active document with a chosen name (no dialog); false when
// the write failed (names and lists then stay as they were).
bool saveActiveAs(MainWindow& main, const QString& fileName);
// The Linux stand-ins for the Windows system files (empty when missing).
QString systemFile(const QString& which);
// The system-file items are enabled only for files that exist here.
void updateSystemFileItems(MainWindow& main);

}  // namespace kiv
