#include "plot/plot_layout.h"

#include "data_series.h"

#include <gtest/gtest.h>

#include <cmath>

namespace {

struct Column {
    std::int32_t x;
    double value;
};
struct Row {
    std::int32_t y;
    std::string label;
    bool line;
};

std::vector<Column> columns(const TPlotLayout& layout) {
    std::vector<Column> result;
    layout.forEachColumn([&](std::int32_t x, double v) { result.push_back({x, v}); });
    return result;
}

std::vector<Row> rows(const TPlotLayout& layout) {
    std::vector<Row> result;
    layout.forEachRow([&](std::int32_t y, double v, bool line) {
        result.push_back({y, plotLabelText(v), line});
    });
    return result;
}

} // namespace

TEST(PlotLayout, EmptyPlotOfTheApplication) {
    TPlotView view; // margins 30/15/15/15, grid 10
    const TPlotLayout layout(view, 435, 375);
    EXPECT_EQ(layout.mapping.plotWidth, 390);
    EXPECT_EQ(layout.mapping.plotHeight, 345);
    EXPECT_EQ(layout.mapping.rangeX, 1.0);
    EXPECT_EQ(layout.mapping.rangeY, 1.0);
    EXPECT_TRUE(layout.xLabels());
    EXPECT_TRUE(layout.yLabels());

    const auto cols = columns(layout);
    ASSERT_EQ(cols.size(), 10u);
    for (int k = 1; k <= 10; ++k) {
        EXPECT_EQ(cols[k - 1].x, 30 + static_cast<int>(std::lround(39.0 * k)));
        EXPECT_EQ(plotLabelText(cols[k - 1].value), plotLabelText(k / 10.0));
    }
    EXPECT_EQ(cols.back().x, 420); // on the frame's right edge

    // Rows 34.5 pixels apart, halves rounded to even.
    const auto r = rows(layout);
    const std::vector<std::int32_t> expectedY{360, 326, 291, 256, 222, 188, 153, 118, 84, 50, 15};
    const std::vector<std::string> labels{"0",   "0.1", "0.2", "0.3", "0.4", "0.5",
                                          "0.6", "0.7", "0.8", "0.9", "1"};
    ASSERT_EQ(r.size(), expectedY.size());
    for (std::size_t i = 0; i < r.size(); ++i) {
        EXPECT_EQ(r[i].y, expectedY[i]) << i;
        EXPECT_EQ(r[i].label, labels[i]) << i;
        EXPECT_EQ(r[i].line, i != 0) << i; // no grid line on the bottom edge
    }
}

TEST(PlotLayout, LabelsNeedCellsStrictlyLargerThanTheirThreshold) {
    TPlotView view;
    view.MarginLeft = view.MarginRight = view.MarginTop = view.MarginBottom = 0;
    EXPECT_FALSE(TPlotLayout(view, 100, 120).xLabels()); // 10 pixels wide
    EXPECT_TRUE(TPlotLayout(view, 101, 120).xLabels());
    EXPECT_FALSE(TPlotLayout(view, 100, 120).yLabels()); // 12 pixels high
    EXPECT_TRUE(TPlotLayout(view, 100, 121).yLabels());
}

TEST(PlotLayout, GridOfOneAndDegeneratePlotAreas) {
    TPlotView view;
    view.setGrid(0); // behaves as 1
    const TPlotLayout one(view, 435, 375);
    const auto cols = columns(one);
    ASSERT_EQ(cols.size(), 1u);
    EXPECT_EQ(cols[0].x, 420);
    EXPECT_EQ(rows(one).size(), 2u);

    // Too small for a plot area: no lines and no labels, and the loops end.
    view.setGrid(10);
    const TPlotLayout none(view, 45, 30);
    EXPECT_TRUE(columns(none).empty());
    const auto r = rows(none);
    ASSERT_EQ(r.size(), 1u);
    EXPECT_FALSE(r[0].line);
    EXPECT_FALSE(none.xLabels());
    EXPECT_FALSE(none.yLabels());
    const TPlotLayout negative(view, 20, 10);
    EXPECT_TRUE(columns(negative).empty());
    EXPECT_TRUE(rows(negative).empty());

    // Narrower than the grid: still at least a pixel per cell.
    const TPlotLayout narrow(view, 30 + 15 + 5, 375);
    EXPECT_EQ(narrow.xPixelStep, 1.0);
    EXPECT_EQ(columns(narrow).size(), 5u);
}

TEST(PlotLayout, RowsBelowThePrecisionOfTheMinimumStillGetTheirLines) {
    DataSeries series; // outlives the view
    TPlotView view;
    view.addSeries(&series);
    addPoints(series, {{0, 1e16}, {1, 1e16 + 10}}); // a step of 1 is lost at 1e16
    const auto r = rows(TPlotLayout(view, 435, 375));
    ASSERT_EQ(r.size(), 11u);
    for (std::size_t i = 0; i < r.size(); ++i)
        EXPECT_EQ(r[i].line, i != 0) << i;
}

TEST(PlotLayout, MappingRoundsHalfToEvenAndYGrowsUpward) {
    TPlotMapping m{30, 15, 390, 345, 7.0, 0.0, 5.0, 10.0};
    EXPECT_EQ(m.map(7.0, 0.0), (TPixel{30, 360}));
    EXPECT_EQ(m.map(12.0, 10.0), (TPixel{420, 15}));
    // 0.5 pixel steps: 1/78 of the range is half a pixel.
    m.rangeX = 780.0;
    m.minX = 0.0;
    EXPECT_EQ(m.map(1.0, 0.0).x, 30);  // 0.5 -> 0
    EXPECT_EQ(m.map(3.0, 0.0).x, 32);  // 1.5 -> 2
    EXPECT_EQ(m.map(5.0, 0.0).x, 32);  // 2.5 -> 2
    m.rangeY = 690.0;                  // y 1 is half a pixel up
    EXPECT_EQ(m.map(0.0, 1.0).y, 359); // 344.5 -> 344
    EXPECT_EQ(m.map(0.0, 3.0).y, 359); // 343.5 -> 344
    // Far-off and non-finite values stay drawable.
    const TPixel far = m.map(1e300, -1e300);
    EXPECT_GT(far.x, 1000000);
    EXPECT_GT(far.y, 1000000);
    const TPixel nan = m.map(std::nan(""), std::nan(""));
    EXPECT_LT(nan.x, -1000000);
}

TEST(PlotLayout, OnePointLiesAtTheBottomLeftCorner) {
    DataSeries series; // outlives the view
    TPlotView view;
    view.addSeries(&series);
    series.addValue(5.0, 3.0);
    const TPlotLayout layout(view, 435, 375);
    EXPECT_EQ(layout.mapping.rangeX, 1.0);
    EXPECT_EQ(layout.mapping.rangeY, 1.0);
    EXPECT_EQ(layout.mapping.map(3.0, 5.0), (TPixel{30, 360}));
}

TEST(PlotLayout, LabelTextHasAtMostTwoDecimals) {
    EXPECT_EQ(plotLabelText(0.0), "0");
    EXPECT_EQ(plotLabelText(2.0), "2");
    EXPECT_EQ(plotLabelText(0.30000000000000004), "0.3");
    EXPECT_EQ(plotLabelText(-1.234), "-1.23");
    EXPECT_EQ(plotLabelText(12.3456), "12.35");
    EXPECT_EQ(plotLabelText(0.125), "0.12"); // 12.5 rounds to even
    EXPECT_EQ(plotLabelText(40.5), "40.5");
}
