#include "visual_fixture.h"

std::vector<std::int32_t> EventLog::integers() const {
    std::vector<std::int32_t> result;
    for (const TData& value : values)
        result.push_back(asInteger(value));
    return result;
}

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

ClientPicture::ClientPicture(HWND window, int width, int height)
    : dc_(CreateCompatibleDC(nullptr)), bitmap_(solidBitmap(width, height, 0)),
      old_(SelectObject(dc_, bitmap_)) {
    SendMessageW(window, WM_PRINT, reinterpret_cast<WPARAM>(dc_), PRF_CLIENT);
}

ClientPicture::~ClientPicture() {
    SelectObject(dc_, old_);
    DeleteObject(bitmap_);
    DeleteDC(dc_);
}
