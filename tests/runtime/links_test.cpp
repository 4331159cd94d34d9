#include "runtime/links.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

// Starts every test with live dispatchers and leaves them inert again.
class Links : public ::testing::Test {
protected:
    void SetUp() override { installDispatchers(); }
    void TearDown() override { stopDispatch(); }
};

// Logs "index:tag:text " for every event; answers `reply` when read.
struct Point {
    std::string log;
    TData reply;
    void inRecord(TData& data, std::uint16_t index) {
        log += std::to_string(index) + ":" + std::to_string(data.tag) + ":" + asString(data) + " ";
    }
    void getReply(TData& data, std::uint16_t) { data = reply; }
};

// Hands the event on, one higher, through a forward.
struct Forwarder {
    TKN_Event outEvent;
    void inForward(TData& data, std::uint16_t) {
        setForwardInteger(data, asInteger(data) + 1, &outEvent);
    }
};

} // namespace

TEST_F(Links, RaisedValuesReachThePointAndOnlyCallEventHandsBackChanges) {
    TKN_Event none;
    raiseEvent(none);
    Point r;
    TKN_Event link = makeLink<&Point::inRecord>(&r, 1);
    raiseEvent(link);
    raiseInteger(link, 5);
    raiseString(link, "abc");
    TData d;
    setReal(d, 2.5);
    raiseData(link, d);
    EXPECT_EQ(r.log, "1:0: 1:1:5 1:2:abc 1:7:2.5 ");

    Forwarder f; // forwards to an unconnected link: the bit goes, the value stays
    setInteger(d, 2);
    raiseData(makeLink<&Forwarder::inForward>(&f), d);
    EXPECT_EQ(d.intValue, 2);
    callEvent(makeLink<&Forwarder::inForward>(&f), d);
    callEvent(none, d);
    EXPECT_EQ(d.tag, tagInteger);
    EXPECT_EQ(d.intValue, 3);
}

TEST_F(Links, ForwardsRunInALoopNotOnTheStack) {
    constexpr int length = 100000;
    std::vector<Forwarder> chain(length);
    Point end;
    for (int i = 0; i + 1 < length; ++i)
        chain[i].outEvent = makeLink<&Forwarder::inForward>(&chain[i + 1]);
    chain.back().outEvent = makeLink<&Point::inRecord>(&end, 7);
    raiseInteger(makeLink<&Forwarder::inForward>(&chain[0]), 0);
    EXPECT_EQ(end.log, "7:1:100000 ");

    struct Broken {
        void inPoint(TData& data, std::uint16_t) { setForwardInteger(data, 3, nullptr); }
    } broken;
    TData d;
    callEvent(makeLink<&Broken::inPoint>(&broken), d); // a forward to nowhere ends the event
    EXPECT_EQ(d.tag, tagInteger);
}

TEST_F(Links, APullTakesTheLinkOrTheDefaultOrTheIncomingValueOnce) {
    Point source;
    const TKN_Event linked = makeLink<&Point::getReply>(&source), none;
    TData noLink, null, text;
    noLink.tag = tagNoLink;
    setString(text, "12.75");
    // The source's answer (nullptr: unconnected), the default, the value
    // pulled and whether the incoming 5 was taken.
    const std::tuple<const TData*, double, double, bool> cases[] = {
        {nullptr, 0, 5, true},  {nullptr, 2, 2, false}, {&noLink, 0, 5, true},
        {&noLink, 3, 3, false}, {&null, 2, 0, false},   {&text, 1, 12.75, false}};
    for (auto [reply, fallback, expected, consumed] : cases) {
        if (reply)
            source.reply = *reply;
        TData incoming;
        setInteger(incoming, 5);
        EXPECT_EQ(pullReal(incoming, reply ? linked : none, fallback), expected);
        EXPECT_EQ(incoming.tag, consumed ? tagNull : tagInteger) << expected;
    }
    TData incoming; // the same rules for the other kinds, converted
    EXPECT_EQ(pullInteger(incoming, linked, 1), 12);
    EXPECT_EQ(pullLinkedInteger(linked), 12);
    EXPECT_EQ(pullLinkedInteger(none), 0);
    EXPECT_EQ(pullString(incoming, linked, "x"), "12.75");
    setInteger(incoming, 5);
    EXPECT_EQ(pullInteger(incoming, none, 8), 8);
    EXPECT_EQ(pullString(incoming, none, "d"), "d");
    EXPECT_EQ(pullString(incoming, none, ""), "5");
    EXPECT_EQ(pullInteger(incoming, none, 0), 0);
}

TEST_F(Links, AChainOfValuesIsPulledInTurn) {
    TKN_Event none;
    TData third, second, head, fallback, nullFallback;
    setString(third, "c");
    setReal(second, 2.5);
    second.next = &third;
    setInteger(head, 1);
    head.next = &second;
    EXPECT_EQ(pullInteger(head, none, 0), 1);
    EXPECT_EQ(pullReal(head, none, 0.0), 2.5);
    EXPECT_EQ(pullString(head, none, ""), "c");
    EXPECT_EQ(pullInteger(head, none, 0), 0);

    setString(head, "one");
    head.next = &second;
    TData first = pullData(head, none, &nullFallback); // a null default is no default
    EXPECT_EQ(first.strValue, "one");
    EXPECT_EQ(first.next, nullptr);
    EXPECT_EQ(head.realValue, 2.5);
    setReal(fallback, 4.0);
    EXPECT_EQ(pullData(head, none, &fallback).realValue, 4.0);
    EXPECT_EQ(head.next, &third); // a default leaves the chain alone

    setNull(head);
    head.next = &second;
    EXPECT_EQ(pullData(head, none, nullptr).tag, tagNull);
    EXPECT_EQ(head.tag, tagNull);
    EXPECT_EQ(head.next, nullptr); // a null head ends the chain

    Point source;
    setInteger(source.reply, 3);
    source.reply.next = &third;
    TData linked = pullData(head, makeLink<&Point::getReply>(&source), nullptr);
    EXPECT_EQ(linked.intValue, 3);
    EXPECT_EQ(linked.next, nullptr);
}

TEST(Dispatchers, AreInertBeforeInstallAndAfterStopAndStartUpRunsOnce) {
    Point r;
    setInteger(r.reply, 42);
    TKN_Event event = makeLink<&Point::inRecord>(&r), read = makeLink<&Point::getReply>(&r);
    TData incoming;
    raiseEvent(event);
    EXPECT_FALSE(dispatchersLive());
    installDispatchers();
    raiseEvent(event);
    EXPECT_EQ(pullInteger(incoming, read, 7), 42);
    stopDispatch();
    raiseEvent(event);
    EXPECT_EQ(r.log, "0:0: ");
    // The temporary stays null, so the result is 0, not the default.
    EXPECT_EQ(pullInteger(incoming, read, 7), 0);

    struct Starter {
        std::string* order;
        char id;
        void start() { *order += id; }
    };
    std::string order;
    Starter a{&order, 'a'}, b{&order, 'b'};
    registerInitProc(bindMethod<&Starter::start>(&a));
    registerInitProc(bindMethod<&Starter::start>(&b));
    runInitProcs();
    runInitProcs();
    EXPECT_EQ(order, "ab");
}
