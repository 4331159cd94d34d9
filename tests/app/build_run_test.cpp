// The runs the user starts: the sliders, the natural frequency, the press.
#include "app_fixture.h"

#include "runtime/number_text.h"

namespace {

TEST_F(AppTest, SlidersStartAtTheirLimitsAndTheStartDragsTheEndAlong) {
    // Only the activation has reached the hidden start copy; the positions
    // (0 and 11) are pinned by the first press of the next test.
    EXPECT_EQ(textOf(*app->EditStart) + "|" + textOf(*app->EditEnd) + "|" +
                  textOf(*app->EditStartInit),
              "||0");
    for (const TKNEdit* hidden : {app->EditNaturalFreqCopy, app->EditStartInit, app->EditEndInit})
        EXPECT_FALSE(IsWindowVisible(windowOf(*hidden)));
    for (const TKNEdit* shownOnly : {app->EditStart, app->EditEnd})
        EXPECT_TRUE(IsWindowVisible(windowOf(*shownOnly)) &&
                    !IsWindowEnabled(windowOf(*shownOnly)));

    // Each move of the start sets the end to start + 10, up to 250.
    moveSlider(*app->TrackEnd, 100);
    for (const auto& [start, end] : {std::pair{5, 15}, {235, 245}, {240, 250}}) {
        moveSlider(*app->TrackStart, start);
        EXPECT_EQ(textOf(*app->EditStart) + ".." + textOf(*app->EditEnd),
                  intToText(start) + ".." + intToText(end));
        EXPECT_EQ(positionOf(*app->TrackEnd), end);
    }
}

// Each press runs from the start to the end, which is raised to start + 10
// when below (untouched sliders read as 0 and 11, the box as 6.0). Each step
// rejects an f0 not above 0.001 once, and the lines stay over later presses;
// an unfinished number runs no step to the end and shows nothing; an emptied
// box holds 0 at once; a step plots only where (f/f0)² − 1 is above 0.01
// ((10 / 9.96)² − 1 is not, (10 / 9.95)² − 1 is).
TEST_F(AppTest, EachPressRunsTheBandTheSlidersShowForTheNaturalFrequency) {
    const struct {
        int start, end;                  // -1: the slider stays
        const wchar_t* typed;            // nullptr: the box stays
        int startShown, endShown, first; // first > endShown: nothing plotted
        std::size_t rejections;          // in all
        double f0;
        int markers; // whole ones inside the frame; -1: not looked at
    } presses[] = {
        {-1, -1, nullptr, 0, 11, 7, 0, 6, 3},        {50, 15, nullptr, 50, 60, 50, 0, 6, 9},
        {240, -1, nullptr, 240, 250, 240, 0, 6, 9},  {20, 20, nullptr, 20, 20, 20, 0, 6, 0},
        {2, 12, nullptr, 2, 12, 7, 0, 6, 4}, // the ends sit on the frame; the rejection clears all
        {-1, -1, L"0.0005", 2, 12, 13, 11, 0, 0},    {-1, -1, L"0.0005", 2, 12, 13, 22, 0, -1},
        {-1, -1, L"-", 2, 12, 13, 22, 0, -1},        {-1, -1, L".", 2, 12, 13, 22, 0, -1},
        {-1, -1, L"1e", 2, 12, 13, 22, 0, -1},       {-1, -1, L"", 2, 12, 13, 33, 0, -1},
        {-1, -1, L"0.002", 2, 12, 2, 33, 0.002, -1}, {-1, -1, L"9.96", 2, 12, 11, 33, 9.96, -1},
        {-1, -1, L"9.95", 2, 12, 10, 33, 9.95, -1}};
    EXPECT_EQ(textOf(*app->EditNaturalFreq), "6.0");
    // The markers are drawn over the line.
    EXPECT_EQ(app->PlotterEffect->seriesAt(1), &app->PointsEffect->series());
    const int emptyPlotLine = plotPicture().second;
    for (const auto& press : presses) {
        SCOPED_TRACE(testing::Message() << press.start << ".." << press.end << " f0 "
                                        << (press.typed ? press.typed : L"kept"));
        if (press.start >= 0)
            moveSlider(*app->TrackStart, press.start);
        if (press.end >= 0)
            moveSlider(*app->TrackEnd, press.end);
        if (press.typed) { // select all, type (an empty text: a backspace)
            SetFocus(windowOf(*app->EditNaturalFreq));
            SendMessageW(windowOf(*app->EditNaturalFreq), EM_SETSEL, 0, -1);
            for (wchar_t c : std::wstring(*press.typed ? press.typed : L"\b"))
                SendMessageW(windowOf(*app->EditNaturalFreq), WM_CHAR, c, 1);
            pumpMessages();
            EXPECT_EQ(wideTextOf(windowOf(*app->EditNaturalFreq)),
                      *press.typed ? press.typed : L"0");
        }
        pressBuild();
        EXPECT_EQ(textOf(*app->EditStart) + ".." + textOf(*app->EditEnd),
                  intToText(press.startShown) + ".." + intToText(press.endShown));
        EXPECT_EQ(positionOf(*app->TrackEnd), press.endShown);
        EXPECT_EQ(linesOf(*app->MemoError),
                  std::vector<std::string>(press.rejections, rejectionText));
        expectPlotted(press.first, press.endShown, press.f0);
        if (press.markers >= 0) { // a line needs two points
            const auto [markers, linePixels] = plotPicture();
            EXPECT_EQ(markers, press.markers);
            EXPECT_EQ(linePixels > emptyPlotLine + 50, press.first < press.endShown);
        }
    }
}

} // namespace
