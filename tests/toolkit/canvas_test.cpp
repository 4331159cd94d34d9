#include "toolkit_fixture.h"

#include "toolkit/bitmap.h"
#include "toolkit/canvas.h"
#include "toolkit/control_factory.h"
#include "toolkit/gdi_counter.h"

namespace {

constexpr COLORREF white = RGB(255, 255, 255);
constexpr COLORREF red = RGB(255, 0, 0);
constexpr COLORREF green = RGB(0, 255, 0);
constexpr COLORREF blue = RGB(0, 0, 255);
constexpr COLORREF yellow = RGB(255, 255, 0);
constexpr COLORREF black = RGB(0, 0, 0);

COLORREF brushColor(HGDIOBJ brush) {
    LOGBRUSH record{};
    GetObjectW(brush, sizeof record, &record);
    return record.lbColor;
}

// A white 32-bit image with its canvas.
struct Picture {
    explicit Picture(int width, int height) : bitmap(newBitmap(width, height)) {
        bitmap->setBkColor(static_cast<std::int32_t>(white));
        canvas = bitmap->getBitmapCanvas();
        canvas->fillRect({0, 0, width, height});
    }
    ~Picture() { bitmap->free(); }
    COLORREF at(int x, int y) const { return GetPixel(canvas->dc, x, y); }
    int count(const RECT& area, COLORREF color) const {
        int found = 0;
        for (int y = area.top; y < area.bottom; ++y)
            for (int x = area.left; x < area.right; ++x)
                found += at(x, y) == color;
        return found;
    }
    TBitmap* bitmap;
    TCanvas* canvas;
};

using CanvasTest = GdiCountingTest;

TEST_F(CanvasTest, ShapesAndTextLandWhereTheyShouldInTheirColours) {
    Picture picture(60, 60);
    TCanvas& canvas = *picture.canvas;
    canvas.penTool().setColor(static_cast<std::int32_t>(red));
    canvas.moveTo(2, 2);
    canvas.lineTo(40, 2);
    EXPECT_EQ(picture.at(2, 2), red);
    EXPECT_EQ(picture.at(39, 2), red);
    EXPECT_EQ(picture.at(40, 2), white); // the end point is not drawn
    EXPECT_EQ(picture.at(20, 3), white);

    canvas.penTool().setColor(static_cast<std::int32_t>(blue));
    canvas.brushTool().setColor(static_cast<std::int32_t>(green));
    canvas.rectangle(5, 5, 15, 15);
    EXPECT_EQ(picture.at(5, 10), blue);
    EXPECT_EQ(picture.at(14, 10), blue);
    EXPECT_EQ(picture.at(10, 10), green);
    EXPECT_EQ(picture.at(15, 10), white);

    canvas.ellipse(20, 20, 40, 40);
    EXPECT_EQ(picture.at(30, 30), green);
    EXPECT_EQ(picture.at(21, 21), white); // the corner lies outside the curve
    EXPECT_EQ(picture.at(30, 20), blue);

    canvas.brushTool().setColor(static_cast<std::int32_t>(yellow));
    const POINT triangle[3] = {{45, 45}, {58, 45}, {45, 58}};
    canvas.polygon(triangle, 3);
    EXPECT_EQ(picture.at(47, 47), yellow);
    EXPECT_EQ(picture.at(57, 57), white);

    // Text in the font's colour on the brush's colour, inside its extent.
    canvas.brushTool().setColor(static_cast<std::int32_t>(white));
    canvas.fontTool().setColor(static_cast<std::int32_t>(black));
    const SIZE extent = canvas.textExtent("Жy");
    ASSERT_GT(extent.cx, 0);
    canvas.textOut(2, 40, "Жy");
    const RECT inside{2, 40, 2 + extent.cx, 40 + extent.cy};
    EXPECT_GT(picture.count(inside, black), 5);
    EXPECT_EQ(picture.count({2 + extent.cx, 40, 45, 60}, black), 0);
    EXPECT_EQ(canvas.textExtent("").cx, 0);
    EXPECT_EQ(canvas.lineHeight(), extent.cy);

    // Text in a rectangle leaves nothing outside it: the left half only.
    const RECT half{2, 20, 2 + extent.cx / 2, 20 + extent.cy};
    canvas.textRect(half, 2, 20, "Жy");
    EXPECT_GT(picture.count(half, black), 3);
    EXPECT_EQ(picture.count({half.right, 20, 45, 20 + extent.cy}, black), 0);
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

TEST_F(CanvasTest, ABrokenPenPaintsItsGapsWithTheBrushColour) {
    Picture picture(40, 10);
    TCanvas& canvas = *picture.canvas;
    canvas.brushTool().setColor(static_cast<std::int32_t>(yellow));
    canvas.deselectTools(); // the brush is no longer selected
    canvas.penTool().setPenStyle(PS_DOT);
    canvas.penTool().setColor(static_cast<std::int32_t>(blue));
    canvas.moveTo(0, 5);
    canvas.lineTo(40, 5);
    const RECT line{0, 5, 40, 6};
    EXPECT_GT(picture.count(line, blue), 5);
    EXPECT_GT(picture.count(line, yellow), 5);
    EXPECT_EQ(picture.count(line, white), 0);
}

TEST_F(CanvasTest, FillRectUsesTheCanvasBrushThenTheOwnersThenItsColourThenTheWindowColour) {
    HBITMAP image = countGdiObject(CreateBitmap(10, 10, 1, 32, nullptr));
    const RECT all{0, 0, 10, 10};
    auto fillAndRead = [&](TCanvas& canvas) {
        HDC dc = createMemoryDC(nullptr);
        HGDIOBJ previous = SelectObject(dc, image);
        canvas.setDC(dc);
        canvas.fillRect(all);
        const COLORREF color = GetPixel(dc, 5, 5);
        SelectObject(dc, previous);
        canvas.setDC(nullptr);
        return color;
    };

    TCanvas* loose = new TCanvas;
    EXPECT_EQ(fillAndRead(*loose), GetSysColor(COLOR_WINDOW));
    loose->brushTool().setColor(static_cast<std::int32_t>(red));
    EXPECT_EQ(fillAndRead(*loose), red);
    loose->free();

    TControl* plain = keep(createControl(nullptr, "Plain", false));
    plain->color = static_cast<std::int32_t>(blue);
    TCanvas* owned = getCanvas(*plain);
    const std::int32_t before = liveGdiObjects();
    EXPECT_EQ(fillAndRead(*owned), blue); // a brush made for the call only
    EXPECT_EQ(liveGdiObjects(), before);
    plain->brushTool().setColor(static_cast<std::int32_t>(green));
    EXPECT_EQ(fillAndRead(*owned), green);
    owned->brushTool().setColor(static_cast<std::int32_t>(yellow));
    EXPECT_EQ(fillAndRead(*owned), yellow);
    EXPECT_EQ(plain->color, static_cast<std::int32_t>(green));
    deleteGdiObject(image);
}

TEST_F(CanvasTest, EqualToolsShareTheParentsHandleUntilTheChildChanges) {
    TGraphicTool* parent = newBrush();
    parent->setColor(static_cast<std::int32_t>(red));
    TGraphicTool* child = assignTool(nullptr, parent);
    child->setParentTool(parent);
    HGDIOBJ shared = parent->getToolHandle();
    ASSERT_NE(shared, nullptr);
    EXPECT_EQ(child->getToolHandle(), shared);
    EXPECT_EQ(liveGdiObjects(), startObjects + 1);

    child->setColor(static_cast<std::int32_t>(blue));
    HGDIOBJ own = child->getToolHandle();
    EXPECT_NE(own, shared);
    EXPECT_EQ(brushColor(own), blue);
    EXPECT_EQ(parent->getToolHandle(), shared);
    EXPECT_EQ(brushColor(shared), red);

    // Back to equal settings: the child lets its own handle go and borrows.
    child->setColor(static_cast<std::int32_t>(red));
    EXPECT_EQ(child->getToolHandle(), shared);
    EXPECT_EQ(liveGdiObjects(), startObjects + 1);
    child->free();
    parent->free();

    TGraphicTool* pen = newPen();
    TGraphicTool* font = newFont();
    EXPECT_EQ(font->data.logFont.lfCharSet, DEFAULT_CHARSET);
    EXPECT_STREQ(font->data.logFont.lfFaceName, "MS Sans Serif");
    EXPECT_EQ(pen->data.pen.penMode, 12);
    pen->free();
    font->free();
}

TEST_F(CanvasTest, FontStyleBitsMapOntoTheLogFont) {
    TGraphicTool* font = newFont();
    font->setFontStyle(1 | 2 | 8 | 0x30);
    EXPECT_EQ(font->data.logFont.lfWeight, 700);
    EXPECT_EQ(font->data.logFont.lfItalic, 1);
    EXPECT_EQ(font->data.logFont.lfUnderline, 0);
    EXPECT_EQ(font->data.logFont.lfStrikeOut, 1);
    EXPECT_EQ(font->fontStyle(), 1 | 2 | 8);
    font->data.logFont.lfWeight = 900;
    font->setFontStyle(4);
    EXPECT_EQ(font->data.logFont.lfWeight, 0);
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
    EXPECT_EQ(brushColor(picture.canvas->brush->toolHandle), original);
    EXPECT_EQ(picture.at(1, 1), original);

    SetSysColors(1, &index, &changed);
    picture.canvas->fillRect({0, 0, 4, 4});
    SetSysColors(1, &index, &original);
    EXPECT_EQ(picture.at(1, 1), changed);
    EXPECT_EQ(brushColor(picture.canvas->brush->toolHandle), changed);
    pumpMessages();
}

TEST_F(CanvasTest, MeasuringHoldsNoWindowDCButABitmapKeepsItsOwn) {
    makeAppletAndForm();
    TControl* label = keep(newLabel(form, "Text"));
    label->getHandle();
    TCanvas* canvas = getCanvas(*label);
    EXPECT_EQ(getCanvas(*label), canvas);
    EXPECT_GT(canvas->textExtent("Text").cx, 0);
    EXPECT_EQ(canvas->dc, nullptr);
    // Drawing outside painting takes the window's DC.
    canvas->fillRect({0, 0, 2, 2});
    ASSERT_NE(canvas->dc, nullptr);
    EXPECT_TRUE(canvas->dcFromWindow);
    EXPECT_GT(canvas->textExtent("Text").cy, 0);
    EXPECT_EQ(canvas->dc, nullptr);

    Picture picture(30, 20);
    HDC bitmapDC = picture.canvas->dc;
    EXPECT_GT(picture.canvas->textExtent("Text").cx, 0);
    EXPECT_EQ(picture.canvas->dc, bitmapDC);
    picture.canvas->fontTool().setColor(static_cast<std::int32_t>(red));
    picture.canvas->textOut(0, 0, "Text");
    EXPECT_GT(picture.count({0, 0, 30, 20}, red), 0);
}

TEST_F(CanvasTest, ControlBackgroundsUseCachedBrushesUntilTheFirstBrushToolThenTools) {
    brushToolsMade = false;
    TControl* parent = keep(createControl(nullptr, "Parent", false));
    TControl* child = keep(createControl(parent, "Child", false));
    HBRUSH cached = parent->backgroundBrush();
    EXPECT_EQ(child->backgroundBrush(), cached);
    EXPECT_EQ(parent->brush, nullptr);
    EXPECT_EQ(brushColor(cached), GetSysColor(COLOR_BTNFACE));
    child->color = static_cast<std::int32_t>(red);
    EXPECT_EQ(brushColor(child->backgroundBrush()), red);

    newBrush()->free();
    EXPECT_TRUE(brushToolsMade);
    TControl* other = keep(createControl(parent, "Other", false));
    HBRUSH shared = parent->backgroundBrush();
    ASSERT_NE(parent->brush, nullptr);
    EXPECT_EQ(other->backgroundBrush(), shared);
    EXPECT_EQ(other->brush->parentTool, parent->brush);
    other->setColor(static_cast<std::int32_t>(blue));
    EXPECT_NE(other->backgroundBrush(), shared);
    EXPECT_EQ(brushColor(other->backgroundBrush()), blue);
    EXPECT_EQ(parent->backgroundBrush(), shared);
}

} // namespace
