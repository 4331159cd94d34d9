#include "visual/track_bar.h"

#include "runtime/platform_hooks.h"
#include "toolkit/control_factory.h"
#include "toolkit/dispatch.h"

#include <commctrl.h>

#include <algorithm>
#include <vector>

namespace {

constexpr TActionRecord noActions{};

// The few sliders of a program, so a parent's handler finds the element of
// the slider that reported.
std::vector<TKNTrackBar*>& liveTrackBars() {
    static std::vector<TKNTrackBar*> list;
    return list;
}

void registerBarClasses() {
    InitCommonControls();
    HMODULE library = GetModuleHandleA("comctl32.dll");
    if (!library)
        library = LoadLibraryA("comctl32.dll");
    if (!library)
        return;
    using InitEx = BOOL(WINAPI*)(const INITCOMMONCONTROLSEX*);
    auto initEx = reinterpret_cast<InitEx>(
        reinterpret_cast<void*>(GetProcAddress(library, "InitCommonControlsEx")));
    if (initEx) {
        const INITCOMMONCONTROLSEX classes{sizeof(INITCOMMONCONTROLSEX), ICC_BAR_CLASSES};
        initEx(&classes);
    }
}

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

bool parentScrollHandler(TControl&, TMessage& msg, LRESULT&) {
    if ((msg.message != WM_HSCROLL && msg.message != WM_VSCROLL) || !msg.lParam)
        return false;
    TKNTrackBar* bar = TKNTrackBar::ofControl(controlOfWindow(reinterpret_cast<HWND>(msg.lParam)));
    if (bar)
        bar->scrolled(LOWORD(msg.wParam));
    return false;
}

} // namespace

TKNTrackBar::~TKNTrackBar() {
    std::vector<TKNTrackBar*>& list = liveTrackBars();
    list.erase(std::remove(list.begin(), list.end(), this), list.end());
}

TKNTrackBar* TKNTrackBar::ofControl(const TControl* control) {
    if (!control)
        return nullptr;
    for (TKNTrackBar* bar : liveTrackBars())
        if (bar->control == control)
            return bar;
    return nullptr;
}

void TKNTrackBar::init() {
    registerBarClasses();
    std::uint32_t style =
        WS_CHILD | WS_VISIBLE | TBS_AUTOTICKS | TBS_ENABLESELRANGE | TBS_FIXEDLENGTH;
    if (Orientation == 1)
        style |= TBS_VERT;
    if (ShowToolTip)
        style |= TBS_TOOLTIPS;
    style |= tickStyle(TickMarks);
    control = newCommonControl(parentControl, "msctls_trackbar32", style, noActions, false);
    if (parentControl)
        parentControl->attachHandler(parentScrollHandler, false);
    TKNWin::init();
    control->send(TBM_SETRANGEMAX, TRUE, Max);
    control->send(TBM_SETRANGEMIN, TRUE, Min);
    control->send(TBM_SETPOS, TRUE, Position);
    control->send(TBM_SETTHUMBLENGTH, static_cast<WPARAM>(scaledToScreen(ThumbLength)), 0);
    control->send(TBM_SETTICFREQ, static_cast<WPARAM>(TickFrequency), 0);
    liveTrackBars().push_back(this);
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
