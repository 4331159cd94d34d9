#include "app_fixture.h"

#include "runtime/number_text.h"

#include <cmath>

namespace {

std::vector<std::string> frequencies(int first, int last) {
    std::vector<std::string> lines;
    for (int f = first; f <= last; ++f)
        lines.push_back(intToText(f));
    return lines;
}

double efficiency(int f, double f0) {
    const double ratio = f / f0;
    return 20.0 * std::log10(ratio * ratio - 1.0);
}

} // namespace

// The line series holds the band's points from first on, with the efficiency
// of each frequency, and the efficiency memo writes the same values.
void AppTest::expectPlotted(int first, int last, double f0) {
    const std::vector<TRPoint>& line = app->LinesEffect->series().points();
    ASSERT_EQ(line.size(), static_cast<std::size_t>(last - first + 1));
    const std::vector<std::string> effect = linesOf(*app->MemoEffect);
    ASSERT_EQ(effect.size(), line.size());
    for (std::size_t i = 0; i < line.size(); ++i) {
        const int f = first + static_cast<int>(i);
        EXPECT_EQ(line[i].X, f);
        EXPECT_NEAR(line[i].Y, efficiency(f, f0), 1e-9) << f;
        EXPECT_EQ(effect[i], realToText(line[i].Y)) << f;
    }
    EXPECT_EQ(app->PointsEffect->series().count(), static_cast<std::int32_t>(line.size()));
    EXPECT_EQ(linesOf(*app->MemoFrequency), frequencies(first, last));
}

namespace {

// Where the end edit stood each time the start edit got its text.
std::vector<std::string> endWhenStartSet;
HWND endEdit = nullptr;

bool watchStartText(TControl&, TMessage& msg, LRESULT&) {
    if (msg.message == WM_SETTEXT)
        endWhenStartSet.push_back(AppTest::textOf(endEdit));
    return false;
}

} // namespace

TEST_F(AppTest, WorkedExampleFillsTheMemosAndPlotsSixPoints) {
    const int emptyPlotLine = linePixels();
    moveSlider(*app->TrackStart, 2);
    moveSlider(*app->TrackEnd, 12);
    EXPECT_EQ(textOf(*app->EditStart), "2");
    EXPECT_EQ(textOf(*app->EditEnd), "12");
    EXPECT_EQ(textOf(*app->EditNaturalFreq), "6.0");

    pressBuild();
    expectPlotted(7, 12, 6.0);
    const std::vector<std::string> effect = linesOf(*app->MemoEffect);
    ASSERT_EQ(effect.size(), 6u);
    EXPECT_EQ(effect.front().substr(0, 6), "-8.847");
    EXPECT_EQ(effect.back().substr(0, 5), "9.542");
    EXPECT_TRUE(linesOf(*app->MemoError).empty());
    // The scale fits the data, so the first and last points sit on the frame.
    EXPECT_EQ(interiorMarkerCount(), 4);
    EXPECT_GT(linePixels(), emptyPlotLine + 50);
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
    EXPECT_FALSE(IsWindowVisible(windowOf(*app->EditNaturalFreqCopy)));
    EXPECT_FALSE(IsWindowVisible(windowOf(*app->EditStartInit)));
    EXPECT_FALSE(IsWindowVisible(windowOf(*app->EditEndInit)));
    EXPECT_TRUE(IsWindowVisible(windowOf(*app->EditStart)));
    EXPECT_FALSE(IsWindowEnabled(windowOf(*app->EditStart)));
    EXPECT_FALSE(IsWindowEnabled(windowOf(*app->EditEnd)));

    endWhenStartSet.clear();
    endEdit = windowOf(*app->EditEnd);
    app->EditStart->getControl()->attachHandler(watchStartText, false);
    moveSlider(*app->TrackEnd, 100);
    moveSlider(*app->TrackStart, 5);
    EXPECT_EQ(positionOf(*app->TrackEnd), 15);
    EXPECT_EQ(textOf(*app->EditEnd), "15");
    EXPECT_EQ(textOf(*app->EditStart), "5");
    moveSlider(*app->TrackStart, 235);
    EXPECT_EQ(textOf(*app->EditEnd), "245");
    moveSlider(*app->TrackStart, 240);
    EXPECT_EQ(textOf(*app->EditEnd), "250");
    EXPECT_EQ(positionOf(*app->TrackEnd), 250);
    // The end was already set whenever the start edit got its text.
    ASSERT_EQ(endWhenStartSet.size(), 3u);
    EXPECT_EQ(endWhenStartSet, (std::vector<std::string>{"15", "245", "250"}));
}

TEST_F(AppTest, AnEndBelowTheStartIsRaisedBeforeTheLoop) {
    moveSlider(*app->TrackStart, 50);
    moveSlider(*app->TrackEnd, 15);
    EXPECT_EQ(textOf(*app->EditEnd), "15");
    pressBuild();
    EXPECT_EQ(textOf(*app->EditEnd), "60");
    EXPECT_EQ(positionOf(*app->TrackEnd), 60);
    expectPlotted(50, 60, 6.0);
    EXPECT_EQ(interiorMarkerCount(), 9);
}

