#include "runtime/number_text.h"

#include <gtest/gtest.h>

#include <cfloat>
#include <cmath>
#include <limits>

TEST(RealToText, WritesFifteenSignificantDigitsWithoutExponent) {
    EXPECT_EQ(realToText(1.0 / 3.0), "0.333333333333333");
    EXPECT_EQ(realToText(-3.010299956639812), "-3.01029995663981");
    EXPECT_EQ(realToText(123456789012345678.0), "123456789012346000");
    EXPECT_EQ(realToText(1e20), "100000000000000000000");
    EXPECT_EQ(realToText(2.5e-10), "0.00000000025");
    EXPECT_EQ(realToText(0.1), "0.1");
    EXPECT_EQ(realToText(0.5), "0.5");
    EXPECT_EQ(realToText(100), "100");
    EXPECT_EQ(realToText(250), "250");
    EXPECT_EQ(realToText(6), "6");
    EXPECT_EQ(realToText(1e-5), "0.00001");
    EXPECT_EQ(realToText(-8.5), "-8.5");
}

TEST(RealToText, RoundingCarriesAndZeros) {
    EXPECT_EQ(realToText(std::nextafter(1.0, 0.0)), "1");
    EXPECT_EQ(realToText(999999999999999.6), "1000000000000000");
    EXPECT_EQ(realToText(0.0), "0");
    EXPECT_EQ(realToText(-0.0), "0");
    EXPECT_EQ(realToText(DBL_MAX).size(), 309u);
    EXPECT_EQ(realToText(DBL_MAX).substr(0, 15), "179769313486232");
    EXPECT_EQ(realToText(std::numeric_limits<double>::denorm_min()),
              "0." + std::string(323, '0') + "494065645841247");
}

TEST(RealToText, NonFiniteValuesAreNamedNotNumbers) {
    EXPECT_EQ(realToText(std::numeric_limits<double>::infinity()), "INF");
    EXPECT_EQ(realToText(-std::numeric_limits<double>::infinity()), "-INF");
    EXPECT_EQ(realToText(std::numeric_limits<double>::quiet_NaN()), "NAN");
}

TEST(TextToReal, IsLenientAboutSeparatorsAndText) {
    EXPECT_EQ(textToReal("6,0"), 60.0);
    EXPECT_EQ(textToReal("250, 0"), 2500.0);
    EXPECT_EQ(textToReal("0,01"), 1.0);
    EXPECT_EQ(textToReal("1.0  Гц"), 1.0);
    EXPECT_EQ(textToReal("6.0"), 6.0);
    EXPECT_EQ(textToReal("1.2.3"), 1.2);
    EXPECT_EQ(textToReal("5-3"), 53.0);
    EXPECT_EQ(textToReal("--5"), -5.0);
    EXPECT_EQ(textToReal("-"), 0.0);
    EXPECT_EQ(textToReal(""), 0.0);
    EXPECT_EQ(textToReal("+7"), 7.0);
    EXPECT_EQ(textToReal("0.1"), 0.1);
    EXPECT_EQ(textToReal("-0.333333333333333"), -0.333333333333333);
}

TEST(TextToReal, ReadsExponents) {
    EXPECT_EQ(textToReal("1.5E-2"), 0.015);
    EXPECT_EQ(textToReal("1e3"), 1000.0);
    EXPECT_EQ(textToReal("2e+2"), 200.0);
    EXPECT_EQ(textToReal("1e"), 1.0);
    EXPECT_EQ(textToReal("3e2x7"), 300.0);
}

TEST(TextToReal, ValuesBeyondTheDoubleRangeReadAsInfinityOrZero) {
    EXPECT_EQ(textToReal("1e400"), std::numeric_limits<double>::infinity());
    EXPECT_EQ(textToReal("-1e400"), -std::numeric_limits<double>::infinity());
    EXPECT_EQ(textToReal("1e-400"), 0.0);
    EXPECT_EQ(textToReal("1e2147483647"), std::numeric_limits<double>::infinity());
    EXPECT_EQ(textToReal("1e-2147483648"), 0.0);
    EXPECT_EQ(textToReal("0e5000"), 0.0); // a zero mantissa, whatever the exponent
    EXPECT_EQ(textToReal("-0.00e2147483647"), 0.0);
    EXPECT_EQ(textToReal(std::string(400, '9')), std::numeric_limits<double>::infinity());
}

TEST(NumberText, RoundTripsThroughFifteenDigits) {
    for (double x : {6.0, 0.25, -8.85, 9.54242509439325, 1234.5678, 1e-7, 123456789.125}) {
        double back = textToReal(realToText(x));
        EXPECT_NEAR(back, x, std::fabs(x) * 1e-14) << realToText(x);
    }
}

TEST(IntText, ConvertsBothWaysWithWrapping) {
    EXPECT_EQ(intToText(0), "0");
    EXPECT_EQ(intToText(-2147483647 - 1), "-2147483648");
    EXPECT_EQ(intToText(2147483647), "2147483647");
    EXPECT_EQ(intToText(-7), "-7");
    EXPECT_EQ(textToInt("+7"), 7);
    EXPECT_EQ(textToInt("-0"), 0);
    EXPECT_EQ(textToInt("4294967297"), 1);
    EXPECT_EQ(textToInt(" 12"), 0);
    EXPECT_EQ(textToInt("12abc"), 12);
    EXPECT_EQ(textToInt("-"), 0);
    EXPECT_EQ(textToInt(""), 0);
    EXPECT_EQ(textToInt("-2147483648"), -2147483647 - 1);
}

TEST(HexToInt, ReadsDigitsUntilTheFirstOther) {
    EXPECT_EQ(hexToInt("$FF"), 255);
    EXPECT_EQ(hexToInt("ff"), 255);
    EXPECT_EQ(hexToInt("1G"), 1);
    EXPECT_EQ(hexToInt(""), 0);
    EXPECT_EQ(hexToInt("$FFFFFFFF"), -1);
    EXPECT_EQ(hexToInt("$"), 0);
    EXPECT_EQ(hexToInt("123456789"), 0x23456789);
}

TEST(IntPower, SquaresAndInverts) {
    EXPECT_EQ(intPower(10, 3), 1000.0L);
    EXPECT_EQ(static_cast<double>(intPower(10, -2)), 0.01);
    EXPECT_EQ(intPower(7, 0), 1.0L);
    EXPECT_EQ(intPower(-2, 5), -32.0L);
    EXPECT_EQ(intPower(2, 100), 1267650600228229401496703205376.0L);
    EXPECT_EQ(intPower(1, -2147483647 - 1), 1.0L);
    EXPECT_EQ(intPower(-1, 2147483647), -1.0L);
    // By squaring: 1.5^61 lies just below a halfway point between doubles,
    // and a product of 61 factors lands above it.
    EXPECT_EQ(static_cast<double>(intPower(1.5L, 61)), 55152703075.39952850341796875);
}

TEST(LowerCaseAscii, ChangesOnlyLatinCapitals) {
    EXPECT_EQ(lowerCaseAscii("SIN Ab-Z"), "sin ab-z");
    EXPECT_EQ(lowerCaseAscii("ГЦ"), "ГЦ");
}
