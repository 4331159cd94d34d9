#include "toolkit/control.h"

#include "toolkit/canvas.h"
#include "toolkit/dispatch.h"
#include "toolkit/gdi_counter.h"
#include "toolkit/wide_text.h"

namespace {

constexpr UINT swpApplyStyle =
    SWP_NOSIZE | SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE | SWP_FRAMECHANGED;

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

TControl::TControl() : children(makeObj<TList>()), classProcedure(toolkitWindowProc) {}

TControl::~TControl() = default;

// A window not on the screen (hidden, or under a hidden parent) is painted
// whole when it is shown: invalidating it would only cost round trips.
void TControl::invalidate() {
    if (appletTerminated || !liveWindow() || !IsWindowVisible(handle))
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
    if (!liveWindow())
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
    if (liveWindow())
        EnableWindow(handle, value);
}

void TControl::setStyle(std::uint32_t value) {
    changeStyle(style, GWL_STYLE, value);
}

void TControl::setExStyle(std::uint32_t value) {
    changeStyle(exStyle, GWL_EXSTYLE, value);
}

void TControl::changeStyle(std::uint32_t& field, int index, std::uint32_t value) {
    if (value == field)
        return;
    field = value;
    if (!liveWindow())
        return;
    const TObjHold hold(*this);
    SetWindowLongPtrW(handle, index, static_cast<LONG_PTR>(value));
    SetWindowPos(handle, nullptr, 0, 0, 0, 0, swpApplyStyle);
    if (!freeRequested())
        invalidate();
}

void TControl::setTextAlign(std::uint8_t value) {
    const std::uint16_t values[3] = {actions.alignLeftStyle, actions.alignRightStyle,
                                     actions.alignCenterStyle};
    if (value > 2)
        return;
    std::uint32_t newStyle = style;
    for (int i = 0; i < 3; ++i)
        if (i != value)
            newStyle &= ~static_cast<std::uint32_t>(values[i]);
    newStyle |= values[value];
    newStyle &= ~static_cast<std::uint32_t>(actions.alignClearMask);
    setStyle(newStyle);
}

RECT TControl::getBounds() const {
    if (!liveWindow())
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
    // Moving a window to where it is would still cost a dozen round trips.
    const RECT current = getBounds();
    if (liveWindow() && !EqualRect(&value, &current))
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
    if (!liveWindow())
        return;
    const TObjHold hold(*this);
    SetWindowTextW(handle, toWideText(text).c_str());
    if (freeRequested())
        return;
    invalidate();
    onFontChange(this);
}

std::string TControl::getCaption() const {
    if (!liveWindow() || !pendingText.empty())
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

// Applying the font sends messages whose handlers may free the control.
void TControl::toolChanged(TGraphicTool* tool) {
    const TObjHold hold(*this);
    if (tool == font) {
        textColor = font->color;
        applyFont();
        if (!freeRequested())
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
    if (liveWindow()) {
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
    if (HWND window = liveWindow())
        ShowWindow(window, SW_HIDE);
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
    if (liveWindow()) {
        SendMessageW(handle, WM_SETICON, ICON_BIG, 0);
        DestroyWindow(handle);
    }
    // Should the window have outlived its destruction, its handle, which the
    // system may give to another window, must not lead here.
    if (handle && controlOfWindow(handle) == this)
        unbindWindow(handle);
    if (icon && icon != noIcon && !iconShared)
        DestroyIcon(icon);
    icon = nullptr;
    handle = nullptr;
    deleteGdiObject(cachedBrush);
    cachedBrush = nullptr;
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

void TControl::setOnShow(TNotifyEvent handler) {
    onShow = handler;
    attachHandler(visibilityHandler, false);
}

void TControl::setOnHide(TNotifyEvent handler) {
    onHide = handler;
    attachHandler(visibilityHandler, false);
}
