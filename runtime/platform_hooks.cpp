#include "runtime/platform_hooks.h"

#include <cstdio>

namespace {

constexpr std::int32_t defaultDpi = 96;

std::int32_t defaultScreenDpi() {
    return defaultDpi;
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
