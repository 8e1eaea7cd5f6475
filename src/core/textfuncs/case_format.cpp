#include "core/textfuncs/case_format.h"

#include <array>

#include "core/charsets/case1251.h"
#include "core/common/ascii.h"
#include "core/textfuncs/case1251_full.h"

namespace kiv {

namespace {

inline unsigned char ub(char c) { return static_cast<unsigned char>(c); }

std::string replaceByte(std::string_view text, char from, std::string_view to) {
  std::string out;
  out.reserve(text.size());
  std::size_t start = 0;
  for (std::size_t i = 0; i < text.size(); ++i) {
    if (text[i] != from) continue;
    out.append(text.substr(start, i - start)).append(to);
    start = i + 1;
  }
  out.append(text.substr(start));
  return out;
}

}  // namespace

std::string lowerCaseText(std::string_view text) { return LowerStr1251(text); }
std::string upperCaseText(std::string_view text) { return UpperStr1251(text); }

std::string hackerize(std::string_view text, Prng& prng) {
  std::string out(text);
  for (std::size_t i = out.size(); i-- > 0;) {
    const std::uint32_t r = 2 + prng.below(5);
    const unsigned char c = ub(out[i]);
    out[i] = static_cast<char>((r == 2 || r == 3 || r == 5) ? UpCase1251(c) : LowCase1251(c));
  }
  return out;
}

std::string capitalizeFirst(std::string_view text) {
  std::string out = FullLowerStr1251(text);
  if (!out.empty()) out[0] = static_cast<char>(FullUpCase1251(ub(out[0])));
  return out;
}

bool isCapitalizeDelimiter(unsigned char c) {
  static const auto table = [] {
    std::array<bool, 256> t{};
    for (int b = 0; b <= 32; ++b) t[b] = true;
    for (unsigned char b : std::string_view("\"!()*+,-./:;<=>?[\\]^{|}")) t[b] = true;
    return t;
  }();
  return table[c];
}

std::string capitalizeWords(std::string_view text) {
  std::string out = FullLowerStr1251(text);
  bool inWord = false;
  for (char& ch : out) {
    const unsigned char c = ub(ch);
    if (isCapitalizeDelimiter(c)) {
      inWord = false;
    } else if (!inWord) {
      ch = static_cast<char>(FullUpCase1251(c));
      inWord = true;
    }
  }
  return out;
}

std::string collapseWhiteSpace(std::string_view text) {
  std::string out;
  out.reserve(text.size());
  bool pendingSpace = false;
  const char* p = text.data();
  const char* const end = p + text.size();
  while (p < end) {
    if (ub(*p) <= 32) {
      pendingSpace = !out.empty();
      ++p;
      continue;
    }
    const char* runEnd = p + 1;
    while (runEnd < end && ub(*runEnd) > 32) ++runEnd;
    if (pendingSpace) out += ' ';
    out.append(p, runEnd);
    pendingSpace = false;
    p = runEnd;
  }
  return out;
}

std::string removeTabs(std::string_view text) { return replaceByte(text, '\t', {}); }

int effectiveSpacesPerTab(int spacesPerTab) { return spacesPerTab < 0 ? 0 : spacesPerTab % 256; }

std::string tabsToSpaces(std::string_view text, int spacesPerTab) {
  const std::string spaces(static_cast<std::size_t>(effectiveSpacesPerTab(spacesPerTab)), ' ');
  return replaceByte(text, '\t', spaces);
}

std::string hardWordWrap(std::string_view text, int width) {
  auto isBreak = [](char c) { return c == ' ' || c == '-' || c == '\t'; };
  auto isQuote = [](char c) { return c == '"' || c == '\''; };
  auto isSkipped = [&](char c) { return isBreak(c) || c == '\r' || c == '\n'; };

  // Positions count from 1 as in the description of the command: p is the
  // next byte to read, s the first byte of the output line, b the last
  // place where the line may end.
  const std::size_t n = text.size();
  const long long w = width;
  auto at = [&](std::size_t pos) { return text[pos - 1]; };
  std::string out;
  out.reserve(n + n / 16 + 2);
  std::size_t p = 1, s = 1, b = 0;
  long long c = 1;
  char quote = 0;
  bool existingBreak = false;
  while (p <= n) {
    const char ch = at(p);
    if (ch == '\r') {
      if (quote == 0 && p < n && at(p + 1) == '\n') {
        existingBreak = true;
        ++p;
        b = p;
      }
    } else if (isBreak(ch)) {
      if (quote == 0) b = p;
    } else if (isQuote(ch)) {
      if (quote == ch)
        quote = 0;
      else if (quote == 0)
        quote = ch;
    }
    ++p;
    ++c;
    if (quote == 0 && (existingBreak || (c > w && b > s))) {
      out.append(text.substr(s - 1, b - s + 1));
      c = static_cast<long long>(p - b);
      if (!isQuote(ch))
        while (p <= n && isSkipped(at(p))) ++p;
      // A line break only when text follows (a single last byte included).
      if (!existingBreak && p <= n) out += "\r\n";
      s = b + 1;
      existingBreak = false;
    }
  }
  if (s <= n) out.append(text.substr(s - 1));
  return out;
}

TextResult hardWordWrapAnswer(std::string_view text, std::string_view answer) {
  int width = 0;
  if (!parseInt32(answer, width))
    return TextResult::refused("'" + std::string(answer) + "' is not a valid integer value");
  return TextResult::success(hardWordWrap(text, width));
}

std::string straightToPairedQuotes(std::string_view text) {
  std::string out(text);
  bool open = true;
  for (char& ch : out) {
    if (ch != '"') continue;
    ch = static_cast<char>(open ? 171 : 187);
    open = !open;
  }
  return out;
}

std::string pairedToStraightQuotes(std::string_view text) {
  std::string out(text);
  for (char& ch : out)
    if (ub(ch) == 171 || ub(ch) == 187) ch = '"';
  return out;
}

}  // namespace kiv
