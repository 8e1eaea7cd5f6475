#pragma once
// The program's standard conversions of typed numbers. A failed conversion
// carries the exact message the program shows for it; callers that cannot go
// on show that message and leave the document unchanged.

#include <cstdint>
#include <string>
#include <string_view>

#include "core/common/regional.h"

namespace kiv {

template <class T>
struct Converted {
  T value{};
  std::string error;  // UTF-8 message; empty when the text was a number
  bool ok() const { return error.empty(); }
};

// "'%s' is not a valid integer value" / "... floating point value" with the
// given text in place of %s, verbatim. Callers holding document bytes pass
// the text already decoded to UTF-8.
std::string notIntegerMessage(std::string_view shownText);
std::string notFloatMessage(std::string_view shownText);

// Integer: optional blanks, optional sign, then decimal digits in the 32-bit
// range, or "$" (or "0x") and hexadecimal digits naming a 32-bit pattern
// ("$FFFFFFFF" is -1), optional blanks. Blanks are space, tab, CR and LF.
// The error message quotes `text` verbatim.
Converted<std::int32_t> strToInt(std::string_view text);

// Floating point: optional blanks, optional sign, digits with at most one
// `decimalSeparator` (at least one digit in all), optional exponent "E" or
// "e" with optional sign and at least one digit, optional blanks. Values
// beyond the extended range fail; values too small to hold become 0.
Converted<long double> strToFloat(std::string_view text, char decimalSeparator);
Converted<long double> strToFloat(std::string_view text, const RegionalFormat& format);

// Reads the longest decimal number at the start of `text` written with
// `decimalSeparator`: digits, optionally the separator and digits, optionally
// an exponent with at least one digit (an "E" without digits is not taken).
// Returns the number of bytes used (0 when `text` does not start with a
// digit); `value` receives the number. `overflow` is set when the number is
// beyond the extended range (`value` is then unspecified).
std::size_t scanDecimal(std::string_view text, char decimalSeparator, long double& value,
                        bool& overflow);

}  // namespace kiv
