// The schematic's life in the test process: the close that ends the loop,
// and destruction in reverse creation order.
#include "app_fixture.h"

#include "runtime/links.h"
#include "toolkit/application.h"

#include <cstdint>
#include <iterator>
#include <numeric>

namespace {

using LifecycleTest = AppTest;

TEST_F(LifecycleTest, ClosingEndsTheLoopAndTheElementsGoLastCreatedFirst) {
    EXPECT_EQ(schematic, app.get());
    ASSERT_TRUE(IsWindowVisible(windowOf(*app->MainForm)));
    PostMessageW(windowOf(*app->MainForm), WM_CLOSE, 0, 0);
    run(application.applet);
    EXPECT_FALSE(dispatchersLive());
    EXPECT_EQ(application.applet, nullptr);

    // The window elements in the order they were made: their controls go
    // with them.
    const std::vector<const TKNWin*> made = windowElements();
    static std::vector<std::intptr_t> destroyed;
    destroyed.clear();
    for (std::size_t i = 0; i < std::size(made); ++i)
        made[i]->getControl()->addCleanup(
            [](void* i) { destroyed.push_back(reinterpret_cast<std::intptr_t>(i)); },
            reinterpret_cast<void*>(i));
    app.reset();
    EXPECT_EQ(schematic, nullptr);
    std::vector<std::intptr_t> lastMadeFirst(std::size(made));
    std::iota(lastMadeFirst.rbegin(), lastMadeFirst.rend(), 0);
    EXPECT_EQ(destroyed, lastMadeFirst);
    pumpMessages();
    EXPECT_EQ(toolkitWindowCount(), 0);
}

} // namespace
