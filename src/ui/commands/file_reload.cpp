#include "ui/commands/file_reload.h"

#include <QPointer>

#include "core/common/file_identity.h"
#include "ui/app/main_form.h"
#include "ui/commands/file_commands.h"
#include "ui/common/dialogs.h"
#include "ui/common/qt_text.h"
#include "ui/editor/editor_interface.h"
#include "ui/editor/memo/memo_control.h"
#include "ui/editor/ted.h"

namespace kiv {

void offerReloadOfChangedFile(TMainForm& main) {
  // The question takes the focus and gives it back: not asked again meanwhile.
  static bool asking = false;
  if (asking) return;
  QPointer<Ted> doc = main.activeDocument();
  if (!doc || !doc->hasFile() || doc->memo()->modifiedFlag()) return;
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
  if (doc != main.activeDocument() || doc->memo()->modifiedFlag()) return;
  revertDocument(main, doc);
}

}  // namespace kiv
