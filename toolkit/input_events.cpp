#include "toolkit/input_events.h"

#include "toolkit/control_factory.h"
#include "toolkit/wide_text.h"

namespace {

constexpr std::uint32_t shiftShift = 4;
constexpr std::uint32_t shiftCtrl = 8;
constexpr DWORD cancelLeaveTracking = TME_CANCEL | TME_LEAVE;

void trackMouseLeave(HWND window, DWORD flags);
bool cursorInside(TControl& control);

} // namespace

bool keyEventHook(TControl& control, TMessage& msg, LRESULT&) {
    switch (msg.message) {
    case WM_KEYDOWN:
    case WM_SYSKEYDOWN:
    case WM_KEYUP:
    case WM_SYSKEYUP: {
        const bool down = msg.message == WM_KEYDOWN || msg.message == WM_SYSKEYDOWN;
        auto key = static_cast<std::int32_t>(msg.wParam);
        control.raise(down ? TKeyAction::down : TKeyAction::up, key, keyShiftState());
        msg.wParam = static_cast<WPARAM>(key);
        return key == 0;
    }
    case WM_CHAR:
    case WM_SYSCHAR: {
        // Handlers see the character in the program's code page.
        char character = fromWideChar(static_cast<wchar_t>(msg.wParam));
        const char before = character;
        control.raiseChar(character, keyShiftState());
        if (character != before)
            msg.wParam = character ? static_cast<WPARAM>(toWideChar(character)) : 0;
        return msg.wParam == 0;
    }
    default:
        return false;
    }
}

bool mouseEventHandler(TControl& control, TMessage& msg, LRESULT& result) {
    if (msg.message < WM_MOUSEFIRST || msg.message > WM_MOUSEWHEEL || msg.window != control.handle)
        return false;
    TMouseRecord record;
    record.shift = static_cast<std::uint32_t>(msg.wParam);
    if (GetKeyState(VK_MENU) < 0)
        record.shift |= shiftAlt;
    record.x = static_cast<std::int16_t>(LOWORD(msg.lParam));
    record.y = static_cast<std::int16_t>(HIWORD(msg.lParam));
    result = 0;
    TMouseAction action;
    switch (msg.message) {
    case WM_MOUSEMOVE:
        action = TMouseAction::move;
        break;
    case WM_LBUTTONDOWN:
    case WM_RBUTTONDOWN:
    case WM_MBUTTONDOWN:
        action = TMouseAction::down;
        break;
    case WM_LBUTTONUP:
    case WM_RBUTTONUP:
    case WM_MBUTTONUP:
        action = TMouseAction::up;
        break;
    case WM_LBUTTONDBLCLK:
    case WM_RBUTTONDBLCLK:
    case WM_MBUTTONDBLCLK:
        action = TMouseAction::doubleClick;
        break;
    case WM_MOUSEWHEEL:
        action = TMouseAction::wheel;
        break;
    default:
        return false;
    }
    switch (msg.message) {
    case WM_LBUTTONDOWN:
    case WM_LBUTTONUP:
    case WM_LBUTTONDBLCLK:
        record.button = mbLeft;
        break;
    case WM_RBUTTONDOWN:
    case WM_RBUTTONUP:
    case WM_RBUTTONDBLCLK:
        record.button = mbRight;
        break;
    case WM_MBUTTONDOWN:
    case WM_MBUTTONUP:
    case WM_MBUTTONDBLCLK:
        record.button = mbMiddle;
        break;
    default:
        break;
    }
    control.raise(action, record);
    return record.stop != 0;
}

namespace {

void trackMouseLeave(HWND window, DWORD flags) {
    HMODULE library = GetModuleHandleA("comctl32.dll");
    if (!library)
        return;
    using Track = BOOL(WINAPI*)(TRACKMOUSEEVENT*);
    auto track = reinterpret_cast<Track>(
        reinterpret_cast<void*>(GetProcAddress(library, "_TrackMouseEvent")));
    if (!track)
        return;
    TRACKMOUSEEVENT request{sizeof(TRACKMOUSEEVENT), flags, window, 0};
    track(&request);
}

bool cursorInside(TControl& control) {
    POINT point{};
    GetCursorPos(&point);
    ScreenToClient(control.handle, &point);
    RECT client{};
    GetClientRect(control.handle, &client);
    return PtInRect(&client, point) != FALSE;
}

} // namespace

bool enterLeaveHandler(TControl& control, TMessage& msg, LRESULT&) {
    if (msg.message >= WM_MOUSEFIRST && msg.message <= WM_MOUSEWHEEL) {
        const bool inside = cursorInside(control);
        if (inside == control.mouseInside_)
            return false;
        control.invalidate();
        control.mouseInside_ = inside;
        if (inside) {
            control.notify(TNotice::mouseEnter);
            trackMouseLeave(control.handle, TME_LEAVE);
        } else {
            trackMouseLeave(control.handle, cancelLeaveTracking);
            control.notify(TNotice::mouseLeave);
        }
    } else if (msg.message == WM_MOUSELEAVE && control.mouseInside_) {
        control.mouseInside_ = false;
        control.notify(TNotice::mouseLeave);
        control.invalidate();
    }
    return false;
}

std::uint32_t keyShiftState() {
    std::uint32_t state = 0;
    if (GetKeyState(VK_SHIFT) < 0)
        state |= shiftShift;
    if (GetKeyState(VK_CONTROL) < 0)
        state |= shiftCtrl;
    if (GetKeyState(VK_MENU) < 0)
        state |= shiftAlt;
    return state;
}
