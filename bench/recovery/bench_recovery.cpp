// Typing with and without the recovery journal on a big document.
#include <QApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QKeyEvent>
#include <QTimer>
#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <sys/stat.h>
#include <vector>

#include "core/recovery/journal_writer.h"
#include "ui/app/main_window.h"
#include "ui/app/regional_setup.h"
#include "ui/common/sound_player.h"
#include "ui/editor/control/editing_control.h"
#include "ui/editor/document_window.h"
#include "ui/recovery/document_journal.h"
#include "ui/recovery/recovery_keeper.h"

using namespace kiv;

namespace {

std::string makeText(std::size_t bytes) {
  // Lines of words, Cyrillic (Windows-1251) and Latin mixed.
  const std::string words[] = {"recovery ", "\xE6\xF3\xF0\xED\xE0\xEB ", "journal ", "\xF2\xE5\xEA\xF1\xF2 ",
                               "keystroke ", "\xEF\xF0\xE0\xE2\xEA\xE0 "};
  std::string s;
  s.reserve(bytes + 100);
  std::size_t i = 0, line = 0;
  while (s.size() < bytes) {
    s += words[i++ % 6];
    if (++line == 9) {
      s += "\r\n";
      line = 0;
    }
  }
  return s;
}

struct Stats {
  double median, p90, p99, max, mean;
};

Stats statsOf(std::vector<double> us) {
  std::sort(us.begin(), us.end());
  double sum = 0;
  for (double v : us) sum += v;
  auto at = [&](double q) { return us[std::min(us.size() - 1, static_cast<std::size_t>(q * us.size()))]; };
  return {at(0.5), at(0.9), at(0.99), us.back(), sum / us.size()};
}

std::vector<double> typeKeys(EditingControl* control, int keys) {
  std::vector<double> us;
  us.reserve(keys);
  QElapsedTimer t;
  for (int i = 0; i < keys; ++i) {
    const bool enter = i % 60 == 59;
    const int key = enter ? Qt::Key_Return : Qt::Key_A + i % 26;
    const QString text = enter ? QStringLiteral("\r") : QString(QChar('a' + i % 26));
    t.start();
    QKeyEvent press(QEvent::KeyPress, key, Qt::NoModifier, text);
    QApplication::sendEvent(control, &press);
    QKeyEvent release(QEvent::KeyRelease, key, Qt::NoModifier, text);
    QApplication::sendEvent(control, &release);
    us.push_back(t.nsecsElapsed() / 1e3);
    // Let timers and the screen run now and then, as between a typist's keys.
    if (i % 20 == 0) QApplication::processEvents();
  }
  return us;
}

void report(const char* what, const Stats& s) {
  std::printf("%-22s median %7.1f us  p90 %7.1f us  p99 %8.1f us  max %9.1f us  mean %7.1f us\n", what, s.median,
              s.p90, s.p99, s.max, s.mean);
}

long long fileSize(const std::string& path) {
  struct stat st {};
  return ::stat(path.c_str(), &st) == 0 ? static_cast<long long>(st.st_size) : -1;
}

}  // namespace

int main(int argc, char** argv) {
  if (argc < 4) {
    std::fprintf(stderr, "usage: bench_recovery <program folder/> <megabytes> <keys>\n");
    return 2;
  }
  QApplication app(argc, argv);
  setupFontSubstitutes();
  const QString folder = QString::fromLocal8Bit(argv[1]);
  const std::size_t megabytes = std::strtoul(argv[2], nullptr, 10);
  const int keys = std::atoi(argv[3]);
  const std::string path = std::string(argv[1]) + "big.txt";
  std::ofstream(path, std::ios::binary) << makeText(megabytes << 20);

  MainWindow main(folder, {});
  main.sounds().setMuted(true);
  main.show();
  int rc = 0;
  QTimer::singleShot(100, [&] {
    DocumentWindow* doc = main.openFile(QString::fromStdString(path));
    if (!doc) {
      rc = 1;
      QApplication::quit();
      return;
    }
    EditingControl* control = doc->control();
    const long docBytes = control->SendScintilla(QsciScintillaBase::SCI_GETLENGTH);
    control->moveCaretTo(control->lineListCount() / 2, 10);
    std::printf("document: %.1f MB in the control, %d lines; typing %d keys in its middle\n", docBytes / 1048576.0,
                control->lineListCount(), keys);

    delete main.recovery().journalOf(doc);  // no journal
    typeKeys(control, 1000);  // warming up, not counted
    const Stats off = statsOf(typeKeys(control, keys));
    main.recovery().watch(doc);  // a journal again: it starts at the next key
    const Stats on = statsOf(typeKeys(control, keys));
    report("journal off", off);
    report("journal on", on);
    std::printf("median difference: %+.1f us per keystroke (%+.1f%%)\n", on.median - off.median,
                100.0 * (on.median - off.median) / off.median);

    DocumentJournal* journal = main.recovery().journalOf(doc);
    QElapsedTimer t;
    t.start();
    main.recovery().flush();
    std::printf("queued edits on disk after:    %.1f ms\n", t.nsecsElapsed() / 1e6);
    const QStringList files = QDir(folder + QStringLiteral("Recovery")).entryList({QStringLiteral("*.kivjournal")});
    const std::string file = files.isEmpty() ? std::string() : (folder + QStringLiteral("Recovery/") + files.first()).toStdString();
    const long long before = fileSize(file);
    t.restart();
    journal->startNow();  // compaction: header and a fresh copy of the text
    const double copyMs = t.nsecsElapsed() / 1e6;
    main.recovery().flush();
    const long long after = fileSize(file);
    const long nowBytes = control->SendScintilla(QsciScintillaBase::SCI_GETLENGTH);
    std::printf("journal before compaction:     %.1f MB\n", before / 1048576.0);
    std::printf("journal after compaction:      %.1f MB = %.3f x the document (%.1f MB); "
                "text copied on the interface thread in %.1f ms, written in %.1f ms\n",
                after / 1048576.0, static_cast<double>(after) / nowBytes, nowBytes / 1048576.0, copyMs,
                t.nsecsElapsed() / 1e6 - copyMs);
    control->setModifiedFlag(false);
    main.close();
    QApplication::quit();
  });
  QApplication::exec();
  std::remove(path.c_str());
  return rc;
}
