#include "visual_fixture.h"

#include "visual/label.h"

namespace {

using WinElementTest = VisualTest;

TEST_F(WinElementTest, Ctl3DChoosesTheBorder) {
    // Ctl3D 0: sunken, 1: flat with a border, 2: as the class makes it.
    const std::pair<LONG_PTR, LONG_PTR> borders[] = {{0, WS_EX_CLIENTEDGE}, {WS_BORDER, 0}, {0, 0}};
    for (std::uint8_t ctl3D : {0, 1, 2}) {
        auto label = make<TKNLabel>(20, 30, 100, 40);
        label->Ctl3D = ctl3D;
        label->init();
        HWND window = label->getControl()->handle;
        EXPECT_EQ(GetWindowLongPtrW(window, GWL_STYLE) & WS_BORDER, borders[ctl3D].first);
        EXPECT_EQ(GetWindowLongPtrW(window, GWL_EXSTYLE) & WS_EX_CLIENTEDGE, borders[ctl3D].second);
    }
}

} // namespace
