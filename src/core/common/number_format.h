#pragma once
// The general number format in which the program shows computed values: the
// shortest text with up to `precision` significant digits, trailing zeros
// dropped, the decimal separator only when there is a fraction. Values whose
// decimal exponent is above the precision, or below 1E-4, are written in
// exponent form: 1E20, 1.5E-5, -2.5E100 (no "+", no leading zeros in the
// exponent). Infinities and NaN are written "INF", "-INF" and "NAN".

#include <string>

#include "core/common/regional.h"

namespace kiv {

inline constexpr int kGeneralPrecision = 15;

std::string formatGeneral(long double value, char decimalSeparator,
                          int precision = kGeneralPrecision);
std::string formatGeneral(long double value, const RegionalFormat& format,
                          int precision = kGeneralPrecision);

}  // namespace kiv
