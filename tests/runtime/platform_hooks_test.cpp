#include "runtime/platform_hooks.h"

#include "runtime/events.h"
#include "runtime/font.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

std::vector<std::string> shown;
int dpiAsked = 0;

void capture(const std::string& text, const std::string& caption) {
    shown.push_back(caption + "|" + text);
}

std::int32_t dpi120() {
    ++dpiAsked;
    return 120;
}

} // namespace

TEST(PlatformHooks, DebugMessageGoesToTheInstalledSink) {
    shown.clear();
    setDebugMessageSink(capture);
    showDebugMessage("text");
    showDebugMessage("");
    setDebugMessageSink(nullptr);
    EXPECT_EQ(shown, (std::vector<std::string>{"String-Debug|text", "String-Debug|"}));
}

TEST(PlatformHooks, FontHeightUsesTheScreenResolutionAskedOnce) {
    setScreenDpiSource(nullptr);
    EXPECT_EQ(fontHeight(8), -11); // 96 dpi
    EXPECT_EQ(fontHeight(10), -13);
    EXPECT_EQ(fontHeight(0), 0);
    dpiAsked = 0;
    setScreenDpiSource(dpi120);
    EXPECT_EQ(fontHeight(8), -13);
    EXPECT_EQ(fontHeight(9), -15);
    EXPECT_EQ(dpiAsked, 1);
    setScreenDpiSource(nullptr);
}

TEST(Events, CallAllInOrderAndRemove) {
    struct Handler {
        std::vector<std::string>* log;
        std::string name;
        void handle(void* param) { log->push_back(name + *static_cast<std::string*>(param)); }
    };
    std::vector<std::string> log;
    Handler a{&log, "a"}, b{&log, "b"};
    TEvents events;
    events.add(bindMethod<&Handler::handle, void*>(&a));
    events.add(bindMethod<&Handler::handle, void*>(&b));
    std::string param = "1";
    events.callAll(&param);
    events.remove(bindMethod<&Handler::handle, void*>(&a));
    param = "2";
    events.callAll(&param);
    EXPECT_EQ(log, (std::vector<std::string>{"a1", "b1", "b2"}));
}
