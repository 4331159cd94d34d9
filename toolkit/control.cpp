#include "toolkit/control.h"

#include "toolkit/canvas.h"
#include "toolkit/failure_report.h"
#include "toolkit/gdi_objects.h"
#include "toolkit/text_codec.h"

#include <exception>
#include <utility>

namespace {

const wchar_t selfProperty[] = L"SELF_";
constexpr std::uint32_t classStyleKeepMask = 0xFFFFBF1F; // without the DC and global styles
constexpr WPARAM clearHideFocus = 0x10002;
constexpr UINT swpApplyStyle =
    SWP_NOSIZE | SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE | SWP_FRAMECHANGED;

int createSize(LONG size) {
    return size == 0 ? CW_USEDEFAULT : size;
}

} // namespace

TControl* applet = nullptr;
bool appletRunning = false;
bool appletTerminated = false;
bool appletCreated = false;
TControl* creatingControl = nullptr;
TMessageHandler paintHook = nullptr;
void (*alignProc)(TControl& control) = nullptr;
void (*invalidateHook)(TControl& control) = nullptr;
void (*afterCreateHook)(TControl& control) = nullptr;

TControl* controlOfWindow(HWND window) {
    if (!window)
        return nullptr;
    return static_cast<TControl*>(GetPropW(window, selfProperty));
}

namespace {

LRESULT dispatchToObject(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    TControl* target = nullptr;
    if (window) {
        if (creatingControl) {
            // The first message of a window being created: from now on its
            // messages reach the object, even those sent inside its creation.
            target = creatingControl;
            creatingControl = nullptr;
            target->handle = window;
            SetPropW(window, selfProperty, target);
        } else {
            target = controlOfWindow(window);
        }
    }
    TMessage msg{window, message, wParam, lParam};
    if (target) {
        if (!target->handle)
            target->handle = window;
        return target->windowMethod(msg);
    }
    if (applet)
        return applet->windowMethod(msg);
    return DefWindowProcW(window, message, wParam, lParam);
}

} // namespace

// A failure must not unwind through the system's frames that called us.
LRESULT CALLBACK toolkitWindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    try {
        return dispatchToObject(window, message, wParam, lParam);
    } catch (const std::exception& failure) {
        reportEscapedFailure(failure.what());
    } catch (...) {
        reportEscapedFailure(unknownFailure);
    }
    return 0;
}

TControl::TControl() : children(makeObj<TList>()), classProcedure(toolkitWindowProc) {}

TControl::~TControl() = default;

// ---- window creation ----

HWND TControl::getHandle() {
    if (handle)
        return handle;
    if (createVisible) {
        createWindow();
        return handle;
    }
    // Made hidden because the handle is needed early; shown once the
    // parent's window is complete.
    const bool wasVisible = (style & WS_VISIBLE) != 0;
    style &= ~WS_VISIBLE;
    createWindow();
    if (wasVisible) {
        if (handle)
            showAfterCreate = true;
        else
            style |= WS_VISIBLE;
    }
    return handle;
}

void TControl::createChildWindows() {
    for (std::int32_t i = 0; i < childCount(); ++i)
        child(i)->createWindow();
}

HICON TControl::loadIcon() {
    if (icon)
        return icon == noIcon ? nullptr : icon;
    HICON loaded = nullptr;
    if (applet && applet != this) {
        HICON appletIcon = applet->loadIcon();
        if (appletIcon)
            loaded = static_cast<HICON>(CopyImage(appletIcon, IMAGE_ICON, 0, 0, 0));
        iconShared = false;
    } else {
        loaded = LoadIconW(GetModuleHandleW(nullptr), L"MAINICON");
        iconShared = true;
    }
    icon = loaded ? loaded : noIcon;
    return loaded;
}

