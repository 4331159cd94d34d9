#include "toolkit/system.h"

#include "toolkit/plain_text.h"
#include "toolkit/wide_text.h"

namespace {

constexpr DWORD maxPathLength = 32767; // of any path the system knows

DWORD ownModuleFileName(wchar_t* buffer, DWORD size) {
    return GetModuleFileNameW(nullptr, buffer, size);
}

// A path that fills the buffer may have been cut: the buffer grows until the
// whole name fits.
std::wstring moduleFileName(TModuleNameReader read) {
    std::wstring path(MAX_PATH, L'\0');
    for (;;) {
        const auto size = static_cast<DWORD>(path.size());
        const DWORD length = read(path.data(), size);
        if (length < size) {
            path.resize(length);
            return path;
        }
        if (size >= maxPathLength)
            return {};
        path.resize(size * 2);
    }
}

} // namespace

std::wstring startDirectory() {
    return startDirectory(ownModuleFileName);
}

std::wstring startDirectory(TModuleNameReader read) {
    std::wstring path = moduleFileName(read);
    const std::size_t slash = path.rfind(L'\\');
    if (slash != std::wstring::npos)
        path.resize(slash + 1);
    return path;
}

void setAlphaBlend(TControl& control, std::uint8_t alpha) {
    if (alpha == control.alphaBlend())
        return;
    control.setAlphaBlendValue(alpha);
    static auto* const setLayered =
        user32Function<BOOL WINAPI(HWND, COLORREF, BYTE, DWORD)>("SetLayeredWindowAttributes");
    if (!setLayered)
        return;
    HWND window = control.getHandle();
    if (!window)
        return;
    const LONG_PTR exStyle = GetWindowLongPtrW(window, GWL_EXSTYLE);
    if (alpha == 255) {
        SetWindowLongPtrW(window, GWL_EXSTYLE, exStyle & ~static_cast<LONG_PTR>(WS_EX_LAYERED));
        return;
    }
    SetWindowLongPtrW(window, GWL_EXSTYLE, exStyle | WS_EX_LAYERED);
    setLayered(window, 0, alpha, LWA_ALPHA);
}

std::uint8_t windowsVersion() {
    OSVERSIONINFOA info{};
    info.dwOSVersionInfoSize = sizeof info;
    if (!GetVersionExA(&info))
        return 0;
    return windowsVersionCode(info.dwPlatformId, info.dwMajorVersion, info.dwMinorVersion);
}

std::string paramStr(std::int32_t index) {
    if (index == 0)
        return fromWideText(moduleFileName(ownModuleFileName));
    if (index < 0)
        return {};
    return commandLineToken(fromWideText(GetCommandLineW()), index);
}
