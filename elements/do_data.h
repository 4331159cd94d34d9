// TKNDoData: turns an event into an event carrying a value pulled from
// elsewhere.
#pragma once

#include "elements/element.h"
#include "runtime/links.h"

#include <cstdint>

class TKNDoData : public TKNElement {
public:
    // Discards the incoming value and sends srcData's value (or Data) on to
    // outData.
    void inDoData(TData& data, std::uint16_t index);

    TData Data;
    TKN_Event srcData;
    TKN_Event outData;
};
