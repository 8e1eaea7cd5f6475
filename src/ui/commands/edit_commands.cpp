// The Edit menu and the Search menu's find, replace and go-to commands.

#include <QAction>

#include "ui/app/main_form.h"
#include "ui/commands/handlers.h"
#include "ui/common/dialogs.h"
#include "ui/editor/editor_interface.h"
#include "ui/editor/memo/memo_control.h"
#include "ui/editor/ted.h"

namespace kiv::cmd {

void EditUndo(TMainForm& main) {
  if (main.hasDocument()) main.editor().undo();
}

void Redo1Click(TMainForm& main) {
  if (main.hasDocument()) main.editor().redo();
}

void EditCut(TMainForm& main) {
  if (main.hasDocument()) main.editor().cut();
}

void EditCopy(TMainForm& main) {
  if (!main.hasDocument()) return;
  main.editor().copy();
  main.editor().focusText();
}

void EditPaste(TMainForm& main) {
  if (!main.hasDocument()) return;
  main.editor().paste();
  main.editor().focusText();
}

void mwordwrapClick(TMainForm& main) {
  QAction* item = main.action(QStringLiteral("mwordwrap"));
  if (!item) return;
  // The check mark follows the action's own toggle.
  main.settings().wordWrap = item->isChecked();
  main.editor().setWordWrap(item->isChecked());
}

void Find1Click(TMainForm& main) {
  if (main.hasDocument()) main.editor().showFindDialog();
}

void mniFindNextClick(TMainForm& main) {
  if (main.hasDocument()) main.editor().findNext();
}

void mniReplaceClick(TMainForm& main) {
  if (main.hasDocument()) main.editor().showReplaceDialog();
}

void mniGotoLineClick(TMainForm& main) {
  Ted* doc = main.activeDocument();
  if (!doc) return;
  MemoControl* memo = doc->memo();
  const auto answer = inputQuery(&main, QStringLiteral("Перейти на строку"),
                                 QStringLiteral("Номер строки (1 — %1):").arg(memo->lines()),
                                 QString::number(memo->caretLine() + 1));
  if (!answer) return;
  bool ok = false;
  const int line = answer->trimmed().toInt(&ok);
  if (!ok) {
    showError(&main, QStringLiteral("'%1' is not a valid integer value").arg(*answer));
    return;
  }
  memo->moveCaretTo(line - 1, 0);
  memo->SendScintilla(QsciScintillaBase::SCI_SCROLLCARET);
  memo->setFocus();
}

}  // namespace kiv::cmd
