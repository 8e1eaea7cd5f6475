#pragma once
// The operations of the big-number calculator window on its operand texts
// (UTF-8 from the edit fields). An operand is an optional "-" and decimal
// digits (hexadecimal digits for "To DEC"), blanks around it allowed; an
// empty operand is zero. Leading zeros do not change the value.

#include <string>
#include <string_view>

namespace kiv {

struct MegaCalcResult {
  std::string text;   // for the result field
  std::string error;  // UTF-8 message; the result field is left alone
  bool ok() const { return error.empty(); }
};

inline constexpr std::string_view kMegaEqual = "Операнды равныыыы!";
inline constexpr std::string_view kMegaFirstGreater = "Первый операнд больше второгоооо!";
inline constexpr std::string_view kMegaSecondGreater = "Второй операнд больше первогоооооо!";
inline constexpr std::string_view kMegaDivisionByZero = "Деление на ноль";
// Followed by the operand in quotes.
inline constexpr std::string_view kMegaNotDecimal = "Не целое десятичное число: ";
inline constexpr std::string_view kMegaNotHex = "Не шестнадцатеричное число: ";

MegaCalcResult megaAdd(std::string_view a, std::string_view b);
MegaCalcResult megaSubtract(std::string_view a, std::string_view b);
MegaCalcResult megaMultiply(std::string_view a, std::string_view b);
// Quotient, ".", remainder, truncated towards zero: 100 ÷ 7 gives "14.2",
// -7 ÷ 2 gives "-3.-1". A zero divisor gives kMegaDivisionByZero.
MegaCalcResult megaDivide(std::string_view a, std::string_view b);
// One of kMegaEqual, kMegaFirstGreater, kMegaSecondGreater.
MegaCalcResult megaCompare(std::string_view a, std::string_view b);
// Decimal to upper-case hexadecimal ("255" → "FF", "-255" → "-FF") and back
// (either case of letters); an empty operand gives an empty result.
MegaCalcResult megaToHex(std::string_view decimal);
MegaCalcResult megaToDec(std::string_view hex);

}  // namespace kiv
