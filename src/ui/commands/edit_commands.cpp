// The Edit menu and the Search menu's find, replace and go-to commands.

#include <QAction>

#include "ui/app/main_window.h"
#include "ui/commands/handlers.h"
#include "ui/common/dialogs.h"
#include "ui/editor/control/editing_control.h"
#include "ui/editor/document_window.h"
#include "ui/editor/editor_interface.h"

namespace kiv::cmd {

void undo(MainWindow& main) {
  if (main.hasDocument()) main.editor().undo();
}

void redo(MainWindow& main) {
  if (main.hasDocument()) main.editor().redo();
}

void cut(MainWindow& main) {
  if (main.hasDocument()) main.editor().cut();
}

void copy(MainWindow& main) {
  if (!main.hasDocument()) return;
  main.editor().copy();
  main.editor().focusText();
}

void paste(MainWindow& main) {
  if (!main.hasDocument()) return;
  main.editor().paste();
  main.editor().focusText();
}

void toggleWordWrap(MainWindow& main) {
  QAction* item = main.action(QStringLiteral("mwordwrap"));
  if (!item) return;
  // The check mark follows the action's own toggle.
  main.settings().wordWrap = item->isChecked();
  main.editor().setWordWrap(item->isChecked());
}

void find(MainWindow& main) {
  if (main.hasDocument()) main.editor().showFindDialog();
}

void findNext(MainWindow& main) {
  if (main.hasDocument()) main.editor().findNext();
}

void replace(MainWindow& main) {
  if (main.hasDocument()) main.editor().showReplaceDialog();
}

void goToLine(MainWindow& main) {
  DocumentWindow* doc = main.activeDocument();
  if (!doc) return;
  EditingControl* control = doc->control();
  const auto answer = inputQuery(&main, QStringLiteral("Перейти на строку"),
                                 QStringLiteral("Номер строки (1 — %1):").arg(control->lines()),
                                 QString::number(control->caretLine() + 1));
  if (!answer) return;
  bool ok = false;
  const int line = answer->trimmed().toInt(&ok);
  if (!ok) {
    showError(&main, QStringLiteral("'%1' is not a valid integer value").arg(*answer));
    return;
  }
  control->moveCaretTo(line - 1, 0);
  control->SendScintilla(QsciScintillaBase::SCI_SCROLLCARET);
  control->setFocus();
}

}  // namespace kiv::cmd
