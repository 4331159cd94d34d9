#include "visual_fixture.h"

#include "visual/image.h"

#include <memory>

namespace {

constexpr COLORREF red = RGB(255, 0, 0);
constexpr COLORREF blue = RGB(0, 0, 255);

class ImageTest : public VisualTest {
protected:
    std::unique_ptr<TKNImage> makeImage(HBITMAP picture) {
        auto image = std::make_unique<TKNImage>(form);
        image->Width = 120;
        image->Height = 130;
        image->Color = 0xFF0000; // blue: red in the low byte
        image->useFitRoutine();
        if (picture)
            image->setPicture(picture);
        image->setSmooth(true);
        image->init();
        return image;
    }
};

TEST_F(ImageTest, APictureIsCentredWithBandsOrCoversTheWindow) {
    auto image = makeImage(solidBitmap(240, 130, red));
    HWND window = image->getControl()->handle;
    for (int x : {0, 60, 119})
        for (auto [y, color] :
             {std::pair{0, blue}, {31, blue}, {32, red}, {97, red}, {98, blue}, {129, blue}})
            EXPECT_EQ(printedPixel(window, x, y), color) << x << "," << y;

    image->useFillRoutine();
    EXPECT_EQ(printedPixel(window, 0, 0), red);
    EXPECT_EQ(printedPixel(window, 119, 129), red);

    // A tall picture in a wide window: bands left and right.
    const RECT tall = scaledPictureRect(200, 100, 50, 100, false);
    const RECT expected{75, 0, 125, 100};
    EXPECT_TRUE(EqualRect(&tall, &expected));

    auto empty = makeImage(nullptr); // the colour alone
    EXPECT_EQ(printedPixel(empty->getControl()->handle, 60, 65), blue);
}

} // namespace
