// A long session of random input at the whole window: typing and pasting into
// the natural-frequency edit, both sliders, the build button, pan, zoom and
// wheel on the plot, resizes of the window. After every action the window
// must still be sound. RANDOM_INPUT_SEED and RANDOM_INPUT_ACTIONS override
// the fixed seed and length for longer runs by hand; RANDOM_INPUT_TRACE=1
// prints every action (to find the step that crashed a run).
#include "app_fixture.h"

#include "runtime/number_text.h"
#include "toolkit/gdi_counter.h"

#include <commctrl.h>

#include <algorithm>
#include <chrono>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <deque>
#include <optional>
#include <regex>
#include <set>

namespace {

// xorshift64: the same sequence on every compiler and library.
struct Random {
    std::uint64_t state;
    explicit Random(std::uint64_t seed) : state(seed ^ 0x9E3779B97F4A7C15ull) {
        if (state == 0)
            state = 1;
    }
    std::uint64_t next() {
        state ^= state << 13;
        state ^= state >> 7;
        state ^= state << 17;
        return state;
    }
    int between(int low, int high) {
        return low + static_cast<int>(next() % static_cast<std::uint64_t>(high - low + 1));
    }
    bool percent(int p) { return between(0, 99) < p; }
    template <class T, std::size_t N> const T& pick(const T (&items)[N]) {
        return items[next() % N];
    }
};

std::uint64_t fromEnvironment(const char* name, std::uint64_t fallback) {
    const char* text = std::getenv(name);
    return text && *text ? std::strtoull(text, nullptr, 0) : fallback;
}

// What a user types: mostly what numbers are made of, and what they are not.
const wchar_t typedCharacters[] = {L'0', L'1', L'2', L'3', L'4', L'5', L'6',  L'7', L'8', L'9',
                                   L'0', L'1', L'5', L'.', L'.', L'e', L'E',  L'-', L'+', L' ',
                                   L',', L'a', L'x', L'Z', L'е', L'Е', L'ж',  L'Г', L'é', L'è',
                                   L'É', L'ë', L'à', L'ö', L'ñ', L'²', L'１', L'\t'};
const wchar_t* const typedWords[] = {
    L"6.0",   L"0.0005", L"0.002", L"1e1",   L"2.5E1", L"-3",     L"+7",     L".5",    L"5.",
    L"1e",    L"-",      L".",     L"12 Гц", L"6,0",   L"1é5",    L"2 e -1", L"1e400", L"0",
    L"99999", L"0.001",  L"3e-3",  L"１２",  L"3²",    L"7\r\n8", L"",       L"ёЁ",    L"40"};
const WPARAM editKeys[] = {VK_BACK, VK_DELETE, VK_LEFT, VK_RIGHT, VK_HOME, VK_END};
const WPARAM sliderKeys[] = {VK_LEFT, VK_RIGHT, VK_UP, VK_DOWN, VK_PRIOR, VK_NEXT, VK_HOME, VK_END};

bool isAscii(const std::wstring& text) {
    return std::all_of(text.begin(), text.end(), [](wchar_t c) { return c < 0x80; });
}

// ASCII as it is, anything else by its code point.
std::string printable(const std::wstring& text) {
    std::string result;
    for (wchar_t c : text) {
        if (c >= 0x20 && c < 0x7F)
            result += static_cast<char>(c);
        else
            result += "<U+" + std::to_string(static_cast<int>(c)) + ">";
    }
    return result;
}

// The number a complete text stands for; blanks may stand inside the exponent.
double numberIn(std::string_view text) {
    std::string compact;
    for (char c : text)
        if (c != ' ' && c != '\t')
            compact += c;
    return textToReal(compact);
}

// The real reader's grammar, written independently: an optional sign, digits
// with at most one point (not the point alone), blanks, an optional exponent.
bool isCompleteReal(const std::string& lowered) {
    static const std::regex grammar(R"([+-]?(\d+\.?\d*|\.\d+)[ \t]*(e[ \t]*([+-][ \t]*)?\d+)?)");
    return std::regex_match(lowered, grammar) && std::isfinite(numberIn(lowered));
}

struct Limits {
    double minX, maxX, minY, maxY;
    bool operator==(const Limits&) const = default;
};

Limits limitsOf(const TKNPlotter& plotter) {
    return {plotter.MinX, plotter.MaxX, plotter.MinY, plotter.MaxY};
}

std::string describe(const Limits& l) {
    char text[160];
    std::snprintf(text, sizeof text, "x %.17g..%.17g, y %.17g..%.17g", l.minX, l.maxX, l.minY,
                  l.maxY);
    return text;
}

LPARAM pointAt(int x, int y) {
    return MAKELPARAM(static_cast<WORD>(static_cast<std::int16_t>(x)),
                      static_cast<WORD>(static_cast<std::int16_t>(y)));
}

void holdKey(int key, bool down) {
    BYTE keys[256];
    GetKeyboardState(keys);
    keys[key] = down ? 0x80 : 0;
    SetKeyboardState(keys);
}

BOOL CALLBACK countWindow(HWND, LPARAM counter) {
    ++*reinterpret_cast<int*>(counter);
    return TRUE;
}

BOOL CALLBACK countWindowAndChildren(HWND window, LPARAM counter) {
    countWindow(window, counter);
    EnumChildWindows(window, countWindow, counter);
    return TRUE;
}

// USER objects as Wine can tell them: the windows of this thread.
int threadWindowCount() {
    int count = 0;
    EnumThreadWindows(GetCurrentThreadId(), countWindowAndChildren,
                      reinterpret_cast<LPARAM>(&count));
    return count;
}

} // namespace

