// The window as the user sees it: every caption whole beside its neighbours.
#include "app_fixture.h"

namespace {

RECT boundsOf(HWND window) {
    RECT rect{};
    GetWindowRect(window, &rect);
    return rect;
}

// Each auto-sized label ends before the shown control that starts to its
// right on the same rows.
TEST_F(AppTest, NoCaptionRunsUnderTheControlBesideIt) {
    const TKNLabel* const labels[] = {app->LabelNaturalFreq, app->LabelStart,    app->LabelEnd,
                                      app->LabelStartMin,    app->LabelStartMax, app->LabelEndMin,
                                      app->LabelEndMax,      app->LabelAxisX,    app->LabelAxisY,
                                      app->LabelTitle};
    for (const TKNLabel* label : labels) {
        const RECT caption = boundsOf(windowOf(*label));
        for (HWND other = GetWindow(windowOf(*app->MainForm), GW_CHILD); other;
             other = GetWindow(other, GW_HWNDNEXT)) {
            const RECT beside = boundsOf(other);
            const bool sameRows = beside.top < caption.bottom && caption.top < beside.bottom;
            if (other != windowOf(*label) && IsWindowVisible(other) && sameRows &&
                beside.left >= caption.left) {
                EXPECT_LE(caption.right, beside.left)
                    << "the label at " << caption.left << "," << caption.top << " on the screen";
            }
        }
    }
}

} // namespace
