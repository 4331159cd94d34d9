#include "runtime/links.h"

#include <gtest/gtest.h>

#include <string>
#include <tuple>
#include <vector>

namespace {

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

TEST(Links, EventsAndForwardsAreCarriedOnlyWhileTheDispatchersAreLive) {
    Point r;
    TKN_Event none, link = makeLink<&Point::inRecord>(&r, 1);
    raiseEvent(link);
    EXPECT_FALSE(dispatchersLive());
    installDispatchers();
    raiseEvent(none);
    raiseEvent(link);
    raiseInteger(link, 5);
    raiseString(link, "abc");
    TData d;
    setReal(d, 2.5);
    raiseData(link, d);
    EXPECT_EQ(r.log, "1:0: 1:1:5 1:2:abc 1:7:2.5 ");

    // A forward runs in the dispatcher's loop, not on the stack; one to an
    // unconnected link ends the event without its bit, and only callEvent
    // hands the changed value back.
    std::vector<Forwarder> chain(100000);
    for (std::size_t i = 0; i + 1 < chain.size(); ++i)
        chain[i].outEvent = makeLink<&Forwarder::inForward>(&chain[i + 1]);
    chain.back().outEvent = makeLink<&Point::inRecord>(&r, 7);
    setInteger(d, 0);
    raiseData(makeLink<&Forwarder::inForward>(&chain[0]), d);
    callEvent(makeLink<&Forwarder::inForward>(&chain.back()), d);
    EXPECT_EQ(r.log, "1:0: 1:1:5 1:2:abc 1:7:2.5 7:1:100000 7:1:1 ");
    Forwarder loose;
    callEvent(makeLink<&Forwarder::inForward>(&loose), d);
    EXPECT_EQ(d.tag, tagInteger);
    EXPECT_EQ(d.intValue, 2);
    struct Broken {
        void inPoint(TData& data, std::uint16_t) { setForwardInteger(data, 3, nullptr); }
    } broken;
    callEvent(makeLink<&Broken::inPoint>(&broken), d); // a forward to nowhere ends the event
    EXPECT_EQ(d.tag, tagInteger);

    stopDispatch();
    raiseEvent(link);
    setInteger(r.reply, 42);
    TData incoming; // a read stays null, so the result is 0, not the default
    EXPECT_EQ(pullInteger(incoming, makeLink<&Point::getReply>(&r), 7), 0);
    EXPECT_EQ(r.log, "1:0: 1:1:5 1:2:abc 1:7:2.5 7:1:100000 7:1:1 ");
}

TEST(Links, APullTakesTheLinkOrTheDefaultOrTheIncomingValueOnce) {
    installDispatchers();
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
    EXPECT_EQ(pullString(incoming, none, "d"), "d");
    EXPECT_EQ(pullString(incoming, none, ""), "5");

    // pullData takes a whole value: a null default is no default, a null
    // head ends the chain, a linked value comes without one.
    TData third, second, fallback, nullFallback;
    setString(third, "c");
    setReal(second, 2.5);
    second.next = &third;
    setString(incoming, "one");
    incoming.next = &second;
    TData first = pullData(incoming, none, &nullFallback);
    EXPECT_EQ(first.strValue, "one");
    EXPECT_EQ(first.next, nullptr);
    setReal(fallback, 4.0);
    EXPECT_EQ(pullData(incoming, none, &fallback).realValue, 4.0);
    EXPECT_EQ(incoming.next, &third); // a default leaves the chain alone
    setNull(incoming);
    incoming.next = &second;
    EXPECT_EQ(pullData(incoming, none, nullptr).tag, tagNull);
    EXPECT_EQ(incoming.next, nullptr);
    source.reply.next = &third;
    EXPECT_EQ(pullData(incoming, linked, nullptr).next, nullptr);
    stopDispatch();
}

TEST(Links, StartUpProceduresRunOnceInRegistrationOrder) {
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
