#include "plot/plot_painter.h"

#include "picture.h"
#include "plot/line_series.h"
#include "plot/plot_layout.h"
#include "plot/point_series.h"
#include "toolkit/bitmap.h"
#include "toolkit/gdi_counter.h"

#include <gtest/gtest.h>

#include <cmath>
#include <memory>

namespace {

constexpr std::int32_t buttonFace = static_cast<std::int32_t>(0x8000000F);

// The application's plotter drawn into a bitmap of its client size.
class PainterTest : public testing::Test {
protected:
    void SetUp() override {
        startObjects = liveGdiObjects();
        view.GridColor = 0xC0C0C0;
        view.AxisColor = 0x000000;
        view.TextColor = 0xFF0000;
        view.setGrid(10);
        resize(435, 375);
    }
    void TearDown() override {
        for (TSeries* series : owned)
            view.removeSeries(series);
        deleteGdiObject(fullRegion);
        bitmap->free();
        EXPECT_EQ(liveGdiObjects(), startObjects);
    }

    void resize(std::int32_t width, std::int32_t height) {
        if (bitmap)
            bitmap->free();
        deleteGdiObject(fullRegion);
        bitmap = newBitmap(width, height);
        fullRegion = countGdiObject(CreateRectRgn(0, 0, width, height));
    }
    HDC paint() {
        TCanvas* canvas = bitmap->getBitmapCanvas();
        paintPlot(*canvas, view, bitmap->width, bitmap->height, buttonFace, fullRegion);
        return canvas->dc;
    }
    template <class S> S& add(std::int32_t color, std::int32_t size) {
        auto* series = new S;
        series->Color = color;
        series->Size = size;
        view.addSeries(series);
        owned.push_back(series);
        return *series;
    }
    // Puts (0, 0) in the middle of the plot area: (225, 187).
    void centreOnOrigin() {
        view.MinX = view.MinY = -1.0;
        view.MaxX = view.MaxY = 1.0;
    }

    TPlotView view;
    TBitmap* bitmap = nullptr;
    HRGN fullRegion = nullptr;
    std::vector<TSeries*> owned;
    std::int32_t startObjects = 0;
};

double efficiency(double f) {
    const double ratio = f / 6.0;
    return 20.0 * std::log10(ratio * ratio - 1.0);
}

} // namespace

TEST_F(PainterTest, EmptyPlotHasGridLabelsAndFrame) {
    const HDC dc = paint();
    const COLORREF face = GetSysColor(COLOR_BTNFACE);
    EXPECT_EQ(GetPixel(dc, 5, 5), face);
    EXPECT_EQ(GetPixel(dc, 431, 371), face);
    EXPECT_EQ(GetPixel(dc, 50, 30), face);

    // Dotted vertical lines at 30 + round(39 k), and none between them.
    for (int k = 1; k <= 10; ++k) {
        const int x = 30 + static_cast<int>(std::lround(39.0 * k));
        EXPECT_GT(countOnColumn(dc, x, 16, 358, silver), 100) << x;
        EXPECT_LT(countOnColumn(dc, x, 16, 358, silver), 300) << x; // dotted, not solid
        EXPECT_LT(countOnColumn(dc, x - 3, 16, 358, silver), 12) << x;
    }
    // Horizontal lines 34.5 pixels apart, halves rounded to even; none on
    // the bottom edge.
    for (int y : {326, 291, 256, 222, 188, 153, 118, 84, 50}) {
        EXPECT_GT(countOnRow(dc, y, 31, 418, silver), 100) << y;
        EXPECT_LT(countOnRow(dc, y - 2, 31, 418, silver), 12) << y;
    }
    EXPECT_EQ(countOnRow(dc, 360, 0, 434, silver), 0);

    // The frame: black, one pixel wide, over the grid.
    for (int y : {15, 100, 359}) {
        EXPECT_EQ(GetPixel(dc, 30, y), black) << y;
        EXPECT_EQ(GetPixel(dc, 419, y), black) << y;
    }
    for (int x : {30, 69, 200, 419}) {
        EXPECT_EQ(GetPixel(dc, x, 15), black) << x;
        EXPECT_EQ(GetPixel(dc, x, 359), black) << x;
    }
    EXPECT_NE(GetPixel(dc, 31, 100), black);
    EXPECT_NE(GetPixel(dc, 29, 100), black);
    EXPECT_NE(GetPixel(dc, 100, 16), black);
    EXPECT_NE(GetPixel(dc, 100, 14), black);
    EXPECT_NE(GetPixel(dc, 100, 358), black);
    EXPECT_NE(GetPixel(dc, 100, 360), black);

    // Eleven X labels: the first at the left edge, the others centred on
    // their lines.
    const auto columns = labelColumns(dc, {27, 361, 435, 375});
    ASSERT_EQ(columns.size(), 11u);
    EXPECT_LE(columns[0].first, 30);
    for (int k = 1; k <= 10; ++k)
        EXPECT_NEAR(columns[k].centre(), 30 + std::lround(39.0 * k), 3) << k;
    // Eleven Y labels ending at x = 26, centred on their rows.
    const auto rows = labelRows(dc, {0, 0, 27, 375});
    ASSERT_EQ(rows.size(), 11u);
    for (int k = 0; k <= 10; ++k)
        EXPECT_NEAR(rows[10 - k].centre(), 360 - 34.5 * k, 3) << k;
    EXPECT_FALSE(anyIn(dc, {26, 0, 30, 361}, blue));   // above the first X label
    EXPECT_FALSE(anyIn(dc, {31, 16, 419, 359}, blue)); // nothing inside the plot area
}

