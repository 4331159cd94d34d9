// TKNMessage: the message-box element. The program only creates it with
// empty texts and destroys it: its point does nothing.
#pragma once

#include "elements/element.h"
#include "runtime/links.h"

#include <cstdint>
#include <string>

class TKNMessage : public TKNElement {
public:
    void inMessage(TData&, std::uint16_t) {}

    std::string Text;
    std::string Caption;
    std::uint8_t Icon = 0;
    std::uint8_t Buttons = 0;
    std::uint8_t DefaultButton = 0;

    TKN_Event outResult;
};
