// Kiv: program entry.

#include <QApplication>
#include <QDir>
#include <QFont>
#include <QLibraryInfo>
#include <QLocale>
#include <QTranslator>

#include "ui/app/main_form.h"
#include "ui/app/regional_setup.h"

int main(int argc, char* argv[]) {
  QApplication app(argc, argv);
  QApplication::setApplicationName(QStringLiteral("Kiv"));
  QApplication::setApplicationVersion(QStringLiteral(KIV_VERSION_STRING));

  QTranslator qtRussian;
  if (qtRussian.load(QStringLiteral("qtbase_ru"), QLibraryInfo::path(QLibraryInfo::TranslationsPath)))
    QApplication::installTranslator(&qtRussian);
  kiv::setupFontSubstitutes();
  kiv::setupRegionalFormat();

  QStringList args = QApplication::arguments();
  args.removeFirst();
  kiv::TMainForm main(QApplication::applicationDirPath() + QLatin1Char('/'), args);
  if (!main.startedOk()) return 1;
  main.show();
  return QApplication::exec();
}
