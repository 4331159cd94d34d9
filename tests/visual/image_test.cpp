#include "visual_fixture.h"

#include "visual/image.h"

#include <memory>
#include <vector>

namespace {

constexpr COLORREF red = RGB(255, 0, 0);
constexpr COLORREF blue = RGB(0, 0, 255);

// A 32-bit picture of one colour, 0xRRGGBB.
HBITMAP solidBitmap(int width, int height, std::uint32_t color) {
    const std::vector<std::uint32_t> pixels(width * height, color);
    return CreateBitmap(width, height, 1, 32, pixels.data());
}

// A pixel of the client area as the paint handler draws it.
COLORREF printedPixel(HWND window, int x, int y) {
    RECT client{};
    GetClientRect(window, &client);
    HBITMAP bitmap = solidBitmap(client.right, client.bottom, 0);
    HDC dc = CreateCompatibleDC(nullptr);
    HGDIOBJ old = SelectObject(dc, bitmap);
    SendMessageW(window, WM_PRINT, reinterpret_cast<WPARAM>(dc), PRF_CLIENT);
    const COLORREF pixel = GetPixel(dc, x, y);
    SelectObject(dc, old);
    DeleteObject(bitmap);
    DeleteDC(dc);
    return pixel;
}

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

TEST_F(ImageTest, AWidePictureIsCentredWithBandsAboveAndBelow) {
    auto image = makeImage(solidBitmap(240, 130, 0xFF0000));
    HWND window = image->getControl()->handle;
    for (int x : {0, 60, 119})
        for (auto [y, color] :
             {std::pair{0, blue}, {31, blue}, {32, red}, {97, red}, {98, blue}, {129, blue}})
            EXPECT_EQ(printedPixel(window, x, y), color) << x << "," << y;

    auto empty = makeImage(nullptr); // the colour alone
    EXPECT_EQ(printedPixel(empty->getControl()->handle, 60, 65), blue);
}

} // namespace