bool TControl::createWindow() {
    // Creation sends messages whose handlers may free the control.
    const TObjHold hold(*this);
    HWND parentWindow = nullptr;
    if (parent) {
        parentWindow = parent->getHandle();
        if (!parentWindow)
            return false;
    }
    if (handle) {
        createChildWindows();
        if (showAfterCreate) {
            setVisible(true);
            showAfterCreate = false;
        }
        return true;
    }

    const std::wstring wideCaption = toWideText(caption);
    const std::wstring systemClass = toWideText(subclassName);
    const std::wstring className = L"obj_" + systemClass;
    const HINSTANCE module = GetModuleHandleW(nullptr);
    const DWORD windowStyle = style | (enabled ? 0 : WS_DISABLED);
    int x = bounds.left;
    int y = bounds.top;
    if (!isControl && !leftChanged && !topChanged) {
        x = CW_USEDEFAULT;
        y = CW_USEDEFAULT;
    }

    WNDCLASSW record{};
    record.style = classStyle;
    record.hCursor = LoadCursorW(nullptr, IDC_ARROW);
    // A system class lends its procedure, cursor, brush and styles.
    GetClassInfoW(nullptr, systemClass.c_str(), &record);
    record.hInstance = module;
    record.style &= classStyleKeepMask;
    record.lpszClassName = className.c_str();
    record.lpszMenuName = nullptr;
    if (!defaultProcedure)
        defaultProcedure = record.lpfnWndProc;

    if ((windowStyle & WS_CHILD) && !parentWindow)
        return false;
    WNDCLASSW existing{};
    if (!GetClassInfoW(module, className.c_str(), &existing)) {
        record.lpfnWndProc = classProcedure;
        if (!RegisterClassW(&record))
            return false;
    }

    creatingControl = this;
    HWND window = CreateWindowExW(
        exStyle, className.c_str(), wideCaption.c_str(), windowStyle, x, y,
        createSize(bounds.right - bounds.left), createSize(bounds.bottom - bounds.top),
        parentWindow, reinterpret_cast<HMENU>(static_cast<UINT_PTR>(controlId)), module, nullptr);
    if (creatingControl == this)
        creatingControl = nullptr;
    if (!window) {
        handle = nullptr;
        return false;
    }
    handle = window;
    if (freeRequested())
        return false;

    SendMessageW(window, WM_UPDATEUISTATE, clearHideFocus, 0);
    if (!GetPropW(window, selfProperty)) {
        creatingControl = nullptr;
        SetPropW(window, selfProperty, this);
    }
    if (!isControl)
        SendMessageW(window, WM_SETICON, ICON_BIG, reinterpret_cast<LPARAM>(loadIcon()));
    onCreateWindow(this);
    applyFont();
    createChildWindows();
    if (afterCreateHook)
        afterCreateHook(*this);
    return true;
}

// ---- dispatch ----

LRESULT TControl::defaultProcessing(const TMessage& msg) {
    if (defaultProcedure)
        return CallWindowProcW(defaultProcedure, msg.window, msg.message, msg.wParam, msg.lParam);
    return DefWindowProcW(msg.window, msg.message, msg.wParam, msg.lParam);
}

LRESULT TControl::send(UINT message, WPARAM wParam, LPARAM lParam) {
    return SendMessageW(getHandle(), message, wParam, lParam);
}

void TControl::attachHandler(TMessageHandler proc, bool keepAfterTermination) {
    for (const HandlerEntry& entry : handlerList)
        if (entry.proc == proc)
            return;
    handlerList.push_back({proc, keepAfterTermination});
}

bool TControl::runHandlerChain(TMessage& msg, LRESULT& result) {
    // Newest first. A handler may attach another or free the control: the
    // index is re-checked and the chain stops once a free is pending.
    for (std::size_t i = handlerList.size(); i-- > 0;) {
        if (i >= handlerList.size())
            continue;
        const HandlerEntry entry = handlerList[i];
        if (!entry.keepAfterTermination && appletTerminated)
            continue;
        if (entry.proc(*this, msg, result))
            return true;
        if (refCount() & 1)
            return true;
    }
    return false;
}

