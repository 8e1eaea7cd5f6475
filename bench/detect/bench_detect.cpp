// Accuracy of the charset detector on FOLDER/{cp1251,cp866,koi8_r}/LENGTH/,
// beside uchardet and "enca -L ru" on the same files in the same run.
// Pieces without any byte above 7F are left out (no detector can tell).
// The "markers" column is the bare marker-list rule, for comparison.
// Usage: bench_detect FOLDER

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <map>
#include <string>
#include <vector>

#include "core/charsets/charset_detect.h"

#ifdef KIV_HAVE_LIBUCHARDET
#include <uchardet/uchardet.h>
#endif

namespace fs = std::filesystem;

namespace {

std::string readFile(const fs::path& p) {
  std::ifstream f(p, std::ios::binary);
  return std::string(std::istreambuf_iterator<char>(f), std::istreambuf_iterator<char>());
}

std::string runCommand(const std::string& cmd) {
  std::string out;
  FILE* p = popen(cmd.c_str(), "r");
  if (!p) return out;
  char buf[65536];
  std::size_t n;
  while ((n = fread(buf, 1, sizeof buf, p)) > 0) out.append(buf, n);
  pclose(p);
  return out;
}

bool haveProgram(const char* name) {
  return std::system((std::string("command -v ") + name + " >/dev/null 2>&1").c_str()) == 0;
}

// "win", "dos", "koi" or "" for a charset name of another tool.
std::string idOf(std::string name) {
  std::transform(name.begin(), name.end(), name.begin(), [](unsigned char c) { return std::toupper(c); });
  while (!name.empty() && (name.back() == '\n' || name.back() == ' ' || name.back() == '\r')) name.pop_back();
  if (name == "WINDOWS-1251" || name == "CP1251") return "win";
  if (name == "IBM866" || name == "CP866") return "dos";
  if (name == "KOI8-R") return "koi";
  return "";
}

std::string shellQuote(const std::string& s) {
  std::string q = "'";
  for (char c : s) {
    if (c == '\'') q += "'\\''";
    else q += c;
  }
  return q + "'";
}

std::vector<std::string> uchardetAnswers(const std::vector<fs::path>& files, const std::vector<std::string>& data) {
  std::vector<std::string> out;
#ifdef KIV_HAVE_LIBUCHARDET
  (void)files;
  uchardet_t ud = uchardet_new();
  for (const std::string& d : data) {
    uchardet_reset(ud);
    uchardet_handle_data(ud, d.data(), d.size());
    uchardet_data_end(ud);
    out.push_back(idOf(uchardet_get_charset(ud)));
  }
  uchardet_delete(ud);
#else
  (void)data;
  if (!haveProgram("uchardet")) return out;
  for (const fs::path& f : files) out.push_back(idOf(runCommand("uchardet " + shellQuote(f.string()))));
#endif
  return out;
}

std::vector<std::string> encaAnswers(const std::vector<fs::path>& files) {
  std::vector<std::string> out;
  if (!haveProgram("enca")) return out;
  std::map<std::string, std::string> byPath;
  const std::size_t batch = 200;
  for (std::size_t i = 0; i < files.size(); i += batch) {
    std::string cmd = "enca -L ru -i";
    const std::size_t end = std::min(files.size(), i + batch);
    for (std::size_t k = i; k < end; ++k) cmd += " " + shellQuote(files[k].string());
    cmd += " 2>/dev/null";
    const std::string text = runCommand(cmd);
    std::size_t pos = 0;
    while (pos < text.size()) {
      std::size_t nl = text.find('\n', pos);
      if (nl == std::string::npos) nl = text.size();
      const std::string line = text.substr(pos, nl - pos);
      pos = nl + 1;
      if (end - i == 1) {
        byPath[files[i].string()] = line;
        continue;
      }
      const std::size_t colon = line.rfind(": ");
      if (colon != std::string::npos) byPath[line.substr(0, colon)] = line.substr(colon + 2);
    }
  }
  for (const fs::path& f : files) out.push_back(idOf(byPath[f.string()]));
  return out;
}

}  // namespace

int main(int argc, char** argv) {
  if (argc < 2) {
    std::fprintf(stderr, "usage: bench_detect FOLDER\n");
    return 2;
  }
  const fs::path root = argv[1];
  const std::pair<const char*, const char*> pages[] = {{"cp1251", "win"}, {"cp866", "dos"}, {"koi8_r", "koi"}};
  const char* lengths[] = {"16", "32", "64", "128", "256", "1024", "whole"};
  const bool haveEnca = haveProgram("enca");
#ifdef KIV_HAVE_LIBUCHARDET
  const bool haveUchardet = true;
#else
  const bool haveUchardet = haveProgram("uchardet");
#endif
  std::printf("Charset detection accuracy, %% of files (pieces with no byte above 7F left out)\n\n");
  std::printf("%-8s %-7s %6s %8s %9s %8s %8s\n", "page", "length", "files", "Kiv", "uchardet", "enca", "markers");
  double oursSeconds = 0;
  int worse = 0;
  for (const auto& [page, id] : pages) {
    for (const char* len : lengths) {
      const fs::path dir = root / page / len;
      if (!fs::is_directory(dir)) continue;
      std::vector<fs::path> files;
      for (const auto& e : fs::directory_iterator(dir))
        if (e.is_regular_file()) files.push_back(e.path());
      std::sort(files.begin(), files.end());
      std::vector<fs::path> kept;
      std::vector<std::string> data;
      for (const fs::path& f : files) {
        std::string d = readFile(f);
        if (std::none_of(d.begin(), d.end(), [](char c) { return static_cast<unsigned char>(c) >= 0x80; })) continue;
        kept.push_back(f);
        data.push_back(std::move(d));
      }
      if (kept.empty()) continue;
      std::size_t ours = 0, markers = 0;
      for (const std::string& d : data) {
        const char* old = kiv::hasKoiMarker(d) ? "koi" : kiv::hasDosMarker(d) ? "dos" : "win";
        markers += std::string(old) == id;
      }
      const auto t0 = std::chrono::steady_clock::now();
      for (const std::string& d : data) ours += kiv::detectCharset(d) == id;
      oursSeconds += std::chrono::duration<double>(std::chrono::steady_clock::now() - t0).count();
      const auto ud = uchardetAnswers(kept, data);
      const auto en = encaAnswers(kept);
      const double n = static_cast<double>(kept.size());
      auto pct = [&](const std::vector<std::string>& answers) {
        return 100.0 * static_cast<double>(std::count(answers.begin(), answers.end(), id)) / n;
      };
      const double oursPct = 100.0 * static_cast<double>(ours) / n;
      char udText[16] = "n/a", enText[16] = "n/a";
      if (haveUchardet && !ud.empty()) std::snprintf(udText, sizeof udText, "%.1f", pct(ud));
      if (haveEnca && !en.empty()) std::snprintf(enText, sizeof enText, "%.1f", pct(en));
      if (haveUchardet && !ud.empty() && oursPct + 1e-9 < pct(ud)) ++worse;
      std::printf("%-8s %-7s %6zu %8.1f %9s %8s %8.1f\n", page, len, kept.size(), oursPct, udText, enText,
                  100.0 * static_cast<double>(markers) / n);
    }
  }
  std::printf("\nKiv detector time: %.3f s in all; rows where Kiv is below uchardet: %d\n", oursSeconds, worse);
  return 0;
}
