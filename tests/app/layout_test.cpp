// The window as the user sees it: every caption whole beside its neighbours.
#include "app_fixture.h"

#include <vector>

namespace {

RECT boundsInParent(HWND window) {
    RECT rect{};
    GetWindowRect(window, &rect);
    MapWindowPoints(nullptr, GetParent(window), reinterpret_cast<POINT*>(&rect), 2);
    return rect;
}

// Each auto-sized label ends before the shown control that starts to its
// right on the same rows.
TEST_F(AppTest, NoCaptionRunsUnderTheControlBesideIt) {
    const TKNLabel* const labels[] = {app->LabelNaturalFreq, app->LabelStart,    app->LabelEnd,
                                      app->LabelStartMin,    app->LabelStartMax, app->LabelEndMin,
                                      app->LabelEndMax,      app->LabelAxisX,    app->LabelAxisY,
                                      app->LabelTitle};
    std::vector<HWND> shown;
    for (HWND child = GetWindow(windowOf(*app->MainForm), GW_CHILD); child;
         child = GetWindow(child, GW_HWNDNEXT))
        if (IsWindowVisible(child))
            shown.push_back(child);
    for (const TKNLabel* label : labels) {
        const HWND own = windowOf(*label);
        const RECT caption = boundsInParent(own);
        for (HWND other : shown) {
            const RECT beside = boundsInParent(other);
            const bool sameRows = beside.top < caption.bottom && caption.top < beside.bottom;
            if (other != own && sameRows && beside.left >= caption.left) {
                EXPECT_LE(caption.right, beside.left)
                    << "the label at " << caption.left << "," << caption.top;
            }
        }
    }
}

} // namespace
