#include "app_fixture.h"

#include "app/program.h"
#include "runtime/links.h"
#include "runtime/number_text.h"
#include "runtime/platform_hooks.h"
#include "toolkit/bitmap.h"
#include "toolkit/wide_text.h"

#include <commctrl.h>

#include <array>
#include <cmath>
#include <ranges>
#include <tuple>

namespace {

std::int32_t testDpi = designDpi;

} // namespace

void AppTest::SetUp() {
    ToolkitTest::SetUp();
    shownBoxes.clear();
    build();
}

void AppTest::rebuildAt(std::int32_t dpi) {
    testDpi = dpi;
    setScreenDpiSource([] { return testDpi; });
    build();
}

void AppTest::build() {
    stopDispatch();
    app.reset(); // the old one goes before the new one is made
    pumpMessages();
    app = std::make_unique<TClassMainForm_4C58060>();
    // Debug messages are recorded: a test ends with none.
    setDebugMessageSink(
        [](const std::string& text, const std::string&) { shownBoxes.push_back(text); });
    startNetwork(*app->MainForm);
    SetForegroundWindow(windowOf(*app->MainForm));
    SetActiveWindow(windowOf(*app->MainForm));
    pumpMessages();
}

void AppTest::TearDown() {
    stopDispatch();
    app.reset();
    pumpMessages();
    setScreenDpiSource(nullptr); // the next applet asks the screen
    testDpi = designDpi;
    EXPECT_TRUE(shownBoxes.empty());
    ToolkitTest::TearDown();
}

std::wstring AppTest::wideTextOf(HWND window) {
    std::wstring text(GetWindowTextLengthW(window) + 1u, L'\0');
    text.resize(GetWindowTextW(window, text.data(), int(text.size())));
    return text;
}

std::string AppTest::textOf(const TKNWin& element) {
    return fromWideText(wideTextOf(windowOf(element)));
}

std::vector<std::string> AppTest::linesOf(const TKNMemo& memo) {
    std::vector<std::string> lines;
    for (const auto line : std::views::split(textOf(memo), std::string_view("\r\n")))
        lines.emplace_back(line.begin(), line.end());
    return lines;
}

std::int32_t AppTest::positionOf(const TKNTrackBar& bar) {
    return static_cast<std::int32_t>(SendMessageW(windowOf(bar), TBM_GETPOS, 0, 0));
}

std::vector<const TKNWin*> AppTest::windowElements() const {
    return {app->MainForm,      app->EditNaturalFreq, app->LabelNaturalFreq,
            app->PlotterEffect, app->ButtonBuild,     app->EditNaturalFreqCopy,
            app->ImageScheme,   app->MemoError,       app->TrackStart,
            app->LabelStart,    app->LabelEnd,        app->TrackEnd,
            app->LabelStartMin, app->LabelStartMax,   app->LabelEndMin,
            app->LabelEndMax,   app->EditStart,       app->EditEnd,
            app->MemoEffect,    app->EditStartInit,   app->EditEndInit,
            app->MemoFrequency, app->LabelAxisX,      app->LabelAxisY,
            app->LabelTitle};
}

void AppTest::moveSlider(const TKNTrackBar& bar, std::int32_t position) {
    HWND slider = windowOf(bar);
    SendMessageW(slider, TBM_SETPOS, TRUE, position);
    const LPARAM from = reinterpret_cast<LPARAM>(slider);
    SendMessageW(GetParent(slider), WM_HSCROLL, MAKEWPARAM(TB_THUMBPOSITION, position), from);
    SendMessageW(GetParent(slider), WM_HSCROLL, MAKEWPARAM(TB_ENDTRACK, 0), from);
    pumpMessages();
}

void AppTest::pressBuild() {
    SendMessageW(windowOf(*app->ButtonBuild), BM_CLICK, 0, 0);
    pumpMessages();
}

void AppTest::expectPlotted(int first, int last, double f0) {
    const std::vector<TRPoint>& line = app->LinesEffect->series().points();
    const auto frequencies = linesOf(*app->MemoFrequency), effect = linesOf(*app->MemoEffect);
    const std::size_t count = static_cast<std::size_t>(std::max(0, last - first + 1));
    const auto markers = static_cast<std::size_t>(app->PointsEffect->series().count());
    ASSERT_EQ((std::array{line.size(), frequencies.size(), effect.size(), markers}),
              (std::array{count, count, count, count}));
    for (std::size_t i = 0; i < count; ++i) {
        const double f = first + static_cast<int>(i);
        EXPECT_NEAR(line[i].Y, 20.0 * std::log10((f / f0) * (f / f0) - 1.0), 1e-9) << f;
        EXPECT_EQ(std::tuple(line[i].X, effect[i], frequencies[i]),
                  std::tuple(f, realToText(line[i].Y), intToText(static_cast<int>(f))));
    }
}

std::pair<int, int> AppTest::plotPicture() {
    TKNPlotter& plotter = *app->PlotterEffect;
    plotter.paintPlot();
    HDC dc = plotter.backBuffer().getBitmapCanvas()->dc;
    const RECT inside{plotter.marginLeft() + 1, plotter.marginTop() + 1,
                      plotter.backBuffer().width - plotter.marginRight(),
                      plotter.backBuffer().height - plotter.marginBottom()};
    std::pair picture{0, countPixels(dc, inside, RGB(0, 0, 0xFF))};
    // A marker on the frame's sides or bottom is cut by it: those are left out.
    bool inMarker = false;
    for (int x = inside.left + 2; x < inside.right - 4; ++x) {
        const RECT column{x, inside.top, x + 1, inside.bottom - 1};
        const bool marker = countPixels(dc, column, RGB(0xFF, 0, 0)) > 0;
        picture.first += !std::exchange(inMarker, marker) && marker;
    }
    return picture;
}
