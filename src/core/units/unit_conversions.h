#pragma once
// The unit converter's conversions: temperature scales and imperial, US
// and metric units of length, area, volume and mass, each a single
// multiplication, division or linear formula, chosen by its exact text.

#include <optional>
#include <span>
#include <string>
#include <string_view>

namespace kiv {

// The texts of the converter's list, in list order (UTF-8). One more
// conversion, "Граммы в унции", is not in the list but works when typed.
std::span<const std::string_view> unitConversionList();

// The number converted by the conversion of that exact text; nothing when
// the text names none.
std::optional<long double> convertUnits(std::string_view conversion, long double value);

// The message for a text that names no conversion.
std::string unknownConversionMessage(std::string_view conversion);

}  // namespace kiv
