#include "visual/win_element.h"

#include "runtime/platform_hooks.h"
#include "toolkit/alignment.h"
#include "toolkit/control_paint.h"
#include "toolkit/hint_manager.h"
#include "toolkit/input_events.h"

namespace {

constexpr std::uint32_t edgeStyles =
    WS_EX_CLIENTEDGE | WS_EX_STATICEDGE | WS_EX_DLGMODALFRAME | WS_EX_WINDOWEDGE;
constexpr UINT raiseWithoutShowing =
    SWP_NOSIZE | SWP_NOMOVE | SWP_NOACTIVATE | SWP_NOOWNERZORDER | SWP_HIDEWINDOW;

std::uint32_t edgeStyle(std::uint8_t edge, std::uint32_t current) {
    switch (edge) {
    case 1:
        return 0;
    case 2:
        return WS_EX_STATICEDGE;
    case 3:
        return WS_EX_DLGMODALFRAME;
    case 4:
        return WS_EX_CLIENTEDGE | WS_EX_DLGMODALFRAME;
    default:
        return current & edgeStyles;
    }
}

HCURSOR loadCursor(std::int32_t id) {
    const wchar_t* name = MAKEINTRESOURCEW(id);
    HCURSOR cursor = LoadCursorW(GetModuleHandleW(nullptr), name);
    return cursor ? cursor : LoadCursorW(nullptr, name);
}

} // namespace

std::int32_t mouseButtonCode(const TMouseRecord& record) {
    if (record.shift & MK_LBUTTON)
        return 0;
    if (record.shift & MK_RBUTTON)
        return 1;
    if (record.shift & MK_MBUTTON)
        return 2;
    return -1;
}

TKNWin::TKNWin(TControl* parent) : parentControl(parent) {
    if (parent)
        Color = parent->color();
}

TKNWin::~TKNWin() {
    if (layoutManager && control)
        layoutManager->unregisterControl(*control);
    // The tip's window belongs to the control's window: it goes first, while
    // it can still give back its font.
    removeTip();
    releaseControl();
}

void TKNWin::removeTip() {
    if (hintManager && tooltipId)
        hintManager->destroyTip(tooltipId);
    tooltipId = nullptr;
    hintManager = nullptr;
}

void TKNWin::releaseControl() {
    if (!control)
        return;
    TControl* owned = control;
    control = nullptr;
    detach(*owned);
    owned->setVisible(false);
    owned->free();
}

// Hiding and destroying the window must not raise events of an element that
// is itself being destroyed.
void TKNWin::detach(TControl& owned) {
    owned.destroyHandler = {};
    owned.messageHandler = previousMessageHandler;
    owned.clearEvents();
}

// ---- creation ----

void TKNWin::init() {
    controlAccessor = bindFuncMethod<&TKNWin::accessControl, TControl*>(this);
    control->setColor(Color);
    control->setBounds(placement());
    applyBorder();
    setTransparent(*control, Transparent);
    control->setEnabled(Enabled);
    if (Cursor)
        control->setCursor(loadCursor(Cursor));
    applyFont();
    applyTabOrder();
    previousMessageHandler = control->messageHandler;
    installHandlers();
    if (Align)
        setAlign(*control, Align);
    SetWindowPos(control->getHandle(), HWND_TOP, 0, 0, 0, 0, raiseWithoutShowing);
    control->setVisible(Visible);
    control->createWindow();
    applyEdge();
}

RECT TKNWin::placement() const {
    const std::int32_t left = scaledToScreen(Left), top = scaledToScreen(Top);
    return {left, top, left + scaledToScreen(Width), top + scaledToScreen(Height)};
}

void TKNWin::rescale() {
    control->setBounds(placement());
    applyFont();
}

void TKNWin::applyBorder() {
    if (Ctl3D == 0) {
        control->setExStyle(control->exStyle() | WS_EX_CLIENTEDGE);
        control->setStyle(control->style() & ~static_cast<std::uint32_t>(WS_BORDER));
    } else if (Ctl3D == 1) {
        control->setExStyle(control->exStyle() & ~static_cast<std::uint32_t>(WS_EX_CLIENTEDGE));
        control->setStyle(control->style() | WS_BORDER);
    }
}

