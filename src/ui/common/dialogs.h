#pragma once
// Small modal boxes of the program: Russian message boxes and the two kinds
// of prompt (the input query reports cancel; the input box returns its
// initial value on cancel).

#include <QString>
#include <QColor>
#include <QStringList>
#include <QUrl>
#include <optional>

class QWidget;
class QPrinter;

namespace kiv {

void showMessage(QWidget* parent, const QString& text);
void showError(QWidget* parent, const QString& text);
// Yes / No question; true for Yes.
bool askYesNo(QWidget* parent, const QString& text);
// OK / Cancel with a caption of its own; true for OK.
bool askOkCancel(QWidget* parent, const QString& caption, const QString& text);
// Yes / No / Cancel; returns QMessageBox::StandardButton value.
int askYesNoCancel(QWidget* parent, const QString& text);

// Input query: nullopt when cancelled.
std::optional<QString> inputQuery(QWidget* parent, const QString& caption, const QString& prompt,
                                  const QString& initial);
// Input box: the initial value when cancelled.
QString inputBox(QWidget* parent, const QString& caption, const QString& prompt, const QString& initial);

// File dialogs: nullopt when cancelled. `filters` are Qt name filters;
// `selectedFilter` chooses the one shown first.
std::optional<QStringList> chooseFilesToOpen(QWidget* parent, const QString& title, const QString& folder,
                                             const QStringList& filters, bool multiple = true);
std::optional<QString> chooseFileToSave(QWidget* parent, const QString& title, const QString& folder,
                                        const QStringList& filters, int selectedFilter,
                                        const QString& defaultSuffix);
// A folder: nullopt when cancelled.
std::optional<QString> chooseFolderDialog(QWidget* parent, const QString& title, const QString& folder);
// The colour dialog, fully open; nullopt when cancelled.
std::optional<QColor> chooseColor(QWidget* parent, const QColor& initial);
// The print dialog; true when the user chose to print.
bool confirmPrint(QWidget* parent, QPrinter* printer);
// Hands a file or address to the desktop (browser, mail program, viewer).
void openExternally(const QUrl& url);
// Starts a program without a shell; false when it could not be started.
bool startProgram(const QString& program, const QStringList& arguments, const QString& folder = QString());

// Tests replace the modal boxes with scripted answers.
struct DialogScript {
  virtual ~DialogScript() = default;
  virtual void message(const QString& text) = 0;
  virtual int question(const QString& text, int buttons) = 0;  // returns the chosen button
  virtual std::optional<QString> input(const QString& caption, const QString& prompt, const QString& initial) = 0;
  virtual std::optional<QStringList> openFiles(const QString& title, const QString& folder) = 0;
  virtual std::optional<QString> saveFile(const QString& title, const QString& folder) = 0;
  virtual void external(const QString& what) = 0;  // a desktop hand-over or a started program
  virtual std::optional<QString> folder(const QString& /*title*/, const QString& /*folder*/) { return std::nullopt; }
  virtual std::optional<QColor> color() { return std::nullopt; }
};
void setDialogScript(DialogScript* script);
DialogScript* dialogScript();

}  // namespace kiv
