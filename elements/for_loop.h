// TKNFor: turns one event into a counted series of events.
#pragma once

#include "elements/element.h"
#include "runtime/links.h"

#include <cstdint>

class TKNFor : public TKNElement {
public:
    // Counts from Start to End with Step, raising outEvent with every value,
    // then forwards the data to outStop (or outBreak after a stop).
    void inFor(TData& data, std::uint16_t index);
    // Ends a running loop after the step in progress.
    void inStop(TData& data, std::uint16_t index);
    void getPosition(TData& data, std::uint16_t index);

    std::int32_t position = 0;
    bool stopped = false;

    std::int32_t Start = 0;
    std::int32_t End = 0;
    std::int32_t Step = 0;
    bool IncludeEnd = false;
    bool InData = false;
    bool BreakEvent = false;

    TKN_Event srcEnd;
    TKN_Event srcStart;
    TKN_Event outEvent;
    TKN_Event outStop;
    TKN_Event outBreak;

private:
    void countSteps(std::int64_t last, std::int32_t step);
};
