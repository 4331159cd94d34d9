// TKNArrayRW: reads, writes and appends items of the array behind srcArray.
#pragma once

#include "elements/element.h"
#include "runtime/links.h"

#include <cstdint>

class TKNArrayRW : public TKNElement {
public:
    // Index from srcIndex (unlinked: the event's value); the item read, or an
    // empty value when there is none, goes on to outRead.
    void inRead(TData& data, std::uint16_t index);
    // Index, then value (srcValue, unlinked: the event's next value).
    void inWrite(TData& data, std::uint16_t index);
    // Appends the value (srcValue, unlinked: the event's value).
    void inAdd(TData& data, std::uint16_t index);
    // The number of items; 0 without an array.
    void getCount(TData& data, std::uint16_t index);

    TKN_Event srcArray;
    TKN_Event srcIndex;
    TKN_Event srcValue;
    TKN_Event outRead;
};
