// TKNMessage: the message-box element. The box itself is shown by the
// platform through a sink installed at start-up; tests install their own to
// capture what would be shown.
#pragma once

#include "elements/element.h"
#include "runtime/links.h"

#include <cstdint>
#include <string>

struct TMessageBoxRequest {
    std::string text;
    std::string caption;
    std::uint8_t icon = 0;          // 0 none, 1 error, 2 question, 3 warning, 4 information
    std::uint8_t buttons = 0;       // 0 OK, 1 OK and Cancel, 2 Yes and No, 3 Yes, No and Cancel
    std::uint8_t defaultButton = 0; // 0 the first button, 1 the second, 2 the third
};

// Answers the number of the button pressed, counted from 0 in the order the
// button set lists them; -1 when the box could not be shown.
using MessageBoxSink = std::int32_t (*)(const TMessageBoxRequest& request);

void setMessageBoxSink(MessageBoxSink sink); // nullptr: no box, the answer is -1

class TKNMessage : public TKNElement {
public:
    // Shows Text (or, when Text is empty, the event's value as text) under
    // Caption, then forwards the pressed button's number to outResult.
    void inMessage(TData& data, std::uint16_t index);

    std::string Text;
    std::string Caption;
    std::uint8_t Icon = 0;
    std::uint8_t Buttons = 0;
    std::uint8_t DefaultButton = 0;

    TKN_Event outResult;
};
