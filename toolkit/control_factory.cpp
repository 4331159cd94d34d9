#include "toolkit/control_factory.h"

#include "toolkit/application.h"
#include "toolkit/dispatch.h"
#include "toolkit/edit_text.h"
#include "toolkit/wide_text.h"

#include <commctrl.h>

namespace {

constexpr std::uint32_t clipStyles = WS_CLIPSIBLINGS | WS_CLIPCHILDREN;
constexpr std::uint32_t appletStyle =
    WS_POPUP | WS_VISIBLE | WS_CAPTION | WS_SYSMENU | WS_MINIMIZEBOX;
constexpr std::uint32_t editBaseStyle = WS_CHILD | WS_VISIBLE | WS_BORDER | WS_TABSTOP;
constexpr std::uint32_t editScrollBars = WS_HSCROLL | WS_VSCROLL;
constexpr std::uint32_t buttonStyle = WS_CHILD | WS_VISIBLE | WS_TABSTOP | BS_PUSHLIKE;
constexpr std::uint32_t labelStyle =
    WS_CHILD | WS_VISIBLE | SS_NOTIFY | SS_NOPREFIX | SS_LEFTNOWORDWRAP;
// Row i for option bit i of newEdit (makeStyle): a negative row is added as
// its complement when the option is not set.
constexpr std::int32_t editOptionTable[12] = {
    ~static_cast<std::int32_t>(WS_HSCROLL | ES_AUTOHSCROLL), // eoNoHScroll
    ~static_cast<std::int32_t>(WS_VSCROLL | ES_AUTOVSCROLL), // eoNoVScroll
    ES_LOWERCASE,
    ES_MULTILINE,
    ES_NOHIDESEL,
    ES_OEMCONVERT,
    ES_PASSWORD,
    ES_READONLY,
    ES_UPPERCASE,
    ES_WANTRETURN,
    0, // eoWantTab: a navigation choice, no style
    ES_NUMBER};
constexpr std::uint8_t editNavigationKeys =
    nkTab | nkUpDown | nkPage; // Left/Right stay in the edit
constexpr std::uint8_t memoNavigationKeys = nkTab;
// Without CS_OWNDC, CS_CLASSDC, CS_PARENTDC and CS_GLOBALCLASS: ours are not shared.
constexpr std::uint32_t classStyleKeepMask =
    ~static_cast<std::uint32_t>(CS_OWNDC | CS_CLASSDC | CS_PARENTDC | CS_GLOBALCLASS);
constexpr WPARAM clearHideFocus = MAKEWPARAM(UIS_CLEAR, UISF_HIDEFOCUS);

int createSize(LONG size) {
    return size == 0 ? CW_USEDEFAULT : size;
}

void clearCaption(TControl& control) {
    control.setCaption("");
}

void appendToEdit(TControl& control, const std::string& text) {
    appendLater(control, text);
}

void setSize(TControl& control, std::int32_t width, std::int32_t height) {
    RECT bounds = control.getBounds();
    if (width)
        bounds.right = bounds.left + width;
    bounds.bottom = bounds.top + height;
    control.setBounds(bounds);
}

void editSystemMenu(void*, TControl* control) {
    HMENU menu = GetSystemMenu(control->handle, FALSE);
    DeleteMenu(menu, SC_MAXIMIZE, MF_BYCOMMAND);
    DeleteMenu(menu, SC_MOVE, MF_BYCOMMAND);
    DeleteMenu(menu, SC_SIZE, MF_BYCOMMAND);
    EnableMenuItem(menu, SC_RESTORE, MF_BYCOMMAND | MF_GRAYED);
}

} // namespace

// ---- the window ----

// Making the window sends messages whose handlers may free the control: the
// control is held until it is done with, and a freed one answers no window.
// Made before its parent's window is complete (the handle is needed early),
// a window is made hidden and shown once the parent's is.
HWND TControl::getHandle() {
    if (handle)
        return handle;
    const TObjHold hold(*this);
    makeHidden_ = !createVisible_;
    createWindow();
    makeHidden_ = false;
    if (freeRequested())
        return nullptr;
    if (handle && !createVisible_ && (style_ & WS_VISIBLE))
        showAfterCreate_ = true;
    return handle;
}

void TControl::createChildWindows() {
    for (std::int32_t i = 0; i < childCount(); ++i)
        child(i)->createWindow();
}

