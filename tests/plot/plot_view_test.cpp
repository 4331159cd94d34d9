#include "plot/plot_view.h"

#include "data_series.h"

#include <gtest/gtest.h>

#include <cmath>
#include <memory>

namespace {

// The application's plotter: 435 x 375 with margins 30/15/15/15, so the
// plot area is 390 x 345.
constexpr std::int32_t clientWidth = 435;
constexpr std::int32_t clientHeight = 375;

struct View : TPlotView {
    int redraws = 0;
    void redraw() override { ++redraws; }
};

} // namespace

TEST(PlotView, GridIsAtLeastOne) {
    TPlotView view;
    view.setGrid(7);
    EXPECT_EQ(view.Grid(), 7);
    view.setGrid(0);
    EXPECT_EQ(view.Grid(), 1);
    view.setGrid(-5);
    EXPECT_EQ(view.Grid(), 1);
}

TEST(PlotView, EffectiveLimitsComeFromDataUnlessFixed) {
    DataSeries empty, first, second; // outlive the view
    TPlotView view;
    EXPECT_EQ(view.effectiveMaxY(), 0.0);

    view.addSeries(&empty);
    EXPECT_EQ(view.effectiveMinX(), 0.0);
    EXPECT_EQ(view.effectiveMaxY(), 0.0);

    view.addSeries(&first);
    view.addSeries(&second);
    addPoints(first, {{7, 20}, {9, 25}});
    addPoints(second, {{8, 30}, {12, 22}});
    EXPECT_EQ(view.effectiveMinX(), 7.0);
    EXPECT_EQ(view.effectiveMaxX(), 12.0);
    EXPECT_EQ(view.effectiveMinY(), 20.0);
    EXPECT_EQ(view.effectiveMaxY(), 30.0);

    // Each limit is fixed on its own.
    view.MaxY = 100.0;
    view.MinX = -3.0;
    EXPECT_EQ(view.effectiveMaxY(), 100.0);
    EXPECT_EQ(view.effectiveMinY(), 20.0);
    EXPECT_EQ(view.effectiveMinX(), -3.0);
    EXPECT_EQ(view.effectiveMaxX(), 12.0);

    // Data far from 0 count as they are, whichever side they lie on.
    addPoints(second, {{-2e7, -3e7}});
    view.MinX = 0.0;
    EXPECT_EQ(view.effectiveMinX(), -2e7);
    EXPECT_EQ(view.effectiveMinY(), -3e7);
    DataSeries far;
    TPlotView farView;
    farView.addSeries(&far);
    addPoints(far, {{2e7, -3e7}, {3e7, -2e7}});
    EXPECT_EQ(farView.effectiveMinX(), 2e7);
    EXPECT_EQ(farView.effectiveMaxX(), 3e7);
    EXPECT_EQ(farView.effectiveMinY(), -3e7);
    EXPECT_EQ(farView.effectiveMaxY(), -2e7);

    // The view does not own its series: they are left ownerless, not freed.
    auto owned = std::make_unique<TPlotView>();
    DataSeries survivor;
    owned->addSeries(&survivor);
    EXPECT_EQ(survivor.owner, owned.get());
    owned.reset();
    EXPECT_EQ(survivor.owner, nullptr);
}

TEST(PlotView, SeriesAreListedOnceAndRemovalFreesThem) {
    TPlotView first, second;
    auto* series = new DataSeries;
    first.addSeries(series);
    first.addSeries(series);
    EXPECT_EQ(first.seriesCount(), 1);
    EXPECT_EQ(first.seriesAt(0), series);
    EXPECT_EQ(first.seriesAt(1), nullptr);
    EXPECT_EQ(first.seriesAt(-1), nullptr);

    second.addSeries(series);
    EXPECT_EQ(first.seriesCount(), 0);
    EXPECT_EQ(second.seriesCount(), 1);
    EXPECT_EQ(series->owner, &second);

    second.removeSeries(series); // the sanitizers catch a leak or a double free
    EXPECT_EQ(second.seriesCount(), 0);
}

TEST(PlotView, PressFreezesOnlyAutomaticPairs) {
    DataSeries series;
    TPlotView view;
    view.addSeries(&series);
    addPoints(series, {{7, -10}, {12, 20}});

    view.MaxX = 50.0; // X is not fully automatic: it stays as it is
    view.freezeAutomaticLimits();
    EXPECT_EQ(view.MinY, -10.0);
    EXPECT_EQ(view.MaxY, 20.0);
    EXPECT_EQ(view.MinX, 0.0);
    EXPECT_EQ(view.MaxX, 50.0);

    // Frozen: new data no longer widen the axis.
    addPoints(series, {{20, 100}});
    EXPECT_EQ(view.effectiveMaxY(), 20.0);
}

TEST(PlotView, PanMovesTheViewWithTheCursor) {
    TPlotView view;
    view.MinX = 10.0;
    view.MaxX = 49.0; // 39 units over 390 pixels: 0.1 per pixel
    view.MinY = 100.0;
    view.MaxY = 134.5; // 34.5 units over 345 pixels
    view.pan(20, -10, clientWidth, clientHeight);
    // Dragging right shows smaller X; dragging up shows smaller Y.
    EXPECT_DOUBLE_EQ(view.MinX, 8.0);
    EXPECT_DOUBLE_EQ(view.MaxX, 47.0);
    EXPECT_DOUBLE_EQ(view.MinY, 99.0);
    EXPECT_DOUBLE_EQ(view.MaxY, 133.5);

    // A client area without a plot area leaves the limits finite and unchanged.
    view.pan(5, 5, 45, 30);
    EXPECT_DOUBLE_EQ(view.MinX, 8.0);
    EXPECT_DOUBLE_EQ(view.MaxY, 133.5);
}

