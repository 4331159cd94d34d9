#include "elements/for_loop.h"

#include "recorder.h"

#include <vector>

namespace {

class ForLoop : public LiveLinks {
protected:
    TKNFor loop;
    Sink steps;
    Sink stop;
    Sink broken;

    void SetUp() override {
        LiveLinks::SetUp();
        loop.Step = 1;
        loop.IncludeEnd = true;
        loop.outEvent = makeLink<&Sink::inRecord>(&steps);
        loop.outStop = makeLink<&Sink::inRecord>(&stop);
        loop.outBreak = makeLink<&Sink::inRecord>(&broken);
    }

    // Runs the loop the way a linked event does and answers the counted values.
    std::vector<std::int32_t> run(std::int32_t start, std::int32_t end, std::int32_t step) {
        loop.Start = start;
        loop.End = end;
        loop.Step = step;
        raiseEvent(makeLink<&TKNFor::inFor>(&loop));
        std::vector<std::int32_t> values;
        for (const TData& d : steps.received) {
            EXPECT_EQ(d.tag, tagInteger);
            values.push_back(d.intValue);
        }
        steps.received.clear();
        return values;
    }

    std::int32_t stopValue() {
        EXPECT_EQ(stop.received.size(), 1u);
        if (stop.received.size() != 1)
            return -999;
        TData d = stop.received.back();
        stop.received.clear();
        EXPECT_EQ(d.tag, tagInteger);
        return d.intValue;
    }
};

using Values = std::vector<std::int32_t>;

} // namespace

TEST_F(ForLoop, CountsUpAndDownWithTheEndIncludedOrNot) {
    EXPECT_EQ(run(2, 12, 1), (Values{2, 3, 4, 5, 6, 7, 8, 9, 10, 11, 12}));
    EXPECT_EQ(stopValue(), 13);
    EXPECT_EQ(loop.position, 13);

    loop.IncludeEnd = false;
    EXPECT_EQ(run(2, 12, 1), (Values{2, 3, 4, 5, 6, 7, 8, 9, 10, 11}));
    EXPECT_EQ(stopValue(), 12);

    loop.IncludeEnd = true;
    EXPECT_EQ(run(5, 1, -2), (Values{5, 3, 1}));
    EXPECT_EQ(stopValue(), -1);

    loop.IncludeEnd = false;
    EXPECT_EQ(run(5, 1, -2), (Values{5, 3}));
    EXPECT_EQ(stopValue(), 1);

    loop.IncludeEnd = true;
    EXPECT_EQ(run(0, 10, 4), (Values{0, 4, 8}));
    EXPECT_EQ(stopValue(), 12);
}

TEST_F(ForLoop, EmptyAndSingleRanges) {
    EXPECT_EQ(run(3, 3, 1), (Values{3}));
    EXPECT_EQ(stopValue(), 4);

    EXPECT_EQ(run(4, 9, 0), Values{}); // no endless loop
    EXPECT_EQ(stopValue(), 4);

    EXPECT_EQ(run(7, 2, 1), Values{});
    EXPECT_EQ(stopValue(), 7);

    EXPECT_EQ(run(2, 7, -1), Values{});
    EXPECT_EQ(stopValue(), 2);

    loop.IncludeEnd = false;
    EXPECT_EQ(run(3, 3, 1), Values{});
    EXPECT_EQ(stopValue(), 3);
}

TEST_F(ForLoop, EndsAtTheLimitsOfTheCounterInsteadOfWrapping) {
    constexpr std::int32_t top = 2147483647;
    constexpr std::int32_t bottom = -2147483647 - 1;
    EXPECT_EQ(run(top - 2, top, 1), (Values{top - 2, top - 1, top}));
    stopValue();
    EXPECT_EQ(run(bottom + 3, bottom, -2), (Values{bottom + 3, bottom + 1}));
    stopValue();
    loop.IncludeEnd = false;
    EXPECT_EQ(run(bottom, bottom, 1), Values{});
    stopValue();
}