class RandomInputTest : public AppTest {
protected:
    void run(std::uint64_t seed, int count);

private:
    // Actions; each names itself in the log.
    void typeCharacter();
    void pressEditKey();
    void retype();
    void paste();
    void slide();
    void build();
    void dragOnPlot();
    void hoverPlot();
    void wheel();
    void resizeWindow();
    void clearErrorMemo();
    void act();

    // Invariants.
    void fail(const std::string& kind, const std::string& detail);
    void checkNaturalFrequencyText();
    void checkEditsShowSliders();
    void checkLimits(bool fixing);
    void checkAxis(const char* axis, double min, double max, double dataMin, double dataMax,
                   bool fixing, std::optional<double>& degenerate);
    void checkDragEnded();
    void checkBuild(const std::wstring& naturalFrequency, int start, int end);
    void checkResources();
    void log(std::string action);

    std::wstring naturalFrequencyText() const;
    HWND edit() const { return windowOf(*app->EditNaturalFreq); }
    HWND plot() const { return windowOf(*app->PlotterEffect); }
    SIZE plotSize() const;

    Random random{0};
    std::uint64_t seed = 0;
    int step = 0;
    bool trace = false;
    std::deque<std::string> recent;
    std::set<std::string> failedKinds;
    std::size_t errorLines = 0;
    std::size_t largestErrorMemo = 0; // characters
    // An axis fixed on data of one value keeps min = max until it is fitted.
    std::optional<double> degenerateX, degenerateY;
    bool resourcesCounted = false;
    std::int32_t gdiBase = 0;
    DWORD systemGdiBase = 0, userBase = 0;
    int windowBase = 0;
};

// ---- actions ----

std::wstring RandomInputTest::naturalFrequencyText() const {
    const int length = GetWindowTextLengthW(edit());
    std::wstring text(static_cast<std::size_t>(length) + 1, L'\0');
    GetWindowTextW(edit(), text.data(), length + 1);
    text.resize(static_cast<std::size_t>(length));
    return text;
}

