#include "core/common/replace_all.h"

#include <cstring>

namespace kiv {

std::size_t findBytes(std::string_view hay, std::string_view needle, std::size_t from) {
  if (from > hay.size()) return std::string_view::npos;
  if (needle.empty()) return from;
  const std::size_t left = hay.size() - from;
  if (needle.size() > left) return std::string_view::npos;
  const char* base = hay.data() + from;
  const void* hit;
  if (needle.size() == 1) {
    hit = std::memchr(base, needle[0], left);
  } else {
    // glibc's memmem is the two-way algorithm: linear, constant space.
    hit = ::memmem(base, left, needle.data(), needle.size());
  }
  if (!hit) return std::string_view::npos;
  return static_cast<std::size_t>(static_cast<const char*>(hit) - hay.data());
}

std::string replaceAll(std::string_view text, std::string_view find, std::string_view replacement,
                       std::size_t* count) {
  std::size_t n = 0;
  std::string out;
  if (find.empty()) {
    out.assign(text);
  } else {
    std::size_t pos = findBytes(text, find, 0);
    if (pos == std::string_view::npos) {
      out.assign(text);
    } else {
      if (replacement.size() <= find.size()) out.reserve(text.size());
      else out.reserve(text.size() + text.size() / 8);
      std::size_t start = 0;
      while (pos != std::string_view::npos) {
        out.append(text.data() + start, pos - start);
        out.append(replacement);
        ++n;
        start = pos + find.size();
        pos = findBytes(text, find, start);
      }
      out.append(text.data() + start, text.size() - start);
    }
  }
  if (count) *count = n;
  return out;
}

std::string replaceAll(std::string_view text, std::string_view find, std::string_view replacement) {
  return replaceAll(text, find, replacement, nullptr);
}

}  // namespace kiv
