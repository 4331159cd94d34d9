#include "toolkit/platform_setup.h"

#include "runtime/platform_hooks.h"
#include "toolkit/application.h"
#include "toolkit/system.h"
#include "toolkit/wide_text.h"

#include <windows.h>

namespace {

void showMessageBox(const std::string& text, const std::string& caption) {
    HWND owner = nullptr;
    if (application.applet && application.applet->liveWindow())
        owner = application.applet->handle;
    MessageBoxW(owner, toWideText(text).c_str(), toWideText(caption).c_str(), 0);
}

} // namespace

// The system's resolution as a program that declares itself aware of the
// display scale sees it; systems before Windows 10 answer through the
// screen's device context.
std::int32_t deviceScreenDpi() {
    static auto* const systemDpi = user32Function<UINT WINAPI()>("GetDpiForSystem");
    if (systemDpi)
        if (const UINT dpi = systemDpi())
            return static_cast<std::int32_t>(dpi);
    HDC screen = GetDC(nullptr);
    const int dpi = GetDeviceCaps(screen, LOGPIXELSY);
    ReleaseDC(nullptr, screen);
    return dpi;
}

void installPlatformHooks() {
    setScreenDpiSource(deviceScreenDpi);
    setDebugMessageSink(showMessageBox);
}
