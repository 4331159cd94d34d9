#include "toolkit/navigation.h"

#include "toolkit/application.h"
#include "toolkit/window_objects.h"

namespace {

constexpr WPARAM keyEnter = VK_RETURN;
constexpr WPARAM keyEscape = VK_ESCAPE;

// The navigation bit a key needs, or 0 for keys that do not navigate.
std::uint8_t navigationBit(WPARAM key) {
    switch (key) {
    case VK_TAB:
        return nkTab;
    case VK_PRIOR:
    case VK_NEXT:
        return nkPage;
    case VK_LEFT:
    case VK_RIGHT:
        return nkLeftRight;
    case VK_UP:
    case VK_DOWN:
        return nkUpDown;
    default:
        return 0;
    }
}

bool movesForward(WPARAM key) {
    switch (key) {
    case VK_TAB:
        return GetKeyState(VK_SHIFT) >= 0;
    case VK_NEXT:
    case VK_RIGHT:
    case VK_DOWN:
        return true;
    default:
        return false;
    }
}

bool visibleUpTo(const TControl& control, const TControl& form) {
    for (const TControl* c = &control; c && c != &form; c = c->parent)
        if (!c->visible())
            return false;
    return true;
}

void collectTabStops(TControl& form, TControl& container, std::vector<TControl*>& list) {
    for (std::int32_t i = 0; i < container.childCount(); ++i) {
        TControl* child = container.child(i);
        if (child->navigation.tabStop && child->enabled() && visibleUpTo(*child, form) &&
            (child->style() & WS_TABSTOP)) {
            auto position = list.begin();
            while (position != list.end() &&
                   (*position)->navigation.tabOrder <= child->navigation.tabOrder)
                ++position;
            list.insert(position, child);
        }
        if (child->enabled())
            collectTabStops(form, *child, list);
    }
}

bool navigationHandler(TControl& form, TControl& control, WPARAM key, bool notKeyDown) {
    const std::uint8_t bit = navigationBit(key);
    if (!bit || !(control.navigation.keys & bit))
        return false;
    if (notKeyDown)
        return true;
    moveFocus(form, movesForward(key));
    return true;
}

bool buttonUsable(const TControl* button) {
    return button && button->visible() && button->enabled();
}

// Sees every key of every window while the application runs.
bool defaultButtonKeyHandler(void* self, TMessage& msg, LRESULT& result) {
    if (msg.message != WM_KEYDOWN && msg.message != WM_KEYUP)
        return false;
    auto* owner = static_cast<TControl*>(self);
    const TMessageMethod& saved = owner->formState()->savedMessageHandler;
    if (saved && saved(msg, result))
        return true;
    if (application.appletTerminated)
        return false;
    TControl* form = owner->isForm() ? owner : owner->formState()->lastFocused;
    if (!form)
        return false;
    const TFormState& state = *form->formState();
    TControl* target = nullptr;
    if (msg.wParam == keyEnter && buttonUsable(state.defaultButton)) {
        TControl* focused = controlOfWindow(GetFocus());
        if (!focused || (!focused->navigation.isCancel && !focused->navigation.handlesEnter) ||
            focused == state.defaultButton)
            target = state.defaultButton;
    } else if (msg.wParam == keyEscape && buttonUsable(state.cancelButton)) {
        target = state.cancelButton;
    }
    if (!target)
        return false;
    HWND window = target->getHandle();
    if (msg.message == WM_KEYDOWN) {
        SetFocus(window);
        SetForegroundWindow(window);
    }
    // A push button clicks when Space is released.
    SendMessageW(window, msg.message, VK_SPACE, msg.lParam);
    msg.wParam = 0;
    result = 0;
    return true;
}

} // namespace

std::vector<TControl*> tabList(TControl& form) {
    std::vector<TControl*> list;
    collectTabStops(form, form, list);
    return list;
}

void moveFocus(TControl& form, bool forward) {
    const std::vector<TControl*> list = tabList(form);
    if (list.empty())
        return;
    TControl*& focused = form.formState()->lastFocused;
    const std::int32_t current = focused ? focused->navigation.tabOrder : 0;
    TControl* chosen = nullptr;
    if (forward) {
        for (TControl* c : list)
            if (c->navigation.tabOrder > current) {
                chosen = c;
                break;
            }
        if (!chosen)
            chosen = list.front();
    } else {
        for (auto it = list.rbegin(); it != list.rend(); ++it)
            if ((*it)->navigation.tabOrder < current) {
                chosen = *it;
                break;
            }
        if (!chosen)
            chosen = list.back();
    }
    HWND window = chosen->getHandle();
    ++chosen->navigation.focusGuard;
    SetFocus(window);
    --chosen->navigation.focusGuard;
    focused = chosen;
}

void enableNavigation(TControl& control) {
    if (TControl* form = control.parentForm())
        form->formState()->navigation = navigationHandler;
}

void setDefaultButton(TControl& button, std::int32_t key, bool flag) {
    if (key == keyEnter) {
        button.navigation.isCancel = false;
    } else if (key == keyEscape) {
        button.navigation.isCancel = true;
    } else {
        return;
    }
    if (application.applet) {
        TControl& applet = *application.applet;
        TMessageMethod& saved = applet.formState()->savedMessageHandler;
        const TMessageMethod keyHandler{defaultButtonKeyHandler, &applet};
        if (flag) {
            if (!(applet.messageHandler == keyHandler)) {
                saved = applet.messageHandler;
                applet.messageHandler = keyHandler;
            }
        } else if (applet.messageHandler == keyHandler) {
            applet.messageHandler = saved;
            saved = {};
        }
    }
    TControl* form = button.parentForm();
    if (!form)
        return;
    if (key == keyEnter) {
        form->formState()->defaultButton = flag ? &button : nullptr;
        const std::uint32_t style =
            flag ? (button.style() | BS_DEFPUSHBUTTON)
                 : (button.style() & ~static_cast<std::uint32_t>(BS_DEFPUSHBUTTON));
        button.setStyle(style);
    } else {
        form->formState()->cancelButton = flag ? &button : nullptr;
    }
}
