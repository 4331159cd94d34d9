// Thousands of random actions at the whole window from a fixed seed
// (RANDOM_INPUT_SEED overrides it): typing, keys and pastes in the
// natural-frequency edit, both sliders, the build button, pan, band, clicks
// and wheel on the plot, resizes. After each the window must be sound; the
// first failure names the seed, the step and the actions before it.
#include "app_fixture.h"

#include "runtime/number_text.h"
#include "toolkit/gdi_counter.h"

#include <algorithm>
#include <array>
#include <chrono>
#include <cmath>
#include <cstring>
#include <iomanip>
#include <random>
#include <regex>
#include <span>
#include <sstream>

namespace {

// What a user types: what numbers are made of and what they are not,
// look-alikes included.
constexpr std::wstring_view typedCharacters = L"01234567890150..eE-+ ,axZеЕжГéèÉëàöñ²１\t";
const wchar_t* const typedWords[] = {
    L"6.0",   L"0.0005", L"0.002", L"1e1",   L"2.5E1", L"-3",     L"+7",     L".5",    L"5.",
    L"1e",    L"-",      L".",     L"12 Гц", L"6,0",   L"1é5",    L"2 e -1", L"1e400", L"0",
    L"99999", L"0.001",  L"3e-3",  L"１２",  L"3²",    L"7\r\n8", L"",       L"ёЁ",    L"40"};
const WPARAM editKeys[] = {VK_BACK, VK_DELETE, VK_LEFT, VK_RIGHT, VK_HOME, VK_END};
const WPARAM sliderKeys[] = {VK_LEFT, VK_RIGHT, VK_UP, VK_DOWN, VK_PRIOR, VK_NEXT, VK_HOME, VK_END};

// ASCII as it is, anything else by its code point: "<U+233>" is no number.
std::string printable(std::wstring_view text) {
    std::string result;
    for (wchar_t c : text)
        result += c == '\t' || (c >= 0x20 && c < 0x7F) ? std::string(1, static_cast<char>(c))
                                                       : "<U+" + std::to_string(int(c)) + ">";
    return result;
}

// The number a complete text stands for, NaN for any other: the real
// reader's grammar written independently (blanks may stand in the exponent).
double completeReal(std::string lowered) {
    static const std::regex grammar(R"([+-]?(\d+\.?\d*|\.\d+)[ \t]*(e[ \t]*([+-][ \t]*)?\d+)?)");
    if (!std::regex_match(lowered, grammar))
        return NAN;
    std::erase_if(lowered, [](char c) { return c == ' ' || c == '\t'; });
    return textToReal(lowered);
}

std::string describe(const std::array<double, 4>& view) {
    std::ostringstream text;
    text << std::setprecision(17) << view[0] << ".." << view[1] << ", " << view[2] << ".."
         << view[3];
    return text.str();
}

void holdKey(int key, bool down) {
    BYTE keys[256];
    GetKeyboardState(keys);
    keys[key] = down ? 0x80 : 0;
    SetKeyboardState(keys);
}

void pressKey(HWND window, WPARAM key) {
    SetFocus(window);
    SendMessageW(window, WM_KEYDOWN, key, 1);
    if (key == VK_BACK)
        SendMessageW(window, WM_CHAR, VK_BACK, 1);
    SendMessageW(window, WM_KEYUP, key, 0xC0000001);
}

BOOL CALLBACK countOwnWindow(HWND window, LPARAM counter) {
    *reinterpret_cast<std::int64_t*>(counter) +=
        GetWindowThreadProcessId(window, nullptr) == GetCurrentThreadId();
    return TRUE;
}

// GDI objects as the toolkit and the system count them, USER objects (Wine
// counts none) and this thread's windows, children included.
std::array<std::int64_t, 4> resourcesNow() {
    std::array<std::int64_t, 4> now{liveGdiObjects(),
                                    GetGuiResources(GetCurrentProcess(), GR_GDIOBJECTS),
                                    GetGuiResources(GetCurrentProcess(), GR_USEROBJECTS), 0};
    EnumChildWindows(GetDesktopWindow(), countOwnWindow, reinterpret_cast<LPARAM>(&now[3]));
    return now;
}

class RandomInputTest : public AppTest {
protected:
    int between(int low, int high) { return low + int(random() % unsigned(high - low + 1)); }
    bool percent(int p) { return between(0, 99) < p; }
    template <class Items> auto pick(const Items& items) {
        return items[random() % std::size(items)];
    }
    template <class... Parts> void log(const Parts&... parts) {
        std::ostringstream line;
        (line << ... << parts);
        done.push_back(line.str());
    }
    HWND edit() const { return windowOf(*app->EditNaturalFreq); }
    HWND plot() const { return windowOf(*app->PlotterEffect); }
    LPARAM pointOnPlot(int outside) {
        RECT area{};
        GetClientRect(plot(), &area);
        const int x = between(-outside, area.right - 1 + outside); // x first on every compiler
        return MAKELPARAM(x, between(-outside, area.bottom - 1 + outside));
    }
    std::array<double, 4> view() const {
        const TKNPlotter& p = *app->PlotterEffect;
        return {p.MinX, p.MaxX, p.MinY, p.MaxY};
    }

