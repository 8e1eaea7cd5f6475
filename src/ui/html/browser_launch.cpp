#include "ui/html/browser_launch.h"

#include <QFileInfo>
#include <QStandardPaths>
#include <QUrl>

#include "ui/common/dialogs.h"

namespace kiv {

QString resolveBrowserProgram(const QString& path) {
  if (path.isEmpty()) return {};
  if (path.contains(QLatin1Char('/'))) {
    const QFileInfo info(path);
    return info.isFile() && info.isExecutable() ? info.absoluteFilePath() : QString();
  }
  return QStandardPaths::findExecutable(path);
}

bool showInBrowser(QWidget* parent, const QString& browserPath, const QString& file) {
  if (browserPath.isEmpty()) {
    openExternally(QUrl::fromLocalFile(file));
    return true;
  }
  const QString program = resolveBrowserProgram(browserPath);
  if (program.isEmpty()) {
    showError(parent, QStringLiteral("Путь к браузеру ") + browserPath + QStringLiteral(" ошибочен!"));
    return false;
  }
  if (!startProgram(program, {file})) {
    showError(parent, QStringLiteral("Не удалось запустить браузер ") + browserPath);
    return false;
  }
  return true;
}

}  // namespace kiv
