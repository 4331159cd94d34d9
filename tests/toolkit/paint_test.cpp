#include "toolkit_fixture.h"

#include "toolkit/canvas.h"
#include "toolkit/control_factory.h"
#include "toolkit/control_paint.h"
#include "toolkit/double_buffer.h"
#include "toolkit/gdi_counter.h"

#include <tuple>
#include <vector>

namespace {

constexpr COLORREF formColor = RGB(200, 100, 0);

bool paintingIntoBuffer(const TControl& owner) {
    const TBuffer* buffer = bufferOf(owner);
    return buffer && buffer->painting;
}

HBITMAP bufferBitmap(const TControl& owner) {
    const TBuffer* buffer = bufferOf(owner);
    return buffer ? buffer->bitmap : nullptr;
}

// Fills its area with one colour through the control's canvas.
struct Painter {
    COLORREF color = red;
    RECT area{0, 0, 10, 10};
    TControl* owner = nullptr; // the double-buffered control, if any
    int calls = 0;
    bool unbuffered = false;             // a paint went past the owner's buffer
    HDC dc = nullptr, paintDC = nullptr; // of the last call

    void paint(TControl* control, HDC given) {
        ++calls, dc = given, paintDC = control->paintDC();
        unbuffered |= !(owner && paintingIntoBuffer(*owner)) || dc != paintDC;
        TCanvas* canvas = getCanvas(*control);
        canvas->brushTool().setColor(colour(color));
        canvas->fillRect(area);
    }
};

// The pixels of the owner's buffer in the area, row by row.
std::vector<COLORREF> bufferPixels(const TControl& owner, const RECT& area) {
    HDC dc = createMemoryDC(nullptr);
    SelectObject(dc, bufferBitmap(owner)); // the DC's deletion lets go of it
    std::vector<COLORREF> pixels;
    for (int y = area.top; y < area.bottom; ++y)
        for (int x = area.left; x < area.right; ++x)
            pixels.push_back(GetPixel(dc, x, y));
    deleteMemoryDC(dc);
    return pixels;
}

class PaintTest : public GdiCountingTest {
protected:
    void SetUp() override {
        GdiCountingTest::SetUp();
        makeAppletAndForm();
    }
    TControl* paintBox(const RECT& bounds, Painter& painter) {
        TControl* box = keep(newPictureBox(form));
        box->setBounds(bounds);
        box->setOnPaint(bindMethod<&Painter::paint, TControl*, HDC>(&painter));
        return box;
    }
    void showForm() { form->getHandle(), form->setVisible(true), pumpMessages(); }
};

TEST_F(PaintTest, APaintWithADcInWParamDrawsThereWithoutBeginPaint) {
    Painter painter;
    TControl* box = paintBox({10, 10, 50, 50}, painter);
    showForm();
    InvalidateRect(box->handle, nullptr, FALSE);
    MemoryImage image(20, 20);
    SendMessageW(box->handle, WM_PAINT, reinterpret_cast<WPARAM>(image.dc), 0);
    EXPECT_EQ(painter.paintDC, image.dc);
    EXPECT_EQ(std::make_pair(image.at(5, 5), image.at(15, 15)), std::make_pair(red, white));
    EXPECT_EQ(box->paintDC(), nullptr);
    EXPECT_EQ(box->canvas()->dc, nullptr);                   // the canvas let go of the paint DC
    EXPECT_TRUE(GetUpdateRect(box->handle, nullptr, FALSE)); // nothing validated it
}

TEST_F(PaintTest, ATransparentChildMakesItsParentPaintTheTreeThroughOneBuffer) {
    form->setColor(colour(formColor));
    Painter solid{green, {0, 0, 40, 40}, form}, glass{blue, {15, 15, 25, 25}, form};
    paintBox({10, 10, 50, 50}, solid);
    TControl* pane = paintBox({60, 10, 100, 50}, glass);
    setTransparent(*pane, true);
    showForm();
    ASSERT_NE(bufferBitmap(*form), nullptr);

    // Everything is in the buffer, the transparent child's drawing too.
    const std::tuple<int, int, COLORREF> pixels[] = {{5, 5, formColor}, {30, 30, green},
                                                     {45, 45, green},   {62, 12, formColor},
                                                     {80, 30, blue},    {90, 45, formColor}};
    for (const auto& [x, y, color] : pixels)
        EXPECT_EQ(bufferPixels(*form, {x, y, x + 1, y + 1})[0], color) << x << ", " << y;

    // No child painted itself on the screen: every paint went into the buffer.
    EXPECT_TRUE(solid.calls && glass.calls && !solid.unbuffered && !glass.unbuffered);
    EXPECT_TRUE(!paintingIntoBuffer(*form) && !form->paintDC());

    // Invalidating a child repaints the whole tree through the buffer.
    const int before = solid.calls;
    InvalidateRect(pane->handle, nullptr, TRUE);
    pumpMessages();
    EXPECT_GT(solid.calls, before);
    // A second transparent child keeps the tree's one buffer and its clean-up.
    const HBITMAP buffer = bufferBitmap(*form);
    setTransparent(*keep(newPictureBox(form)), true);
    EXPECT_EQ(bufferBitmap(*form), buffer);
}

TEST_F(PaintTest, ACaptionSetInABufferedTreeReachesTheBufferAndLeavesVisibilityAlone) {
    Painter glass;
    setTransparent(*paintBox({0, 0, 20, 20}, glass), true);
    TControl* shown = keep(newLabel(form, "before"));
    shown->setBounds({30, 0, 130, 22});
    TControl* hidden = keep(newLabel(form, "hidden"));
    form->getHandle();
    form->setVisible(true);
    hidden->setVisible(false);
    pumpMessages();
    const std::vector<COLORREF> before = bufferPixels(*form, shown->getBounds());

    shown->setCaption("after");
    hidden->setCaption("still hidden");
    pumpMessages();
    EXPECT_NE(bufferPixels(*form, shown->getBounds()), before);
    EXPECT_TRUE(IsWindowVisible(shown->handle));
    EXPECT_FALSE(IsWindowVisible(hidden->handle));
    EXPECT_EQ(hidden->getCaption(), "still hidden");
}

TEST_F(PaintTest, WithoutMemoryForABufferTheTreeIsPaintedStraightOntoTheWindow) {
    Painter painter{green, {0, 0, 40, 40}};
    TControl* pane = paintBox({0, 0, 40000, 40000}, painter); // far too large for any bitmap
    TControl* glass = keep(newPictureBox(pane));
    setTransparent(*glass, true);
    ASSERT_EQ(bufferOwner(*glass), pane);
    showForm();
    EXPECT_EQ(bufferBitmap(*pane), nullptr);
    HDC dc = GetDC(pane->handle);
    EXPECT_EQ(GetPixel(dc, 5, 5), green);
    ReleaseDC(pane->handle, dc);
    EXPECT_FALSE(paintingIntoBuffer(*pane));
}

} // namespace
