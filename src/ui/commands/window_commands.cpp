// The "Вид" → "Окна" arrangement commands, the documents window, the file
// browser and the automatic scrolling switch.

#include <QAction>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QTimer>

#include "ui/app/main_window.h"
#include "ui/commands/handlers.h"
#include "ui/tools/tool_window.h"

namespace kiv::cmd {

void arrangeMinimized(MainWindow& main) {
  // Minimized windows line up along the bottom edge.
  QMdiArea* area = main.documentArea();
  int x = 0;
  for (QMdiSubWindow* sub : area->subWindowList(QMdiArea::CreationOrder)) {
    if (!sub->isMinimized()) continue;
    const QSize s = sub->size();
    if (x + s.width() > area->viewport()->width()) x = 0;
    sub->move(x, area->viewport()->height() - s.height());
    x += s.width();
  }
}

void tileWindows(MainWindow& main) {
  // Tiled horizontally: full-width windows one above the other.
  QMdiArea* area = main.documentArea();
  QList<QMdiSubWindow*> windows;
  for (QMdiSubWindow* sub : area->subWindowList(QMdiArea::CreationOrder))
    if (!sub->isMinimized()) windows << sub;
  if (windows.isEmpty()) return;
  const QRect r = area->viewport()->rect();
  const int h = r.height() / static_cast<int>(windows.size());
  int y = 0;
  for (QMdiSubWindow* sub : windows) {
    if (sub->isMaximized()) sub->showNormal();
    sub->setGeometry(0, y, r.width(), h);
    y += h;
  }
}

void cascadeWindows(MainWindow& main) { main.documentArea()->cascadeSubWindows(); }

void toggleDocumentsWindow(MainWindow& main) {
  if (ToolWindow* w = main.tools().window(QStringLiteral("DocumentsWindow"))) w->toggle();
}

void toggleFileBrowser(MainWindow& main) {
  if (ToolWindow* w = main.tools().window(QStringLiteral("FileBrowserWindow"))) w->toggle();
}

void toggleAutoScroll(MainWindow& main) {
  QAction* item = main.action(QStringLiteral("mniAscroll"));
  main.settings().autoScroll = item ? item->isChecked() : !main.settings().autoScroll;
  main.restartAutoScroll();
}

}  // namespace kiv::cmd
