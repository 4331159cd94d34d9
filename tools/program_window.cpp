#include "tools/program_window.h"

#include <commctrl.h>

namespace {

// The visible child whose top left corner lies at (left, top) of the client
// area: the program's layout is fixed.
struct ChildSearch {
    HWND parent;
    POINT corner;
    HWND found = nullptr;
};

BOOL CALLBACK matchChild(HWND child, LPARAM parameter) {
    auto& search = *reinterpret_cast<ChildSearch*>(parameter);
    if (!IsWindowVisible(child) || GetParent(child) != search.parent)
        return TRUE;
    RECT rect{};
    GetWindowRect(child, &rect);
    MapWindowPoints(nullptr, search.parent, reinterpret_cast<POINT*>(&rect), 2);
    if (rect.left == search.corner.x && rect.top == search.corner.y) {
        search.found = child;
        return FALSE;
    }
    return TRUE;
}

template <class Function> Function* user32Function(const char* name) {
    return reinterpret_cast<Function*>(
        reinterpret_cast<void*>(GetProcAddress(GetModuleHandleW(L"user32.dll"), name)));
}

// The window's dots per inch; 96 where the system cannot tell.
int dpiOf(HWND window) {
    static auto* const dpiForWindow = user32Function<UINT WINAPI(HWND)>("GetDpiForWindow");
    const UINT dpi = dpiForWindow ? dpiForWindow(window) : 0;
    return dpi ? static_cast<int>(dpi) : 96;
}

// The corner of the layout at 96 dpi, scaled as the program scales it.
HWND childAt(HWND form, int left, int top) {
    const int dpi = dpiOf(form);
    const auto scaled = [dpi](int value) { return (value * dpi + 48) / 96; };
    ChildSearch search{form, {scaled(left), scaled(top)}};
    EnumChildWindows(form, matchChild, reinterpret_cast<LPARAM>(&search));
    return search.found;
}

} // namespace

void seeRealPixels() {
    using SetContext = BOOL WINAPI(HANDLE);
    if (auto* setContext = user32Function<SetContext>("SetProcessDpiAwarenessContext"))
        setContext(reinterpret_cast<HANDLE>(-4)); // per monitor, version 2
}

bool ProgramWindow::complete() const {
    return naturalFrequency && button && trackStart && trackEnd && memoFrequency && memoEffect &&
           memoError;
}

ProgramWindow locateControls(HWND form) {
    return {form,
            childAt(form, 60, 35),
            childAt(form, 215, 35),
            childAt(form, 480, 270),
            childAt(form, 480, 385),
            childAt(form, 35, 520),
            childAt(form, 375, 520),
            childAt(form, 480, 185)};
}

HWND shownMainWindow(DWORD processId) {
    HWND window = nullptr;
    while ((window = FindWindowExW(nullptr, window, nullptr, mainCaption))) {
        DWORD owner = 0;
        GetWindowThreadProcessId(window, &owner);
        if ((processId == 0 || owner == processId) && IsWindowVisible(window))
            return window;
    }
    return nullptr;
}

std::wstring windowText(HWND window) {
    const auto length = SendMessageW(window, WM_GETTEXTLENGTH, 0, 0);
    std::wstring text(static_cast<std::size_t>(length) + 1, L'\0');
    SendMessageW(window, WM_GETTEXT, static_cast<WPARAM>(length + 1),
                 reinterpret_cast<LPARAM>(text.data()));
    text.resize(static_cast<std::size_t>(length));
    return text;
}

int lineCount(const std::wstring& text) {
    if (text.empty())
        return 0;
    int lines = 1;
    for (std::size_t at = text.find(L"\r\n"); at != std::wstring::npos;
         at = text.find(L"\r\n", at + 2))
        ++lines;
    return lines;
}

void moveSlider(HWND slider, int position) {
    SendMessageW(slider, TBM_SETPOS, TRUE, position);
    HWND parent = GetParent(slider);
    SendMessageW(parent, WM_HSCROLL, MAKEWPARAM(TB_THUMBPOSITION, position),
                 reinterpret_cast<LPARAM>(slider));
    SendMessageW(parent, WM_HSCROLL, MAKEWPARAM(TB_ENDTRACK, 0), reinterpret_cast<LPARAM>(slider));
}

void typeText(HWND edit, const wchar_t* text) {
    SendMessageW(edit, EM_SETSEL, 0, -1);
    for (const wchar_t* c = text; *c; ++c)
        SendMessageW(edit, WM_CHAR, *c, 1);
}

std::string toUtf8(const std::wstring& text) {
    if (text.empty())
        return {};
    const int size = WideCharToMultiByte(CP_UTF8, 0, text.data(), static_cast<int>(text.size()),
                                         nullptr, 0, nullptr, nullptr);
    std::string result(static_cast<std::size_t>(size), '\0');
    WideCharToMultiByte(CP_UTF8, 0, text.data(), static_cast<int>(text.size()), result.data(), size,
                        nullptr, nullptr);
    return result;
}