TEST_F(AppTest, BandEdgesEmptyEditsTheTopOfTheRangeAndASingleStep) {
    // Both edits empty: read as 0, the end raised to 11.
    pressBuild();
    EXPECT_EQ(textOf(*app->EditStart), "0");
    EXPECT_EQ(textOf(*app->EditEnd), "11");
    EXPECT_EQ(positionOf(*app->TrackEnd), 11);
    expectPlotted(7, 11, 6.0);
    EXPECT_EQ(app->ForFrequency->position, 12); // the loop ran up to 11
    EXPECT_EQ(interiorMarkerCount(), 3);

    moveSlider(*app->TrackStart, 240);
    pressBuild();
    expectPlotted(240, 250, 6.0);

    moveSlider(*app->TrackStart, 20);
    moveSlider(*app->TrackEnd, 20);
    pressBuild();
    expectPlotted(20, 20, 6.0);
}

TEST_F(AppTest, ANaturalFrequencyAtTheLimitIsRejectedOncePerStep) {
    moveSlider(*app->TrackStart, 2);
    moveSlider(*app->TrackEnd, 12);
    pressBuild(); // a good run first: the rejected one must clear it
    ASSERT_EQ(linesOf(*app->MemoFrequency).size(), 6u);

    typeNaturalFrequency("0.0005");
    EXPECT_EQ(textOf(*app->EditNaturalFreq), "0.0005");
    pressBuild();
    EXPECT_EQ(linesOf(*app->MemoError), std::vector<std::string>(11, rejectionText));
    EXPECT_TRUE(linesOf(*app->MemoFrequency).empty());
    EXPECT_TRUE(linesOf(*app->MemoEffect).empty());
    EXPECT_EQ(app->LinesEffect->series().count(), 0);
    EXPECT_EQ(interiorMarkerCount(), 0);

    pressBuild(); // rejection lines accumulate
    EXPECT_EQ(linesOf(*app->MemoError).size(), 22u);

    typeNaturalFrequency("0.002");
    pressBuild();
    expectPlotted(2, 12, 0.002);
    EXPECT_EQ(linesOf(*app->MemoError).size(), 22u);

    typeNaturalFrequency("6.0");
    pressBuild(); // only the second run's values remain
    expectPlotted(7, 12, 6.0);
}

TEST_F(AppTest, UnfinishedAndEmptyNaturalFrequencies) {
    moveSlider(*app->TrackStart, 2);
    moveSlider(*app->TrackEnd, 12);
    for (const char* unfinished : {"-", ".", "1e"}) {
        typeNaturalFrequency(unfinished);
        EXPECT_EQ(textOf(*app->EditNaturalFreq), unfinished);
        pressBuild();
        EXPECT_TRUE(linesOf(*app->MemoError).empty()) << unfinished;
        EXPECT_TRUE(linesOf(*app->MemoFrequency).empty()) << unfinished;
        EXPECT_EQ(app->LinesEffect->series().count(), 0) << unfinished;
    }

    // Emptied by the user, the box holds 0 at once, and every step rejects it.
    typeNaturalFrequency("");
    EXPECT_EQ(textOf(*app->EditNaturalFreq), "0");
    pressBuild();
    EXPECT_EQ(linesOf(*app->MemoError), std::vector<std::string>(11, rejectionText));
    EXPECT_TRUE(linesOf(*app->MemoFrequency).empty());

    // Emptied by a text assignment, the first step's read turns it into 0
    // and shows nothing; every later step rejects the 0.
    SendMessageW(windowOf(*app->MemoError), WM_SETTEXT, 0, reinterpret_cast<LPARAM>(L""));
    app->EditNaturalFreq->changeArmed = false;
    SetWindowTextW(windowOf(*app->EditNaturalFreq), L"");
    pumpMessages();
    ASSERT_EQ(textOf(*app->EditNaturalFreq), "");
    pressBuild();
    EXPECT_EQ(textOf(*app->EditNaturalFreq), "0");
    EXPECT_EQ(linesOf(*app->MemoError), std::vector<std::string>(10, rejectionText));
}

TEST_F(AppTest, TheNaturalFrequencyEditRollsBackWhatCanNeverBeANumber) {
    typeNaturalFrequency("7a");
    EXPECT_EQ(textOf(*app->EditNaturalFreq), "7");
    typeNaturalFrequency("7,5");
    EXPECT_EQ(textOf(*app->EditNaturalFreq), "75");
    typeNaturalFrequency("x");
    EXPECT_EQ(textOf(*app->EditNaturalFreq), "75"); // the selection came back
    typeNaturalFrequency("1.5e1");
    EXPECT_EQ(textOf(*app->EditNaturalFreq), "1.5e1");
}
