#pragma once
// Number texts inserted at the caret: the Fibonacci series, pi and e.

#include <cstdint>
#include <string>
#include <string_view>

#include "core/numbers/number_result.h"

namespace kiv {

inline constexpr std::int32_t kFibonacciMaxCount = 10000;

// The prompt for the count (an input box: cancel gives the default).
inline constexpr std::string_view kFibonacciCaption = "Задание параметра";
inline constexpr std::string_view kFibonacciPrompt = "Введите число > 0: ";
inline constexpr std::string_view kFibonacciDefault = "13";
// Shown when the count is above kFibonacciMaxCount.
inline constexpr std::string_view kFibonacciTooMany = "Слишком много чисел: не больше 10000";

// "1, 1, 2, 3, 5, ..., F(n), Числа Фибоначчи: " in Windows-1251, terms of any
// length; n <= 0 gives the title alone. n must not exceed the maximum.
std::string fibonacciText(std::int32_t n);

// "Ряд Фибоначчи": `answer` is the text of the input box (UTF-8). Puts the
// series (to be inserted at the caret in one piece), or shows the integer
// conversion error or kFibonacciTooMany.
NumberResult fibonacciCommand(std::string_view answer);

// "Число Pi" and "Число e": fixed texts inserted at the caret.
inline constexpr std::string_view kPiText = "3.141592653589793238462643383";
inline constexpr std::string_view kEText = "2.7182818";

}  // namespace kiv
