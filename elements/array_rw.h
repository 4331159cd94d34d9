// TKNArrayRW: the array reader and writer. The program only creates one,
// links its array source and destroys it: its points do nothing.
#pragma once

#include "elements/element.h"
#include "runtime/links.h"

#include <cstdint>

class TKNArrayRW : public TKNElement {
public:
    void inRead(TData&, std::uint16_t) {}
    void inWrite(TData&, std::uint16_t) {}
    void inAdd(TData&, std::uint16_t) {}
    void getCount(TData&, std::uint16_t) {}

    TKN_Event srcArray;
    TKN_Event srcIndex;
    TKN_Event srcValue;
    TKN_Event outRead;
};
