// TKNIf_else: compares two values and continues on one of two outputs with
// the value it received.
#pragma once

#include "elements/element.h"
#include "runtime/links.h"

#include <cstdint>

// Comparison kinds of TKNIf_else::Type.
enum : std::uint8_t {
    compareEqual = 0,
    compareLess = 1,
    compareGreater = 2,
    compareLessOrEqual = 3,
    compareGreaterOrEqual = 4,
    compareNotEqual = 5,
};

// Whether a relates to b as the kind says. b is converted to a's kind; a
// null a matches only a null b; a kind above 5 never holds.
bool compareData(const TData& a, const TData& b, std::uint8_t kind);

class TKNIf_else : public TKNElement {
public:
    void inCompare(TData& data, std::uint16_t index);

    std::uint8_t Type = 0;
    TData Op1;
    TData Op2;
    TKN_Event srcOp2;
    TKN_Event srcOp1;
    TKN_Event outTrue;
    TKN_Event outFalse;
};
