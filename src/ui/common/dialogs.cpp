#include "ui/common/dialogs.h"

#include <QApplication>
#include <QColorDialog>
#include <QDesktopServices>
#include <QFileDialog>
#include <QPrintDialog>
#include <QPrinter>
#include <QProcess>
#include <QInputDialog>
#include <QMessageBox>

namespace kiv {

namespace {
DialogScript* gScript = nullptr;

// Boxes belong to the top-level window: a document window may close (and be
// freed) while a box over it is still open.
QWidget* topOf(QWidget* w) { return w ? w->window() : nullptr; }

QString appTitle() { return QApplication::applicationName().isEmpty() ? QStringLiteral("Kiv") : QApplication::applicationName(); }
}  // namespace

void setDialogScript(DialogScript* script) { gScript = script; }
DialogScript* dialogScript() { return gScript; }

void showMessage(QWidget* parent, const QString& text) {
  if (gScript) return gScript->message(text);
  QMessageBox::information(topOf(parent), appTitle(), text);
}

void showError(QWidget* parent, const QString& text) {
  if (gScript) return gScript->message(text);
  QMessageBox::critical(topOf(parent), appTitle(), text);
}

bool askYesNo(QWidget* parent, const QString& text) {
  const int buttons = QMessageBox::Yes | QMessageBox::No;
  if (gScript) return gScript->question(text, buttons) == QMessageBox::Yes;
  return QMessageBox::question(topOf(parent), appTitle(), text, QMessageBox::Yes | QMessageBox::No, QMessageBox::No) ==
         QMessageBox::Yes;
}

bool askOkCancel(QWidget* parent, const QString& caption, const QString& text) {
  if (gScript) {
    const int a = gScript->question(text, QMessageBox::Ok | QMessageBox::Cancel);
    return a == QMessageBox::Ok || a == QMessageBox::Yes;
  }
  return QMessageBox::question(topOf(parent), caption, text, QMessageBox::Ok | QMessageBox::Cancel, QMessageBox::Cancel) ==
         QMessageBox::Ok;
}

int askYesNoCancel(QWidget* parent, const QString& text) {
  const int buttons = QMessageBox::Yes | QMessageBox::No | QMessageBox::Cancel;
  if (gScript) return gScript->question(text, buttons);
  return QMessageBox::question(topOf(parent), appTitle(), text, QMessageBox::Yes | QMessageBox::No | QMessageBox::Cancel,
                               QMessageBox::Cancel);
}

std::optional<QString> inputQuery(QWidget* parent, const QString& caption, const QString& prompt,
                                  const QString& initial) {
  if (gScript) return gScript->input(caption, prompt, initial);
  bool ok = false;
  const QString text = QInputDialog::getText(topOf(parent), caption, prompt, QLineEdit::Normal, initial, &ok);
  if (!ok) return std::nullopt;
  return text;
}

QString inputBox(QWidget* parent, const QString& caption, const QString& prompt, const QString& initial) {
  return inputQuery(parent, caption, prompt, initial).value_or(initial);
}

std::optional<QStringList> chooseFilesToOpen(QWidget* parent, const QString& title, const QString& folder,
                                             const QStringList& filters, bool multiple) {
  if (gScript) return gScript->openFiles(title, folder);
  QFileDialog dlg(topOf(parent), title, folder);
  dlg.setObjectName(QStringLiteral("OpenDialog"));
  dlg.setOption(QFileDialog::DontUseNativeDialog);
  dlg.setOption(QFileDialog::HideNameFilterDetails);
  dlg.setFileMode(multiple ? QFileDialog::ExistingFiles : QFileDialog::ExistingFile);
  dlg.setNameFilters(filters);
  if (dlg.exec() != QDialog::Accepted) return std::nullopt;
  return dlg.selectedFiles();
}

std::optional<QString> chooseFileToSave(QWidget* parent, const QString& title, const QString& folder,
                                        const QStringList& filters, int selectedFilter,
                                        const QString& defaultSuffix) {
  if (gScript) return gScript->saveFile(title, folder);
  QFileDialog dlg(topOf(parent), title, folder);
  dlg.setObjectName(QStringLiteral("SaveDialog"));
  dlg.setOption(QFileDialog::DontUseNativeDialog);
  dlg.setOption(QFileDialog::DontConfirmOverwrite);
  dlg.setOption(QFileDialog::HideNameFilterDetails);
  dlg.setAcceptMode(QFileDialog::AcceptSave);
  dlg.setFileMode(QFileDialog::AnyFile);
  if (!defaultSuffix.isEmpty()) dlg.setDefaultSuffix(defaultSuffix);
  if (!filters.isEmpty()) {
    dlg.setNameFilters(filters);
    dlg.selectNameFilter(filters.value(selectedFilter, filters.first()));
  }
  if (dlg.exec() != QDialog::Accepted || dlg.selectedFiles().isEmpty()) return std::nullopt;
  return dlg.selectedFiles().first();
}

std::optional<QString> chooseFolderDialog(QWidget* parent, const QString& title, const QString& folder) {
  if (gScript) return gScript->folder(title, folder);
  const QString chosen = QFileDialog::getExistingDirectory(topOf(parent), title, folder,
                                                           QFileDialog::ShowDirsOnly | QFileDialog::DontUseNativeDialog);
  if (chosen.isEmpty()) return std::nullopt;
  return chosen;
}

bool confirmPrint(QWidget* parent, QPrinter* printer) {
  if (gScript) {
    gScript->external(QStringLiteral("print"));
    return false;
  }
  QPrintDialog dlg(printer, topOf(parent));
  return dlg.exec() == QDialog::Accepted;
}

std::optional<QColor> chooseColor(QWidget* parent, const QColor& initial) {
  if (gScript) return gScript->color();
  const QColor c = QColorDialog::getColor(initial, topOf(parent));
  if (!c.isValid()) return std::nullopt;
  return c;
}

void openExternally(const QUrl& url) {
  if (gScript) return gScript->external(url.toString());
  QDesktopServices::openUrl(url);
}

bool startProgram(const QString& program, const QStringList& arguments, const QString& folder) {
  if (gScript) {
    gScript->external(QStringList(program + QLatin1Char(' ') + arguments.join(QLatin1Char(' '))).join(QString()));
    return true;
  }
  return QProcess::startDetached(program, arguments, folder);
}

}  // namespace kiv
