// TKNLabel: static text that can size itself to its text, report clicks and
// change its look while the mouse is over it.
#pragma once

#include "visual/win_element.h"

#include <cstdint>
#include <string>

class TKNLabel : public TKNWin {
public:
    explicit TKNLabel(TControl* parent);

    void init() override;
    // A label that sizes itself fits its text again in the new font.
    void rescale() override;
    // Passed straight to the control; the element keeps neither.
    void setAutoSize(bool value);
    void setTextAlign(std::uint8_t value);

    TKN_Event outClick;
    std::int32_t HoverColor = 0; // 0: no change
    bool HoverUnderline = false;
    std::string Caption;

protected:
    void mouseEnter(TControl* sender) override;
    void mouseLeave(TControl* sender) override;

private:
    void clicked(TControl* sender);
};

// Sizes the control's window to its caption in its font.
void fitToText(TControl& control);
