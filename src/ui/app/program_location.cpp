#include "ui/app/program_location.h"

#include <unistd.h>

#include <QDir>
#include <QFileInfo>

#include "ui/common/qt_text.h"

#ifndef KIV_RELATIVE_DATA_DIR
#define KIV_RELATIVE_DATA_DIR "../share/kiv"
#endif
#ifndef KIV_RELATIVE_HELPER_DIR
#define KIV_RELATIVE_HELPER_DIR "../libexec/kiv"
#endif

namespace kiv {

namespace {
std::string variable(const char* name) {
  const QByteArray v = qgetenv(name);
  return std::string(v.constData(), static_cast<std::size_t>(v.size()));
}
}  // namespace

UserFolders currentUserFolders() {
  UserFolders u;
  u.home = variable("HOME");
  if (u.home.empty()) u.home = spath(QDir::homePath());
  u.configHome = variable("XDG_CONFIG_HOME");
  u.dataHome = variable("XDG_DATA_HOME");
  u.stateHome = variable("XDG_STATE_HOME");
  u.runtimeDir = variable("XDG_RUNTIME_DIR");
  return u;
}

ProgramPaths locateProgram(const QString& executableFolder) {
  const QString folder = QDir(executableFolder).absolutePath();
  const QByteArray encoded = QFile::encodeName(folder);
  ProgramFolderFacts facts;
  facts.writable = ::access(encoded.constData(), W_OK) == 0;
  facts.holdsIni = QFileInfo::exists(folder + QStringLiteral("/kiv.ini"));
  facts.holdsEngine = QFileInfo(folder + QStringLiteral("/Engine")).isDir();
  if (chooseRunMode(facts) == RunMode::Portable) return ProgramPaths::portable(spath(folder));
  const QString data = QDir::cleanPath(folder + QStringLiteral("/" KIV_RELATIVE_DATA_DIR));
  const QString helper = QDir::cleanPath(folder + QStringLiteral("/" KIV_RELATIVE_HELPER_DIR));
  return ProgramPaths::installed(spath(data), spath(helper), currentUserFolders());
}

}  // namespace kiv
