// Probe: phases of opening a big file.
#include <QApplication>
#include <QElapsedTimer>
#include <QKeyEvent>
#include <QTimer>
#include <malloc.h>
#include <sys/resource.h>
#include <cstdio>
#include <cstdlib>
#include <cstring>

#include "core/common/file_bytes.h"
#include "core/fileio/document_file.h"
#include "ui/app/main_window.h"
#include "ui/app/regional_setup.h"
#include "ui/commands/file_commands.h"
#include "ui/editor/control/editing_control.h"
#include "ui/editor/document_window.h"
#include "ui/editor/editor_interface.h"

using namespace kiv;

int main(int argc, char** argv) {
  QApplication app(argc, argv);
  setupFontSubstitutes();
  const QString folder = QString::fromLocal8Bit(argv[1]);
  const std::string path = argv[2];
  MainWindow main(folder, {});
  main.show();
  QElapsedTimer t;
  t.start();
  auto mem = [](const char* key) {
    FILE* f = std::fopen("/proc/self/status", "r");
    char line[256];
    long v = 0;
    while (std::fgets(line, sizeof line, f))
      if (std::strncmp(line, key, std::strlen(key)) == 0) v = std::atol(line + std::strlen(key));
    std::fclose(f);
    return v / 1024;
  };
  auto cpu = [] {
    rusage u{};
    getrusage(RUSAGE_SELF, &u);
    return u.ru_utime.tv_sec + u.ru_stime.tv_sec + (u.ru_utime.tv_usec + u.ru_stime.tv_usec) / 1e6;
  };
  double cpu0 = cpu();
  auto lap = [&](const char* what) {
    std::printf("%-28s %8.3f s  cpu %8.3f s  rss %5ld MiB  peak %5ld MiB\n", what, t.nsecsElapsed() / 1e9, cpu() - cpu0, mem("VmRSS:"), mem("VmHWM:"));
    std::fflush(stdout);
  };
  QTimer::singleShot(200, [&] {
    t.restart();
    cpu0 = cpu();
    lap("baseline");
    DocumentWindow* doc = main.openFile(QString::fromStdString(path));
    lap("openFile");
    EditingControl* c = doc->control();
    if (getenv("WORDSTYLE")) {
      c->SendScintilla(QsciScintillaBase::SCI_SETPOSITIONCACHE, 65536L);
      c->SendScintilla(QsciScintillaBase::SCI_STYLESETFONT, 1UL, static_cast<const char*>("DejaVu Sans Mono"));
      c->SendScintilla(QsciScintillaBase::SCI_STYLESETFONT, 0UL, static_cast<const char*>("DejaVu Sans Mono"));
      const long n = c->SendScintilla(QsciScintillaBase::SCI_GETLENGTH);
      const char* p = static_cast<const char*>(c->SendScintillaPtrResult(QsciScintillaBase::SCI_GETCHARACTERPOINTER));
      std::string st(n, '\0');
      for (long i = 0; i < n; ++i) st[i] = (!getenv("NOSPLIT") && p[i] == 0x20) ? 1 : 0;
      c->SendScintilla(QsciScintillaBase::SCI_STARTSTYLING, 0L, 0L);
      c->SendScintilla(QsciScintillaBase::SCI_SETSTYLINGEX, n, st.data());
      lap("styled");
    }
    QApplication::processEvents();
    lap("first events");
    QKeyEvent end(QEvent::KeyPress, Qt::Key_End, Qt::ControlModifier);
    QApplication::sendEvent(c, &end);
    lap("ctrl+end");
    QApplication::processEvents();
    lap("events after ctrl+end");
    malloc_trim(0);
    lap("after malloc_trim");
    QKeyEvent z(QEvent::KeyPress, Qt::Key_Z, Qt::NoModifier, QStringLiteral("z"));
    QApplication::sendEvent(c, &z);
    QApplication::processEvents();
    lap("typed");
    std::string text = c->textCrLf();
    lap("textCrLf");
    QTimer* poll = new QTimer;
    QObject::connect(poll, &QTimer::timeout, [&] {
      const long lines = c->SendScintilla(QsciScintillaBase::SCI_GETLINECOUNT);
      const long shown = c->SendScintilla(QsciScintillaBase::SCI_VISIBLEFROMDOCLINE, lines - 1);
      static long last = -1;
      if (shown == last) { lap("wrap settled"); std::printf("display lines %ld doc lines %ld\n", shown, lines); app.quit(); }
      last = shown;
    });
    poll->start(1000);
  });
  return app.exec();
}
