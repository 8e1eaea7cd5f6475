// Random expressions evaluated here and by bc -l (at 50 decimal places); the
// values must agree. Skipped when bc is not installed.

#include <gtest/gtest.h>

#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <memory>
#include <random>
#include <sstream>
#include <string>
#include <unistd.h>
#include <vector>

#include "core/expr/evaluator.h"

namespace kiv {
namespace {

using Real = long double;

// An expression as both programs write it, with its value and a bound on the
// rounding error of an extended-precision evaluation (for the tolerance).
struct Expr {
  std::string kiv, bc;
  Real value = 0;
  Real err = 0;
  int level = 2;  // 0 sum, 1 product, 2 factor
};

constexpr Real kEps = 1e-18L;  // a little above the extended type's rounding

class Generator {
 public:
  explicit Generator(unsigned seed) : rng_(seed) {}

  Expr expression(int depth) {
    Expr e = node(depth);
    return e;
  }

 private:
  int pick(int n) { return static_cast<int>(rng_() % static_cast<unsigned>(n)); }
  bool chance(int percent) { return pick(100) < percent; }

  std::string randomCase(std::string name) {
    for (auto& c : name)
      if (chance(40)) c = static_cast<char>(c - 'A' + 'a');
    return name;
  }

  static std::string shifted(long long m, int k) {
    std::string digits = std::to_string(m);
    if (k >= 0) return digits + std::string(static_cast<std::size_t>(k), '0');
    std::size_t frac = static_cast<std::size_t>(-k);
    if (digits.size() <= frac) digits = std::string(frac - digits.size() + 1, '0') + digits;
    return digits.substr(0, digits.size() - frac) + "." + digits.substr(digits.size() - frac);
  }

  Expr literal(Real lo = 0, Real hi = 1e6) {
    for (;;) {
      long long m = pick(10000);
      int k = pick(6) - 3;
      Real v = static_cast<Real>(m) * std::pow(10.0L, k);
      if (v < lo || v > hi) {
        if (lo > 0 && hi >= lo) {
          // Fall back to a value inside the range.
          m = static_cast<long long>(std::ceil(lo * 100));
          if (static_cast<Real>(m) / 100 > hi) m = static_cast<long long>(lo * 100);
          k = -2;
          v = static_cast<Real>(m) / 100;
          if (v < lo || v > hi) continue;
        } else {
          continue;
        }
      }
      Expr e;
      std::string plain = shifted(m, k);
      e.bc = plain;
      if (k != 0 && chance(40)) {
        e.kiv = std::to_string(m) + (chance(50) ? "E" : "e") + std::to_string(k);
      } else if (k > 0 && chance(50)) {
        e.kiv = std::to_string(m) + "E+" + std::to_string(k);
      } else {
        e.kiv = plain;
      }
      e.value = v;
      e.err = std::fabs(v) * kEps;
      return e;
    }
  }

  static std::string paren(const std::string& s) { return "(" + s + ")"; }

  // Wraps `e` in brackets when its level is below `need`.
  static Expr atLeast(Expr e, int need) {
    if (e.level >= need) return e;
    e.kiv = paren(e.kiv);
    e.bc = paren(e.bc);
    e.level = 2;
    return e;
  }

  Expr node(int depth) {
    if (depth <= 0 || chance(25)) return literal();
    const int kind = pick(10);
    if (kind < 5) return binary(depth);
    if (kind < 6) return negation(depth);
    if (kind < 7 && chance(30)) return sum(depth);
    return function(depth);
  }

  // `propagated` is the error carried in from the operands.
  Expr finish(Expr e, Real v, Real propagated) {
    e.value = v;
    e.err = propagated + std::fabs(v) * kEps;
    if (!(std::fabs(v) <= 1e6) || !(e.err < 1e-6L)) return literal();
    return e;
  }

  Expr binary(int depth) {
    static const char kOps[] = "+-*/";
    const char op = kOps[pick(4)];
    const int level = (op == '+' || op == '-') ? 0 : 1;
    Expr a = atLeast(node(depth - 1), level);
    Expr b = node(depth - 1);
    if (op == '/' && std::fabs(b.value) < 0.5) b = literal(1, 1000);
    b = atLeast(b, level + 1);  // right operands bind tighter
    Expr e;
    e.kiv = a.kiv + op + b.kiv;
    e.bc = a.bc + " " + op + " " + b.bc;
    e.level = level;
    Real v = op == '+' ? a.value + b.value : op == '-' ? a.value - b.value
           : op == '*' ? a.value * b.value : a.value / b.value;
    const Real prop = op == '+' || op == '-' ? a.err + b.err
                    : op == '*' ? std::fabs(a.value) * b.err + std::fabs(b.value) * a.err
                                : (a.err + std::fabs(v) * b.err) / (std::fabs(b.value) - b.err);
    return finish(e, v, prop);
  }

  Expr negation(int depth) {
    Expr a = atLeast(node(depth - 1), 2);
    Expr e;
    e.kiv = "-" + a.kiv;
    e.bc = "(0-" + a.bc + ")";
    e.level = 2;
    return finish(e, -a.value, a.err);
  }

