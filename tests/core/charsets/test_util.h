#pragma once
// Helpers shared by the charset tests.

#include <array>
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <initializer_list>
#include <iterator>
#include <sstream>
#include <string>
#include <string_view>
#include <unistd.h>

#include "core/charsets/code_page.h"

namespace kiv::test {

inline std::string win(std::string_view utf8) { return CodePage::get(CodePageId::Win1251).encodeFromUtf8(utf8); }
inline std::string dos(std::string_view utf8) { return CodePage::get(CodePageId::Cp866).encodeFromUtf8(utf8); }
inline std::string koi(std::string_view utf8) { return CodePage::get(CodePageId::Koi8r).encodeFromUtf8(utf8); }
inline std::string utf8Of(std::string_view bytes, CodePageId id = CodePageId::Win1251) {
  return CodePage::get(id).decodeToUtf8(bytes);
}

inline std::string bytes(std::initializer_list<int> list) {
  std::string s;
  for (int b : list) s += static_cast<char>(b);
  return s;
}

inline std::string hex(std::string_view s) {
  static const char* digits = "0123456789ABCDEF";
  std::string out;
  for (unsigned char c : s) {
    if (!out.empty()) out += ' ';
    out += digits[c >> 4];
    out += digits[c & 15];
  }
  return out;
}

inline std::string readFile(const std::string& path) {
  std::ifstream f(path, std::ios::binary);
  return std::string(std::istreambuf_iterator<char>(f), std::istreambuf_iterator<char>());
}

// A file in the system's temporary folder, removed with the object.
class TempFile {
 public:
  explicit TempFile(std::string_view content = {}) {
    char name[] = "/tmp/kiv_charsets_XXXXXX";
    const int fd = mkstemp(name);
    if (fd >= 0) close(fd);
    path_ = name;
    std::ofstream(path_, std::ios::binary) << content;
  }
  ~TempFile() { std::remove(path_.c_str()); }
  TempFile(const TempFile&) = delete;
  TempFile& operator=(const TempFile&) = delete;
  const std::string& path() const { return path_; }

 private:
  std::string path_;
};

// Runs a shell command and returns what it printed on standard output.
inline std::string runCommand(const std::string& cmd) {
  std::string out;
  FILE* p = popen(cmd.c_str(), "r");
  if (!p) return out;
  char buf[4096];
  std::size_t n;
  while ((n = fread(buf, 1, sizeof buf, p)) > 0) out.append(buf, n);
  pclose(p);
  return out;
}

}  // namespace kiv::test
