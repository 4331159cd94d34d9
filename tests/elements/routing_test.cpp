#include "elements/do_data.h"
#include "elements/hub.h"
#include "elements/if_else.h"

#include "recorder.h"

#include <string>
#include <vector>

namespace {

using Routing = LiveLinks;

// Hands the event on to a sink of its own by a forward, as elements do.
struct Forwarding {
    TKN_Event outNext;
    void inEvent(TData& data, std::uint16_t) { setForwardCopy(data, data, &outNext); }
};

} // namespace

TEST_F(Routing, HubSendsEachOutputItsOwnCopyInOrder) {
    TKNHub hub;
    hub.setOutCount(3);
    ASSERT_EQ(hub.outEvent.size(), 3u);
    std::vector<std::string> order;
    Sink first{{}, &order, "first"};
    Sink third{{}, &order, "third"};
    Sink forwarded{{}, &order, "forwarded"};
    Forwarding middle;
    middle.outNext = makeLink<&Sink::inRecord>(&forwarded);
    hub.outEvent[0] = makeLink<&Sink::inRecordAndChange>(&first);
    hub.outEvent[1] = makeLink<&Forwarding::inEvent>(&middle);
    hub.outEvent[2] = makeLink<&Sink::inRecordAndChange>(&third);

    TData value = integerData(5);
    callEvent(makeLink<&TKNHub::inEvent>(&hub, 1), value);
    EXPECT_EQ(order, (std::vector<std::string>{"first", "forwarded", "third"}));
    ASSERT_EQ(forwarded.received.size(), 1u);
    EXPECT_EQ(forwarded.received[0].tag, tagInteger);
    EXPECT_EQ(forwarded.received[0].intValue, 5);
    ASSERT_EQ(third.received.size(), 1u);
    EXPECT_EQ(third.received[0].intValue, 5);
    EXPECT_EQ(value.tag, tagInteger); // the caller's value is untouched
    EXPECT_EQ(value.intValue, 5);
}

TEST_F(Routing, HubOutCountSizesAndKeepsLinks) {
    TKNHub hub;
    Sink sink;
    hub.setOutCount(2);
    hub.outEvent[1] = makeLink<&Sink::inRecord>(&sink);
    hub.setOutCount(4);
    EXPECT_EQ(hub.OutCount(), 4);
    ASSERT_EQ(hub.outEvent.size(), 4u);
    EXPECT_TRUE(hub.outEvent[1].connected());
    EXPECT_FALSE(hub.outEvent[3].connected());
    raiseInteger(makeLink<&TKNHub::inEvent>(&hub), 1);
    EXPECT_EQ(sink.received.size(), 1u);

    hub.setOutCount(0);
    raiseInteger(makeLink<&TKNHub::inEvent>(&hub), 1);
    EXPECT_EQ(sink.received.size(), 1u);

    // Only the low 8 bits are the count: 257 outputs exist, one is raised.
    hub.setOutCount(257);
    EXPECT_EQ(hub.OutCount(), 1);
    EXPECT_EQ(hub.outEvent.size(), 257u);
}

namespace {

// An output handler that shrinks the hub it is called from.
struct Shrinker {
    TKNHub* hub = nullptr;
    void inEvent(TData&, std::uint16_t) { hub->setOutCount(1); }
};

} // namespace

TEST_F(Routing, HubSurvivesAnOutputThatShrinksIt) {
    TKNHub hub;
    hub.setOutCount(3);
    Shrinker shrinker{&hub};
    Sink late;
    hub.outEvent[0] = makeLink<&Shrinker::inEvent>(&shrinker);
    hub.outEvent[2] = makeLink<&Sink::inRecord>(&late);
    raiseEvent(makeLink<&TKNHub::inEvent>(&hub));
    EXPECT_TRUE(late.received.empty());
}

