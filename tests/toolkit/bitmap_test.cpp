#include "toolkit_fixture.h"

#include "toolkit/bitmap.h"
#include "toolkit/gdi_counter.h"

namespace {

constexpr COLORREF red = RGB(255, 0, 0);
constexpr COLORREF green = RGB(0, 255, 0);
constexpr COLORREF blue = RGB(0, 0, 255);
constexpr COLORREF white = RGB(255, 255, 255);

// A 32-bit target image to draw bitmaps onto and read back.
struct Target {
    Target(int width, int height, COLORREF color) {
        dc = createMemoryDC(nullptr);
        image = countGdiObject(CreateBitmap(width, height, 1, 32, nullptr));
        previous = SelectObject(dc, image);
        HBRUSH brush = countGdiObject(CreateSolidBrush(color));
        const RECT all{0, 0, width, height};
        FillRect(dc, &all, brush);
        deleteGdiObject(brush);
    }
    ~Target() {
        SelectObject(dc, previous);
        deleteMemoryDC(dc);
        deleteGdiObject(image);
    }
    COLORREF at(int x, int y) const { return GetPixel(dc, x, y); }
    HDC dc;
    HBITMAP image;
    HGDIOBJ previous;
};

void paint(TBitmap& bitmap, COLORREF color, const RECT& area) {
    TCanvas* canvas = bitmap.getBitmapCanvas();
    ASSERT_NE(canvas, nullptr);
    const std::int32_t background = bitmap.bkColor;
    canvas->brushTool().setColor(static_cast<std::int32_t>(color));
    canvas->fillRect(area);
    bitmap.setBkColor(background);
}

using BitmapTest = GdiCountingTest;

TEST_F(BitmapTest, GrowingKeepsTheOldPixelsAtTheTopLeftAndFillsTheRestWithTheBackground) {
    for (std::uint8_t type : {bmDDB, bmDIB}) {
        SCOPED_TRACE(type);
        TBitmap* bitmap = newBitmap(10, 8);
        bitmap->setPixelFormat(pf32Bit);
        bitmap->setHandleType(type);
        paint(*bitmap, blue, {0, 0, 10, 8});
        bitmap->setBkColor(static_cast<std::int32_t>(red));
        bitmap->setWidth(16);
        bitmap->setBkColor(static_cast<std::int32_t>(green));
        bitmap->setHeight(12);
        EXPECT_EQ(bitmap->handleType, bmDDB); // a new height makes it device-dependent

        Target target(20, 20, white);
        bitmap->draw(target.dc, 1, 1);
        EXPECT_EQ(target.at(1, 1), blue);
        EXPECT_EQ(target.at(10, 8), blue);
        EXPECT_EQ(target.at(11, 1), red);
        EXPECT_EQ(target.at(16, 8), red);
        EXPECT_EQ(target.at(1, 9), green);
        EXPECT_EQ(target.at(16, 12), green);
        EXPECT_EQ(target.at(17, 12), white);
        EXPECT_EQ(target.at(1, 13), white);
        bitmap->free();
    }
}

TEST_F(BitmapTest, AnEmptyBitmapDrawsNothingAndHasNoHandleOrCanvas) {
    TBitmap* bitmap = newBitmap(0, 10);
    EXPECT_TRUE(bitmap->isEmpty());
    EXPECT_EQ(bitmap->getHandle(), nullptr);
    EXPECT_EQ(bitmap->getBitmapCanvas(), nullptr);
    Target target(4, 4, green);
    bitmap->draw(target.dc, 0, 0);
    bitmap->stretchDraw(target.dc, {0, 0, 4, 4});
    EXPECT_EQ(target.at(0, 0), green);
    EXPECT_EQ(liveGdiObjects(), startObjects + 2);

    // Given a width it gets an image of the background colour.
    bitmap->setBkColor(static_cast<std::int32_t>(red));
    bitmap->setWidth(3);
    bitmap->draw(target.dc, 0, 0);
    EXPECT_EQ(target.at(2, 2), red);
    EXPECT_EQ(target.at(3, 3), green);
    bitmap->free();
}

TEST_F(BitmapTest, DibFormatsHaveTheirBitCountsAndScanLines) {
    struct Case {
        std::uint8_t format;
        WORD bits;
        std::int32_t line;
    };
    const Case cases[] = {{pfDevice, 16, 20}, {pf1Bit, 1, 4},    {pf4Bit, 4, 8},
                          {pf8Bit, 8, 12},    {pf15Bit, 16, 20}, {pf16Bit, 16, 20},
                          {pf24Bit, 24, 32},  {pf32Bit, 32, 40}};
    for (const Case& c : cases) {
        SCOPED_TRACE(static_cast<int>(c.format));
        TBitmap* bitmap = newBitmap(10, 3);
        paint(*bitmap, red, {0, 0, 10, 3});
        bitmap->setPixelFormat(c.format);
        bitmap->setHandleType(bmDIB);
        ASSERT_NE(bitmap->dibHeader, nullptr);
        const BITMAPINFOHEADER& header = bitmap->dibHeader->header;
        EXPECT_EQ(header.biSize, 40u);
        EXPECT_EQ(header.biPlanes, 1);
        EXPECT_EQ(header.biBitCount, c.bits);
        EXPECT_EQ(scanLineSize(10, static_cast<std::uint8_t>(c.bits)), c.line);
        EXPECT_EQ(bitmap->dibSize, static_cast<std::size_t>(c.line) * 3);
        const bool masked = c.format == pf16Bit || c.format == pfDevice;
        EXPECT_EQ(header.biCompression, masked ? DWORD{BI_BITFIELDS} : DWORD{BI_RGB});
        if (masked) {
            const auto* masks = reinterpret_cast<const DWORD*>(bitmap->dibHeader->colors);
            EXPECT_EQ(masks[0], 0xF800u);
            EXPECT_EQ(masks[1], 0x7E0u);
            EXPECT_EQ(masks[2], 0x1Fu);
        }
        // The pixels survive the change of format (pure red is in every
        // format's colours but black and white).
        if (c.format != pf1Bit) {
            Target target(10, 3, white);
            bitmap->draw(target.dc, 0, 0);
            EXPECT_EQ(target.at(9, 2), red);
        }
        bitmap->free();
    }
    EXPECT_EQ(scanLineSize(1, 24), 4);
    EXPECT_EQ(scanLineSize(33, 1), 8);
}

TEST_F(BitmapTest, DibMemoryBecomesASectionWhenAHandleIsNeededAndKeepsItsPixels) {
    TBitmap* bitmap = newBitmap(0, 4);
    bitmap->setPixelFormat(pf24Bit);
    bitmap->setHandleType(bmDIB);
    bitmap->setBkColor(static_cast<std::int32_t>(green));
    bitmap->setWidth(6);
    EXPECT_EQ(bitmap->bitmapHandle, nullptr);
    ASSERT_NE(bitmap->dibBits, nullptr);
    EXPECT_FALSE(bitmap->ownsBits);

    // Drawn straight from memory.
    Target target(8, 8, white);
    bitmap->draw(target.dc, 0, 0);
    EXPECT_EQ(target.at(5, 3), green);
    EXPECT_EQ(target.at(6, 3), white);

    HBITMAP handle = bitmap->getHandle();
    ASSERT_NE(handle, nullptr);
    EXPECT_EQ(bitmap->getHandle(), handle);
    EXPECT_TRUE(bitmap->ownsBits);
    paint(*bitmap, red, {0, 0, 3, 4});
    Target second(12, 8, white);
    bitmap->stretchDraw(second.dc, {0, 0, 12, 8}); // twice the size
    EXPECT_EQ(second.at(0, 0), red);
    EXPECT_EQ(second.at(5, 7), red);
    EXPECT_EQ(second.at(6, 7), green);
    EXPECT_EQ(second.at(11, 7), green);
    bitmap->free();
}

TEST_F(BitmapTest, TakingAHandleReadsItsSizeAndRefusesWhatIsNoBitmap) {
    TBitmap* bitmap = newBitmap(5, 5);
    HBITMAP foreign = CreateBitmap(7, 3, 1, 32, nullptr);
    bitmap->takeHandle(foreign);
    EXPECT_EQ(bitmap->width, 7);
    EXPECT_EQ(bitmap->height, 3);
    EXPECT_EQ(bitmap->getHandle(), foreign);
    EXPECT_EQ(bitmap->handleType, bmDDB);

    bitmap->takeHandle(nullptr);
    EXPECT_TRUE(bitmap->isEmpty());
    EXPECT_EQ(GetObjectType(foreign), 0u); // the taken handle was deleted
    // A brush reads as something, just not as a bitmap: it is not taken.
    HBRUSH notABitmap = CreateSolidBrush(red);
    bitmap->takeHandle(reinterpret_cast<HBITMAP>(notABitmap));
    EXPECT_TRUE(bitmap->isEmpty());
    EXPECT_EQ(bitmap->getHandle(), nullptr);
    bitmap->free();
    EXPECT_NE(GetObjectType(notABitmap), 0u);
    DeleteObject(notABitmap);
}

} // namespace
