#include "toolkit_fixture.h"

#include "toolkit/bitmap.h"
#include "toolkit/canvas.h"
#include "toolkit/control_factory.h"
#include "toolkit/gdi_counter.h"

#include <tuple>

namespace {

constexpr COLORREF white = RGB(255, 255, 255), black = RGB(0, 0, 0), red = RGB(255, 0, 0);
constexpr COLORREF green = RGB(0, 255, 0), blue = RGB(0, 0, 255), yellow = RGB(255, 255, 0);

std::int32_t colour(COLORREF value) {
    return static_cast<std::int32_t>(value);
}

// A white 32-bit image with its canvas.
struct Picture {
    Picture(int width, int height) : bitmap(newBitmap(width, height)) {
        bitmap->setBkColor(colour(white));
        canvas = bitmap->getBitmapCanvas();
        canvas->fillRect({0, 0, width, height});
    }
    ~Picture() { bitmap->free(); }
    COLORREF at(int x, int y) const { return GetPixel(canvas->dc, x, y); }
    int count(const RECT& area, COLORREF color) const {
        return countPixels(canvas->dc, area, color);
    }
    TBitmap* bitmap;
    TCanvas* canvas;
};

using CanvasTest = GdiCountingTest;

TEST_F(CanvasTest, ShapesLandWhereTheyShouldInTheirColours) {
    Picture picture(60, 70);
    TCanvas& canvas = *picture.canvas;
    canvas.penTool().setColor(colour(red));
    canvas.moveTo(2, 2);
    canvas.lineTo(40, 2);
    canvas.penTool().setColor(colour(blue));
    canvas.brushTool().setColor(colour(green));
    canvas.rectangle(5, 5, 15, 15);
    canvas.ellipse(20, 20, 40, 40);
    canvas.brushTool().setColor(colour(yellow));
    const POINT triangle[3] = {{45, 45}, {58, 45}, {45, 58}};
    canvas.polygon(triangle, 3);
    const std::tuple<int, int, COLORREF> pixels[] = {
        {2, 2, red},      {39, 2, red},   {40, 2, white}, // the end point is not drawn
        {20, 3, white},   {5, 10, blue},  {14, 10, blue},  {10, 10, green}, {15, 10, white},
        {30, 30, green},  {30, 20, blue}, {21, 21, white}, // the corner lies outside the curve
        {47, 47, yellow}, {57, 57, white}};
    for (const auto& [x, y, color] : pixels)
        EXPECT_EQ(picture.at(x, y), color) << x << ", " << y;
    // A broken pen paints its gaps with the brush colour, selected or not.
    canvas.deselectTools();
    canvas.penTool().setPenStyle(PS_DOT);
    canvas.moveTo(0, 65);
    canvas.lineTo(60, 65);
    for (COLORREF color : {blue, yellow})
        EXPECT_GT(picture.count({0, 65, 60, 66}, color), 5);
    EXPECT_EQ(picture.count({0, 65, 60, 66}, white), 0);
}

// The plot's labels pin where text goes; here the rectangle clips it.
TEST_F(CanvasTest, TextInARectangleLeavesNothingOutsideIt) {
    Picture picture(60, 20);
    TCanvas& canvas = *picture.canvas;
    canvas.fontTool().setColor(colour(black));
    const SIZE extent = canvas.textExtent("Жy");
    const RECT half{2, 0, 2 + extent.cx / 2, extent.cy};
    canvas.textRect(half, 2, 0, "Жy");
    EXPECT_GT(picture.count(half, black), 3);
    EXPECT_EQ(picture.count({half.right, 0, 60, 20}, black), 0);
}

TEST_F(CanvasTest, AToolMadeAfterADrawingCallIsSelectedByTheNextOne) {
    Picture picture(20, 20);
    TCanvas& canvas = *picture.canvas;
    canvas.textOut(0, 0, "a"); // no font yet: the DC's own
    canvas.lineTo(5, 5);       // no pen yet
    const HGDIOBJ font = canvas.fontTool().getToolHandle();
    const HGDIOBJ pen = canvas.penTool().getToolHandle();
    canvas.textOut(0, 0, "a");
    canvas.lineTo(10, 10);
    EXPECT_EQ(GetCurrentObject(canvas.dc, OBJ_FONT), font);
    EXPECT_EQ(GetCurrentObject(canvas.dc, OBJ_PEN), pen);
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
    TCanvas* loose = new TCanvas;
    EXPECT_EQ(fill(*loose), GetSysColor(COLOR_WINDOW));
    loose->brushTool().setColor(colour(red));
    EXPECT_EQ(fill(*loose), red);
    loose->free();

    TControl* plain = keep(createControl(nullptr, "Plain", false));
    plain->color = colour(blue);
    TCanvas* owned = getCanvas(*plain);
    const std::int32_t before = liveGdiObjects();
    EXPECT_EQ(fill(*owned), blue); // a brush made for the call only
    EXPECT_EQ(liveGdiObjects(), before);
    plain->brushTool().setColor(colour(green));
    EXPECT_EQ(fill(*owned), green);
    owned->brushTool().setColor(colour(yellow));
    EXPECT_EQ(fill(*owned), yellow);
    EXPECT_EQ(plain->color, colour(green));
}

TEST_F(CanvasTest, FontStyleBitsMapOntoTheLogFont) {
    TGraphicTool* font = newFont();
    const LOGFONTA& f = font->data.logFont;
    font->setFontStyle(1 | 2 | 8 | 0x30); // bold, italic, strike-out; 0x30 means nothing
    EXPECT_EQ(std::make_tuple(f.lfWeight, f.lfItalic, f.lfUnderline, f.lfStrikeOut),
              std::make_tuple(700L, BYTE{1}, BYTE{0}, BYTE{1}));
    EXPECT_EQ(font->fontStyle(), 1 | 2 | 8);
    font->data.logFont.lfWeight = 900;
    font->setFontStyle(4); // underline: not bold, whatever the weight was
    EXPECT_EQ(f.lfWeight, 0);
    EXPECT_EQ(font->fontStyle(), 4);
    font->free();
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
