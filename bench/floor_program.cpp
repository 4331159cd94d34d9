// The floor a press is measured against: a plain Win32 program with the
// program's windows in the program's places that does only the visible work
// the element network needs. Its windows are the program's: a visible owner
// window of no height that carries the taskbar button (the application
// window), the main form it owns, and the form's 25 controls. Per frequency step it sets the hidden
// copy of the natural-frequency edit to the typed text and reads it back (the network passes f0
// through that edit at every step) and computes E; after the loop it sets each result list's text
// once and invalidates the plot.
#include <windows.h>

#include <commctrl.h>

#include <cmath>
#include <cstdio>
#include <cwchar>
#include <string>
#include <vector>

namespace {

const wchar_t* const mainCaption = L"График эффективности виброизоляции, дБ";
const wchar_t* const rejection = L"Собственная частота должна быть больше 0.001 Гц";

struct Place {
    int left, top, width, height;
};

struct Windows {
    HWND application, form, naturalFrequency, copy, button, trackStart, trackEnd, plot;
    HWND memoFrequency, memoEffect, memoError;
} windows{};

std::vector<POINT> plotted; // f and E scaled to the plot, made at the press

HWND child(const wchar_t* windowClass, const wchar_t* text, DWORD style, Place at) {
    HWND window =
        CreateWindowExW(0, windowClass, text, WS_CHILD | style, at.left, at.top, at.width,
                        at.height, windows.form, nullptr, GetModuleHandleW(nullptr), nullptr);
    static HFONT font = [] {
        HDC screen = GetDC(nullptr);
        const int height = -MulDiv(8, GetDeviceCaps(screen, LOGPIXELSY), 72);
        ReleaseDC(nullptr, screen);
        return CreateFontW(height, 0, 0, 0, FW_NORMAL, FALSE, FALSE, FALSE, RUSSIAN_CHARSET, 0, 0,
                           0, 0, L"MS Sans Serif");
    }();
    SendMessageW(window, WM_SETFONT, reinterpret_cast<WPARAM>(font), FALSE);
    return window;
}

std::wstring textOf(HWND window) {
    std::wstring text(static_cast<std::size_t>(GetWindowTextLengthW(window)) + 1, L'\0');
    text.resize(static_cast<std::size_t>(GetWindowTextW(window, text.data(), int(text.size()))));
    return text;
}

void addLine(std::wstring& lines, const wchar_t* line) {
    if (!lines.empty())
        lines += L"\r\n";
    lines += line;
}

void press() {
    SetWindowTextW(windows.memoFrequency, L"");
    SetWindowTextW(windows.memoEffect, L"");
    const int start = int(SendMessageW(windows.trackStart, TBM_GETPOS, 0, 0));
    int end = int(SendMessageW(windows.trackEnd, TBM_GETPOS, 0, 0));
    if (start > end) {
        end = start + 10;
        SendMessageW(windows.trackEnd, TBM_SETPOS, TRUE, end);
    }
    const std::wstring typed = textOf(windows.naturalFrequency);
    std::wstring frequencies, effects, errors = textOf(windows.memoError);
    std::vector<std::pair<double, double>> points;
    wchar_t copied[64];
    wchar_t number[32];
    for (int f = start; f <= end; ++f) {
        SetWindowTextW(windows.copy, typed.c_str());
        GetWindowTextW(windows.copy, copied, 64);
        const double f0 = std::wcstod(copied, nullptr);
        if (!(f0 > 0.001)) {
            addLine(errors, rejection);
            continue;
        }
        const double ratio = f / f0;
        const double x = ratio * ratio - 1.0;
        if (!(x > 0.01))
            continue;
        const double e = 20.0 * std::log10(x);
        points.emplace_back(f, e);
        std::swprintf(number, 32, L"%d", f);
        addLine(frequencies, number);
        std::swprintf(number, 32, L"%.15g", e);
        addLine(effects, number);
    }
    SetWindowTextW(windows.memoFrequency, frequencies.c_str());
    SetWindowTextW(windows.memoEffect, effects.c_str());
    if (errors != textOf(windows.memoError))
        SetWindowTextW(windows.memoError, errors.c_str());

    // Scaled once here, drawn at the next paint.
    plotted.clear();
    RECT area{};
    GetClientRect(windows.plot, &area);
    double low = 0, high = 1;
    for (const auto& [f, e] : points) {
        low = std::fmin(low, e);
        high = std::fmax(high, e);
    }
    for (const auto& [f, e] : points)
        plotted.push_back({30 + LONG((f - start) * (area.right - 45) / std::fmax(1, end - start)),
                           area.bottom - 15 - LONG((e - low) * (area.bottom - 30) / (high - low))});
    InvalidateRect(windows.plot, nullptr, TRUE);
}

LRESULT CALLBACK plotProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message != WM_PAINT)
        return DefWindowProcW(window, message, wParam, lParam);
    PAINTSTRUCT paint;
    HDC dc = BeginPaint(window, &paint);
    RECT area{};
    GetClientRect(window, &area);
    Rectangle(dc, 30, 15, area.right - 15, area.bottom - 15);
    if (plotted.size() > 1)
        Polyline(dc, plotted.data(), int(plotted.size()));
    for (const POINT& p : plotted)
        Ellipse(dc, p.x - 2, p.y - 2, p.x + 3, p.y + 3);
    EndPaint(window, &paint);
    return 0;
}

