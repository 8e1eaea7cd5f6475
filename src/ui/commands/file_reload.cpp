#include "ui/commands/file_reload.h"

#include <QPointer>

#include "core/common/file_identity.h"
#include "ui/app/main_window.h"
#include "ui/commands/file_commands.h"
#include "ui/common/dialogs.h"
#include "ui/common/qt_text.h"
#include "ui/editor/control/editing_control.h"
#include "ui/editor/document_window.h"
#include "ui/editor/editor_interface.h"

namespace kiv {

void offerReloadOfChangedFile(MainWindow& main) {
  // The question takes the focus and gives it back: not asked again meanwhile.
  static bool asking = false;
  if (asking) return;
  QPointer<DocumentWindow> doc = main.activeDocument();
  if (!doc || !doc->hasFile() || doc->control()->modifiedFlag()) return;
  const std::optional<FileIdentity> now = fileIdentity(doc->fileName());
  if (!doc->diskFile().offersReload(now)) return;
  asking = true;
  const bool reload = askYesNo(
      &main, QStringLiteral("Файл %1 изменён другой программой. Перечитать?").arg(qpath(doc->fileName())));
  asking = false;
  if (!doc) return;
  if (!reload) {
    doc->diskFile().dismissed = now;
    return;
  }
  if (doc != main.activeDocument() || doc->control()->modifiedFlag()) return;
  revertDocument(main, doc);
}

}  // namespace kiv
