#include "expr/evaluator.h"
#include "expr_test_support.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <numbers>
#include <sstream>
#include <string>

namespace {

// Each case is "formula => value" or "formula | %1 %2 ... => value".
void expectValues(std::initializer_list<const char*> cases, double angleFactor = 1.0) {
    for (const std::string c : cases) {
        const std::size_t arrow = c.rfind(" => "), bar = c.rfind(" | ", arrow);
        std::istringstream in(bar == std::string::npos ? "" : c.substr(bar + 3, arrow - bar - 3));
        std::vector<double> args;
        for (double v; in >> v;)
            args.push_back(v);
        TEvaluation e = evaluate(c.substr(0, std::min(bar, arrow)), args, angleFactor);
        EXPECT_EQ(e.error, errNone) << c << " failed at " << e.position;
        EXPECT_DOUBLE_EQ(e.value, std::stod(c.substr(arrow + 4))) << c;
    }
}

} // namespace

TEST(Evaluator, Values) {
    expectValues(
        {// the application's formulas
         "(( %2 / %1) ^ 2 - 1.0) | 6 18 => 8", "20.0 * lg ( ( %1 ) ) | 100 => 40",
         "( %1 + 10.0 ) | 5 => 15",
         // precedence and associativity
         "2^3^2 => 64", "-2^2 => 4", "1 + 0 and 5 => 1", "3 > 2 = 1 => 1", "-1 and 1 => -1",
         "1 and (-1) => 1", "2 or 0 xor 1 => 0", "2*(-3) => -6", "1 + 2 * 3 - 4 / 2 => 5",
         "10 - 2 - 3 => 5", "%1 < -1 | -2 => 1", "2 <= 2 => 1", "2 >= 3 => 0", "1 < 2 < 1 => 0",
         "+3 => 3",
         // numbers
         "$ff + 0x10 => 271", "$FFFFFFFF => -1", "1. => 1", ".5 => 0.5", "1.5e3 => 1500",
         "1.5 e 3 => 1500", "15E-1 => 1.5", "2 e - 1 => 0.2", "\t 7 \t => 7",
         "pi => 3.141592653589793", "E => 2.718281828459045", "0e5000 => 0",
         // integer division and remainder, after rounding half to even
         "7 div 2 => 3", "-7 div 2 => -3", "-7 mod 2 => -1", "7 MOD -2 => 1", "2.5 div 1 => 2",
         "3.5 div 1 => 4", "-6 div -1 => 6", "7 mod -1 => 0", "7 / 2 => 3.5",
         // powers: whole exponents by squaring, so 1.5^61 is the nearest double
         "2^0.5 => 1.4142135623730951", "(-8)^3 => -512", "2^(-2) => 0.25", "0^0 => 1", "0^2 => 0",
         "(-1)^3000000001 => -1", "0.5^1e10 => 0", "1.5^61 - 55152703075 => 0.39952850341796875",
         // functions
         "SIN(0) => 0", "cos(pi) => -1", "tg(pi/4) => 1", "ctg(pi/4) => 1",
         "arccos(0) => 1.5707963267948966", "arcsin(1) => 1.5707963267948966",
         "arcsin(-1) => -1.5707963267948966", "arctg(1) => 0.7853981633974483",
         "arcctg(-1) => 2.356194490192345", "atan(1, -1) => 2.356194490192345",
         "ch(1) => 1.5430806348152437", "sh(1) => 1.1752011936438014",
         "th(1) => 0.7615941559557649", "th(1000) => 1", "cth(1) => 1.3130352854993315",
         "arcch(2) => 1.3169578969248166", "arcsh(2) => 1.4436354751788103",
         "arcth(0.5) => 0.5493061443340548", "arccth(2) => 0.5493061443340548", "log(2, 8) => 3",
         "lg(1000) => 3", "ln(e) => 1", "exp(1) => 2.718281828459045", "sqr(-3) => 9",
         "sqrt(16) => 4", "sqrt(0) => 0", "ABS(-2) + sign(-5) + sign(3) + sign(0) => 2",
         "min(3, 1, 2) => 1", "max(5) => 5", "max(1, 7, 3) => 7", "round(3.14159, 0.01) => 3.14",
         "round(2.5) => 2", "round(3.5) => 4", "frac(-2.5) => -0.5", "trunc(-2.7) => -2",
         "trunc(17, 5) => 15"});
    expectValues({"sin(90) + arctg(1) => 46", "cos(60) => 0.5", "tg(45) => 1", "ctg(45) => 1",
                  "arcsin(-1) => -90", "arccos(0) => 90", "arcctg(1) => 45", "atan(1, -1) => 135"},
                 std::numbers::pi / 180);
}