TEST_F(PainterTest, WorkedExampleLineAndMarkers) {
    view.TextColor = 0x008000; // labels apart from the blue line
    auto& line = add<TLineSeries>(0xFF0000, 4);
    auto& markers = add<TPointSeries>(0x0000FF, 2);
    markers.PointType = ptCircle;
    for (double f = 7; f <= 12; ++f) {
        line.addValue(efficiency(f), f);
        markers.addValue(efficiency(f), f);
    }
    const HDC dc = paint();

    const TPlotMapping m{30, 15, 390, 345, 7.0, efficiency(7), 5.0, efficiency(12) - efficiency(7)};
    // Inner markers sit where the mapping puts them, over the line.
    for (double f = 8; f <= 11; ++f) {
        const TPixel p = m.map(f, efficiency(f));
        EXPECT_EQ(GetPixel(dc, p.x, p.y), red) << f;
        EXPECT_EQ(GetPixel(dc, p.x - 1, p.y), red) << f;
        EXPECT_NE(GetPixel(dc, p.x + 4, p.y - 4), red) << f;
    }
    // The line runs between them.
    for (double f = 8; f <= 10; ++f) {
        const TPixel a = m.map(f, efficiency(f));
        const TPixel b = m.map(f + 1, efficiency(f + 1));
        EXPECT_EQ(GetPixel(dc, (a.x + b.x) / 2, (a.y + b.y) / 2), blue) << f;
    }
    // The first and last points lie on the corners; their markers are cut
    // by the clip and the frame lies over everything.
    EXPECT_EQ(m.map(7, efficiency(7)), (TPixel{30, 360}));
    EXPECT_EQ(m.map(12, efficiency(12)), (TPixel{420, 15}));
    EXPECT_FALSE(anyIn(dc, {26, 355, 30, 365}, red));
    EXPECT_FALSE(anyIn(dc, {26, 360, 35, 365}, red));
    EXPECT_FALSE(anyIn(dc, {26, 355, 30, 365}, blue));
    EXPECT_FALSE(anyIn(dc, {415, 10, 425, 15}, red));
    EXPECT_FALSE(anyIn(dc, {420, 10, 425, 20}, red));
    EXPECT_FALSE(anyIn(dc, {420, 10, 425, 20}, blue));
    EXPECT_TRUE(anyIn(dc, {31, 350, 40, 359}, red) || anyIn(dc, {31, 350, 40, 359}, blue));
    EXPECT_TRUE(anyIn(dc, {410, 16, 419, 25}, red) || anyIn(dc, {410, 16, 419, 25}, blue));
    for (int x : {30, 31, 32})
        EXPECT_EQ(GetPixel(dc, x, 359), black) << x;
    for (int y : {15, 16, 17})
        EXPECT_EQ(GetPixel(dc, 419, y), black) << y;
}

