#include "elements/for_loop.h"

#include <limits>

void TKNFor::inFor(TData& data, std::uint16_t) {
    if (!InData)
        setNull(data);
    stopped = false;
    position = pullInteger(data, srcStart, Start);
    // Widened, so leaving out an end at the limit of the counter cannot wrap.
    std::int64_t last = pullInteger(data, srcEnd, End);
    const std::int32_t step = Step;
    if (step != 0) {
        if (!IncludeEnd)
            last += step > 0 ? -1 : 1;
        countSteps(last, step);
    }
    if (stopped && BreakEvent) {
        setNull(data);
        setForwardNull(data, &outBreak);
    } else {
        setForwardInteger(data, position, &outStop);
    }
}

void TKNFor::countSteps(std::int64_t last, std::int32_t step) {
    // position is read afresh before every step: a step's handlers may have
    // re-entered the loop.
    while (step > 0 ? position <= last : position >= last) {
        raiseInteger(outEvent, position);
        if (stopped)
            return;
        const std::int64_t next = static_cast<std::int64_t>(position) + step;
        if (next > std::numeric_limits<std::int32_t>::max() ||
            next < std::numeric_limits<std::int32_t>::min())
            return; // an end at the limit of the counter: stop there, not wrap around
        position = static_cast<std::int32_t>(next);
    }
}

void TKNFor::inStop(TData&, std::uint16_t) {
    stopped = true;
}

void TKNFor::getPosition(TData& data, std::uint16_t) {
    setInteger(data, position);
}
