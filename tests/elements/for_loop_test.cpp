#include "elements/for_loop.h"

#include "recorder.h"
#include "runtime/number_text.h"

#include <tuple>

namespace {

constexpr std::int32_t top = 2147483647;
constexpr std::int32_t bottom = -2147483647 - 1;

class ForLoop : public LiveLinks {
protected:
    TKNFor loop;
    // The steps and the end of a loop: ":i2 :i3 ->:i4 ", ":i1 break:n ".
    std::string log;
    Sink steps{&log, ""}, stops{&log, "->"}, breaks{&log, "break"};
    void SetUp() override {
        LiveLinks::SetUp();
        loop.Step = 1;
        loop.IncludeEnd = true;
        loop.outEvent = steps.link();
        loop.outStop = stops.link();
        loop.outBreak = breaks.link();
    }
    std::string run(TData data = TData{}) {
        log.clear();
        callEvent(makeLink<&TKNFor::inFor>(&loop), data);
        return log;
    }
};

} // namespace

TEST_F(ForLoop, CountsToTheEndIncludedOrNotAndStopsAtTheLimitsOfTheCounter) {
    const std::tuple<std::int32_t, std::int32_t, std::int32_t, bool, const char*> cases[] = {
        {2, 5, 1, true, ":i2 :i3 :i4 :i5 ->:i6 "},
        {2, 5, 1, false, ":i2 :i3 :i4 ->:i5 "},
        {5, 1, -2, true, ":i5 :i3 :i1 ->:i-1 "},
        {5, 1, -1, false, ":i5 :i4 :i3 :i2 ->:i1 "},
        {0, 10, 4, true, ":i0 :i4 :i8 ->:i12 "},
        {3, 3, 1, true, ":i3 ->:i4 "},
        {3, 3, 1, false, "->:i3 "},
        {4, 9, 0, true, "->:i4 "}, // no endless loop
        {7, 2, 1, true, "->:i7 "},
        {2, 7, -1, true, "->:i2 "},
        {top - 2, top, 1, true, ":i2147483645 :i2147483646 :i2147483647 ->:i2147483647 "},
        {bottom + 3, bottom, -2, true, ":i-2147483645 :i-2147483647 ->:i-2147483647 "},
        {bottom, bottom, 1, false, "->:i-2147483648 "}};
    for (auto [start, end, step, includeEnd, expected] : cases) {
        loop.Start = start;
        loop.End = end;
        loop.Step = step;
        loop.IncludeEnd = includeEnd;
        EXPECT_EQ(run(), expected) << start << " to " << end << " by " << step;
    }
}

TEST_F(ForLoop, PullsStartThenEndAndTakesTheEventsValuesOnlyWithInData) {
    Source start{integerData(20)}, end{stringData("22")};
    loop.srcStart = start.link();
    loop.srcEnd = end.link();
    loop.Start = 10;
    loop.End = 83;
    EXPECT_EQ(run(), ":i20 :i21 :i22 ->:i23 ");
    start.value = TData(); // a connected source with no value counts as 0
    end.value = integerData(1);
    EXPECT_EQ(run(), ":i0 :i1 ->:i2 ");

    // Unlinked with zero defaults: the event's values are Start and End, in
    // that order, but only with InData.
    loop.srcStart = loop.srcEnd = TKN_Event{};
    loop.Start = loop.End = 0;
    TData second = integerData(6), first = integerData(4);
    first.next = &second;
    EXPECT_EQ(run(first), ":i0 ->:i1 ");
    loop.InData = true;
    EXPECT_EQ(run(first), ":i4 :i5 :i6 ->:i7 ");
}

namespace {

// A step handler that reads the loop's position, spoils its own value and
// may stop the loop.
struct PositionReader {
    TKNFor* loop;
    std::string seen;
    std::int32_t stopAt = -1;
    void inStep(TData& data, std::uint16_t) {
        TData position;
        pullRaw(position, makeLink<&TKNFor::getPosition>(loop));
        seen += intToText(position.intValue) + (position.intValue == data.intValue ? " " : "? ");
        setInteger(data, 1000);
        if (position.intValue == stopAt)
            loop->inStop(data, 0);
    }
};

} // namespace

TEST_F(ForLoop, StepsSeeTheirOwnPositionAndCanStopTheLoop) {
    PositionReader reader{&loop, "", -1};
    loop.outEvent = makeLink<&PositionReader::inStep>(&reader);
    loop.Start = 1;
    loop.End = 5;
    EXPECT_EQ(run(), "->:i6 ");
    reader.stopAt = 3; // without BreakEvent the end goes to outStop with that step's position
    EXPECT_EQ(run(), "->:i3 ");
    loop.BreakEvent = true;
    EXPECT_EQ(run(), "break:n ");
    reader.stopAt = -1; // the stop is forgotten when the loop starts again
    EXPECT_EQ(run(), "->:i6 ");
    EXPECT_EQ(reader.seen, "1 2 3 4 5 1 2 3 1 2 3 1 2 3 4 5 ");
}
