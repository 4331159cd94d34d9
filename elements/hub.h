// TKNHub: fans one event out to several outputs, in index order.
#pragma once

#include "elements/element.h"
#include "runtime/links.h"

#include <cstdint>
#include <vector>

class TKNHub : public TKNElement {
public:
    // Keeps the low 8 bits as the count and sizes outEvent to n entries;
    // existing links stay, new ones are unconnected.
    void setOutCount(std::uint16_t n);
    std::uint8_t OutCount() const { return outCount_; }

    // Every output gets its own copy of the value; the index is ignored.
    void inEvent(TData& data, std::uint16_t index);

    std::uint8_t InCount = 0;
    std::vector<TKN_Event> outEvent;

private:
    std::uint8_t outCount_ = 0;
};
