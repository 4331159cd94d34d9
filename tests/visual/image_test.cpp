#include "visual_fixture.h"

#include "toolkit/bitmap.h"
#include "toolkit/hint_manager.h"
#include "visual/image.h"
#include "visual/label.h"

#include <cstdint>
#include <memory>

namespace {

constexpr std::int32_t blue = 0xFF0000; // red in the low byte
constexpr std::uint32_t bluePixel = 0x0000FF;
constexpr std::uint32_t redPixel = 0xFF0000;

HBITMAP solidBitmap(int width, int height, COLORREF color) {
    HDC screen = GetDC(nullptr);
    HBITMAP bitmap = CreateCompatibleBitmap(screen, width, height);
    HDC dc = CreateCompatibleDC(screen);
    HGDIOBJ old = SelectObject(dc, bitmap);
    HBRUSH brush = CreateSolidBrush(color);
    RECT all{0, 0, width, height};
    FillRect(dc, &all, brush);
    DeleteObject(brush);
    SelectObject(dc, old);
    DeleteDC(dc);
    ReleaseDC(nullptr, screen);
    return bitmap;
}

// The window's client area as the paint handler draws it, pixel by pixel.
class ClientPicture {
public:
    ClientPicture(HWND window, int width, int height) : width_(width) {
        BITMAPINFO info{};
        info.bmiHeader = {sizeof(BITMAPINFOHEADER), width, -height, 1, 32, BI_RGB, 0, 0, 0, 0, 0};
        dc_ = CreateCompatibleDC(nullptr);
        section_ = CreateDIBSection(dc_, &info, DIB_RGB_COLORS, &bits_, nullptr, 0);
        old_ = SelectObject(dc_, section_);
        SendMessageW(window, WM_PRINT, reinterpret_cast<WPARAM>(dc_), PRF_CLIENT);
        GdiFlush();
    }
    ~ClientPicture() {
        SelectObject(dc_, old_);
        DeleteObject(section_);
        DeleteDC(dc_);
    }
    std::uint32_t pixel(int x, int y) const {
        return static_cast<const std::uint32_t*>(bits_)[y * width_ + x] & 0xFFFFFF;
    }

private:
    int width_;
    HDC dc_ = nullptr;
    HBITMAP section_ = nullptr;
    HGDIOBJ old_ = nullptr;
    void* bits_ = nullptr;
};

class ImageTest : public VisualTest {
protected:
    std::unique_ptr<TKNImage> makeImage(HBITMAP picture) {
        auto image = std::make_unique<TKNImage>(form);
        image->Width = 120;
        image->Height = 130;
        image->Color = blue;
        image->useFitRoutine();
        if (picture)
            image->setPicture(picture);
        image->setSmooth(true);
        image->init();
        return image;
    }
};

TEST_F(ImageTest, AWidePictureIsCentredWithBandsAboveAndBelow) {
    auto image = makeImage(solidBitmap(240, 130, RGB(255, 0, 0)));
    EXPECT_EQ(image->stretchMode, HALFTONE);
    ClientPicture picture(image->getControl()->handle, 120, 130);
    for (int x : {0, 60, 119}) {
        EXPECT_EQ(picture.pixel(x, 0), bluePixel) << x;
        EXPECT_EQ(picture.pixel(x, 31), bluePixel) << x;
        EXPECT_EQ(picture.pixel(x, 32), redPixel) << x;
        EXPECT_EQ(picture.pixel(x, 97), redPixel) << x;
        EXPECT_EQ(picture.pixel(x, 98), bluePixel) << x;
        EXPECT_EQ(picture.pixel(x, 129), bluePixel) << x;
    }

    image->useFillRoutine();
    ClientPicture covered(image->getControl()->handle, 120, 130);
    EXPECT_EQ(covered.pixel(0, 0), redPixel);
    EXPECT_EQ(covered.pixel(119, 129), redPixel);
}

TEST_F(ImageTest, PlacesAndFallbacks) {
    // A tall picture in a wide window: bands left and right.
    const RECT tall = scaledPictureRect(200, 100, 50, 100, false);
    EXPECT_EQ(tall.left, 75);
    EXPECT_EQ(tall.right, 125);
    EXPECT_EQ(tall.top, 0);
    EXPECT_EQ(tall.bottom, 100);
    const RECT wide = scaledPictureRect(120, 130, 240, 130, false);
    EXPECT_EQ(wide.top, 32);
    EXPECT_EQ(wide.bottom, 98);

    auto empty = makeImage(nullptr);
    ClientPicture picture(empty->getControl()->handle, 120, 130);
    EXPECT_EQ(picture.pixel(60, 65), bluePixel);

    auto sized = std::make_unique<TKNImage>(form);
    sized->AutoSize = true;
    sized->setPicture(solidBitmap(40, 30, RGB(0, 255, 0)));
    sized->init();
    EXPECT_EQ(sized->getControl()->width(), 40);
    EXPECT_EQ(sized->getControl()->height(), 30);
}

TEST_F(ImageTest, HintsMakeATipOnlyWhenThereIsAText) {
    auto plain = std::make_unique<TKNLabel>(form);
    plain->init();
    plain->attachHint(nullptr);
    EXPECT_EQ(plain->tooltipId, nullptr);
    EXPECT_EQ(plain->hintManager, nullptr);

    auto hinted = std::make_unique<TKNLabel>(form);
    hinted->Hint = "Подсказка";
    hinted->init();
    hinted->attachHint(nullptr);
    ASSERT_NE(hinted->tooltipId, nullptr);
    HWND tip = tipWindow(*hinted->tooltipId);
    EXPECT_TRUE(IsWindow(tip));
    EXPECT_FALSE(hinted->getControl()->onMouseEnter); // no enter and leave without a manager
    hinted.reset();
    EXPECT_FALSE(IsWindow(tip));

    // A manager given: the enter and leave notifications are wired too.
    EventLog enters;
    auto managed = std::make_unique<TKNLabel>(form);
    managed->init();
    managed->outMouseEnter = enters.link();
    managed->attachHint(createHintManager());
    EXPECT_NE(managed->tooltipId, nullptr);
    EXPECT_TRUE(managed->getControl()->onMouseEnter);
    pumpMessages();
}

} // namespace
