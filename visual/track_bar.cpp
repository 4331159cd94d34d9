#include "visual/track_bar.h"

#include "runtime/platform_hooks.h"
#include "toolkit/control_factory.h"

#include <commctrl.h>

namespace {

constexpr TActionRecord noActions{};

std::uint32_t tickStyle(std::uint8_t tickMarks) {
    switch (tickMarks) {
    case 1:
        return TBS_TOP;
    case 2:
        return TBS_BOTH;
    default:
        return TBS_BOTTOM;
    }
}

} // namespace

void TKNTrackBar::init() {
    std::uint32_t style =
        WS_CHILD | WS_VISIBLE | TBS_AUTOTICKS | TBS_ENABLESELRANGE | TBS_FIXEDLENGTH;
    if (Orientation == 1)
        style |= TBS_VERT;
    if (ShowToolTip)
        style |= TBS_TOOLTIPS;
    style |= tickStyle(TickMarks);
    control = newCommonControl(parentControl, "msctls_trackbar32", style, noActions, false);
    TKNWin::init();
    control->send(TBM_SETRANGEMAX, TRUE, Max);
    control->send(TBM_SETRANGEMIN, TRUE, Min);
    control->send(TBM_SETPOS, TRUE, Position);
    control->send(TBM_SETTHUMBLENGTH, static_cast<WPARAM>(scaledToScreen(ThumbLength)), 0);
    control->send(TBM_SETTICFREQ, static_cast<WPARAM>(TickFrequency), 0);
}

// The parent reflects the slider's scroll notifications to it.
bool TKNTrackBar::message(TMessage& msg, LRESULT& result) {
    if (msg.message == wmReflectedHScroll || msg.message == wmReflectedVScroll) {
        scrolled(LOWORD(msg.wParam));
        result = 0;
        return true;
    }
    return TKNWin::message(msg, result);
}

void TKNTrackBar::rescale() {
    TKNWin::rescale();
    control->send(TBM_SETTHUMBLENGTH, static_cast<WPARAM>(scaledToScreen(ThumbLength)), 0);
}

std::int32_t TKNTrackBar::currentPosition() {
    return static_cast<std::int32_t>(control->send(TBM_GETPOS, 0, 0));
}

void TKNTrackBar::scrolled(std::uint16_t code) {
    const std::int32_t position = currentPosition();
    if (code == TB_ENDTRACK) {
        raiseInteger(outTrackEnd, position);
        tracking = false;
        return;
    }
    if (!tracking)
        raiseInteger(outTrackStart, position);
    raiseInteger(outPosition, position);
    tracking = true;
}

void TKNTrackBar::inPosition(TData& data, std::uint16_t) {
    control->send(TBM_SETPOS, TRUE, asInteger(data));
    setForwardInteger(data, currentPosition(), &outPosition);
}

void TKNTrackBar::getPosition(TData& data, std::uint16_t) {
    setInteger(data, currentPosition());
}
