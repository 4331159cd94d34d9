#include "toolkit/control.h"

#include "toolkit/application.h"
#include "toolkit/canvas.h"
#include "toolkit/gdi_counter.h"
#include "toolkit/wide_text.h"
#include "toolkit/window_objects.h"

namespace {

constexpr UINT swpApplyStyle =
    SWP_NOSIZE | SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE | SWP_FRAMECHANGED;

// Where a control without a place of its own goes in its parent.
constexpr std::int32_t defaultPlace = 2;
constexpr std::int32_t defaultSize = 64;

} // namespace

TControl::TControl(TControl* parent, const TControlSetup& setup)
    : parent(parent), children(makeObj<TList>()), actions(setup.actions), kind_(setup.kind),
      subclassName_(setup.subclassName), classStyle_(setup.classStyle), style_(setup.style),
      exStyle_(setup.exStyle), controlId_(setup.controlId) {
    if (kind_ != TControlKind::child)
        formState_ = std::make_unique<TFormState>();
    if (!parent)
        return;
    parent->children->add(this);
    textColor_ = parent->textColor_;
    color_ = parent->color_;
    cursor_ = parent->cursor_;
    if (parent->font_)
        adoptFont(cloneTool(parent->font_));
    if (parent->brush_)
        adoptBrush(cloneTool(parent->brush_));
    bounds_ = {defaultPlace, defaultPlace, defaultPlace + defaultSize, defaultPlace + defaultSize};
}

TControl::~TControl() = default;

// A window not on the screen (hidden, or under a hidden parent) is painted
// whole when it is shown: invalidating it would only cost round trips.
void TControl::invalidate() {
    if (application.appletTerminated || !liveWindow() || !IsWindowVisible(handle))
        return;
    InvalidateRect(handle, nullptr, TRUE);
    if (application.invalidateHook)
        application.invalidateHook(*this);
}

// ---- tree ----

bool TControl::isMainWindow() const {
    if (isControl())
        return false;
    if (!parent)
        return isApplet() || !application.appletCreated;
    if (parent->parent)
        return false;
    return parent->child(0) == this;
}

TControl* TControl::parentForm() {
    TControl* control = this;
    while (control && control->isControl())
        control = control->parent;
    return control;
}

TControl* TControl::child(std::int32_t index) const {
    return static_cast<TControl*>(children->get(index));
}

// ---- properties ----

// What the program asked for; the window's own state once it is shown as
// asked (the system may hide it with its parent).
bool TControl::visible() const {
    if (liveWindow() && !showAfterCreate_)
        return (GetWindowLongPtrW(handle, GWL_STYLE) & WS_VISIBLE) != 0;
    return (style_ & WS_VISIBLE) != 0;
}

void TControl::setVisible(bool value) {
    if (value) {
        style_ |= WS_VISIBLE;
    } else {
        style_ &= ~WS_VISIBLE;
        showAfterCreate_ = false;
    }
    if (!liveWindow())
        return;
    const TObjHold hold(*this);
    ShowWindow(handle, value ? SW_SHOW : SW_HIDE);
    if (freeRequested())
        return;
    if (application.alignProc) {
        if (parent)
            application.alignProc(*parent);
        if (value)
            application.alignProc(*this);
    }
}

void TControl::setCreateVisible(bool value) {
    createVisible_ = true;
    setVisible(value);
}

void TControl::setEnabled(bool value) {
    enabled_ = value;
    if (liveWindow())
        EnableWindow(handle, value);
}

void TControl::setStyle(std::uint32_t value) {
    changeStyle(style_, GWL_STYLE, value);
}

