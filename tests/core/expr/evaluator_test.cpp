#include "core/expr/evaluator.h"

#include <gtest/gtest.h>

#include <chrono>
#include <cmath>
#include <string>

#include "core/common/number_format.h"

namespace kiv {
namespace {

struct ValueCase {
  const char* text;
  long double value;
};

TEST(Evaluator, Values) {
  const ValueCase cases[] = {
      {"2+3*4", 14},
      {"(2+3)*4", 20},
      {"2*-3", -6},
      {"8/2/2", 2},
      {"10-4-3", 3},
      {"--2", 2},
      {"-2*3", -6},
      {"-(2+3)", -5},
      {"sqrt(16)+power(2,10)", 1028},
      {"LOG(2,8)", 3},
      {"max(1,5,3)", 5},
      {"min(4,-1)", -1},
      {"MAX(7)", 7},
      {"SUM(1,10,I)", 55},
      {"SUM(1,3,I*I)", 14},
      {"SUM(2.9,3.9,I)", 5},
      {"SUM(-2.5,2,I)", 0},
      {"SUM(4,4,I)", 4},
      {"SUM(1,3,SUM(1,I,I))", 10},
      {"SUM(1,2,I)+I", 3},
      {"IF(1<2,10,20)", 10},
      {"IF(3<=2,10,20)", 20},
      {"IF(1<2<3,1,0)", 1},
      {"IF(2<2<=3,1,0)", 0},
      {"IF(1<2<=2,1,0)", 1},
      {"IF(1=1,5,6)", 5},
      {"IF(1<>1,5,6)", 6},
      {"IF(2>1,5,6)", 5},
      {"IF(2>=3,5,6)", 6},
      {"[3.9]", 3},
      {"[-0.5]", -1},
      {"[2.7]", 2},
      {"[-2.5]", -3},
      {"[-2]", -2},
      {"A*5", 0},
      {"I", 0},
      {"z+1", 1},
      {"1e3", 1000},
      {"1.5E-1*2", 0.3L},
      {"2.5e+1", 25},
      {"007", 7},
      {"abs(-3)+sgn(-2)+sgn(0)+sgn(5)", 3},
      {"sqr(3)", 9},
      {"ln(exp(2))", 2},
      {"lg(1000)", 3},
      {"cos(0)+sin(0)", 1},
      {"tg(0)", 0},
      {"arctg(1)*4-pi", 0},
      {"arccos(1)+arcsin(0)", 0},
      {"sh(0)+ch(0)+th(0)", 1},
      {"arsh(0)+arch(1)+arth(0)", 0},
      {"power(-2,3)", -8},
      {"power(0,0)", 1},
      {"2+3 ", 5},
      {"2+3\r\n", 5},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.text);
    EvalResult r = evaluateExpression(c.text);
    ASSERT_TRUE(r.ok) << r.message;
    EXPECT_NEAR(static_cast<double>(r.value), static_cast<double>(c.value), 1e-15);
  }
}

struct ErrorCase {
  const char* text;
  EvalErrorKind kind;
  const char* message;
};

TEST(Evaluator, Errors) {
  const ErrorCase cases[] = {
      {"LOG(2, 8)", EvalErrorKind::Syntax, "Синтаксическая ошибка в позиции 7"},
      {"SUM(5,1,I)", EvalErrorKind::InvalidOp, "Верхняя граница должна быть больше нижней"},
      {"(1+2", EvalErrorKind::Bracket, "Ожидается ')' в позиции 5"},
      {"[1+2", EvalErrorKind::Bracket, "Ожидается ']' в позиции 5"},
      {"SQRT(4", EvalErrorKind::Bracket, "Ожидается ')' в позиции 7"},
      {"2+*", EvalErrorKind::Syntax, "Синтаксическая ошибка в позиции 3"},
      {"FOO(1)", EvalErrorKind::UnknownFunc, "Неизвестная функция FOO"},
      {"foo(1)", EvalErrorKind::UnknownFunc, "Неизвестная функция FOO"},
      {"XY", EvalErrorKind::LongVar, "XY не является допустимым именем"},
      {"pi(1)", EvalErrorKind::UnknownFunc, "Неизвестная функция PI"},
      {"LOG(2)", EvalErrorKind::Comma, "Ожидается ',' в позиции 6"},
      {"IF(1,2,3)", EvalErrorKind::Syntax, "Синтаксическая ошибка в позиции 5"},
      {"IF(1<2,3)", EvalErrorKind::Comma, "Ожидается ',' в позиции 9"},
      {"IF(1", EvalErrorKind::UnexpectedEnd, "Неожиданный конец выражения"},
      {"", EvalErrorKind::Syntax, "Синтаксическая ошибка в позиции 1"},
      {" 1", EvalErrorKind::Syntax, "Синтаксическая ошибка в позиции 1"},
      {".5", EvalErrorKind::Syntax, "Синтаксическая ошибка в позиции 1"},
      {"+1", EvalErrorKind::Syntax, "Синтаксическая ошибка в позиции 1"},
      // The whole text must be used.
      {"1 + 2", EvalErrorKind::Syntax, "Синтаксическая ошибка в позиции 2"},
      {"1+2 x", EvalErrorKind::Syntax, "Синтаксическая ошибка в позиции 4"},
      {"2(3)", EvalErrorKind::Syntax, "Синтаксическая ошибка в позиции 2"},
      {"1e", EvalErrorKind::Syntax, "Синтаксическая ошибка в позиции 2"},
      {"1)", EvalErrorKind::Syntax, "Синтаксическая ошибка в позиции 2"},
      {"2PI", EvalErrorKind::Syntax, "Синтаксическая ошибка в позиции 2"},
      // Arithmetic faults.
      {"1/0", EvalErrorKind::ZeroDivide, "Деление на ноль в позиции 2"},
      {"1/(2-2)", EvalErrorKind::ZeroDivide, "Деление на ноль в позиции 2"},
      {"0/0", EvalErrorKind::ZeroDivide, "Деление на ноль в позиции 2"},
      {"ctg(0)", EvalErrorKind::ZeroDivide, "Деление на ноль в позиции 1"},
      {"log(1,5)", EvalErrorKind::ZeroDivide, "Деление на ноль в позиции 1"},
      {"power(0,-1)", EvalErrorKind::ZeroDivide, "Деление на ноль в позиции 1"},
      {"sqrt(-1)", EvalErrorKind::InvalidArgument, "Недопустимый аргумент функции SQRT в позиции 1"},
      {"2+ln(0)", EvalErrorKind::InvalidArgument, "Недопустимый аргумент функции LN в позиции 3"},
      {"lg(-1)", EvalErrorKind::InvalidArgument, "Недопустимый аргумент функции LG в позиции 1"},
      {"log(-2,8)", EvalErrorKind::InvalidArgument, "Недопустимый аргумент функции LOG в позиции 1"},
      {"arccos(2)", EvalErrorKind::InvalidArgument, "Недопустимый аргумент функции ARCCOS в позиции 1"},
      {"arcsin(-1.5)", EvalErrorKind::InvalidArgument, "Недопустимый аргумент функции ARCSIN в позиции 1"},
      {"arch(0.5)", EvalErrorKind::InvalidArgument, "Недопустимый аргумент функции ARCH в позиции 1"},
      {"arth(1)", EvalErrorKind::InvalidArgument, "Недопустимый аргумент функции ARTH в позиции 1"},
      {"power(-8,0.5)", EvalErrorKind::InvalidArgument, "Недопустимый аргумент функции POWER в позиции 1"},
      {"exp(100000)", EvalErrorKind::Overflow, "Переполнение в позиции 1"},
      {"sh(100000)", EvalErrorKind::Overflow, "Переполнение в позиции 1"},
      {"1e4000*1e4000", EvalErrorKind::Overflow, "Переполнение в позиции 7"},
      {"1e4000*-1e4000", EvalErrorKind::Overflow, "Переполнение в позиции 7"},
      {"1+1e99999", EvalErrorKind::Overflow, "Переполнение в позиции 3"},
      {"power(10,5000)", EvalErrorKind::Overflow, "Переполнение в позиции 1"},
      {"sqr(1e3000)", EvalErrorKind::Overflow, "Переполнение в позиции 1"},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.text);
    EvalResult r = evaluateExpression(c.text);
    ASSERT_FALSE(r.ok) << static_cast<double>(r.value);
    EXPECT_EQ(r.kind, c.kind);
    EXPECT_EQ(r.message, c.message);
  }
}

