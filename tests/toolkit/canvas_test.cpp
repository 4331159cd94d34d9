#include "toolkit_fixture.h"

#include "toolkit/bitmap.h"
#include "toolkit/canvas.h"
#include "toolkit/control_factory.h"
#include "toolkit/gdi_counter.h"

namespace {

// A white 32-bit image with its canvas.
struct Picture {
    Picture(int width, int height) : bitmap(newBitmap(width, height)) {
        bitmap->setBkColor(colour(white));
        canvas = bitmap->getBitmapCanvas();
        canvas->fillRect({0, 0, width, height});
    }
    ~Picture() { bitmap->free(); }
    COLORREF at(int x, int y) const { return GetPixel(canvas->dc, x, y); }
    TBitmap* bitmap;
    TCanvas* canvas;
};

using CanvasTest = GdiCountingTest;

// The plot's tests pin where its lines and labels land; here a dotted line's
// gaps and text clipped by its rectangle, with tools made after a drawing call
// selected by the next one.
TEST_F(CanvasTest, ABrokenPensGapsTakeTheBrushColourAndARectangleClipsText) {
    Picture picture(60, 30);
    TCanvas& canvas = *picture.canvas;
    canvas.lineTo(0, 0);        // no pen yet: the DC's own
    canvas.textOut(0, 40, "a"); // no font yet: the DC's own
    canvas.brushTool().setColor(colour(yellow));
    canvas.penTool().setColor(colour(blue));
    canvas.penTool().setPenStyle(PS_DOT);
    canvas.moveTo(0, 29);
    canvas.lineTo(60, 29);
    for (COLORREF color : {blue, yellow})
        EXPECT_GT(countPixels(canvas.dc, {0, 29, 60, 30}, color), 5);
    EXPECT_EQ(countPixels(canvas.dc, {0, 29, 60, 30}, white), 0);

    canvas.fontTool().setColor(colour(black));
    const SIZE extent = canvas.textExtent("Жy");
    const RECT half{2, 0, 2 + extent.cx / 2, extent.cy};
    canvas.textRect(half, 2, 0, "Жy");
    EXPECT_GT(countPixels(canvas.dc, half, black), 3);
    EXPECT_EQ(countPixels(canvas.dc, {half.right, 0, 60, 28}, black), 0);
    EXPECT_EQ(GetCurrentObject(canvas.dc, OBJ_FONT), canvas.fontTool().getToolHandle());
}

TEST_F(CanvasTest, FillRectUsesTheCanvasBrushThenTheOwnersThenItsColourThenTheWindowColour) {
    MemoryImage image(10, 10);
    const auto fill = [&image](TCanvas& canvas) {
        canvas.setDC(image.dc);
        canvas.isPaintDC = true; // the image keeps its DC
        canvas.fillRect({0, 0, 10, 10});
        canvas.setDC(nullptr);
        return image.at(5, 5);
    };
    TCanvas* loose = new TCanvas; // neither a brush nor an owner
    EXPECT_EQ(fill(*loose), GetSysColor(COLOR_WINDOW));
    loose->free();

    TControl* plain = keep(createControl(nullptr, {.subclassName = "Plain"}));
    plain->setColor(colour(blue));
    TCanvas* owned = getCanvas(*plain);
    const std::int32_t before = liveGdiObjects();
    EXPECT_EQ(fill(*owned), blue); // a brush made for the call only
    EXPECT_EQ(liveGdiObjects(), before);
    plain->brushTool().setColor(colour(green));
    EXPECT_EQ(fill(*owned), green);
    owned->brushTool().setColor(colour(yellow));
    EXPECT_EQ(fill(*owned), yellow);
    EXPECT_EQ(plain->color(), colour(green));
}

TEST_F(CanvasTest, ASystemColourIsResolvedWhenTheHandleIsMadeAndAChangeIsNoticed) {
    const int index = COLOR_BTNFACE;
    const COLORREF original = GetSysColor(index);
    const COLORREF changed = original == RGB(1, 2, 3) ? RGB(4, 5, 6) : RGB(1, 2, 3);
    Picture picture(4, 4);
    picture.canvas->brushTool().setColor(clButtonFace);
    picture.canvas->fillRect({0, 0, 4, 4});
    EXPECT_EQ(picture.at(1, 1), original);
    SetSysColors(1, &index, &changed);
    picture.canvas->fillRect({0, 0, 4, 4});
    SetSysColors(1, &index, &original);
    EXPECT_EQ(picture.at(1, 1), changed);
    pumpMessages();
}

} // namespace
