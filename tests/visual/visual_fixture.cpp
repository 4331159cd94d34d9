#include "visual_fixture.h"

#include "toolkit/wide_text.h"

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

void typeText(HWND window, std::string_view text) {
    for (char c : text)
        SendMessageW(window, WM_CHAR, toWideChar(c), 1);
}

void typeText(HWND window, std::wstring_view text) {
    for (wchar_t c : text)
        SendMessageW(window, WM_CHAR, c, 1);
}

void pressKey(HWND window, WPARAM key) {
    SendMessageW(window, WM_KEYDOWN, key, 1);
    SendMessageW(window, WM_KEYUP, key, 0xC0000001);
}
