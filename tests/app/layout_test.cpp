// The window as the user sees it: every caption whole beside its neighbours.
#include "app_fixture.h"

namespace {

// Each auto-sized label ends before the shown control that starts to its
// right on the same rows.
TEST_F(AppTest, NoCaptionRunsUnderTheControlBesideIt) {
    for (const TKNLabel* label :
         {app->LabelNaturalFreq, app->LabelStart, app->LabelEnd, app->LabelStartMin,
          app->LabelStartMax, app->LabelEndMin, app->LabelEndMax, app->LabelAxisX, app->LabelAxisY,
          app->LabelTitle}) {
        RECT caption{}, beside{};
        GetWindowRect(windowOf(*label), &caption);
        for (HWND other = GetWindow(windowOf(*app->MainForm), GW_CHILD); other;
             other = GetWindow(other, GW_HWNDNEXT)) {
            GetWindowRect(other, &beside);
            if (other != windowOf(*label) && IsWindowVisible(other) &&
                beside.top < caption.bottom && caption.top < beside.bottom &&
                beside.left >= caption.left) {
                EXPECT_LE(caption.right, beside.left)
                    << "the label at " << caption.left << "," << caption.top << " on the screen";
            }
        }
    }
}

} // namespace