bool TControl::offerToHandlers(TMessage& msg, LRESULT& result) {
    if (beingDestroyed())
        return false;
    addRef();
    const bool handled = runHandlerChain(msg, result) || (refCount() & 1) != 0;
    release();
    return handled;
}

LRESULT TControl::windowMethod(TMessage& msg) {
    if (!pendingText.empty())
        flushPendingText(); // whatever the message, the window has its whole text
    LRESULT result = 0;
    if (paintHook && paintHook(*this, msg, result))
        return result;
    // The reference bracket: a handler that frees the control only marks it;
    // the release at the end destroys it, after the last use.
    addRef();
    // While destroying, the count is odd by design: that is no free request,
    // and the system's own processing (WM_NCDESTROY) must still run.
    const bool dying = beingDestroyed();
    const auto freePending = [this, dying] { return !dying && (refCount() & 1) != 0; };
    bool handled = false;
    if (appletRunning && applet && applet != this && applet->messageHandler)
        handled = applet->messageHandler(msg, result);
    if (!handled && !dying && messageHandler)
        handled = messageHandler(msg, result);
    if (!handled && !dying && !freePending())
        handled = runHandlerChain(msg, result) || freePending();
    if (!handled && !freePending())
        result = builtinProcessing(msg);
    release();
    return result;
}

LRESULT TControl::handleKeyMessage(TMessage& msg) {
    if (GetFocus() != handle || !handle)
        return 0;
    LRESULT result = 0;
    if (keyHook && keyHook(*this, msg, result))
        return result;
    const bool ctrlOrAlt = GetKeyState(VK_CONTROL) < 0 || GetKeyState(VK_MENU) < 0;
    if (!ctrlOrAlt) {
        if (msg.message != WM_CHAR) {
            TControl* form = parentForm();
            if (form && form->navigation &&
                form->navigation(*form, *this, msg.wParam, msg.message != WM_KEYDOWN)) {
                msg.wParam = 0;
                return 0;
            }
        } else if (msg.wParam == VK_TAB) {
            msg.wParam = 0;
            return 0;
        }
    }
    return defaultProcessing(msg);
}

LRESULT TControl::handleNcDestroy(TMessage& msg) {
    RemovePropW(msg.window, selfProperty);
    if (msg.window != handle)
        return defaultProcessing(msg);
    windowGone = true;
    if (isApplet)
        return 0;
    if (isMainWindow()) {
        PostMessageW(msg.window, wmDeferredRelease, 0, 0);
        return defaultProcessing(msg);
    }
    if (parent && parent == applet) {
        free();
        return 0;
    }
    return defaultProcessing(msg);
}

