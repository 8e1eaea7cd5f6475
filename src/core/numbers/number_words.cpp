#include "core/numbers/number_words.h"

#include <array>
#include <cmath>

#include "core/charsets/case1251.h"
#include "core/charsets/cp1251_literal.h"
#include "core/common/conversions.h"

namespace kiv {

namespace {

// ---- Russian ----

struct RussianWords {
  std::array<std::string, 10> unitsMasculine, unitsFeminine, teens, tens, hundreds;
  std::array<std::array<std::string, 3>, 8> scales;  // 10^3 .. 10^24: one, two-four, many
  std::string zero;
};

const RussianWords& russianWords() {
  static const RussianWords w = [] {
    RussianWords r;
    const char* masc[10] = {"", "один ", "два ", "три ", "четыре ", "пять ", "шесть ", "семь ", "восемь ", "девять "};
    const char* fem[10] = {"", "одна ", "две ", "три ", "четыре ", "пять ", "шесть ", "семь ", "восемь ", "девять "};
    const char* teens[10] = {"десять ", "одиннадцать ", "двенадцать ", "тринадцать ", "четырнадцать ",
                             "пятнадцать ", "шестнадцать ", "семнадцать ", "восемнадцать ", "девятнадцать "};
    const char* tens[10] = {"", "", "двадцать ", "тридцать ", "сорок ", "пятьдесят ", "шестьдесят ",
                            "семьдесят ", "восемьдесят ", "девяносто "};
    const char* hundreds[10] = {"", "сто ", "двести ", "триста ", "четыреста ", "пятьсот ", "шестьсот ",
                                "семьсот ", "восемьсот ", "девятьсот "};
    const char* scales[8][3] = {
        {"тысяча ", "тысячи ", "тысяч "},
        {"миллион ", "миллиона ", "миллионов "},
        {"миллиард ", "миллиарда ", "миллиардов "},
        {"триллион ", "триллиона ", "триллионов "},
        {"квадриллион ", "квадриллиона ", "квадриллионов "},
        {"квинтиллион ", "квинтиллиона ", "квинтиллионов "},
        {"секстиллион ", "секстиллиона ", "секстиллионов "},
        {"септиллион ", "септиллиона ", "септиллионов "},
    };
    for (int i = 0; i < 10; ++i) {
      r.unitsMasculine[i] = cp1251(masc[i]);
      r.unitsFeminine[i] = cp1251(fem[i]);
      r.teens[i] = cp1251(teens[i]);
      r.tens[i] = cp1251(tens[i]);
      r.hundreds[i] = cp1251(hundreds[i]);
    }
    for (int s = 0; s < 8; ++s)
      for (int f = 0; f < 3; ++f) r.scales[s][f] = cp1251(scales[s][f]);
    r.zero = cp1251("ноль");
    return r;
  }();
  return w;
}

int digitAt(std::string_view s, std::size_t i) {
  return (s[i] >= '0' && s[i] <= '9') ? s[i] - '0' : 0;
}

// ---- English ----

const char* const kEnglishSmall[21] = {
    "",         "ONE ",      "TWO ",       "THREE ",    "FOUR ",     "FIVE ",    "SIX ",
    "SEVEN ",   "EIGHT ",    "NINE ",      "TEN ",      "ELEVEN ",   "TWELVE ",  "THIRTEEN ",
    "FOURTEEN ", "FIFTEEN ", "SIXTEEN ",   "SEVENTEEN ", "EIGHTEEN ", "NINETEEN ", "TWENTY "};
const char* const kEnglishTens[10] = {"",        "",        "TWENTY ",  "THIRTY ", "FORTY ",
                                      "FIFTY ",  "SIXTY ",  "SEVENTY ", "EIGHTY ", "NINETY "};

void appendEnglishTwoDigits(std::string& out, int v) {
  if (v <= 20) {
    out += kEnglishSmall[v];
  } else {
    out += kEnglishTens[v / 10];
    out += kEnglishSmall[v % 10];
  }
}

// ---- German ----

struct GermanWords {
  std::array<std::string, 18> small;  // 0..17
  std::array<std::string, 10> tens;   // 2..9 used
};

std::string germanText(std::string_view latin1, const CodePage& target) {
  std::string out;
  for (char c : latin1) {
    unsigned char b = static_cast<unsigned char>(c);
    if (b < 0x80) {
      out += c;
      continue;
    }
    int mapped = target.fromUnicode(b);  // Latin-1 byte = code point
    if (mapped >= 0) {
      out += static_cast<char>(mapped);
    } else {
      switch (b) {
        case 0xFC: out += "ue"; break;
        case 0xF6: out += "oe"; break;
        case 0xE4: out += "ae"; break;
        case 0xDF: out += "ss"; break;
        default: out += '?'; break;
      }
    }
  }
  return out;
}

void appendGerman(std::string& out, std::uint64_t n, const GermanWords& w) {
  if (n == 0) return;
  if (n <= 17) {
    out += w.small[n];
  } else if (n <= 19) {
    out += w.small[n % 10];
    out += "zehn";
  } else if (n <= 99) {
    if (n % 10 != 0) {
      out += w.small[n % 10];
      out += "und";
    }
    out += w.tens[n / 10];
  } else if (n <= 999) {
    appendGerman(out, n / 100, w);
    out += "hundert";
    appendGerman(out, n % 100, w);
  } else if (n <= 999999) {
    appendGerman(out, n / 1000, w);
    out += "tausend";
    appendGerman(out, n % 1000, w);
  } else {
    std::uint64_t millions = n / 1000000;
    if (millions == 1) out += "eine";
    else appendGerman(out, millions, w);
    out += "million";
    if (millions > 1) out += "en";
    appendGerman(out, n % 1000000, w);
  }
}

}  // namespace

std::string numberToWordsRussian(std::string_view digits) {
  const RussianWords& w = russianWords();
  std::string work(digits);  // the teens rule zeroes the following digit
  const std::size_t len = work.size();
  std::string out;
  int counter = 0;
  for (std::size_t p = 0; p < len; ++p) {
    const std::size_t after = len - p - 1;  // digits that follow this one
    const int d = digitAt(work, p);
    switch ((after + 1) % 3) {
      case 0:  // hundreds
        out += w.hundreds[d];
        if (d > 0) ++counter;
        break;
      case 2:  // tens
        if (d == 1) {
          out += w.teens[digitAt(work, p + 1)];
          work[p + 1] = '0';
        } else {
          out += w.tens[d];
        }
        if (d > 0) ++counter;
        break;
      default: {  // units
        if (d > 0) ++counter;
        out += (d <= 2 && after == 3) ? w.unitsFeminine[d] : w.unitsMasculine[d];
        if (counter > 0 && after >= 3 && after <= 24 && after % 3 == 0) {
          int form = d == 1 ? 0 : (d >= 2 && d <= 4) ? 1 : 2;
          out += w.scales[after / 3 - 1][form];
        }
        counter = 0;
        break;
      }
    }
  }
  // Trim blanks and control bytes from both ends.
  std::size_t b = 0, e = out.size();
  while (b < e && static_cast<unsigned char>(out[b]) <= ' ') ++b;
  while (e > b && static_cast<unsigned char>(out[e - 1]) <= ' ') --e;
  out = out.substr(b, e - b);
  if (out.empty()) out = w.zero;
  out[0] = static_cast<char>(upperChar1251(static_cast<unsigned char>(out[0])));
  return out;
}

std::string dollarsToWords(long double amount) {
  if (!(amount > 0) || amount > 20000000) return {};
  // Whole cents first, so that 1.999 is 2.00 and never 1 and 100/100.
  const auto cents = static_cast<std::int64_t>(std::nearbyintl(amount * 100));
  std::int64_t rest = cents / 100;
  const int c = static_cast<int>(cents % 100);
  const bool hasWhole = rest > 0;
  std::string out;
  auto millions = rest / 1000000;
  rest %= 1000000;
  if (millions > 0) {
    out += kEnglishSmall[millions];
    out += "MILLION ";
  }
  auto hundredThousands = rest / 100000;
  rest %= 100000;
  if (hundredThousands > 0) {
    out += kEnglishSmall[hundredThousands];
    out += "HUNDRED ";
  }
  auto thousands = rest / 1000;
  rest %= 1000;
  appendEnglishTwoDigits(out, static_cast<int>(thousands));
  if (hundredThousands > 0 || thousands > 0) out += "THOUSAND ";
  auto hundreds = rest / 100;
  rest %= 100;
  if (hundreds > 0) {
    out += kEnglishSmall[hundreds];
    out += "HUNDRED ";
  }
  appendEnglishTwoDigits(out, static_cast<int>(rest));
  if (hasWhole) out += "AND ";
  if (c == 0) {
    out += "NO/100";
  } else {
    out += static_cast<char>('0' + c / 10);
    out += static_cast<char>('0' + c % 10);
    out += "/100";
  }
  out += " Dollars";
  return out;
}

std::string numberToWordsGerman(std::int64_t n, const CodePage& target) {
  static const GermanWords w = [] {
    GermanWords g;
    const char* small[18] = {"",       "ein",  "zwei", "drei", "vier",     "f\xFCnf",
                             "sechs",  "sieben", "acht", "neun", "zehn",   "elf",
                             "zw\xF6lf", "dreizehn", "vierzehn", "f\xFCnfzehn", "sechzehn", "siebzehn"};
    const char* tens[10] = {"", "", "zwanzig", "dreissig", "vierzig", "f\xFCnfzig", "sechzig", "siebzig",
                            "achtzig", "neunzig"};
    for (int i = 0; i < 18; ++i) g.small[i] = small[i];
    for (int i = 0; i < 10; ++i) g.tens[i] = tens[i];
    return g;
  }();
  std::string latin1;
  std::uint64_t m = static_cast<std::uint64_t>(n);
  if (n < 0) {
    latin1 = "minus ";
    m = 0u - m;  // exact also for the most negative value
  }
  if (m == 0) latin1 += "null";
  else if (m == 1) latin1 += "eins";
  else appendGerman(latin1, m, w);
  return germanText(latin1, target);
}

NumberResult numberToWordsRussianCommand(std::string_view selected) {
  if (selected.empty()) return NumberResult::nothing();
  return NumberResult::put(numberToWordsRussian(selected));
}

NumberResult dollarsToWordsCommand(std::string_view workingText, const RegionalFormat& format) {
  auto x = strToFloat(workingText, format);
  if (!x.ok()) return NumberResult::show(notFloatMessageFor(workingText));
  return NumberResult::put(dollarsToWords(x.value));
}

NumberResult numberToWordsGermanCommand(std::string_view selected, const CodePage& target) {
  if (selected.empty()) return NumberResult::nothing();
  auto n = strToInt(selected);
  if (!n.ok()) return NumberResult::show(notIntegerMessageFor(selected));
  return NumberResult::put(numberToWordsGerman(n.value, target));
}

}  // namespace kiv
