#include "core/expr/evaluator.h"

#include <array>
#include <cmath>
#include <numbers>

#include "core/common/conversions.h"
#include "core/common/number_format.h"

namespace kiv {

namespace {

using Real = long double;

constexpr Real kPi = 3.14159265358979323846264338327950288L;

struct Failure {
  EvalErrorKind kind;
  std::string message;
  std::size_t position;
};

char upper(char c) { return (c >= 'a' && c <= 'z') ? static_cast<char>(c - 'a' + 'A') : c; }
bool isLetter(char c) { c = upper(c); return c >= 'A' && c <= 'Z'; }
bool isDigit(char c) { return c >= '0' && c <= '9'; }

// Names quoted in messages are cut to a sensible length.
std::string shownName(const std::string& name) {
  if (name.size() <= 64) return name;
  return name.substr(0, 64) + "...";
}

enum class Func {
  Cos, Sin, Tg, Ctg, ArcCos, ArcSin, ArcTg, Sh, Ch, Th, ArSh, ArCh, ArTh,
  Sqrt, Sqr, Exp, Ln, Lg, Log, Power, Abs, Sgn, Max, Min, Sum, If, Unknown
};

Func lookup(std::string_view name) {
  static const std::pair<std::string_view, Func> kTable[] = {
      {"COS", Func::Cos},     {"SIN", Func::Sin},       {"TG", Func::Tg},       {"CTG", Func::Ctg},
      {"ARCCOS", Func::ArcCos}, {"ARCSIN", Func::ArcSin}, {"ARCTG", Func::ArcTg}, {"SH", Func::Sh},
      {"CH", Func::Ch},       {"TH", Func::Th},         {"ARSH", Func::ArSh},   {"ARCH", Func::ArCh},
      {"ARTH", Func::ArTh},   {"SQRT", Func::Sqrt},     {"SQR", Func::Sqr},     {"EXP", Func::Exp},
      {"LN", Func::Ln},       {"LG", Func::Lg},         {"LOG", Func::Log},     {"POWER", Func::Power},
      {"ABS", Func::Abs},     {"SGN", Func::Sgn},       {"MAX", Func::Max},     {"MIN", Func::Min},
      {"SUM", Func::Sum},     {"IF", Func::If},
  };
  for (const auto& [n, f] : kTable)
    if (n == name) return f;
  return Func::Unknown;
}

class Parser {
 public:
  Parser(std::string_view text, const EvalLimits& limits) : limits_(limits) {
    // Trailing blanks are not part of the expression; one space marks the end.
    while (!text.empty() && (text.back() == ' ' || text.back() == '\t' || text.back() == '\r' ||
                             text.back() == '\n'))
      text.remove_suffix(1);
    text_.assign(text);
    text_ += ' ';
    end_ = text_.size() - 1;
    budget_ = limits.maxSteps + text_.size();
  }

  Real run() {
    Real v = expression();
    if (pos_ != end_) syntaxError();
    return v;
  }

 private:
  char cur() const { return upper(text_[pos_]); }
  std::size_t here() const { return pos_ + 1; }

  [[noreturn]] void fail(EvalErrorKind kind, std::string message, std::size_t position) {
    throw Failure{kind, std::move(message), position};
  }
  [[noreturn]] void syntaxError() {
    fail(EvalErrorKind::Syntax, "Синтаксическая ошибка в позиции " + std::to_string(here()), here());
  }
  void expect(char c) {
    if (text_[pos_] != c) {
      if (c == ',')
        fail(EvalErrorKind::Comma, "Ожидается ',' в позиции " + std::to_string(here()), here());
      fail(EvalErrorKind::Bracket, std::string("Ожидается '") + c + "' в позиции " + std::to_string(here()),
           here());
    }
    ++pos_;
  }

  // Arithmetic results are checked where they are made.
  Real checked(Real v, std::size_t at) {
    if (std::isinf(v)) fail(EvalErrorKind::Overflow, "Переполнение в позиции " + std::to_string(at), at);
    if (std::isnan(v))
      fail(EvalErrorKind::InvalidArgument,
           "Недопустимая операция в позиции " + std::to_string(at), at);
    return v;
  }
  [[noreturn]] void badArgument(const std::string& name, std::size_t at) {
    fail(EvalErrorKind::InvalidArgument,
         "Недопустимый аргумент функции " + name + " в позиции " + std::to_string(at), at);
  }
  [[noreturn]] void zeroDivide(std::size_t at) {
    fail(EvalErrorKind::ZeroDivide, "Деление на ноль в позиции " + std::to_string(at), at);
  }
  void step() {
    if (++steps_ > budget_) fail(EvalErrorKind::TooLong, "Слишком много шагов вычисления", 0);
  }

