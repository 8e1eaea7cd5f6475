// The "Утилиты" menu's tool windows: hex editor, bookmarks, big-number
// calculator, unit converter, calendar and character table.

#include "ui/app/main_window.h"
#include "ui/commands/handlers.h"
#include "ui/tools/character_table_window.h"
#include "ui/tools/tool_window.h"

namespace kiv::cmd {

namespace {

void showTool(MainWindow& main, const char* className, bool centred) {
  ToolWindow* w = main.tools().window(QString::fromLatin1(className));
  if (!w) return;
  if (centred && !w->isVisible()) {
    w->adjustSize();
    w->move(main.geometry().center() - QPoint(w->width() / 2, w->height() / 2));
  }
  w->show();
  w->raise();
  w->activateWindow();
}

}  // namespace

void showHexEditor(MainWindow& main) { showTool(main, "HexEditorWindow", false); }

void toggleBookmarks(MainWindow& main) {
  if (ToolWindow* w = main.tools().window(QStringLiteral("BookmarksWindow"))) w->toggle();
}

void showCalculator(MainWindow& main) { showTool(main, "CalculatorWindow", true); }

void showUnitConverter(MainWindow& main) { showTool(main, "UnitConverterWindow", true); }

void showCalendar(MainWindow& main) { showTool(main, "CalendarWindow", false); }

void showCharacterTable(MainWindow& main) {
  if (!main.hasDocument()) return;
  auto* table = main.tools().get<CharacterTableWindow>(QStringLiteral("CharacterTableWindow"));
  if (!table) return;
  table->setWindowTitle(QStringLiteral("Таблица символов текущего шрифта"));
  table->refresh();
  showTool(main, "CharacterTableWindow", false);
}

}  // namespace kiv::cmd