LRESULT CALLBACK formProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
    case WM_COMMAND:
        if (reinterpret_cast<HWND>(lParam) == windows.button && HIWORD(wParam) == BN_CLICKED)
            press();
        return 0;
    case WM_HSCROLL:
        if (reinterpret_cast<HWND>(lParam) == windows.trackStart) {
            const LRESULT start = SendMessageW(windows.trackStart, TBM_GETPOS, 0, 0);
            SendMessageW(windows.trackEnd, TBM_SETPOS, TRUE, start + 10);
        }
        return 0;
    case WM_MOVE:
    case WM_SIZE:
        // The application window follows the form, as the program's does.
        if (RECT frame{}, client{}; GetWindowRect(window, &frame) && GetClientRect(window, &client))
            SetWindowPos(windows.application, nullptr, frame.left, frame.top, client.right, 0,
                         SWP_NOZORDER | SWP_NOACTIVATE);
        return 0;
    case WM_DESTROY:
        PostQuitMessage(0);
        return 0;
    }
    return DefWindowProcW(window, message, wParam, lParam);
}

void registerClass(const wchar_t* name, WNDPROC procedure, int background) {
    WNDCLASSW windowClass{};
    windowClass.lpfnWndProc = procedure;
    windowClass.hInstance = GetModuleHandleW(nullptr);
    windowClass.hCursor = LoadCursorW(nullptr, reinterpret_cast<LPCWSTR>(IDC_ARROW));
    windowClass.hbrBackground = GetSysColorBrush(background);
    windowClass.lpszClassName = name;
    RegisterClassW(&windowClass);
}

