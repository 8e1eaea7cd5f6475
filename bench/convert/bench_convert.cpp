// Speed of the code page routines beside iconv, on the same data in the
// same run: the corpus texts (Russian letters and ASCII only, so that every
// conversion is exact in both) repeated to the requested size.
// Usage: bench_convert CORPUS_TEXTS_DIR WORK_DIR [MEGABYTES]

#include <iconv.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <functional>
#include <string>
#include <vector>

#include "core/charsets/code_page.h"
#include "core/charsets/cyrillic_conversions.h"
#include "core/charsets/utf8.h"
#include "core/common/file_bytes.h"

namespace fs = std::filesystem;
using Clock = std::chrono::steady_clock;

namespace {

std::string readFile(const fs::path& p) {
  std::string s;
  FILE* f = std::fopen(p.c_str(), "rb");
  if (!f) return s;
  std::fseek(f, 0, SEEK_END);
  const long n = std::ftell(f);
  std::fseek(f, 0, SEEK_SET);
  if (n > 0) {
    s.resize(static_cast<std::size_t>(n));
    s.resize(std::fread(s.data(), 1, s.size(), f));
  }
  std::fclose(f);
  return s;
}

void writeFile(const fs::path& p, const std::string& s) {
  FILE* f = std::fopen(p.c_str(), "wb");
  if (!f) return;
  std::fwrite(s.data(), 1, s.size(), f);
  std::fclose(f);
}

double seconds(Clock::time_point t0) { return std::chrono::duration<double>(Clock::now() - t0).count(); }

// The corpus as Windows-1251, keeping only ASCII and the Russian letters.
std::string corpusWin1251(const fs::path& dir) {
  std::string utf8;
  std::vector<fs::path> files;
  for (const auto& e : fs::directory_iterator(dir))
    if (e.path().extension() == ".txt") files.push_back(e.path());
  std::sort(files.begin(), files.end());
  for (const auto& f : files) utf8 += readFile(f);
  std::string kept;
  std::size_t pos = 0;
  while (pos < utf8.size()) {
    const char32_t cp = kiv::nextUtf8(utf8, pos);
    const bool russian = (cp >= 0x410 && cp <= 0x44F) || cp == 0x401 || cp == 0x451;
    if (cp < 0x80 || russian) kiv::appendUtf8(kept, cp);
    else kept += '?';
  }
  return kiv::CodePage::get(kiv::CodePageId::Win1251).encodeFromUtf8(kept);
}

struct Pair {
  const char* label;
  const char* from;  // iconv names
  const char* to;
  std::function<void(std::string&)> ours;  // the program's chain
  std::function<void(std::string&)> makeSource;  // Windows-1251 → the source code page
};

std::string iconvInProcess(const char* from, const char* to, const std::string& in) {
  iconv_t cd = iconv_open(to, from);
  if (cd == reinterpret_cast<iconv_t>(-1)) return {};
  std::string out(in.size(), '\0');
  char* src = const_cast<char*>(in.data());
  std::size_t srcLeft = in.size();
  char* dst = out.data();
  std::size_t dstLeft = out.size();
  iconv(cd, &src, &srcLeft, &dst, &dstLeft);
  iconv_close(cd);
  out.resize(out.size() - dstLeft);
  return out;
}

template <class F>
double best(int runs, F&& f) {
  double b = 1e30;
  for (int i = 0; i < runs; ++i) {
    const auto t0 = Clock::now();
    f();
    b = std::min(b, seconds(t0));
  }
  return b;
}

}  // namespace

