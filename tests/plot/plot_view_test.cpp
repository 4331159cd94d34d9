#include "plot/plot_view.h"

#include "data_series.h"

#include <gtest/gtest.h>

#include <cmath>
#include <memory>

// The application's plotter: margins 30/15/15/15, a plot area of 390 x 345.
constexpr std::int32_t clientWidth = 435, clientHeight = 375;

TEST(PlotView, EffectiveLimitsComeFromDataUnlessFixed) {
    DataSeries empty, first, second, far; // outlive the views
    TPlotView view, farView;
    EXPECT_EQ(limits(view), "0 0 0 0");
    view.addSeries(&empty);
    EXPECT_EQ(limits(view), "0 0 0 0");
    view.addSeries(&first);
    view.addSeries(&second);
    addPoints(first, {{7, 20}, {9, 25}});
    addPoints(second, {{8, 30}, {12, 22}});
    EXPECT_EQ(limits(view), "7 12 20 30");
    view.MaxY = 100.0; // each limit is fixed on its own
    view.MinX = -3.0;
    EXPECT_EQ(limits(view), "-3 12 20 100");
    // Data far from 0 count as they are, whichever side they lie on.
    view.MinX = 0.0;
    addPoints(second, {{-2e7, -3e7}});
    EXPECT_EQ(limits(view), "-20000000 12 -30000000 100");
    farView.addSeries(&far);
    addPoints(far, {{2e7, -3e7}, {3e7, -2e7}});
    EXPECT_EQ(limits(farView), "20000000 30000000 -30000000 -20000000");

    // A press freezes each pair that is wholly automatic against new data.
    view.freezeAutomaticLimits();
    farView.freezeAutomaticLimits();
    addPoints(far, {{1e7, -4e7}, {4e7, 0}});
    addPoints(second, {{20, -4e7}});
    EXPECT_EQ(limits(farView), "20000000 30000000 -30000000 -20000000");
    EXPECT_EQ(view.MinY, 0.0);
    EXPECT_EQ(limits(view), "-20000000 12 -40000000 100");
}

TEST(PlotView, SeriesAreListedOnceAndLeftOwnerlessByAViewThatGoes) {
    auto first = std::make_unique<TPlotView>();
    TPlotView second;
    auto* series = new DataSeries;
    first->addSeries(series);
    first->addSeries(series);
    EXPECT_EQ(first->seriesCount(), 1);
    EXPECT_EQ(first->seriesAt(0), series);
    EXPECT_EQ(first->seriesAt(1), nullptr);
    EXPECT_EQ(first->seriesAt(-1), nullptr);
    second.addSeries(series); // moves over
    EXPECT_EQ(first->seriesCount(), 0);
    EXPECT_EQ(series->owner, &second);
    second.removeSeries(series); // frees it: the sanitizers catch a leak or a double free
    EXPECT_EQ(second.seriesCount(), 0);

    DataSeries survivor;
    first->addSeries(&survivor);
    first.reset();
    EXPECT_EQ(survivor.owner, nullptr);
}

TEST(PlotView, PanAndZoomArithmetic) {
    DataSeries series;
    TPlotView view;
    view.addSeries(&series);
    addPoints(series, {{7, 2}, {12, 5}});
    // 0.1 units per pixel on both axes; the plot area starts at (30, 15).
    const std::string tenths = "0 39 1 35.5", offset = "10 49 100 134.5";
    // p: a drag by a; r: a band from a to b; w: a wheel delta of b.x at a.
    const std::tuple<std::string, char, TPixel, TPixel, const char*> cases[] = {
        // Dragging right shows smaller X; dragging up shows smaller Y.
        {offset, 'p', {20, -10}, {}, "8 47 99 133.5"},
        // Down-right the band's columns and rows become the view; up-left
        // both axes fit the data, as does a click; down-left Y zooms, X fits.
        {tenths, 'r', {130, 65}, {230, 165}, "10 20 20.5 30.5"},
        {tenths, 'r', {200, 200}, {100, 100}, "7 12 2 5"},
        {tenths, 'r', {130, 65}, {130, 65}, "7 12 2 5"},
        {tenths, 'r', {230, 65}, {130, 165}, "7 12 20.5 30.5"},
        // Toward the cursor (over X = 20, Y = 124.5) by 0.192 per notch, or away.
        {offset, 'w', {130, 115}, {120, 0}, "11.92 43.432 104.704 132.58"},
        {offset, 'w', {130, 115}, {-120, 0}, "8.08 54.568 95.296 136.42"},
        // Before any press the limits are automatic (all 0) and stay so.
        {"0 0 0 0", 'w', {130, 115}, {120, 0}, "7 12 2 5"}};
    for (const auto& [before, step, a, b, after] : cases) {
        setLimits(view, before);
        if (step == 'p')
            view.pan(a.x, a.y, clientWidth, clientHeight);
        else if (step == 'r')
            view.zoomToRectangle(a, b, clientWidth, clientHeight);
        else
            view.wheelZoom(b.x * 65536, a, clientWidth, clientHeight);
        EXPECT_EQ(limits(view), after) << step << " from " << before;
    }
}

TEST(PlotView, NoStepCollapsesTurnsOverOrOverflowsTheView) {
    const auto usable = [](const TPlotView& v) {
        return std::isfinite(v.MaxX - v.MinX) && std::isfinite(v.MaxY - v.MinY) &&
               v.MaxX > v.MinX && v.MaxY > v.MinY;
    };
    const TPixel cursor{30 + 100, 15 + 100};
    TPlotView view;

    // One message with a large forward delta zooms in, but not past a tenth.
    for (std::int32_t delta : {625, 1000, 32767}) {
        setLimits(view, "10 49 10 49");
        view.wheelZoom(delta << 16, cursor, clientWidth, clientHeight);
        EXPECT_TRUE(usable(view)) << delta;
        EXPECT_DOUBLE_EQ(view.MaxX - view.MinX, 3.9) << delta;
    }

    // Backward notches without end: the view stops growing before its range
    // overflows, and zooms in again at once.
    setLimits(view, "10 49 10 49");
    for (int i = 0; i < 5000; ++i)
        view.wheelZoom(-120 * 65536, cursor, clientWidth, clientHeight);
    view.wheelZoom(-32768 * 65536, cursor, clientWidth, clientHeight);
    EXPECT_TRUE(usable(view));
    const double widest = view.MaxY - view.MinY;
    view.wheelZoom(120 << 16, cursor, clientWidth, clientHeight);
    EXPECT_LT(view.MaxY - view.MinY, widest);

    // Panning toward the end of the double range stops short of it; a
    // client area without a plot area leaves the limits as they are.
    setLimits(view, "1e307 4e307 1e307 4e307");
    view.pan(-400, 400, clientWidth, clientHeight);
    view.pan(5, 5, 45, 30);
    EXPECT_EQ(view.MinX, 1e307);
    EXPECT_EQ(view.MaxY, 4e307);

    // A band thinner than the precision of its values would collapse the range.
    setLimits(view, "1e16 10000000000000004 1e16 10000000000000004");
    view.zoomToRectangle({30 + 100, 15 + 100}, {30 + 101, 15 + 101}, clientWidth, clientHeight);
    EXPECT_TRUE(usable(view));
    EXPECT_EQ(view.MinY, 1e16);
    EXPECT_EQ(view.MaxX, 1e16 + 4);
}
