#include "runtime/platform_hooks.h"

#include <cstdio>

namespace {

std::int32_t defaultScreenDpi() {
    return designDpi;
}

void printDebugMessage(const std::string& text, const std::string& caption) {
    std::fprintf(stderr, "%s: %s\n", caption.c_str(), text.c_str());
}

ScreenDpiSource dpiSource = defaultScreenDpi;
DebugMessageSink debugSink = printDebugMessage;
std::int32_t cachedDpi = 0;

} // namespace

void setScreenDpiSource(ScreenDpiSource source) {
    dpiSource = source ? source : defaultScreenDpi;
    cachedDpi = 0;
}

void setDebugMessageSink(DebugMessageSink sink) {
    debugSink = sink ? sink : printDebugMessage;
}

void showDebugMessage(const std::string& text) {
    debugSink(text, "String-Debug");
}

std::int32_t screenDpi() {
    if (cachedDpi == 0)
        cachedDpi = dpiSource();
    return cachedDpi;
}

void setScreenDpi(std::int32_t dpi) {
    if (dpi > 0)
        cachedDpi = dpi;
}

std::int32_t scaledToScreen(std::int32_t pixels) {
    const std::int64_t scaled = static_cast<std::int64_t>(pixels) * screenDpi();
    const std::int64_t half = designDpi / 2;
    return static_cast<std::int32_t>(scaled >= 0 ? (scaled + half) / designDpi
                                                 : -((-scaled + half) / designDpi));
}
