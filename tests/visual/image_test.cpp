#include "visual_fixture.h"

#include "visual/image.h"

#include <vector>

namespace {

using ImageTest = VisualTest;

// Printed as the paint handler draws it: the element's colour (blue, red in
// the low byte) in bands above and below a red picture fitted to its width.
TEST_F(ImageTest, AWidePictureIsCentredWithBandsAboveAndBelow) {
    auto image = make<TKNImage>(0, 0, 120, 130);
    image->Color = 0xFF0000;
    image->useFitRoutine();
    const std::vector<std::uint32_t> pixels(240 * 130, 0xFF0000); // 0xRRGGBB
    image->setPicture(CreateBitmap(240, 130, 1, 32, pixels.data()));
    image->setSmooth(true);
    image->init();
    const MemoryImage printed(120, 130);
    SendMessageW(image->getControl()->handle, WM_PRINT, WPARAM(printed.dc), PRF_CLIENT);
    for (int x : {0, 60, 119})
        for (auto [y, color] :
             {std::pair{0, blue}, {31, blue}, {32, red}, {97, red}, {98, blue}, {129, blue}})
            EXPECT_EQ(printed.at(x, y), color) << x << "," << y;
}

} // namespace