TEST(Evaluator, DepthIsCapped) {
  const std::string deep = std::string(100000, '(') + "1" + std::string(100000, ')');
  EvalResult r = evaluateExpression(deep);
  ASSERT_FALSE(r.ok);
  EXPECT_EQ(r.kind, EvalErrorKind::TooDeep);
  EXPECT_EQ(evaluateExpression(std::string(100000, '-') + "1").kind, EvalErrorKind::TooDeep);
  std::string calls;
  for (int i = 0; i < 10000; ++i) calls += "ABS(";
  calls += "1" + std::string(10000, ')');
  EXPECT_EQ(evaluateExpression(calls).kind, EvalErrorKind::TooDeep);
  // Up to the cap nesting works.
  const std::string ok = std::string(200, '(') + "1" + std::string(200, ')');
  EXPECT_TRUE(evaluateExpression(ok).ok);
}

TEST(Evaluator, LoopsAreCappedQuickly) {
  // The cap is a count of steps, so these end after a bounded amount of work
  // (the test's own time limit guards against a hang).
  const char* heavy[] = {
      "SUM(1,1e18,I)",
      "SUM(1,100000,SUM(1,100000,I))",
      "SUM(1,1000,SUM(1,1000,SUM(1,1000,I)))",
      "SUM(-1e30,1e30,1)",
  };
  for (const char* text : heavy) {
    SCOPED_TRACE(text);
    EvalResult r = evaluateExpression(text);
    ASSERT_FALSE(r.ok);
    EXPECT_EQ(r.kind, EvalErrorKind::TooLong);
    EXPECT_EQ(r.message, "Слишком много шагов вычисления");
  }
  // A small limit shows that the cap counts nested work.
  EvalLimits tight;
  tight.maxSteps = 1000;
  EXPECT_TRUE(evaluateExpression("SUM(1,30,SUM(1,30,I))", tight).ok);
  EXPECT_FALSE(evaluateExpression("SUM(1,40,SUM(1,40,I))", tight).ok);
  EXPECT_EQ(static_cast<double>(evaluateExpression("SUM(1,100000,I)").value), 5000050000.0);
}

