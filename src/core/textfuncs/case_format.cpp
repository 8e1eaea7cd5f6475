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

std::string lowerCaseText(std::string_view text) { return lowerCase1251(text); }
std::string upperCaseText(std::string_view text) { return upperCase1251(text); }

std::string hackerize(std::string_view text, Prng& prng) {
  static const auto tables = [] {
    std::array<std::array<unsigned char, 256>, 2> t{};  // [0] lower, [1] upper
    for (int b = 0; b < 256; ++b) {
      t[0][b] = lowerChar1251(static_cast<unsigned char>(b));
      t[1][b] = upperChar1251(static_cast<unsigned char>(b));
    }
    return t;
  }();
  // r = 2 + draw: 2, 3 and 5 mean upper case, 4 and 6 lower case.
  static constexpr unsigned char kUpper[5] = {1, 1, 0, 1, 0};
  std::string out(text);
  for (std::size_t i = out.size(); i-- > 0;) {
    const std::uint32_t draw = prng.below(5);
    out[i] = static_cast<char>(tables[kUpper[draw]][ub(out[i])]);
  }
  return out;
}

std::string capitalizeFirst(std::string_view text) {
  std::string out = fullLowerCase1251(text);
  if (!out.empty()) out[0] = static_cast<char>(fullUpperChar1251(ub(out[0])));
  return out;
}

namespace {
const std::array<bool, 256>& capitalizeDelimiters() {
  static const auto table = [] {
    std::array<bool, 256> t{};
    for (int b = 0; b <= 32; ++b) t[b] = true;
    for (unsigned char b : std::string_view("\"!()*+,-./:;<=>?[\\]^{|}")) t[b] = true;
    return t;
  }();
  return table;
}
}  // namespace

bool isCapitalizeDelimiter(unsigned char c) { return capitalizeDelimiters()[c]; }

std::string capitalizeWords(std::string_view text) {
  const auto& delimiters = capitalizeDelimiters();
  std::string out = fullLowerCase1251(text);
  bool inWord = false;
  for (char& ch : out) {
    const unsigned char c = ub(ch);
    if (delimiters[c]) {
      inWord = false;
    } else if (!inWord) {
      ch = static_cast<char>(fullUpperChar1251(c));
      inWord = true;
    }
  }
  return out;
}

std::string collapseWhiteSpace(std::string_view text) {
  std::size_t b = 0, e = text.size();
  while (b < e && ub(text[b]) <= 32) ++b;
  while (e > b && ub(text[e - 1]) <= 32) --e;
  // Between the first and the last non-blank byte every blank becomes a
  // space and only the first of a run is kept.
  std::string out(e - b, '\0');
  char* o = out.data();
  // Branch-free: words are short, so branches would mispredict often.
  unsigned prevBlank = 0;
  const char* in = text.data();
  for (std::size_t i = b; i < e; ++i) {
    const unsigned c = ub(in[i]);
    const unsigned blank = c <= 32 ? 1u : 0u;
    *o = static_cast<char>(c ^ ((c ^ 0x20u) & (0u - blank)));
    o += 1u - (blank & prevBlank);
    prevBlank = blank;
  }
  out.resize(static_cast<std::size_t>(o - out.data()));
  return out;
}

std::string removeTabs(std::string_view text) { return replaceByte(text, '\t', {}); }

int effectiveSpacesPerTab(int spacesPerTab) { return spacesPerTab < 0 ? 0 : spacesPerTab % 256; }

std::string tabsToSpaces(std::string_view text, int spacesPerTab) {
  const std::string spaces(static_cast<std::size_t>(effectiveSpacesPerTab(spacesPerTab)), ' ');
  return replaceByte(text, '\t', spaces);
}

std::string hardWordWrap(std::string_view text, int width) {
  enum : unsigned char { Plain, Break, Quote, Cr, Lf };
  static const auto kinds = [] {
    std::array<unsigned char, 256> k{};
    k[' '] = k['-'] = k['\t'] = Break;
    k['"'] = k['\''] = Quote;
    k['\r'] = Cr;
    k['\n'] = Lf;
    return k;
  }();
  const char* const d = text.data();
  auto kindAt = [&](std::size_t pos) { return kinds[ub(d[pos - 1])]; };

  // Positions count from 1: p is the next byte to read, s the first byte
  // of the output line, b the last place where the line may end, c the
  // column of the next byte.
  const std::size_t n = text.size();
  const long long w = width;
  std::string out;
  out.reserve(n + n / 16 + 2);
  std::size_t p = 1, s = 1, b = 0;
  long long c = 1;
  char quote = 0;
  bool existingBreak = false;

  // Ends the output line at b; `kind` is the kind of the byte just read.
  auto endLine = [&](unsigned char kind) {
    out.append(text.substr(s - 1, b - s + 1));
    c = static_cast<long long>(p - b);
    // The blanks and line ends after the break are passed over (they
    // begin the next line), except after a closing quote.
    if (kind != Quote)
      while (p <= n && kindAt(p) != Plain && kindAt(p) != Quote) ++p;
    // A line break only when text follows (a single last byte included).
    if (!existingBreak && p <= n) out += "\r\n";
    s = b + 1;
    existingBreak = false;
  };

  while (true) {
    if (quote == 0) {
      // Fast scan over ordinary bytes and breaks, in local variables.
      std::size_t pp = p, bb = b;
      long long cc = c;
      unsigned char kind = Plain;
      bool full = false;
      while (pp <= n) {
        kind = kinds[ub(d[pp - 1])];
        if (kind > Break) break;
        bb = kind == Break ? pp : bb;
        ++pp;
        ++cc;
        if (cc > w && bb > s) {
          full = true;
          break;
        }
      }
      p = pp;
      b = bb;
      c = cc;
      if (full) {
        endLine(kind);
        continue;
      }
    }
    if (p > n) break;

    const char ch = d[p - 1];
    const unsigned char kind = kinds[ub(ch)];
    if (kind == Quote) {
      if (quote == ch)
        quote = 0;
      else if (quote == 0)
        quote = ch;
    } else if (kind == Cr) {
      // Only a CR LF outside quotes is an existing break; the line ends at
      // its LF.
      if (quote == 0 && p < n && d[p] == '\n') {
        existingBreak = true;
        ++p;
        b = p;
      }
    }
    ++p;
    ++c;
    if (quote == 0 && (existingBreak || (c > w && b > s))) endLine(kind);
  }
  if (s <= n) out.append(text.substr(s - 1));
  return out;
}

TextResult hardWordWrapAnswer(std::string_view text, std::string_view answer) {
  int width = 0;
  if (!parseInt32(answer, width)) {
    std::string message;
    message.reserve(answer.size() + 32);
    message.append("'").append(answer).append("' is not a valid integer value");
    return TextResult::refused(std::move(message));
  }
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