void TControl::setExStyle(std::uint32_t value) {
    changeStyle(exStyle_, GWL_EXSTYLE, value);
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

void TControl::setTextAlign(TTextAlign value) {
    const std::uint16_t values[3] = {actions.alignLeftStyle, actions.alignRightStyle,
                                     actions.alignCenterStyle};
    if (value > taCenter)
        return;
    std::uint32_t newStyle = style_;
    for (int i = 0; i < 3; ++i)
        if (i != value)
            newStyle &= ~static_cast<std::uint32_t>(values[i]);
    newStyle |= values[value];
    newStyle &= ~static_cast<std::uint32_t>(actions.alignClearMask);
    setStyle(newStyle);
}

RECT TControl::getBounds() const {
    if (!liveWindow())
        return bounds_;
    RECT rect{};
    GetWindowRect(handle, &rect);
    if (GetWindowLongPtrW(handle, GWL_STYLE) & WS_CHILD)
        MapWindowPoints(HWND_DESKTOP, GetParent(handle), reinterpret_cast<POINT*>(&rect), 2);
    return rect;
}

void TControl::setBounds(const RECT& value) {
    if (value.left != bounds_.left)
        leftChanged_ = true;
    if (value.top != bounds_.top)
        topChanged_ = true;
    bounds_ = value;
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
    if (value == windowState_ || value > 2)
        return;
    windowState_ = value;
    ShowWindow(getHandle(), commands[value]);
}

void TControl::setCaption(const std::string& text) {
    pendingText_.clear(); // the new text replaces what was still to come
    caption_ = text;
    if (!liveWindow())
        return;
    const TObjHold hold(*this);
    SetWindowTextW(handle, toWideText(text).c_str());
    if (freeRequested())
        return;
    invalidate();
    notify(TNotice::fontChange);
}

std::string TControl::getCaption() const {
    if (!liveWindow() || !pendingText_.empty())
        return caption_;
    const int length = GetWindowTextLengthW(handle);
    std::wstring text(static_cast<std::size_t>(length) + 1, L'\0');
    const int copied = GetWindowTextW(handle, text.data(), length + 1);
    text.resize(static_cast<std::size_t>(copied > 0 ? copied : 0));
    return fromWideText(text);
}

void TControl::setColor(std::int32_t value) {
    if (value == color_)
        return;
    color_ = value;
    if (brush_)
        brush_->setColor(value);
    invalidate();
}

void TControl::setTextColor(std::int32_t value) {
    if (value == textColor_)
        return;
    textColor_ = value;
    if (font_)
        font_->setColor(value);
    invalidate();
}

// Applying the font sends messages whose handlers may free the control.
void TControl::toolChanged(TGraphicTool* tool) {
    const TObjHold hold(*this);
    if (tool == font_) {
        textColor_ = font_->color;
        applyFont();
        if (!freeRequested())
            invalidate();
    } else if (tool == brush_) {
        color_ = brush_->color;
        deleteGdiObject(cachedBrush_);
        cachedBrush_ = nullptr;
        // The canvas may have the old handle selected: it must let go of it
        // before the handle is deleted. Within a paint the change is drawn.
        if (canvas_)
            canvas_->deselectTools();
        if (!paintDC_)
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
    if (!font_) {
        TGraphicTool* tool = newFont();
        tool->color = textColor_;
        adoptTool(font_, tool);
    }
    return *font_;
}

TGraphicTool& TControl::brushTool() {
    if (!brush_) {
        TGraphicTool* tool = newBrush();
        tool->color = color_;
        adoptTool(brush_, tool);
    }
    return *brush_;
}

void TControl::applyFont() {
    if (!font_)
        return;
    const TObjHold hold(*this);
    if (liveWindow()) {
        textColor_ = font_->color;
        SendMessageW(handle, WM_SETFONT, reinterpret_cast<WPARAM>(font_->getToolHandle()), 1);
        if (freeRequested())
            return;
    }
    TObj::freeObject(canvas_);
    canvas_ = nullptr;
    notify(TNotice::fontChange);
}

void TControl::setIcon(HICON value, bool shared) {
    HICON old = icon_;
    const bool oldOwned = old && old != noIcon && !iconShared_;
    icon_ = value;
    iconShared_ = shared;
    if (liveWindow())
        SendMessageW(handle, WM_SETICON, ICON_BIG, reinterpret_cast<LPARAM>(value));
    if (oldOwned && old != value)
        DestroyIcon(old);
}

HBRUSH TControl::backgroundBrush() {
    if (application.brushToolsMade) {
        // Brush tools exist: the control's own tool, borrowing the parent's
        // handle while their settings are equal.
        TGraphicTool& tool = brushTool();
        tool.setColor(color_);
        if (parent && !tool.parentTool)
            tool.setParentTool(&parent->brushTool());
        return static_cast<HBRUSH>(tool.getToolHandle());
    }
    if (parent && parent->color_ == color_)
        return parent->backgroundBrush();
    const COLORREF resolved = resolveColor(color_);
    if (cachedBrush_ && cachedBrushColor_ != resolved) {
        deleteGdiObject(cachedBrush_);
        cachedBrush_ = nullptr;
    }
    if (!cachedBrush_) {
        cachedBrush_ = countGdiObject(CreateSolidBrush(resolved));
        cachedBrushColor_ = resolved;
    }
    return cachedBrush_;
}

// ---- destruction ----

void TControl::forgetInForm(TControl* form) {
    TFormState* state = form->formState();
    if (!state)
        return;
    for (TControl** kept : {&state->lastFocused, &state->defaultButton, &state->cancelButton})
        if (*kept == this)
            *kept = nullptr;
}

void TControl::beforeDestruction() {
    if (TControl* form = parentForm(); form && form != this)
        forgetInForm(form);
    if (application.applet && application.applet != this)
        forgetInForm(application.applet);
    if (HWND window = liveWindow())
        ShowWindow(window, SW_HIDE);
    notifyDestroyed();

    // A child's tool may keep ours alive to borrow its handle: it must not
    // call back into this control once it is gone.
    for (TGraphicTool* tool : {font_, brush_})
        if (tool)
            tool->onChange = {};
    TObj::freeObject(font_);
    font_ = nullptr;
    TObj::freeObject(brush_);
    brush_ = nullptr;
    TObj::freeObject(canvas_);
    canvas_ = nullptr;
    if (liveWindow()) {
        SendMessageW(handle, WM_SETICON, ICON_BIG, 0);
        DestroyWindow(handle);
    }
    // Should the window have outlived its destruction, its handle, which the
    // system may give to another window, must not lead here.
    if (handle && controlOfWindow(handle) == this)
        unbindWindow(handle);
    if (icon_ && icon_ != noIcon && !iconShared_)
        DestroyIcon(icon_);
    icon_ = nullptr;
    handle = nullptr;
    deleteGdiObject(cachedBrush_);
    cachedBrush_ = nullptr;
    if (parent)
        parent->children->remove(this);
    // Children outlive their parent (their owners free them): they must not
    // keep pointing at it.
    for (std::int32_t i = 0; i < childCount(); ++i)
        child(i)->parent = nullptr;
    if (application.applet == this)
        application.applet = nullptr;
    if (application.creatingControl == this)
        application.creatingControl = nullptr;
}
