#include "runtime/platform_hooks.h"

#include "runtime/events.h"
#include "runtime/font.h"

#include <gtest/gtest.h>

#include <string>
#include <utility>
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

// Rounded to the nearest pixel, halves away from zero; a new resolution
// replaces the one asked.
TEST(PlatformHooks, LengthsScaleToTheScreenAndItsNewResolution) {
    static std::int32_t dpi = designDpi;
    setScreenDpiSource([] { return dpi; });
    const struct {
        std::int32_t dpi, at96, scaled;
    } rows[] = {{96, 15, 15},  {120, 1, 1},   {120, 2, 3},   {120, 30, 38}, {144, 1, 2},
                {144, 15, 23}, {144, -1, -2}, {144, -2, -3}, {192, 8, 16},  {168, 0, 0}};
    for (const auto& row : rows) {
        dpi = row.dpi;
        setScreenDpiSource([] { return dpi; });
        EXPECT_EQ(scaledToScreen(row.at96), row.scaled) << row.at96 << " at " << row.dpi;
    }
    setScreenDpi(0); // no resolution: kept as it was
    EXPECT_EQ(screenDpi(), 168);
    setScreenDpi(144);
    EXPECT_EQ(std::make_pair(screenDpi(), fontHeight(8)), std::make_pair(144, -16));
    setScreenDpiSource(nullptr);
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
