#include "ui/common/dialogs.h"

#include <QApplication>
#include <QInputDialog>
#include <QMessageBox>

namespace kiv {

namespace {
DialogScript* gScript = nullptr;

QString appTitle() { return QApplication::applicationName().isEmpty() ? QStringLiteral("Kiv") : QApplication::applicationName(); }
}  // namespace

void setDialogScript(DialogScript* script) { gScript = script; }
DialogScript* dialogScript() { return gScript; }

void showMessage(QWidget* parent, const QString& text) {
  if (gScript) return gScript->message(text);
  QMessageBox::information(parent, appTitle(), text);
}

void showError(QWidget* parent, const QString& text) {
  if (gScript) return gScript->message(text);
  QMessageBox::critical(parent, appTitle(), text);
}

bool askYesNo(QWidget* parent, const QString& text) {
  const int buttons = QMessageBox::Yes | QMessageBox::No;
  if (gScript) return gScript->question(text, buttons) == QMessageBox::Yes;
  return QMessageBox::question(parent, appTitle(), text, QMessageBox::Yes | QMessageBox::No, QMessageBox::No) ==
         QMessageBox::Yes;
}

int askYesNoCancel(QWidget* parent, const QString& text) {
  const int buttons = QMessageBox::Yes | QMessageBox::No | QMessageBox::Cancel;
  if (gScript) return gScript->question(text, buttons);
  return QMessageBox::question(parent, appTitle(), text, QMessageBox::Yes | QMessageBox::No | QMessageBox::Cancel,
                               QMessageBox::Cancel);
}

std::optional<QString> inputQuery(QWidget* parent, const QString& caption, const QString& prompt,
                                  const QString& initial) {
  if (gScript) return gScript->input(caption, prompt, initial);
  bool ok = false;
  const QString text = QInputDialog::getText(parent, caption, prompt, QLineEdit::Normal, initial, &ok);
  if (!ok) return std::nullopt;
  return text;
}

QString inputBox(QWidget* parent, const QString& caption, const QString& prompt, const QString& initial) {
  return inputQuery(parent, caption, prompt, initial).value_or(initial);
}

}  // namespace kiv