void makeWindows() {
    HINSTANCE instance = GetModuleHandleW(nullptr);
    registerClass(L"FloorApplication", DefWindowProcW, COLOR_BTNFACE);
    registerClass(L"FloorForm", formProc, COLOR_BTNFACE);
    registerClass(L"FloorPlot", plotProc, COLOR_BTNFACE);
    const auto icon = reinterpret_cast<LPARAM>(LoadIconW(instance, L"ICON0"));
    windows.application =
        CreateWindowExW(WS_EX_APPWINDOW, L"FloorApplication", mainCaption,
                        WS_POPUP | WS_CAPTION | WS_SYSMENU | WS_MINIMIZEBOX, CW_USEDEFAULT,
                        CW_USEDEFAULT, 0, 0, nullptr, nullptr, instance, nullptr);
    SendMessageW(windows.application, WM_SETICON, ICON_BIG, icon);
    windows.form =
        CreateWindowExW(0, L"FloorForm", mainCaption, WS_OVERLAPPEDWINDOW, CW_USEDEFAULT,
                        CW_USEDEFAULT, 809, 758, windows.application, nullptr, instance, nullptr);
    SendMessageW(windows.form, WM_SETICON, ICON_BIG, icon);

    const DWORD visible = WS_VISIBLE;
    const DWORD edit = WS_BORDER | ES_AUTOHSCROLL;
    const DWORD memo = WS_BORDER | WS_VSCROLL | ES_MULTILINE | ES_AUTOVSCROLL | ES_NOHIDESEL;
    const DWORD track = TBS_HORZ | TBS_NOTICKS;
    windows.naturalFrequency =
        child(L"EDIT", L"6.0", visible | edit | WS_TABSTOP, {60, 35, 130, 20});
    child(L"STATIC", L"Введите первую собственную частоту системы виброизоляции, Гц", visible,
          {60, 15, 343, 17});
    windows.plot = child(L"FloorPlot", L"", visible, {15, 110, 435, 375});
    windows.button =
        child(L"BUTTON", L"Построить график", visible | WS_TABSTOP, {215, 35, 205, 20});
    windows.copy = child(L"EDIT", L"6,0", edit, {60, 35, 130, 20});
    HWND image =
        child(L"STATIC", L"", visible | SS_BITMAP | SS_REALSIZECONTROL, {500, 25, 120, 130});
    SendMessageW(image, STM_SETIMAGE, IMAGE_BITMAP,
                 reinterpret_cast<LPARAM>(LoadBitmapW(instance, L"BITMAP0")));
    windows.memoError =
        child(L"EDIT", L"", visible | WS_BORDER | ES_MULTILINE, {480, 185, 270, 40});
    windows.trackStart = child(TRACKBAR_CLASSW, L"", visible | track, {480, 270, 280, 30});
    SendMessageW(windows.trackStart, TBM_SETRANGE, TRUE, MAKELPARAM(0, 240));
    child(L"STATIC", L"Начальная частота воздействия, Гц", visible, {485, 245, 187, 17});
    child(L"STATIC", L"Конечная частота воздействия, Гц", visible, {490, 360, 180, 17});
    windows.trackEnd = child(TRACKBAR_CLASSW, L"", visible | track, {480, 385, 280, 30});
    SendMessageW(windows.trackEnd, TBM_SETRANGE, TRUE, MAKELPARAM(11, 250));
    child(L"STATIC", L"1.0  Гц", visible, {485, 295, 37, 17});
    child(L"STATIC", L"250, 0 Гц", visible, {740, 295, 49, 17});
    child(L"STATIC", L"1.0  Гц", visible, {485, 415, 37, 17});
    child(L"STATIC", L"250, 0 Гц", visible, {735, 410, 49, 17});
    child(L"EDIT", L"", visible | edit | WS_DISABLED, {695, 245, 50, 20});
    child(L"EDIT", L"", visible | edit | WS_DISABLED, {695, 360, 50, 20});
    windows.memoEffect = child(L"EDIT", L"", visible | memo, {375, 520, 305, 190});
    child(L"EDIT", L"2.0", edit, {695, 245, 50, 20});
    child(L"EDIT", L"20.0", edit, {695, 245, 50, 20});
    windows.memoFrequency = child(L"EDIT", L"", visible | memo, {35, 520, 305, 190});
    child(L"STATIC", L"Частоты воздействия, Гц", visible, {90, 500, 134, 17});
    child(L"STATIC", L"Эффективность, дБ", visible, {440, 500, 104, 17});
    child(L"STATIC", L"Эффективность виброизоляции, дБ", visible, {155, 70, 185, 17});
    SendMessageW(windows.trackStart, TBM_SETPOS, TRUE, 2);
    SendMessageW(windows.trackEnd, TBM_SETPOS, TRUE, 20);
}

} // namespace

int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR, int) {
    INITCOMMONCONTROLSEX controls{sizeof controls, ICC_BAR_CLASSES};
    InitCommonControlsEx(&controls);
    makeWindows();
    ShowWindow(windows.application, SW_SHOW);
    ShowWindow(windows.form, SW_SHOWNORMAL);
    UpdateWindow(windows.form);
    MSG msg;
    while (GetMessageW(&msg, nullptr, 0, 0) > 0) {
        if (IsDialogMessageW(windows.form, &msg))
            continue;
        TranslateMessage(&msg);
        DispatchMessageW(&msg);
    }
    return 0;
}
