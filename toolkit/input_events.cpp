#include "toolkit/input_events.h"

#include "toolkit/control_factory.h"
#include "toolkit/wide_text.h"

namespace {

constexpr std::uint32_t shiftShift = 4;
constexpr std::uint32_t shiftCtrl = 8;
constexpr DWORD cancelLeaveTracking = TME_CANCEL | TME_LEAVE;

bool keyEventHook(TControl& control, TMessage& msg, LRESULT&) {
    switch (msg.message) {
    case WM_KEYDOWN:
    case WM_SYSKEYDOWN:
    case WM_KEYUP:
    case WM_SYSKEYUP: {
        const bool down = msg.message == WM_KEYDOWN || msg.message == WM_SYSKEYDOWN;
        auto key = static_cast<std::int32_t>(msg.wParam);
        (down ? control.onKeyDown : control.onKeyUp)(&control, key, keyShiftState());
        msg.wParam = static_cast<WPARAM>(key);
        return key == 0;
    }
    case WM_CHAR:
    case WM_SYSCHAR: {
        // Handlers see the character in the program's code page.
        char character = fromWideChar(static_cast<wchar_t>(msg.wParam));
        const char before = character;
        control.onChar(&control, character, keyShiftState());
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
    const TMouseEvent* event = nullptr;
    switch (msg.message) {
    case WM_MOUSEMOVE:
        event = &control.onMouseMove;
        break;
    case WM_LBUTTONDOWN:
    case WM_RBUTTONDOWN:
    case WM_MBUTTONDOWN:
        event = &control.onMouseDown;
        break;
    case WM_LBUTTONUP:
    case WM_RBUTTONUP:
    case WM_MBUTTONUP:
        event = &control.onMouseUp;
        break;
    case WM_LBUTTONDBLCLK:
    case WM_RBUTTONDBLCLK:
    case WM_MBUTTONDBLCLK:
        event = &control.onMouseDblClk;
        break;
    case WM_MOUSEWHEEL:
        event = &control.onMouseWheel;
        break;
    default:
        return false;
    }
    switch (msg.message) {
    case WM_LBUTTONDOWN:
    case WM_LBUTTONUP:
    case WM_LBUTTONDBLCLK:
        record.button = 1;
        break;
    case WM_RBUTTONDOWN:
    case WM_RBUTTONUP:
    case WM_RBUTTONDBLCLK:
        record.button = 2;
        break;
    case WM_MBUTTONDOWN:
    case WM_MBUTTONUP:
    case WM_MBUTTONDBLCLK:
        record.button = 3;
        break;
    default:
        break;
    }
    (*event)(&control, record);
    return record.stop != 0;
}

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

bool mouseEnterLeaveHandler(TControl& control, TMessage& msg, LRESULT&) {
    if (msg.message >= WM_MOUSEFIRST && msg.message <= WM_MOUSEWHEEL) {
        const bool inside = cursorInside(control);
        if (inside == control.mouseInside)
            return false;
        control.invalidate();
        control.mouseInside = inside;
        if (inside) {
            control.onMouseEnter(&control);
            trackMouseLeave(control.handle, TME_LEAVE);
        } else {
            trackMouseLeave(control.handle, cancelLeaveTracking);
            control.onMouseLeave(&control);
        }
    } else if (msg.message == WM_MOUSELEAVE && control.mouseInside) {
        control.mouseInside = false;
        control.onMouseLeave(&control);
        control.invalidate();
    }
    return false;
}

void attachEnterLeave(TControl& control) {
    static bool commonControlsReady = false;
    if (!commonControlsReady) {
        initCommonControls();
        commonControlsReady = true;
    }
    control.attachHandler(mouseEnterLeaveHandler, false);
    control.invalidate();
}

} // namespace

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

void setOnKeyDown(TControl& control, TKeyEvent handler) {
    control.onKeyDown = handler;
    control.keyHook = keyEventHook;
}

void setOnKeyUp(TControl& control, TKeyEvent handler) {
    control.onKeyUp = handler;
    control.keyHook = keyEventHook;
}

void setOnChar(TControl& control, TCharEvent handler) {
    control.onChar = handler;
    control.keyHook = keyEventHook;
}

void setOnMouseDown(TControl& control, TMouseEvent handler) {
    control.onMouseDown = handler;
    control.attachHandler(mouseEventHandler, false);
}

void setOnMouseUp(TControl& control, TMouseEvent handler) {
    control.onMouseUp = handler;
    control.attachHandler(mouseEventHandler, false);
}

void setOnMouseMove(TControl& control, TMouseEvent handler) {
    control.onMouseMove = handler;
    control.attachHandler(mouseEventHandler, false);
}

void setOnMouseDblClk(TControl& control, TMouseEvent handler) {
    control.onMouseDblClk = handler;
    control.attachHandler(mouseEventHandler, false);
}

void setOnMouseWheel(TControl& control, TMouseEvent handler) {
    control.onMouseWheel = handler;
    control.attachHandler(mouseEventHandler, false);
}

void setOnMouseEnter(TControl& control, TNotifyEvent handler) {
    control.onMouseEnter = handler;
    attachEnterLeave(control);
}

void setOnMouseLeave(TControl& control, TNotifyEvent handler) {
    control.onMouseLeave = handler;
    attachEnterLeave(control);
}
