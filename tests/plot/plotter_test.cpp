#include "plot/plotter.h"

#include "picture.h"
#include "plot/plot_layout.h"
#include "plot/series_elements.h"
#include "toolkit/bitmap.h"
#include "toolkit/gdi_counter.h"
#include "visual_fixture.h"

#include <cmath>
#include <memory>
#include <vector>

namespace {

double efficiency(double f) {
    const double ratio = f / 6.0;
    return 20.0 * std::log10(ratio * ratio - 1.0);
}

// Answers the value it holds.
struct Value {
    double value = 0.0;
    void get(TData& data, std::uint16_t) { setReal(data, value); }
};

struct Observer {
    std::vector<TMouseRecord> records;
    void seen(void* record) { records.push_back(*static_cast<TMouseRecord*>(record)); }
    TEventProc proc() { return bindMethod<&Observer::seen, void*>(this); }
};

// Counts the repaint requests: a hidden window keeps no update region.
struct CountingPlotter : TKNPlotter {
    using TKNPlotter::TKNPlotter;
    int redraws = 0;
    void redraw() override {
        ++redraws;
        TKNPlotter::redraw();
    }
};

// The application's plotter with its line and marker series.
class PlotterTest : public VisualTest {
protected:
    void SetUp() override {
        VisualTest::SetUp();
        startObjects = liveGdiObjects();
        plotter = new CountingPlotter(form);
        plotter->Name = "Effect";
        plotter->Left = 15;
        plotter->Top = 110;
        plotter->Width = 435;
        plotter->Height = 375;
        plotter->Color = clButtonFace;
        plotter->GridColor = 0xC0C0C0;
        plotter->AxisColor = 0x000000;
        plotter->TextColor = 0x00C000; // apart from the blue line
        plotter->setGrid(10);
        plotter->init();
        window = plotter->getControl()->handle;

        lines = new TKNPlotLines;
        lines->Color = 0xFF0000;
        lines->Size = 4;
        points = new TKNPlotPoints;
        points->Color = 0x0000FF;
        points->Size = 2;
        points->PointType = ptCircle;
        for (TPlotSeries* element :
             {static_cast<TPlotSeries*>(lines), static_cast<TPlotSeries*>(points)}) {
            element->srcX = makeLink<&Value::get>(&x);
            element->srcY = makeLink<&Value::get>(&y);
        }
        lines->attach(plotter->getPlotter());
        points->attach(plotter->getPlotter());
    }
    void TearDown() override {
        delete points;
        delete lines;
        delete plotter;
        VisualTest::TearDown(); // frees the form, and with it its brush
        EXPECT_EQ(liveGdiObjects(), startObjects);
    }

    void add(double px, double py) {
        x.value = px;
        y.value = py;
        TData data;
        lines->inAdd(data, 0);
        points->inAdd(data, 0);
    }
    void addWorkedExample() {
        for (double f = 7; f <= 12; ++f)
            add(f, efficiency(f));
    }
    // The back buffer after a repaint.
    HDC picture() {
        plotter->paintPlot();
        return plotter->backBuffer().getBitmapCanvas()->dc;
    }
    TPixel pixelOf(double px, double py) const {
        return TPlotLayout(*plotter, 435, 375).mapping.map(px, py);
    }
    void mouse(UINT message, WPARAM keys, int px, int py) {
        SendMessageW(window, message, keys, MAKELPARAM(px, py));
    }
    static void holdControl(bool down) {
        BYTE keys[256] = {};
        GetKeyboardState(keys);
        keys[VK_CONTROL] = down ? 0x80 : 0;
        SetKeyboardState(keys);
    }
    // Whether a repaint was asked for since the last call.
    bool needsRepaint() {
        const bool asked = plotter->redraws != redrawsSeen;
        redrawsSeen = plotter->redraws;
        return asked;
    }
    static bool hasUpdateRegion(HWND window) {
        RECT rect;
        return GetUpdateRect(window, &rect, FALSE) != 0;
    }
    void setLimits(double minX, double maxX, double minY, double maxY) {
        plotter->MinX = minX;
        plotter->MaxX = maxX;
        plotter->MinY = minY;
        plotter->MaxY = maxY;
    }

