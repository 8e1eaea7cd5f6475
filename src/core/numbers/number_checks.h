#pragma once
// The "Проверка" commands: leap year and ISBN-10.

#include <cstdint>
#include <string>
#include <string_view>

#include "core/numbers/number_result.h"

namespace kiv {

inline constexpr std::string_view kLeapYearBadParameter = "Неверный параметр - думайте сами, почему...";
inline constexpr std::string_view kIsbnValid = "Верно!";
inline constexpr std::string_view kIsbnInvalid = "Не-а, чё-т не то...";

bool isLeapYear(std::int64_t year);

// "Високосный ли год?": digits only (else nothing); puts the selection
// followed by " - високосный год" or " - увы, не високосный..." (Windows-1251),
// or shows kLeapYearBadParameter when the number does not fit.
NumberResult leapYearCommand(std::string_view selected);

// ISBN-10: digits are taken in order, "X"/"x" counts 10 only as the tenth;
// every other byte is skipped. Valid with exactly ten digits and a weighted
// sum (weights 1..10) divisible by 11.
bool isValidIsbn10(std::string_view text);

// "Верный ли ISBN-код?": shows kIsbnValid or kIsbnInvalid; the text is not
// changed. Nothing without a selection.
NumberResult isbnCommand(std::string_view selected);

}  // namespace kiv
