#include "app_fixture.h"

#include "app/program.h"
#include "runtime/links.h"
#include "runtime/number_text.h"
#include "runtime/platform_hooks.h"
#include "toolkit/bitmap.h"
#include "toolkit/wide_text.h"

#include <commctrl.h>

#include <cmath>

namespace {

std::vector<std::string>* boxes = nullptr;

void recordBox(const std::string& text, const std::string&) {
    if (boxes)
        boxes->push_back(text);
}

constexpr COLORREF markerColor = RGB(0xFF, 0, 0);
constexpr COLORREF lineColor = RGB(0, 0, 0xFF);

} // namespace

void AppTest::SetUp() {
    ToolkitTest::SetUp();
    boxes = &shownBoxes;
    stopDispatch();
    app = std::make_unique<TClassMainForm_4C58060>();
    // Making the applet installs the real debug box: record instead.
    setDebugMessageSink(recordBox);
    if (!startsRunning)
        return;
    startNetwork(*app->MainForm);
    HWND form = windowOf(*app->MainForm);
    SetForegroundWindow(form);
    SetActiveWindow(form);
    pumpMessages();
}

void AppTest::TearDown() {
    stopDispatch();
    runInitProcs(); // those of a network never started
    app.reset();
    pumpMessages();
    EXPECT_TRUE(shownBoxes.empty());
    boxes = nullptr;
    ToolkitTest::TearDown();
}

std::wstring AppTest::wideTextOf(HWND window) {
    std::wstring text(static_cast<std::size_t>(GetWindowTextLengthW(window)) + 1, L'\0');
    text.resize(static_cast<std::size_t>(
        GetWindowTextW(window, text.data(), static_cast<int>(text.size()))));
    return text;
}

std::string AppTest::textOf(const TKNWin& element) {
    return fromWideText(wideTextOf(windowOf(element)));
}

std::vector<std::string> AppTest::linesOf(const TKNMemo& memo) {
    const std::string text = textOf(memo);
    std::vector<std::string> lines;
    for (std::size_t from = 0; from <= text.size() && !text.empty();) {
        const std::size_t end = std::min(text.find("\r\n", from), text.size());
        lines.push_back(text.substr(from, end - from));
        from = end + 2;
    }
    return lines;
}

std::int32_t AppTest::positionOf(const TKNTrackBar& bar) {
    return static_cast<std::int32_t>(SendMessageW(windowOf(bar), TBM_GETPOS, 0, 0));
}

void AppTest::typeNaturalFrequency(const std::wstring& text) {
    HWND edit = windowOf(*app->EditNaturalFreq);
    SetFocus(edit);
    SendMessageW(edit, EM_SETSEL, 0, -1);
    for (wchar_t c : text.empty() ? std::wstring(1, VK_BACK) : text)
        SendMessageW(edit, WM_CHAR, c, 1);
    pumpMessages();
}

void AppTest::moveSlider(const TKNTrackBar& bar, std::int32_t position) {
    HWND slider = windowOf(bar);
    SendMessageW(slider, TBM_SETPOS, TRUE, position);
    HWND parent = GetParent(slider);
    SendMessageW(parent, WM_HSCROLL, MAKEWPARAM(TB_THUMBPOSITION, position),
                 reinterpret_cast<LPARAM>(slider));
    SendMessageW(parent, WM_HSCROLL, MAKEWPARAM(TB_ENDTRACK, 0), reinterpret_cast<LPARAM>(slider));
    pumpMessages();
}

void AppTest::pressBuild() {
    SendMessageW(windowOf(*app->ButtonBuild), BM_CLICK, 0, 0);
    pumpMessages();
}

void AppTest::expectPlotted(int first, int last, double f0) {
    const std::vector<TRPoint>& line = app->LinesEffect->series().points();
    const std::vector<std::string> frequencies = linesOf(*app->MemoFrequency);
    const std::vector<std::string> effect = linesOf(*app->MemoEffect);
    const std::size_t count = static_cast<std::size_t>(std::max(0, last - first + 1));
    ASSERT_EQ(line.size(), count);
    ASSERT_EQ(frequencies.size(), count);
    ASSERT_EQ(effect.size(), count);
    EXPECT_EQ(app->PointsEffect->series().count(), static_cast<std::int32_t>(count));
    for (std::size_t i = 0; i < count; ++i) {
        const int f = first + static_cast<int>(i);
        const double x = (f / f0) * (f / f0) - 1.0;
        EXPECT_EQ(line[i].X, f);
        EXPECT_NEAR(line[i].Y, 20.0 * std::log10(x), 1e-9) << f;
        EXPECT_EQ(effect[i], realToText(line[i].Y)) << f;
        EXPECT_EQ(frequencies[i], intToText(f));
    }
}

AppTest::Picture AppTest::plotPicture() {
    TKNPlotter& plotter = *app->PlotterEffect;
    plotter.paintPlot();
    HDC dc = plotter.backBuffer().getBitmapCanvas()->dc;
    const int right = plotter.backBuffer().width - plotter.MarginRight;
    const int bottom = plotter.backBuffer().height - plotter.MarginBottom;
    Picture picture;
    bool inMarker = false;
    for (int x = plotter.MarginLeft + 1; x < right; ++x) {
        bool marker = false;
        for (int y = plotter.MarginTop + 1; y < bottom; ++y) {
            const COLORREF color = GetPixel(dc, x, y);
            picture.linePixels += color == lineColor;
            marker = marker || (color == markerColor && y < bottom - 1);
        }
        // A marker on the frame's side is cut by it.
        marker = marker && x >= plotter.MarginLeft + 3 && x < right - 4;
        picture.markers += marker && !inMarker;
        inMarker = marker;
    }
    return picture;
}