LRESULT TControl::builtinProcessing(TMessage& msg) {
    switch (msg.message) {
    case wmFlushText: // its work is done on arrival
        return 0;
    case WM_SIZE: {
        const LRESULT result = defaultProcessing(msg);
        if (msg.wParam <= SIZE_MAXIMIZED)
            windowState = static_cast<std::uint8_t>(msg.wParam);
        if (alignProc) {
            if (!isForm && parent)
                alignProc(*parent);
            alignProc(*this);
        }
        return result;
    }
    case WM_SETFOCUS: {
        const bool windowEnabled = handle ? IsWindowEnabled(handle) : !(style & WS_DISABLED);
        if (!windowEnabled || !tabStop)
            return 0;
        ++focusGuard;
        SetFocus(handle);
        const LRESULT result = defaultProcessing(msg);
        --focusGuard;
        return result;
    }
    case WM_CLOSE:
        if (isMainWindow() || isApplet) {
            if (applet && applet != this)
                applet->send(WM_CLOSE, 0, 0);
            PostQuitMessage(0);
            return 0;
        }
        return defaultProcessing(msg);
    case WM_SHOWWINDOW:
        if (msg.lParam == SW_PARENTCLOSING) {
            savedShowCommand = IsIconic(handle)   ? SW_SHOWMINNOACTIVE
                               : IsZoomed(handle) ? SW_SHOWMAXIMIZED
                                                  : SW_SHOWNOACTIVATE;
            return defaultProcessing(msg);
        }
        if (msg.lParam == SW_PARENTOPENING) {
            if (savedShowCommand) {
                ShowWindow(handle, savedShowCommand);
                savedShowCommand = 0;
            }
            return 0;
        }
        return defaultProcessing(msg);
    case WM_SETCURSOR:
        if (!GetCapture() && LOWORD(msg.lParam) == HTCLIENT && cursor) {
            SetCursor(cursor);
            return 1;
        }
        return defaultProcessing(msg);
    case WM_NCDESTROY:
        return handleNcDestroy(msg);
    case WM_COMMAND: {
        HWND source = reinterpret_cast<HWND>(msg.lParam);
        if (source && controlOfWindow(source))
            return SendMessageW(source, wmReflectedCommand, msg.wParam, msg.lParam);
        return defaultProcessing(msg);
    }
    case WM_SYSCOMMAND:
        if ((msg.wParam & 0xFFF0) == SC_MINIMIZE && applet && applet != this && isMainWindow()) {
            if (applet->handle)
                PostMessageW(applet->handle, WM_SYSCOMMAND, SC_MINIMIZE, 0);
            return 0;
        }
        return defaultProcessing(msg);
    case wmDeferredRelease:
        // Our own request comes only after the system destroyed the window;
        // any other sender (another program may post it) is ignored.
        if (windowGone)
            free();
        return 0;
    default:
        break;
    }
    if (msg.message >= WM_KEYFIRST && msg.message <= WM_UNICHAR)
        return handleKeyMessage(msg);
    if (msg.message >= WM_CTLCOLORMSGBOX && msg.message <= WM_CTLCOLORSTATIC) {
        HWND source = reinterpret_cast<HWND>(msg.lParam);
        // Only a window of ours understands the reflected request.
        if (source && controlOfWindow(source))
            return SendMessageW(source, msg.message + wmReflectedColorOffset, msg.wParam,
                                msg.lParam);
    }
    return defaultProcessing(msg);
}

void TControl::invalidate() {
    if (appletTerminated || !handle || windowGone)
        return;
    InvalidateRect(handle, nullptr, TRUE);
    if (invalidateHook)
        invalidateHook(*this);
}

// ---- tree ----

bool TControl::isMainWindow() const {
    if (isControl)
        return false;
    if (!parent)
        return isApplet || !appletCreated;
    if (parent->parent)
        return false;
    return parent->child(0) == this;
}

TControl* TControl::parentForm() {
    TControl* control = this;
    while (control && control->isControl)
        control = control->parent;
    return control;
}

TControl* TControl::child(std::int32_t index) const {
    return static_cast<TControl*>(children->get(index));
}

// ---- properties ----

void TControl::setVisible(bool value) {
    if (value)
        style |= WS_VISIBLE;
    else
        style &= ~WS_VISIBLE;
    visible = value;
    if (!value)
        showAfterCreate = false;
    if (!handle || windowGone)
        return;
    const TObjHold hold(*this);
    ShowWindow(handle, value ? SW_SHOW : SW_HIDE);
    if (freeRequested())
        return;
    if (alignProc) {
        if (parent)
            alignProc(*parent);
        if (value)
            alignProc(*this);
    }
}

void TControl::setCreateVisible(bool value) {
    createVisible = true;
    setVisible(value);
}

void TControl::setEnabled(bool value) {
    enabled = value;
    if (handle && !windowGone)
        EnableWindow(handle, value);
}

void TControl::setStyle(std::uint32_t value) {
    if (value == style)
        return;
    style = value;
    if (!handle || windowGone)
        return;
    const TObjHold hold(*this);
    SetWindowLongPtrW(handle, GWL_STYLE, static_cast<LONG_PTR>(value));
    SetWindowPos(handle, nullptr, 0, 0, 0, 0, swpApplyStyle);
    if (!freeRequested())
        invalidate();
}

