#include "visual/label.h"

#include "toolkit/control_factory.h"
#include "toolkit/wide_text.h"

namespace {

constexpr std::uint8_t underlineBit = 4;

void fitOnChange(void*, TControl* control) {
    fitToText(*control);
}

// Text is measured in a memory DC kept for the purpose: a window's DC costs
// a round trip to the system each time, and measures the same.
HDC measuringDC() {
    static const HDC dc = CreateCompatibleDC(nullptr);
    return dc;
}

} // namespace

void fitToText(TControl& control) {
    if (!control.liveWindow())
        return;
    const std::wstring text = toWideText(control.getCaption());
    HDC dc = measuringDC();
    const auto font = reinterpret_cast<HGDIOBJ>(control.send(WM_GETFONT, 0, 0));
    HGDIOBJ oldFont = font ? SelectObject(dc, font) : nullptr;
    SIZE extent{};
    GetTextExtentPoint32W(dc, text.c_str(), static_cast<int>(text.size()), &extent);
    if (text.empty()) {
        TEXTMETRICW metrics{};
        GetTextMetricsW(dc, &metrics);
        extent.cy = metrics.tmHeight;
    }
    if (oldFont)
        SelectObject(dc, oldFont);
    RECT frame{0, 0, extent.cx, extent.cy};
    AdjustWindowRectEx(&frame, static_cast<DWORD>(GetWindowLongPtrW(control.handle, GWL_STYLE)),
                       FALSE, static_cast<DWORD>(GetWindowLongPtrW(control.handle, GWL_EXSTYLE)));
    control.setSize(frame.right - frame.left, frame.bottom - frame.top);
}

TKNLabel::TKNLabel(TControl* parent) : TKNWin(parent) {
    control = newLabel(parent, "");
    control->setOn(TNotice::click, bindMethod<&TKNLabel::clicked, TControl*>(this));
}

void TKNLabel::setAutoSize(bool value) {
    control->setOn(TNotice::fontChange,
                   value ? TNotifyEvent{fitOnChange, nullptr} : TNotifyEvent{});
    if (value)
        fitToText(*control);
}

void TKNLabel::setTextAlign(std::uint8_t value) {
    control->setTextAlign(static_cast<TTextAlign>(value));
}

void TKNLabel::init() {
    TKNWin::init();
    control->setCaption(Caption);
    if (control->handler(TNotice::fontChange))
        fitToText(*control);
    if (HoverColor != 0 || HoverUnderline)
        installEnterLeave();
}

void TKNLabel::rescale() {
    TKNWin::rescale();
    if (control->handler(TNotice::fontChange))
        fitToText(*control);
}

void TKNLabel::clicked(TControl*) {
    raiseEvent(outClick);
}

void TKNLabel::mouseEnter(TControl* sender) {
    TKNWin::mouseEnter(sender);
    if (HoverColor != 0)
        control->fontTool().setColor(HoverColor);
    if (HoverUnderline)
        control->fontTool().setFontStyle(control->fontTool().fontStyle() | underlineBit);
}

void TKNLabel::mouseLeave(TControl* sender) {
    TKNWin::mouseLeave(sender);
    control->fontTool().setColor(Font.color);
    if (HoverUnderline)
        control->fontTool().setFontStyle(control->fontTool().fontStyle() & ~underlineBit);
}