HICON TControl::loadIcon() {
    if (icon_)
        return icon_ == noIcon ? nullptr : icon_;
    HICON loaded = nullptr;
    if (application.applet && application.applet != this) {
        HICON appletIcon = application.applet->loadIcon();
        if (appletIcon)
            loaded = static_cast<HICON>(CopyImage(appletIcon, IMAGE_ICON, 0, 0, 0));
        iconShared_ = false;
    } else {
        loaded = LoadIconW(GetModuleHandleW(nullptr), L"MAINICON");
        iconShared_ = true;
    }
    icon_ = loaded ? loaded : noIcon;
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
        if (showAfterCreate_) {
            setVisible(true);
            showAfterCreate_ = false;
        }
        return true;
    }

    const std::wstring wideCaption = toWideText(caption_);
    const std::wstring systemClass = toWideText(subclassName_);
    const std::wstring className = L"obj_" + systemClass;
    const HINSTANCE module = GetModuleHandleW(nullptr);
    DWORD windowStyle = style_ | (enabled_ ? 0 : WS_DISABLED);
    if (makeHidden_)
        windowStyle &= ~WS_VISIBLE;
    int x = bounds_.left;
    int y = bounds_.top;
    if (!isControl() && !leftChanged_ && !topChanged_) {
        x = CW_USEDEFAULT;
        y = CW_USEDEFAULT;
    }

    WNDCLASSW record{};
    record.style = classStyle_;
    // A system cursor is shared: loaded once, not for every window.
    static const HCURSOR arrow = LoadCursorW(nullptr, IDC_ARROW);
    record.hCursor = arrow;
    // A system class lends its procedure, cursor, brush and styles.
    GetClassInfoW(nullptr, systemClass.c_str(), &record);
    record.hInstance = module;
    record.style &= classStyleKeepMask;
    record.lpszClassName = className.c_str();
    record.lpszMenuName = nullptr;
    if (!defaultProcedure_)
        defaultProcedure_ = record.lpfnWndProc;

    if ((windowStyle & WS_CHILD) && !parentWindow)
        return false;
    WNDCLASSW existing{};
    if (!GetClassInfoW(module, className.c_str(), &existing)) {
        record.lpfnWndProc = toolkitWindowProc;
        if (!RegisterClassW(&record))
            return false;
    }

    application.creatingControl = this;
    HWND window = CreateWindowExW(
        exStyle_, className.c_str(), wideCaption.c_str(), windowStyle, x, y,
        createSize(bounds_.right - bounds_.left), createSize(bounds_.bottom - bounds_.top),
        parentWindow, reinterpret_cast<HMENU>(static_cast<UINT_PTR>(controlId_)), module, nullptr);
    if (application.creatingControl == this)
        application.creatingControl = nullptr;
    if (!window) {
        handle = nullptr;
        return false;
    }
    handle = window;
    if (freeRequested())
        return false;

    SendMessageW(window, WM_UPDATEUISTATE, clearHideFocus, 0);
    if (!controlOfWindow(window)) {
        application.creatingControl = nullptr;
        bindWindow(window, this);
    }
    if (!isControl())
        SendMessageW(window, WM_SETICON, ICON_BIG, reinterpret_cast<LPARAM>(loadIcon()));
    notify(TNotice::createWindow);
    applyFont();
    createChildWindows();
    if (application.afterCreateHook)
        application.afterCreateHook(*this);
    return true;
}

// ---- the kinds of control ----

const TActionRecord editActions = {
    .clearProc = clearCaption,
    .addTextProc = appendToEdit,
    .clickCode = 0,
    .changeCode = EN_CHANGE,
    .lineCountMsg = EM_GETLINECOUNT,
    .lineLengthMsg = EM_LINELENGTH,
    .getLineMsg = EM_GETLINE,
    .lineToPosMsg = EM_LINEINDEX,
    .posToLineMsg = EM_LINEFROMCHAR,
    .selStartMsg = EM_GETSEL,
    .caretMsg3 = EM_SETSEL,
    .alignLeftStyle = ES_LEFT,
    .alignRightStyle = ES_RIGHT,
    .alignCenterStyle = ES_CENTER,
    .alignClearMask = 0,
};

const TActionRecord buttonActions = {
    .clearProc = clearCaption,
    .addTextProc = nullptr,
    .clickCode = BN_CLICKED,
    .changeCode = 0,
    .lineCountMsg = 0,
    .lineLengthMsg = 0,
    .getLineMsg = 0,
    .lineToPosMsg = 0,
    .posToLineMsg = 0,
    .selStartMsg = 0,
    .caretMsg3 = 0,
    .alignLeftStyle = BS_LEFT,
    .alignRightStyle = BS_RIGHT,
    .alignCenterStyle = BS_CENTER,
    .alignClearMask = 0,
};

const TActionRecord staticActions = {
    .clearProc = clearCaption,
    .addTextProc = nullptr,
    .clickCode = 0,
    .changeCode = 0,
    .lineCountMsg = 0,
    .lineLengthMsg = 0,
    .getLineMsg = 0,
    .lineToPosMsg = 0,
    .posToLineMsg = 0,
    .selStartMsg = 0,
    .caretMsg3 = 0,
    .alignLeftStyle = SS_LEFT,
    .alignRightStyle = SS_RIGHT,
    .alignCenterStyle = SS_CENTER,
    .alignClearMask = SS_LEFTNOWORDWRAP,
};

