// The schematic's life in the test process: construction with inert links,
// the close that ends the loop, and destruction in reverse creation order.
#include "toolkit_fixture.h"

#include "app/program.h"
#include "app/schematic.h"
#include "runtime/platform_hooks.h"
#include "toolkit/application.h"

#include <memory>
#include <vector>

namespace {

std::vector<std::size_t> destroyed;

void recordDestroyed(std::size_t number) {
    destroyed.push_back(number);
}

void ignoreDebugMessage(const std::string&, const std::string&) {}

class LifecycleTest : public ToolkitTest {
protected:
    void SetUp() override {
        ToolkitTest::SetUp();
        stopDispatch();
        destroyed.clear();
        app = std::make_unique<TClassMainForm_4C58060>();
        setDebugMessageSink(ignoreDebugMessage);
    }
    void TearDown() override {
        stopDispatch();
        runInitProcs();
        elementDestroyedHook = nullptr;
        app.reset();
        pumpMessages();
        ToolkitTest::TearDown();
    }

    std::unique_ptr<TClassMainForm_4C58060> app;
};

TEST_F(LifecycleTest, BeforeTheStartAClickReachesNoElement) {
    EXPECT_EQ(app->ownedCount(), TClassMainForm_4C58060::elementCount);
    EXPECT_EQ(schematic, app.get());
    EXPECT_FALSE(IsWindowVisible(app->MainForm->getControl()->handle));
    SendMessageW(app->ButtonBuild->getControl()->handle, BM_CLICK, 0, 0);
    pumpMessages();
    EXPECT_EQ(GetWindowTextLengthW(app->EditEnd->getControl()->handle), 0);
    EXPECT_EQ(GetWindowTextLengthW(app->MemoFrequency->getControl()->handle), 0);
    EXPECT_EQ(app->LinesEffect->series().count(), 0);
    EXPECT_EQ(app->ForFrequency->position, 0);
}

TEST_F(LifecycleTest, ClosingEndsTheLoopAndTheElementsGoLastCreatedFirst) {
    startNetwork(*app->MainForm);
    HWND form = app->MainForm->getControl()->handle;
    ASSERT_TRUE(IsWindowVisible(form));
    PostMessageW(form, WM_CLOSE, 0, 0);
    run(applet);
    EXPECT_FALSE(dispatchersLive());
    EXPECT_EQ(applet, nullptr);

    elementDestroyedHook = recordDestroyed;
    app.reset();
    EXPECT_EQ(schematic, nullptr);
    ASSERT_EQ(destroyed.size(), TClassMainForm_4C58060::elementCount);
    for (std::size_t i = 0; i < destroyed.size(); ++i)
        EXPECT_EQ(destroyed[i], TClassMainForm_4C58060::elementCount - i);
    pumpMessages();
    EXPECT_EQ(toolkitWindowCount(), 0);
}

} // namespace
