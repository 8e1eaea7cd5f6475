// The expression evaluator on arbitrary text: never crashes or hangs; a
// result is either a finite value or an error whose message matches its
// kind (position where the kind has one, inside the text); the same text
// with trailing blanks gives the same result; the command puts the value or
// shows the message. The input also drives a generated flat expression of
// integers, signs and the four operations, whose value (or division by zero
// at the right position) is computed here independently, and the input
// nested past the default depth fails exactly where the depth runs out.
#include <cmath>
#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

#include "core/charsets/utf8.h"
#include "core/common/regional.h"
#include "core/expr/evaluator.h"
#include "fuzz_check.h"

namespace {

using kiv::EvalErrorKind;

// Small limits keep the runs fast; the limit logic is the same.
const kiv::EvalLimits kLimits{64, 200'000};

bool startsWith(std::string_view s, std::string_view p) { return s.substr(0, p.size()) == p; }
bool endsWith(std::string_view s, std::string_view p) {
  return s.size() >= p.size() && s.substr(s.size() - p.size()) == p;
}

bool sameResult(const kiv::EvalResult& a, const kiv::EvalResult& b) {
  if (a.ok != b.ok) return false;
  if (a.ok) return a.value == b.value && std::signbit(a.value) == std::signbit(b.value);
  return a.kind == b.kind && a.message == b.message && a.position == b.position;
}

std::size_t trimmedSize(std::string_view s) {
  while (!s.empty() && (s.back() == ' ' || s.back() == '\t' || s.back() == '\r' || s.back() == '\n'))
    s.remove_suffix(1);
  return s.size();
}

void checkResult(std::string_view text, const kiv::EvalResult& r) {
  if (r.ok) {
    FUZZ_CHECK(std::isfinite(r.value) && r.message.empty());
    return;
  }
  const std::string& m = r.message;
  FUZZ_CHECK(!m.empty() && m.size() < 200 && kiv::isValidUtf8(m));
  const std::string at = " в позиции " + std::to_string(r.position);
  bool positional = true;
  switch (r.kind) {
    case EvalErrorKind::Bracket:
      FUZZ_CHECK(m == "Ожидается ')'" + at || m == "Ожидается ']'" + at);
      break;
    case EvalErrorKind::Comma: FUZZ_CHECK(m == "Ожидается ','" + at); break;
    case EvalErrorKind::Syntax: FUZZ_CHECK(m == "Синтаксическая ошибка" + at); break;
    case EvalErrorKind::UnexpectedEnd:
      FUZZ_CHECK(m == "Неожиданный конец выражения");
      positional = false;
      break;
    case EvalErrorKind::LongVar: FUZZ_CHECK(endsWith(m, " не является допустимым именем")); break;
    case EvalErrorKind::UnknownFunc: FUZZ_CHECK(startsWith(m, "Неизвестная функция ")); break;
    case EvalErrorKind::InvalidOp: FUZZ_CHECK(m == "Верхняя граница должна быть больше нижней"); break;
    case EvalErrorKind::ZeroDivide: FUZZ_CHECK(m == "Деление на ноль" + at); break;
    case EvalErrorKind::Overflow: FUZZ_CHECK(m == "Переполнение" + at); break;
    case EvalErrorKind::InvalidArgument:
      FUZZ_CHECK(m == "Недопустимая операция" + at ||
                 (startsWith(m, "Недопустимый аргумент функции ") && endsWith(m, at)));
      break;
    case EvalErrorKind::TooDeep: FUZZ_CHECK(m == "Слишком глубокая вложенность" + at); break;
    case EvalErrorKind::TooLong:
      FUZZ_CHECK(m == "Слишком много шагов вычисления");
      positional = false;
      break;
  }
  if (positional) FUZZ_CHECK(r.position >= 1 && r.position <= trimmedSize(text) + 1);
  else FUZZ_CHECK(r.position == 0);
}

// A flat expression n op n op n ... (optional minus signs) and its value.
struct Flat {
  std::string text;
  long double value = 0;
  std::size_t zeroDivideAt = 0;  // 1-based position of the first "/" by zero
};

Flat flatExpression(std::string_view in) {
  Flat f;
  long double sum = 0, term = 0;
  char pendingAdd = '+';
  for (std::size_t i = 0; i + 1 < in.size() && f.text.size() < 400; i += 2) {
    const auto a = static_cast<unsigned char>(in[i]);
    const auto b = static_cast<unsigned char>(in[i + 1]);
    const char op = "+-*/"[b % 4];
    const bool minus = b & 0x10;
    long double n = a % 100;
    std::string number = std::to_string(a % 100);
    if (minus) {
      number = "-" + number;
      n = -n;
    }
    if (i == 0) {
      term = n;
    } else {
      const std::size_t opAt = f.text.size() + 1;
      f.text += op;
      if (op == '*') {
        term = term * n;
      } else if (op == '/') {
        if (n == 0 && f.zeroDivideAt == 0) f.zeroDivideAt = opAt;
        if (n != 0) term = term / n;
      } else {
        sum = pendingAdd == '+' ? sum + term : sum - term;
        pendingAdd = op;
        term = n;
      }
    }
    f.text += number;
  }
  f.value = pendingAdd == '+' ? sum + term : sum - term;
  return f;
}

// Openers that each add one level of nesting; the text of 300 of them
// (picked by the input) fails at the first factor past the default depth:
// a number inside the last allowed opener, or else the next opener.
void checkDepth(std::string_view in) {
  struct Opener {
    std::string_view text;
    std::size_t firstNumber;  // offset of a number nested one level deeper, 0: none
  };
  static constexpr Opener kOpeners[] = {{"(", 0},        {"-", 0},         {"[", 0},        {"SQRT(", 0},
                                        {"max(1,", 4}, {"IF(1<2,", 3}, {"sum(1,1,", 4}};
  const kiv::EvalLimits defaults;
  std::string text;
  std::size_t tooDeepAt = 0;
  for (int level = 0; level < 300; ++level) {
    const std::size_t pick = in.empty() ? 0 : static_cast<unsigned char>(in[level % in.size()]);
    const Opener& o = kOpeners[pick % 7];
    if (level == defaults.maxDepth - 1 && o.firstNumber != 0) tooDeepAt = text.size() + o.firstNumber + 1;
    if (level == defaults.maxDepth && tooDeepAt == 0) tooDeepAt = text.size() + 1;
    text += o.text;
  }
  text += in;
  const kiv::EvalResult r = kiv::evaluateExpression(text);
  FUZZ_CHECK(!r.ok && r.kind == EvalErrorKind::TooDeep && r.position == tooDeepAt);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const std::string_view in(reinterpret_cast<const char*>(data), size);

  const kiv::EvalResult r = kiv::evaluateExpression(in, kLimits);
  checkResult(in, r);
  FUZZ_CHECK(sameResult(kiv::evaluateExpression(std::string(in) + " \t\r\n ", kLimits), r));

  // Within the small limits the full ones change nothing; the command
  // reports what the evaluator found.
  if (r.ok || (r.kind != EvalErrorKind::TooLong && r.kind != EvalErrorKind::TooDeep)) {
    const kiv::EvalResult full = kiv::evaluateExpression(in);
    FUZZ_CHECK(sameResult(full, r));
    const kiv::NumberResult cmd = kiv::evaluateCommand(in, kiv::russianRegionalFormat());
    if (in.empty()) {
      FUZZ_CHECK(cmd.isNothing());
    } else if (r.ok) {
      FUZZ_CHECK(cmd.isPut() && startsWith(cmd.text, std::string(in) + " = "));
      FUZZ_CHECK(cmd.text.size() > size + 3);
    } else {
      FUZZ_CHECK(cmd.isShow() && cmd.message == r.message);
    }
  }

  // Deep texts are slow under the sanitizers: one input in four.
  if (size > 0 && data[0] % 4 == 0) checkDepth(in);

  const Flat f = flatExpression(in);
  if (!f.text.empty()) {
    const kiv::EvalResult e = kiv::evaluateExpression(f.text, kLimits);
    if (f.zeroDivideAt != 0) {
      FUZZ_CHECK(!e.ok && e.kind == EvalErrorKind::ZeroDivide && e.position == f.zeroDivideAt);
    } else {
      FUZZ_CHECK(e.ok && e.value == f.value);
    }
  }
  return 0;
}
