#include "ui/commands/save_checks.h"

#include <cerrno>
#include <cstring>
#include <optional>

#include "core/common/file_bytes.h"
#include "core/common/file_identity.h"
#include "core/common/safe_save.h"
#include "ui/app/main_window.h"
#include "ui/commands/file_commands.h"
#include "ui/common/dialogs.h"
#include "ui/common/qt_text.h"
#include "ui/editor/document_window.h"
#include "ui/recovery/document_journal.h"
#include "ui/recovery/recovery_keeper.h"

namespace kiv {

namespace {

bool sameFile(const std::string& a, const std::string& b) {
  const std::string realA = resolveLinkChain(a);
  return !realA.empty() && realA == resolveLinkChain(b);
}

}  // namespace

bool saveDocumentFile(MainWindow& main, DocumentWindow* doc, const std::string& fileName) {
  const QString shown = qpath(fileName);
  if (sameFile(fileName, doc->fileName()) && doc->diskFile().changedOnDisk(fileIdentity(fileName)) &&
      !askYesNo(&main, QStringLiteral("Файл %1 изменён другой программой. Перезаписать?").arg(shown)))
    return false;
  std::optional<ProtectedWriteConsent> consent;
  if (isWriteProtected(fileName)) {
    if (!askYesNo(&main, QStringLiteral("Файл %1 защищён от записи. Всё равно сохранить?").arg(shown)))
      throw FileError("Cannot create file " + fileName + ".\n" + std::strerror(EACCES));
    consent.emplace(fileName);
  }
  // The save makes a snapshot of the journal still being written useless,
  // and would otherwise share the disk with it.
  if (DocumentJournal* journal = main.recovery().journalOf(doc)) journal->saveStarting();
  saveDocumentTo(main, doc, fileName);
  doc->setDiskIdentity(fileIdentity(fileName));
  return true;
}

}  // namespace kiv