  // SUM over a few values of I with a body of + - * on I and literals.
  Expr sum(int depth) {
    (void)depth;
    const int lo = pick(7) - 3, hi = lo + pick(4);
    // body = c1*I + c2*I*I - c3
    Expr c1 = literal(0, 100), c2 = literal(0, 10), c3 = literal(0, 100);
    std::string kivBody = c1.kiv + "*I+" + c2.kiv + "*i*I-" + c3.kiv;
    Expr e;
    e.kiv = randomCase("SUM") + "(" + std::to_string(lo) + "," + std::to_string(hi) + "," + kivBody + ")";
    std::string bc = "(0";
    Real v = 0, err = 0;
    for (int i = lo; i <= hi; ++i) {
      std::string iv = "(" + std::to_string(i) + ")";
      bc += " + " + c1.bc + " * " + iv + " + " + c2.bc + " * " + iv + " * " + iv + " - " + c3.bc;
      v += c1.value * i + c2.value * i * i - c3.value;
      err += (c1.value * std::abs(i) + c2.value * i * i + c3.value) * 4 * kEps;
    }
    e.bc = bc + ")";
    e.level = 2;
    return finish(e, v, err);
  }

  static std::string pb(const Expr& e) { return "(" + e.bc + ")"; }

  Expr function(int depth) {
    Expr a = node(depth - 1);
    const Real x = a.value;
    Expr e;
    e.level = 2;
    auto call = [&](const char* name, const std::string& bc, Real v, Real propagated) {
      e.kiv = randomCase(name) + "(" + a.kiv + ")";
      e.bc = bc;
      return finish(e, v, propagated);
    };
    switch (pick(19)) {
      case 0:
        if (x < 0.01L) a = literal(0.01L, 1e6);
        return call("SQRT", "sqrt(" + pb(a) + ")", std::sqrt(a.value), a.err * (1 / (2 * std::sqrt(a.value))));
      case 1:
        if (std::fabs(x) > 1e3L) a = literal(0, 1e3);
        return call("SQR", "(" + pb(a) + ")^2", a.value * a.value, a.err * (2 * std::fabs(a.value)));
      case 2:
        if (std::fabs(x) > 12) a = literal(0, 12);
        return call("EXP", "e(" + pb(a) + ")", std::exp(a.value), a.err * (std::exp(a.value)));
      case 3:
        if (x < 0.1L) a = literal(0.1L, 1e6);
        return call("LN", "l(" + pb(a) + ")", std::log(a.value), a.err * (1 / a.value));
      case 4:
        if (x < 0.1L) a = literal(0.1L, 1e6);
        return call("LG", "(l(" + pb(a) + ")/l(10))", std::log10(a.value), a.err * (1 / (a.value * std::log(10.0L))));
      case 5:
        if (std::fabs(x) > 1e3L) a = literal(0, 1e3);
        return call("SIN", "s(" + pb(a) + ")", std::sin(a.value), a.err * (1));
      case 6:
        if (std::fabs(x) > 1e3L) a = literal(0, 1e3);
        return call("COS", "c(" + pb(a) + ")", std::cos(a.value), a.err * (1));
      case 7:
        return call("ARCTG", "a(" + pb(a) + ")", std::atan(x), a.err * (1));
      case 8:
        if (std::fabs(x) > 1e3L || std::fabs(std::cos(x)) < 0.2L) a = literal(0, 1);
        return call("TG", "(s(" + pb(a) + ")/c(" + pb(a) + "))", std::tan(a.value), a.err * (1 / (std::cos(a.value) * std::cos(a.value))));
      case 9:
        if (std::fabs(x) > 1e3L || std::fabs(std::sin(x)) < 0.2L) a = literal(0.3L, 1.2L);
        return call("CTG", "(c(" + pb(a) + ")/s(" + pb(a) + "))", 1 / std::tan(a.value), a.err * (1 / (std::sin(a.value) * std::sin(a.value))));
      case 10:
        if (std::fabs(x) > 0.9L) a = literal(0, 0.9L);
        return call("ARCSIN", "a((" + pb(a) + ")/sqrt(1-(" + pb(a) + ")^2))", std::asin(a.value), a.err * (1 / std::sqrt(1 - a.value * a.value)));
      case 11:
        if (std::fabs(x) > 0.9L) a = literal(0, 0.9L);
        return call("ARCCOS", "(2*a(1)-a((" + pb(a) + ")/sqrt(1-(" + pb(a) + ")^2)))", std::acos(a.value), a.err * (1 / std::sqrt(1 - a.value * a.value)));
      case 12:
        if (std::fabs(x) > 12) a = literal(0, 12);
        return call("SH", "((e(" + pb(a) + ")-e(0-" + pb(a) + "))/2)", std::sinh(a.value), a.err * (std::cosh(a.value)));
      case 13:
        if (std::fabs(x) > 12) a = literal(0, 12);
        return call("CH", "((e(" + pb(a) + ")+e(0-" + pb(a) + "))/2)", std::cosh(a.value), a.err * (std::cosh(a.value)));
      case 14:
        if (std::fabs(x) > 12) a = literal(0, 12);
        return call("TH", "((e(" + pb(a) + ")-e(0-" + pb(a) + "))/(e(" + pb(a) + ")+e(0-" + pb(a) + ")))",
                    std::tanh(a.value), a.err * (1));
      case 15:
        if (std::fabs(x) > 100) a = literal(0, 100);
        return call("ARSH", "l(" + pb(a) + "+sqrt((" + pb(a) + ")^2+1))", std::asinh(a.value), a.err * (1));
      case 16:
        if (x < 1.1L || x > 1e3L) a = literal(1.1L, 1e3);
        return call("ARCH", "l(" + pb(a) + "+sqrt((" + pb(a) + ")^2-1))", std::acosh(a.value), a.err * (1 / std::sqrt(a.value * a.value - 1)));
      case 17:
        if (std::fabs(x) > 0.9L) a = literal(0, 0.9L);
        return call("ARTH", "(l((1+" + pb(a) + ")/(1-" + pb(a) + "))/2)", std::atanh(a.value), a.err * (1 / (1 - a.value * a.value)));
      default: {
        // Two-argument functions.
        if (chance(50)) {
          Expr b = node(depth - 1);
          if (std::fabs(b.value) > 100) b = literal(0, 100);
          const int n = pick(4);
          e.kiv = randomCase("POWER") + "(" + b.kiv + "," + std::to_string(n) + ")";
          e.bc = "(" + pb(b) + ")^" + std::to_string(n);
          return finish(e, std::pow(b.value, n), b.err * n * std::pow(std::fabs(b.value), std::max(0, n - 1)) * 1.01L);
        }
        Expr base = node(depth - 1);
        if (base.value < 0.2L || std::fabs(std::log(base.value)) < 0.1L) base = literal(2, 50);
        if (x < 0.01L) a = literal(0.01L, 1e6);
        e.kiv = randomCase("LOG") + "(" + base.kiv + "," + a.kiv + ")";
        e.bc = "(l(" + pb(a) + ")/l(" + pb(base) + "))";
        const Real lb = std::log(base.value);
        return finish(e, std::log(a.value) / lb,
                      a.err / (a.value * std::fabs(lb)) +
                          std::fabs(std::log(a.value)) * base.err / (base.value * lb * lb) + 4 * kEps);
      }
    }
  }

