#include "ui/commands/command_dispatch.h"

#include <QAction>
#include <exception>
#include <new>

#include "core/common/file_bytes.h"
#include "ui/app/main_window.h"
#include "ui/commands/command_table.h"
#include "ui/common/qt_text.h"

namespace kiv {

void runCommand(MainWindow& main, const CommandRow& row) {
  if (!row.handler) return;
  try {
    row.handler(main);
  } catch (const FileError& e) {
    main.reportError(qs(e.what()));
  } catch (const std::bad_alloc&) {
    main.reportError(QStringLiteral("Недостаточно памяти: команда «%1» прервана.")
                         .arg(QString::fromUtf8(row.caption).remove(QLatin1Char('&'))));
  } catch (const std::exception& e) {
    main.reportError(qs(e.what()));
  }
}

void bindCommand(MainWindow& main, QAction* action, const CommandRow& row) {
  if (!row.handler) {
    action->setEnabled(false);
    action->setToolTip(QString::fromUtf8(kNotYetHint));
    action->setStatusTip(QString::fromUtf8(kNotYetHint));
    return;
  }
  const CommandRow* r = &row;
  QObject::connect(action, &QAction::triggered, &main, [&main, r] { runCommand(main, *r); });
}

}  // namespace kiv