void TControl::setExStyle(std::uint32_t value) {
    if (value == exStyle)
        return;
    exStyle = value;
    if (!handle || windowGone)
        return;
    const TObjHold hold(*this);
    SetWindowLongPtrW(handle, GWL_EXSTYLE, static_cast<LONG_PTR>(value));
    SetWindowPos(handle, nullptr, 0, 0, 0, 0, swpApplyStyle);
    if (!freeRequested())
        invalidate();
}

void TControl::setTextAlign(std::uint8_t value) {
    const std::uint16_t values[3] = {actions.alignLeftStyle, actions.alignRightStyle,
                                     actions.alignCenterStyle};
    if (value > 2)
        return;
    textAlign = value;
    std::uint32_t newStyle = style;
    for (int i = 0; i < 3; ++i)
        if (i != value)
            newStyle &= ~static_cast<std::uint32_t>(values[i]);
    newStyle |= values[value];
    newStyle &= ~static_cast<std::uint32_t>(actions.alignClearMask);
    setStyle(newStyle);
}

RECT TControl::getBounds() const {
    if (!handle || windowGone)
        return bounds;
    RECT rect{};
    GetWindowRect(handle, &rect);
    if (GetWindowLongPtrW(handle, GWL_STYLE) & WS_CHILD)
        MapWindowPoints(HWND_DESKTOP, GetParent(handle), reinterpret_cast<POINT*>(&rect), 2);
    return rect;
}

void TControl::setBounds(const RECT& value) {
    if (value.left != bounds.left)
        leftChanged = true;
    if (value.top != bounds.top)
        topChanged = true;
    bounds = value;
    if (handle && !windowGone)
        SetWindowPos(handle, nullptr, value.left, value.top, value.right - value.left,
                     value.bottom - value.top, SWP_NOZORDER | SWP_NOACTIVATE);
}

std::int32_t TControl::width() const {
    const RECT rect = getBounds();
    return rect.right - rect.left;
}

std::int32_t TControl::height() const {
    const RECT rect = getBounds();
    return rect.bottom - rect.top;
}

void TControl::setPosition(std::int32_t x, std::int32_t y) {
    RECT rect = getBounds();
    rect = {x, y, x + (rect.right - rect.left), y + (rect.bottom - rect.top)};
    setBounds(rect);
}

void TControl::setSize(std::int32_t w, std::int32_t h) {
    RECT rect = getBounds();
    if (w > 0)
        rect.right = rect.left + w;
    if (h > 0)
        rect.bottom = rect.top + h;
    setBounds(rect);
}

void TControl::setWindowState(std::uint8_t value) {
    static constexpr int commands[3] = {SW_SHOWNOACTIVATE, SW_SHOWMINNOACTIVE, SW_SHOWMAXIMIZED};
    if (value == windowState || value > 2)
        return;
    windowState = value;
    ShowWindow(getHandle(), commands[value]);
}

void TControl::setCaption(const std::string& text) {
    pendingText.clear(); // the new text replaces what was still to come
    caption = text;
    if (!handle || windowGone)
        return;
    const TObjHold hold(*this);
    SetWindowTextW(handle, toWideText(text).c_str());
    if (freeRequested())
        return;
    invalidate();
    onFontChange(this);
}

std::string TControl::getCaption() const {
    if (!handle || windowGone || !pendingText.empty())
        return caption;
    const int length = GetWindowTextLengthW(handle);
    std::wstring text(static_cast<std::size_t>(length) + 1, L'\0');
    const int copied = GetWindowTextW(handle, text.data(), length + 1);
    text.resize(static_cast<std::size_t>(copied > 0 ? copied : 0));
    return fromWideText(text);
}

void TControl::setColor(std::int32_t value) {
    if (value == color)
        return;
    color = value;
    if (brush)
        brush->setColor(value);
    invalidate();
}

void TControl::setTextColor(std::int32_t value) {
    if (value == textColor)
        return;
    textColor = value;
    if (font)
        font->setColor(value);
    invalidate();
}