SIZE RandomInputTest::plotSize() const {
    RECT client{};
    GetClientRect(plot(), &client);
    return {client.right, client.bottom};
}

void RandomInputTest::log(std::string action) {
    if (trace)
        std::printf("%d: %s\n", step, action.c_str());
    recent.push_back(std::move(action));
    if (recent.size() > 8)
        recent.pop_front();
}

void RandomInputTest::typeCharacter() {
    const wchar_t c = random.pick(typedCharacters);
    log("type '" + printable(std::wstring(1, c)) + "'");
    SetFocus(edit());
    SendMessageW(edit(), WM_CHAR, c, 1);
}

void RandomInputTest::pressEditKey() {
    const WPARAM key = random.pick(editKeys);
    const bool shift = random.percent(30);
    log(std::string(shift ? "shift+" : "") + "key " + std::to_string(key));
    SetFocus(edit());
    holdKey(VK_SHIFT, shift);
    SendMessageW(edit(), WM_KEYDOWN, key, 1);
    if (key == VK_BACK)
        SendMessageW(edit(), WM_CHAR, VK_BACK, 1);
    SendMessageW(edit(), WM_KEYUP, key, 0xC0000001);
    holdKey(VK_SHIFT, false);
}

void RandomInputTest::retype() {
    std::wstring text = random.pick(typedWords);
    if (random.percent(50)) {
        text.clear();
        for (int n = random.between(1, 6); n > 0; --n)
            text += random.pick(typedCharacters);
    }
    log("select all, type '" + printable(text) + "'");
    SetFocus(edit());
    SendMessageW(edit(), EM_SETSEL, 0, -1);
    for (wchar_t c : text)
        SendMessageW(edit(), WM_CHAR, c, 1);
}

void RandomInputTest::paste() {
    std::wstring text = random.pick(typedWords);
    if (random.percent(40))
        text += random.pick(typedCharacters);
    const bool replaceAll = random.percent(50);
    log(std::string(replaceAll ? "select all, " : "") + "paste '" + printable(text) + "'");
    HWND owner = windowOf(*app->MainForm);
    if (!OpenClipboard(owner)) { // held by another program for the moment
        log("the clipboard is busy");
        return;
    }
    EmptyClipboard();
    const std::size_t bytes = (text.size() + 1) * sizeof(wchar_t);
    HGLOBAL memory = GlobalAlloc(GMEM_MOVEABLE, bytes);
    std::memcpy(GlobalLock(memory), text.c_str(), bytes);
    GlobalUnlock(memory);
    if (!SetClipboardData(CF_UNICODETEXT, memory))
        GlobalFree(memory);
    CloseClipboard();
    SetFocus(edit());
    if (replaceAll)
        SendMessageW(edit(), EM_SETSEL, 0, -1);
    SendMessageW(edit(), WM_PASTE, 0, 0);
}

void RandomInputTest::slide() {
    const bool startBar = random.percent(50);
    const TKNTrackBar& bar = startBar ? *app->TrackStart : *app->TrackEnd;
    const char* name = startBar ? "start" : "end";
    if (random.percent(50)) {
        const WPARAM key = random.pick(sliderKeys);
        log(std::string(name) + " slider key " + std::to_string(key));
        SetFocus(windowOf(bar));
        SendMessageW(windowOf(bar), WM_KEYDOWN, key, 1);
        SendMessageW(windowOf(bar), WM_KEYUP, key, 0xC0000001);
    } else {
        const int position = random.between(-10, 260);
        log(std::string(name) + " slider to " + std::to_string(position));
        moveSlider(bar, position);
    }
}

void RandomInputTest::build() {
    const std::wstring naturalFrequency = naturalFrequencyText();
    const int start = positionOf(*app->TrackStart);
    const int end = positionOf(*app->TrackEnd);
    log("build, f0 text '" + printable(naturalFrequency) + "', sliders " + std::to_string(start) +
        ".." + std::to_string(end));
    pressBuild();
    checkBuild(naturalFrequency, start, end);
}

