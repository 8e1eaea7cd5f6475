// Find in files, the word counter and multi-replace on generated data, for
// bench/search/run.sh to time beside grep, ripgrep, tr/sort/uniq and sed.
//
//   bench_search gen-tree DIR CORPUS            20,000 files, about 500 MB
//   bench_search find DIR MASK TEXT             prints the found paths
//   bench_search gen-text FILE MB CORPUS        Russian text in Windows-1251
//   bench_search tr-sets                        the byte sets for tr
//   bench_search analyze FILE                   "count word" lines, by falling count
//   bench_search gen-pairs FILE N CORPUS        N pairs "word=WORD!"
//   bench_search sed-script PAIRS               the same pairs for sed -f
//   bench_search replace FILE PAIRS OUT         multi-replace
//   bench_search gen-a FILE MB                  a file of "a"
//   bench_search stop-latency DIR TEXTFILE      ms from a stop to the end
// Timings of the work alone go to stderr as "work SECONDS".

#include <algorithm>
#include <chrono>
#include <cmath>
#include <cstring>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <functional>
#include <thread>
#include <iostream>
#include <random>
#include <set>
#include <string>
#include <vector>

#include "core/analysis/word_frequency.h"
#include "core/charsets/code_page.h"
#include "core/common/file_bytes.h"
#include "core/common/worker_control.h"
#include "core/search/file_search.h"
#include "core/search/replace_pairs.h"
#include "core/textfuncs/case1251_full.h"

using namespace kiv;
namespace fs = std::filesystem;