TEST(Evaluator, VariablesDoNotSurviveAFailedSum) {
  EXPECT_FALSE(evaluateExpression("SUM(1,5,1/(I-3))").ok);
  EXPECT_EQ(evaluateExpression("I").value, 0);
}

TEST(Evaluator, LongNamesAreCutInMessages) {
  const std::string name(100000, 'Q');
  EvalResult r = evaluateExpression(name);
  ASSERT_FALSE(r.ok);
  EXPECT_EQ(r.kind, EvalErrorKind::LongVar);
  EXPECT_EQ(r.message, std::string(64, 'Q') + "... не является допустимым именем");
}

TEST(Evaluator, LongFlatExpressionsAreNotCapped) {
  std::string text = "0";
  for (int i = 0; i < 300000; ++i) text += "+1";
  EvalResult r = evaluateExpression(text, EvalLimits{256, 1000});
  ASSERT_TRUE(r.ok) << r.message;
  EXPECT_EQ(r.value, 300000);
}

TEST(EvaluateCommand, PutsTheValueInTheGeneralFormat) {
  RegionalFormat ru = russianRegionalFormat();
  RegionalFormat en;
  en.decimalSeparator = '.';
  const struct {
    const char* text;
    const RegionalFormat* format;
    const char* result;
  } cases[] = {
      {"2*(3+4)", &en, "2*(3+4) = 14"},
      {"pi*2", &ru, "pi*2 = 6,28318530717959"},
      {"pi*2", &en, "pi*2 = 6.28318530717959"},
      {"1/3", &ru, "1/3 = 0,333333333333333"},
      {"1e10*1e10", &en, "1e10*1e10 = 1E20"},
      {"3/200000", &en, "3/200000 = 1.5E-5"},
      {"-0", &en, "-0 = 0"},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.text);
    NumberResult r = evaluateCommand(c.text, *c.format);
    ASSERT_TRUE(r.isPut()) << r.message;
    EXPECT_EQ(r.text, c.result);
  }
  NumberResult bad = evaluateCommand("1 + 2 x", en);
  EXPECT_TRUE(bad.isShow());
  EXPECT_EQ(bad.message, "Синтаксическая ошибка в позиции 2");
  EXPECT_TRUE(evaluateCommand("", en).isNothing());
}

}  // namespace
}  // namespace kiv
