// The cost of running plugins in the helper process: each shipped plugin
// on 10 MB of text through kiv-plugin-host beside the same plugin loaded
// into this process (load, copy the text in, call, copy the result out,
// unload: what running it without the helper would take).
//   bench_plugins <plugins folder> <kiv-plugin-host> [megabytes]
// Prints one row per plugin with the medians of several runs.

#include <dlfcn.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>
#include <vector>

#include "core/common/prng.h"
#include "core/plugins/plugin_host.h"

namespace {

using Clock = std::chrono::steady_clock;
using HandleDataFn = std::int32_t (*)(void*, char**);

std::string makeText(std::size_t bytes) {
  // Lines of Windows-1251 words drawn from a pool, so that about half of
  // them repeat an earlier line.
  kiv::Prng rng(7);
  std::vector<std::string> pool;
  for (int i = 0; i < 60000; ++i) {
    std::string line;
    const std::uint32_t words = 2 + rng.below(8);
    for (std::uint32_t w = 0; w < words; ++w) {
      if (w) line += ' ';
      const std::uint32_t len = 2 + rng.below(9);
      for (std::uint32_t k = 0; k < len; ++k) line += static_cast<char>(0xE0 + rng.below(32));
    }
    pool.push_back(line);
  }
  std::string text;
  text.reserve(bytes + 128);
  while (text.size() < bytes) {
    text += pool[rng.below(static_cast<std::uint32_t>(pool.size()))];
    text += "\r\n";
  }
  return text;
}

std::string runInProcess(const std::string& library, const std::string& text) {
  void* h = ::dlopen(library.c_str(), RTLD_NOW | RTLD_LOCAL);
  if (!h) {
    std::fprintf(stderr, "cannot load %s: %s\n", library.c_str(), ::dlerror());
    std::exit(1);
  }
  auto* handle = reinterpret_cast<HandleDataFn>(::dlsym(h, "HandleData"));
  std::vector<char> buffer(text.begin(), text.end());
  buffer.push_back('\0');
  char* p = buffer.data();
  handle(nullptr, &p);
  std::string result(p);
  ::dlclose(h);
  return result;
}

double median(std::vector<double> v) {
  std::sort(v.begin(), v.end());
  return v[v.size() / 2];
}

double fastest(const std::vector<double>& v) { return *std::min_element(v.begin(), v.end()); }

}  // namespace

int main(int argc, char** argv) {
  if (argc < 3) {
    std::fprintf(stderr, "usage: bench_plugins <plugins folder> <kiv-plugin-host> [megabytes]\n");
    return 2;
  }
  const std::string folder = std::string(argv[1]) + "/";
  const std::size_t megabytes = argc > 3 ? std::strtoul(argv[3], nullptr, 10) : 10;
  const std::string text = makeText(megabytes << 20);
  kiv::PluginHost host(argv[2]);
  host.setTimeLimit(std::chrono::milliseconds(60000));
  const int runs = 9;
  // Medians, and the fastest runs (least disturbed by other work on the machine).
  std::printf("%-16s %12s %12s %10s %14s %12s %10s\n", "plugin", "in-proc, ms", "helper, ms", "extra, %",
              "in-proc min", "helper min", "extra, %");
  for (const char* name : {"reverse_lines", "unique_lines", "russian_quotes"}) {
    const std::string library = folder + name + ".so";
    std::vector<double> local, isolated;
    std::string a, b;
    for (int i = 0; i < runs; ++i) {
      auto t0 = Clock::now();
      a = runInProcess(library, text);
      auto t1 = Clock::now();
      const kiv::PluginOutcome o = host.handleData(library, text);
      auto t2 = Clock::now();
      if (!o.ok()) {
        std::fprintf(stderr, "%s failed: %s\n", name, kiv::pluginFailureMessage(o, name, host.timeLimit()).c_str());
        return 1;
      }
      b = o.text;
      local.push_back(std::chrono::duration<double, std::milli>(t1 - t0).count());
      isolated.push_back(std::chrono::duration<double, std::milli>(t2 - t1).count());
    }
    if (a != b) {
      std::fprintf(stderr, "%s: the helper's result differs from the in-process one\n", name);
      return 1;
    }
    const double l = median(local), h = median(isolated);
    const double lf = fastest(local), hf = fastest(isolated);
    std::printf("%-16s %12.2f %12.2f %9.1f%% %14.2f %12.2f %9.1f%%\n", name, l, h, 100.0 * (h - l) / l, lf, hf,
                100.0 * (hf - lf) / lf);
  }
  std::printf("(%zu MB of text, %d runs each, in-process and helper runs interleaved)\n", megabytes, runs);
  return 0;
}