void TKNWin::applyFont() {
    if (ParentFont) {
        if (parentControl && parentControl->font()) {
            if (control->font())
                assignTool(control->font(), parentControl->font());
            else
                control->adoptFont(assignTool(nullptr, parentControl->font()));
        }
        return;
    }
    // A font the schematic never described keeps the one inherited from the
    // parent instead of becoming the system's bold default.
    if (Font.name.empty() && Font.size == 0)
        return;
    TGraphicTool& font = control->fontTool();
    font.setColor(Font.color);
    font.setFontStyle(Font.style);
    font.setFontName(Font.name);
    font.setFontHeight(fontHeight(Font.size));
    font.setFontCharset(Font.charset);
}

void TKNWin::applyTabOrder() {
    if (TabOrder > 0) {
        control->setStyle(control->style() | WS_TABSTOP);
        control->navigation.tabStop = true;
        control->navigation.tabOrder = TabOrder;
    } else if (TabOrder == 0) {
        control->navigation.tabStop = true;
    } else {
        control->navigation.tabStop = false;
    }
}

void TKNWin::applyEdge() {
    if (Ctl3D != 0)
        return;
    const std::uint32_t kept = control->exStyle() & ~edgeStyles;
    control->setExStyle(kept | edgeStyle(Edge, control->exStyle()));
}

void TKNWin::installHandlers() {
    TControl& c = *control;
    c.setOn(TMouseAction::down, bindMethod<&TKNWin::mouseDown, TControl*, TMouseRecord&>(this));
    c.setOn(TMouseAction::move, bindMethod<&TKNWin::mouseMove, TControl*, TMouseRecord&>(this));
    c.setOn(TMouseAction::up, bindMethod<&TKNWin::mouseUp, TControl*, TMouseRecord&>(this));
    c.setOn(TMouseAction::wheel, bindMethod<&TKNWin::mouseWheel, TControl*, TMouseRecord&>(this));
    c.setOn(TMouseAction::doubleClick,
            bindMethod<&TKNWin::mouseDblClk, TControl*, TMouseRecord&>(this));
    c.messageHandler = bindFuncMethod<&TKNWin::message, bool, TMessage&, LRESULT&>(this);
    c.destroyHandler = bindMethod<&TKNWin::controlDestroyed, TObj*>(this);
    c.setOn(TKeyAction::down,
            bindMethod<&TKNWin::previewKeyDown, TControl*, std::int32_t&, std::uint32_t>(this));
    c.setOn(TKeyAction::up,
            bindMethod<&TKNWin::previewKeyUp, TControl*, std::int32_t&, std::uint32_t>(this));
    c.setOnChar(bindMethod<&TKNWin::keyChar, TControl*, char&, std::uint32_t>(this));
    c.setOn(TNotice::resize, bindMethod<&TKNWin::resize, TControl*>(this));
    c.setOn(TNotice::show, bindMethod<&TKNWin::show, TControl*>(this));
    c.setOn(TNotice::hide, bindMethod<&TKNWin::hide, TControl*>(this));
}

void TKNWin::installEnterLeave() {
    control->setOn(TNotice::mouseEnter, bindMethod<&TKNWin::mouseEnter, TControl*>(this));
    control->setOn(TNotice::mouseLeave, bindMethod<&TKNWin::mouseLeave, TControl*>(this));
}

void TKNWin::attachHint(TKNHintManager* manager) {
    if (manager) {
        installEnterLeave();
        registerTip(*manager);
        return;
    }
    if (Hint.empty())
        return;
    registerTip(*createHintManager());
}

void TKNWin::registerTip(TKNHintManager& manager) {
    if (!control)
        return;
    removeTip();
    TTipInterface& tips = *manager.tipInterface;
    tooltipId = tips.createTip(control->getHandle());
    tips.setTipText(tooltipId, Hint);
    hintManager = &tips;
}

void TKNWin::attachLayout(TKNLayoutManager* manager) {
    if (manager && control)
        manager->registerControl(*control, LayoutParam1, LayoutParam2);
    layoutManager = manager;
}

// ---- keys ----

// The parent sees the key first; a key it swallows goes no further.
void TKNWin::previewKeyDown(TControl* sender, std::int32_t& key, std::uint32_t shift) {
    if (keyPreview && parentControl && parentControl->handler(TKeyAction::down)) {
        parentControl->handler(TKeyAction::down)(sender, key, shift);
        if (key == 0)
            return;
    }
    keyResult = -1;
    keyDown(sender, key, shift);
    if (keyResult >= 0)
        key = keyResult;
    else if (key == 0)
        keyResult = 0;
}

