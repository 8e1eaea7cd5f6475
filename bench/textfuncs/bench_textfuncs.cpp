// Timings of the text functions on big inputs. Subcommands:
//   gen <dir>            writes lines1251.txt (a million lines of Russian
//                        letters, none equal but for case) and
//                        text1251.txt (about 100 MB) in Windows-1251
//   sort <in> <out>      read, split, sort as the menu does (the locale's
//                        case-insensitive order from the system locale),
//                        join, write
//   wrap <in> <out> <w>  read, hard word wrap, write
//   collapse <in> <out>  read, collapse white space, write
// Each timing subcommand prints two numbers of seconds on one line: the
// whole run (read, work, write) and the work alone.

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <unordered_set>

#include "core/common/file_bytes.h"
#include "core/common/prng.h"
#include "core/common/text_lines.h"
#include "core/textfuncs/case1251_full.h"
#include "core/textfuncs/case_format.h"
#include "core/textfuncs/line_sort.h"
#include "ui/app/regional_setup.h"

namespace {

using Clock = std::chrono::steady_clock;

std::string randomWord(kiv::Prng& rng) {
  static const std::string latin = "abcdefghijklmnopqrstuvwxyz";
  std::string word;
  const std::uint32_t len = 2 + rng.below(9);
  const std::uint32_t kind = rng.below(10);
  for (std::uint32_t i = 0; i < len; ++i) {
    char c;
    if (kind < 6) {
      // Russian: а..я with an occasional ё.
      c = rng.below(40) == 0 ? static_cast<char>(0xB8) : static_cast<char>(0xE0 + rng.below(32));
      if (rng.below(4) == 0) c = static_cast<char>(c == static_cast<char>(0xB8) ? 0xA8 : static_cast<unsigned char>(c) - 0x20);
    } else if (kind < 9) {
      c = latin[rng.below(26)];
      if (rng.below(4) == 0) c = static_cast<char>(c - 0x20);
    } else {
      c = static_cast<char>('0' + rng.below(10));
    }
    word += c;
  }
  return word;
}

// A Russian word of 2..24 letters in mixed case, ё among them.
std::string russianWord(kiv::Prng& rng) {
  std::string word;
  const std::uint32_t len = 2 + rng.below(23);
  for (std::uint32_t i = 0; i < len; ++i) {
    const std::uint32_t letter = rng.below(33);  // а..я and ё
    unsigned char c = letter == 32 ? 0xB8 : static_cast<unsigned char>(0xE0 + letter);
    if (rng.below(4) == 0) c = c == 0xB8 ? 0xA8 : static_cast<unsigned char>(c - 0x20);
    word += static_cast<char>(c);
  }
  return word;
}

int generate(const std::string& dir) {
  kiv::Prng rng(2024);
  // A million lines of Russian letters, no two equal but for case: the
  // order is then the same for every collation that puts the Russian
  // letters in alphabetical order and ignores case (lines equal but for
  // case are ordered by case in some and kept in place in others).
  std::string lines;
  lines.reserve(20u << 20);
  std::unordered_set<std::string> seen;
  seen.reserve(1100000);
  const auto& lower = kiv::fullLowerTable1251();
  while (seen.size() < 1000000) {
    const std::string word = russianWord(rng);
    std::string folded = word;
    for (char& c : folded) c = static_cast<char>(lower[static_cast<unsigned char>(c)]);
    if (!seen.insert(std::move(folded)).second) continue;
    lines += word;
    lines += "\r\n";
  }
  if (!kiv::writeFileAtomically(dir + "/lines1251.txt", lines)) return 1;

  // Paragraphs of 200..2000 bytes, words separated by one to three blanks.
  std::string text;
  const std::size_t target = 100u << 20;
  text.reserve(target + 4096);
  while (text.size() < target) {
    const std::size_t paragraph = 200 + rng.below(1800);
    const std::size_t start = text.size();
    while (text.size() - start < paragraph) {
      text += randomWord(rng);
      const std::uint32_t gap = rng.below(8);
      text += gap < 5 ? " " : gap < 6 ? "  " : gap < 7 ? " \t " : "-";
    }
    text += "\r\n";
  }
  return kiv::writeFileAtomically(dir + "/text1251.txt", text) ? 0 : 1;
}

// Plain write, no flush to disk, as the peer tools do.
bool writePlain(const std::string& path, const std::string& bytes) {
  std::FILE* f = std::fopen(path.c_str(), "wb");
  if (!f) return false;
  const bool ok = std::fwrite(bytes.data(), 1, bytes.size(), f) == bytes.size();
  return std::fclose(f) == 0 && ok;
}

// Prints the whole time (read, work, write) and the time of the work alone.
template <typename F>
int timed(const std::string& in, const std::string& out, F op) {
  const auto t0 = Clock::now();
  const std::string text = kiv::readFileOrThrow(in);
  const auto t1 = Clock::now();
  const std::string result = op(text);
  const auto t2 = Clock::now();
  if (!writePlain(out, result)) return 1;
  const auto t3 = Clock::now();
  std::printf("%.3f %.3f\n", std::chrono::duration<double>(t3 - t0).count(),
              std::chrono::duration<double>(t2 - t1).count());
  return 0;
}

}  // namespace

int main(int argc, char** argv) {
  const std::string cmd = argc > 1 ? argv[1] : "";
  if (cmd == "gen" && argc == 3) return generate(argv[2]);
  if (cmd == "sort" && argc == 4) {
    kiv::setupRegionalFormat();
    return timed(argv[2], argv[3], [](const std::string& t) {
      return kiv::joinLinesCrLf(kiv::sortLines(kiv::splitLines(t), kiv::regionalOrderIgnoreCase()));
    });
  }
  if (cmd == "wrap" && argc == 5) {
    const int width = std::atoi(argv[4]);
    return timed(argv[2], argv[3], [width](const std::string& t) { return kiv::hardWordWrap(t, width); });
  }
  if (cmd == "collapse" && argc == 4)
    return timed(argv[2], argv[3], [](const std::string& t) { return kiv::collapseWhiteSpace(t); });
  std::fprintf(stderr, "usage: bench_textfuncs gen <dir> | sort <in> <out> | wrap <in> <out> <width> | collapse <in> <out>\n");
  return 2;
}
