#include "visual_fixture.h"

#include "visual/track_bar.h"

#include <commctrl.h>

namespace {

using TrackBarTest = VisualTest;

// The slider tells its parent, which hears every slider on the form.
TEST_F(TrackBarTest, OnlyTheBarsOwnScrollMessagesRaiseItsPosition) {
    EventLog positions;
    auto bar = make<TKNTrackBar>(10, 40, 280, 30);
    bar->Max = 240;
    bar->init();
    bar->outPosition = positions.link();
    HWND window = bar->getControl()->handle;
    SendMessageW(window, TBM_SETPOS, TRUE, 7);
    for (HWND from : {window, HWND(nullptr), form->handle})
        SendMessageW(form->handle, WM_HSCROLL, MAKEWPARAM(TB_THUMBTRACK, 0), LPARAM(from));
    ASSERT_EQ(positions.values.size(), 1u);
    EXPECT_EQ(asInteger(positions.values[0]), 7);
}

} // namespace
