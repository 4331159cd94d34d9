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
    std::string read;
    for (const char* text :
         {"42", "-7", "+0", "000000000000042", "2147483647", "+2147483647", "-2147483648", "$ff",
          "0x1a", "$ffffffff", "$000000000ffffffff", "0x80000000"}) {
        TData value;
        const bool accepted = validateInteger(text, value) && value.tag == tagInteger;
        read += accepted ? std::to_string(value.intValue) + " " : "- ";
    }
    // Hexadecimal is read as signed.
    EXPECT_EQ(read, "42 -7 0 42 2147483647 2147483647 -2147483648 255 26 -1 -1 -2147483648 ");
    for (const char* text : {"", "+", "-", "2.0", "20.0", "1 000", "$", "0x", "$fg", "-$1", "12a",
                             // beyond 32 bits: rejected rather than wrapped
                             "4294967297", "2147483648", "+2147483648", "-2147483649",
                             "99999999999999999999", "$100000000", "0x1ffffffff"}) {
        TData value;
        EXPECT_FALSE(validateInteger(text, value)) << text;
    }
}

} // namespace
