#include "runtime/platform_hooks.h"

#include "runtime/events.h"
#include "runtime/font.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

std::vector<std::string> seen;
std::int32_t dpi120() {
    seen.push_back("dpi asked");
    return 120;
}

struct Handler {
    std::string name;
    void handle(void* param) { seen.push_back(name + *static_cast<std::string*>(param)); }
};

} // namespace

TEST(PlatformHooks, FontHeightsFollowTheScreenResolutionAskedOnce) {
    seen.clear();
    setScreenDpiSource(nullptr);
    EXPECT_EQ(fontHeight(8), -11); // 96 dpi
    EXPECT_EQ(fontHeight(10), -13);
    setScreenDpiSource(dpi120);
    EXPECT_EQ(fontHeight(8), -13);
    EXPECT_EQ(fontHeight(9), -15);
    setScreenDpiSource(nullptr);
    EXPECT_EQ(seen, std::vector<std::string>{"dpi asked"});
}

TEST(Events, CallAllInOrderAndRemove) {
    seen.clear();
    Handler a{"a"}, b{"b"};
    TEvents events;
    events.add(bindMethod<&Handler::handle, void*>(&a));
    events.add(bindMethod<&Handler::handle, void*>(&b));
    std::string param = "1";
    events.callAll(&param);
    events.remove(bindMethod<&Handler::handle, void*>(&a));
    param = "2";
    events.callAll(&param);
    EXPECT_EQ(seen, (std::vector<std::string>{"a1", "b1", "b2"}));
}