TEST_F(Routing, DoDataSendsThePulledValueNotTheIncomingOne) {
    TKNDoData doData;
    Sink out;
    doData.outData = makeLink<&Sink::inRecord>(&out);
    TKN_Event link = makeLink<&TKNDoData::inDoData>(&doData);

    raiseInteger(link, 42);
    ASSERT_EQ(out.received.size(), 1u);
    EXPECT_EQ(out.received[0].tag, tagNull);

    doData.Data = stringData("fallback");
    raiseInteger(link, 42);
    ASSERT_EQ(out.received.size(), 2u);
    EXPECT_EQ(out.received[1].tag, tagString);
    EXPECT_EQ(out.received[1].strValue, "fallback");

    Source source{realData(6.0)};
    doData.srcData = makeLink<&Source::getValue>(&source);
    raiseInteger(link, 42);
    ASSERT_EQ(out.received.size(), 3u);
    EXPECT_EQ(out.received[2].tag, tagReal);
    EXPECT_EQ(out.received[2].realValue, 6.0);
}

namespace {

bool compares(const TData& a, const TData& b, std::uint8_t type) {
    return compareData(a, b, type);
}

TData nullData() {
    return TData();
}

} // namespace

TEST(IfElseTable, NullOperands) {
    for (std::uint8_t type = 0; type <= 6; ++type) {
        EXPECT_TRUE(compares(nullData(), nullData(), type)) << int(type);
        EXPECT_FALSE(compares(nullData(), integerData(0), type)) << int(type);
        EXPECT_FALSE(compares(nullData(), stringData(""), type)) << int(type);
    }
    // A null second operand converts to 0 against an integer.
    EXPECT_TRUE(compares(integerData(0), nullData(), compareEqual));
    EXPECT_TRUE(compares(realData(0.5), nullData(), compareGreater));
}

TEST(IfElseTable, Integers) {
    const TData three = integerData(3);
    const bool expected[3][6] = {
        // =     <      >      <=     >=     !=      against 2, 3, 4
        {false, false, true, false, true, true},
        {true, false, false, true, true, false},
        {false, true, false, true, false, true},
    };
    for (int other = 2; other <= 4; ++other)
        for (std::uint8_t type = 0; type < 6; ++type)
            EXPECT_EQ(compares(three, integerData(other), type), expected[other - 2][type])
                << other << " type " << int(type);
    EXPECT_FALSE(compares(three, integerData(3), 6));
    EXPECT_FALSE(compares(three, integerData(3), 255));
    // The second operand is converted to an integer.
    EXPECT_TRUE(compares(three, stringData("3"), compareEqual));
    EXPECT_TRUE(compares(three, realData(2.6), compareEqual));
    EXPECT_TRUE(compares(integerData(-5), integerData(2), compareLess)); // signed
}

TEST(IfElseTable, Strings) {
    EXPECT_TRUE(compares(stringData("10"), stringData("9"), compareLess));
    EXPECT_FALSE(compares(stringData("abc"), stringData("ABC"), compareEqual));
    EXPECT_TRUE(compares(stringData("abc"), stringData("ABC"), compareNotEqual));
    EXPECT_TRUE(compares(stringData("abc"), stringData("ABC"), compareLessOrEqual));
    EXPECT_TRUE(compares(stringData("abc"), stringData("ABC"), compareGreaterOrEqual));
    EXPECT_FALSE(compares(stringData("abc"), stringData("ABC"), compareLess));
    EXPECT_TRUE(compares(stringData("abc"), stringData("ABD"), compareLess));
    EXPECT_TRUE(compares(stringData("Abd"), stringData("abc"), compareGreater));
    // Shorter sorts first; the empty text is the smallest.
    EXPECT_TRUE(compares(stringData("ab"), stringData("abc"), compareLess));
    EXPECT_TRUE(compares(stringData(""), stringData("a"), compareLess));
    EXPECT_TRUE(compares(stringData(""), stringData(""), compareEqual));
    // Bytes are unsigned: a Cyrillic letter sorts after every ASCII one, and
    // only a-z are folded ('_' lies between 'Z' and 'a').
    EXPECT_TRUE(compares(stringData("я"), stringData("z"), compareGreater));
    EXPECT_TRUE(compares(stringData("a"), stringData("_"), compareLess));
    EXPECT_TRUE(compares(stringData("я"), stringData("Я"), compareGreater));
    // Ordering stops at a zero byte; equality does not.
    const std::string withZero("ab\0x", 4);
    EXPECT_TRUE(compares(stringData(withZero), stringData("ab"), compareLessOrEqual));
    EXPECT_TRUE(compares(stringData(withZero), stringData("ab"), compareGreaterOrEqual));
    EXPECT_FALSE(compares(stringData(withZero), stringData("ab"), compareEqual));
    // The second operand is converted to text.
    EXPECT_TRUE(compares(stringData("12"), integerData(12), compareEqual));
    EXPECT_TRUE(compares(stringData("0.5"), realData(0.5), compareEqual));
    EXPECT_FALSE(compares(stringData("a"), stringData("a"), 6));
}