std::uint32_t makeStyle(std::uint32_t options, const std::int32_t* table, int highestIndex) {
    std::uint32_t result = 0;
    for (int i = 0; i <= highestIndex; ++i) {
        const bool selected = (options >> i) & 1u;
        const std::int32_t value = table[i];
        if (value < 0) {
            if (!selected)
                result |= ~static_cast<std::uint32_t>(value);
        } else if (selected) {
            result |= static_cast<std::uint32_t>(value);
        }
    }
    return result;
}

TControl* createControl(TControl* parent, const TControlSetup& setup) {
    return new TControl(parent, setup);
}

TControl* newApplet(const std::string& caption) {
    application.appletCreated = true;
    TControl* control = createControl(nullptr, {.kind = TControlKind::applet,
                                                .subclassName = "App",
                                                .style = appletStyle,
                                                .exStyle = WS_EX_APPWINDOW});
    control->setOn(TNotice::createWindow, {editSystemMenu, nullptr});
    control->attachHandler(appletHandler, true);
    control->setCaption(caption);
    if (!application.applet)
        application.applet = control;
    return control;
}

TControl* newForm(TControl* parent, const std::string& caption) {
    TControlSetup setup{.kind = TControlKind::form, .subclassName = "Form"};
    setup.classStyle |= CS_DBLCLKS;
    TControl* control = createControl(parent, setup);
    control->attachHandler(formFocusHandler, true);
    control->attachHandler(formBackgroundHandler, true);
    control->setCaption(caption);
    return control;
}

// The 3-D look (a sunken edge instead of a border) is taken only under a form.
TControl* newChildControl(TControl* parent, const std::string& className, std::uint32_t style,
                          const TActionRecord& actions, bool ctl3D) {
    TControlSetup setup{.subclassName = className,
                        .style = style | clipStyles,
                        .actions = actions,
                        .controlId = ++application.lastControlId};
    if (ctl3D && parent && parent->isForm()) {
        setup.style &= ~static_cast<std::uint32_t>(WS_BORDER);
        setup.exStyle |= WS_EX_CLIENTEDGE;
    }
    TControl* control = createControl(parent, setup);
    control->navigation.tabStop = (style & WS_TABSTOP) != 0;
    TControl* form = parent ? parent->parentForm() : nullptr;
    if (TFormState* state = form ? form->formState() : nullptr) {
        control->navigation.tabOrder = ++state->tabCounter;
        if (control->navigation.tabStop && !state->lastFocused)
            state->lastFocused = control;
    }
    control->attachHandler(childNotificationHandler, false);
    return control;
}

TControl* newEdit(TControl* parent, std::uint32_t options) {
    std::uint32_t style = makeStyle(options, editOptionTable, 11) | editBaseStyle;
    const bool multiline = (options & eoMultiline) != 0;
    if (!multiline)
        style &= ~editScrollBars;
    TControl* control = newChildControl(parent, "EDIT", style, editActions, true);
    if (multiline) {
        setSize(*control, 200, 200);
        control->navigation.handlesEnter = true;
        control->navigation.keys = memoNavigationKeys;
    } else {
        setSize(*control, 100, 22);
        control->navigation.keys = editNavigationKeys;
    }
    if (options & eoWantTab)
        control->navigation.keys &= static_cast<std::uint8_t>(~nkTab);
    return control;
}

TControl* newButton(TControl* parent, const std::string& caption) {
    TControl* control = newChildControl(parent, "BUTTON", buttonStyle, buttonActions, false);
    setSize(*control, 0, 22);
    control->navigation.handlesEnter = true;
    control->setCaption(caption);
    return control;
}

TControl* newLabel(TControl* parent, const std::string& caption) {
    TControl* control = newChildControl(parent, "STATIC", labelStyle, staticActions, false);
    setSize(*control, 0, 22);
    control->setCaption(caption);
    return control;
}

TControl* newPictureBox(TControl* parent) {
    TControl* control = newLabel(parent, "");
    setSize(*control, 40, 40);
    return control;
}

void initCommonControls() {
    InitCommonControls();
    static bool loaded = false;
    if (loaded)
        return;
    loaded = true;
    HMODULE library = LoadLibraryA("comctl32.dll");
    if (!library)
        return;
    using InitEx = BOOL(WINAPI*)(const INITCOMMONCONTROLSEX*);
    auto init = reinterpret_cast<InitEx>(
        reinterpret_cast<void*>(GetProcAddress(library, "InitCommonControlsEx")));
    if (init) {
        const INITCOMMONCONTROLSEX classes{sizeof(INITCOMMONCONTROLSEX), 0xFF};
        init(&classes);
    }
}

TControl* newCommonControl(TControl* parent, const std::string& className, std::uint32_t style,
                           const TActionRecord& actions, bool ctl3D) {
    initCommonControls();
    TControl* control = newChildControl(parent, className, style, actions, ctl3D);
    control->attachHandler(commonNotificationHandler, false);
    return control;
}