// Pan with the middle button, a band with Ctrl and the left button, or a
// plain click that only fixes the view; now and then the capture goes
// elsewhere before the button comes up (another window, a menu).
void RandomInputTest::dragOnPlot() {
    const int mode = random.between(0, 9);
    const bool pan = mode < 4, band = mode >= 4 && mode < 8, right = mode == 9;
    const SIZE size = plotSize();
    auto randomPoint = [&] {
        return pointAt(random.between(-40, size.cx + 40), random.between(-40, size.cy + 40));
    };
    const UINT down = pan ? WM_MBUTTONDOWN : right ? WM_RBUTTONDOWN : WM_LBUTTONDOWN;
    const UINT up = pan ? WM_MBUTTONUP : right ? WM_RBUTTONUP : WM_LBUTTONUP;
    const WPARAM held = pan ? MK_MBUTTON : right ? MK_RBUTTON : MK_LBUTTON;
    const WPARAM keys = held | (band ? MK_CONTROL : 0);
    const int moves = random.between(0, 5);
    const bool captureLost = random.percent(15);
    log(std::string(pan     ? "pan"
                    : band  ? "band"
                    : right ? "right click"
                            : "left click") +
        " drag, " + std::to_string(moves) + " moves" + (captureLost ? ", capture lost" : ""));
    holdKey(VK_CONTROL, band);
    SendMessageW(plot(), down, keys, randomPoint());
    pumpMessages();
    for (int i = 0; i < moves; ++i) {
        SendMessageW(plot(), WM_MOUSEMOVE, keys, randomPoint());
        pumpMessages();
    }
    if (captureLost) {
        if (random.percent(50))
            SetCapture(windowOf(*app->MainForm));
        ReleaseCapture();
    } else {
        SendMessageW(plot(), up, keys & ~held, randomPoint());
    }
    holdKey(VK_CONTROL, false);
}

// The mouse passes over the plot with no button held: the view must stay.
void RandomInputTest::hoverPlot() {
    const SIZE size = plotSize();
    const int x = random.between(0, size.cx - 1), y = random.between(0, size.cy - 1);
    log("hover " + std::to_string(x) + "," + std::to_string(y));
    const Limits before = limitsOf(*app->PlotterEffect);
    SendMessageW(plot(), WM_MOUSEMOVE, 0, pointAt(x, y));
    pumpMessages();
    const Limits after = limitsOf(*app->PlotterEffect);
    if (!(after == before))
        fail("hover", "a move without a button changed the view from " + describe(before) + " to " +
                          describe(after));
}

// Whole notches as a wheel gives them, now and then one big turn at once.
void RandomInputTest::wheel() {
    int delta = WHEEL_DELTA * random.between(-5, 5);
    if (random.percent(3))
        delta = random.between(600, 4000) * (random.percent(50) ? 1 : -1);
    const WPARAM keys = random.percent(20) ? MK_SHIFT : 0;
    log("wheel " + std::to_string(delta));
    POINT screen{};
    ClientToScreen(plot(), &screen);
    SendMessageW(plot(), WM_MOUSEWHEEL, MAKEWPARAM(keys, static_cast<WORD>(delta)),
                 pointAt(screen.x + 100, screen.y + 100));
}

