#include "runtime/number_text.h"

#include <gtest/gtest.h>

#include <cfloat>
#include <cmath>
#include <limits>

namespace {
constexpr double inf = std::numeric_limits<double>::infinity();
}

TEST(NumberText, RealToTextWritesFifteenDigitsWithoutExponent) {
    const std::pair<double, std::string> cases[] = {
        {1.0 / 3.0, "0.333333333333333"},
        {-3.010299956639812, "-3.01029995663981"},
        {123456789012345678.0, "123456789012346000"},
        {1e20, "100000000000000000000"},
        {2.5e-10, "0.00000000025"},
        {0.1, "0.1"},
        {100, "100"},
        {-8.5, "-8.5"},
        {std::nextafter(1.0, 0.0), "1"},
        {999999999999999.6, "1000000000000000"},
        {-0.0, "0"},
        {DBL_MAX, "179769313486232" + std::string(294, '0')},
        {inf, "INF"},
        {-inf, "-INF"},
        {std::nan(""), "NAN"}};
    for (const auto& [value, text] : cases)
        EXPECT_EQ(realToText(value), text) << value;
    EXPECT_EQ(realToText(std::numeric_limits<double>::denorm_min()),
              "0." + std::string(323, '0') + "494065645841247");
}

TEST(NumberText, TextToRealIsLenientAndSaturates) {
    // A zero mantissa is 0 whatever its exponent (0e5000).
    const std::pair<std::string, double> cases[] = {
        {"6,0", 60},   {"250, 0", 2500}, {"1.0  Гц", 1}, {"1.2.3", 1.2}, {"5-3", 53},
        {"--5", -5},   {"-", 0},         {"", 0},        {"+7", 7},      {"1.5E-2", 0.015},
        {"2e+2", 200}, {"1e", 1},        {"3e2x7", 300}, {"1e400", inf}, {"-1e400", -inf},
        {"1e-400", 0}, {"0e5000", 0}};
    const std::pair<std::string, double> extremes[] = {{"1e2147483647", inf},
                                                       {"1e-2147483648", 0},
                                                       {"-0.00e2147483647", 0},
                                                       {std::string(400, '9'), inf},
                                                       {"-0.333333333333333", -0.333333333333333}};
    for (const auto& [text, value] : cases)
        EXPECT_EQ(textToReal(text), value) << text;
    for (const auto& [text, value] : extremes)
        EXPECT_EQ(textToReal(text), value) << text;
}

TEST(NumberText, IntegersBothWaysWithWrapping) {
    const std::pair<std::int32_t, const char*> texts[] = {
        {0, "0"}, {-7, "-7"}, {2147483647, "2147483647"}, {-2147483647 - 1, "-2147483648"}};
    for (auto [n, text] : texts) {
        EXPECT_EQ(intToText(n), text);
        EXPECT_EQ(textToInt(text), n);
    }
    const struct {
        std::int32_t (*read)(std::string_view);
        const char* text;
        std::int32_t value;
    } cases[] = {
        {textToInt, "+7", 7},   {textToInt, "-0", 0},        {textToInt, "4294967297", 1},
        {textToInt, " 12", 0},  {textToInt, "12abc", 12},    {textToInt, "-", 0},
        {hexToInt, "$AF", 175}, {hexToInt, "fa", 250},       {hexToInt, "1G", 1},
        {hexToInt, "$", 0},     {hexToInt, "$FFFFFFFF", -1}, {hexToInt, "123456789", 0x23456789}};
    for (const auto& c : cases)
        EXPECT_EQ(c.read(c.text), c.value) << c.text;
    EXPECT_EQ(lowerCaseAscii("SIN Ab-Z ГЦ"), "sin ab-z ГЦ");
}

TEST(IntPower, SquaresAndInverts) {
    const struct {
        long double x;
        std::int32_t n;
        long double value;
    } cases[] = {{10, 3, 1000},
                 {7, 0, 1},
                 {-2, 5, -32},
                 {2, 100, 0x1p100L},
                 {1, -2147483647 - 1, 1},
                 {-1, 2147483647, -1},
                 {0.5L, -2, 4}};
    for (const auto& c : cases)
        EXPECT_EQ(intPower(c.x, c.n), c.value) << c.n;
    EXPECT_EQ(static_cast<double>(intPower(10, -2)), 0.01);
    // By squaring: 1.5^61 lies just below a halfway point between doubles,
    // and a product of 61 factors lands above it.
    EXPECT_EQ(static_cast<double>(intPower(1.5L, 61)), 55152703075.39952850341796875);
}