void TControl::toolChanged(TGraphicTool* tool) {
    if (tool == font) {
        textColor = font->color;
        applyFont();
        invalidate();
    } else if (tool == brush) {
        color = brush->color;
        deleteGdiObject(cachedBrush);
        cachedBrush = nullptr;
        // The canvas may have the old handle selected: it must let go of it
        // before the handle is deleted.
        if (canvas)
            canvas->deselectTools();
        if (!paintDC && !painting)
            invalidate();
    }
}

void TControl::adoptTool(TGraphicTool*& slot, TGraphicTool* tool) {
    TObj::freeObject(slot);
    slot = tool;
    if (tool)
        tool->onChange = bindMethod<&TControl::toolChanged, TGraphicTool*>(this);
}

TGraphicTool& TControl::fontTool() {
    if (!font) {
        TGraphicTool* tool = newFont();
        tool->color = textColor;
        adoptTool(font, tool);
    }
    return *font;
}

TGraphicTool& TControl::brushTool() {
    if (!brush) {
        TGraphicTool* tool = newBrush();
        tool->color = color;
        adoptTool(brush, tool);
    }
    return *brush;
}

void TControl::applyFont() {
    if (!font)
        return;
    const TObjHold hold(*this);
    if (handle && !windowGone) {
        textColor = font->color;
        SendMessageW(handle, WM_SETFONT, reinterpret_cast<WPARAM>(font->getToolHandle()), 1);
        if (freeRequested())
            return;
    }
    TObj::freeObject(canvas);
    canvas = nullptr;
    onFontChange(this);
}

HBRUSH TControl::backgroundBrush() {
    if (brushToolsMade) {
        // Brush tools exist: the control's own tool, borrowing the parent's
        // handle while their settings are equal.
        TGraphicTool& tool = brushTool();
        tool.setColor(color);
        if (parent && !tool.parentTool)
            tool.setParentTool(&parent->brushTool());
        return static_cast<HBRUSH>(tool.getToolHandle());
    }
    if (parent && parent->color == color)
        return parent->backgroundBrush();
    const COLORREF resolved = resolveColor(color);
    if (cachedBrush && cachedBrushColor != resolved) {
        deleteGdiObject(cachedBrush);
        cachedBrush = nullptr;
    }
    if (!cachedBrush) {
        cachedBrush = countGdiObject(CreateSolidBrush(resolved));
        cachedBrushColor = resolved;
    }
    return cachedBrush;
}

// ---- destruction ----

void TControl::forgetInForm(TControl* form) {
    if (form->lastFocused == this)
        form->lastFocused = nullptr;
    if (form->defaultButton == this)
        form->defaultButton = nullptr;
    if (form->cancelButton == this)
        form->cancelButton = nullptr;
}

void TControl::beforeDestruction() {
    if (TControl* form = parentForm(); form && form != this)
        forgetInForm(form);
    if (applet && applet != this && applet->lastFocused == this)
        applet->lastFocused = nullptr;
    const bool liveWindow = handle && !windowGone;
    if (liveWindow)
        ShowWindow(handle, SW_HIDE);
    notifyDestroyed();

    // A child's tool may keep ours alive to borrow its handle: it must not
    // call back into this control once it is gone.
    for (TGraphicTool* tool : {font, brush})
        if (tool)
            tool->onChange = {};
    TObj::freeObject(font);
    font = nullptr;
    TObj::freeObject(brush);
    brush = nullptr;
    TObj::freeObject(canvas);
    canvas = nullptr;
    if (handle && !windowGone) {
        SendMessageW(handle, WM_SETICON, ICON_BIG, 0);
        DestroyWindow(handle);
    }
    if (icon && icon != noIcon && !iconShared)
        DestroyIcon(icon);
    icon = nullptr;
    handle = nullptr;
    deleteGdiObject(cachedBrush);
    cachedBrush = nullptr;
    deleteGdiObject(invalidRegion);
    invalidRegion = nullptr;
    if (parent) {
        parent->children->remove(this);
        if (parent->lastFocused == this)
            parent->lastFocused = nullptr;
    }
    // Children outlive their parent (their owners free them): they must not
    // keep pointing at it.
    for (std::int32_t i = 0; i < childCount(); ++i)
        child(i)->parent = nullptr;
    if (applet == this)
        applet = nullptr;
    if (creatingControl == this)
        creatingControl = nullptr;
}

