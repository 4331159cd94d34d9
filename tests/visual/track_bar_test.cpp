#include "visual_fixture.h"

#include "visual/track_bar.h"

#include <commctrl.h>

#include <memory>

namespace {

using TrackBarTest = VisualTest;

// The slider tells its parent, which hears every slider on the form.
TEST_F(TrackBarTest, EachKeyboardStepRaisesItsPositionAndOnlyTheBarsOwnScrollMessagesCount) {
    EventLog positions;
    auto bar = std::make_unique<TKNTrackBar>(form);
    place(*bar, 10, 40, 280, 30);
    bar->Max = 240;
    bar->init();
    bar->outPosition = positions.link();
    ASSERT_NO_FATAL_FAILURE(focus(*bar->getControl()));
    HWND window = bar->getControl()->handle;
    SendMessageW(window, WM_KEYDOWN, VK_RIGHT, 1);
    SendMessageW(window, WM_KEYDOWN, VK_RIGHT, 1);
    EXPECT_EQ((std::vector{asInteger(positions.values.at(0)), asInteger(positions.values.at(1))}),
              (std::vector{1, 2}));
    for (HWND from : {window, HWND(nullptr), form->handle})
        SendMessageW(form->handle, WM_HSCROLL, MAKEWPARAM(TB_THUMBTRACK, 0),
                     reinterpret_cast<LPARAM>(from));
    EXPECT_EQ(positions.values.size(), 3u);
}

} // namespace