  Real expression() {
    Real v = term();
    for (;;) {
      char c = text_[pos_];
      if (c != '+' && c != '-') return v;
      std::size_t at = here();
      ++pos_;
      Real w = term();
      v = checked(c == '+' ? v + w : v - w, at);
    }
  }

  Real term() {
    Real v = factor();
    for (;;) {
      char c = text_[pos_];
      if (c != '*' && c != '/') return v;
      std::size_t at = here();
      ++pos_;
      Real w = factor();
      if (c == '/' && w == 0) zeroDivide(at);
      v = checked(c == '*' ? v * w : v / w, at);
    }
  }

  Real factor() {
    step();
    if (++depth_ > limits_.maxDepth)
      fail(EvalErrorKind::TooDeep, "Слишком глубокая вложенность в позиции " + std::to_string(here()),
           here());
    Real v = factorBody();
    --depth_;
    return v;
  }

  Real factorBody() {
    const char c = cur();
    if (c == '(') {
      ++pos_;
      Real v = expression();
      expect(')');
      return v;
    }
    if (c == '-') {
      ++pos_;
      return -factor();
    }
    if (isDigit(c)) return number();
    if (isLetter(c)) return name();
    if (c == '[') {
      ++pos_;
      Real v = std::floor(expression());
      expect(']');
      return v;
    }
    syntaxError();
  }

  Real number() {
    const std::size_t at = here();
    Real v = 0;
    bool overflow = false;
    std::string_view rest(text_);
    rest.remove_prefix(pos_);
    pos_ += scanDecimal(rest, '.', v, overflow);
    if (overflow) fail(EvalErrorKind::Overflow, "Переполнение в позиции " + std::to_string(at), at);
    return v;
  }

  Real name() {
    const std::size_t at = here();
    std::string n;
    while (isLetter(text_[pos_]) || isDigit(text_[pos_])) n += upper(text_[pos_++]);
    if (text_[pos_] != '(') {
      if (n.size() == 1) return vars_[static_cast<std::size_t>(n[0] - 'A')];
      if (n == "PI") return kPi;
      fail(EvalErrorKind::LongVar, shownName(n) + " не является допустимым именем", at);
    }
    const Func f = lookup(n);
    if (f == Func::Unknown) fail(EvalErrorKind::UnknownFunc, "Неизвестная функция " + shownName(n), at);
    ++pos_;
    Real v = call(f, n, at);
    expect(')');
    return v;
  }

  Real call(Func f, const std::string& n, std::size_t at) {
    switch (f) {
      case Func::Log: {
        Real b = expression();
        expect(',');
        Real x = expression();
        if (b <= 0 || x <= 0) badArgument(n, at);
        Real lb = std::log(b);
        if (lb == 0) zeroDivide(at);
        return checked(std::log(x) / lb, at);
      }
      case Func::Power: {
        Real b = expression();
        expect(',');
        Real e = expression();
        if (b < 0 && e != std::trunc(e)) badArgument(n, at);
        if (b == 0 && e < 0) zeroDivide(at);
        return checked(std::pow(b, e), at);
      }
      case Func::Max:
      case Func::Min: {
        Real v = expression();
        while (text_[pos_] == ',') {
          ++pos_;
          Real w = expression();
          if (f == Func::Max ? w > v : w < v) v = w;
        }
        return v;
      }
      case Func::Sum: return sum(at);
      case Func::If: {
        bool cond = condition();
        expect(',');
        Real a = expression();
        expect(',');
        Real b = expression();
        return cond ? a : b;
      }
      default: break;
    }
    const Real x = expression();
    switch (f) {
      case Func::Cos: return checked(std::cos(x), at);
      case Func::Sin: return checked(std::sin(x), at);
      case Func::Tg: return checked(std::tan(x), at);
      case Func::Ctg: {
        Real t = std::tan(x);
        if (t == 0) zeroDivide(at);
        return checked(1 / t, at);
      }
      case Func::ArcCos:
        if (x < -1 || x > 1) badArgument(n, at);
        return std::acos(x);
      case Func::ArcSin:
        if (x < -1 || x > 1) badArgument(n, at);
        return std::asin(x);
      case Func::ArcTg: return std::atan(x);
      case Func::Sh: return checked(std::sinh(x), at);
      case Func::Ch: return checked(std::cosh(x), at);
      case Func::Th: return std::tanh(x);
      case Func::ArSh: return checked(std::asinh(x), at);
      case Func::ArCh:
        if (x < 1) badArgument(n, at);
        return checked(std::acosh(x), at);
      case Func::ArTh:
        if (x <= -1 || x >= 1) badArgument(n, at);
        return checked(std::atanh(x), at);
      case Func::Sqrt:
        if (x < 0) badArgument(n, at);
        return std::sqrt(x);
      case Func::Sqr: return checked(x * x, at);
      case Func::Exp: return checked(std::exp(x), at);
      case Func::Ln:
        if (x <= 0) badArgument(n, at);
        return std::log(x);
      case Func::Lg:
        if (x <= 0) badArgument(n, at);
        return std::log10(x);
      case Func::Abs: return std::fabs(x);
      case Func::Sgn: return x > 0 ? 1 : x < 0 ? -1 : 0;
      default: return x;
    }
  }

