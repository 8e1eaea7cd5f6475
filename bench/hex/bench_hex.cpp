// The hex editor's file model on a large file; run.sh compares finding with
// grep on the same file.
// Usage:
//   bench_hex make FILE SIZE PATTERN   sparse file of SIZE bytes, a line break
//                                      every MiB, PATTERN near the end
//   bench_hex scroll FILE              open, then read rows as the grid does:
//                                      page by page from the top, jumps across
//                                      the file, page by page at the end;
//                                      prints ms, rows read, peak resident MB
//   bench_hex find FILE PATTERN        prints ms, the offset found, peak MB

#include <fcntl.h>
#include <unistd.h>

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <fstream>
#include <string>

#include "core/hex/hex_document.h"

namespace {

double peakResidentMb() {
  std::ifstream status("/proc/self/status");
  std::string line;
  while (std::getline(status, line))
    if (line.rfind("VmHWM:", 0) == 0) return std::strtod(line.c_str() + 6, nullptr) / 1024.0;
  return 0;
}

double msSince(std::chrono::steady_clock::time_point t) {
  return std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - t).count();
}

int make(const char* path, unsigned long long size, const char* pattern) {
  const int fd = ::open(path, O_CREAT | O_TRUNC | O_WRONLY, 0644);
  if (fd < 0 || ::ftruncate(fd, static_cast<off_t>(size)) != 0) return 1;
  for (unsigned long long at = (1ull << 20) - 1; at < size; at += 1ull << 20)
    if (::pwrite(fd, "\n", 1, static_cast<off_t>(at)) != 1) return 1;
  const std::size_t n = std::strlen(pattern);
  if (::pwrite(fd, pattern, n, static_cast<off_t>(size - 1000)) != static_cast<ssize_t>(n)) return 1;
  ::close(fd);
  return 0;
}

}  // namespace

int main(int argc, char** argv) {
  const std::string task = argc > 1 ? argv[1] : "";
  if (task == "make" && argc == 5) return make(argv[2], std::strtoull(argv[3], nullptr, 10), argv[4]);
  if ((task != "scroll" || argc != 3) && (task != "find" || argc != 4)) {
    std::fprintf(stderr, "usage: bench_hex make FILE SIZE PATTERN | scroll FILE | find FILE PATTERN\n");
    return 2;
  }
  const auto start = std::chrono::steady_clock::now();
  kiv::HexDocument doc;
  std::string why;
  if (!doc.open(argv[2], &why)) {
    std::fprintf(stderr, "cannot open %s: %s\n", argv[2], why.c_str());
    return 1;
  }
  if (task == "scroll") {
    constexpr std::uint64_t bpl = 16, page = 40;
    const std::uint64_t rows = (doc.size() + bpl - 1) / bpl;
    unsigned long long read = 0, sum = 0;
    auto show = [&](std::uint64_t top) {
      for (std::uint64_t r = top; r < top + page && r < rows; ++r, ++read)
        for (unsigned char c : doc.bytesAt(r * bpl, bpl)) sum += c;
    };
    for (std::uint64_t top = 0; top < 100000 * page; top += page) show(top);  // Page Down from the top
    for (std::uint64_t i = 0; i < 20000; ++i) show(rows / 20000 * i);  // the scroll bar dragged along
    for (std::uint64_t top = rows - page; top > rows - 100000 * page; top -= page) show(top);  // Page Up at the end
    std::printf("%.1f %llu %.1f %llu\n", msSince(start), read, peakResidentMb(), sum);
    return 0;
  }
  const auto found = doc.find(argv[3], 0, static_cast<std::int64_t>(doc.size()), false);
  std::printf("%.1f %lld %.1f\n", msSince(start), found ? static_cast<long long>(*found) : -1LL, peakResidentMb());
  return 0;
}
