// The schematic's life in the test process: construction with inert links,
// the close that ends the loop, and destruction in reverse creation order.
#include "toolkit_fixture.h"

#include "app/program.h"
#include "app/schematic.h"
#include "runtime/platform_hooks.h"
#include "toolkit/application.h"

#include <cstdint>
#include <iterator>
#include <memory>
#include <vector>

namespace {

std::vector<std::intptr_t> destroyed;

void recordDestroyed(void* number) {
    destroyed.push_back(reinterpret_cast<std::intptr_t>(number));
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
        app.reset();
        pumpMessages();
        ToolkitTest::TearDown();
    }

    std::unique_ptr<TClassMainForm_4C58060> app;
};

TEST_F(LifecycleTest, BeforeTheStartAClickReachesNoElement) {
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

    // The window elements in the order they were made: their controls go
    // with them.
    const TKNWin* const made[] = {
        app->MainForm,      app->EditNaturalFreq, app->LabelNaturalFreq,
        app->PlotterEffect, app->ButtonBuild,     app->EditNaturalFreqCopy,
        app->ImageScheme,   app->MemoError,       app->TrackStart,
        app->LabelStart,    app->LabelEnd,        app->TrackEnd,
        app->LabelStartMin, app->LabelStartMax,   app->LabelEndMin,
        app->LabelEndMax,   app->EditStart,       app->EditEnd,
        app->MemoEffect,    app->EditStartInit,   app->EditEndInit,
        app->MemoFrequency, app->LabelAxisX,      app->LabelAxisY,
        app->LabelTitle};
    std::vector<std::intptr_t> lastMadeFirst;
    for (std::intptr_t i = std::size(made) - 1; i >= 0; --i) {
        made[i]->getControl()->addCleanup(recordDestroyed, reinterpret_cast<void*>(i));
        lastMadeFirst.push_back(i);
    }
    app.reset();
    EXPECT_EQ(schematic, nullptr);
    EXPECT_EQ(destroyed, lastMadeFirst);
    pumpMessages();
    EXPECT_EQ(toolkitWindowCount(), 0);
}

} // namespace
