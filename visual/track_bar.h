// TKNTrackBar: a slider whose position is an event source and a value
// source. The slider reports to its parent window, so the element watches
// the parent's scroll messages.
#pragma once

#include "visual/win_element.h"

#include <cstdint>

class TKNTrackBar : public TKNWin {
public:
    explicit TKNTrackBar(TControl* parent) : TKNWin(parent) {}

    void init() override;
    // The thumb scales with the slider.
    void rescale() override;

    void inPosition(TData& data, std::uint16_t index);
    void getPosition(TData& data, std::uint16_t index);

    // A scroll notification from the slider with its code.
    void scrolled(std::uint16_t code);

    std::uint8_t Orientation = 0; // 0 horizontal, 1 vertical
    std::uint8_t TickMarks = 0;   // 0 below or right, 1 above or left, 2 both
    bool ShowToolTip = false;
    bool tracking = false; // a change sequence is under way
    std::int32_t TickFrequency = 1;
    std::int32_t Max = 100;
    std::int32_t Min = 0;
    std::int32_t Position = 0;
    std::int32_t ThumbLength = 16;
    TKN_Event outPosition;
    TKN_Event outTrackStart;
    TKN_Event outTrackEnd;

protected:
    bool message(TMessage& msg, LRESULT& result) override;

private:
    std::int32_t currentPosition();
};
