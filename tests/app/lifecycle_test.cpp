// The schematic's life in the test process: construction with inert links,
// the close that ends the loop, and destruction in reverse creation order.
#include "app_fixture.h"

#include "app/program.h"
#include "runtime/links.h"
#include "toolkit/application.h"

#include <cstdint>
#include <iterator>

namespace {

std::vector<std::intptr_t> destroyed;

void recordDestroyed(void* number) {
    destroyed.push_back(reinterpret_cast<std::intptr_t>(number));
}

class LifecycleTest : public AppTest {
public:
    LifecycleTest() { startsRunning = false; }
};

TEST_F(LifecycleTest, BeforeTheStartAClickReachesNoElement) {
    EXPECT_EQ(schematic, app.get());
    EXPECT_FALSE(IsWindowVisible(windowOf(*app->MainForm)));
    pressBuild();
    EXPECT_EQ(textOf(*app->EditEnd), "");
    EXPECT_EQ(linesOf(*app->MemoFrequency).size(), 0u);
    EXPECT_EQ(app->LinesEffect->series().count(), 0);
    EXPECT_EQ(app->ForFrequency->position, 0);
}

TEST_F(LifecycleTest, ClosingEndsTheLoopAndTheElementsGoLastCreatedFirst) {
    startNetwork(*app->MainForm);
    ASSERT_TRUE(IsWindowVisible(windowOf(*app->MainForm)));
    PostMessageW(windowOf(*app->MainForm), WM_CLOSE, 0, 0);
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
    destroyed.clear();
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