int main(int argc, char** argv) {
  if (argc < 3) {
    std::fprintf(stderr, "usage: bench_convert CORPUS_TEXTS_DIR WORK_DIR [MEGABYTES]\n");
    return 2;
  }
  const fs::path corpus = argv[1];
  const fs::path work = argv[2];
  const std::size_t megabytes = argc > 3 ? std::strtoul(argv[3], nullptr, 10) : 100;
  const std::string seed = corpusWin1251(corpus);
  if (seed.empty()) {
    std::fprintf(stderr, "no corpus texts in %s\n", corpus.c_str());
    return 1;
  }
  std::string win;
  const std::size_t target = megabytes << 20;
  win.reserve(target + seed.size());
  while (win.size() < target) win += seed;
  win.resize(target);
  fs::create_directories(work);

  using namespace kiv;
  const Pair pairs[] = {
      {"win > dos", "CP1251", "CP866", dosFromWin, [](std::string&) {}},
      {"dos > win", "CP866", "CP1251", winFromDos, dosFromWin},
      {"win > koi", "CP1251", "KOI8-R", koiFromWin, [](std::string&) {}},
      {"koi > win", "KOI8-R", "CP1251", winFromKoi, koiFromWin},
      {"koi > dos", "KOI8-R", "CP866", [](std::string& s) { winFromKoi(s); dosFromWin(s); }, koiFromWin},
      {"win > mac", "CP1251", "MAC-CYRILLIC", macFromWin, [](std::string&) {}},
      {"mac > win", "MAC-CYRILLIC", "CP1251", winFromMac, macFromWin},
      {"win > iso", "CP1251", "ISO-8859-5", isoFromWin, [](std::string&) {}},
      {"iso > win", "ISO-8859-5", "CP1251", winFromIso, isoFromWin},
  };
  const double mb = static_cast<double>(target) / (1 << 20);
  std::printf("Converting %.0f MB of Russian text (best of 3 runs), MB/s\n\n", mb);
  std::printf("%-10s %12s %12s %12s %12s %10s %6s\n", "pair", "Kiv memory", "iconv(3)", "Kiv files", "iconv prog",
              "files k/i", "same");
  int slower = 0;
  int differ = 0;
  for (const Pair& p : pairs) {
    std::string source = win;
    p.makeSource(source);
    const fs::path in = work / "in.txt";
    const fs::path outOurs = work / "out_kiv.txt";
    const fs::path outIconv = work / "out_iconv.txt";
    writeFile(in, source);

    std::string buf;
    const double tMem = best(3, [&] {
      buf = source;
      p.ours(buf);
    });
    std::string lib;
    const double tLib = best(3, [&] { lib = iconvInProcess(p.from, p.to, source); });
    const double tFiles = best(3, [&] {
      // The program's reader: the file read in blocks into a string that
      // grows as it fills, never filled with zeros first.
      std::string s = readFileBytes(in.string()).value_or(std::string());
      p.ours(s);
      writeFile(outOurs, s);
    });
    const std::string cmd = std::string("iconv -c -f ") + p.from + " -t " + p.to + " '" + in.string() + "' > '" +
                            outIconv.string() + "'";
    int rc = 0;
    const double tProg = best(3, [&] { rc = std::system(cmd.c_str()); });
    const bool same = rc == 0 && buf == lib && readFile(outIconv) == buf && readFile(outOurs) == buf;
    std::printf("%-10s %12.0f %12.0f %12.0f %12.0f %10.2f %6s\n", p.label, mb / tMem, mb / tLib, mb / tFiles,
                mb / tProg, tFiles / tProg, same ? "yes" : "NO");
    if (!same) ++differ;
    if (tMem > tLib || tFiles > tProg) ++slower;
  }
  std::error_code ec;
  fs::remove(work / "in.txt", ec);
  fs::remove(work / "out_kiv.txt", ec);
  fs::remove(work / "out_iconv.txt", ec);
  std::printf("\nKiv memory: the routine on a string; Kiv files: read file, convert, write file.\n");
  std::printf("files k/i: time of Kiv files over the iconv program's (read, convert, write).\n");
  std::printf("Pairs where Kiv is slower than iconv: %d\n", slower);
  if (differ) std::fprintf(stderr, "bench convert: %d pairs differ from iconv\n", differ);
  return differ ? 1 : 0;
}
