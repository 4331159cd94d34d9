#include "runtime/data.h"

#include "runtime/links.h"
#include "runtime/number_text.h"

#include <gtest/gtest.h>

#include <tuple>

TEST(Data, EachTagReadsOnlyItsOwnField) {
    // The tag and what every field holds (a tag must ignore the fields of
    // others), then what the value reads as: "integer|real|string|index".
    // Reals round half to even and keep the low 32 bits.
    const std::tuple<std::uint8_t, double, const char*, const char*> cases[] = {
        {tagNull, 7, "7", "0|0||-1"},
        {tagArray, 7, "7", "0|0||-1"},
        {tagNoLink, 7, "7", "0|0||-1"},
        {tagInteger | tagForwardBit, 7, "7", "0|0||-1"}, // a forward still pending
        {tagInteger, -2147483648.0, "9", "-2147483648|-2147483648|-2147483648|-2147483648"},
        {tagString, 3, "12.5x", "12|12.5|12.5x|12"},
        {tagReal, 0.6, "9", "1|0.6|0.6|1"},
        {tagReal, 2.5, "", "2|2.5|2.5|2"},
        {tagReal, 3.5, "", "4|3.5|3.5|4"},
        {tagReal, -2.5, "", "-2|-2.5|-2.5|-2"},
        {tagReal, -0.5, "", "0|-0.5|-0.5|0"},
        {tagReal, -1.6, "", "-2|-1.6|-1.6|-2"},
        {tagReal, 1e10, "", "1410065408|10000000000|10000000000|1410065408"},
        {tagReal, 1e30, "", "0|1000000000000000000000000000000|1000000000000000000000000000000|0"},
        // An index in a text must be written as a number.
        {tagString, 0, "007", "7|7|007|7"},
        {tagString, 0, "00", "0|0|00|0"},
        {tagString, 0, "-3", "-3|-3|-3|-3"},
        {tagString, 0, "-0", "0|0|-0|-1"},
        {tagString, 0, "x1", "0|1|x1|-1"},
        {tagString, 0, "", "0|0||-1"}};
    for (auto [tag, number, text, expected] : cases) {
        TData d;
        d.tag = tag;
        d.intValue = static_cast<std::int32_t>(number);
        d.realValue = number;
        d.strValue = text;
        EXPECT_EQ(intToText(asInteger(d)) + "|" + realToText(asReal(d)) + "|" + asString(d) + "|" +
                      intToText(asIndex(d)),
                  expected)
            << int(tag) << " " << number << " " << text;
    }
}

TEST(Data, SettersAndForwards) {
    TKN_Event link;
    TData chained, d;
    d.forwardLink = &link;
    d.next = &chained;
    setString(d, "s");
    EXPECT_EQ(d.forwardLink, nullptr); // a plain setter ends forward and chain
    EXPECT_EQ(d.next, nullptr);

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
    EXPECT_EQ(source.tag, tagString);
    setForwardCopy(d, d, &link); // onto itself: the bit wraps modulo 256
    EXPECT_EQ(d.tag, 0x02);
}
