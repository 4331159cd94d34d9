// What the toolkit's controls are made of and talk in: a window message, the
// method references handlers are, the events and their records, the codes a
// kind of control answers to, and the toolkit's private message numbers.
#pragma once

#include "runtime/method.h"

#include <windows.h>

#include <cstdint>
#include <string>

class TControl;

// One window message; handlers may change wParam (a key swallowed becomes 0).
struct TMessage {
    HWND window;
    UINT message;
    WPARAM wParam;
    LPARAM lParam;
};

// A method reference that answers: (procedure, object), the object first.
template <class R, class... Args> struct TFuncMethod {
    R (*proc)(void* self, Args...) = nullptr;
    void* self = nullptr;

    explicit operator bool() const { return proc != nullptr; }
    R operator()(Args... args) const { return proc(self, args...); }
    friend bool operator==(const TFuncMethod&, const TFuncMethod&) = default;
};

template <auto Method, class R, class... Args>
TFuncMethod<R, Args...> bindFuncMethod(typename MethodTraits<decltype(Method)>::Class* object) {
    using C = typename MethodTraits<decltype(Method)>::Class;
    return {[](void* self, Args... args) -> R { return (static_cast<C*>(self)->*Method)(args...); },
            object};
}

// (message, result) -> handled
using TMessageMethod = TFuncMethod<bool, TMessage&, LRESULT&>;
// A handler of the chain and the hooks: (control, message, result) -> handled.
using TMessageHandler = bool (*)(TControl& control, TMessage& msg, LRESULT& result);
// The form's keyboard navigation: (form, focused control, key, not a key-down).
using TNavigationHandler = bool (*)(TControl& form, TControl& control, WPARAM key, bool notKeyDown);

enum TMouseButton : std::uint8_t { mbNone = 0, mbLeft = 1, mbRight = 2, mbMiddle = 3 };

// Mouse record handed to mouse event handlers.
struct TMouseRecord {
    std::uint8_t button = mbNone; // mbNone: a move or the wheel
    std::uint8_t stop = 0;        // a handler sets it to claim the message
    std::uint32_t shift = 0;      // MK_ flags of wParam, plus shiftAlt with Alt down
    std::int16_t x = 0;
    std::int16_t y = 0;
};

constexpr std::uint32_t shiftAlt = 0x20;

using TNotifyEvent = TMethod<TControl*>;
using TMouseEvent = TMethod<TControl*, TMouseRecord&>;
using TKeyEvent = TMethod<TControl*, std::int32_t& /*key*/, std::uint32_t /*shift*/>;
using TCharEvent = TMethod<TControl*, char& /*character*/, std::uint32_t /*shift*/>;
using TPaintEvent = TMethod<TControl*, HDC>;

// What a control tells. Its setter attaches whatever serves the event, so
// a handler set is a handler that runs.
enum class TNotice : std::uint8_t {
    click,        // a child control's click (reflected command or notification)
    change,       // a child control's text changed
    show,         // the window is shown
    hide,         // ... hidden
    mouseEnter,   // the mouse came in
    mouseLeave,   // ... went out
    resize,       // WM_SIZE, before the control's own processing
    fontChange,   // the font or the caption was applied
    createWindow, // the window exists
    count
};
enum class TMouseAction : std::uint8_t { down, up, move, doubleClick, wheel, count };
enum class TKeyAction : std::uint8_t { down, up, count };

// Notification and message codes of one window class, copied into each child
// control made of that class. 0 means not supported.
struct TActionRecord {
    void (*clearProc)(TControl& control);
    void (*addTextProc)(TControl& control, const std::string& text);
    std::uint16_t clickCode, changeCode;
    std::uint16_t lineCountMsg, lineLengthMsg, getLineMsg;
    std::uint16_t lineToPosMsg, posToLineMsg;
    std::uint16_t selStartMsg;
    std::uint16_t caretMsg3; // sent as (start, end) to select
    std::uint16_t alignLeftStyle, alignRightStyle, alignCenterStyle;
    std::uint8_t alignClearMask;
};

extern const TActionRecord editActions;
extern const TActionRecord buttonActions;
extern const TActionRecord staticActions;

enum class TControlKind : std::uint8_t { applet, form, child };

// What a factory decides when it makes a control.
struct TControlSetup {
    TControlKind kind = TControlKind::child;
    std::string subclassName; // "App", "Form", or the system class built on
    std::uint32_t style = WS_VISIBLE | WS_CLIPSIBLINGS | WS_CLIPCHILDREN | WS_OVERLAPPEDWINDOW;
    std::uint32_t exStyle = WS_EX_CONTROLPARENT;
    std::uint32_t classStyle = CS_OWNDC;
    TActionRecord actions{};
    std::uint16_t controlId = 0; // a child's identifier in its parent's notifications
};

inline const HICON noIcon = reinterpret_cast<HICON>(static_cast<INT_PTR>(-1));

enum TTextAlign : std::uint8_t { taLeft = 0, taRight = 1, taCenter = 2 };

// Keyboard navigation of a form's controls (navigation.cpp).
enum TNavigationKey : std::uint8_t {
    nkTab = 1,
    nkLeftRight = 2,
    nkUpDown = 4,
    nkPage = 8,
    nkAll = nkTab | nkLeftRight | nkUpDown | nkPage
};

struct TNavigation {
    bool tabStop = false;
    std::int32_t tabOrder = 0;
    std::uint8_t keys = nkAll;   // the TNavigationKey bits that move the focus
    bool handlesEnter = false;   // Enter stays with the control
    bool isCancel = false;       // Esc presses it
    std::uint8_t focusGuard = 0; // non-zero while the toolkit itself moves the focus
};

// What a form (and the applet) keeps of its controls.
struct TFormState {
    TControl* lastFocused = nullptr; // on the applet: the active form
    TControl* defaultButton = nullptr;
    TControl* cancelButton = nullptr;
    std::int32_t tabCounter = 0; // the last tab order handed out
    TNavigationHandler navigation = nullptr;
    TMessageMethod savedMessageHandler; // on the applet, under the Enter/Esc one
};

// Private messages: deferred release of a main window's object, appended
// text due in a multi-line edit, and the notifications, scrolls and colour
// requests a parent reflects to the child that sent them.
constexpr UINT wmDeferredRelease = 0xB003;
constexpr UINT wmReflectedCommand = 0xB005;
constexpr UINT wmFlushText = 0xB006;
// Sent by a form whose screen changed resolution to each of its child
// windows: the element lays its window out again at the new scale.
constexpr UINT wmRescale = 0xB007;
constexpr UINT wmReflectedOffset = 0xBC00; // added to the others' own numbers
constexpr UINT wmReflectedColorFirst = WM_CTLCOLORMSGBOX + wmReflectedOffset;
constexpr UINT wmReflectedColorLast = WM_CTLCOLORSTATIC + wmReflectedOffset;
constexpr UINT wmReflectedNotify = WM_NOTIFY + wmReflectedOffset;
constexpr UINT wmReflectedHScroll = WM_HSCROLL + wmReflectedOffset;
constexpr UINT wmReflectedVScroll = WM_VSCROLL + wmReflectedOffset;