    void typeCharacter() {
        const wchar_t c = pick(typedCharacters);
        log("type '", printable({&c, 1}), "'");
        SetFocus(edit());
        SendMessageW(edit(), WM_CHAR, c, 1);
    }

    void pressEditKey() {
        const WPARAM key = pick(editKeys);
        const bool shift = percent(30);
        log(shift ? "shift+" : "", "key ", key);
        holdKey(VK_SHIFT, shift);
        pressKey(edit(), key);
        holdKey(VK_SHIFT, false);
    }

    // A word or a few characters typed over the whole text, or pasted over it
    // or at the caret.
    void enterText() {
        std::wstring text = pick(typedWords);
        if (percent(50)) // or a few characters
            for (wchar_t& c : text = std::wstring(between(1, 6), L'?'))
                c = pick(typedCharacters);
        const bool pasted = percent(33), replaceAll = !pasted || percent(50);
        log(replaceAll ? "select all, " : "", pasted ? "paste '" : "type '", printable(text), "'");
        if (pasted && !OpenClipboard(windowOf(*app->MainForm))) // held by another program
            return log("the clipboard is busy");
        if (pasted) {
            EmptyClipboard();
            const std::size_t bytes = (text.size() + 1) * sizeof(wchar_t);
            HGLOBAL memory = GlobalAlloc(GMEM_MOVEABLE, bytes);
            std::memcpy(GlobalLock(memory), text.c_str(), bytes);
            GlobalUnlock(memory);
            if (!SetClipboardData(CF_UNICODETEXT, memory))
                GlobalFree(memory);
            CloseClipboard();
        }
        SetFocus(edit());
        if (replaceAll)
            SendMessageW(edit(), EM_SETSEL, 0, -1);
        if (pasted)
            SendMessageW(edit(), WM_PASTE, 0, 0);
        for (wchar_t c : pasted ? std::wstring() : text)
            SendMessageW(edit(), WM_CHAR, c, 1);
    }

    void slide() {
        const bool start = percent(50), byKey = percent(50);
        const TKNTrackBar& bar = start ? *app->TrackStart : *app->TrackEnd;
        const int to = byKey ? int(pick(sliderKeys)) : between(-10, 260);
        log(start ? "start" : "end", byKey ? " slider key " : " slider to ", to);
        byKey ? pressKey(windowOf(bar), WPARAM(to)) : moveSlider(bar, to);
    }

