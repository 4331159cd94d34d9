// The plotter as a window: its paint, and the mouse messages that reach the
// view; the picture and the view's arithmetic are tested without one.
#include "plot/plotter.h"

#include "plot/plot_layout.h"
#include "plot/series_elements.h"
#include "visual_fixture.h"

#include "data_series.h"

#include <utility>

namespace {

// Counts the repaint requests: a hidden window keeps no update region.
struct CountingPlotter : TKNPlotter {
    using TKNPlotter::TKNPlotter;
    int redraws = 0;
    void redraw() override { ++redraws, TKNPlotter::redraw(); }
};

// The application's plotter with a marker series at (7, -10) and (12, 20).
class PlotterTest : public VisualTest {
protected:
    void SetUp() override {
        VisualTest::SetUp();
        plotter = make<CountingPlotter>(15, 110, 435, 375);
        plotter->init();
        window = plotter->getControl()->handle;
        points.Color = 0x0000FF, points.Size = 2;
        points.attach(plotter->getPlotter());
        points.series().addValue(-10, 7);
        points.series().addValue(20, 12);
    }
    void TearDown() override {
        plotter.reset(); // before its series, which the elements keep
        pumpMessages();
        EXPECT_EQ(points.series().owner, nullptr);
        VisualTest::TearDown(); // frees the form, and with it its brush, then counts
    }

    void mouse(UINT message, WPARAM keys, int px, int py) {
        SendMessageW(window, message, keys, MAKELPARAM(px, py));
    }
    // Whether a repaint was asked for since the last call.
    bool needsRepaint() { return std::exchange(redrawsSeen, plotter->redraws) != plotter->redraws; }

    std::unique_ptr<CountingPlotter> plotter;
    TKNPlotPoints points; // outlives the plotter
    HWND window = nullptr;
    int redrawsSeen = 0;
};

} // namespace

TEST_F(PlotterTest, PressesFreezeTheRangeAMiddleDragPansAndTheWheelZoomsAtTheLastCursor) {
    mouse(WM_LBUTTONDOWN, MK_LBUTTON, 11, 12);
    EXPECT_EQ(GetFocus(), window);
    mouse(WM_MOUSEMOVE, MK_LBUTTON, 13, 14); // without Ctrl: no band, no zoom
    mouse(WM_LBUTTONUP, 0, 15, 16);
    points.series().addValue(50, 20); // beyond the frozen range
    EXPECT_EQ(limits(*plotter), "7 12 -10 20");

    setLimits(*plotter, "10 49 100 134.5"); // 0.1 per pixel on both axes
    needsRepaint();
    mouse(WM_MBUTTONDOWN, MK_MBUTTON, 200, 200);
    EXPECT_FALSE(needsRepaint()); // a press only freezes the range
    mouse(WM_MOUSEMOVE, MK_MBUTTON, 210, 195);
    EXPECT_TRUE(needsRepaint());
    mouse(WM_MOUSEMOVE, MK_MBUTTON, 220, 190);
    mouse(WM_MBUTTONUP, 0, 220, 190);
    EXPECT_EQ(limits(*plotter), "8 47 99 133.5"); // 20 pixels right and 10 up, with the cursor

    setLimits(*plotter, "10 49 100 134.5");
    mouse(WM_MOUSEMOVE, 0, 130, 115);                                          // over X 20, Y 124.5
    SendMessageW(window, WM_MOUSEWHEEL, MAKEWPARAM(0, 120), MAKELPARAM(5, 5)); // screen position
    EXPECT_TRUE(needsRepaint());
    EXPECT_EQ(limits(*plotter), "11.92 43.432 104.704 132.58");
}

TEST_F(PlotterTest, ADragEndsWhenItsButtonIsUpUnseenOrTheMouseIsTakenAway) {
    for (bool takeMouse : {true, false}) {
        mouse(WM_MBUTTONDOWN, MK_MBUTTON, 200, 200);
        ASSERT_EQ(GetCapture(), window);
        if (takeMouse) { // by another window, in the middle of a pan
            SetCapture(form->handle);
            EXPECT_EQ(plotter->dragMode, dmNone);
        }
        mouse(WM_MOUSEMOVE, 0, 220, 190); // without the button, up where the plot did not see it
        EXPECT_EQ(plotter->dragMode, dmNone) << takeMouse;
        EXPECT_EQ(limits(*plotter), "7 12 -10 20") << takeMouse;
        ReleaseCapture();
    }
}

// The one test with the form on screen: hiding it again takes Wine a while.
TEST_F(PlotterTest, OnScreenRepaintAndTheBandInExclusiveOr) {
    form->setVisible(true);
    pumpMessages();
    points.series().addValue(10, 9);
    plotter->redraw(); // the paint copies the picture to the window
    pumpMessages();
    HDC dc = GetDC(window);
    const TPixel marker = TPlotLayout(*plotter, 435, 375).mapping.map(9, 10);
    EXPECT_EQ(GetPixel(dc, marker.x, marker.y), RGB(0xFF, 0, 0));
    // Each paint answers the requests before it: a point added after it shows.
    points.series().addValue(15, 11);
    plotter->redraw();
    pumpMessages();
    const TPixel later = TPlotLayout(*plotter, 435, 375).mapping.map(11, 15);
    EXPECT_EQ(GetPixel(dc, later.x, later.y), RGB(0xFF, 0, 0));

    // The band goes straight onto the window; the zoom takes its last move.
    setLimits(*plotter, "1 40 1 35.5"); // 0.1 per pixel on both axes
    const COLORREF inside = GetPixel(dc, 150, 90);
    BYTE keys[256] = {};
    keys[VK_CONTROL] = 0x80;
    SetKeyboardState(keys);
    needsRepaint();
    mouse(WM_LBUTTONDOWN, MK_LBUTTON | MK_CONTROL, 130, 65);
    mouse(WM_MOUSEMOVE, MK_LBUTTON | MK_CONTROL, 230, 165);
    EXPECT_NE(GetPixel(dc, 150, 90), inside);
    mouse(WM_MOUSEMOVE, MK_LBUTTON | MK_CONTROL, 140, 75); // drawn twice: the pixels are back
    EXPECT_EQ(GetPixel(dc, 150, 90), inside);
    EXPECT_FALSE(needsRepaint());
    mouse(WM_LBUTTONUP, MK_CONTROL, 240, 170);
    EXPECT_EQ(GetPixel(dc, 150, 90), inside);
    EXPECT_TRUE(needsRepaint());
    EXPECT_EQ(limits(*plotter), "11 12 29.5 30.5");

    // A band whose mouse is taken away goes.
    mouse(WM_LBUTTONDOWN, MK_LBUTTON | MK_CONTROL, 130, 65);
    mouse(WM_MOUSEMOVE, MK_LBUTTON | MK_CONTROL, 230, 165);
    ReleaseCapture();
    EXPECT_EQ(GetPixel(dc, 150, 90), inside);
    ReleaseDC(window, dc);
}