TEST_F(ForLoop, PullsStartThenEndAndEmptiesTheEventUnlessInData) {
    Source start{integerData(20)};
    Source end{stringData("22")};
    loop.srcStart = makeLink<&Source::getValue>(&start);
    loop.srcEnd = makeLink<&Source::getValue>(&end);
    loop.Start = 10;
    loop.End = 83;
    raiseEvent(makeLink<&TKNFor::inFor>(&loop));
    ASSERT_EQ(steps.received.size(), 3u);
    EXPECT_EQ(steps.received[0].intValue, 20);
    EXPECT_EQ(stopValue(), 23);

    // A connected source with no value counts as 0, not as the property.
    steps.received.clear();
    start.value = TData();
    raiseEvent(makeLink<&TKNFor::inFor>(&loop));
    EXPECT_EQ(steps.received.size(), 23u);
    EXPECT_EQ(steps.received[0].intValue, 0);
    stopValue();

    // Unlinked, with zero defaults: the event's values are Start and End in
    // that order, but only with InData.
    TKNFor bare;
    Sink bareSteps;
    bare.Step = 1;
    bare.IncludeEnd = true;
    bare.outEvent = makeLink<&Sink::inRecord>(&bareSteps);
    TData second = integerData(6);
    TData first = integerData(4);
    first.next = &second;
    TKN_Event link = makeLink<&TKNFor::inFor>(&bare);
    TData value = first;
    callEvent(link, value);
    ASSERT_EQ(bareSteps.received.size(), 1u); // from 0 to 0
    EXPECT_EQ(bareSteps.received[0].intValue, 0);
    bareSteps.received.clear();

    bare.InData = true;
    value = first;
    callEvent(link, value);
    ASSERT_EQ(bareSteps.received.size(), 3u);
    EXPECT_EQ(bareSteps.received[0].intValue, 4);
    EXPECT_EQ(bareSteps.received[2].intValue, 6);
}

namespace {

// A step handler that reads the loop's position and spoils its own value.
struct PositionReader {
    TKNFor* loop = nullptr;
    TKN_Event srcPosition;
    std::vector<std::int32_t> seen;
    std::int32_t stopAt = -1;
    void inStep(TData& data, std::uint16_t) {
        TData position;
        pullRaw(position, srcPosition);
        seen.push_back(position.intValue);
        EXPECT_EQ(position.intValue, data.intValue);
        setInteger(data, 1000);
        if (seen.back() == stopAt) {
            TData none;
            loop->inStop(none, 0);
        }
    }
};

} // namespace

TEST_F(ForLoop, StepsSeeTheirOwnPositionAndCanStopTheLoop) {
    PositionReader reader;
    reader.loop = &loop;
    reader.srcPosition = makeLink<&TKNFor::getPosition>(&loop);
    loop.outEvent = makeLink<&PositionReader::inStep>(&reader);

    EXPECT_EQ(run(1, 5, 1), Values{});
    EXPECT_EQ(reader.seen, (Values{1, 2, 3, 4, 5}));
    EXPECT_EQ(stopValue(), 6);

    // A stop ends the loop after the step in progress; without BreakEvent the
    // end still goes to outStop, with the position of that step.
    reader.seen.clear();
    reader.stopAt = 3;
    run(1, 5, 1);
    EXPECT_EQ(reader.seen, (Values{1, 2, 3}));
    EXPECT_EQ(stopValue(), 3);
    EXPECT_TRUE(broken.received.empty());

    // With BreakEvent the stopped loop reports an empty value on outBreak.
    reader.seen.clear();
    loop.BreakEvent = true;
    run(1, 5, 1);
    EXPECT_EQ(reader.seen, (Values{1, 2, 3}));
    EXPECT_TRUE(stop.received.empty());
    ASSERT_EQ(broken.received.size(), 1u);
    EXPECT_EQ(broken.received[0].tag, tagNull);

    // The stop is forgotten when the loop starts again.
    reader.seen.clear();
    reader.stopAt = -1;
    run(1, 2, 1);
    EXPECT_EQ(reader.seen, (Values{1, 2}));
    EXPECT_EQ(stopValue(), 3);
}
