#include "visual/main_form.h"

#include "runtime/platform_hooks.h"
#include "toolkit/application.h"
#include "toolkit/bitmap.h"
#include "toolkit/control_factory.h"
#include "toolkit/control_paint.h"
#include "toolkit/system.h"
#include "visual/form_position.h"

#include <algorithm>
#include <vector>

namespace {

constexpr std::uint32_t borderStyleBits = WS_CAPTION | WS_SIZEBOX | WS_MINIMIZEBOX | WS_MAXIMIZEBOX;
constexpr std::uint32_t borderExStyleBits =
    WS_EX_DLGMODALFRAME | WS_EX_TOOLWINDOW | WS_EX_WINDOWEDGE;
constexpr WPARAM moveByCaption = 0xF012;
#ifndef WM_DPICHANGED
constexpr UINT WM_DPICHANGED = 0x02E0;
#endif
constexpr LPARAM closeFromOwner = 1;

struct BorderBits {
    std::uint32_t style;
    std::uint32_t exStyle;
};

constexpr BorderBits borderTable[10] = {
    {0, 0},
    {WS_CAPTION | WS_MINIMIZEBOX, 0},
    {WS_CAPTION | WS_SIZEBOX | WS_MINIMIZEBOX | WS_MAXIMIZEBOX, 0},
    {WS_CAPTION, WS_EX_WINDOWEDGE},
    {WS_CAPTION, WS_EX_TOOLWINDOW},
    {WS_CAPTION | WS_SIZEBOX, WS_EX_TOOLWINDOW},
    {0, WS_EX_DLGMODALFRAME},
    {WS_SIZEBOX, WS_EX_TOOLWINDOW},
    {0, WS_EX_CLIENTEDGE | WS_EX_DLGMODALFRAME},
    {WS_SIZEBOX, WS_EX_CLIENTEDGE},
};

// Main forms that exist: a start procedure registered by a form destroyed
// before the start step must not reach it.
std::vector<TKNMainForm*>& liveForms() {
    static std::vector<TKNMainForm*> list;
    return list;
}

void removeFormWindow(HWND window) {
    TStrListEx& list = formWindows();
    for (std::int32_t i = 0; i < list.count(); ++i) {
        if (list.object(i) != window)
            continue;
        // The objects beside the lines move up with them.
        for (std::int32_t j = i; j + 1 < list.count(); ++j)
            list.setObject(j, list.object(j + 1));
        list.setObject(list.count() - 1, nullptr);
        list.deleteAt(i);
        return;
    }
}

// The frame a window of these styles has around its client area at a
// resolution; systems before Windows 10 know only their own.
SIZE frameAt(std::uint32_t style, std::uint32_t exStyle, std::int32_t dpi) {
    static auto* const adjustForDpi =
        user32Function<BOOL WINAPI(RECT*, DWORD, BOOL, DWORD, UINT)>("AdjustWindowRectExForDpi");
    RECT frame{};
    if (!adjustForDpi || !adjustForDpi(&frame, style, FALSE, exStyle, static_cast<UINT>(dpi)))
        AdjustWindowRectEx(&frame, style, FALSE, exStyle);
    return {frame.right - frame.left, frame.bottom - frame.top};
}

} // namespace

TStrListEx& formWindows() {
    static TObjPtr<TStrListEx> list(new TStrListEx);
    return *list;
}

UINT innerMessage() {
    static const UINT number = RegisterWindowMessageA("inner message");
    return number;
}

TKNMainForm::TKNMainForm(TControl* parent) : TKNWin(parent) {
    if (!application.applet) {
        createdApplet_ = newApplet("");
        ownsApplication = true;
    }
    control = newForm(parent ? parent : application.applet, "Form");
    control->setVisible(false);
    control->setOn(TNotice::show, bindMethod<&TKNMainForm::show, TControl*>(this));
    liveForms().push_back(this);
    registerInitProc(TInitProc{startProc, this});
    background = newBitmap(0, 0);
}

TKNMainForm::~TKNMainForm() {
    std::vector<TKNMainForm*>& forms = liveForms();
    forms.erase(std::remove(forms.begin(), forms.end(), this), forms.end());
    TObj::freeObject(background);
    background = nullptr;
    if (control && control->handle)
        removeFormWindow(control->handle);
    releaseControl();
    // An applet this form made and no message loop ended goes with the form.
    if (createdApplet_ && application.applet == createdApplet_)
        createdApplet_->free();
}

// ---- setters ----

void TKNMainForm::setCaption(const std::string& text) {
    control->setCaption(text);
    if (ownsApplication && application.applet)
        application.applet->setCaption(text);
}

void TKNMainForm::setBorderStyle(std::uint8_t style) {
    if (style >= std::size(borderTable))
        return;
    const BorderBits& bits = borderTable[style];
    control->setStyle((control->style() & ~borderStyleBits) | bits.style);
    control->setExStyle((control->exStyle() & ~borderExStyleBits) | bits.exStyle);
}

void TKNMainForm::setIcon(HICON icon) {
    if (ownsApplication && application.applet)
        application.applet->setIcon(icon, true); // resource icons are the system's to keep
    if (!icon && parentControl && parentControl->icon() != noIcon)
        icon = parentControl->icon();
    control->setIcon(icon, true);
}

void TKNMainForm::setHideFromTaskbar(std::uint8_t flag) {
    if (ownsApplication && application.applet && flag == 1)
        application.applet->setExStyle(WS_EX_TOOLWINDOW | WS_EX_DLGMODALFRAME);
}

// ---- creation and start ----

