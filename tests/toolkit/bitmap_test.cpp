#include "toolkit_fixture.h"

#include "toolkit/bitmap.h"
#include "toolkit/gdi_counter.h"

#include <tuple>

namespace {

using BitmapTest = GdiCountingTest;

TEST_F(BitmapTest, GrowingKeepsTheOldPixelsAtTheTopLeftAndFillsTheRestWithTheBackground) {
    TBitmap* bitmap = newBitmap(10, 8);
    bitmap->getBitmapCanvas()->brushTool().setColor(colour(blue));
    bitmap->getBitmapCanvas()->fillRect({0, 0, 10, 8});
    bitmap->setBkColor(colour(red));
    bitmap->setWidth(16);
    bitmap->setBkColor(colour(green));
    bitmap->setHeight(12);
    MemoryImage target(20, 20);
    bitmap->draw(target.dc, 1, 1);
    bitmap->free();
    const std::tuple<int, int, COLORREF> pixels[] = {
        {1, 1, blue},  {10, 8, blue},   {11, 1, red},    {16, 8, red},
        {1, 9, green}, {16, 12, green}, {17, 12, white}, {1, 13, white}};
    for (const auto& [x, y, color] : pixels)
        EXPECT_EQ(target.at(x, y), color) << x << ", " << y;
}

TEST_F(BitmapTest, AnEmptyBitmapDrawsNothingAndATakenHandleBringsItsSize) {
    TBitmap* bitmap = newBitmap(0, 10);
    EXPECT_TRUE(bitmap->isEmpty() && !bitmap->getHandle() && !bitmap->getBitmapCanvas());
    MemoryImage target(4, 4, green);
    bitmap->draw(target.dc, 0, 0);
    bitmap->stretchDraw(target.dc, {0, 0, 4, 4});
    EXPECT_EQ(liveGdiObjects(), startObjects + 2); // the target's DC and image

    // Given a width it gets an image of the background colour.
    bitmap->setBkColor(colour(red));
    bitmap->setWidth(3);
    bitmap->draw(target.dc, 0, 0);
    EXPECT_EQ(std::make_pair(target.at(2, 2), target.at(3, 3)), std::make_pair(red, green));

    // A taken handle brings its size.
    HBITMAP foreign = CreateBitmap(7, 3, 1, 32, nullptr);
    bitmap->takeHandle(foreign);
    EXPECT_EQ(std::make_tuple(bitmap->width, bitmap->height, bitmap->getHandle()),
              std::make_tuple(7, 3, foreign));
    bitmap->takeHandle(nullptr); // a picture that failed to load
    EXPECT_TRUE(bitmap->isEmpty());
    EXPECT_EQ(GetObjectType(foreign), 0u); // the taken handle was deleted
    bitmap->free();
}

} // namespace
