#include "plot/plot_layout.h"

#include "data_series.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <tuple>

namespace {

// The vertical grid lines as "x:label", then the rows bottom to top as
// "y:label", with a '+' where a grid line is drawn.
std::string grid(const TPlotLayout& layout) {
    std::string text;
    layout.forEachColumn([&](std::int32_t x, double v) {
        text += std::to_string(x) + ":" + plotLabelText(v) + " ";
    });
    text += "|";
    layout.forEachRow([&](std::int32_t y, double v, bool line) {
        text += " " + std::to_string(y) + ":" + plotLabelText(v) + (line ? "+" : "");
    });
    return text;
}

} // namespace

TEST(PlotLayout, GridsAndPlotAreasFromTheApplicationsDownToNone) {
    DataSeries series; // outlives the views
    TPlotView view, point;
    view.setGrid(0); // behaves as 1
    point.addSeries(&series);
    series.addValue(5.0, 3.0); // one point lies at the bottom left corner
    const std::tuple<TPlotView*, std::int32_t, std::int32_t, const char*> cases[] = {
        {&view, 435, 375, "420:1 | 360:0 15:1+"},
        {&point, 435, 375, // the application's: columns 39 pixels apart, rows 34.5, halves to even
         "69:3.1 108:3.2 147:3.3 186:3.4 225:3.5 264:3.6 303:3.7 342:3.8 "
         "381:3.9 420:4 | 360:5 326:5.1+ 291:5.2+ 256:5.3+ 222:5.4+ 188:5.5+ "
         "153:5.6+ 118:5.7+ 84:5.8+ 50:5.9+ 15:6+"},
        {&point, 45, 30, "| 15:5"}, // no plot area: no lines, and the loops end
        {&point, 20, 10, "|"},
        // narrower than the grid: still a pixel per cell
        {&point, 50, 35,
         "31:3.1 32:3.2 33:3.3 34:3.4 35:3.5 | 20:5 19:5.1+ 18:5.2+ 17:5.3+ 16:5.4+ 15:5.5+"}};
    for (auto [v, width, height, expected] : cases)
        EXPECT_EQ(grid(TPlotLayout(*v, width, height)), expected) << width << " x " << height;
    EXPECT_EQ(TPlotLayout(point, 435, 375).mapping.map(3.0, 5.0), (TPixel{30, 360}));

    // Labels need cells strictly wider than 10 and higher than 12 pixels.
    view.setGrid(10);
    view.MarginLeft = view.MarginRight = view.MarginTop = view.MarginBottom = 0;
    EXPECT_FALSE(TPlotLayout(view, 100, 120).xLabels());
    EXPECT_TRUE(TPlotLayout(view, 101, 120).xLabels());
    EXPECT_FALSE(TPlotLayout(view, 100, 120).yLabels());
    EXPECT_TRUE(TPlotLayout(view, 100, 121).yLabels());
}

TEST(PlotLayout, RowsBelowThePrecisionOfTheMinimumStillGetTheirLines) {
    DataSeries series; // outlives the view
    TPlotView view;
    view.addSeries(&series);
    addPoints(series, {{0, 1e16}, {1, 1e16 + 10}}); // a step of 1 is lost at 1e16
    const std::string rows = grid(TPlotLayout(view, 435, 375));
    EXPECT_EQ(std::count(rows.begin(), rows.end(), '+'), 10) << rows;
}

TEST(PlotLayout, MappingRoundsHalfToEvenAndYGrowsUpward) {
    TPlotView view;
    TPlotMapping m = seriesMapping(&view, 390, 345, 7.0, 0.0, 5.0, 10.0);
    EXPECT_EQ(m.map(7.0, 0.0), (TPixel{30, 360}));
    EXPECT_EQ(m.map(12.0, 10.0), (TPixel{420, 15}));
    EXPECT_EQ(seriesMapping(nullptr, 390, 345, 7.0, 0.0, 5.0, 10.0).map(7.0, 0.0),
              (TPixel{0, 345})); // drawn by no plotter: no margins
    // 0.5, 1.5 and 2.5 pixels: half a pixel is 1/780 of X's range and 1/690 of Y's.
    m.rangeX = 780.0;
    m.minX = 0.0;
    m.rangeY = 690.0;
    for (auto [v, pixel] : {std::pair{1.0, TPixel{30, 359}}, {3.0, {32, 359}}, {5.0, {32, 357}}})
        EXPECT_EQ(m.map(v, v), pixel) << v;
    // Far-off and non-finite values stay drawable.
    const TPixel far = m.map(1e300, -1e300);
    EXPECT_GT(far.x, 1000000);
    EXPECT_GT(far.y, 1000000);
    EXPECT_LT(m.map(std::nan(""), 0).x, -1000000);
}

TEST(PlotLayout, LabelTextHasAtMostTwoDecimals) {
    const std::pair<double, const char*> cases[] = {
        {0.0, "0"},         {0.30000000000000004, "0.3"},       {-1.234, "-1.23"},
        {12.3456, "12.35"}, {0.125, "0.12"} /* ties to even */, {40.5, "40.5"}};
    for (auto [value, text] : cases)
        EXPECT_EQ(plotLabelText(value), text) << value;
}
