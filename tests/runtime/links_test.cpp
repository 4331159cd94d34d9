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

struct Recorder {
    std::vector<std::string> seen;
    TData reply; // what a data point answers

    void inRecord(TData& data, std::uint16_t index) {
        seen.push_back(std::to_string(index) + ":" + std::to_string(data.tag) + ":" +
                       asString(data));
    }
    void getReply(TData& data, std::uint16_t) { data = reply; }
    void inChange(TData& data, std::uint16_t) { setInteger(data, 99); }
};

struct Forwarder {
    TKN_Event outEvent;
    Recorder* log = nullptr;
    void inForward(TData& data, std::uint16_t) {
        setForwardInteger(data, asInteger(data) + 1, &outEvent);
    }
    void inAfter(TData&, std::uint16_t) {
        if (log)
            log->seen.push_back("forwarder returned");
    }
};

} // namespace

TEST_F(Links, UnconnectedLinksDoNothing) {
    TKN_Event none;
    raiseEvent(none);
    raiseInteger(none, 3);
    TData d;
    setInteger(d, 4);
    callEvent(none, d);
    EXPECT_EQ(d.tag, tagInteger);
    EXPECT_EQ(d.intValue, 4);
}

TEST_F(Links, RaisingSendsTheRightValues) {
    Recorder r;
    TKN_Event link = makeLink<&Recorder::inRecord>(&r, 1);
    raiseEvent(link);
    raiseInteger(link, 5);
    raiseString(link, "abc");
    TData d;
    setReal(d, 2.5);
    raiseData(link, d);
    EXPECT_EQ(r.seen, (std::vector<std::string>{"1:0:", "1:1:5", "1:2:abc", "1:7:2.5"}));
}

TEST_F(Links, RaiseDataSendsACopyAndCallEventTheRecordItself) {
    Recorder r;
    TKN_Event link = makeLink<&Recorder::inChange>(&r, 0);
    TData d;
    setString(d, "x");
    raiseData(link, d);
    EXPECT_EQ(d.tag, tagString);
    callEvent(link, d);
    EXPECT_EQ(d.tag, tagInteger);
    EXPECT_EQ(d.intValue, 99);
}

TEST_F(Links, ForwardedEventReachesTheNextElementBeforeTheCallerReturns) {
    Recorder r;
    Forwarder f;
    f.outEvent = makeLink<&Recorder::inRecord>(&r, 7);
    raiseInteger(makeLink<&Forwarder::inForward>(&f, 0), 41);
    r.seen.push_back("returned");
    EXPECT_EQ(r.seen, (std::vector<std::string>{"7:1:42", "returned"}));
}

TEST_F(Links, ForwardToAnUnconnectedLinkEndsWithTheBitRemoved) {
    Forwarder f; // outEvent left unconnected
    TData d;
    setInteger(d, 1);
    callEvent(makeLink<&Forwarder::inForward>(&f, 0), d);
    EXPECT_EQ(d.tag, tagInteger);
    EXPECT_EQ(d.intValue, 2);
}

TEST_F(Links, ForwardWithoutALinkEndsTheEventSafely) {
    struct Broken {
        void inPoint(TData& data, std::uint16_t) { setForwardInteger(data, 3, nullptr); }
    } broken;
    TData d;
    callEvent(makeLink<&Broken::inPoint>(&broken, 0), d);
    EXPECT_EQ(d.tag, tagInteger);
}

TEST_F(Links, LongForwardChainDoesNotGrowTheStack) {
    constexpr int length = 100000;
    std::vector<Forwarder> chain(length);
    Recorder end;
    for (int i = 0; i + 1 < length; ++i)
        chain[i].outEvent = makeLink<&Forwarder::inForward>(&chain[i + 1], 0);
    chain.back().outEvent = makeLink<&Recorder::inRecord>(&end, 0);
    raiseInteger(makeLink<&Forwarder::inForward>(&chain[0], 0), 0);
    ASSERT_EQ(end.seen.size(), 1u);
    EXPECT_EQ(end.seen[0], "0:1:" + std::to_string(length));
}

