#pragma once
// Roman numerals both ways.

#include <cstdint>
#include <string>
#include <string_view>

#include "core/numbers/number_result.h"

namespace kiv {

// Greedy numeral without an upper limit (4000 is "MMMM"); 0 gives "".
// Negative values get a leading "-", the form romanToArabic reads back.
std::string arabicToRoman(std::int64_t n);

// Optional leading "-", then I V X L C D M in either case; a digit followed
// by a greater one counts their difference (so "IM" is 999). Any other byte,
// spaces included, makes the result 0; so does the empty text.
std::int64_t romanToArabic(std::string_view text);

// "Арабское в римское": the selection must be digits only (else nothing);
// puts the numeral, or shows the integer conversion error.
NumberResult arabicToRomanCommand(std::string_view selected);
// "Римское в арабское": puts the decimal value (0 for an invalid numeral).
NumberResult romanToArabicCommand(std::string_view selected);

}  // namespace kiv
