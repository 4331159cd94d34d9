#include "toolkit/dispatch.h"

#include "toolkit/application.h"
#include "toolkit/edit_text.h"
#include "toolkit/failure_report.h"

#include <commctrl.h>

namespace {

LRESULT dispatchToObject(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    TControl* target = nullptr;
    if (window) {
        if (application.creatingControl) {
            // The first message of a window being created: from now on its
            // messages reach the object, even those sent inside its creation.
            target = application.creatingControl;
            application.creatingControl = nullptr;
            target->handle = window;
            bindWindow(window, target);
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
    if (application.applet)
        return application.applet->windowMethod(msg);
    return DefWindowProcW(window, message, wParam, lParam);
}

} // namespace

// A failure must not unwind through the system's frames that called us.
LRESULT CALLBACK toolkitWindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    return runReporting([=] { return dispatchToObject(window, message, wParam, lParam); },
                        LRESULT{0});
}

// ---- the control's own processing ----

LRESULT TControl::defaultProcessing(const TMessage& msg) {
    if (defaultProcedure_)
        return CallWindowProcW(defaultProcedure_, msg.window, msg.message, msg.wParam, msg.lParam);
    return DefWindowProcW(msg.window, msg.message, msg.wParam, msg.lParam);
}

LRESULT TControl::send(UINT message, WPARAM wParam, LPARAM lParam) {
    return SendMessageW(getHandle(), message, wParam, lParam);
}

void TControl::attachHandler(TMessageHandler proc, bool keepAfterTermination) {
    for (const HandlerEntry& entry : handlerList_)
        if (entry.proc == proc)
            return;
    handlerList_.push_back({proc, keepAfterTermination});
}

bool TControl::runHandlerChain(TMessage& msg, LRESULT& result) {
    // Newest first. A handler may attach another or free the control: the
    // index is re-checked and the chain stops once a free is pending.
    for (std::size_t i = handlerList_.size(); i-- > 0;) {
        if (i >= handlerList_.size())
            continue;
        const HandlerEntry entry = handlerList_[i];
        if (!entry.keepAfterTermination && application.appletTerminated)
            continue;
        if (entry.proc(*this, msg, result) || freeRequested())
            return true;
    }
    return false;
}

LRESULT TControl::windowMethod(TMessage& msg) {
    if (!pendingText_.empty())
        TEditText::flush(*this); // whatever the message, the window has its whole text
    LRESULT result = 0;
    if (application.paintHook && application.paintHook(*this, msg, result))
        return result;
    // The reference bracket: a handler that frees the control only marks it;
    // the release at the end destroys it, after the last use.
    const TObjHold hold(*this);
    // While destroying, the count is odd by design: that is no free request,
    // and the system's own processing (WM_NCDESTROY) must still run.
    const bool dying = beingDestroyed();
    const auto freePending = [this, dying] { return !dying && freeRequested(); };
    bool handled = false;
    if (application.appletRunning && application.applet && application.applet != this &&
        application.applet->messageHandler)
        handled = application.applet->messageHandler(msg, result);
    if (!handled && !dying && messageHandler)
        handled = messageHandler(msg, result);
    if (!handled && !dying && !freePending())
        handled = runHandlerChain(msg, result) || freePending();
    if (!handled && !freePending())
        result = builtinProcessing(msg);
    return result;
}

LRESULT TControl::handleKeyMessage(TMessage& msg) {
    if (GetFocus() != handle || !handle)
        return 0;
    LRESULT result = 0;
    if (keyHook_ && keyHook_(*this, msg, result))
        return result;
    const bool ctrlOrAlt = GetKeyState(VK_CONTROL) < 0 || GetKeyState(VK_MENU) < 0;
    if (!ctrlOrAlt) {
        if (msg.message != WM_CHAR) {
            TControl* form = parentForm();
            TFormState* state = form ? form->formState() : nullptr;
            if (state && state->navigation &&
                state->navigation(*form, *this, msg.wParam, msg.message != WM_KEYDOWN)) {
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
    unbindWindow(msg.window);
    if (msg.window != handle)
        return defaultProcessing(msg);
    windowGone_ = true;
    if (isApplet())
        return 0;
    if (isMainWindow()) {
        PostMessageW(msg.window, wmDeferredRelease, 0, 0);
        return defaultProcessing(msg);
    }
    if (parent && parent == application.applet) {
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
            windowState_ = static_cast<std::uint8_t>(msg.wParam);
        if (application.alignProc) {
            if (!isForm() && parent)
                application.alignProc(*parent);
            application.alignProc(*this);
        }
        return result;
    }
    case WM_SETFOCUS: {
        const bool windowEnabled = handle ? IsWindowEnabled(handle) : enabled_;
        if (!windowEnabled || !navigation.tabStop)
            return 0;
        ++navigation.focusGuard;
        SetFocus(handle);
        const LRESULT result = defaultProcessing(msg);
        --navigation.focusGuard;
        return result;
    }
    case WM_CLOSE:
        if (isMainWindow() || isApplet()) {
            if (application.applet && application.applet != this)
                application.applet->send(WM_CLOSE, 0, 0);
            PostQuitMessage(0);
            return 0;
        }
        return defaultProcessing(msg);
    case WM_SHOWWINDOW:
        if (msg.lParam == SW_PARENTCLOSING) {
            savedShowCommand_ = IsIconic(handle)   ? SW_SHOWMINNOACTIVE
                                : IsZoomed(handle) ? SW_SHOWMAXIMIZED
                                                   : SW_SHOWNOACTIVATE;
            return defaultProcessing(msg);
        }
        if (msg.lParam == SW_PARENTOPENING) {
            if (savedShowCommand_) {
                ShowWindow(handle, savedShowCommand_);
                savedShowCommand_ = 0;
            }
            return 0;
        }
        return defaultProcessing(msg);
    case WM_SETCURSOR:
        if (!GetCapture() && LOWORD(msg.lParam) == HTCLIENT && cursor_) {
            SetCursor(cursor_);
            return 1;
        }
        return defaultProcessing(msg);
    case WM_NCDESTROY:
        return handleNcDestroy(msg);
    case WM_SYSCOMMAND:
        if ((msg.wParam & 0xFFF0) == SC_MINIMIZE && application.applet &&
            application.applet != this && isMainWindow()) {
            if (application.applet->handle)
                PostMessageW(application.applet->handle, WM_SYSCOMMAND, SC_MINIMIZE, 0);
            return 0;
        }
        return defaultProcessing(msg);
    case wmDeferredRelease:
        // Our own request comes only after the system destroyed the window;
        // any other sender (another program may post it) is ignored.
        if (windowGone_)
            free();
        return 0;
    default:
        break;
    }
    if (msg.message >= WM_KEYFIRST && msg.message <= WM_UNICHAR)
        return handleKeyMessage(msg);
    if (LRESULT result = 0; reflectToChild(msg, result))
        return result;
    return defaultProcessing(msg);
}

bool reflectToChild(const TMessage& msg, LRESULT& result) {
    HWND source = nullptr;
    UINT reflected = msg.message + wmReflectedOffset;
    if (msg.message == WM_COMMAND) {
        source = reinterpret_cast<HWND>(msg.lParam);
        reflected = wmReflectedCommand;
    } else if (msg.message == WM_NOTIFY) {
        if (msg.lParam)
            source = reinterpret_cast<const NMHDR*>(msg.lParam)->hwndFrom;
    } else if (msg.message == WM_HSCROLL || msg.message == WM_VSCROLL ||
               (msg.message >= WM_CTLCOLORMSGBOX && msg.message <= WM_CTLCOLORSTATIC)) {
        source = reinterpret_cast<HWND>(msg.lParam);
    }
    // Only a window of ours understands the reflected message.
    if (!source || source == msg.window || !controlOfWindow(source))
        return false;
    result = SendMessageW(source, reflected, msg.wParam, msg.lParam);
    return true;
}

// ---- handlers the factories attach ----

bool childNotificationHandler(TControl& control, TMessage& msg, LRESULT& result) {
    if (msg.message == WM_SETFOCUS) {
        TControl* form = control.parentForm();
        if (!form)
            return true;
        form->formState()->lastFocused = &control;
        return false;
    }
    if (msg.message == wmReflectedCommand) {
        const TActionRecord& codes = control.actions;
        const WORD code = HIWORD(msg.wParam);
        if (code == codes.clickCode) {
            if (!control.navigation.focusGuard)
                control.notify(TNotice::click);
        } else if (code == codes.changeCode) {
            control.notify(TNotice::change);
        } else {
            return false;
        }
        result = control.defaultProcessing(msg);
        return true;
    }
    if (msg.message >= wmReflectedColorFirst && msg.message <= wmReflectedColorLast) {
        HDC dc = reinterpret_cast<HDC>(msg.wParam);
        SetTextColor(dc, resolveColor(control.textColor()));
        if (control.transparent()) {
            SetBkMode(dc, TRANSPARENT);
            result = reinterpret_cast<LRESULT>(GetStockObject(NULL_BRUSH));
        } else {
            SetBkMode(dc, OPAQUE);
            SetBkColor(dc, resolveColor(control.color()));
            result = reinterpret_cast<LRESULT>(control.backgroundBrush());
        }
        return true;
    }
    return false;
}

bool commonNotificationHandler(TControl& control, TMessage& msg, LRESULT&) {
    if (msg.message != wmReflectedNotify || !msg.lParam)
        return false;
    const auto* header = reinterpret_cast<const NMHDR*>(msg.lParam);
    const UINT code = header->code;
    if (code == static_cast<UINT>(NM_CLICK) || code == static_cast<UINT>(NM_RCLICK)) {
        control.notify(TNotice::click);
        return true;
    }
    return false;
}

bool appletHandler(TControl& control, TMessage& msg, LRESULT& result) {
    TControl* active = control.formState()->lastFocused;
    if (msg.message == WM_SETFOCUS && active) {
        SetFocus(active->getHandle());
        result = 0;
        return true;
    }
    if (msg.message == WM_SYSCOMMAND && (msg.wParam & 0xFFF0) == SC_CLOSE &&
        control.childCount() > 0 && control.child(0)->isMainWindow()) {
        PostMessageW(control.child(0)->getHandle(), WM_CLOSE, 0, 0);
        result = 0;
        return true;
    }
    return false;
}

namespace {

void endSession(TControl& form) {
    form.free();
    application.appletTerminated = true;
    application.appletRunning = false;
    TControl* oldApplet = application.applet;
    application.applet = nullptr;
    TObj::freeObject(oldApplet);
    ExitProcess(0);
}

} // namespace

bool formFocusHandler(TControl& form, TMessage& msg, LRESULT& result) {
    if (msg.message == WM_SETFOCUS) {
        if (application.applet && application.applet != &form)
            application.applet->formState()->lastFocused = &form;
        TControl* focused = form.formState()->lastFocused;
        if (!focused)
            return false;
        SetFocus(focused->getHandle());
        result = 0;
        return true;
    }
    if (msg.message == WM_ENDSESSION && msg.wParam)
        endSession(form);
    return false;
}

bool formBackgroundHandler(TControl& form, TMessage& msg, LRESULT& result) {
    if (msg.message != WM_ERASEBKGND)
        return false;
    for (std::int32_t i = 0; i < form.childCount(); ++i)
        form.child(i)->createWindow();
    if (form.transparent())
        return false;
    HDC dc = reinterpret_cast<HDC>(msg.wParam);
    SetBkMode(dc, OPAQUE);
    SetBkColor(dc, resolveColor(form.color()));
    SetBrushOrgEx(dc, 0, 0, nullptr);
    RECT client{};
    GetClientRect(form.handle, &client);
    FillRect(dc, &client, form.backgroundBrush());
    result = 1;
    return false; // default processing gives the final answer
}

bool visibilityHandler(TControl& control, TMessage& msg, LRESULT&) {
    if (msg.message != WM_SHOWWINDOW || msg.window != control.handle)
        return false;
    const bool wasVisible = (GetWindowLongPtrW(msg.window, GWL_STYLE) & WS_VISIBLE) != 0;
    if (msg.wParam && !wasVisible)
        control.notify(TNotice::show);
    else if (!msg.wParam && wasVisible)
        control.notify(TNotice::hide);
    return false;
}