namespace {

using Clock = std::chrono::steady_clock;

void reportWork(Clock::time_point t0) {
  std::fprintf(stderr, "work %.3f\n", std::chrono::duration<double>(Clock::now() - t0).count());
}

std::string readAll(const std::string& path) {
  auto bytes = readFileBytes(path);
  if (!bytes) {
    std::fprintf(stderr, "cannot read %s\n", path.c_str());
    std::exit(1);
  }
  return *bytes;
}

void writeAll(const std::string& path, const std::string& bytes) {
  std::ofstream out(path, std::ios::binary);
  out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
  if (!out) {
    std::fprintf(stderr, "cannot write %s\n", path.c_str());
    std::exit(1);
  }
}

// The words of the corpus texts (UTF-8), in order of first occurrence.
std::vector<std::string> vocabulary(const std::string& corpus) {
  std::vector<std::string> words;
  std::set<std::string> seen;
  std::vector<fs::path> files;
  for (const auto& e : fs::directory_iterator(corpus))
    if (e.path().extension() == ".txt") files.push_back(e.path());
  std::sort(files.begin(), files.end());
  for (const auto& f : files) {
    const std::string text = readAll(f.string());
    std::string word;
    for (std::size_t i = 0; i <= text.size(); ++i) {
      const unsigned char c = i < text.size() ? static_cast<unsigned char>(text[i]) : ' ';
      if (c >= 0x80 || std::isalnum(c)) {
        word += static_cast<char>(c);
      } else if (!word.empty()) {
        if (seen.insert(word).second) words.push_back(word);
        word.clear();
      }
    }
  }
  return words;
}

// Text of about `bytes` bytes: words drawn with a falling (Zipf-like)
// frequency, punctuation and line breaks.
std::string prose(std::mt19937_64& rng, const std::vector<std::string>& words, std::size_t bytes,
                  const char* lineBreak) {
  std::string out;
  out.reserve(bytes + 200);
  std::size_t line = 0;
  const double n = static_cast<double>(words.size());
  std::uniform_real_distribution<double> u(0.0, 1.0);
  while (out.size() < bytes) {
    const auto i = static_cast<std::size_t>(std::pow(n, u(rng))) - 1;
    const std::string& w = words[std::min(i, words.size() - 1)];
    out += w;
    line += w.size() + 1;
    const auto r = rng() % 20;
    if (r == 0) out += ',';
    else if (r == 1) out += '.';
    if (line > 70) {
      out += lineBreak;
      line = 0;
    } else {
      out += ' ';
    }
  }
  return out;
}

std::vector<std::string> in1251(const std::vector<std::string>& words) {
  std::vector<std::string> out;
  for (const auto& w : words) out.push_back(CodePage::get(CodePageId::Win1251).encodeFromUtf8(w));
  return out;
}

int genTree(const std::string& root, const std::string& corpus) {
  const auto words = vocabulary(corpus);
  std::mt19937_64 rng(20240611);
  fs::remove_all(root);
  const int kFiles = 20000;
  const std::size_t kTotal = 500u << 20;
  const std::string needle = "kiv-needle-0042";
  std::exponential_distribution<double> size(1.0 / (static_cast<double>(kTotal) / kFiles));
  std::size_t written = 0;
  int matches = 0;
  for (int i = 0; i < kFiles; ++i) {
    const int top = i % 20, mid = (i / 20) % 10, low = (i / 200) % 4;
    fs::path dir = fs::path(root) / ("d" + std::to_string(top)) / ("s" + std::to_string(mid));
    if (low > 0) dir /= "deep" + std::to_string(low);
    fs::create_directories(dir);
    auto bytes = static_cast<std::size_t>(size(rng));
    if (i % 997 == 0) bytes = 4u << 20;  // a few large files
    bytes = std::clamp<std::size_t>(bytes, 64, 8u << 20);
    const int kind = static_cast<int>(rng() % 20);
    std::string name = "f" + std::to_string(i);
    std::string data;
    if (kind < 4) {  // binary, most under other names
      data.resize(bytes);
      for (auto& c : data) c = static_cast<char>(rng() % 7 == 0 ? 0 : rng());
      name += kind == 0 ? ".txt" : ".bin";
    } else {
      data = prose(rng, words, bytes, "\n");
      name += kind < 7 ? ".log" : ".txt";
      if (rng() % 1000 < 2) {  // a few matches, in mixed case
        std::string n = needle;
        for (auto& c : n)
          if (rng() % 2) c = static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
        data.insert(rng() % data.size(), n);
        ++matches;
      }
    }
    writeAll((dir / name).string(), data);
    written += data.size();
  }
  std::printf("%d files, %zu MB, %d with the needle\n", kFiles, written >> 20, matches);
  return 0;
}

int find(const std::string& dir, const std::string& mask, const std::string& text) {
  const auto t0 = Clock::now();
  std::string out;
  searchFiles({dir, mask, text}, nullptr, [&](const FoundFile& f) { out += f.path + "\n"; });
  reportWork(t0);
  std::fwrite(out.data(), 1, out.size(), stdout);
  return 0;
}

int genText(const std::string& file, std::size_t mb, const std::string& corpus) {
  std::mt19937_64 rng(5);
  writeAll(file, prose(rng, in1251(vocabulary(corpus)), mb << 20, "\r\n"));
  return 0;
}

std::string octal(int b) {
  char buf[8];
  std::snprintf(buf, sizeof buf, "\\%03o", b);
  return buf;
}

int trSets() {
  std::string wordSet, upper, lower;
  for (int b = 0; b < 256; ++b) {
    if (!isWordDelimiter(static_cast<unsigned char>(b))) wordSet += octal(b);
    const int l = fullLowerChar1251(static_cast<unsigned char>(b));
    if (l != b) {
      upper += octal(b);
      lower += octal(l);
    }
  }
  std::printf("%s\n%s\n%s\n", wordSet.c_str(), upper.c_str(), lower.c_str());
  return 0;
}

int analyze(const std::string& file) {
  const std::string text = readAll(file);
  const auto t0 = Clock::now();
  WordFrequency f = countWords(text);
  sortWordCounts(f);
  reportWork(t0);
  std::string out;
  for (const auto& w : f.words) out += std::to_string(w.count) + " " + w.word + "\n";
  std::fwrite(out.data(), 1, out.size(), stdout);
  return 0;
}

int genPairs(const std::string& file, std::size_t n, const std::string& corpus) {
  // Words of six letters or more, as a list of names or terms would hold.
  std::vector<std::string> words;
  for (auto& w : in1251(vocabulary(corpus)))
    if (w.size() >= 6) words.push_back(w);
  std::mt19937_64 rng(9);
  std::shuffle(words.begin(), words.end(), rng);
  std::string out;
  for (std::size_t i = 0; i < n && i < words.size(); ++i)
    out += words[i] + "=" + fullUpperCase1251(words[i]) + "!\r\n";
  writeAll(file, out);
  return 0;
}

int sedScript(const std::string& pairsFile) {
  auto escape = [](const std::string& s, const char* special) {
    std::string out;
    for (char c : s) {
      if (std::strchr(special, c)) out += '\\';
      out += c;
    }
    return out;
  };
  for (const auto& p : parseReplacePairs(readAll(pairsFile))) {
    if (p.find.empty()) continue;
    std::printf("s/%s/%s/g\n", escape(p.find, "\\/.*[]^$").c_str(), escape(p.replacement, "\\/&").c_str());
  }
  return 0;
}

int replace(const std::string& file, const std::string& pairsFile, const std::string& outFile) {
  const std::string text = readAll(file);
  const auto pairs = parseReplacePairs(readAll(pairsFile));
  const auto t0 = Clock::now();
  const std::string out = applyReplacePairs(text, pairs);
  reportWork(t0);
  writeAll(outFile, out);
  return 0;
}

// How long a stop takes to end a running search and a running count: each
// is stopped 0.1 s after it starts.
int stopLatency(const std::string& dir, const std::string& textFile) {
  auto measure = [](const std::function<void(WorkerControl&)>& job) {
    WorkerControl control;
    std::thread t([&] { job(control); });
    std::this_thread::sleep_for(std::chrono::milliseconds(100));
    const auto t0 = Clock::now();
    control.requestStop();
    t.join();
    return std::chrono::duration<double, std::milli>(Clock::now() - t0).count();
  };
  const double search = measure([&](WorkerControl& c) {
    searchFiles({dir, "*", "text that is nowhere"}, &c, [](const FoundFile&) {});
  });
  const std::string text = readAll(textFile);
  const double count = measure([&](WorkerControl& c) { countWords(text, &c); });
  std::printf("%.1f %.1f\n", search, count);
  return 0;
}

}  // namespace

int main(int argc, char** argv) {
  const std::vector<std::string> a(argv + 1, argv + argc);
  if (a.size() == 3 && a[0] == "gen-tree") return genTree(a[1], a[2]);
  if (a.size() == 4 && a[0] == "find") return find(a[1], a[2], a[3]);
  if (a.size() == 4 && a[0] == "gen-text") return genText(a[1], std::stoul(a[2]), a[3]);
  if (a.size() == 1 && a[0] == "tr-sets") return trSets();
  if (a.size() == 2 && a[0] == "analyze") return analyze(a[1]);
  if (a.size() == 4 && a[0] == "gen-pairs") return genPairs(a[1], std::stoul(a[2]), a[3]);
  if (a.size() == 2 && a[0] == "sed-script") return sedScript(a[1]);
  if (a.size() == 4 && a[0] == "replace") return replace(a[1], a[2], a[3]);
  if (a.size() == 3 && a[0] == "stop-latency") return stopLatency(a[1], a[2]);
  if (a.size() == 3 && a[0] == "gen-a") {
    writeAll(a[1], std::string(std::stoul(a[2]) << 20, 'a'));
    return 0;
  }
  std::fprintf(stderr, "usage: see the comment at the top of bench_search.cpp\n");
  return 2;
}
