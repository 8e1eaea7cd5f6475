#include "core/translit/transliterator.h"

#include <array>

#include "core/charsets/case1251.h"
#include "core/charsets/cp1251_literal.h"

namespace kiv {

namespace {

using uchar = unsigned char;

constexpr uchar kUpperA = 0xC0;  // А; Я is 0xDF
constexpr uchar kUpperYo = 0xA8;  // Ё
constexpr int kShchaIndex = 25;   // Щ - А
constexpr int kKhaIndex = 21;      // Х - А

// Latin forms of а..я in alphabetical order (Ё apart); Щ and Х by mode.
constexpr std::array<std::string_view, 32> kLatinForms = {
    "a", "b", "v", "g", "d", "e", "zh", "z", "i", "j", "k",  "l",  "m", "n",  "o",  "p",
    "r", "s", "t", "u", "f", "x", "c",  "ch", "sh", "sj", "~", "y", "'", "e'", "yu", "ya"};
constexpr std::string_view kLatinYo = "yo";

constexpr std::array<std::string_view, 5> kShchaForms = {"sj", "shch", "w", "q", "sch"};
constexpr std::array<std::string_view, 2> kKhaForms = {"x", "kh"};
constexpr std::array<std::string_view, 5> kShchaNames = {"Sj", "Shch", "W", "Q", "Sch"};
constexpr std::array<std::string_view, 2> kKhaNames = {"X", "KH"};
constexpr std::array<std::string_view, 2> kWNames = {"V", "Sj"};

struct Tables {
  std::array<uchar, 256> up{};     // the simple Windows-1251 upper case
  std::array<uchar, 256> single{};  // Latin (upper) or mark -> Russian lower-case letter
  uchar shcha = 0, sha = 0, che = 0, zhe = 0, kha = 0, ya = 0, yo = 0, yu = 0, e = 0, ishort = 0,
        soft = 0, hard = 0, ve = 0;
  Tables() {
    for (int i = 0; i < 256; ++i) up[i] = upperChar1251(static_cast<uchar>(i));
    // The Latin letters A..Z, then the marks ' ` ~ @.
    static const std::string russian = cp1251("абцдефгхийклмнопщрстуввхызььъэ");
    const std::string_view latin = "ABCDEFGHIJKLMNOPQRSTUVWXYZ'`~@";
    for (std::size_t k = 0; k < latin.size(); ++k)
      single[static_cast<uchar>(latin[k])] = static_cast<uchar>(russian[k]);
    static const std::string letters = cp1251("щшчжхяёюэйьъв");
    const uchar* l = reinterpret_cast<const uchar*>(letters.data());
    shcha = l[0], sha = l[1], che = l[2], zhe = l[3], kha = l[4], ya = l[5], yo = l[6], yu = l[7],
    e = l[8], ishort = l[9], soft = l[10], hard = l[11], ve = l[12];
  }
};

const Tables& tables() {
  static const Tables t;
  return t;
}

inline bool isLatinUpper(uchar c) { return c >= 'A' && c <= 'Z'; }
inline bool isLatinLower(uchar c) { return c >= 'a' && c <= 'z'; }
inline uchar latinUpper(uchar c) { return isLatinLower(c) ? static_cast<uchar>(c - 0x20) : c; }
inline bool isMark(uchar c) { return c == '\'' || c == '`' || c == '~' || c == '@' || c == '\\'; }

}  // namespace

std::string russianToLatin(std::string_view text, ShchaMode shcha, KhaMode kha) {
  const Tables& t = tables();
  std::array<std::string_view, 32> forms = kLatinForms;
  forms[kShchaIndex] = kShchaForms[static_cast<std::size_t>(shcha)];
  forms[kKhaIndex] = kKhaForms[static_cast<std::size_t>(kha)];

  const std::size_t n = text.size();
  std::string out;
  out.reserve(n + n / 4);
  bool prevUpper = false;
  for (std::size_t i = 0; i < n; ++i) {
    const uchar c = static_cast<uchar>(text[i]);
    const uchar u = t.up[c];
    std::string_view s;
    if (u >= kUpperA) {
      s = forms[u - kUpperA];
    } else if (u == kUpperYo) {
      s = kLatinYo;
    } else {
      out += static_cast<char>(c);
      prevUpper = false;
      continue;
    }
    const bool curUpper = (c == u);
    if (!curUpper) {
      out.append(s);
    } else {
      bool nextUpper = true;
      if (i + 1 < n) {
        const uchar nx = static_cast<uchar>(text[i + 1]);
        nextUpper = (t.up[nx] == nx);
      }
      const bool allCaps = prevUpper && nextUpper;
      for (std::size_t k = 0; k < s.size(); ++k) {
        const uchar ch = static_cast<uchar>(s[k]);
        out += static_cast<char>((k == 0 || allCaps) ? latinUpper(ch) : ch);
      }
    }
    prevUpper = curUpper;
  }
  return out;
}

std::string latinToRussian(std::string_view text, WMode w, bool& transOn) {
  const Tables& t = tables();
  const uchar wLetter = (w == WMode::AsShcha) ? t.shcha : t.ve;
  const std::size_t n = text.size();
  auto at = [&](std::size_t j) -> uchar {
    return j < n ? latinUpper(static_cast<uchar>(text[j])) : uchar{0};
  };

  std::string out;
  out.reserve(n);
  bool prevUpper = false;
  bool forceUpper = false;
  bool forceLower = false;
  std::size_t i = 0;
  while (i < n) {
    const uchar c = static_cast<uchar>(text[i]);
    const uchar u = latinUpper(c);
    if (!isLatinUpper(u) && !isMark(c)) {
      out += static_cast<char>(c);
      ++i;
      continue;
    }
    bool curUpper = false;
    if (isLatinUpper(u)) {
      if (c == u) curUpper = true;
      else forceLower = true;
    }
    const uchar n1 = at(i + 1);
    if (u == '\\' && n1 == ' ') {
      transOn = !transOn;
      i += 2;
      continue;
    }

    uchar x = 0;
    std::size_t consumed = 1;
    if (!transOn) {
      x = c;
    } else {
      const uchar n2 = at(i + 2);
      const uchar n3 = at(i + 3);
      switch (u) {
        case 'S':
          if (n1 == 'H' && n2 == 'C' && n3 == 'H') x = t.shcha, consumed = 4;
          else if (n1 == 'H') x = t.sha, consumed = 2;
          else if (n1 == 'J') x = t.shcha, consumed = 2;
          break;
        case 'C':
          if (n1 == 'H') x = t.che, consumed = 2;
          break;
        case 'Z':
          if (n1 == 'H') x = t.zhe, consumed = 2;
          break;
        case 'K':
          if (n1 == 'H') x = t.kha, consumed = 2;
          break;
        case 'E':
          if (n1 == '\'' || n1 == '`') x = t.e, consumed = 2;
          break;
        case 'J':
          if (n1 == '\'' || n1 == '`') x = t.ishort, consumed = 2;
          break;
        case 'Y':
          if (n1 == 'A') x = t.ya, consumed = 2;
          else if (n1 == 'O') x = t.yo, consumed = 2;
          else if (n1 == 'U') x = t.yu, consumed = 2;
          break;
        case '\'':
        case '`':
        case '~':
        case '@':
          if (n1 == '^' || n1 == '_') {
            x = t.single[u];
            consumed = 2;
            if (n1 == '^') forceUpper = true;
            else forceLower = true;
          }
          break;
        case '\\':
          if (n1 == '\'' || n1 == '@' || n1 == '\\' || n1 == '`' || n1 == '~') {
            x = n1;
            consumed = 2;
          } else {
            ++i;  // a lone backslash is dropped
            continue;
          }
          break;
        default:
          break;
      }
      if (x == 0) x = (u == 'W') ? wLetter : t.single[u];
    }

    bool upper;
    if (forceUpper) {
      upper = curUpper = true;
    } else if (forceLower) {
      upper = curUpper = false;
    } else if (curUpper) {
      upper = true;
    } else {
      const std::size_t j = i + consumed;
      const bool nextLowerLatin = j < n && isLatinLower(static_cast<uchar>(text[j]));
      upper = curUpper = prevUpper && !nextLowerLatin;
    }
    out += static_cast<char>(upper ? t.up[x] : x);
    forceUpper = forceLower = false;
    prevUpper = curUpper;
    i += consumed;
  }
  return out;
}

std::string_view shchaModeName(ShchaMode mode) {
  return kShchaNames[static_cast<std::size_t>(mode)];
}
std::string_view khaModeName(KhaMode mode) { return kKhaNames[static_cast<std::size_t>(mode)]; }
std::string_view wModeName(WMode mode) { return kWNames[static_cast<std::size_t>(mode)]; }

bool Transliterator::applyShchaMode(std::string_view value) {
  for (std::size_t k = 0; k < kShchaNames.size(); ++k) {
    if (value == kShchaNames[k]) {
      shcha_ = static_cast<ShchaMode>(k);
      return true;
    }
  }
  return false;
}

bool Transliterator::applyKhaMode(std::string_view value) {
  for (std::size_t k = 0; k < kKhaNames.size(); ++k) {
    if (value == kKhaNames[k]) {
      kha_ = static_cast<KhaMode>(k);
      return true;
    }
  }
  return false;
}

bool Transliterator::applyWMode(std::string_view value) {
  for (std::size_t k = 0; k < kWNames.size(); ++k) {
    if (value == kWNames[k]) {
      w_ = static_cast<WMode>(k);
      return true;
    }
  }
  return false;
}

void Transliterator::applyConfiguration(std::string_view shcha, std::string_view kha, std::string_view w) {
  applyShchaMode(shcha);
  applyKhaMode(kha);
  applyWMode(w);
}

std::string Transliterator::convert(std::string_view text) {
  if (direction_ == Direction::RussianToLatin) return russianToLatin(text, shcha_, kha_);
  return latinToRussian(text, w_, on_);
}

}  // namespace kiv
