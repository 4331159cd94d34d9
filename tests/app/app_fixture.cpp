#include "app_fixture.h"

#include "app/program.h"
#include "runtime/platform_hooks.h"
#include "toolkit/bitmap.h"
#include "toolkit/wide_text.h"

#include <commctrl.h>

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
    app = std::make_unique<TClassMainForm_4C58060>();
    // Making the applet installs the real debug box: record instead.
    setDebugMessageSink(recordBox);
    startNetwork(*app->MainForm);
    HWND form = windowOf(*app->MainForm);
    SetForegroundWindow(form);
    SetActiveWindow(form);
    pumpMessages();
}

void AppTest::TearDown() {
    stopDispatch();
    app.reset();
    pumpMessages();
    EXPECT_TRUE(shownBoxes.empty());
    boxes = nullptr;
    ToolkitTest::TearDown();
}

std::string AppTest::textOf(HWND window) {
    const int length = GetWindowTextLengthW(window);
    std::wstring text(static_cast<std::size_t>(length) + 1, L'\0');
    GetWindowTextW(window, text.data(), length + 1);
    text.resize(static_cast<std::size_t>(length));
    return fromWideText(text);
}

std::vector<std::string> AppTest::linesOf(const TKNMemo& memo) {
    const std::string text = textOf(memo);
    std::vector<std::string> lines;
    if (text.empty())
        return lines;
    std::size_t from = 0;
    for (;;) {
        const std::size_t end = text.find("\r\n", from);
        lines.push_back(text.substr(from, end - from));
        if (end == std::string::npos)
            return lines;
        from = end + 2;
    }
}

std::int32_t AppTest::positionOf(const TKNTrackBar& bar) {
    return static_cast<std::int32_t>(SendMessageW(windowOf(bar), TBM_GETPOS, 0, 0));
}

void AppTest::typeNaturalFrequency(const std::string& text) {
    HWND edit = windowOf(*app->EditNaturalFreq);
    SetFocus(edit);
    SendMessageW(edit, EM_SETSEL, 0, -1);
    if (text.empty())
        SendMessageW(edit, WM_CHAR, VK_BACK, 1);
    for (char c : text)
        SendMessageW(edit, WM_CHAR, toWideChar(c), 1);
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

int AppTest::interiorMarkerCount() {
    TKNPlotter& plotter = *app->PlotterEffect;
    plotter.paintPlot();
    HDC dc = plotter.backBuffer().getBitmapCanvas()->dc;
    const int right = plotter.backBuffer().width - plotter.MarginRight - 1;
    const int bottom = plotter.backBuffer().height - plotter.MarginBottom - 1;
    int markers = 0;
    bool inMarker = false;
    for (int x = plotter.MarginLeft + 3; x < right - 3; ++x) {
        bool found = false;
        for (int y = plotter.MarginTop + 1; y < bottom && !found; ++y)
            found = GetPixel(dc, x, y) == markerColor;
        if (found && !inMarker)
            ++markers;
        inMarker = found;
    }
    return markers;
}

int AppTest::linePixels() {
    TKNPlotter& plotter = *app->PlotterEffect;
    plotter.paintPlot();
    HDC dc = plotter.backBuffer().getBitmapCanvas()->dc;
    const int right = plotter.backBuffer().width - plotter.MarginRight;
    const int bottom = plotter.backBuffer().height - plotter.MarginBottom;
    int pixels = 0;
    for (int x = plotter.MarginLeft + 1; x < right; ++x)
        for (int y = plotter.MarginTop + 1; y < bottom; ++y)
            pixels += GetPixel(dc, x, y) == lineColor;
    return pixels;
}
