#include "toolkit_fixture.h"

#include "toolkit/bitmap.h"
#include "toolkit/canvas.h"
#include "toolkit/control_factory.h"
#include "toolkit/control_paint.h"
#include "toolkit/double_buffer.h"
#include "toolkit/gdi_counter.h"

#include <vector>

namespace {

constexpr COLORREF red = RGB(255, 0, 0);
constexpr COLORREF green = RGB(0, 255, 0);
constexpr COLORREF blue = RGB(0, 0, 255);
constexpr COLORREF white = RGB(255, 255, 255);
constexpr COLORREF formColor = RGB(200, 100, 0);

struct PaintCall {
    HDC dc;
    HDC paintDC;
    bool ownerPainting;
};

// Fills its area with one colour through the control's canvas.
struct Painter {
    COLORREF color = red;
    RECT area{0, 0, 10, 10};
    TControl* owner = nullptr; // the double-buffered control, if any
    std::vector<PaintCall> calls;

    void paint(TControl* control, HDC dc) {
        calls.push_back({dc, control->paintDC, owner && owner->painting});
        TCanvas* canvas = getCanvas(*control);
        canvas->brushTool().setColor(static_cast<std::int32_t>(color));
        canvas->fillRect(area);
    }
    TPaintEvent event() { return bindMethod<&Painter::paint, TControl*, HDC>(this); }
};

struct Resizes {
    int count = 0;
    void resized(TControl*) { ++count; }
};

struct Visibility {
    int shows = 0;
    int hides = 0;
    void shown(TControl*) { ++shows; }
    void hidden(TControl*) { ++hides; }
    void watch(TControl& control) {
        control.setOnShow(bindMethod<&Visibility::shown, TControl*>(this));
        control.setOnHide(bindMethod<&Visibility::hidden, TControl*>(this));
    }
};

// A 32-bit memory image to paint into.
struct Surface {
    Surface(int width, int height) {
        dc = createMemoryDC(nullptr);
        image = countGdiObject(CreateBitmap(width, height, 1, 32, nullptr));
        previous = SelectObject(dc, image);
        const RECT all{0, 0, width, height};
        FillRect(dc, &all, static_cast<HBRUSH>(GetStockObject(WHITE_BRUSH)));
    }
    ~Surface() {
        SelectObject(dc, previous);
        deleteMemoryDC(dc);
        deleteGdiObject(image);
    }
    HDC dc;
    HBITMAP image;
    HGDIOBJ previous;
};

// A sum over the buffer's pixels in the area, to tell two pictures apart.
std::uint32_t bufferSum(const TControl& owner, const RECT& area) {
    HDC dc = createMemoryDC(nullptr);
    HGDIOBJ previous = SelectObject(dc, owner.bufferBitmap);
    std::uint32_t sum = 0;
    for (int y = area.top; y < area.bottom; ++y)
        for (int x = area.left; x < area.right; ++x)
            sum = sum * 31 + GetPixel(dc, x, y);
    SelectObject(dc, previous);
    deleteMemoryDC(dc);
    return sum;
}

COLORREF bufferPixel(const TControl& owner, int x, int y) {
    HDC dc = createMemoryDC(nullptr);
    HGDIOBJ previous = SelectObject(dc, owner.bufferBitmap);
    const COLORREF color = GetPixel(dc, x, y);
    SelectObject(dc, previous);
    deleteMemoryDC(dc);
    return color;
}

void resizeBy(TControl& control, int dx) {
    RECT frame{};
    GetWindowRect(control.handle, &frame);
    SetWindowPos(control.handle, nullptr, 0, 0, frame.right - frame.left + dx,
                 frame.bottom - frame.top, SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
    pumpMessages();
}

class PaintTest : public GdiCountingTest {
protected:
    void SetUp() override {
        GdiCountingTest::SetUp();
        makeAppletAndForm();
    }
    void TearDown() override {
        GdiCountingTest::TearDown();
        // The buffered mode is for the rest of a run; each test starts without.
        paintHook = nullptr;
        invalidateHook = nullptr;
        afterCreateHook = nullptr;
    }
    TControl* paintBox(const RECT& bounds, Painter& painter) {
        TControl* box = keep(newPictureBox(form));
        box->bounds = bounds;
        setOnPaint(*box, painter.event());
        return box;
    }
};

TEST_F(PaintTest, APaintWithADcInWParamDrawsThereWithoutBeginPaint) {
    Painter painter;
    TControl* box = paintBox({10, 10, 50, 50}, painter);
    form->getHandle();
    form->setVisible(true);
    pumpMessages();
    ASSERT_FALSE(painter.calls.empty()); // the ordinary paint, through BeginPaint
    EXPECT_NE(painter.calls.back().dc, nullptr);
    EXPECT_EQ(painter.calls.back().paintDC, painter.calls.back().dc);

    painter.calls.clear();
    InvalidateRect(box->handle, nullptr, FALSE);
    Surface surface(20, 20);
    SendMessageW(box->handle, WM_PAINT, reinterpret_cast<WPARAM>(surface.dc), 0);
    ASSERT_EQ(painter.calls.size(), 1u);
    EXPECT_EQ(painter.calls[0].dc, surface.dc);
    EXPECT_EQ(painter.calls[0].paintDC, surface.dc);
    EXPECT_EQ(GetPixel(surface.dc, 5, 5), red);
    EXPECT_EQ(GetPixel(surface.dc, 15, 15), white);
    EXPECT_EQ(box->paintDC, nullptr);
    EXPECT_EQ(box->canvas->dc, nullptr); // the canvas let go of the paint DC
    RECT update{};
    EXPECT_TRUE(GetUpdateRect(box->handle, &update, FALSE)); // nothing validated it

    // Printing the client area paints too; the frame alone is not ours.
    SendMessageW(box->handle, WM_PRINT, reinterpret_cast<WPARAM>(surface.dc), PRF_CLIENT);
    EXPECT_EQ(painter.calls.size(), 2u);
    SendMessageW(box->handle, WM_PRINT, reinterpret_cast<WPARAM>(surface.dc), PRF_NONCLIENT);
    EXPECT_EQ(painter.calls.size(), 2u);

    pumpMessages();
    ASSERT_EQ(painter.calls.size(), 3u);
    EXPECT_NE(painter.calls[2].dc, surface.dc);
    EXPECT_FALSE(GetUpdateRect(box->handle, &update, FALSE));
}

TEST_F(PaintTest, TheResizeEventComesOncePerSizeMessage) {
    Resizes resizes;
    TControl* box = keep(newPictureBox(form));
    setOnResize(*box, bindMethod<&Resizes::resized, TControl*>(&resizes));
    box->getHandle();
    resizes.count = 0;
    SetWindowPos(box->handle, nullptr, 0, 0, 77, 33, SWP_NOMOVE | SWP_NOZORDER);
    EXPECT_EQ(resizes.count, 1);
}

TEST_F(PaintTest, ATransparentChildMakesItsParentPaintTheTreeThroughOneBuffer) {
    form->setColor(static_cast<std::int32_t>(formColor));
    Painter solid;
    solid.color = green;
    solid.area = {0, 0, 40, 40};
    Painter glass;
    glass.color = blue;
    glass.area = {15, 15, 25, 25};
    paintBox({10, 10, 50, 50}, solid);
    TControl* pane = paintBox({60, 10, 100, 50}, glass);
    setTransparent(*pane, true);
    EXPECT_TRUE(form->doubleBuffered);
    EXPECT_FALSE(pane->doubleBuffered);
    EXPECT_EQ(bufferOwner(*pane), form);
    solid.owner = form;
    glass.owner = form;

    form->getHandle();
    form->setVisible(true);
    pumpMessages();
    ASSERT_NE(form->bufferBitmap, nullptr);
    RECT client{};
    GetClientRect(form->handle, &client);
    EXPECT_EQ(form->bufferWidth, client.right);
    EXPECT_EQ(form->bufferHeight, client.bottom);

    // Everything is in the buffer: the form, the solid child, and the
    // transparent child's drawing over the form's background.
    EXPECT_EQ(bufferPixel(*form, 5, 5), formColor);
    EXPECT_EQ(bufferPixel(*form, 30, 30), green);
    EXPECT_EQ(bufferPixel(*form, 62, 12), formColor);
    EXPECT_EQ(bufferPixel(*form, 80, 30), blue);
    EXPECT_EQ(bufferPixel(*form, 90, 45), formColor);

    // No child painted itself on the screen: every paint went into the buffer.
    ASSERT_FALSE(solid.calls.empty());
    ASSERT_FALSE(glass.calls.empty());
    for (const Painter* painter : {&solid, &glass})
        for (const PaintCall& call : painter->calls) {
            EXPECT_TRUE(call.ownerPainting);
            EXPECT_EQ(call.dc, call.paintDC);
        }
    EXPECT_FALSE(form->painting);
    EXPECT_EQ(form->paintDC, nullptr);

    // Invalidating a child repaints the whole tree through the buffer.
    const std::size_t before = solid.calls.size();
    InvalidateRect(pane->handle, nullptr, TRUE);
    pumpMessages();
    EXPECT_GT(solid.calls.size(), before);
}

TEST_F(PaintTest, ACaptionSetInABufferedTreeReachesTheBufferAndLeavesVisibilityAlone) {
    Painter glass;
    setTransparent(*paintBox({0, 0, 20, 20}, glass), true);
    TControl* shown = keep(newLabel(form, "before"));
    shown->bounds = {30, 0, 130, 22};
    TControl* hidden = keep(newLabel(form, "hidden"));
    Visibility events;
    events.watch(*shown);
    events.watch(*hidden);
    form->getHandle();
    form->setVisible(true);
    hidden->setVisible(false);
    pumpMessages();
    const std::uint32_t before = bufferSum(*form, shown->bounds);
    events = {};

    shown->setCaption("after");
    hidden->setCaption("still hidden");
    pumpMessages();
    EXPECT_NE(bufferSum(*form, shown->bounds), before);
    EXPECT_TRUE(IsWindowVisible(shown->handle));
    EXPECT_FALSE(IsWindowVisible(hidden->handle));
    EXPECT_FALSE(hidden->visible);
    EXPECT_EQ(events.shows, 0);
    EXPECT_EQ(events.hides, 0);
    EXPECT_EQ(hidden->getCaption(), "still hidden");
}

TEST_F(PaintTest, WithoutMemoryForABufferTheTreeIsPaintedStraightOntoTheWindow) {
    Painter painter;
    painter.color = green;
    painter.area = {0, 0, 40, 40};
    // Far too large for any bitmap.
    TControl* pane = paintBox({0, 0, 40000, 40000}, painter);
    TControl* glass = keep(newPictureBox(pane));
    setTransparent(*glass, true);
    ASSERT_EQ(bufferOwner(*glass), pane);
    form->getHandle();
    form->setVisible(true);
    pumpMessages();
    EXPECT_EQ(pane->bufferBitmap, nullptr);
    ASSERT_FALSE(painter.calls.empty());
    HDC dc = GetDC(pane->handle);
    EXPECT_EQ(GetPixel(dc, 5, 5), green);
    ReleaseDC(pane->handle, dc);
    EXPECT_FALSE(pane->painting);
}

TEST_F(PaintTest, TheBufferIsKeptWithin32PixelsAndRemadeBeyond) {
    Painter glass;
    setTransparent(*paintBox({0, 0, 20, 20}, glass), true);
    form->getHandle();
    form->setVisible(true);
    pumpMessages();
    RECT client{};
    GetClientRect(form->handle, &client);
    const std::int32_t width = client.right;
    ASSERT_EQ(form->bufferWidth, width);
    const std::int32_t objects = liveGdiObjects();

    resizeBy(*form, -20); // smaller by 20: kept
    EXPECT_EQ(form->bufferWidth, width);
    resizeBy(*form, 20); // back: it fits
    EXPECT_EQ(form->bufferWidth, width);
    resizeBy(*form, 20); // larger than the buffer: remade
    EXPECT_EQ(form->bufferWidth, width + 20);
    resizeBy(*form, -40); // 40 smaller than the buffer: remade
    EXPECT_EQ(form->bufferWidth, width - 20);
    EXPECT_EQ(liveGdiObjects(), objects); // one buffer, the old ones gone
}

TEST_F(PaintTest, TenThousandDrawingsAndRepaintsLeaveTheGdiObjectCountWhereItWas) {
    Painter painter;
    TControl* box = paintBox({0, 0, 20, 20}, painter);
    box->getHandle();
    Surface surface(32, 32);
    // The box's canvas keeps a brush of the last colour it painted with.
    SendMessageW(box->handle, WM_PAINT, reinterpret_cast<WPARAM>(surface.dc), 0);
    painter.calls.clear();
    const HANDLE process = GetCurrentProcess();
    const DWORD systemCount = GetGuiResources(process, GR_GDIOBJECTS);
    const std::int32_t ownCount = liveGdiObjects();

    TBitmap* bitmap = newBitmap(32, 32);
    for (int i = 0; i < 10000; ++i) {
        TCanvas* canvas = bitmap->getBitmapCanvas();
        canvas->penTool().setColor(i & 0xFF);
        canvas->brushTool().setColor((i * 7) & 0xFFFF);
        canvas->moveTo(0, i % 32);
        canvas->lineTo(31, 31 - i % 32);
        canvas->rectangle(2, 2, 10, 10);
        canvas->textOut(12, 12, "7");
        bitmap->draw(surface.dc, 0, 0);
        painter.color = static_cast<COLORREF>(i);
        SendMessageW(box->handle, WM_PAINT, reinterpret_cast<WPARAM>(surface.dc), 0);
    }
    bitmap->free();
    EXPECT_EQ(painter.calls.size(), 10000u);
    EXPECT_EQ(GetPixel(surface.dc, 5, 5), static_cast<COLORREF>(9999));
    EXPECT_EQ(liveGdiObjects(), ownCount);
    if (systemCount != 0) { // reported by Windows, not by every Wine
        EXPECT_EQ(GetGuiResources(process, GR_GDIOBJECTS), systemCount);
    }
}

} // namespace