void RandomInputTest::resizeWindow() {
    const bool tiny = random.percent(10);
    const int width = tiny ? random.between(0, 60) : random.between(150, 1300);
    const int height = tiny ? random.between(0, 60) : random.between(100, 1100);
    log("resize " + std::to_string(width) + "x" + std::to_string(height));
    SetWindowPos(windowOf(*app->MainForm), nullptr, 0, 0, width, height,
                 SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
}

// The memos are editable: a user may wipe the error lines.
void RandomInputTest::clearErrorMemo() {
    log("clear the error memo");
    HWND memo = windowOf(*app->MemoError);
    SetFocus(memo);
    SendMessageW(memo, EM_SETSEL, 0, -1);
    SendMessageW(memo, WM_KEYDOWN, VK_DELETE, 1);
    SendMessageW(memo, WM_KEYUP, VK_DELETE, 0xC0000001);
    errorLines = 0;
}

// How often each action comes, in percent. A build of a wide band costs
// most of the time, so presses are a small share.
void RandomInputTest::act() {
    using Action = void (RandomInputTest::*)();
    static constexpr struct {
        int percent;
        Action action;
    } mix[] = {{28, &RandomInputTest::typeCharacter}, {12, &RandomInputTest::pressEditKey},
               {6, &RandomInputTest::retype},         {3, &RandomInputTest::paste},
               {11, &RandomInputTest::slide},         {5, &RandomInputTest::build},
               {13, &RandomInputTest::dragOnPlot},    {5, &RandomInputTest::hoverPlot},
               {13, &RandomInputTest::wheel},         {3, &RandomInputTest::resizeWindow},
               {1, &RandomInputTest::clearErrorMemo}};
    int roll = random.between(0, 99);
    Action action = mix[0].action;
    for (const auto& entry : mix) {
        action = entry.action;
        if ((roll -= entry.percent) < 0)
            break;
    }
    (this->*action)();
    const bool fixing = action == &RandomInputTest::dragOnPlot;
    pumpMessages();
    if (trace)
        std::printf("    the box holds '%s'\n", printable(naturalFrequencyText()).c_str());
    checkNaturalFrequencyText();
    checkEditsShowSliders();
    checkLimits(fixing);
    if (fixing)
        checkDragEnded();
    if (!shownBoxes.empty()) {
        fail("message box", shownBoxes.front());
        shownBoxes.clear();
    }
}

// ---- invariants ----

// Each kind of fault is told once, with what led to it.
void RandomInputTest::fail(const std::string& kind, const std::string& detail) {
    if (!failedKinds.insert(kind).second)
        return;
    std::string history;
    for (const std::string& action : recent)
        history += "\n    " + action;
    ADD_FAILURE() << kind << ": " << detail << "\n  seed " << seed << ", step " << step
                  << "; the last actions:" << history;
}

// The box holds a number or one that a further digit completes.
void RandomInputTest::checkNaturalFrequencyText() {
    const std::wstring text = naturalFrequencyText();
    const std::string lowered = lowerCaseAscii(std::string(text.begin(), text.end()));
    if (!isAscii(text) ||
        (!lowered.empty() && !isCompleteReal(lowered) && !isCompleteReal(lowered + "0")))
        fail("natural frequency", "the box holds '" + printable(text) + "'");
}

void RandomInputTest::checkEditsShowSliders() {
    const std::string start = textOf(*app->EditStart), end = textOf(*app->EditEnd);
    if (!start.empty() && start != intToText(positionOf(*app->TrackStart)))
        fail("sliders", "the start edit shows " + start);
    if (!end.empty() && end != intToText(positionOf(*app->TrackEnd)))
        fail("sliders", "the end edit shows " + end);
}

void RandomInputTest::checkLimits(bool fixing) {
    const Limits limits = limitsOf(*app->PlotterEffect);
    for (double limit : {limits.minX, limits.maxX, limits.minY, limits.maxY})
        if (!std::isfinite(limit)) {
            fail("view limits", "not finite: " + describe(limits));
            return;
        }
    const std::vector<TRPoint>& points = app->LinesEffect->series().points();
    double dataMinX = 0, dataMaxX = 0, dataMinY = 0, dataMaxY = 0;
    for (std::size_t i = 0; i < points.size(); ++i) {
        const TRPoint& p = points[i];
        dataMinX = i ? std::min(dataMinX, p.X) : p.X;
        dataMaxX = i ? std::max(dataMaxX, p.X) : p.X;
        dataMinY = i ? std::min(dataMinY, p.Y) : p.Y;
        dataMaxY = i ? std::max(dataMaxY, p.Y) : p.Y;
    }
    checkAxis("x", limits.minX, limits.maxX, dataMinX, dataMaxX, fixing, degenerateX);
    checkAxis("y", limits.minY, limits.maxY, dataMinY, dataMaxY, fixing, degenerateY);
}

// A fixed axis shows a range, except when it was fixed on data of a single
// value: then it stays at that value until it is fitted again.
void RandomInputTest::checkAxis(const char* axis, double min, double max, double dataMin,
                                double dataMax, bool fixing, std::optional<double>& degenerate) {
    if (min == 0.0 || max == 0.0 || min < max) {
        degenerate.reset();
        return;
    }
    if (min == max && degenerate == min)
        return;
    if (min == max && fixing && dataMin == dataMax && dataMin == min) {
        degenerate = min;
        return;
    }
    char text[120];
    std::snprintf(text, sizeof text, "%s from %.17g to %.17g", axis, min, max);
    fail("view limits",
         min == max ? std::string("collapsed: ") + text : std::string("flipped: ") + text);
}

void RandomInputTest::checkDragEnded() {
    if (app->PlotterEffect->dragMode != dmNone)
        fail("drag", "still dragging (mode " + std::to_string(app->PlotterEffect->dragMode) +
                         ") after the button came up or the capture went");
    if (GetCapture() == plot())
        fail("drag", "the plot keeps the mouse capture");
}

// The run as the sliders and the edit stood: the end raised to start + 10
// when it lay below, one line per frequency step in the error memo while f0
// is not above 0.001 Hz, a point for each f with (f/f0)^2 - 1 above 0.01.
void RandomInputTest::checkBuild(const std::wstring& naturalFrequency, int start, int end) {
    if (start > end)
        end = std::min(start + 10, 250);
    if (positionOf(*app->TrackEnd) != end || textOf(*app->EditEnd) != intToText(end) ||
        textOf(*app->EditStart) != intToText(start))
        fail("band", "expected " + intToText(start) + ".." + intToText(end) + ", the edits show " +
                         textOf(*app->EditStart) + ".." + textOf(*app->EditEnd));

    const std::vector<std::string> errors = linesOf(*app->MemoError);
    if (!isAscii(naturalFrequency)) { // told already; no number to expect
        errorLines = errors.size();
        return;
    }
    const std::string lowered =
        lowerCaseAscii(std::string(naturalFrequency.begin(), naturalFrequency.end()));
    std::optional<double> f0;
    if (isCompleteReal(lowered)) // the step copies f0 as text and reads it back
        f0 = textToReal(realToText(numberIn(lowered)));
    std::vector<int> plotted;
    std::size_t rejected = 0;
    for (int f = start; f <= end; ++f) {
        const bool emptyRead = lowered.empty() && f == start; // that read writes 0
        if (emptyRead || (!f0 && !lowered.empty()))
            continue;
        if (!(f0.value_or(0.0) > 0.001)) {
            ++rejected;
            continue;
        }
        const long double ratio = f / static_cast<long double>(*f0);
        if (static_cast<double>(ratio * ratio - 1.0L) > 0.01)
            plotted.push_back(f);
    }

    const std::vector<std::string> frequencies = linesOf(*app->MemoFrequency);
    const std::vector<std::string> effects = linesOf(*app->MemoEffect);
    const std::vector<TRPoint>& points = app->LinesEffect->series().points();
    bool same = frequencies.size() == plotted.size() && effects.size() == plotted.size() &&
                points.size() == plotted.size() &&
                app->PointsEffect->series().count() == static_cast<std::int32_t>(plotted.size());
    for (std::size_t i = 0; same && i < plotted.size(); ++i) {
        const double ratio = plotted[i] / *f0;
        const double expected = 20.0 * std::log10(ratio * ratio - 1.0);
        same = frequencies[i] == intToText(plotted[i]) && points[i].X == plotted[i] &&
               std::fabs(points[i].Y - expected) <= 1e-9 * std::max(1.0, std::fabs(expected)) &&
               effects[i] == realToText(points[i].Y);
        if (!same)
            fail("results", "at f = " + intToText(plotted[i]) + ": '" + frequencies[i] + "', '" +
                                effects[i] + "', expected " + realToText(expected));
    }
    if (!same)
        fail("results", std::to_string(frequencies.size()) + " frequencies, " +
                            std::to_string(effects.size()) + " efficiencies, " +
                            std::to_string(points.size()) + " points; expected " +
                            std::to_string(plotted.size()));

    errorLines += rejected;
    if (errors.size() != errorLines || std::count(errors.begin(), errors.end(), rejectionText) !=
                                           static_cast<std::ptrdiff_t>(errorLines))
        fail("rejections", std::to_string(errors.size()) + " error lines, expected " +
                               std::to_string(errorLines));
    errorLines = errors.size(); // told once; go on from what is there
    largestErrorMemo = std::max(largestErrorMemo, textOf(*app->MemoError).size());
}

// GDI and USER objects level off once every lazily made tool exists.
void RandomInputTest::checkResources() {
    const std::int32_t gdi = liveGdiObjects();
    const DWORD systemGdi = GetGuiResources(GetCurrentProcess(), GR_GDIOBJECTS);
    const DWORD user = GetGuiResources(GetCurrentProcess(), GR_USEROBJECTS);
    const int windows = threadWindowCount();
    if (!resourcesCounted) {
        resourcesCounted = true;
        gdiBase = gdi, systemGdiBase = systemGdi, userBase = user, windowBase = windows;
        return;
    }
    constexpr int bound = 8;
    if (gdi > gdiBase + bound || systemGdi > systemGdiBase + bound || user > userBase + bound ||
        windows > windowBase)
        fail("resources", "GDI objects " + std::to_string(gdiBase) + " -> " + std::to_string(gdi) +
                              ", system GDI " + std::to_string(systemGdiBase) + " -> " +
                              std::to_string(systemGdi) + ", USER " + std::to_string(userBase) +
                              " -> " + std::to_string(user) + ", windows " +
                              std::to_string(windowBase) + " -> " + std::to_string(windows));
}

void RandomInputTest::run(std::uint64_t runSeed, int count) {
    seed = runSeed;
    random = Random(seed);
    trace = fromEnvironment("RANDOM_INPUT_TRACE", 0) != 0;
    // A crash tells no seed of its own.
    std::printf("random input: seed %llu, %d actions\n", static_cast<unsigned long long>(seed),
                count);
    std::fflush(stdout);
    const auto began = std::chrono::steady_clock::now();
    for (step = 1; step <= count; ++step) {
        act();
        if (step % 250 == 0)
            checkResources();
    }
    const double seconds =
        std::chrono::duration<double>(std::chrono::steady_clock::now() - began).count();
    std::printf("random input: %d actions in %.1f s, %.0f actions/s; error memo up to %u "
                "characters; GDI objects %d, system GDI %lu, USER %lu, windows %d\n",
                count, seconds, count / seconds, static_cast<unsigned>(largestErrorMemo),
                static_cast<int>(liveGdiObjects()),
                GetGuiResources(GetCurrentProcess(), GR_GDIOBJECTS),
                GetGuiResources(GetCurrentProcess(), GR_USEROBJECTS), threadWindowCount());
}

TEST_F(RandomInputTest, ThousandsOfRandomActionsLeaveTheWindowSound) {
    run(fromEnvironment("RANDOM_INPUT_SEED", 20240611),
        static_cast<int>(fromEnvironment("RANDOM_INPUT_ACTIONS", 2000)));
}
