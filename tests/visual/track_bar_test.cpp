#include "visual_fixture.h"

#include "visual/track_bar.h"

#include <commctrl.h>

#include <memory>

namespace {

class TrackBarTest : public VisualTest {
protected:
    std::unique_ptr<TKNTrackBar> makeBar(std::int32_t min, std::int32_t max) {
        auto bar = std::make_unique<TKNTrackBar>(form);
        place(*bar, 10, 40, 280, 30);
        bar->Min = min;
        bar->Max = max;
        bar->init();
        bar->outPosition = positions.link();
        return bar;
    }
    static std::int32_t position(TKNTrackBar& bar) {
        TData data;
        bar.getPosition(data, 0);
        return asInteger(data);
    }

    EventLog positions;
};

TEST_F(TrackBarTest, InPositionIsClampedByTheControlAndForwardsTheResult) {
    auto bar = makeBar(11, 250);
    EXPECT_EQ(position(*bar), 11); // the initial 0 is clamped too
    TData data;
    for (double value : {300.0, 20.5}) {
        setReal(data, value);
        callEvent(makeLink<&TKNTrackBar::inPosition>(bar.get()), data);
    }
    EXPECT_EQ(positions.integers(), (std::vector<std::int32_t>{250, 20}));
    EXPECT_EQ(position(*bar), 20);
}

TEST_F(TrackBarTest, EachKeyboardStepRaisesItsPositionAndOnlyTheBarsOwnScrollMessagesCount) {
    auto bar = makeBar(0, 240);
    ASSERT_NO_FATAL_FAILURE(focus(*bar->getControl()));
    HWND window = bar->getControl()->handle;
    SendMessageW(window, WM_KEYDOWN, VK_RIGHT, 1);
    SendMessageW(window, WM_KEYDOWN, VK_RIGHT, 1);
    EXPECT_EQ(positions.integers(), (std::vector<std::int32_t>{1, 2}));
    for (HWND from : {window, HWND(nullptr), form->handle})
        SendMessageW(form->handle, WM_HSCROLL, MAKEWPARAM(TB_THUMBTRACK, 0),
                     reinterpret_cast<LPARAM>(from));
    EXPECT_EQ(positions.count(), 3);
}

} // namespace