// ---- visibility events ----

namespace {

bool visibilityHandler(TControl& control, TMessage& msg, LRESULT&) {
    if (msg.message != WM_SHOWWINDOW || msg.window != control.handle)
        return false;
    const bool wasVisible = (GetWindowLongPtrW(msg.window, GWL_STYLE) & WS_VISIBLE) != 0;
    if (msg.wParam) {
        control.visible = true;
        if (!wasVisible)
            control.onShow(&control);
    } else {
        control.visible = false;
        if (wasVisible)
            control.onHide(&control);
    }
    return false;
}

} // namespace

void TControl::setOnShow(TNotifyEvent handler) {
    onShow = handler;
    attachHandler(visibilityHandler, false);
}

void TControl::setOnHide(TNotifyEvent handler) {
    onHide = handler;
    attachHandler(visibilityHandler, false);
}

// ---- text lines ----

std::int32_t TControl::lineCount() {
    if (!actions.lineCountMsg)
        return 0;
    return static_cast<std::int32_t>(send(actions.lineCountMsg, 0, 0));
}

std::int32_t TControl::lineIndex(std::int32_t line) {
    const auto position =
        static_cast<std::int32_t>(send(actions.lineToPosMsg, static_cast<WPARAM>(line), 0));
    return position < 0 ? 0 : position;
}

std::string TControl::lineText(std::int32_t line) {
    const TObjHold hold(*this);
    const std::int32_t position = lineIndex(line);
    const LRESULT lineNumber = send(actions.posToLineMsg, static_cast<WPARAM>(position), 0);
    const auto length =
        static_cast<std::int32_t>(send(actions.lineLengthMsg, static_cast<WPARAM>(position), 0));
    if (length <= 0 || freeRequested())
        return {};
    // The first word of the buffer tells the control how much room there is;
    // a longer line is cut from the whole text.
    if (length >= 0xFFFF)
        return getCaption().substr(static_cast<std::size_t>(position),
                                   static_cast<std::size_t>(length));
    std::wstring buffer(static_cast<std::size_t>(length) + 4, L'\0');
    buffer[0] = static_cast<wchar_t>(length + 1);
    const LRESULT copied = send(actions.getLineMsg, static_cast<WPARAM>(lineNumber),
                                reinterpret_cast<LPARAM>(buffer.data()));
    buffer.resize(static_cast<std::size_t>(copied < length ? (copied > 0 ? copied : 0) : length));
    return fromWideText(buffer);
}

void TControl::addText(const std::string& text) {
    if (actions.addItemMsg) {
        const std::wstring wide = toWideText(text);
        send(actions.addItemMsg, 0, reinterpret_cast<LPARAM>(wide.c_str()));
        if (lineCount() == 1)
            setSelStart(0);
    } else if (actions.addTextProc) {
        actions.addTextProc(*this, text);
    } else {
        setCaption(getCaption() + text);
    }
}

void TControl::appendLater(const std::string& text) {
    if (!handle || windowGone || !(style & ES_MULTILINE)) {
        setCaption(getCaption() + text);
        return;
    }
    if (text.empty())
        return;
    if (pendingText.empty()) {
        caption = getCaption();
        if (!PostMessageW(handle, wmFlushText, 0, 0)) {
            setCaption(caption + text);
            return;
        }
    }
    pendingText += text;
    caption += text;
}

