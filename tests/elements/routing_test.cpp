#include "elements/do_data.h"
#include "elements/hub.h"
#include "elements/if_else.h"

#include "recorder.h"
#include "runtime/number_text.h"

#include <algorithm>
#include <sstream>
#include <string>
#include <utility>

namespace {

using Routing = LiveLinks;

// Hands the event on to a sink of its own by a forward, as elements do.
struct Forwarding {
    TKN_Event outNext;
    void inEvent(TData& data, std::uint16_t) { setForwardCopy(data, data, &outNext); }
};

// An output handler that shrinks the hub it is called from.
struct Shrinker {
    TKNHub* hub;
    void inEvent(TData&, std::uint16_t) { hub->setOutCount(1); }
};

} // namespace

TEST_F(Routing, HubSendsEachOfItsFirstOutCountOutputsItsOwnCopyInOrder) {
    std::string log;
    TKNHub hub;
    TKN_Event in = makeLink<&TKNHub::inEvent>(&hub, 1);
    Sink first{&log, "first"}, third{&log, "third"}, forwarded{&log, "forwarded"};
    Forwarding middle{forwarded.link()};
    hub.setOutCount(2);
    hub.outEvent[1] = makeLink<&Forwarding::inEvent>(&middle);
    hub.setOutCount(3); // links stay, new outputs are unconnected
    EXPECT_FALSE(hub.outEvent[2].connected());
    hub.outEvent[0] = makeLink<&Sink::inRecordAndChange>(&first);
    hub.outEvent[2] = makeLink<&Sink::inRecordAndChange>(&third);
    TData value = integerData(5);
    callEvent(in, value);
    EXPECT_EQ(value.intValue, 5); // the caller's value is untouched
    hub.setOutCount(0);
    raiseInteger(in, 2);
    hub.setOutCount(257); // 257 outputs exist, one is raised
    EXPECT_EQ(hub.outEvent.size(), 257u);
    hub.outEvent[0] = first.link();
    hub.outEvent[1] = third.link();
    raiseInteger(in, 3);
    Shrinker shrinker{&hub}; // an output that shrinks the hub ends the round safely
    hub.setOutCount(3);
    hub.outEvent[0] = makeLink<&Shrinker::inEvent>(&shrinker);
    hub.outEvent[2] = third.link();
    raiseInteger(in, 4);
    EXPECT_EQ(log, "first:i5 forwarded:i5 third:i5 first:i3 ");
}

TEST_F(Routing, DoDataSendsThePulledValueNotTheIncomingOne) {
    std::string log;
    TKNDoData doData;
    Sink out{&log, ""};
    Source source{realData(6.0)};
    doData.outData = out.link();
    TKN_Event link = makeLink<&TKNDoData::inDoData>(&doData);
    raiseInteger(link, 42);
    doData.Data = stringData("fallback");
    raiseInteger(link, 42);
    doData.srcData = source.link();
    raiseInteger(link, 42);
    EXPECT_EQ(log, ":n :sfallback :r6 ");
}

namespace {

// The inverse of describe: "i3", "r0.5", "s10" (a '~' stands for a zero
// byte), "n" (null), "a" (an array) or "l" (no link).
TData operand(std::string code) {
    std::replace(code.begin(), code.end(), '~', '\0');
    const std::string rest = code.substr(1);
    TData d;
    d.tag = code[0] == 'a' ? tagArray : code[0] == 'l' ? tagNoLink : tagNull;
    if (code[0] == 'i')
        setInteger(d, textToInt(rest));
    else if (code[0] == 'r')
        setReal(d, textToReal(rest));
    else if (code[0] == 's')
        setString(d, rest);
    return d;
}

} // namespace

TEST(IfElse, ComparesAsTheFirstOperandsKind) {
    // Whether each kind holds: = < > <= >= <> and an unknown kind 6.
    // The second operand is converted to the first one's kind; a null first
    // operand matches only a null second one.
    auto check = [](std::initializer_list<const char*> cases) {
        for (const char* c : cases) {
            std::string a, b, expected, holds;
            std::istringstream(c) >> a >> b >> expected;
            for (std::uint8_t kind = 0; kind <= 6; ++kind)
                holds += compareData(operand(a), operand(b), kind) ? '1' : '0';
            EXPECT_EQ(holds, expected) << a << " against " << b;
        }
    };
    check({"n n 1111111", "n i0 0000000", "n s 0000000", "i0 n 1001100", "r0.5 n 0010110",
           "i3 i2 0010110", "i3 i3 1001100", "i3 i4 0101010", "i-5 i2 0101010", "i3 s3 1001100",
           "i3 r2.6 1001100", "r0.001 r0.001 1001100", "r0.002 r0.001 0010110",
           "r0.0005 r0.001 0101010", "r2 i2 1001100", "r2.5 s2.25 0010110", "a a 0000000",
           "l l 0000000"});
    check({"s10 s9 0101010", "sabc sABC 0001110", "sabc sABD 0101010", "sAbd sabc 0010110",
           "sab sabc 0101010", "s sa 0101010", "s s 1001100", "sя sz 0010110", "sa s_ 0101010",
           "sя sЯ 0010110", "sab~x sab 0001110", "s12 i12 1001100", "s0.5 r0.5 1001100"});
}

TEST_F(Routing, IfElseForwardsTheValueItReceivedAndTakesUnlinkedOperandsFromIt) {
    std::string log;
    TKNIf_else branch;
    Sink yes{&log, "yes"}, no{&log, "no"};
    Source op1{realData(0.002)}, empty1, empty2;
    branch.outTrue = yes.link();
    branch.outFalse = no.link();
    branch.Type = compareGreater;
    branch.Op2 = realData(0.001);
    branch.srcOp1 = op1.link();
    TKN_Event link = makeLink<&TKNIf_else::inCompare>(&branch);
    raiseString(link, "payload");
    op1.value = realData(0.0005);
    raiseInteger(link, 7);

    // Operand 1 is the first value of the chain, operand 2 the second.
    branch.srcOp1 = TKN_Event{};
    branch.Op2 = TData{};
    for (auto [first, second] : {std::pair{9, 4}, std::pair{4, 9}}) {
        TData next = integerData(second), value = integerData(first);
        value.next = &next;
        callEvent(link, value);
    }
    // Both operands from empty edits: null against null holds.
    branch.srcOp1 = empty1.link();
    branch.srcOp2 = empty2.link();
    raiseEvent(link);
    EXPECT_EQ(log, "yes:spayload no:i7 yes:i9 no:i4 yes:n ");
    EXPECT_EQ(empty1.reads + empty2.reads, 2);
}
