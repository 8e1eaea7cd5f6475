#pragma once
// Small modal boxes of the program: Russian message boxes and the two kinds
// of prompt (the input query reports cancel; the input box returns its
// initial value on cancel).

#include <QString>
#include <optional>

class QWidget;

namespace kiv {

void showMessage(QWidget* parent, const QString& text);
void showError(QWidget* parent, const QString& text);
// Yes / No question; true for Yes.
bool askYesNo(QWidget* parent, const QString& text);
// Yes / No / Cancel; returns QMessageBox::StandardButton value.
int askYesNoCancel(QWidget* parent, const QString& text);

// Input query: nullopt when cancelled.
std::optional<QString> inputQuery(QWidget* parent, const QString& caption, const QString& prompt,
                                  const QString& initial);
// Input box: the initial value when cancelled.
QString inputBox(QWidget* parent, const QString& caption, const QString& prompt, const QString& initial);

// Tests replace the modal boxes with scripted answers.
struct DialogScript {
  virtual ~DialogScript() = default;
  virtual void message(const QString& text) = 0;
  virtual int question(const QString& text, int buttons) = 0;  // returns the chosen button
  virtual std::optional<QString> input(const QString& caption, const QString& prompt, const QString& initial) = 0;
};
void setDialogScript(DialogScript* script);
DialogScript* dialogScript();

}  // namespace kiv