TEST_F(PainterTest, LabelsNeedCellsLargerThanTenAndTwelvePixels) {
    // 100 pixels wide: cells of exactly 10.
    resize(100 + 45, 375);
    HDC dc = paint();
    EXPECT_TRUE(labelColumns(dc, {27, 361, 145, 375}).empty());
    EXPECT_EQ(labelRows(dc, {0, 0, 27, 375}).size(), 11u);
    EXPECT_GT(countOnColumn(dc, 40, 16, 358, silver), 100); // the grid is still there

    // 120 pixels high: cells of exactly 12.
    resize(435, 120 + 30);
    dc = paint();
    EXPECT_EQ(labelColumns(dc, {27, 136, 435, 150}).size(), 11u);
    EXPECT_TRUE(labelRows(dc, {0, 0, 27, 150}).empty());

    resize(101 + 45, 121 + 30);
    dc = paint();
    // Labels this close run together: just present.
    EXPECT_FALSE(labelColumns(dc, {27, 137, 146, 151}).empty());
    EXPECT_FALSE(labelRows(dc, {0, 0, 27, 151}).empty());
}

TEST_F(PainterTest, GridBelowOneIsOneCell) {
    view.setGrid(0);
    const HDC dc = paint();
    EXPECT_EQ(labelColumns(dc, {27, 361, 435, 375}).size(), 2u);
    EXPECT_EQ(labelRows(dc, {0, 0, 27, 375}).size(), 2u);
    EXPECT_EQ(countOnColumn(dc, 225, 16, 358, silver), 0);
    EXPECT_EQ(countOnRow(dc, 188, 31, 418, silver), 0);
    EXPECT_GT(countOnColumn(dc, 420, 16, 358, silver), 100);

    view.setGrid(-3);
    EXPECT_EQ(labelColumns(paint(), {27, 361, 435, 375}).size(), 2u);
}

TEST_F(PainterTest, OnePointLiesOnTheBottomLeftCorner) {
    auto& markers = add<TPointSeries>(0x0000FF, 3);
    markers.PointType = ptSquare;
    markers.addValue(42.0, 7.0);
    const HDC dc = paint();
    // The square (27, 357)-(33, 363), cut to the plot area and under the frame.
    EXPECT_EQ(GetPixel(dc, 31, 357), red);
    EXPECT_EQ(GetPixel(dc, 32, 358), red);
    EXPECT_EQ(GetPixel(dc, 30, 358), black);
    EXPECT_FALSE(anyIn(dc, {20, 350, 30, 370}, red));
    EXPECT_FALSE(anyIn(dc, {20, 360, 40, 370}, red));
}

