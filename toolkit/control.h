// TControl: the one class behind every window: the applet, forms and child
// controls. The object holds every property; its window is made on first
// need (control_factory.h). Messages reach the object through one window
// procedure and pass a fixed chain of handlers before the control's own
// processing (dispatch.h). The object itself, its properties and its
// destruction are control.cpp; an edit's text is edit_text.cpp.
#pragma once

#include "toolkit/graphic_tool.h"
#include "toolkit/list.h"
#include "toolkit/obj.h"

#include <windows.h>

#include <cstdint>
#include <string>
#include <vector>

class TCanvas;
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

// Mouse record handed to mouse event handlers.
struct TMouseRecord {
    std::uint8_t button = 0; // 0 move and wheel, 1 left, 2 right, 3 middle
    std::uint8_t stop = 0;   // a handler sets it to claim the message
    std::uint32_t shift = 0; // MK_ flags of wParam, plus 0x20 with Alt down
    std::int16_t x = 0;
    std::int16_t y = 0;
};

constexpr std::uint32_t shiftAlt = 0x20;

using TNotifyEvent = TMethod<TControl*>;
using TMouseEvent = TMethod<TControl*, TMouseRecord&>;
using TKeyEvent = TMethod<TControl*, std::int32_t& /*key*/, std::uint32_t /*shift*/>;
using TCharEvent = TMethod<TControl*, char& /*character*/, std::uint32_t /*shift*/>;

// Notification and message codes of one window class, copied into each child
// control made of that class. 0 means not supported.
struct TActionRecord {
    void (*clearProc)(TControl& control);
    void (*addTextProc)(TControl& control, const std::string& text);
    std::uint16_t clickCode, changeCode;
    std::uint16_t lineCountMsg, lineLengthMsg, getLineMsg;
    std::uint16_t lineToPosMsg, posToLineMsg;
    std::uint16_t selStartMsg;
    std::uint16_t caretMsg3;
    std::uint16_t alignLeftStyle, alignRightStyle, alignCenterStyle;
    std::uint8_t alignClearMask;
};

extern const TActionRecord editActions;
extern const TActionRecord buttonActions;
extern const TActionRecord staticActions;

enum TAlign : std::uint8_t {
    alNone = 0,
    alLeft = 1,
    alTop = 2,
    alRight = 3,
    alBottom = 4,
    alClient = 5
};

struct TClientMargins {
    std::int32_t top = 0, bottom = 0, left = 0, right = 0;
};

// Private messages: deferred release of a main window's object, and the
// notifications and colour requests reflected from a parent to its child.
constexpr UINT wmDeferredRelease = 0xB003;
constexpr UINT wmReflectedCommand = 0xB005;
// Notifications, scrolls and colour requests come to the child at their own
// number plus this offset.
constexpr UINT wmFlushText = 0xB006; // a multi-line edit's appended text is due
constexpr UINT wmReflectedColorOffset = 0xBC00;
constexpr UINT wmReflectedColorFirst = WM_CTLCOLORMSGBOX + wmReflectedColorOffset;
constexpr UINT wmReflectedColorLast = WM_CTLCOLORSTATIC + wmReflectedColorOffset;
constexpr UINT wmReflectedNotify = WM_NOTIFY + wmReflectedColorOffset;
constexpr UINT wmReflectedHScroll = WM_HSCROLL + wmReflectedColorOffset;
constexpr UINT wmReflectedVScroll = WM_VSCROLL + wmReflectedColorOffset;

class TControl : public TObj {
public:
    TControl();

    // Identity and tree.
    HWND handle = nullptr;
    TControl* parent = nullptr;
    TObjPtr<TList> children; // of TControl*
    bool isControl = false;
    bool isApplet = false;
    bool isForm = false;
    bool inheritCtl3D = false; // children take the 3-D flag they are made with
    TControl* lastFocused = nullptr;
    TControl* defaultButton = nullptr;
    TControl* cancelButton = nullptr;
    std::int32_t tabCounter = 0; // on forms: the last tab order handed out

