// The runs the user starts: the sliders, the natural frequency, the press.
#include "app_fixture.h"

#include "runtime/number_text.h"

namespace {

// Where the end edit stood each time the start edit got its text.
std::vector<std::string> endWhenStartSet;
const TKNEdit* endEdit = nullptr;

bool watchStartText(TControl&, TMessage& msg, LRESULT&) {
    if (msg.message == WM_SETTEXT)
        endWhenStartSet.push_back(AppTest::textOf(*endEdit));
    return false;
}

TEST_F(AppTest, WorkedExampleFillsTheMemosAndPlotsSixPoints) {
    const int emptyPlotLine = plotPicture().linePixels;
    moveSlider(*app->TrackStart, 2);
    moveSlider(*app->TrackEnd, 12);
    EXPECT_EQ(textOf(*app->EditNaturalFreq), "6.0");
    pressBuild();
    expectPlotted(7, 12, 6.0);
    const std::vector<std::string> effect = linesOf(*app->MemoEffect);
    ASSERT_EQ(effect.size(), 6u);
    EXPECT_EQ(effect.front().substr(0, 6), "-8.847");
    EXPECT_EQ(effect.back().substr(0, 5), "9.542");
    EXPECT_EQ(linesOf(*app->MemoError).size(), 0u);
    // The scale fits the data, so the first and last points sit on the frame.
    const Picture picture = plotPicture();
    EXPECT_EQ(picture.markers, 4);
    EXPECT_GT(picture.linePixels, emptyPlotLine + 50);
    // The line series is drawn first, so the markers lie over it.
    EXPECT_EQ(app->PlotterEffect->seriesAt(0), &app->LinesEffect->series());
    EXPECT_EQ(app->PlotterEffect->seriesAt(1), &app->PointsEffect->series());
}

TEST_F(AppTest, SlidersStartAtTheirLimitsAndTheStartDragsTheEndAlong) {
    EXPECT_EQ(textOf(*app->EditStart), "");
    EXPECT_EQ(textOf(*app->EditEnd), "");
    EXPECT_EQ(positionOf(*app->TrackStart), 0);
    EXPECT_EQ(positionOf(*app->TrackEnd), 11);
    EXPECT_EQ(textOf(*app->EditStartInit), "0"); // the activation reached it
    for (const TKNEdit* hidden : {app->EditNaturalFreqCopy, app->EditStartInit, app->EditEndInit})
        EXPECT_FALSE(IsWindowVisible(windowOf(*hidden)));
    for (const TKNEdit* shownOnly : {app->EditStart, app->EditEnd}) {
        EXPECT_TRUE(IsWindowVisible(windowOf(*shownOnly)));
        EXPECT_FALSE(IsWindowEnabled(windowOf(*shownOnly)));
    }

    endWhenStartSet.clear();
    endEdit = app->EditEnd;
    app->EditStart->getControl()->attachHandler(watchStartText, false);
    moveSlider(*app->TrackEnd, 100);
    moveSlider(*app->TrackStart, 5);
    EXPECT_EQ(textOf(*app->EditStart), "5");
    moveSlider(*app->TrackStart, 235);
    moveSlider(*app->TrackStart, 240);
    EXPECT_EQ(positionOf(*app->TrackEnd), 250);
    // The end was already set whenever the start edit got its text.
    EXPECT_EQ(endWhenStartSet, (std::vector<std::string>{"15", "245", "250"}));
}

// Untouched sliders read as 0 and 11 at the press; an end below the start is
// raised to start + 10 before the loop.
TEST_F(AppTest, TheLoopRunsFromTheStartToTheEndRaisedWhenBelow) {
    const struct {
        int start, end; // -1: the slider stays
        int startShown, endShown, firstPlotted, markers;
    } presses[] = {{-1, -1, 0, 11, 7, 3},
                   {50, 15, 50, 60, 50, 9},
                   {240, -1, 240, 250, 240, 9},
                   {20, 20, 20, 20, 20, 0}};
    for (const auto& press : presses) {
        SCOPED_TRACE(press.startShown);
        if (press.start >= 0)
            moveSlider(*app->TrackStart, press.start);
        if (press.end >= 0)
            moveSlider(*app->TrackEnd, press.end);
        pressBuild();
        EXPECT_EQ(textOf(*app->EditStart), intToText(press.startShown));
        EXPECT_EQ(textOf(*app->EditEnd), intToText(press.endShown));
        EXPECT_EQ(positionOf(*app->TrackEnd), press.endShown);
        expectPlotted(press.firstPlotted, press.endShown, 6.0);
        EXPECT_EQ(plotPicture().markers, press.markers);
    }
}

// Each step rejects an f0 not above 0.001 once, and the lines stay over later
// presses; an unfinished number runs no step to the end and shows nothing;
// an emptied box holds 0 at once; a step plots only where (f/f0)² − 1 is above
// 0.01 ((10 / 9.96)² − 1 is not).
TEST_F(AppTest, NaturalFrequenciesAtTheLimitUnfinishedOrEmptied) {
    moveSlider(*app->TrackStart, 2);
    moveSlider(*app->TrackEnd, 12);
    pressBuild(); // a good run first: the rejected one must clear it
    const struct {
        const wchar_t *typed, *shown;
        std::size_t rejections; // in all
        int firstPlotted;       // 13: none
        double f0;
    } presses[] = {{L"0.0005", L"0.0005", 11, 13, 0},
                   {L"0.0005", L"0.0005", 22, 13, 0},
                   {L"-", L"-", 22, 13, 0},
                   {L".", L".", 22, 13, 0},
                   {L"1e", L"1e", 22, 13, 0},
                   {L"", L"0", 33, 13, 0},
                   {L"0.002", L"0.002", 33, 2, 0.002},
                   {L"9.96", L"9.96", 33, 11, 9.96}};
    for (const auto& press : presses) {
        SCOPED_TRACE(testing::PrintToString(std::wstring(press.typed)));
        typeNaturalFrequency(press.typed);
        EXPECT_EQ(wideTextOf(windowOf(*app->EditNaturalFreq)), press.shown);
        pressBuild();
        EXPECT_EQ(linesOf(*app->MemoError),
                  std::vector<std::string>(press.rejections, rejectionText));
        expectPlotted(press.firstPlotted, 12, press.f0);
    }

    // Emptied by a text assignment, the first step's read turns it into 0
    // and shows nothing; every later step rejects the 0.
    app->EditNaturalFreq->changeArmed = false;
    SetWindowTextW(windowOf(*app->EditNaturalFreq), L"");
    pumpMessages();
    ASSERT_EQ(textOf(*app->EditNaturalFreq), "");
    pressBuild();
    EXPECT_EQ(textOf(*app->EditNaturalFreq), "0");
    EXPECT_EQ(linesOf(*app->MemoError).size(), 43u);
    expectPlotted(2, 1, 0.0);
}

} // namespace