    CountingPlotter* plotter = nullptr;
    TKNPlotLines* lines = nullptr;
    TKNPlotPoints* points = nullptr;
    HWND window = nullptr;
    Value x, y;
    std::int32_t startObjects = 0;
    int redrawsSeen = 0;
};

// A 32-bit memory image the window paints into.
struct Target {
    Target(int width, int height) {
        BITMAPINFO info{};
        info.bmiHeader = {sizeof(BITMAPINFOHEADER), width, -height, 1, 32, BI_RGB, 0, 0, 0, 0, 0};
        dc = CreateCompatibleDC(nullptr);
        void* bits = nullptr;
        image = CreateDIBSection(dc, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
        previous = SelectObject(dc, image);
    }
    ~Target() {
        SelectObject(dc, previous);
        DeleteObject(image);
        DeleteDC(dc);
    }
    HDC dc;
    HBITMAP image;
    HGDIOBJ previous;
};

} // namespace

TEST_F(PlotterTest, InitSizesTheBufferAndAPaintCopiesThePicture) {
    EXPECT_EQ(plotter->backBuffer().width, 435);
    EXPECT_EQ(plotter->backBuffer().height, 375);
    ASSERT_NE(plotter->fullRegion(), nullptr);
    RECT box{};
    EXPECT_EQ(GetRgnBox(plotter->fullRegion(), &box), SIMPLEREGION);
    EXPECT_EQ(box.right, 435);
    EXPECT_EQ(box.bottom, 375);

    addWorkedExample();
    EXPECT_EQ(plotter->redraws, 12); // every point of both series
    Target target(435, 375);
    SendMessageW(window, WM_PAINT, reinterpret_cast<WPARAM>(target.dc), 0);
    EXPECT_EQ(GetPixel(target.dc, 5, 5), GetSysColor(COLOR_BTNFACE));
    EXPECT_EQ(GetPixel(target.dc, 30, 200), black);
    const TPixel p = pixelOf(9, efficiency(9));
    EXPECT_EQ(GetPixel(target.dc, p.x, p.y), red);
    pumpMessages();

    // The buffer follows the window's size, at least 1 x 1.
    plotter->getControl()->setSize(200, 100);
    pumpMessages();
    EXPECT_EQ(plotter->backBuffer().width, 200);
    EXPECT_EQ(plotter->backBuffer().height, 100);
    GetRgnBox(plotter->fullRegion(), &box);
    EXPECT_EQ(box.right, 200);
    SetWindowPos(window, nullptr, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOZORDER);
    pumpMessages();
    EXPECT_EQ(plotter->backBuffer().width, 1);
    EXPECT_EQ(plotter->backBuffer().height, 1);
}

TEST_F(PlotterTest, SeriesElementsDrawInAttachOrderAndClearWithoutRepaint) {
    ASSERT_EQ(plotter->seriesCount(), 2);
    EXPECT_EQ(plotter->seriesAt(0), &lines->series());
    EXPECT_EQ(plotter->seriesAt(1), &points->series());
    EXPECT_EQ(static_cast<TPointSeries&>(points->series()).PointType, ptCircle);

    addWorkedExample();
    HDC dc = picture();
    for (double f = 8; f <= 11; ++f) {
        const TPixel p = pixelOf(f, efficiency(f));
        EXPECT_EQ(GetPixel(dc, p.x, p.y), red) << f; // markers over the line
    }
    const TPixel a = pixelOf(9, efficiency(9));
    const TPixel b = pixelOf(10, efficiency(10));
    EXPECT_EQ(GetPixel(dc, (a.x + b.x) / 2, (a.y + b.y) / 2), blue);

    needsRepaint(); // forget the requests of the additions
    TData data;
    lines->inClear(data, 0);
    points->inClear(data, 0);
    EXPECT_FALSE(needsRepaint());
    dc = picture();
    EXPECT_FALSE(anyIn(dc, {31, 16, 419, 359}, red));
    EXPECT_FALSE(anyIn(dc, {31, 16, 419, 359}, blue));
}

TEST_F(PlotterTest, PressFreezesTheAutomaticRange) {
    addWorkedExample();
    mouse(WM_LBUTTONDOWN, MK_LBUTTON, 100, 100);
    EXPECT_EQ(GetCapture(), window);
    EXPECT_EQ(GetFocus(), window);
    mouse(WM_LBUTTONUP, 0, 100, 100);
    EXPECT_EQ(GetCapture(), nullptr);
    EXPECT_EQ(plotter->MinX, 7.0);
    EXPECT_EQ(plotter->MaxX, 12.0);
    EXPECT_DOUBLE_EQ(plotter->MinY, efficiency(7));
    EXPECT_DOUBLE_EQ(plotter->MaxY, efficiency(12));

    // A point beyond the frozen range is clipped away and the picture keeps
    // its scale.
    const TPixel nine = pixelOf(9, efficiency(9));
    add(13, efficiency(13));
    EXPECT_EQ(plotter->effectiveMaxX(), 12.0);
    const HDC dc = picture();
    EXPECT_EQ(GetPixel(dc, nine.x, nine.y), red);
    EXPECT_EQ(pixelOf(13, efficiency(13)).x, 30 + 468); // beyond the frame
    EXPECT_FALSE(anyIn(dc, {420, 0, 435, 375}, red));
    EXPECT_FALSE(anyIn(dc, {0, 0, 435, 15}, red));

    // A right-button press freezes too; without MouseControl nothing does.
    setLimits(0, 0, 0, 0);
    plotter->MouseControl = false;
    mouse(WM_LBUTTONDOWN, MK_LBUTTON, 100, 100);
    mouse(WM_LBUTTONUP, 0, 100, 100);
    EXPECT_EQ(plotter->MaxX, 0.0);
    plotter->MouseControl = true;
    mouse(WM_RBUTTONDOWN, MK_RBUTTON, 100, 100);
    mouse(WM_RBUTTONUP, 0, 100, 100);
    EXPECT_EQ(plotter->MaxX, 13.0);
    pumpMessages();
}

TEST_F(PlotterTest, MiddleDragPansThePictureWithTheCursor) {
    addWorkedExample();
    const TPixel before = pixelOf(9, efficiency(9));
    needsRepaint();
    mouse(WM_MBUTTONDOWN, MK_MBUTTON, 200, 200);
    EXPECT_FALSE(needsRepaint()); // a press only freezes the range
    mouse(WM_MOUSEMOVE, MK_MBUTTON, 210, 195);
    EXPECT_TRUE(needsRepaint());
    mouse(WM_MOUSEMOVE, MK_MBUTTON, 220, 190);
    mouse(WM_MBUTTONUP, 0, 220, 190);
    EXPECT_EQ(plotter->dragMode, dmNone);
    // 20 pixels right and 10 up: the marker moved with the cursor.
    const TPixel after = pixelOf(9, efficiency(9));
    EXPECT_EQ(after.x, before.x + 20);
    EXPECT_EQ(after.y, before.y - 10);
    const HDC dc = picture();
    EXPECT_EQ(GetPixel(dc, after.x, after.y), red);
    EXPECT_DOUBLE_EQ(plotter->MinX, 7.0 - 20 * 5.0 / 390);
    EXPECT_DOUBLE_EQ(plotter->MaxX, 12.0 - 20 * 5.0 / 390);
    pumpMessages();
}

TEST_F(PlotterTest, ADragEndsWhenItsButtonIsUpUnseenOrTheMouseIsTakenAway) {
    addWorkedExample();
    const auto frozen = [this] {
        return std::vector<double>{plotter->MinX, plotter->MaxX, plotter->MinY, plotter->MaxY};
    };
    // Another window takes the mouse in the middle of a pan.
    mouse(WM_MBUTTONDOWN, MK_MBUTTON, 200, 200);
    ASSERT_EQ(GetCapture(), window);
    SetCapture(form->handle);
    EXPECT_EQ(plotter->dragMode, dmNone);
    const std::vector<double> limits = frozen();
    mouse(WM_MOUSEMOVE, 0, 220, 190);
    EXPECT_EQ(frozen(), limits);
    ReleaseCapture();

    // The button went up outside: the next move has no button and pans not.
    mouse(WM_MBUTTONDOWN, MK_MBUTTON, 200, 200);
    mouse(WM_MOUSEMOVE, 0, 220, 190);
    EXPECT_EQ(plotter->dragMode, dmNone);
    EXPECT_EQ(frozen(), limits);
    ReleaseCapture();
    pumpMessages();
}

TEST_F(PlotterTest, ZoomRectangleInItsThreeDirections) {
    addWorkedExample();
    // Down-right: both axes zoom to the band.
    setLimits(1.0, 40.0, 1.0, 35.5); // 0.1 per pixel on both axes
    holdControl(true);
    needsRepaint();
    mouse(WM_LBUTTONDOWN, MK_LBUTTON | MK_CONTROL, 130, 65);
    EXPECT_EQ(plotter->dragMode, dmZoomRect);
    mouse(WM_MOUSEMOVE, MK_LBUTTON | MK_CONTROL, 200, 120);
    mouse(WM_MOUSEMOVE, MK_LBUTTON | MK_CONTROL, 230, 165);
    EXPECT_FALSE(needsRepaint());              // the band goes straight onto the window
    mouse(WM_LBUTTONUP, MK_CONTROL, 240, 170); // the last move counts, not this
    EXPECT_DOUBLE_EQ(plotter->MinX, 11.0);
    EXPECT_DOUBLE_EQ(plotter->MaxX, 21.0);
    EXPECT_DOUBLE_EQ(plotter->MaxY, 30.5);
    EXPECT_DOUBLE_EQ(plotter->MinY, 20.5);
    EXPECT_TRUE(needsRepaint());

    // Up-left: both axes fit the data.
    mouse(WM_LBUTTONDOWN, MK_LBUTTON | MK_CONTROL, 230, 165);
    mouse(WM_MOUSEMOVE, MK_LBUTTON | MK_CONTROL, 130, 65);
    mouse(WM_LBUTTONUP, MK_CONTROL, 130, 65);
    EXPECT_EQ(plotter->MinX, 7.0);
    EXPECT_EQ(plotter->MaxX, 12.0);
    EXPECT_DOUBLE_EQ(plotter->MinY, efficiency(7));
    EXPECT_DOUBLE_EQ(plotter->MaxY, efficiency(12));

    // Down-left: Y zooms, X fits.
    setLimits(1.0, 40.0, 1.0, 35.5);
    mouse(WM_LBUTTONDOWN, MK_LBUTTON | MK_CONTROL, 230, 65);
    mouse(WM_MOUSEMOVE, MK_LBUTTON | MK_CONTROL, 130, 165);
    mouse(WM_LBUTTONUP, MK_CONTROL, 130, 165);
    EXPECT_EQ(plotter->MinX, 7.0);
    EXPECT_EQ(plotter->MaxX, 12.0);
    EXPECT_DOUBLE_EQ(plotter->MaxY, 30.5);
    EXPECT_DOUBLE_EQ(plotter->MinY, 20.5);

    // Without Ctrl the left button only freezes.
    holdControl(false);
    setLimits(1.0, 40.0, 1.0, 35.5);
    mouse(WM_LBUTTONDOWN, MK_LBUTTON, 230, 65);
    mouse(WM_MOUSEMOVE, MK_LBUTTON, 130, 165);
    mouse(WM_LBUTTONUP, 0, 130, 165);
    EXPECT_EQ(plotter->MinX, 1.0);
    EXPECT_EQ(plotter->MaxY, 35.5);
    pumpMessages();
}

// The one test with the form on screen: hiding it again takes Wine a while.
TEST_F(PlotterTest, OnScreenRepaintAndTheBandInExclusiveOr) {
    form->setVisible(true);
    pumpMessages();
    EXPECT_FALSE(hasUpdateRegion(window));
    addWorkedExample();
    EXPECT_TRUE(hasUpdateRegion(window));
    pumpMessages();
    EXPECT_FALSE(hasUpdateRegion(window));
    HDC dc = GetDC(window);
    const TPixel marker = pixelOf(9, efficiency(9));
    EXPECT_EQ(GetPixel(dc, marker.x, marker.y), red);

    const COLORREF inside = GetPixel(dc, 150, 90);
    holdControl(true);
    mouse(WM_LBUTTONDOWN, MK_LBUTTON | MK_CONTROL, 130, 65);
    mouse(WM_MOUSEMOVE, MK_LBUTTON | MK_CONTROL, 230, 165);
    const COLORREF banded = GetPixel(dc, 150, 90);
    mouse(WM_MOUSEMOVE, MK_LBUTTON | MK_CONTROL, 140, 75); // the band shrinks
    const COLORREF outside = GetPixel(dc, 150, 90);
    mouse(WM_LBUTTONUP, MK_CONTROL, 140, 75);
    const COLORREF released = GetPixel(dc, 150, 90);
    EXPECT_EQ(released, inside);
    EXPECT_NE(banded, inside);
    EXPECT_EQ(outside, inside); // drawn twice: the pixels are back

    // A band whose mouse is taken away goes, and no other follows it.
    mouse(WM_LBUTTONDOWN, MK_LBUTTON | MK_CONTROL, 130, 65);
    mouse(WM_MOUSEMOVE, MK_LBUTTON | MK_CONTROL, 230, 165);
    EXPECT_NE(GetPixel(dc, 150, 90), inside);
    ReleaseCapture();
    EXPECT_EQ(GetPixel(dc, 150, 90), inside);
    mouse(WM_MOUSEMOVE, MK_CONTROL, 240, 170);
    EXPECT_EQ(GetPixel(dc, 150, 90), inside);
    ReleaseDC(window, dc);
    holdControl(false);
    pumpMessages();
}

TEST_F(PlotterTest, WheelZoomsAroundTheLastCursorPosition) {
    addWorkedExample();
    // Before any press the limits are automatic and stay so.
    SendMessageW(window, WM_MOUSEWHEEL, MAKEWPARAM(0, 120), 0);
    EXPECT_EQ(plotter->MinX, 0.0);
    EXPECT_EQ(plotter->MaxX, 0.0);
    EXPECT_EQ(plotter->MinY, 0.0);
    EXPECT_EQ(plotter->MaxY, 0.0);

    setLimits(10.0, 49.0, 100.0, 134.5);
    mouse(WM_MOUSEMOVE, 0, 130, 115); // over X 20, Y 124.5
    needsRepaint();
    SendMessageW(window, WM_MOUSEWHEEL, MAKEWPARAM(0, 120), MAKELPARAM(5, 5));
    EXPECT_DOUBLE_EQ(plotter->MinX, 10.0 + 10.0 * 0.192);
    EXPECT_DOUBLE_EQ(plotter->MaxX, 49.0 - 29.0 * 0.192);
    EXPECT_DOUBLE_EQ(plotter->MaxY, 134.5 - 10.0 * 0.192);
    EXPECT_DOUBLE_EQ(plotter->MinY, 100.0 + 24.5 * 0.192);
    EXPECT_TRUE(needsRepaint());

    // Backward zooms out; without MouseControl nothing happens.
    const double width = plotter->MaxX - plotter->MinX;
    SendMessageW(window, WM_MOUSEWHEEL, MAKEWPARAM(0, -120), 0);
    EXPECT_GT(plotter->MaxX - plotter->MinX, width);
    plotter->MouseControl = false;
    const double maxX = plotter->MaxX;
    SendMessageW(window, WM_MOUSEWHEEL, MAKEWPARAM(0, 120), 0);
    EXPECT_EQ(plotter->MaxX, maxX);
    pumpMessages();
}

TEST_F(PlotterTest, ObserversAndEventsSeeEveryMouseRecord) {
    Observer downs, moves, ups;
    plotter->mouseDownObservers.add(downs.proc());
    plotter->mouseMoveObservers.add(moves.proc());
    plotter->mouseUpObservers.add(ups.proc());
    EventLog pressed;
    plotter->outMouseDown = pressed.link();

    mouse(WM_LBUTTONDOWN, MK_LBUTTON, 11, 12);
    mouse(WM_MOUSEMOVE, MK_LBUTTON, 13, 14);
    mouse(WM_LBUTTONUP, 0, 15, 16);
    ASSERT_EQ(downs.records.size(), 1u);
    EXPECT_EQ(downs.records[0].x, 11);
    EXPECT_EQ(downs.records[0].button, 1);
    ASSERT_EQ(moves.records.size(), 1u);
    EXPECT_EQ(moves.records[0].y, 14);
    ASSERT_EQ(ups.records.size(), 1u);
    EXPECT_EQ(ups.records[0].x, 15);
    EXPECT_EQ(pressed.integers(), (std::vector<std::int32_t>{0}));
    EXPECT_EQ(plotter->downPos, (TPixel{11, 12}));
    EXPECT_EQ(plotter->lastPos, (TPixel{13, 14}));
    pumpMessages();
}

TEST_F(PlotterTest, PlotterGoingFirstLeavesTheSeriesToTheirElements) {
    addWorkedExample();
    pumpMessages();
    delete plotter;
    plotter = nullptr;
    pumpMessages();
    EXPECT_EQ(lines->series().owner, nullptr);
    EXPECT_EQ(points->series().owner, nullptr);
    EXPECT_EQ(lines->series().count(), 6);
    add(13, 1.0); // no repaint asked of a plotter that is gone
    EXPECT_EQ(points->series().count(), 7);
}

TEST_F(PlotterTest, WindowGoneFirstLeavesAPlotterThatStillWorksAndFrees) {
    plotter->getControl()->free(); // as when the form takes its children along
    pumpMessages();
    EXPECT_TRUE(plotter->windowDestroyed);
    addWorkedExample(); // asks for repaints of a window that is gone
    EXPECT_EQ(plotter->redraws, 12);
    plotter->paintPlot(); // the buffer is still there to draw into
    EXPECT_EQ(GetPixel(plotter->backBuffer().getBitmapCanvas()->dc, 30, 200), black);
}
