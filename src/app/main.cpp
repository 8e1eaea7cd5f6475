// Kiv: program entry.

#include <sys/stat.h>

#include <QApplication>
#include <QDir>
#include <QFont>
#include <QLibraryInfo>
#include <QLocale>
#include <QTranslator>
#include <string>
#include <vector>

#include "core/config/command_line.h"
#include "ui/app/main_window.h"
#include "ui/app/regional_setup.h"
#include "ui/app/termination_watch.h"
#include "ui/common/qt_text.h"

int main(int argc, char* argv[]) {
  // File names are taken from the command line as given, before the toolkit
  // removes the words it knows as its own options; it sees only those.
  const std::vector<std::string> words(argv + 1, argv + argc);
  const kiv::CommandLine commandLine = kiv::splitCommandLine(words, [](const std::string& name) {
    struct stat st {};
    return ::stat(name.c_str(), &st) == 0;
  });
  std::vector<std::string> toolkitWords = commandLine.toolkitOptions;
  std::vector<char*> toolkitArgv{argv[0]};
  for (std::string& w : toolkitWords) toolkitArgv.push_back(w.data());
  toolkitArgv.push_back(nullptr);
  int toolkitArgc = static_cast<int>(toolkitArgv.size()) - 1;

  QApplication app(toolkitArgc, toolkitArgv.data());
  QApplication::setApplicationName(QStringLiteral("Kiv"));
  QApplication::setApplicationVersion(QStringLiteral(KIV_VERSION_STRING));

  QTranslator qtRussian;
  if (qtRussian.load(QStringLiteral("qtbase_ru"), QLibraryInfo::path(QLibraryInfo::TranslationsPath)))
    QApplication::installTranslator(&qtRussian);
  kiv::setupFontSubstitutes();
  kiv::setupRegionalFormat();

  QStringList files;
  for (const std::string& f : commandLine.files) files << kiv::qpath(f);
  kiv::MainWindow main(QApplication::applicationDirPath() + QLatin1Char('/'), files);
  if (!main.startedOk()) return 1;
  main.show();
  // A signal ends the process within a second even when the interface is busy.
  kiv::setTerminationEndsProcess(true);
  return QApplication::exec();
}
