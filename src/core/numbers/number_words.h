#pragma once
// Numbers written out in words: Russian (any number of digits), English
// dollar amounts and German.

#include <cstdint>
#include <string>
#include <string_view>

#include "core/charsets/code_page.h"
#include "core/common/regional.h"
#include "core/numbers/number_result.h"

namespace kiv {

// Russian words for a string of decimal digits of any length, in
// Windows-1251, first letter capital: "2001" → "Две тысячи один". Every byte
// that is not a digit counts as 0. Scale words reach septillions; digits
// further left get their words without a scale word. "" and all zeros give
// "Ноль".
std::string numberToWordsRussian(std::string_view digits);

// English dollar amount: "ONE HUNDRED TWENTY THREE AND 45/100 Dollars".
// Cents are rounded (ties to even) before the whole dollars are split off,
// so 1.999 is two dollars and no cents. Amounts not above 0 or above
// 20,000,000 give "".
std::string dollarsToWords(long double amount);

// German words without spaces: "einundzwanzig", "minus fünf", "null",
// "eins", "zweimillionen". ü and ö are written as the target code page's
// bytes for them, or as "ue" and "oe" when it has none (no Cyrillic code
// page has them).
std::string numberToWordsGerman(std::int64_t n, const CodePage& target);

// "Число словами (русск)": puts the words for the selection.
NumberResult numberToWordsRussianCommand(std::string_view selected);
// "Число словами (англ, $)": reads the working text as a floating-point
// number with the regional decimal separator; puts the words (possibly
// empty) or shows the conversion error.
NumberResult dollarsToWordsCommand(std::string_view workingText, const RegionalFormat& format);
// "Число словами (немецк)": reads the selection as an integer; puts the
// words or shows the conversion error.
NumberResult numberToWordsGermanCommand(std::string_view selected, const CodePage& target);

}  // namespace kiv
