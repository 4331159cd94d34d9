#include "expr/evaluator.h"
#include "expr_test_support.h"

#include <gtest/gtest.h>

#include <cfloat>
#include <cmath>
#include <limits>
#include <numbers>
#include <string>

namespace {

constexpr double pi = std::numbers::pi;

class Evaluator : public ::testing::Test {
protected:
    void SetUp() override { installDispatchers(); }
    void TearDown() override { stopDispatch(); }
};

double valueOf(const std::string& formula, std::initializer_list<double> args = {}) {
    Outcome o = evaluate(formula, args);
    EXPECT_EQ(o.error, errNone) << formula << " failed at " << o.errorPosition;
    return o.value;
}

void expectError(std::int16_t error, const std::string& formula,
                 std::initializer_list<double> args = {}) {
    Outcome o = evaluate(formula, args);
    EXPECT_EQ(o.error, error) << formula;
    EXPECT_TRUE(std::isfinite(o.value)) << formula;
}

void expectSyntaxError(const std::string& formula, std::initializer_list<double> args = {}) {
    expectError(errSyntax, formula, args);
}

void expectCalcError(const std::string& formula, std::initializer_list<double> args = {}) {
    expectError(errCalc, formula, args);
}

} // namespace

TEST_F(Evaluator, ApplicationFormulas) {
    EXPECT_EQ(valueOf("(( %2 / %1) ^ 2 - 1.0)", {6, 18}), 8.0);
    EXPECT_EQ(valueOf("20.0 * lg ( ( %1 ) )", {100}), 40.0);
    EXPECT_EQ(valueOf("( %1 + 10.0 )", {5}), 15.0);
    expectCalcError("20.0 * lg ( ( %1 ) )", {0});
}

TEST_F(Evaluator, PrecedenceAndAssociativity) {
    EXPECT_EQ(valueOf("2^3^2"), 64.0);
    EXPECT_EQ(valueOf("-2^2"), 4.0);
    EXPECT_EQ(valueOf("1 + 0 and 5"), 1.0);
    EXPECT_EQ(valueOf("3 > 2 = 1"), 1.0);
    EXPECT_EQ(valueOf("-1 and 1"), -1.0);
    EXPECT_EQ(valueOf("1 and (-1)"), 1.0);
    EXPECT_EQ(valueOf("2 or 0 xor 1"), 0.0);
    EXPECT_EQ(valueOf("2*(-3)"), -6.0);
    EXPECT_EQ(valueOf("1 + 2 * 3 - 4 / 2"), 5.0);
    EXPECT_EQ(valueOf("10 - 2 - 3"), 5.0);
    EXPECT_EQ(valueOf("%1 < -1", {-2}), 1.0);
    EXPECT_EQ(valueOf("2 <= 2"), 1.0);
    EXPECT_EQ(valueOf("2 >= 3"), 0.0);
    EXPECT_EQ(valueOf("1 < 2 < 1"), 0.0);
    EXPECT_EQ(valueOf("+3"), 3.0);
}

TEST_F(Evaluator, SyntaxErrorsReportWhereTheyWereFound) {
    Outcome o = evaluate("2*-3");
    EXPECT_EQ(o.error, errSyntax);
    EXPECT_EQ(o.errorPosition, 2);
    o = evaluate("1 +");
    EXPECT_EQ(o.error, errSyntax);
    EXPECT_EQ(o.errorPosition, 3);
    o = evaluate("");
    EXPECT_EQ(o.error, errSyntax);
    EXPECT_EQ(o.errorPosition, 0);
    for (const char* formula : {"2^-1",
                                "1 - -1",
                                "1 and -1",
                                "1 <> 2",
                                "sin 0",
                                "0X10",
                                ".",
                                "1e",
                                "1.5e+",
                                "%",
                                "%a",
                                "%1.5",
                                "foo(1)",
                                "sin(1, 2)",
                                "atan(1)",
                                "log(2)",
                                "(1",
                                "1)",
                                "# 1",
                                "1 2",
                                "div",
                                "min()",
                                "1 = ",
                                "%1(2",
                                "pi(1)",
                                "$",
                                "0xg",
                                "a\x01"
                                "b"})
        expectSyntaxError(formula, {1});
    expectSyntaxError(std::string("1\0", 2));
    expectSyntaxError("%3", {1, 2});
    expectSyntaxError("%99999999999", {1, 2}); // wraps to a negative number
}

