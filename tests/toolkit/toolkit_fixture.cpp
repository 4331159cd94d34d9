#include "toolkit_fixture.h"

#include "toolkit/application.h"
#include "toolkit/control_factory.h"
#include <string_view>

namespace {

BOOL CALLBACK countToolkitWindow(HWND window, LPARAM counter) {
    wchar_t name[64] = {};
    GetClassNameW(window, name, 64);
    *reinterpret_cast<int*>(counter) += std::wstring_view(name).starts_with(L"obj_");
    return TRUE;
}

void resetToolkitState() {
    application.applet = nullptr;
    application.appletRunning = application.appletTerminated = application.appletCreated = false;
    application.creatingControl = nullptr;
}

} // namespace

int pumpMessages() {
    int quits = 0;
    for (MSG msg{}; PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE);)
        if (msg.message == WM_QUIT)
            ++quits;
        else
            TranslateMessage(&msg), DispatchMessageW(&msg);
    return quits;
}

int toolkitWindowCount() {
    int count = 0;
    EnumThreadWindows(GetCurrentThreadId(), countToolkitWindow, reinterpret_cast<LPARAM>(&count));
    return count;
}

void ToolkitTest::SetUp() {
    resetToolkitState();
    application.idleProc = [] {};
    pumpMessages();
}

void ToolkitTest::TearDown() {
    // Owners free children before their parents, as the elements do.
    for (auto it = owned_.rbegin(); it != owned_.rend(); ++it)
        (*it)->free();
    owned_.clear();
    pumpMessages();
    EXPECT_EQ(toolkitWindowCount(), 0);
    resetToolkitState();
    BYTE keys[256] = {};
    SetKeyboardState(keys);
}

void ToolkitTest::makeAppletAndForm() {
    appletControl = keep(newApplet(""));
    form = keep(newForm(appletControl, "Form"));
    form->setBounds({10, 10, 410, 310});
}

void ToolkitTest::focus(TControl& control) {
    HWND formWindow = form->getHandle();
    form->setVisible(true);
    SetForegroundWindow(formWindow);
    SetActiveWindow(formWindow);
    SetFocus(control.getHandle());
    pumpMessages();
    ASSERT_EQ(GetFocus(), control.handle);
}

MemoryImage::MemoryImage(int width, int height, COLORREF fill)
    : dc(createMemoryDC(nullptr)),
      image(countGdiObject(CreateBitmap(width, height, 1, 32, nullptr))),
      previous(SelectObject(dc, image)) {
    SetDCBrushColor(dc, fill);
    const RECT all{0, 0, width, height};
    FillRect(dc, &all, static_cast<HBRUSH>(GetStockObject(DC_BRUSH)));
}

MemoryImage::~MemoryImage() {
    SelectObject(dc, previous);
    deleteMemoryDC(dc);
    deleteGdiObject(image);
}

int countPixels(HDC dc, const RECT& area, COLORREF color) {
    int found = 0;
    for (int y = area.top; y < area.bottom; ++y)
        for (int x = area.left; x < area.right; ++x)
            found += GetPixel(dc, x, y) == color;
    return found;
}