void TKNMainForm::choosePositionHandler() {
    if (PositionKey.empty())
        positionHandler = {};
    else if (PositionKey.find(".ini\\") != std::string::npos)
        positionHandler = bindMethod<&TKNMainForm::iniPosition, bool>(this);
    else
        positionHandler = bindMethod<&TKNMainForm::registryPosition, bool>(this);
}

void TKNMainForm::init() {
    choosePositionHandler();
    const bool visible = Visible;
    Visible = false; // shown by the start procedure, never at its creation size
    if (!ownsApplication) {
        TStrListEx& list = formWindows();
        list.add(Name);
        list.setObject(list.count() - 1, control->getHandle());
    }
    TKNWin::init();
    Visible = visible;
    setAlphaBlend(*control, AlphaBlendValue);
    if (ClientSize) {
        setClientWidth(*control, scaledToScreen(Width));
        setClientHeight(*control, scaledToScreen(Height));
    }
    control->setOnPaint(bindMethod<&TKNMainForm::paintBackground, TControl*, HDC>(this));
    createHook();
}

RECT TKNMainForm::placement() const {
    if (ClientSize)
        return TKNWin::placement(); // the client size is set after the creation step
    const SIZE designFrame = frameAt(control->style(), control->exStyle(), designDpi);
    const SIZE frame = frameAt(control->style(), control->exStyle(), screenDpi());
    const std::int32_t left = scaledToScreen(Left), top = scaledToScreen(Top);
    return {left, top, left + scaledToScreen(Width - designFrame.cx) + frame.cx,
            top + scaledToScreen(Height - designFrame.cy) + frame.cy};
}

void TKNMainForm::rescaleTo(std::int32_t dpi, const RECT& suggested) {
    setScreenDpi(dpi);
    SetWindowPos(control->handle, nullptr, suggested.left, suggested.top,
                 suggested.right - suggested.left, suggested.bottom - suggested.top,
                 SWP_NOZORDER | SWP_NOACTIVATE);
    applyFont();
    for (std::int32_t i = 0; i < control->childCount(); ++i)
        if (HWND child = control->child(i)->liveWindow())
            SendMessageW(child, wmRescale, 0, 0);
}

void TKNMainForm::startProc(void* self) {
    auto* form = static_cast<TKNMainForm*>(self);
    const std::vector<TKNMainForm*>& forms = liveForms();
    if (std::find(forms.begin(), forms.end(), form) != forms.end())
        form->start();
}

void TKNMainForm::start() {
    raiseEvent(outStart);
    if (control)
        control->setVisible(Visible);
}

void TKNMainForm::paintBackground(TControl*, HDC dc) {
    if (!background->isEmpty())
        background->draw(dc, 0, 0);
}

void TKNMainForm::show(TControl* sender) {
    if (!shownOnce) {
        if (WindowState == 1 || WindowState == 2)
            control->setWindowState(WindowState);
        positionHandler(false);
        shownOnce = true;
    }
    TKNWin::show(sender);
}

void TKNMainForm::mouseDown(TControl* sender, TMouseRecord& record) {
    if (DragForm) {
        ReleaseCapture();
        control->send(WM_SYSCOMMAND, moveByCaption, 0);
    }
    TKNWin::mouseDown(sender, record);
}

// ---- messages ----

void TKNMainForm::postInnerMessage() {
    TStrListEx& list = formWindows();
    for (std::int32_t i = 0; i < list.count(); ++i)
        PostMessageW(static_cast<HWND>(list.object(i)), innerMessage(), 0, 0);
}

bool TKNMainForm::message(TMessage& msg, LRESULT& result) {
    switch (msg.message) {
    case WM_MOVE:
    case WM_SIZE:
        if (ownsApplication && application.applet && msg.window == control->handle) {
            if (msg.message == WM_MOVE)
                application.applet->setPosition(control->left(), control->top());
            else if (const std::int32_t width = clientWidth(*control); width > 0)
                application.applet->setSize(width, 0);
        }
        if (!Name.empty())
            postInnerMessage();
        break;
    case WM_DPICHANGED:
        if (msg.window == control->handle && msg.lParam) {
            rescaleTo(HIWORD(msg.wParam), *reinterpret_cast<const RECT*>(msg.lParam));
            result = 0;
            return true;
        }
        break;
    case WM_ACTIVATE:
        // The high word only says whether the window is minimised.
        raiseEvent(LOWORD(msg.wParam) != WA_INACTIVE ? outActivate : outDeactivate);
        break;
    case WM_ERASEBKGND:
        if (!background->isEmpty()) {
            result = 1; // the paint handler covers the window with the picture
            return true;
        }
        break;
    case WM_CLOSE:
        if (closeRoutine(msg.lParam == 0)) {
            result = 0;
            return true;
        }
        break;
    default:
        break;
    }
    return TKNWin::message(msg, result);
}

bool TKNMainForm::closeRoutine(bool userClose) {
    if (userClose && pullLinkedInteger(srcCloseBlock) != 0)
        return true;
    for (std::int32_t i = 0; i < control->childCount(); ++i) {
        TControl* child = control->child(i);
        if (child->isForm() && child->liveWindow())
            SendMessageW(child->handle, WM_CLOSE, 0, closeFromOwner);
    }
    bool keepOpen = true;
    if (ownsApplication) {
        keepOpen = false;
        raiseEvent(outClose);
        stopDispatch();
    } else {
        control->setVisible(false);
    }
    positionHandler(true);
    return keepOpen;
}

void TKNMainForm::registryPosition(bool save) {
    if (save)
        saveFormPositionToRegistry(*control, PositionKey);
    else
        loadFormPositionFromRegistry(*control, PositionKey);
}

void TKNMainForm::iniPosition(bool save) {
    if (save)
        saveFormPositionToIni(*control, PositionKey);
    else
        loadFormPositionFromIni(*control, PositionKey);
}