TEST_F(Evaluator, Numbers) {
    EXPECT_EQ(valueOf("$ff + 0x10"), 271.0);
    EXPECT_EQ(valueOf("$FFFFFFFF"), -1.0);
    EXPECT_EQ(valueOf("1."), 1.0);
    EXPECT_EQ(valueOf(".5"), 0.5);
    EXPECT_EQ(valueOf("1.5e3"), 1500.0);
    EXPECT_EQ(valueOf("1.5 e 3"), 1500.0);
    EXPECT_EQ(valueOf("15E-1"), 1.5);
    EXPECT_EQ(valueOf("2 e - 1"), 0.2);
    EXPECT_EQ(valueOf("\t 7 \t"), 7.0);
    EXPECT_DOUBLE_EQ(valueOf("pi"), 3.141592653589793);
    EXPECT_EQ(valueOf("E"), 2.718281828459045);
    EXPECT_EQ(valueOf("0e5000"), 0.0);
    expectCalcError("1e999");
    expectCalcError("1e300 * 1e300");
}

TEST_F(Evaluator, IntegerDivisionAndRemainder) {
    EXPECT_EQ(valueOf("7 div 2"), 3.0);
    EXPECT_EQ(valueOf("-7 div 2"), -3.0);
    EXPECT_EQ(valueOf("-7 mod 2"), -1.0);
    EXPECT_EQ(valueOf("7 MOD -2"), 1.0);
    EXPECT_EQ(valueOf("2.5 div 1"), 2.0);
    EXPECT_EQ(valueOf("3.5 div 1"), 4.0);
    EXPECT_EQ(valueOf("-6 div -1") + valueOf("7 mod -1"), 6.0);
    expectCalcError("7 mod 0.4");
    expectCalcError("7 div 0");
    expectCalcError("1e19 div 2");
    expectCalcError("7 / 0");
    EXPECT_EQ(valueOf("7 / 2"), 3.5);
}

TEST_F(Evaluator, Powers) {
    EXPECT_DOUBLE_EQ(valueOf("2^0.5"), std::sqrt(2.0));
    EXPECT_EQ(valueOf("(-8)^3"), -512.0);
    EXPECT_EQ(valueOf("2^(-2)"), 0.25);
    EXPECT_EQ(valueOf("0^0"), 1.0);
    EXPECT_EQ(valueOf("0^2"), 0.0);
    EXPECT_EQ(valueOf("(-1)^3000000001"), -1.0);
    EXPECT_EQ(valueOf("0.5^1e10"), 0.0);
    // Squared, not multiplied out: the nearest double to 1.5^61.
    EXPECT_EQ(valueOf("1.5^61 - 55152703075"), 0.39952850341796875);
    expectCalcError("(-8)^(1/3)");
    expectCalcError("0^(-1)");
    expectCalcError("0^0.5");
    expectCalcError("10^400");
    expectCalcError("2^1e10");
    expectCalcError("1.5^1e300");
}

TEST_F(Evaluator, Functions) {
    EXPECT_EQ(valueOf("SIN(0)"), 0.0);
    EXPECT_DOUBLE_EQ(valueOf("cos(pi)"), -1.0);
    EXPECT_DOUBLE_EQ(valueOf("tg(pi/4)"), 1.0);
    EXPECT_DOUBLE_EQ(valueOf("ctg(pi/4)"), 1.0);
    EXPECT_DOUBLE_EQ(valueOf("arccos(0)"), pi / 2);
    EXPECT_DOUBLE_EQ(valueOf("arcsin(1)"), pi / 2);
    EXPECT_DOUBLE_EQ(valueOf("arctg(1)"), pi / 4);
    EXPECT_DOUBLE_EQ(valueOf("arcctg(-1)"), 3 * pi / 4);
    EXPECT_DOUBLE_EQ(valueOf("atan(1, -1)"), 3 * pi / 4);
    EXPECT_DOUBLE_EQ(valueOf("ch(1)"), std::cosh(1.0));
    EXPECT_DOUBLE_EQ(valueOf("sh(1)"), std::sinh(1.0));
    EXPECT_DOUBLE_EQ(valueOf("th(1)"), std::tanh(1.0));
    EXPECT_EQ(valueOf("th(1000)"), 1.0);
    EXPECT_DOUBLE_EQ(valueOf("cth(1)"), 1 / std::tanh(1.0));
    EXPECT_DOUBLE_EQ(valueOf("arcch(2)"), std::acosh(2.0));
    EXPECT_DOUBLE_EQ(valueOf("arcsh(2)"), std::asinh(2.0));
    EXPECT_DOUBLE_EQ(valueOf("arcth(0.5)"), std::atanh(0.5));
    EXPECT_DOUBLE_EQ(valueOf("arccth(2)"), std::atanh(0.5));
    EXPECT_DOUBLE_EQ(valueOf("log(2, 8)"), 3.0);
    EXPECT_EQ(valueOf("lg(1000)"), 3.0);
    EXPECT_DOUBLE_EQ(valueOf("ln(e)"), 1.0);
    EXPECT_DOUBLE_EQ(valueOf("exp(1)"), std::exp(1.0));
    EXPECT_EQ(valueOf("sqr(-3)"), 9.0);
    EXPECT_EQ(valueOf("sqrt(16)"), 4.0);
    EXPECT_EQ(valueOf("abs(-2) + sign(-5) + sign(3) + sign(0)"), 2.0);
    EXPECT_EQ(valueOf("min(3, 1, 2)"), 1.0);
    EXPECT_EQ(valueOf("max(5)"), 5.0);
    EXPECT_EQ(valueOf("max(1, 7, 3)"), 7.0);
    EXPECT_NEAR(valueOf("round(3.14159, 0.01)"), 3.14, 1e-15);
    EXPECT_EQ(valueOf("round(2.5)"), 2.0);
    EXPECT_EQ(valueOf("round(3.5)"), 4.0);
    EXPECT_EQ(valueOf("frac(-2.5)"), -0.5);
    EXPECT_EQ(valueOf("trunc(-2.7)"), -2.0);
    EXPECT_EQ(valueOf("trunc(17, 5)"), 15.0);

    for (const char* formula :
         {"tg(0) + ctg(0)", "arccos(1.5)", "arcsin(-2)", "cth(0)",     "arcch(0.5)", "arcth(1)",
          "arccth(0.5)",    "log(0, 2)",   "log(2, -1)", "log(1, 5)",  "lg(0)",      "ln(-1)",
          "sqrt(-1)",       "exp(1000)",   "ch(1000)",   "sh(-1000)",  "ch(-20000)", "th(20000)",
          "sqr(1e200)",     "round(1, 0)", "frac(1, 0)", "trunc(1, 0)"})
        expectCalcError(formula);
}

