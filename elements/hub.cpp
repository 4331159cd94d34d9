#include "elements/hub.h"

void TKNHub::setOutCount(std::uint16_t n) {
    outCount_ = static_cast<std::uint8_t>(n);
    outEvent.resize(n);
}

void TKNHub::inEvent(TData& data, std::uint16_t) {
    const std::size_t count = outCount_;
    // The size is checked on every pass: an output's handlers may have
    // resized the hub.
    for (std::size_t i = 0; i < count && i < outEvent.size(); ++i)
        raiseData(outEvent[i], data);
}
