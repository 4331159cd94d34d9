#include "visual_fixture.h"

void VisualTest::SetUp() {
    ToolkitTest::SetUp();
    makeAppletAndForm();
    installDispatchers();
}

void VisualTest::TearDown() {
    stopDispatch();
    ToolkitTest::TearDown();
}

void typeText(HWND window, std::wstring_view text) {
    for (wchar_t c : text)
        SendMessageW(window, WM_CHAR, c, 1);
}

HBITMAP solidBitmap(int width, int height, COLORREF color) {
    HDC screen = GetDC(nullptr);
    HBITMAP bitmap = CreateCompatibleBitmap(screen, width, height);
    ReleaseDC(nullptr, screen);
    HDC dc = CreateCompatibleDC(nullptr);
    HGDIOBJ old = SelectObject(dc, bitmap);
    HBRUSH brush = CreateSolidBrush(color);
    RECT all{0, 0, width, height};
    FillRect(dc, &all, brush);
    DeleteObject(brush);
    SelectObject(dc, old);
    DeleteDC(dc);
    return bitmap;
}

COLORREF printedPixel(HWND window, int x, int y) {
    RECT client{};
    GetClientRect(window, &client);
    HBITMAP bitmap = solidBitmap(client.right, client.bottom, 0);
    HDC dc = CreateCompatibleDC(nullptr);
    HGDIOBJ old = SelectObject(dc, bitmap);
    SendMessageW(window, WM_PRINT, reinterpret_cast<WPARAM>(dc), PRF_CLIENT);
    const COLORREF pixel = GetPixel(dc, x, y);
    SelectObject(dc, old);
    DeleteObject(bitmap);
    DeleteDC(dc);
    return pixel;
}