    // Window class and creation.
    std::uint32_t classStyle = CS_OWNDC;
    std::uint32_t style = 0x16CF0000;
    std::uint32_t exStyle = WS_EX_CONTROLPARENT;
    std::string subclassName;
    WNDPROC defaultProcedure = nullptr;
    WNDPROC classProcedure;
    std::uint16_t controlId = 0;
    bool createVisible = false;
    bool showAfterCreate = false;
    bool leftChanged = false; // set by setBounds: the position is the caller's
    bool topChanged = false;

    // Geometry and state.
    RECT bounds{};
    std::int32_t margin = 2;
    TClientMargins clientMargins;
    std::uint8_t align = alNone;
    bool visible = true;
    bool enabled = true;
    bool tabStop = false;
    std::int32_t tabOrder = 0;
    std::uint8_t windowState = 0;
    std::int32_t savedShowCommand = 0;
    std::uint8_t navigationKeys = 15; // 1 Tab, 2 Left/Right, 4 Up/Down, 8 page keys
    bool handlesEnter = false;
    bool isCancel = false;
    std::uint8_t focusGuard = 0;

    // Text and look.
    std::string caption;
    HCURSOR cursor = nullptr;
    HICON icon = nullptr; // nil: not loaded yet; noIcon: none
    bool iconShared = false;
    TGraphicTool* font = nullptr;  // owned
    TGraphicTool* brush = nullptr; // owned
    std::int32_t textColor = clWindowText;
    std::int32_t color = clButtonFace;
    bool transparent = false;
    bool ctl3D = false;
    TCanvas* canvas = nullptr; // owned; made by getCanvas on demand
    std::uint8_t alphaBlend = 255;

    // Behaviour.
    TActionRecord actions{};
    TMessageMethod messageHandler;
    TMessageMethod savedMessageHandler;
    TMessageHandler keyHook = nullptr;
    TNavigationHandler navigation = nullptr; // on forms, set by enableNavigation
    TNotifyEvent onClick, onChange, onShow, onHide;
    TNotifyEvent onMouseEnter, onMouseLeave;
    TMouseEvent onMouseDown, onMouseUp, onMouseMove, onMouseDblClk, onMouseWheel;
    TKeyEvent onKeyDown, onKeyUp;
    TCharEvent onChar;
    bool mouseInside = false;
    TNotifyEvent onCreateWindow, onResize;
    // After the font or the caption is applied: either changes how the text
    // looks, which is what the labels that size themselves listen for.
    TNotifyEvent onFontChange;

    // Painting (see control_paint.h).
    TMethod<TControl*, HDC> onPaint;
    HDC paintDC = nullptr; // the DC of the current paint cycle
    // Double-buffered painting of the whole window tree (see double_buffer.h).
    bool doubleBuffered = false;
    bool painting = false;
    HBITMAP bufferBitmap = nullptr;
    std::int32_t bufferWidth = 0;
    std::int32_t bufferHeight = 0;

    // The window while it exists: nil before it is made and once the system
    // has destroyed it.
    HWND liveWindow() const { return windowGone ? nullptr : handle; }
    void invalidate();

    // Making the window (control_factory.cpp).
    HWND getHandle();
    virtual bool createWindow();

    // Its messages (dispatch.cpp).
    virtual LRESULT windowMethod(TMessage& msg);
    LRESULT defaultProcessing(const TMessage& msg);
    LRESULT send(UINT message, WPARAM wParam, LPARAM lParam);
    void attachHandler(TMessageHandler proc, bool keepAfterTermination);
    // Offers a message to the handler chain only, inside the reference bracket.
    bool offerToHandlers(TMessage& msg, LRESULT& result);

    // Tree.
    bool isMainWindow() const;
    TControl* parentForm();
    TControl* child(std::int32_t index) const;
    std::int32_t childCount() const { return children->count(); }

