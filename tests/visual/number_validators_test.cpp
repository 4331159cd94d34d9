#include "visual/number_validators.h"

#include <gtest/gtest.h>

namespace {

TEST(NumberValidatorsTest, RealTextsAreCompleteNumbersWithOptionalExponent) {
    const std::pair<const char*, double> accepted[] = {
        {"6.0", 6},   {"-1.5", -1.5},   {".5", 0.5},   {"5.", 5}, {"+3", 3},
        {"2e5", 2e5}, {"2 e -5", 2e-5}, {"1e+3", 1e3}, {"0", 0}};
    for (auto [text, number] : accepted) {
        TData value;
        EXPECT_TRUE(validateReal(text, value)) << text;
        EXPECT_EQ(value.tag, tagReal) << text;
        EXPECT_DOUBLE_EQ(value.realValue, number) << text;
    }
    for (const char* text : {"", "-", ".", "6,0", "1e", "1.2.3", "12 Гц", "+.", "e5", "1e5x",
                             "1e999", "-1e400", "1 2"}) {
        TData rejected;
        EXPECT_FALSE(validateReal(text, rejected)) << text;
        EXPECT_EQ(rejected.tag, tagNull) << text;
    }
}

TEST(NumberValidatorsTest, IntegerTextsAreDecimalOrHexadecimal) {
    const std::pair<const char*, std::int32_t> accepted[] = {{"42", 42},
                                                             {"-7", -7},
                                                             {"+0", 0},
                                                             {"$ff", 255},
                                                             {"0x1a", 26},
                                                             {"$ffffffff", -1},
                                                             {"2147483647", 2147483647},
                                                             {"+2147483647", 2147483647},
                                                             {"-2147483648", INT32_MIN},
                                                             {"000000000000042", 42},
                                                             {"$000000000ffffffff", -1},
                                                             {"0x80000000", INT32_MIN}};
    for (auto [text, number] : accepted) {
        TData value;
        EXPECT_TRUE(validateInteger(text, value)) << text;
        EXPECT_EQ(value.tag, tagInteger) << text;
        EXPECT_EQ(value.intValue, number) << text;
    }
    for (const char* text : {"", "+", "-", "2.0", "20.0", "1 000", "$", "0x", "$fg", "-$1", "12a",
                             // beyond 32 bits: rejected rather than wrapped
                             "4294967297", "2147483648", "+2147483648", "-2147483649",
                             "99999999999999999999", "$100000000", "0x1ffffffff"}) {
        TData value;
        EXPECT_FALSE(validateInteger(text, value)) << text;
    }
}

} // namespace
