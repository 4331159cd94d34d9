#include "toolkit_fixture.h"

#include "toolkit/gdi_counter.h"

#include "runtime/platform_hooks.h"
#include "toolkit/application.h"
#include "toolkit/control_factory.h"

#include <algorithm>

namespace {

std::vector<std::string>* capturedMessages = nullptr;

void captureDebugMessage(const std::string& text, const std::string&) {
    if (capturedMessages)
        capturedMessages->push_back(text);
}

BOOL CALLBACK countToolkitWindow(HWND window, LPARAM counter) {
    wchar_t name[64] = {};
    GetClassNameW(window, name, 64);
    if (std::wstring_view(name).starts_with(L"obj_"))
        ++*reinterpret_cast<int*>(counter);
    return TRUE;
}

void resetToolkitState() {
    applet = nullptr;
    appletRunning = false;
    appletTerminated = false;
    appletCreated = false;
    creatingControl = nullptr;
}

} // namespace

int pumpMessages() {
    int quits = 0;
    MSG msg{};
    while (PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) {
        if (msg.message == WM_QUIT) {
            ++quits;
            continue;
        }
        TranslateMessage(&msg);
        DispatchMessageW(&msg);
    }
    return quits;
}

int toolkitWindowCount() {
    int count = 0;
    EnumThreadWindows(GetCurrentThreadId(), countToolkitWindow, reinterpret_cast<LPARAM>(&count));
    return count;
}

void ToolkitTest::SetUp() {
    resetToolkitState();
    idleProc = [] {};
    capturedMessages = &debugMessages;
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
    setDebugMessageSink(captureDebugMessage);
    capturedMessages = nullptr;
    BYTE keys[256] = {};
    SetKeyboardState(keys);
}

TControl* ToolkitTest::keep(TControl* control) {
    owned_.push_back(control);
    return control;
}

void ToolkitTest::forget(TControl* control) {
    owned_.erase(std::remove(owned_.begin(), owned_.end(), control), owned_.end());
}

void ToolkitTest::makeAppletAndForm() {
    appletControl = keep(newApplet(""));
    // Making the applet installs the real message box: tests capture instead.
    setDebugMessageSink(captureDebugMessage);
    form = keep(newForm(appletControl, "Form"));
    form->bounds = {10, 10, 410, 310};
    form->leftChanged = true;
    form->topChanged = true;
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

void GdiCountingTest::SetUp() {
    ToolkitTest::SetUp();
    startObjects = liveGdiObjects();
}

void GdiCountingTest::TearDown() {
    ToolkitTest::TearDown();
    EXPECT_EQ(liveGdiObjects(), startObjects);
}