TEST(IfElseTable, RealsAndOtherKinds) {
    EXPECT_FALSE(compares(realData(0.001), realData(0.001), compareGreater));
    EXPECT_TRUE(compares(realData(0.001), realData(0.001), compareGreaterOrEqual));
    EXPECT_TRUE(compares(realData(0.002), realData(0.001), compareGreater));
    EXPECT_TRUE(compares(realData(0.0005), realData(0.001), compareLess));
    EXPECT_TRUE(compares(realData(0.0005), realData(0.001), compareNotEqual));
    EXPECT_TRUE(compares(realData(2.0), integerData(2), compareEqual));
    EXPECT_TRUE(compares(realData(2.5), stringData("2.25"), compareGreater));
    EXPECT_FALSE(compares(realData(2.0), realData(2.0), 6));

    TData array;
    array.tag = tagArray;
    TData noLink;
    noLink.tag = tagNoLink;
    for (std::uint8_t type = 0; type <= 5; ++type) {
        EXPECT_FALSE(compares(array, array, type));
        EXPECT_FALSE(compares(noLink, noLink, type));
    }
}

TEST_F(Routing, IfElseForwardsTheValueItReceived) {
    TKNIf_else branch;
    Sink yes;
    Sink no;
    branch.outTrue = makeLink<&Sink::inRecord>(&yes);
    branch.outFalse = makeLink<&Sink::inRecord>(&no);
    branch.Type = compareGreater;
    branch.Op2 = realData(0.001);
    Source op1{realData(0.002)};
    branch.srcOp1 = makeLink<&Source::getValue>(&op1);
    TKN_Event link = makeLink<&TKNIf_else::inCompare>(&branch);

    raiseString(link, "payload");
    ASSERT_EQ(yes.received.size(), 1u);
    EXPECT_EQ(yes.received[0].tag, tagString);
    EXPECT_EQ(yes.received[0].strValue, "payload");

    op1.value = realData(0.0005);
    raiseInteger(link, 7);
    EXPECT_EQ(yes.received.size(), 1u);
    ASSERT_EQ(no.received.size(), 1u);
    EXPECT_EQ(no.received[0].tag, tagInteger);
    EXPECT_EQ(no.received[0].intValue, 7);
}

TEST_F(Routing, IfElseTakesUnlinkedOperandsFromTheEventInOrder) {
    TKNIf_else branch;
    Sink yes;
    Sink no;
    branch.outTrue = makeLink<&Sink::inRecord>(&yes);
    branch.outFalse = makeLink<&Sink::inRecord>(&no);
    branch.Type = compareLess;
    TKN_Event link = makeLink<&TKNIf_else::inCompare>(&branch);

    // Operand 1 is the first value of the chain, operand 2 the second.
    TData second = integerData(9);
    TData value = integerData(4);
    value.next = &second;
    callEvent(link, value);
    EXPECT_EQ(yes.received.size(), 1u);
    EXPECT_EQ(no.received.size(), 0u);
    ASSERT_EQ(yes.received.size(), 1u);
    EXPECT_EQ(yes.received[0].intValue, 4); // the whole value it received

    TData other = integerData(4);
    value = integerData(9);
    value.next = &other;
    callEvent(link, value);
    EXPECT_EQ(no.received.size(), 1u);

    // Both operands from empty edits: null and null holds.
    Source empty1;
    Source empty2;
    branch.Type = compareGreater;
    branch.srcOp1 = makeLink<&Source::getValue>(&empty1);
    branch.srcOp2 = makeLink<&Source::getValue>(&empty2);
    raiseEvent(link);
    EXPECT_EQ(yes.received.size(), 2u);
    EXPECT_EQ(empty1.reads, 1);
    EXPECT_EQ(empty2.reads, 1);
}