TEST(PlotView, ZoomRectangleInItsThreeDirections) {
    DataSeries series;
    TPlotView view;
    view.addSeries(&series);
    addPoints(series, {{7, 2}, {12, 5}});
    auto setView = [&] {
        view.MinX = 0.0;
        view.MaxX = 39.0; // 0.1 per pixel
        view.MinY = 1.0;
        view.MaxY = 35.5; // 0.1 per pixel
    };

    // Down-right: the band's rows and columns become the view.
    setView();
    view.zoomToRectangle({30 + 100, 15 + 50}, {30 + 200, 15 + 150}, clientWidth, clientHeight);
    EXPECT_DOUBLE_EQ(view.MinX, 10.0);
    EXPECT_DOUBLE_EQ(view.MaxX, 20.0);
    EXPECT_DOUBLE_EQ(view.MaxY, 30.5);
    EXPECT_DOUBLE_EQ(view.MinY, 20.5);

    // Up-left: both axes fit the data, as fixed limits.
    setView();
    view.zoomToRectangle({200, 200}, {100, 100}, clientWidth, clientHeight);
    EXPECT_EQ(view.MinX, 7.0);
    EXPECT_EQ(view.MaxX, 12.0);
    EXPECT_EQ(view.MinY, 2.0);
    EXPECT_EQ(view.MaxY, 5.0);

    // Down-left: Y zooms, X fits.
    setView();
    view.zoomToRectangle({30 + 200, 15 + 50}, {30 + 100, 15 + 150}, clientWidth, clientHeight);
    EXPECT_EQ(view.MinX, 7.0);
    EXPECT_EQ(view.MaxX, 12.0);
    EXPECT_DOUBLE_EQ(view.MaxY, 30.5);
    EXPECT_DOUBLE_EQ(view.MinY, 20.5);
}

TEST(PlotView, WheelZoomsAroundTheCursor) {
    EXPECT_DOUBLE_EQ(TPlotView::wheelFactor(120 << 16), 0.192);
    EXPECT_DOUBLE_EQ(TPlotView::wheelFactor(-120 * 65536), -0.192);

    // Before any press the limits are automatic (all 0) and stay so.
    TPlotView view;
    view.wheelZoom(120 << 16, {200, 100}, clientWidth, clientHeight);
    EXPECT_EQ(view.MinX, 0.0);
    EXPECT_EQ(view.MaxX, 0.0);
    EXPECT_EQ(view.MinY, 0.0);
    EXPECT_EQ(view.MaxY, 0.0);

    view.MinX = 10.0;
    view.MaxX = 49.0;
    view.MinY = 100.0;
    view.MaxY = 134.5;
    // Cursor over X = 20 and Y = 124.5.
    view.wheelZoom(120 << 16, {30 + 100, 15 + 100}, clientWidth, clientHeight);
    EXPECT_DOUBLE_EQ(view.MinX, 10.0 + 10.0 * 0.192);
    EXPECT_DOUBLE_EQ(view.MaxX, 49.0 - 29.0 * 0.192);
    EXPECT_DOUBLE_EQ(view.MaxY, 134.5 - 10.0 * 0.192);
    EXPECT_DOUBLE_EQ(view.MinY, 100.0 + 24.5 * 0.192);
}

TEST(PlotView, NoStepCollapsesTurnsOverOrOverflowsTheView) {
    auto expectUsable = [](const TPlotView& view, const char* step) {
        EXPECT_TRUE(std::isfinite(view.MaxX - view.MinX)) << step;
        EXPECT_TRUE(std::isfinite(view.MaxY - view.MinY)) << step;
        EXPECT_GT(view.MaxX, view.MinX) << step;
        EXPECT_GT(view.MaxY, view.MinY) << step;
    };
    auto setView = [](TPlotView& view, double minimum, double maximum) {
        view.MinX = view.MinY = minimum;
        view.MaxX = view.MaxY = maximum;
    };
    const TPixel cursor{30 + 100, 15 + 100};

    // One message with a large forward delta zooms in, but not past a tenth.
    for (std::int32_t delta : {625, 1000, 32767}) {
        TPlotView view;
        setView(view, 10.0, 49.0);
        view.wheelZoom(delta << 16, cursor, clientWidth, clientHeight);
        expectUsable(view, "forward");
        EXPECT_DOUBLE_EQ(view.MaxX - view.MinX, 3.9) << delta;
    }

    // Backward notches without end: the view stops growing before its range
    // overflows, and zooms in again at once.
    TPlotView view;
    setView(view, 10.0, 49.0);
    for (int i = 0; i < 5000; ++i)
        view.wheelZoom(-120 * 65536, cursor, clientWidth, clientHeight);
    view.wheelZoom(-32768 * 65536, cursor, clientWidth, clientHeight);
    expectUsable(view, "backward");
    const double widest = view.MaxY - view.MinY;
    view.wheelZoom(120 << 16, cursor, clientWidth, clientHeight);
    EXPECT_LT(view.MaxY - view.MinY, widest);

    // Panning toward the end of the double range stops short of it.
    setView(view, 1e307, 4e307);
    view.pan(-400, 400, clientWidth, clientHeight);
    EXPECT_EQ(view.MaxY, 4e307);
    EXPECT_EQ(view.MinX, 1e307);

    // A band thinner than the precision of its values would collapse the range.
    setView(view, 1e16, 1e16 + 4);
    view.zoomToRectangle({30 + 100, 15 + 100}, {30 + 101, 15 + 101}, clientWidth, clientHeight);
    expectUsable(view, "rectangle");
    EXPECT_EQ(view.MinY, 1e16);
    EXPECT_EQ(view.MaxX, 1e16 + 4);
}
