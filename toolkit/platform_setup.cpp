#include "toolkit/platform_setup.h"

#include "runtime/platform_hooks.h"
#include "toolkit/control.h"
#include "toolkit/wide_text.h"

#include <windows.h>

namespace {

void showMessageBox(const std::string& text, const std::string& caption) {
    HWND owner = nullptr;
    if (applet && applet->liveWindow())
        owner = applet->handle;
    MessageBoxW(owner, toWideText(text).c_str(), toWideText(caption).c_str(), 0);
}

} // namespace

std::int32_t deviceScreenDpi() {
    HDC screen = GetDC(nullptr);
    const int dpi = GetDeviceCaps(screen, LOGPIXELSY);
    ReleaseDC(nullptr, screen);
    return dpi;
}

void installPlatformHooks() {
    setScreenDpiSource(deviceScreenDpi);
    setDebugMessageSink(showMessageBox);
}