  std::mt19937_64 rng_;
};

bool haveBc() { return std::system("command -v bc >/dev/null 2>&1") == 0; }

TEST(EvaluatorAgainstBc, RandomExpressionsAgree) {
  if (!haveBc()) GTEST_SKIP() << "bc is not installed (apt-get install bc); cross-check skipped";
  Generator gen(20240611);
  std::vector<Expr> exprs;
  std::ostringstream script;
  script << "scale=50\n";
  for (int n = 0; n < 3000; ++n) {
    Expr e = gen.expression(1 + n % 5);
    script << e.bc << "\n";
    exprs.push_back(std::move(e));
  }
  char path[] = "/tmp/kiv_expr_bcXXXXXX";
  int fd = mkstemp(path);
  ASSERT_GE(fd, 0);
  const std::string text = script.str();
  ASSERT_EQ(write(fd, text.data(), text.size()), static_cast<ssize_t>(text.size()));
  close(fd);
  const std::string cmd = std::string("BC_LINE_LENGTH=0 bc -l < ") + path + " 2>&1";
  std::unique_ptr<FILE, int (*)(FILE*)> out(popen(cmd.c_str(), "r"), pclose);
  ASSERT_NE(out, nullptr);
  std::vector<std::string> lines;
  std::string cur;
  char buf[4096];
  while (std::fgets(buf, sizeof buf, out.get())) {
    cur += buf;
    if (!cur.empty() && cur.back() == '\n') {
      cur.pop_back();
      lines.push_back(cur);
      cur.clear();
    }
  }
  out.reset();
  std::remove(path);
  ASSERT_EQ(lines.size(), exprs.size()) << (lines.empty() ? "" : lines.front());
  int checked = 0;
  for (std::size_t i = 0; i < exprs.size(); ++i) {
    const Expr& e = exprs[i];
    SCOPED_TRACE(e.kiv + "   |   bc: " + e.bc);
    char* end = nullptr;
    const Real expected = std::strtold(lines[i].c_str(), &end);
    ASSERT_TRUE(end && *end == '\0') << "bc said: " << lines[i];
    EvalResult r = evaluateExpression(e.kiv);
    ASSERT_TRUE(r.ok) << r.message;
    const Real tolerance = 64 * e.err + 1e-30L;
    ASSERT_LE(std::fabs(r.value - expected), tolerance)
        << "kiv " << static_cast<double>(r.value) << " bc " << lines[i];
    ++checked;
  }
  EXPECT_EQ(checked, 3000);
}

}  // namespace
}  // namespace kiv
