#pragma once
// The expression evaluator behind "Вычислить выражение": a recursive-descent
// interpreter over the selected text with + - * /, brackets, the integer-part
// bracket [x], named functions, IF with comparisons, SUM with the loop
// variable I, the constant PI and the variables A to Z (always 0 except I
// inside SUM). Values are extended-precision floating point.
//
// The whole text must be an expression (trailing blanks aside); spaces
// inside it are errors. Arithmetic faults are reported, never returned as
// INF or NAN, and nesting depth and the number of evaluation steps are
// capped, so that no text can hang or crash the program.

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

#include "core/common/regional.h"
#include "core/numbers/number_result.h"

namespace kiv {

enum class EvalErrorKind {
  Bracket,          // "Ожидается ')' в позиции N" (or ']')
  Comma,            // "Ожидается ',' в позиции N"
  Syntax,           // "Синтаксическая ошибка в позиции N"
  UnexpectedEnd,    // "Неожиданный конец выражения"
  LongVar,          // NAME + " не является допустимым именем"
  UnknownFunc,      // "Неизвестная функция " + NAME
  InvalidOp,        // "Верхняя граница должна быть больше нижней"
  ZeroDivide,       // "Деление на ноль в позиции N"
  Overflow,         // "Переполнение в позиции N"
  InvalidArgument,  // "Недопустимый аргумент функции NAME в позиции N" or
                    // "Недопустимая операция в позиции N"
  TooDeep,          // "Слишком глубокая вложенность в позиции N"
  TooLong,          // "Слишком много шагов вычисления"
};

struct EvalLimits {
  int maxDepth = 256;                    // nested brackets, signs and calls
  std::uint64_t maxSteps = 10'000'000;   // factors evaluated, on top of the text length
};

struct EvalResult {
  bool ok = false;
  long double value = 0;
  EvalErrorKind kind = EvalErrorKind::Syntax;
  std::string message;      // UTF-8, the exact text shown to the user
  std::size_t position = 0; // 1-based position in the text, 0 when none
};

// Evaluates `text` (document bytes). Positions count from 1 in the text as
// given.
EvalResult evaluateExpression(std::string_view text, const EvalLimits& limits = {});

// "Вычислить выражение" (F4): nothing without a selection; otherwise puts
// selected + " = " + the value in the general format with the regional
// decimal separator, or shows the error message.
NumberResult evaluateCommand(std::string_view selected, const RegionalFormat& format);

}  // namespace kiv
