// The Edit menu and the Search menu's find, replace and go-to commands.

#include <QAction>

#include "ui/app/main_window.h"
#include "ui/commands/handlers.h"
#include "ui/common/dialogs.h"
#include "ui/editor/editor_interface.h"
#include "ui/editor/control/editing_control.h"
#include "ui/editor/document_window.h"

namespace kiv::cmd {

void EditUndo(MainWindow& main) {
  if (main.hasDocument()) main.editor().undo();
}

void Redo1Click(MainWindow& main) {
  if (main.hasDocument()) main.editor().redo();
}

void EditCut(MainWindow& main) {
  if (main.hasDocument()) main.editor().cut();
}

void EditCopy(MainWindow& main) {
  if (!main.hasDocument()) return;
  main.editor().copy();
  main.editor().focusText();
}

void EditPaste(MainWindow& main) {
  if (!main.hasDocument()) return;
  main.editor().paste();
  main.editor().focusText();
}

void mwordwrapClick(MainWindow& main) {
  QAction* item = main.action(QStringLiteral("mwordwrap"));
  if (!item) return;
  // The check mark follows the action's own toggle.
  main.settings().wordWrap = item->isChecked();
  main.editor().setWordWrap(item->isChecked());
}

void Find1Click(MainWindow& main) {
  if (main.hasDocument()) main.editor().showFindDialog();
}

void mniFindNextClick(MainWindow& main) {
  if (main.hasDocument()) main.editor().findNext();
}

void mniReplaceClick(MainWindow& main) {
  if (main.hasDocument()) main.editor().showReplaceDialog();
}

void mniGotoLineClick(MainWindow& main) {
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