TEST_F(Links, PullRealFallsBackToTheIncomingValueOnce) {
    TKN_Event none;
    TData incoming;
    setInteger(incoming, 5);
    EXPECT_EQ(pullReal(incoming, none, 0.0), 5.0);
    EXPECT_EQ(incoming.tag, tagNull);
    EXPECT_EQ(pullReal(incoming, none, 0.0), 0.0);
}

TEST_F(Links, NonZeroDefaultWinsAndLeavesTheIncomingValue) {
    TKN_Event none;
    TData incoming;
    setInteger(incoming, 5);
    EXPECT_EQ(pullReal(incoming, none, 2.0), 2.0);
    EXPECT_EQ(pullInteger(incoming, none, 8), 8);
    EXPECT_EQ(pullString(incoming, none, "d"), "d");
    EXPECT_EQ(incoming.tag, tagInteger);
}

TEST_F(Links, SourceAnsweringNoLinkCountsAsUnconnected) {
    Recorder source;
    source.reply.tag = tagNoLink;
    TKN_Event link = makeLink<&Recorder::getReply>(&source, 0);
    TData incoming;
    setInteger(incoming, 6);
    EXPECT_EQ(pullInteger(incoming, link, 0), 6);
    EXPECT_EQ(incoming.tag, tagNull);
    EXPECT_EQ(pullInteger(incoming, link, 3), 3);
}

TEST_F(Links, ConnectedSourceLeavingNullGivesTheZeroValueNotTheDefault) {
    struct Silent {
        void getNothing(TData&, std::uint16_t) {}
    } silent;
    TKN_Event link = makeLink<&Silent::getNothing>(&silent, 0);
    TData incoming;
    setString(incoming, "event");
    EXPECT_EQ(pullString(incoming, link, "default"), "");
    EXPECT_EQ(incoming.strValue, "event");
    EXPECT_EQ(incoming.tag, tagString);
}

TEST_F(Links, ConnectedSourceIsConvertedToTheWantedKind) {
    Recorder source;
    setString(source.reply, "12.75");
    TKN_Event link = makeLink<&Recorder::getReply>(&source, 0);
    TData incoming;
    EXPECT_EQ(pullReal(incoming, link, 1.0), 12.75);
    EXPECT_EQ(pullInteger(incoming, link, 1), 12);
    EXPECT_EQ(pullString(incoming, link, "x"), "12.75");
}

TEST_F(Links, MultiValueChainIsPulledInTurn) {
    TKN_Event none;
    TData third;
    setString(third, "c");
    TData second;
    setReal(second, 2.5);
    second.next = &third;
    TData head;
    setInteger(head, 1);
    head.next = &second;
    EXPECT_EQ(pullInteger(head, none, 0), 1);
    EXPECT_EQ(pullReal(head, none, 0.0), 2.5);
    EXPECT_EQ(pullString(head, none, ""), "c");
    EXPECT_EQ(head.tag, tagNull);
    EXPECT_EQ(pullInteger(head, none, 0), 0);
}

TEST_F(Links, PullDataTakesTheIncomingValueWhateverItsTag) {
    TKN_Event none;
    TData second;
    setInteger(second, 2);
    TData head;
    setString(head, "one");
    head.next = &second;
    TData first = pullData(head, none, nullptr);
    EXPECT_EQ(first.strValue, "one");
    EXPECT_EQ(first.next, nullptr);
    EXPECT_EQ(head.tag, tagInteger); // the chain moved on

    TData nullFallback;
    TData again = pullData(head, none, &nullFallback);
    EXPECT_EQ(again.intValue, 2);
    EXPECT_EQ(head.tag, tagNull);

    TData fallback;
    setReal(fallback, 4.0);
    setInteger(head, 9);
    EXPECT_EQ(pullData(head, none, &fallback).realValue, 4.0);
    EXPECT_EQ(head.tag, tagInteger);
}

