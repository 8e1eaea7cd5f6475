// The Help menu.

#include <QMessageBox>
#include <QUrl>

#include "ui/app/main_window.h"
#include "ui/commands/handlers.h"
#include "ui/common/dialogs.h"
#include "ui/common/qt_text.h"

namespace kiv {

namespace {
const char* kMakerMail = "kiv-editor@users.noreply.example.org";
const char* kProductPage = "https://kiv-editor.example.org/";
}  // namespace

namespace cmd {

void about(MainWindow& main) {
  showMessage(&main, QStringLiteral("%1\n\nKiv — многодокументный редактор простого текста для тех, кто пишет, "
                                    "чистит и перекодирует русские и английские тексты и пишет HTML руками.\n\n"
                                    "Кодировки Windows-1251, DOS 866 и KOI8-R, преобразования текста, "
                                    "плагины, инструменты и просмотр в браузере.")
                          .arg(MainWindow::buildCaption()));
}

void showHistory(MainWindow& main) { main.openFile(qpath(main.paths().helpFile("notes.txt"))); }

void showManual(MainWindow& main) {
  openExternally(QUrl::fromLocalFile(qpath(main.paths().helpFile("kiv.htm"))));
}

void showBugList(MainWindow& main) { main.openFile(qpath(main.paths().helpFile("!bugs.txt"))); }

void writeToAuthor(MainWindow&) {
  QUrl url(QStringLiteral("mailto:") + QString::fromLatin1(kMakerMail));
  url.setQuery(QStringLiteral("subject=") + QUrl::toPercentEncoding(MainWindow::buildCaption()));
  openExternally(url);
}

void openProductSite(MainWindow&) { openExternally(QUrl(QString::fromLatin1(kProductPage))); }

}  // namespace cmd
}  // namespace kiv