TEST_F(Evaluator, HyperbolicFunctionsKeepFullPrecision) {
    // References to 300 bits, rounded to double: near 0 and far from it,
    // both signs.
    const struct {
        const char* formula;
        double x;
        double value;
    } cases[] = {
        {"sh(%1)", 1e-20, 1e-20},
        {"sh(%1)", -3e-10, -3e-10},
        {"sh(%1)", -3.0, -10.017874927409903},
        {"sh(%1)", 700.0, 5.0711602736750225e+303},
        {"th(%1)", 1e-20, 1e-20},
        {"th(%1)", -2.5e-09, -2.5e-09},
        {"th(%1)", 0.7, 0.6043677771171635},
        {"cth(%1)", 1e-20, 1e+20},
        {"cth(%1)", 1e-30, 9.999999999999999e+29},
        {"cth(%1)", -2.0, -1.0373147207275482},
        {"arcsh(%1)", -1e8, -19.11382792451231},
        {"arcsh(%1)", -1e10, -23.7189981105004},
        {"arcsh(%1)", 1e-20, 1e-20},
        {"arcsh(%1)", -2.0, -1.4436354751788103},
        {"arcsh(%1)", 1e300, 691.4686750787737},
        {"arcth(%1)", 1e-20, 1e-20},
        {"arcth(%1)", -3e-10, -3e-10},
        {"arcth(%1)", 0.99, 2.6466524123622457},
        {"arccth(%1)", 1e20, 1e-20},
        {"arccth(%1)", -4e9, -2.5e-10},
        {"arccth(%1)", -1.5, -0.8047189562170501},
        {"arcch(%1)", 1.0 + DBL_EPSILON, 2.1073424255447014e-08},
        {"arcch(%1)", 3.0, 1.762747174039086},
    };
    for (const auto& c : cases)
        EXPECT_DOUBLE_EQ(valueOf(c.formula, {c.x}), c.value) << c.formula << " of " << c.x;
}

TEST_F(Evaluator, DegreesMode) {
    const double degrees = pi / 180;
    Outcome o = evaluate("sin(90) + arctg(1)", {}, degrees);
    EXPECT_EQ(o.error, errNone);
    EXPECT_DOUBLE_EQ(o.value, 46.0);
    o = evaluate("tg(90)", {}, degrees);
    EXPECT_TRUE(o.error == errCalc || std::fabs(o.value) > 1e15);
}

TEST_F(Evaluator, DeepNestingIsRefusedWithoutExhaustingTheStack) {
    EXPECT_EQ(valueOf(std::string(50, '(') + "1" + std::string(50, ')')), 1.0);
    expectSyntaxError(std::string(100000, '(') + "1");
    expectSyntaxError(std::string(5000, '-') + "1");
    std::string calls;
    for (int i = 0; i < 5000; ++i)
        calls += "sin(";
    expectSyntaxError(calls);
}

TEST_F(Evaluator, ResultsAreAlwaysFinite) {
    // Huge but finite arguments must not leak an infinity.
    for (const char* formula : {"%1 * %1", "%1 + %1", "-%1 - %1", "%1 / 1e-300", "sqr(%1)"})
        expectCalcError(formula, {1e308});
    expectCalcError("%1", {std::numeric_limits<double>::infinity()});
    expectCalcError("%1 > 0", {std::nan("")});
}