  Real sum(std::size_t at) {
    const Real lo = std::trunc(expression());
    expect(',');
    const Real hi = std::trunc(expression());
    expect(',');
    if (hi < lo) fail(EvalErrorKind::InvalidOp, "Верхняя граница должна быть больше нижней", at);
    const Real count = hi - lo + 1;
    if (count > static_cast<Real>(budget_ - steps_))
      fail(EvalErrorKind::TooLong, "Слишком много шагов вычисления", 0);
    const auto n = static_cast<std::uint64_t>(count);
    Real& i = vars_['I' - 'A'];
    const Real saved = i;
    const std::size_t bodyStart = pos_;
    Real total = 0;
    for (std::uint64_t k = 0; k < n; ++k) {
      pos_ = bodyStart;
      i = lo + static_cast<Real>(k);
      total = checked(total + expression(), at);
    }
    i = saved;
    return total;
  }

  bool condition() {
    Real x = expression();
    if (pos_ == end_) fail(EvalErrorKind::UnexpectedEnd, "Неожиданный конец выражения", 0);
    enum Op { Eq, Ne, Lt, Le, Gt, Ge };
    auto readOp = [&]() -> Op {
      char c = text_[pos_];
      char d = text_[pos_ + 1 < text_.size() ? pos_ + 1 : pos_];
      if (c == '=') { ++pos_; return Eq; }
      if (c == '<') {
        if (d == '>') { pos_ += 2; return Ne; }
        if (d == '=') { pos_ += 2; return Le; }
        ++pos_;
        return Lt;
      }
      if (c == '>') {
        if (d == '=') { pos_ += 2; return Ge; }
        ++pos_;
        return Gt;
      }
      syntaxError();
    };
    auto holds = [](Real a, Op op, Real b) {
      switch (op) {
        case Eq: return a == b;
        case Ne: return a != b;
        case Lt: return a < b;
        case Le: return a <= b;
        case Gt: return a > b;
        case Ge: return a >= b;
      }
      return false;
    };
    const Op op = readOp();
    const Real y = expression();
    bool result = holds(x, op, y);
    if ((op == Lt || op == Le) && text_[pos_] == '<') {
      const Op op2 = text_[pos_ + 1] == '=' ? Le : Lt;
      pos_ += op2 == Le ? 2 : 1;
      const Real z = expression();
      result = result && holds(y, op2, z);
    }
    return result;
  }

  const EvalLimits& limits_;
  std::string text_;
  std::size_t pos_ = 0;
  std::size_t end_ = 0;
  int depth_ = 0;
  std::uint64_t steps_ = 0;
  std::uint64_t budget_ = 0;
  std::array<Real, 26> vars_{};  // every evaluation starts with all zero
};

}  // namespace

EvalResult evaluateExpression(std::string_view text, const EvalLimits& limits) {
  EvalResult r;
  try {
    Parser p(text, limits);
    r.value = p.run();
    r.ok = true;
  } catch (const Failure& f) {
    r.kind = f.kind;
    r.message = f.message;
    r.position = f.position;
  }
  return r;
}

NumberResult evaluateCommand(std::string_view selected, const RegionalFormat& format) {
  if (selected.empty()) return NumberResult::nothing();
  EvalResult r = evaluateExpression(selected);
  if (!r.ok) return NumberResult::show(r.message);
  std::string out(selected);
  out += " = ";
  out += formatGeneral(r.value, format);
  return NumberResult::put(std::move(out));
}

}  // namespace kiv
