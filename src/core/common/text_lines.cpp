#include "core/common/text_lines.h"

namespace kiv {

std::vector<std::string> splitLines(std::string_view text) {
  std::vector<std::string> lines;
  std::size_t start = 0;
  const std::size_t n = text.size();
  for (std::size_t i = 0; i < n; ++i) {
    const char c = text[i];
    if (c != '\r' && c != '\n') continue;
    lines.emplace_back(text.substr(start, i - start));
    if (c == '\r' && i + 1 < n && text[i + 1] == '\n') ++i;
    start = i + 1;
  }
  if (start < n) lines.emplace_back(text.substr(start));
  return lines;
}

std::string joinLinesCrLf(const std::vector<std::string>& lines) {
  std::size_t total = 0;
  for (const auto& l : lines) total += l.size() + 2;
  std::string out;
  out.reserve(total);
  for (const auto& l : lines) {
    out += l;
    out += kCrLf;
  }
  return out;
}

std::string_view untilZero(std::string_view text) {
  const auto z = text.find('\0');
  return z == std::string_view::npos ? text : text.substr(0, z);
}

namespace {
std::string crLfBreaks(std::string_view text, bool closeLastLine) {
  std::string out;
  out.reserve(text.size() + text.size() / 32 + 2);
  const std::size_t n = text.size();
  std::size_t runStart = 0;
  for (std::size_t i = 0; i < n; ++i) {
    const char c = text[i];
    if (c != '\r' && c != '\n') continue;
    out.append(text.data() + runStart, i - runStart);
    out += kCrLf;
    if (c == '\r' && i + 1 < n && text[i + 1] == '\n') ++i;
    runStart = i + 1;
  }
  if (runStart < n) {
    out.append(text.data() + runStart, n - runStart);
    if (closeLastLine) out += kCrLf;
  }
  return out;
}
}  // namespace

std::string normalizeToCrLf(std::string_view text) { return crLfBreaks(text, true); }

std::string unifyLineBreaks(std::string_view text) { return crLfBreaks(text, false); }

}  // namespace kiv
