// TKNArrayEnum: raises one event per item of the array behind srcArray.
#pragma once

#include "elements/element.h"
#include "runtime/links.h"

#include <cstdint>

class TKNArrayEnum : public TKNElement {
public:
    // Raises outItem with each item in turn, then forwards the number of
    // items to outEnd.
    void inEnum(TData& data, std::uint16_t index);
    // The index of the item being raised.
    void getIndex(TData& data, std::uint16_t index);

    bool Reverse = false;   // last item first
    bool SkipEmpty = false; // items that read as empty raise nothing

    TKN_Event srcArray;
    TKN_Event outItem;
    TKN_Event outEnd;

private:
    std::int32_t index_ = -1;
};
