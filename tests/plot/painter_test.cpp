// The whole picture drawn into a bitmap of the application plotter's client
// size (435 x 375, plot area (30, 15)-(420, 360)), read back pixel by pixel.
#include "plot/plot_painter.h"

#include "plot/line_series.h"
#include "plot/plot_layout.h"
#include "plot/point_series.h"
#include "toolkit/bitmap.h"
#include "toolkit/gdi_counter.h"
#include "toolkit_fixture.h"

#include <algorithm>
#include <cmath>

namespace {

constexpr COLORREF silver = RGB(0xC0, 0xC0, 0xC0);

// Pixels of label text, drawn in blue; smoothing may blend its edges with the background.
int text(HDC dc, RECT area) {
    int n = 0;
    for (int y = area.top; y < area.bottom; ++y)
        for (int x = area.left; x < area.right; ++x) {
            const COLORREF c = GetPixel(dc, x, y);
            n += GetBValue(c) - std::max(GetRValue(c), GetGValue(c)) > 60;
        }
    return n;
}

double efficiency(double f) {
    return 20.0 * std::log10(f * f / 36.0 - 1.0);
}

// The view's defaults are the application's, but for blue labels; the series
// are the application's, added by the tests that draw them.
class PainterTest : public GdiCountingTest {
protected:
    PainterTest() {
        view.TextColor = 0xFF0000;
        line.Color = 0xFF0000, line.Size = 4;
        markers.Color = 0x0000FF, markers.Size = 2, markers.PointType = ptCircle;
    }
    void SetUp() override {
        GdiCountingTest::SetUp();
        bitmap = newBitmap(435, 375);
        region = countGdiObject(CreateRectRgn(0, 0, 435, 375));
    }
    void TearDown() override {
        bitmap->free();
        deleteGdiObject(region);
        GdiCountingTest::TearDown();
    }
    HDC paint() {
        paintPlot(*bitmap->getBitmapCanvas(), view, 435, 375, clButtonFace, region);
        return bitmap->getBitmapCanvas()->dc;
    }

    TLineSeries line; // the series outlive the view, which does not own them
    TPointSeries markers;
    TPlotView view;
    TBitmap* bitmap = nullptr;
    HRGN region = nullptr;
};

} // namespace

TEST_F(PainterTest, EmptyPlotHasGridLabelsAndFrame) {
    const HDC dc = paint();
    for (auto [x, y] : {std::pair{5, 5}, {431, 371}, {50, 30}})
        EXPECT_EQ(GetPixel(dc, x, y), GetSysColor(COLOR_BTNFACE)) << x << "," << y;

    // Dotted lines on the columns, X labels centred under them (the first
    // from just left of the frame), blank between them.
    EXPECT_GT(text(dc, {27, 361, 33, 375}), 0);
    for (int x = 69; x <= 420; x += 39) {
        const int dots = countPixels(dc, {x, 16, x + 1, 359}, silver);
        EXPECT_TRUE(dots > 100 && dots < 300) << x << ": " << dots;
        EXPECT_GT(text(dc, {x - 2, 361, x + 3, 375}), 0) << x;
        EXPECT_EQ(text(dc, {x - 29, 361, x - 10, 375}), 0) << x;
    }
    // Y labels centred on their rows, blank between them; a dotted line on
    // each row but the frame's.
    for (int y : {360, 326, 291, 256, 222, 188, 153, 118, 84, 50, 15}) {
        EXPECT_GT(text(dc, {0, y - 1, 27, y + 2}), 0) << y;
        EXPECT_EQ(text(dc, {0, y - 26, 27, y - 8}), 0) << y;
        EXPECT_EQ(countPixels(dc, {31, y, 419, y + 1}, silver) > 100, y != 15 && y != 360) << y;
    }
    EXPECT_EQ(text(dc, {26, 0, 30, 361}), 0);   // above the first X label
    EXPECT_EQ(text(dc, {31, 16, 419, 359}), 0); // nothing inside the plot area

    // The frame: black, one pixel wide, over the grid (corners left out).
    for (RECT edge : {RECT{29, 16, 32, 359}, {418, 16, 421, 359}})
        EXPECT_EQ(countPixels(dc, edge, black), 343) << edge.left;
    for (RECT edge : {RECT{31, 14, 419, 17}, {31, 358, 419, 361}})
        EXPECT_EQ(countPixels(dc, edge, black), 388) << edge.top;
}

TEST_F(PainterTest, WorkedExampleLineUnderMarkersClippedToThePlotArea) {
    view.TextColor = 0x008000; // labels apart from the blue line
    view.addSeries(&line);
    view.addSeries(&markers);
    for (double f = 7; f <= 12; ++f) {
        line.addValue(efficiency(f), f);
        markers.addValue(efficiency(f), f);
    }
    const HDC dc = paint();

    const TPlotMapping m{30, 15, 390, 345, 7.0, efficiency(7), 5.0, efficiency(12) - efficiency(7)};
    for (double f = 8; f <= 11; ++f) {
        const TPixel p = m.map(f, efficiency(f)), next = m.map(f + 1, efficiency(f + 1));
        EXPECT_EQ(GetPixel(dc, p.x, p.y), red) << f; // the marker over the line
        EXPECT_EQ(GetPixel(dc, p.x - 1, p.y), red) << f;
        EXPECT_NE(GetPixel(dc, p.x + 4, p.y - 4), red) << f;
        EXPECT_EQ(GetPixel(dc, (p.x + next.x) / 2, (p.y + next.y) / 2), blue) << f; // the line
    }
    // The first and last points lie on the corners (30, 360) and (420, 15):
    // their markers and line ends are cut by the clip, the frame lies over them.
    for (RECT out :
         {RECT{26, 355, 30, 365}, {26, 360, 35, 365}, {415, 10, 425, 15}, {420, 10, 425, 20}})
        EXPECT_EQ(countPixels(dc, out, red) + countPixels(dc, out, blue), 0) << out.left << out.top;
    EXPECT_EQ(countPixels(dc, {30, 357, 33, 360}, black), 5); // the frame's corner
    EXPECT_EQ(countPixels(dc, {417, 15, 420, 18}, black), 5);
}

// The writer must give the box of DrawText measuring with DT_CALCRECT; where
// its labels then land is pinned with the empty plot.
TEST_F(PainterTest, LabelWriterMeasuresAsDrawText) {
    TCanvas& canvas = *bitmap->getBitmapCanvas();
    RECT expected{7, 3, 0, 23};
    canvas.drawText("-1234.56", expected, DT_CALCRECT);
    const RECT box = TLabelWriter(canvas).measure("-1234.56", 7, 3);
    EXPECT_TRUE(EqualRect(&box, &expected));
}
