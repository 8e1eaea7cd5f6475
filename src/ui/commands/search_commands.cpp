// The Search menu's replacement window and find in files, and the text
// analyzer of the Utilities menu.

#include "core/search/replace_pairs.h"
#include "ui/app/main_window.h"
#include "ui/commands/handlers.h"
#include "ui/commands/text_command.h"
#include "ui/common/dialogs.h"
#include "ui/editor/editor_interface.h"
#include "ui/tools/analyzer_window.h"
#include "ui/tools/find_in_files_window.h"
#include "ui/tools/replace_window.h"

namespace kiv::cmd {

void replaceAllOrMulti(MainWindow& main) {
  if (!main.hasDocument()) return;
  auto* window = main.tools().get<ReplaceWindow>(QStringLiteral("ReplaceWindow"));
  const std::string charset = activeCharset(main);
  if (!window->execModal(main.editor().workingText(), charset)) return;
  if (!main.hasDocument()) return;  // the document was closed meanwhile
  EditorInterface& ed = main.editor();
  if (!window->multi()) {
    ed.putWorkingText(window->workingText());
    return;
  }
  QString error;
  const auto pairs = window->pairs(charset, &error);
  if (!pairs) {
    showError(&main, error);
    return;
  }
  ed.putWorkingText(applyReplacePairs(ed.workingText(), *pairs));
}

void findInFiles(MainWindow& main) {
  auto* window = main.tools().get<FindInFilesWindow>(QStringLiteral("FindInFilesWindow"));
  if (!window->isVisible()) window->move(main.geometry().center() - window->rect().center());
  window->show();
  window->raise();
  window->activateWindow();
}

void showTextAnalyzer(MainWindow& main) {
  auto* window = main.tools().get<AnalyzerWindow>(QStringLiteral("AnalyzerWindow"));
  if (!window->isVisible()) window->move(main.geometry().center() - window->rect().center());
  window->show();
  window->raise();
  window->activateWindow();
}

}  // namespace kiv::cmd