    // Pan with the middle button, a band with Ctrl and the left button, or a
    // plain click that only fixes the view; now and then the capture goes
    // elsewhere before the button comes up (another window, a menu).
    void drag() {
        const int mode = between(0, 9);
        const bool pan = mode < 4, band = mode >= 4 && mode < 8, right = mode == 9;
        const UINT down = pan ? WM_MBUTTONDOWN : right ? WM_RBUTTONDOWN : WM_LBUTTONDOWN;
        const WPARAM button = pan ? MK_MBUTTON : right ? MK_RBUTTON : MK_LBUTTON;
        const WPARAM keys = button | (band ? MK_CONTROL : 0);
        const int moves = between(0, 5);
        const bool captureLost = percent(15);
        log(pan     ? "pan"
            : band  ? "band"
            : right ? "right click"
                    : "left click",
            ", ", moves, " moves", captureLost ? ", capture lost" : "");
        holdKey(VK_CONTROL, band);
        SendMessageW(plot(), down, keys, pointOnPlot(40));
        pumpMessages();
        for (int i = 0; i < moves; ++i) {
            SendMessageW(plot(), WM_MOUSEMOVE, keys, pointOnPlot(40));
            pumpMessages();
        }
        if (!captureLost)
            SendMessageW(plot(), down + 1, keys & ~button, pointOnPlot(40)); // the button's up
        else if (percent(50))
            SetCapture(windowOf(*app->MainForm));
        if (captureLost)
            ReleaseCapture();
        holdKey(VK_CONTROL, false);
    }

    void hover() {
        const LPARAM at = pointOnPlot(0);
        log("hover ", LOWORD(at), ",", HIWORD(at));
        SendMessageW(plot(), WM_MOUSEMOVE, 0, at);
    }

    // Whole notches as a wheel gives them, now and then one big turn at once.
    void wheel() {
        const int delta =
            percent(3) ? between(600, 4000) * (percent(50) ? 1 : -1) : WHEEL_DELTA * between(-5, 5);
        const WPARAM keys = percent(20) ? MK_SHIFT : 0;
        log("wheel ", delta);
        POINT screen{100, 100};
        ClientToScreen(plot(), &screen);
        SendMessageW(plot(), WM_MOUSEWHEEL, MAKEWPARAM(keys, delta),
                     MAKELPARAM(screen.x, screen.y));
    }