void TKNWin::previewKeyUp(TControl* sender, std::int32_t& key, std::uint32_t shift) {
    if (keyPreview && parentControl && parentControl->handler(TKeyAction::up)) {
        parentControl->handler(TKeyAction::up)(sender, key, shift);
        if (key == 0)
            return;
    }
    keyResult = -1;
    keyUp(sender, key, shift);
    if (keyResult >= 0)
        key = keyResult;
    else if (key == 0)
        keyResult = 0;
}

void TKNWin::keyDown(TControl*, std::int32_t& key, std::uint32_t) {
    raiseInteger(outKeyDown, key);
}

void TKNWin::keyUp(TControl*, std::int32_t& key, std::uint32_t) {
    raiseInteger(outKeyUp, key);
}

void TKNWin::keyChar(TControl*, char& character, std::uint32_t) {
    raiseString(outKeyPress, std::string(1, character));
}

// ---- mouse ----

void TKNWin::mouseDown(TControl*, TMouseRecord& record) {
    lastMouse = record;
    raiseInteger(outMouseDown, record.button - 1);
    if (mouseCapture && control) {
        ReleaseCapture();
        SetCapture(control->handle);
    }
}

void TKNWin::mouseMove(TControl*, TMouseRecord& record) {
    if (hintManager)
        hintManager->moveTracked(tooltipId, lastMouse.x, lastMouse.y);
    const std::int32_t code = mouseButtonCode(lastMouse);
    lastMouse = record;
    raiseInteger(outMouseMove, code);
}

void TKNWin::mouseEnter(TControl*) {
    if (hintManager)
        hintManager->showTracked(tooltipId);
    raiseEvent(outMouseEnter);
}

void TKNWin::mouseLeave(TControl*) {
    if (hintManager)
        hintManager->hideTracked(tooltipId);
    raiseEvent(outMouseLeave);
}

void TKNWin::mouseUp(TControl*, TMouseRecord& record) {
    lastMouse = record;
    raiseInteger(outMouseUp, record.button - 1);
    if (mouseCapture)
        ReleaseCapture();
}

void TKNWin::mouseWheel(TControl*, TMouseRecord& record) {
    lastMouse = record;
    // The signed delta sits in the high word; the key flags below it make a
    // backward notch round toward zero (-119 instead of -120).
    raiseInteger(outMouseWheel, static_cast<std::int32_t>(record.shift) / 65536);
}

void TKNWin::mouseDblClk(TControl*, TMouseRecord& record) {
    raiseInteger(outDblClick, record.button - 1);
}

// ---- window messages ----

bool TKNWin::message(TMessage& msg, LRESULT& result) {
    switch (msg.message) {
    case WM_MOVE:
        raiseEvent(outMove);
        break;
    case WM_SETFOCUS:
        raiseEvent(outSetFocus);
        break;
    case WM_KILLFOCUS:
        raiseEvent(outKillFocus);
        break;
    case wmRescale:
        rescale();
        result = 0;
        return true;
    case WM_WINDOWPOSCHANGING: {
        auto* position = reinterpret_cast<WINDOWPOS*>(msg.lParam);
        if (position && !(position->flags & SWP_NOSIZE) && msg.window) {
            RECT current{};
            GetWindowRect(msg.window, &current);
            applySizingHook(sizingHeight, position->cy, current.bottom - current.top);
            applySizingHook(sizingWidth, position->cx, current.right - current.left);
        }
        break;
    }
    default:
        break;
    }
    return previousMessageHandler ? previousMessageHandler(msg, result) : false;
}

// The hook sees the change of size and may answer another change; both
// sizes are outer sizes, so borders do not count as a change.
void TKNWin::applySizingHook(const TKN_Event& hook, int& proposed, int current) {
    if (!hook.connected() || proposed == current)
        return;
    TData data;
    setInteger(data, proposed - current);
    callEvent(hook, data);
    if (data.tag == tagInteger)
        proposed = current + data.intValue;
}

void TKNWin::controlDestroyed(TObj*) {
    windowDestroyed = true;
    control = nullptr;
}

void TKNWin::resize(TControl*) {
    raiseEvent(outResize);
}

void TKNWin::show(TControl*) {
    raiseEvent(outShow);
}

void TKNWin::hide(TControl*) {
    raiseEvent(outHide);
}
