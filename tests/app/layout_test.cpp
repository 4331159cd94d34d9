// The window as the user sees it, at every display scale: each control at
// its place times the scale, every caption whole and clear of its
// neighbours, all of it inside the form, the plot's labels and lines scaled.
#include "app_fixture.h"

#include "runtime/platform_hooks.h"
#include "toolkit/bitmap.h"
#include "toolkit/canvas.h"

#include <algorithm>
#include <cstdlib>

namespace {

// In the client coordinates of the window's parent.
RECT placeOf(HWND window) {
    RECT rect{};
    GetWindowRect(window, &rect);
    MapWindowPoints(nullptr, GetParent(window), reinterpret_cast<POINT*>(&rect), 2);
    return rect;
}

SIZE textExtentIn(HWND window) {
    const std::wstring text = AppTest::wideTextOf(window);
    HDC dc = GetDC(window);
    const HGDIOBJ old =
        SelectObject(dc, reinterpret_cast<HGDIOBJ>(SendMessageW(window, WM_GETFONT, 0, 0)));
    SIZE extent{};
    GetTextExtentPoint32W(dc, text.c_str(), static_cast<int>(text.size()), &extent);
    SelectObject(dc, old);
    ReleaseDC(window, dc);
    return extent;
}

} // namespace

TEST_F(AppTest, AtEveryScaleControlsKeepTheirPlacesScaledAndEveryCaptionIsWhole) {
    // Made on such a screen, or made at 96 dpi and then moved to one.
    const struct {
        std::int32_t dpi;
        bool moved;
    } screens[] = {{96, false}, {120, false}, {144, false}, {192, false}, {144, true}};
    for (const auto& [dpi, moved] : screens) {
        SCOPED_TRACE(testing::Message() << dpi << " dpi" << (moved ? ", moved there" : ""));
        rebuildAt(moved ? designDpi : dpi);
        HWND form = windowOf(*app->MainForm);
        if (moved) {
            RECT suggested = placeOf(form);
            suggested.right = suggested.left + (suggested.right - suggested.left) * dpi / designDpi;
            suggested.bottom = suggested.top + (suggested.bottom - suggested.top) * dpi / designDpi;
            SendMessageW(form, WM_DPICHANGED, MAKEWPARAM(dpi, dpi),
                         reinterpret_cast<LPARAM>(&suggested));
            pumpMessages();
        }
        ASSERT_EQ(screenDpi(), dpi);
        RECT client{};
        GetClientRect(form, &client);

        // The form and the hidden copies aside, every window; a label is sized
        // to its caption and ends before the shown control that starts to its
        // right on the same rows.
        const TKNWin* const aside[] = {app->MainForm, app->EditNaturalFreqCopy, app->EditStartInit,
                                       app->EditEndInit};
        for (const TKNWin* element : windowElements()) {
            if (std::ranges::find(aside, element) != std::end(aside))
                continue;
            HWND window = windowOf(*element);
            const RECT at = placeOf(window);
            SCOPED_TRACE(testing::Message() << "the window at " << element->Left << ","
                                            << element->Top << " at 96 dpi");
            EXPECT_LE(std::abs(at.left - element->Left * dpi / designDpi), 1);
            EXPECT_LE(std::abs(at.top - element->Top * dpi / designDpi), 1);
            EXPECT_TRUE(at.left >= 0 && at.top >= 0 && at.right <= client.right &&
                        at.bottom <= client.bottom)
                << "outside the form's client area";
            if (!dynamic_cast<const TKNLabel*>(element)) {
                EXPECT_LE(std::abs(at.right - at.left - element->Width * dpi / designDpi), 1);
                EXPECT_LE(std::abs(at.bottom - at.top - element->Height * dpi / designDpi), 1);
                continue;
            }
            const SIZE text = textExtentIn(window);
            RECT inside{};
            GetClientRect(window, &inside);
            EXPECT_EQ(std::pair(inside.right, inside.bottom), std::pair(text.cx, text.cy));
            for (HWND other = GetWindow(form, GW_CHILD); other;
                 other = GetWindow(other, GW_HWNDNEXT)) {
                const RECT beside = placeOf(other);
                if (other != window && IsWindowVisible(other) && beside.top < at.bottom &&
                    at.top < beside.bottom && beside.left >= at.left) {
                    EXPECT_LE(at.right, beside.left);
                }
            }
        }
        const SIZE buttonText = textExtentIn(windowOf(*app->ButtonBuild));
        RECT button{};
        GetClientRect(windowOf(*app->ButtonBuild), &button);
        EXPECT_LT(buttonText.cx, button.right);

        // The plot: the tick labels' font, the frame's line (the black pixels
        // of one row around its left side).
        TKNPlotter& plotter = *app->PlotterEffect;
        plotter.paintPlot();
        HDC dc = plotter.backBuffer().getBitmapCanvas()->dc;
        const int x = plotter.marginLeft(), y = plotter.backBuffer().height / 2;
        EXPECT_EQ(countPixels(dc, {x - 4, y, x + 5, y + 1}, RGB(0, 0, 0)), scaledToScreen(1));
        EXPECT_EQ(plotter.backBuffer().getBitmapCanvas()->fontTool().data.logFont.lfHeight,
                  scaledToScreen(8));
    }
}