TEST(Evaluator, HyperbolicFunctionsKeepFullPrecision) {
    // References to 300 bits, rounded to double: near 0 and far from it,
    // both signs.
    expectValues({"sh(%1) | 1e-20 => 1e-20", "sh(%1) | -3e-10 => -3e-10",
                  "sh(%1) | -3 => -10.017874927409903", "sh(%1) | 700 => 5.0711602736750225e+303",
                  "th(%1) | 1e-20 => 1e-20", "th(%1) | -2.5e-09 => -2.5e-09",
                  "th(%1) | 0.7 => 0.6043677771171635", "cth(%1) | 1e-20 => 1e+20",
                  "cth(%1) | 1e-30 => 9.999999999999999e+29",
                  "cth(%1) | -2 => -1.0373147207275482"});
    expectValues({"arcsh(%1) | -1e8 => -19.11382792451231",
                  "arcsh(%1) | -1e10 => -23.7189981105004", "arcsh(%1) | 1e-20 => 1e-20",
                  "arcsh(%1) | -2 => -1.4436354751788103", "arcsh(%1) | 1e300 => 691.4686750787737",
                  "arcth(%1) | 1e-20 => 1e-20", "arcth(%1) | -3e-10 => -3e-10",
                  "arcth(%1) | 0.99 => 2.6466524123622457", "arccth(%1) | 1e20 => 1e-20",
                  "arccth(%1) | -4e9 => -2.5e-10", "arccth(%1) | -1.5 => -0.8047189562170501",
                  "arcch(%1) | 1.0000000000000002 => 2.1073424255447014e-08",
                  "arcch(%1) | 3 => 1.762747174039086"});
}

TEST(Evaluator, ErrorsAreReportedWhereTheyWereFoundAndLeaveNoValue) {
    // %1 to %3 answer 1e308, infinity and NaN: only what stays finite counts.
    const std::vector<double> args{1e308, std::numeric_limits<double>::infinity(), std::nan("")};
    const char* const syntax[] = {
        "2^-1",  "1 - -1", "1 and -1", "1 <> 2", "sin 0",  "0X10",        ".",       "1e",
        "1.5e+", "%",      "%a",       "%1.5",   "foo(1)", "sin(1, 2)",   "atan(1)", "log(2)",
        "(1",    "1)",     "# 1",      "1 2",    "div",    "min()",       "1 = ",    "%1(2",
        "pi(1)", "$",      "0xg",      "a\001b", "%4",     "%99999999999"};
    const char* const calculation[] = {
        "1e999",          "1e300 * 1e300", "7 mod 0.4",  "7 div 0",     "1e19 div 2", "7 / 0",
        "(-8)^(1/3)",     "0^(-1)",        "0^0.5",      "10^400",      "2^1e10",     "1.5^1e300",
        "tg(0) + ctg(0)", "arccos(1.5)",   "arcsin(-2)", "cth(0)",      "arcch(0.5)", "arcth(1)",
        "arccth(0.5)",    "log(0, 2)",     "log(2, -1)", "log(1, 5)",   "lg(0)",      "ln(-1)",
        "sqrt(-1)",       "exp(1000)",     "ch(1000)",   "sh(-1000)",   "ch(-20000)", "th(20000)",
        "sqr(1e200)",     "round(1, 0)",   "frac(1, 0)", "trunc(1, 0)", "%1 * %1",    "%1 + %1",
        "-%1 - %1",       "%1 / 1e-300",   "sqr(%1)",    "%2",          "%3 > 0"};
    auto expectError = [&](const std::string& formula, std::int16_t error) {
        TEvaluation e = evaluate(formula, args);
        EXPECT_EQ(e.error, error) << formula;
        EXPECT_EQ(e.value, 0.0) << formula;
    };
    for (const char* formula : syntax)
        expectError(formula, errSyntax);
    for (const char* formula : calculation)
        expectError(formula, errCalc);
    expectError(std::string("1\0", 2), errSyntax);
    // A syntax error is reported at the last character read: the token that
    // does not fit is read whole, an invalid character not at all.
    const std::pair<const char*, std::int32_t> positions[] = {
        {"2*-3", 2}, {"1 +", 3},    {"", 0},         {"  ?", 2},    {"1 + 0xg", 6},
        {"1e+", 3},  {"12 1.5", 6}, {"1 <= 2 )", 8}, {"Ель(1)", 3}, {"arccth7(1)", 7}};
    for (auto [formula, position] : positions)
        EXPECT_EQ(evaluate(formula).position, position) << formula;
}

TEST(Evaluator, DeepNestingIsRefusedWithoutExhaustingTheStack) {
    EXPECT_EQ(evaluate(std::string(50, '(') + "1" + std::string(50, ')')).value, 1.0);
    std::string calls;
    for (int i = 0; i < 5000; ++i)
        calls += "sin(";
    for (const std::string& formula :
         {std::string(100000, '(') + "1", std::string(5000, '-') + "1", calls})
        EXPECT_EQ(evaluate(formula).error, errSyntax);
}