    void resize() {
        const bool tiny = percent(10);
        const int width = tiny ? between(0, 60) : between(150, 1300);
        const int height = tiny ? between(0, 60) : between(100, 1100);
        log("resize ", width, "x", height);
        SetWindowPos(windowOf(*app->MainForm), nullptr, 0, 0, width, height,
                     SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
    }

    // The memos are editable: a user may wipe the error lines.
    void clearErrorMemo() {
        log("clear the error memo");
        SendMessageW(windowOf(*app->MemoError), EM_SETSEL, 0, -1);
        pressKey(windowOf(*app->MemoError), VK_DELETE);
        errorLines = 0;
    }

    // A press, and the run as the sliders and the box stood: the end raised
    // to start + 10 when below; a rejection line per step while f0 is not
    // above 0.001 Hz (an empty box reads as 0, silently on the first step);
    // points from where (f/f0)² − 1 passes 0.01; nothing for an unfinished
    // number.
    void build() {
        const std::string shown = printable(wideTextOf(edit())), text = lowerCaseAscii(shown);
        const int start = positionOf(*app->TrackStart);
        int end = positionOf(*app->TrackEnd);
        log("build, f0 text '", shown, "', sliders ", start, "..", end);
        pressBuild();
        if (start > end)
            end = std::min(start + 10, 250);
        EXPECT_EQ(positionOf(*app->TrackEnd), end);
        EXPECT_EQ(textOf(*app->EditEnd), intToText(end));
        EXPECT_EQ(textOf(*app->EditStart), intToText(start));
        const bool complete = std::isfinite(completeReal(text));
        // The step copies f0 as text and reads it back.
        const double f0 = complete ? textToReal(realToText(completeReal(text))) : 0.0;
        int first = end + 1;
        if (f0 > 0.001)
            for (first = start; first <= end && (first / f0) * (first / f0) - 1.0 <= 0.01;)
                ++first;
        else if (complete || text.empty())
            errorLines += static_cast<std::size_t>(end - start + (complete ? 1 : 0));
        expectPlotted(first, end, f0);
        EXPECT_EQ(linesOf(*app->MemoError), std::vector<std::string>(errorLines, rejectionText));
        errorLines = linesOf(*app->MemoError).size();
    }

    // One action by its share in percent (a build of a wide band costs most
    // of the time, so presses are few), then the checks.
    void act() {
        using T = RandomInputTest;
        static constexpr std::pair<int, void (T::*)()> mix[] = {
            {28, &T::typeCharacter}, {12, &T::pressEditKey}, {9, &T::enterText}, {11, &T::slide},
            {5, &T::build},          {13, &T::drag},         {5, &T::hover},     {13, &T::wheel},
            {3, &T::resize},         {1, &T::clearErrorMemo}};
        const auto* action = mix;
        for (int roll = between(0, 99); (roll -= action->first) >= 0;)
            ++action;
        const std::array<double, 4> before = view();
        (this->*action->second)();
        pumpMessages();
        const bool dragged = action->second == &T::drag;

        // The box holds a number or one that a further character completes.
        const std::string shown = printable(wideTextOf(edit())), f0 = lowerCaseAscii(shown);
        EXPECT_TRUE(f0.empty() || std::isfinite(completeReal(f0)) ||
                    std::isfinite(completeReal(f0 + "0")))
            << "the box holds '" << shown << "'";
        for (const auto& [bar, number] :
             {std::pair{app->TrackStart, app->EditStart}, std::pair{app->TrackEnd, app->EditEnd}}) {
            const std::string text = textOf(*number);
            EXPECT_TRUE(text.empty() || text == intToText(positionOf(*bar))) << text;
        }
        // Only the mouse moves the view. An axis is automatic (0) or shows a
        // finite range; it may keep the one value it had, or take the one
        // value of all the data when a click fixes it.
        const std::array<double, 4> now = view();
        const std::string moved = "the view went from " + describe(before) + " to " + describe(now);
        EXPECT_TRUE(dragged || action->second == &T::wheel || now == before) << moved;
        const std::vector<TRPoint>& points = app->LinesEffect->series().points();
        for (std::size_t i : {0, 2}) {
            const double min = now[i], max = now[i + 1];
            const auto atMin = [&](const TRPoint& p) { return (i ? p.Y : p.X) == min; };
            const bool oneValue =
                (min == before[i] && max == before[i + 1]) ||
                (dragged && !points.empty() && std::ranges::all_of(points, atMin));
            EXPECT_TRUE(std::isfinite(min) && std::isfinite(max) &&
                        (min == 0.0 || max == 0.0 || min < max || (min == max && oneValue)))
                << moved;
        }
        if (dragged) {
            EXPECT_EQ(app->PlotterEffect->dragMode, +dmNone) << "still dragging";
            EXPECT_NE(GetCapture(), plot()) << "the plot keeps the mouse capture";
        }
        EXPECT_EQ(shownBoxes, std::vector<std::string>());
        shownBoxes.clear();
    }

    std::mt19937_64 random; // the same sequence on every compiler and library
    std::vector<std::string> done;
    std::size_t errorLines = 0;
};

TEST_F(RandomInputTest, ThousandsOfRandomActionsLeaveTheWindowSound) {
    const char* seedText = std::getenv("RANDOM_INPUT_SEED");
    const std::uint64_t seed = seedText ? std::strtoull(seedText, nullptr, 0) : 20240611;
    const int count = 2000;
    random.seed(seed);
    std::printf("random input: seed %llu\n", static_cast<unsigned long long>(seed));
    std::fflush(stdout); // a crash tells no seed of its own
    const auto began = std::chrono::steady_clock::now();
    std::array<std::int64_t, 4> base{};
    for (int step = 1; step <= count; ++step) {
        act();
        // GDI and USER objects level off once every lazily made tool exists.
        if (step % 250 == 0) {
            const std::array<std::int64_t, 4> now = resourcesNow();
            base = step == 250 ? now : base;
            for (std::size_t i = 0; i < now.size(); ++i)
                EXPECT_LE(now[i], base[i] + (i < 3 ? 8 : 0))
                    << "GDI objects, system GDI and USER objects, windows from "
                    << testing::PrintToString(base) << " to " << testing::PrintToString(now);
        }
        if (HasFailure()) {
            std::string history;
            for (const std::string& line :
                 std::span(done).last(std::min<std::size_t>(done.size(), 8)))
                history += "\n    " + line;
            FAIL() << "seed " << seed << ", step " << step << "; the last actions:" << history;
        }
    }
    const std::chrono::duration<double> took = std::chrono::steady_clock::now() - began;
    std::printf("random input: %d actions, %.0f actions/s\n", count, count / took.count());
}

} // namespace