namespace {

// Without ES_AUTOVSCROLL a multi-line edit refuses text below its box, and
// WM_SETTEXT is the only way in.
bool scrollsOn(HWND window) {
    return GetWindowLongPtrW(window, GWL_STYLE) & ES_AUTOVSCROLL;
}

std::size_t textLimit(HWND window) {
    return static_cast<std::uint32_t>(SendMessageW(window, EM_GETLIMITTEXT, 0, 0));
}

// The limit binds what the user types; the program's own text is not bound by
// it (WM_SETTEXT never was), so it is lifted only for the insertion and then
// put back, leaving the edit as setting the whole text would.
void replaceBeyondLimit(HWND window, std::size_t total, const std::wstring& added) {
    const std::size_t limit = textLimit(window);
    if (total > limit)
        SendMessageW(window, EM_SETLIMITTEXT, total, 0);
    SendMessageW(window, EM_REPLACESEL, FALSE, reinterpret_cast<LPARAM>(added.c_str()));
    if (total > limit)
        SendMessageW(window, EM_SETLIMITTEXT, limit, 0);
}

} // namespace

// The text goes in as if set whole: caret and view at the start, and no change
// notification (a multi-line edit gets none for WM_SETTEXT). Replacing the
// empty selection at the end lays out only the added lines, so appends over
// many turns stay linear however long the text grows.
void TControl::flushPendingText() {
    const std::wstring added = toWideText(std::exchange(pendingText, {}));
    if (!handle || windowGone || beingDestroyed())
        return; // the caption keeps the text
    addRef();
    const auto length = static_cast<std::size_t>(GetWindowTextLengthW(handle));
    if (scrollsOn(handle)) {
        const TNotifyEvent changeHandler = std::exchange(onChange, {});
        SendMessageW(handle, EM_SETSEL, length, static_cast<LPARAM>(length));
        replaceBeyondLimit(handle, length + added.size(), added);
        SendMessageW(handle, EM_SETSEL, 0, 0);
        SendMessageW(handle, EM_SCROLLCARET, 0, 0);
        onChange = changeHandler;
    } else {
        SetWindowTextW(handle, toWideText(caption).c_str());
    }
    invalidate();
    onFontChange(this);
    release();
}

// The positions come through pointers: the result word holds only 16 bits.
std::int32_t TControl::selStart() {
    if (!actions.selStartMsg)
        return 0;
    DWORD start = 0;
    DWORD end = 0;
    send(actions.selStartMsg, reinterpret_cast<WPARAM>(&start), reinterpret_cast<LPARAM>(&end));
    return static_cast<std::int32_t>(start);
}

void TControl::setSelStart(std::int32_t position) {
    send(actions.caretMsg3, static_cast<WPARAM>(position), position);
}

void TControl::setSelLength(std::int32_t length) {
    const TObjHold hold(*this);
    const std::int32_t start = selStart();
    const std::int32_t end = length < 0 ? -1 : start + length;
    send(actions.caretMsg3, static_cast<WPARAM>(start), end);
}

// A line is replaced with its line break; the last line to the end of the
// text. A line that does not exist leaves the text as it is.
void TControl::setLineText(std::int32_t line, const std::string& text) {
    if (line < 0 || !actions.lineToPosMsg)
        return;
    const TObjHold hold(*this);
    const auto start =
        static_cast<std::int32_t>(send(actions.lineToPosMsg, static_cast<WPARAM>(line), 0));
    if (start < 0)
        return;
    const auto next =
        static_cast<std::int32_t>(send(actions.lineToPosMsg, static_cast<WPARAM>(line + 1), 0));
    send(actions.caretMsg3, static_cast<WPARAM>(start), next < 0 ? -1 : next);
    const std::wstring wide = toWideText(text);
    const auto length = static_cast<std::size_t>(GetWindowTextLengthW(handle));
    const std::size_t end = next < 0 ? length : static_cast<std::size_t>(next);
    replaceBeyondLimit(handle, length - (end - static_cast<std::size_t>(start)) + wide.size(),
                       wide);
}

void TControl::clearText() {
    if (actions.clearProc)
        actions.clearProc(*this);
}
