#include "runtime/data.h"

#include "runtime/links.h"

#include <gtest/gtest.h>

TEST(Data, NullIgnoresAnOldStringPayload) {
    TData d;
    setString(d, "7");
    setNull(d);
    EXPECT_TRUE(isNullData(d));
    EXPECT_EQ(asInteger(d), 0);
    EXPECT_EQ(asReal(d), 0.0);
    EXPECT_EQ(asString(d), "");
    EXPECT_EQ(asIndex(d), -1);
}

TEST(Data, SettersClearForwardAndNext) {
    TData other;
    TKN_Event link;
    TData d;
    d.forwardLink = &link;
    d.next = &other;
    setReal(d, 1.5);
    EXPECT_EQ(d.forwardLink, nullptr);
    EXPECT_EQ(d.next, nullptr);
    EXPECT_EQ(tagOf(d), tagReal);
}

TEST(Data, RealToIntegerRoundsHalfToEvenAndKeepsLow32Bits) {
    TData d;
    const std::pair<double, std::int32_t> cases[] = {
        {2.5, 2}, {3.5, 4}, {-2.5, -2}, {-0.5, 0}, {1e10, 1410065408}, {-1.6, -2}, {1e30, 0}};
    for (auto [real, expected] : cases) {
        setReal(d, real);
        EXPECT_EQ(asInteger(d), expected) << real;
    }
    setReal(d, 4.5);
    EXPECT_EQ(asIndex(d), 4);
}

TEST(Data, ConversionsByTag) {
    TData d;
    setInteger(d, -2147483647 - 1);
    EXPECT_EQ(asString(d), "-2147483648");
    EXPECT_EQ(asReal(d), -2147483648.0);
    setString(d, "12.5x");
    EXPECT_EQ(asInteger(d), 12);
    EXPECT_EQ(asReal(d), 12.5);
    setReal(d, 0.1);
    EXPECT_EQ(asString(d), "0.1");
    int dummy = 0;
    setArray(d, reinterpret_cast<TArrayIntf*>(&dummy));
    EXPECT_EQ(asInteger(d), 0);
    EXPECT_EQ(asString(d), "");
    EXPECT_EQ(asIndex(d), -1);
    d.tag = tagNoLink;
    EXPECT_EQ(asReal(d), 0.0);
    setInteger(d, 5);
    d.tag |= tagForwardBit; // a tag with the bit still set carries nothing
    EXPECT_EQ(asInteger(d), 0);
}

TEST(Data, IndexOfStrings) {
    TData d;
    const std::pair<const char*, std::int32_t> cases[] = {{"0", 0},    {"00", 0},  {"007", 7},
                                                          {"12", 12},  {"-3", -3}, {"-0", -1},
                                                          {"abc", -1}, {"x1", -1}, {"", -1}};
    for (auto [text, expected] : cases) {
        setString(d, text);
        EXPECT_EQ(asIndex(d), expected) << text;
    }
}

TEST(Data, ForwardFamily) {
    TKN_Event link;
    TData chained;
    TData d;
    d.next = &chained;
    setForwardNull(d, &link);
    EXPECT_EQ(d.tag, 0x80);
    EXPECT_EQ(d.forwardLink, &link);
    EXPECT_EQ(d.next, &chained); // the null variant keeps the chain

    setForwardInteger(d, 9, &link);
    EXPECT_EQ(d.tag, 0x81);
    EXPECT_EQ(d.intValue, 9);
    EXPECT_EQ(d.next, nullptr);

    setForwardReal(d, 2.5, &link);
    EXPECT_EQ(d.tag, 0x87);
    EXPECT_EQ(d.realValue, 2.5);

    TData source;
    setString(source, "kept");
    source.next = &chained;
    setForwardCopy(d, source, &link);
    EXPECT_EQ(d.tag, 0x82);
    EXPECT_EQ(d.strValue, "kept");
    EXPECT_EQ(d.next, &chained);
    EXPECT_EQ(d.forwardLink, &link);
    EXPECT_EQ(source.tag, tagString);

    setForwardCopy(d, d, &link); // onto itself: the bit wraps modulo 256
    EXPECT_EQ(d.tag, 0x02);
}

TEST(Data, CopiesShareNothingObservable) {
    TData a;
    setString(a, "first");
    TData b = a;
    setString(a, "second");
    EXPECT_EQ(b.strValue, "first");
}