TEST_F(PainterTest, MarkerShapes) {
    centreOnOrigin();
    auto& markers = add<TPointSeries>(0x0000FF, 4);
    markers.addValue(0.0, 0.0);
    const int x = 225, y = 187;

    markers.PointType = ptCross;
    HDC dc = paint();
    for (auto [dx, dy] : {std::pair{-4, 0}, {4, 0}, {0, -4}, {0, 4}, {0, 0}})
        EXPECT_EQ(GetPixel(dc, x + dx, y + dy), red) << dx << "," << dy;
    EXPECT_NE(GetPixel(dc, x + 5, y), red);
    EXPECT_NE(GetPixel(dc, x + 2, y + 2), red);

    markers.PointType = ptSquare;
    dc = paint();
    EXPECT_EQ(GetPixel(dc, x - 4, y - 4), red);
    EXPECT_EQ(GetPixel(dc, x + 3, y + 3), red);
    EXPECT_EQ(GetPixel(dc, x, y), red); // filled
    EXPECT_NE(GetPixel(dc, x + 4, y), red);

    markers.PointType = ptCircle;
    dc = paint();
    EXPECT_EQ(GetPixel(dc, x, y), red);
    EXPECT_EQ(GetPixel(dc, x - 3, y), red);
    EXPECT_NE(GetPixel(dc, x - 4, y - 4), red);
    EXPECT_NE(GetPixel(dc, x + 4, y), red);

    markers.PointType = ptTriangle; // apex up, half-height 2
    dc = paint();
    EXPECT_EQ(GetPixel(dc, x, y), red);
    EXPECT_EQ(GetPixel(dc, x, y - 1), red);
    EXPECT_EQ(GetPixel(dc, x - 3, y + 2), red);
    EXPECT_NE(GetPixel(dc, x, y - 4), red);
    EXPECT_NE(GetPixel(dc, x - 3, y - 2), red);
    EXPECT_NE(GetPixel(dc, x, y + 4), red);

    markers.PointType = 4;
    dc = paint();
    EXPECT_FALSE(anyIn(dc, {x - 6, y - 6, x + 7, y + 7}, red));

    // Size 0: a cross of two one-pixel lines, a single dot.
    markers.PointType = ptCross;
    markers.Size = 0;
    dc = paint();
    EXPECT_EQ(GetPixel(dc, x, y), red);
    EXPECT_NE(GetPixel(dc, x + 1, y), red);
}

TEST_F(PainterTest, LineOfOnePointDrawsNothing) {
    centreOnOrigin();
    auto& line = add<TLineSeries>(0xFF0000, 4);
    line.addValue(0.0, 0.0);
    HDC dc = paint();
    EXPECT_FALSE(anyIn(dc, {31, 16, 419, 359}, blue));

    line.addValue(0.5, 0.5); // a second point: a thick line from the centre
    dc = paint();
    // Toward (322, 101).
    EXPECT_EQ(GetPixel(dc, 255, 160), blue);
    EXPECT_EQ(GetPixel(dc, 255, 161), blue); // 4 pixels wide
    EXPECT_EQ(GetPixel(dc, 255, 159), blue);
}

// The labels are defined by DrawText: measured with DT_CALCRECT, drawn with
// flags 0. The writer must give the same boxes and the same pixels.
TEST(LabelWriterTest, MeasuresAndDrawsAsDrawText) {
    const std::int32_t startObjects = liveGdiObjects();
    auto prepare = [](TBitmap* bitmap) {
        TCanvas& canvas = *bitmap->getBitmapCanvas();
        canvas.fontTool().setFontHeight(8);
        canvas.fontTool().setColor(0xFF0000);
        canvas.brushTool().setColor(buttonFace);
        canvas.fillRect({0, 0, bitmap->width, bitmap->height});
        return &canvas;
    };
    TBitmap* reference = newBitmap(60, 20);
    TBitmap* written = newBitmap(60, 20);
    for (const char* text : {"0", "0.1", "1", "-0.25", "12.5", "-1234.56", "1E15", "-INF", "NAN"}) {
        TCanvas* drawn = prepare(reference);
        RECT expected{7, 3, 0, 23};
        drawn->drawText(text, expected, DT_CALCRECT);
        OffsetRect(&expected, -1, 1); // moved as a placed label is, off the measured spot
        drawn->drawText(text, expected, 0);

        TCanvas* canvas = prepare(written);
        const TLabelWriter labels(*canvas);
        RECT box = labels.measure(text, 7, 3);
        OffsetRect(&box, -1, 1);
        labels.draw(text, box);

        EXPECT_TRUE(EqualRect(&box, &expected)) << text;
        int differing = 0;
        int inked = 0;
        for (int y = 0; y < 20; ++y)
            for (int x = 0; x < 60; ++x) {
                const COLORREF pixel = GetPixel(canvas->dc, x, y);
                differing += GetPixel(drawn->dc, x, y) != pixel;
                inked += isBluish(pixel);
            }
        EXPECT_EQ(differing, 0) << text;
        EXPECT_GT(inked, 3) << text;
    }
    reference->free();
    written->free();
    EXPECT_EQ(liveGdiObjects(), startObjects);
}
