#pragma once
// File commands shared with the main window: the open routine's helpers,
// saving, recent files and dropped files.

#include <QStringList>
#include <string>

namespace kiv {

class TMainForm;
class Ted;

// Writes the document's whole text to a file with the "std_txt" format.
// Throws FileError on failure.
void writeDocumentText(TMainForm& main, const std::string& fileName, const std::string& text);
// Saves every document that has a file, last MDI child first; failures are
// reported and the other documents are still saved.
void saveAllDocuments(TMainForm& main);
// Reopens a recent file and scrolls it to its remembered top line.
void openRecent(TMainForm& main, const std::string& fileName);
// Opens dropped files or inserts image tags for dropped pictures.
void dropFiles(TMainForm& main, const QStringList& files);
// After a file's text went into a new document: charset detection.
void afterLoad(TMainForm& main, Ted* doc, const std::string& text);
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
