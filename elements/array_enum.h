// TKNArrayEnum: the array enumerator. The program only creates one, sets its
// flags, links its item event and destroys it: its points do nothing.
#pragma once

#include "elements/element.h"
#include "runtime/links.h"

#include <cstdint>

class TKNArrayEnum : public TKNElement {
public:
    void inEnum(TData&, std::uint16_t) {}
    void getIndex(TData&, std::uint16_t) {}

    bool Reverse = false;
    bool SkipEmpty = false;

    TKN_Event srcArray;
    TKN_Event outItem;
    TKN_Event outEnd;
};
