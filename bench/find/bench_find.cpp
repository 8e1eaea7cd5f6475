// Find next and Replace, one match at a time, through a big document in the
// editing control, the way F3 and the replace command do it.
// Usage: bench_find gen <file> [megabytes]   writes the UTF-8 text: Russian
//          words with "ЩеКолДа" at 1000 evenly spread places
//        bench_find run <file>               loads it into the control, then
//          prints "<find s> <find cpu s> <replace s> <replace cpu s>"
// The run fails when a match is missed or found where there is none.

#include <QApplication>
#include <QFile>

#include <chrono>
#include <cstdio>
#include <ctime>
#include <string>
#include <vector>

#include "core/common/prng.h"
#include "ui/editor/control/editing_control.h"
#include "ui/editor/control/find_dialog.h"

namespace {

constexpr int kMatches = 1000;
const char kWord[] = "ЩеКолДа";

double cpuNow() {
  timespec t{};
  clock_gettime(CLOCK_PROCESS_CPUTIME_ID, &t);
  return static_cast<double>(t.tv_sec) + static_cast<double>(t.tv_nsec) / 1e9;
}

int generate(const char* path, std::size_t megabytes) {
  kiv::Prng rng(10);
  const std::size_t target = megabytes << 20;
  std::string text;
  text.reserve(target + 4096);
  const std::size_t every = target / kMatches;
  std::size_t next = every / 2;
  int placed = 0;
  while (text.size() < target) {
    if (placed < kMatches && text.size() >= next) {
      text += kWord;
      text += ' ';
      ++placed;
      next += every;
    }
    // Lower-case words of а..я (two bytes a letter): never the searched word,
    // which holds capitals.
    const std::uint32_t len = 2 + rng.below(9);
    for (std::uint32_t i = 0; i < len; ++i) {
      const std::uint32_t letter = rng.below(32);
      const unsigned code = 0x430 + letter;
      text += static_cast<char>(0xC0 | (code >> 6));
      text += static_cast<char>(0x80 | (code & 0x3F));
    }
    text += rng.below(12) == 0 ? "\r\n" : " ";
  }
  while (placed < kMatches) {
    text += kWord;
    text += ' ';
    ++placed;
  }
  QFile f(QString::fromLocal8Bit(path));
  if (!f.open(QIODevice::WriteOnly)) return 1;
  return f.write(text.data(), static_cast<qint64>(text.size())) == static_cast<qint64>(text.size()) ? 0 : 1;
}

int run(const char* path) {
  QFile f(QString::fromLocal8Bit(path));
  if (!f.open(QIODevice::ReadOnly)) return 1;
  QByteArray text = f.readAll();
  text.append('\0');
  std::vector<long> expected;
  const QByteArray word(kWord);
  for (qsizetype p = text.indexOf(word); p >= 0; p = text.indexOf(word, p + 1)) expected.push_back(static_cast<long>(p));
  if (expected.size() != kMatches) {
    std::fprintf(stderr, "bench find: the text holds %zu matches\n", expected.size());
    return 1;
  }
  kiv::EditingControl control;
  control.SendScintilla(QsciScintillaBase::SCI_SETUNDOCOLLECTION, 0L);
  control.SendScintilla(QsciScintillaBase::SCI_SETTEXT, text.constData());
  control.SendScintilla(QsciScintillaBase::SCI_SETUNDOCOLLECTION, 1L);

  kiv::SearchOptions o;
  o.text = QStringLiteral("щеколда");  // case ignored, as F3 does by default
  control.SendScintilla(QsciScintillaBase::SCI_SETSEL, 0L, 0L);
  auto t0 = std::chrono::steady_clock::now();
  double c0 = cpuNow();
  std::vector<long> seen;
  while (kiv::findAndSelect(&control, o, false))
    seen.push_back(control.SendScintilla(QsciScintillaBase::SCI_GETSELECTIONSTART));
  const double findWall = std::chrono::duration<double>(std::chrono::steady_clock::now() - t0).count();
  const double findCpu = cpuNow() - c0;
  if (seen != expected) {
    std::fprintf(stderr, "bench find: Find next visited %zu places, not the %d matches\n", seen.size(), kMatches);
    return 1;
  }

  // Replace one at a time: the same word for one of the same length in bytes.
  o.replacement = QStringLiteral("ЗАМЕНА!");
  control.SendScintilla(QsciScintillaBase::SCI_SETSEL, 0L, 0L);
  t0 = std::chrono::steady_clock::now();
  c0 = cpuNow();
  int replaced = 0;
  while (replaced < kMatches && kiv::replaceNext(&control, o)) ++replaced;
  const double replaceWall = std::chrono::duration<double>(std::chrono::steady_clock::now() - t0).count();
  const double replaceCpu = cpuNow() - c0;
  if (replaced != kMatches || kiv::findAndSelect(&control, o, false)) {
    std::fprintf(stderr, "bench find: Replace replaced %d of %d matches\n", replaced, kMatches);
    return 1;
  }
  std::printf("%.3f %.3f %.3f %.3f\n", findWall, findCpu, replaceWall, replaceCpu);
  return 0;
}

}  // namespace

int main(int argc, char** argv) {
  const std::string cmd = argc > 1 ? argv[1] : "";
  if (cmd == "gen" && argc >= 3) return generate(argv[2], argc > 3 ? std::strtoul(argv[3], nullptr, 10) : 100);
  if (cmd == "run" && argc == 3) {
    QApplication app(argc, argv);
    return run(argv[2]);
  }
  std::fprintf(stderr, "usage: bench_find gen <file> [megabytes] | run <file>\n");
  return 2;
}
