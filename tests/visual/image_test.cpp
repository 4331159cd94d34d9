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

TEST_F(ImageTest, AWidePictureIsCentredWithBandsOrCoversTheWindow) {
    auto image = makeImage(solidBitmap(240, 130, red));
    const ClientPicture fit(image->getControl()->handle, 120, 130);
    for (int x : {0, 60, 119})
        for (auto [y, color] :
             {std::pair{0, blue}, {31, blue}, {32, red}, {97, red}, {98, blue}, {129, blue}})
            EXPECT_EQ(fit.pixel(x, y), color) << x << "," << y;

    image->useFillRoutine();
    const ClientPicture covered(image->getControl()->handle, 120, 130);
    EXPECT_EQ(covered.pixel(0, 0), red);
    EXPECT_EQ(covered.pixel(119, 129), red);

    // A tall picture in a wide window: bands left and right.
    const RECT tall = scaledPictureRect(200, 100, 50, 100, false);
    const RECT expected{75, 0, 125, 100};
    EXPECT_TRUE(EqualRect(&tall, &expected));
}

TEST_F(ImageTest, WithoutAPictureTheColourShowsAndAutoSizeTakesThePicturesSize) {
    auto empty = makeImage(nullptr);
    EXPECT_EQ(ClientPicture(empty->getControl()->handle, 120, 130).pixel(60, 65), blue);

    auto sized = std::make_unique<TKNImage>(form);
    sized->AutoSize = true;
    sized->setPicture(solidBitmap(40, 30, red));
    sized->init();
    EXPECT_EQ(sized->getControl()->width(), 40);
    EXPECT_EQ(sized->getControl()->height(), 30);
}

} // namespace
