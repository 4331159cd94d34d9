#include "toolkit/control_factory.h"

#include "toolkit/dispatch.h"
#include "toolkit/platform_setup.h"
#include "toolkit/wide_text.h"

#include <commctrl.h>

namespace {

constexpr std::uint32_t clipStyles = WS_CLIPSIBLINGS | WS_CLIPCHILDREN;
constexpr std::int32_t newControlSize = 64;
constexpr std::uint32_t appletStyle = 0x90CA0000;
constexpr std::uint32_t editBaseStyle = 0x50810000;
constexpr std::uint32_t editScrollBars = 0x300000;
constexpr std::uint32_t buttonStyle = 0x50011000;
constexpr std::uint32_t labelStyle = 0x5000018C;
constexpr std::int32_t editOptionTable[12] = {static_cast<std::int32_t>(0xFFEFFF7F),
                                              static_cast<std::int32_t>(0xFFDFFFBF),
                                              0x10,
                                              0x4,
                                              0x100,
                                              0x400,
                                              0x20,
                                              0x800,
                                              0x8,
                                              0x1000,
                                              0,
                                              0x2000};
constexpr std::uint8_t editNavigationKeys = 13; // Left/Right stay in the edit
constexpr std::uint8_t memoNavigationKeys = 1;  // Tab only
constexpr std::uint8_t navigateTab = 1;
constexpr std::uint32_t classStyleKeepMask = 0xFFFFBF1F; // without the DC and global styles
constexpr WPARAM clearHideFocus = 0x10002;

int createSize(LONG size) {
    return size == 0 ? CW_USEDEFAULT : size;
}

std::uint16_t lastControlId = 0;

void clearCaption(TControl& control) {
    control.setCaption("");
}

void appendToEdit(TControl& control, const std::string& text) {
    control.appendLater(text);
}

void setSize(TControl& control, std::int32_t width, std::int32_t height) {
    control.bounds.right = control.bounds.left + width;
    control.bounds.bottom = control.bounds.top + height;
}

void setHeight(TControl& control, std::int32_t height) {
    control.bounds.bottom = control.bounds.top + height;
}

void editSystemMenu(void*, TControl* control) {
    HMENU menu = GetSystemMenu(control->handle, FALSE);
    DeleteMenu(menu, SC_MAXIMIZE, MF_BYCOMMAND);
    DeleteMenu(menu, SC_MOVE, MF_BYCOMMAND);
    DeleteMenu(menu, SC_SIZE, MF_BYCOMMAND);
    EnableMenuItem(menu, SC_RESTORE, MF_BYCOMMAND | MF_GRAYED);
}

TGraphicTool* cloneTool(TGraphicTool* source) {
    TGraphicTool* tool = assignTool(nullptr, source);
    tool->setParentTool(source);
    return tool;
}

} // namespace

// ---- the window ----

// Making the window sends messages whose handlers may free the control: the
// control is held until it is done with, and a freed one answers no window.
HWND TControl::getHandle() {
    if (handle)
        return handle;
    const TObjHold hold(*this);
    if (createVisible) {
        createWindow();
        return freeRequested() ? nullptr : handle;
    }
    // Made hidden because the handle is needed early; shown once the
    // parent's window is complete.
    const bool wasVisible = (style & WS_VISIBLE) != 0;
    style &= ~WS_VISIBLE;
    createWindow();
    if (freeRequested())
        return nullptr;
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
    // A system cursor is shared: loaded once, not for every window.
    static const HCURSOR arrow = LoadCursorW(nullptr, IDC_ARROW);
    record.hCursor = arrow;
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
    if (!controlOfWindow(window)) {
        creatingControl = nullptr;
        bindWindow(window, this);
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
    .alignClearMask = 0x0C,
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

TControl* createControl(TControl* parent, const std::string& subclassName, bool ctl3DFlag) {
    auto* control = new TControl;
    control->subclassName = subclassName;
    if (!parent)
        return control;
    control->parent = parent;
    parent->children->add(control);
    control->ctl3D = parent->inheritCtl3D ? ctl3DFlag : false;
    control->margin = parent->margin;
    control->textColor = parent->textColor;
    control->color = parent->color;
    if (parent->font)
        control->adoptTool(control->font, cloneTool(parent->font));
    if (parent->brush)
        control->adoptTool(control->brush, cloneTool(parent->brush));
    const std::int32_t left = parent->margin;
    const std::int32_t top = parent->margin;
    control->bounds = {left, top, left + newControlSize, top + newControlSize};
    return control;
}

TControl* newApplet(const std::string& caption) {
    appletCreated = true;
    installPlatformHooks();
    TControl* control = createControl(nullptr, "App", false);
    control->isApplet = true;
    control->style = appletStyle;
    control->exStyle = WS_EX_APPWINDOW;
    control->onCreateWindow = {editSystemMenu, nullptr};
    control->attachHandler(appletHandler, true);
    control->setCaption(caption);
    if (!applet)
        applet = control;
    return control;
}

TControl* newForm(TControl* parent, const std::string& caption) {
    TControl* control = createControl(parent, "Form", false);
    control->classStyle |= CS_DBLCLKS;
    control->attachHandler(formFocusHandler, true);
    control->attachHandler(formBackgroundHandler, true);
    control->setCaption(caption);
    control->isForm = true;
    control->inheritCtl3D = true;
    return control;
}

TControl* newChildControl(TControl* parent, const std::string& className, std::uint32_t style,
                          const TActionRecord& actions, bool ctl3DFlag) {
    TControl* control = createControl(parent, className, ctl3DFlag);
    control->actions = actions;
    control->isControl = true;
    control->style = style | clipStyles;
    control->visible = (style & WS_VISIBLE) != 0;
    control->tabStop = (style & WS_TABSTOP) != 0;
    TControl* form = parent ? parent->parentForm() : nullptr;
    if (form) {
        control->tabOrder = ++form->tabCounter;
        if (control->tabStop && !form->lastFocused)
            form->lastFocused = control;
    }
    if (parent)
        control->cursor = parent->cursor;
    control->navigationKeys = 15;
    if (control->ctl3D) {
        control->style &= ~static_cast<std::uint32_t>(WS_BORDER);
        control->exStyle |= WS_EX_CLIENTEDGE;
    }
    control->controlId = ++lastControlId;
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
        control->handlesEnter = true;
        control->navigationKeys = memoNavigationKeys;
    } else {
        setSize(*control, 100, 22);
        control->navigationKeys = editNavigationKeys;
    }
    if (options & eoWantTab)
        control->navigationKeys &= static_cast<std::uint8_t>(~navigateTab);
    return control;
}

TControl* newButton(TControl* parent, const std::string& caption) {
    TControl* control = newChildControl(parent, "BUTTON", buttonStyle, buttonActions, false);
    control->ctl3D = true;
    setHeight(*control, 22);
    control->handlesEnter = true;
    control->setCaption(caption);
    return control;
}

TControl* newLabel(TControl* parent, const std::string& caption) {
    TControl* control = newChildControl(parent, "STATIC", labelStyle, staticActions, false);
    setHeight(*control, 22);
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
                           const TActionRecord& actions, bool ctl3DFlag) {
    initCommonControls();
    TControl* control = newChildControl(parent, className, style, actions, ctl3DFlag);
    control->attachHandler(commonNotificationHandler, false);
    return control;
}