TEST_F(Links, PullDataNullHeadEndsTheChain) {
    TKN_Event none;
    TData second;
    setInteger(second, 2);
    TData head;
    head.next = &second;
    TData result = pullData(head, none, nullptr);
    EXPECT_EQ(result.tag, tagNull);
    EXPECT_EQ(head.tag, tagNull);
    EXPECT_EQ(head.next, nullptr);
}

TEST_F(Links, PullDataFromALinkClearsNext) {
    Recorder source;
    TData other;
    setInteger(source.reply, 3);
    source.reply.next = &other;
    TData incoming;
    TData result = pullData(incoming, makeLink<&Recorder::getReply>(&source, 0), nullptr);
    EXPECT_EQ(result.intValue, 3);
    EXPECT_EQ(result.next, nullptr);
}

TEST_F(Links, ArrayMatrixRawAndLinkedIntegerPulls) {
    Recorder source;
    TKN_Event link = makeLink<&Recorder::getReply>(&source, 0);
    TKN_Event none;
    int fakeArray = 0;
    setArray(source.reply, reinterpret_cast<TArrayIntf*>(&fakeArray));
    EXPECT_EQ(pullArray(link), reinterpret_cast<TArrayIntf*>(&fakeArray));
    EXPECT_EQ(pullMatrix(link), nullptr);
    EXPECT_EQ(pullArray(none), nullptr);
    source.reply.tag = tagMatrix;
    source.reply.matrixValue = reinterpret_cast<TMatrixIntf*>(&fakeArray);
    EXPECT_EQ(pullMatrix(link), reinterpret_cast<TMatrixIntf*>(&fakeArray));
    EXPECT_EQ(pullArray(link), nullptr);

    TData raw;
    setInteger(raw, 1);
    pullRaw(raw, none);
    EXPECT_EQ(raw.tag, tagNoLink);

    struct Keeper {
        void getNothing(TData&, std::uint16_t) {}
    } keeper;
    setInteger(raw, 11);
    pullRaw(raw, makeLink<&Keeper::getNothing>(&keeper, 0));
    EXPECT_EQ(raw.intValue, 11); // read without clearing first

    setReal(source.reply, 6.5);
    EXPECT_EQ(pullLinkedInteger(link), 6);
    EXPECT_EQ(pullLinkedInteger(none), 0);
}

TEST(Dispatchers, AreInertBeforeInstallAndAfterStop) {
    Recorder r;
    setInteger(r.reply, 42);
    TKN_Event event = makeLink<&Recorder::inRecord>(&r, 0);
    TKN_Event read = makeLink<&Recorder::getReply>(&r, 0);
    TData incoming;

    raiseEvent(event);
    EXPECT_TRUE(r.seen.empty());
    EXPECT_FALSE(dispatchersLive());

    installDispatchers();
    raiseEvent(event);
    EXPECT_EQ(r.seen.size(), 1u);
    EXPECT_EQ(pullInteger(incoming, read, 7), 42);

    stopDispatch();
    raiseEvent(event);
    EXPECT_EQ(r.seen.size(), 1u);
    // The temporary stays null, so the result is 0, not the default.
    EXPECT_EQ(pullInteger(incoming, read, 7), 0);
}

TEST(InitProcs, RunOnceInRegistrationOrder) {
    struct Starter {
        std::vector<int>* order;
        int id;
        void start() { order->push_back(id); }
    };
    std::vector<int> order;
    Starter a{&order, 1}, b{&order, 2};
    registerInitProc(bindMethod<&Starter::start>(&a));
    registerInitProc(bindMethod<&Starter::start>(&b));
    runInitProcs();
    runInitProcs();
    EXPECT_EQ(order, (std::vector<int>{1, 2}));
}
