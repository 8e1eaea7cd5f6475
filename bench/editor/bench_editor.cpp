// The editor's own paths on big documents, inside the program as the user
// drives it (run under a display, as bench/editor/run.sh does):
//   bench_editor keys FOLDER FILE        open, then the caret keys and a typed
//                                        letter while the rest is still being
//                                        wrapped: the longest answer, in ms
//   bench_editor save FOLDER FILE OUT    open, type a letter, save as OUT:
//                                        seconds for the save (with fsync)
//   bench_editor longline FOLDER FILE    open a file that is one long line,
//                                        scroll, go to its end, type: seconds
//                                        for each, and the status bar's note
// FOLDER is a program folder (kiv.ini and Engine/ beside each other) with
// the default settings. Each mode prints one line "name value ..." and
// exits 1 when the document did not come out as expected.

#include <QApplication>
#include <QElapsedTimer>
#include <QKeyEvent>
#include <QStatusBar>
#include <QTimer>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>

#include "core/common/file_bytes.h"
#include "ui/app/main_window.h"
#include "ui/app/regional_setup.h"
#include "ui/commands/file_commands.h"
#include "ui/commands/save_checks.h"
#include "ui/editor/control/editing_control.h"
#include "ui/editor/document_window.h"

using namespace kiv;

namespace {

// Sends the key to the control and waits until it is handled and the
// control has painted what it shows now; the milliseconds that took.
double answer(EditingControl* c, int key, Qt::KeyboardModifiers mods, const QString& text = {}) {
  QElapsedTimer t;
  t.start();
  QKeyEvent press(QEvent::KeyPress, key, mods, text);
  QApplication::sendEvent(c, &press);
  QKeyEvent release(QEvent::KeyRelease, key, mods, text);
  QApplication::sendEvent(c, &release);
  c->viewport()->repaint();
  return t.nsecsElapsed() / 1e6;
}

int keys(MainWindow& main, const QString& file) {
  DocumentWindow* doc = main.openFile(file);
  if (!doc) return 1;
  EditingControl* c = doc->control();
  QApplication::processEvents();
  double worst = 0;
  const char* worstKey = "";
  auto press = [&](const char* name, int key, Qt::KeyboardModifiers mods, const QString& text = {}) {
    const double ms = answer(c, key, mods, text);
    if (std::getenv("KIV_BENCH_VERBOSE")) std::fprintf(stderr, "%s %.1f\n", name, ms);
    if (ms > worst) worst = ms, worstKey = name;
  };
  for (int round = 0; round < 3; ++round) {
    press("ctrl+end", Qt::Key_End, Qt::ControlModifier);
    press("pgup", Qt::Key_PageUp, Qt::NoModifier);
    press("up", Qt::Key_Up, Qt::NoModifier);
    press("typing", Qt::Key_Z, Qt::NoModifier, QStringLiteral("z"));
    press("ctrl+home", Qt::Key_Home, Qt::ControlModifier);
    press("pgdn", Qt::Key_PageDown, Qt::NoModifier);
    press("down", Qt::Key_Down, Qt::NoModifier);
    press("typing", Qt::Key_Z, Qt::NoModifier, QStringLiteral("z"));
    QApplication::processEvents();
  }
  // Six letters typed, nothing else changed.
  const long typed = c->SendScintilla(QsciScintillaBase::SCI_GETMODIFY);
  std::printf("keys %.1f %s\n", worst, worstKey);
  return typed ? 0 : 1;
}

int save(MainWindow& main, const QString& file, const std::string& out) {
  DocumentWindow* doc = main.openFile(file);
  if (!doc) return 1;
  EditingControl* c = doc->control();
  answer(c, Qt::Key_Home, Qt::ControlModifier);
  answer(c, Qt::Key_Z, Qt::NoModifier, QStringLiteral("Z"));
  QElapsedTimer t;
  t.start();
  saveDocumentFile(main, doc, out);
  std::printf("save %.3f\n", t.nsecsElapsed() / 1e9);
  return 0;
}

int longLine(MainWindow& main, const QString& file) {
  QElapsedTimer t;
  t.start();
  DocumentWindow* doc = main.openFile(file);
  if (!doc) return 1;
  EditingControl* c = doc->control();
  c->viewport()->repaint();
  const double open = t.nsecsElapsed() / 1e9;
  t.restart();
  for (int i = 0; i < 20; ++i) answer(c, Qt::Key_PageDown, Qt::NoModifier);
  const double scroll = t.nsecsElapsed() / 1e9;
  t.restart();
  answer(c, Qt::Key_End, Qt::ControlModifier);
  const double toEnd = t.nsecsElapsed() / 1e9;
  t.restart();
  answer(c, Qt::Key_Z, Qt::NoModifier, QStringLiteral("Z"));
  const double typed = t.nsecsElapsed() / 1e9;
  const QString note = main.statusBar()->currentMessage();
  std::printf("longline %.3f %.3f %.3f %.3f \"%s\"\n", open, scroll, toEnd, typed, note.toUtf8().constData());
  return c->SendScintilla(QsciScintillaBase::SCI_GETMODIFY) ? 0 : 1;
}

}  // namespace

int main(int argc, char** argv) {
  QApplication app(argc, argv);
  if (argc < 4) {
    std::fprintf(stderr, "usage: bench_editor keys|save|longline FOLDER FILE [OUT]\n");
    return 2;
  }
  setupFontSubstitutes();
  const std::string mode = argv[1];
  MainWindow main(QString::fromLocal8Bit(argv[2]), {});
  main.resize(1000, 700);
  main.show();
  int rc = 2;
  QTimer::singleShot(0, [&] {
    const QString file = QString::fromLocal8Bit(argv[3]);
    if (mode == "keys") rc = keys(main, file);
    else if (mode == "save" && argc > 4) rc = save(main, file, argv[4]);
    else if (mode == "longline") rc = longLine(main, file);
    std::fflush(stdout);
    std::_Exit(rc);
  });
  return app.exec();
}