    // Properties.
    void setVisible(bool value);
    void setCreateVisible(bool value);
    void setEnabled(bool value);
    void setStyle(std::uint32_t value);
    void setExStyle(std::uint32_t value);
    void setTextAlign(std::uint8_t value);
    RECT getBounds() const;
    void setBounds(const RECT& value);
    std::int32_t left() const { return getBounds().left; }
    std::int32_t top() const { return getBounds().top; }
    std::int32_t width() const;
    std::int32_t height() const;
    void setPosition(std::int32_t x, std::int32_t y);
    void setSize(std::int32_t w, std::int32_t h); // only the positive ones
    void setWindowState(std::uint8_t value);
    void setCaption(const std::string& text);
    std::string getCaption() const;
    void setColor(std::int32_t value);
    void setTextColor(std::int32_t value);
    // The font and brush tools, made on first request.
    TGraphicTool& fontTool();
    TGraphicTool& brushTool();
    void applyFont();
    // Takes ownership of a tool for the font or brush slot; its changes
    // re-apply to this control.
    void adoptTool(TGraphicTool*& slot, TGraphicTool* tool);
    // The brush the background is painted with.
    HBRUSH backgroundBrush();
    void setOnShow(TNotifyEvent handler);
    void setOnHide(TNotifyEvent handler);

    // An edit's text: lines through the action record, appends (edit_text.cpp).
    std::int32_t lineCount();
    std::int32_t lineIndex(std::int32_t line);
    std::string lineText(std::int32_t line);
    void addText(const std::string& text);
    // Appends to an edit's text. On a multi-line edit, appends made one after
    // another (a list filled in one go) reach the window together when it next
    // gets a message, at the latest the one posted here, so the edit lays out
    // its lines and updates its scroll bar once instead of once per line; until
    // then the caption holds the whole text. Any other edit is set whole, and
    // notifies its change each time.
    void appendLater(const std::string& text);
    std::int32_t selStart();
    void setSelStart(std::int32_t position);
    void setSelLength(std::int32_t length);
    void setLineText(std::int32_t line, const std::string& text);
    void clearText();

protected:
    ~TControl() override;
    void beforeDestruction() override;

private:
    // The style or extended style (index GWL_STYLE or GWL_EXSTYLE), applied to
    // the window at once.
    void changeStyle(std::uint32_t& field, int index, std::uint32_t value);
    void createChildWindows();
    HICON loadIcon();
    bool runHandlerChain(TMessage& msg, LRESULT& result);
    LRESULT builtinProcessing(TMessage& msg);
    LRESULT handleKeyMessage(TMessage& msg);
    LRESULT handleNcDestroy(TMessage& msg);
    void flushPendingText();
    void toolChanged(TGraphicTool* tool);
    void forgetInForm(TControl* form);

    struct HandlerEntry {
        TMessageHandler proc;
        bool keepAfterTermination;
    };
    std::vector<HandlerEntry> handlerList; // attachHandler keeps each once
    bool windowGone = false;               // the system destroyed the window already
    std::string pendingText;               // appended to a multi-line edit, not yet in its window
    HBRUSH cachedBrush = nullptr;          // solid background brush while no brush tool
    COLORREF cachedBrushColor = 0;
};

inline const HICON noIcon = reinterpret_cast<HICON>(static_cast<INT_PTR>(-1));

// Toolkit globals.
extern TControl* applet;
extern bool appletRunning;
extern bool appletTerminated;
extern bool appletCreated;
extern TControl* creatingControl;
// Offered every message before anything else; the buffered painting installs it.
extern TMessageHandler paintHook;
// Aligns a control's children; installed once any control asks for alignment.
extern void (*alignProc)(TControl& control);
// Called after a control's window is invalidated, and after a window and its
// children are made; the buffered painting installs them.
extern void (*invalidateHook)(TControl& control);
extern void (*afterCreateHook)(TControl& control);
