// A long session of random input at the whole window: typing and pasting into
// the natural-frequency edit, both sliders, the build button, pan, zoom and
// wheel on the plot, resizes of the window. After every action the window
// must still be sound; the first action that leaves it unsound ends the run
// with the seed, the step and the actions before it. RANDOM_INPUT_SEED and
// RANDOM_INPUT_ACTIONS override the fixed seed and length for longer runs by
// hand; RANDOM_INPUT_TRACE=1 prints every action (to find the step that
// crashed a run).
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
#include <sstream>

namespace {

// What a user types: mostly what numbers are made of, and what they are not,
// look-alikes included.
constexpr std::wstring_view typedCharacters = L"01234567890150..eE-+ ,axZеЕжГéèÉëàöñ²１\t";
const wchar_t* const typedWords[] = {
    L"6.0",   L"0.0005", L"0.002", L"1e1",   L"2.5E1", L"-3",     L"+7",     L".5",    L"5.",
    L"1e",    L"-",      L".",     L"12 Гц", L"6,0",   L"1é5",    L"2 e -1", L"1e400", L"0",
    L"99999", L"0.001",  L"3e-3",  L"１２",  L"3²",    L"7\r\n8", L"",       L"ёЁ",    L"40"};
const WPARAM editKeys[] = {VK_BACK, VK_DELETE, VK_LEFT, VK_RIGHT, VK_HOME, VK_END};
const WPARAM sliderKeys[] = {VK_LEFT, VK_RIGHT, VK_UP, VK_DOWN, VK_PRIOR, VK_NEXT, VK_HOME, VK_END};

std::uint64_t fromEnvironment(const char* name, std::uint64_t fallback) {
    const char* text = std::getenv(name);
    return text && *text ? std::strtoull(text, nullptr, 0) : fallback;
}

// ASCII as it is, anything else by its code point: "<U+233>" is no number.
std::string printable(std::wstring_view text) {
    std::string result;
    for (wchar_t c : text)
        result += c == '\t' || (c >= 0x20 && c < 0x7F)
                      ? std::string(1, static_cast<char>(c))
                      : "<U+" + std::to_string(static_cast<int>(c)) + ">";
    return result;
}

// The number a complete text stands for; blanks may stand inside the exponent.
double numberIn(std::string text) {
    std::erase_if(text, [](char c) { return c == ' ' || c == '\t'; });
    return textToReal(text);
}

// The real reader's grammar, written independently: an optional sign, digits
// with at most one point (not the point alone), blanks, an optional exponent.
bool isCompleteReal(const std::string& lowered) {
    static const std::regex grammar(R"([+-]?(\d+\.?\d*|\.\d+)[ \t]*(e[ \t]*([+-][ \t]*)?\d+)?)");
    return std::regex_match(lowered, grammar) && std::isfinite(numberIn(lowered));
}

std::string describe(const std::array<double, 4>& limits) {
    std::ostringstream text;
    text << std::setprecision(17) << "x " << limits[0] << ".." << limits[1] << ", y " << limits[2]
         << ".." << limits[3];
    return text.str();
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

// GDI objects as the toolkit and as the system count them, USER objects
// (Wine counts none) and the windows of this thread, children included.
std::array<std::int64_t, 4> resourcesNow() {
    std::array<std::int64_t, 4> now{liveGdiObjects(),
                                    GetGuiResources(GetCurrentProcess(), GR_GDIOBJECTS),
                                    GetGuiResources(GetCurrentProcess(), GR_USEROBJECTS), 0};
    EnumChildWindows(GetDesktopWindow(), countOwnWindow, reinterpret_cast<LPARAM>(&now[3]));
    return now;
}

class RandomInputTest : public AppTest {
protected:
    int between(int low, int high) {
        return low + static_cast<int>(random() % static_cast<std::uint64_t>(high - low + 1));
    }
    bool percent(int p) { return between(0, 99) < p; }
    template <class Items> auto pick(const Items& items) {
        return items[random() % std::size(items)];
    }
    template <class... Parts> void log(const Parts&... parts) {
        std::ostringstream line;
        (line << ... << parts);
        if (trace)
            std::printf("%d: %s\n", step, line.str().c_str());
        done.push_back(line.str());
    }
    HWND edit() const { return windowOf(*app->EditNaturalFreq); }
    HWND plot() const { return windowOf(*app->PlotterEffect); }
    std::array<double, 4> limits() const {
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

    // A word or a few characters, typed over the whole text, or pasted over
    // it or at the caret.
    void enterText() {
        std::wstring text = pick(typedWords);
        if (percent(50)) {
            text.clear();
            for (int n = between(1, 6); n > 0; --n)
                text += pick(typedCharacters);
        }
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
        const bool start = percent(50);
        const TKNTrackBar& bar = start ? *app->TrackStart : *app->TrackEnd;
        if (percent(50)) {
            const WPARAM key = pick(sliderKeys);
            log(start ? "start" : "end", " slider key ", key);
            pressKey(windowOf(bar), key);
        } else {
            const int position = between(-10, 260);
            log(start ? "start" : "end", " slider to ", position);
            moveSlider(bar, position);
        }
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
        RECT area{};
        GetClientRect(plot(), &area);
        auto randomPoint = [&] {
            const int x = between(-40, area.right + 40);
            return pointAt(x, between(-40, area.bottom + 40));
        };
        const int moves = between(0, 5);
        const bool captureLost = percent(15);
        const char* name = pan ? "pan" : band ? "band" : right ? "right click" : "left click";
        log(name, ", ", moves, " moves", captureLost ? ", capture lost" : "");
        holdKey(VK_CONTROL, band);
        SendMessageW(plot(), down, keys, randomPoint());
        pumpMessages();
        for (int i = 0; i < moves; ++i) {
            SendMessageW(plot(), WM_MOUSEMOVE, keys, randomPoint());
            pumpMessages();
        }
        if (!captureLost) {
            SendMessageW(plot(), down + 1, keys & ~button, randomPoint()); // the button's up
        } else {
            if (percent(50))
                SetCapture(windowOf(*app->MainForm));
            ReleaseCapture();
        }
        holdKey(VK_CONTROL, false);
    }

    // The mouse passes over the plot with no button held.
    void hover() {
        RECT area{};
        GetClientRect(plot(), &area);
        const int x = between(0, area.right - 1), y = between(0, area.bottom - 1);
        log("hover ", x, ",", y);
        SendMessageW(plot(), WM_MOUSEMOVE, 0, pointAt(x, y));
    }

    // Whole notches as a wheel gives them, now and then one big turn at once.
    void wheel() {
        int delta = WHEEL_DELTA * between(-5, 5);
        if (percent(3)) {
            delta = between(600, 4000);
            delta *= percent(50) ? 1 : -1;
        }
        const WPARAM keys = percent(20) ? MK_SHIFT : 0;
        log("wheel ", delta);
        POINT screen{100, 100};
        ClientToScreen(plot(), &screen);
        SendMessageW(plot(), WM_MOUSEWHEEL, MAKEWPARAM(keys, static_cast<WORD>(delta)),
                     pointAt(screen.x, screen.y));
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

    // One action, then the checks. How often each action comes, in percent:
    // a build of a wide band costs most of the time, so presses are a small
    // share.
    void act() {
        using Action = void (RandomInputTest::*)();
        static constexpr struct {
            int percent;
            Action action;
        } mix[] = {{28, &RandomInputTest::typeCharacter}, {12, &RandomInputTest::pressEditKey},
                   {9, &RandomInputTest::enterText},      {11, &RandomInputTest::slide},
                   {5, &RandomInputTest::build},          {13, &RandomInputTest::drag},
                   {5, &RandomInputTest::hover},          {13, &RandomInputTest::wheel},
                   {3, &RandomInputTest::resize},         {1, &RandomInputTest::clearErrorMemo}};
        const auto* entry = mix;
        for (int roll = between(0, 99); (roll -= entry->percent) >= 0;)
            ++entry;
        const std::array<double, 4> before = limits();
        (this->*entry->action)();
        pumpMessages();
        const bool dragged = entry->action == &RandomInputTest::drag;
        const bool byMouse = dragged || entry->action == &RandomInputTest::wheel;

        // The box holds a number or one that a further character completes.
        const std::string shown = printable(wideTextOf(edit())), f0 = lowerCaseAscii(shown);
        EXPECT_TRUE(f0.empty() || isCompleteReal(f0) || isCompleteReal(f0 + "0"))
            << "the box holds '" << shown << "'";
        for (const auto& [bar, number] :
             {std::pair{app->TrackStart, app->EditStart}, std::pair{app->TrackEnd, app->EditEnd}}) {
            const std::string text = textOf(*number);
            EXPECT_TRUE(text.empty() || text == intToText(positionOf(*bar))) << text;
        }
        // Only the mouse moves the view. An axis is automatic (0) or shows a
        // finite range; it may keep the one value it had, or take the one
        // value of all the data when a click fixes it.
        const std::array<double, 4> view = limits();
        EXPECT_TRUE(byMouse || view == before)
            << "the view moved from " << describe(before) << " to " << describe(view);
        const std::vector<TRPoint>& points = app->LinesEffect->series().points();
        for (std::size_t i : {0, 2}) {
            const double min = view[i], max = view[i + 1];
            const auto atMin = [&](const TRPoint& p) { return (i ? p.Y : p.X) == min; };
            const bool kept = min == before[i] && max == before[i + 1];
            const bool fixedOnData =
                dragged && !points.empty() && std::all_of(points.begin(), points.end(), atMin);
            EXPECT_TRUE(
                std::isfinite(min) && std::isfinite(max) &&
                (min == 0.0 || max == 0.0 || min < max || (min == max && (kept || fixedOnData))))
                << "the view went from " << describe(before) << " to " << describe(view);
        }
        if (dragged) {
            EXPECT_EQ(app->PlotterEffect->dragMode, +dmNone) << "still dragging";
            EXPECT_NE(GetCapture(), plot()) << "the plot keeps the mouse capture";
        }
        EXPECT_EQ(shownBoxes, std::vector<std::string>());
        shownBoxes.clear();
    }

    // A press, and the run as the sliders and the box stood: the end raised
    // to start + 10 when it lay below; a rejection line per step while f0 is
    // not above 0.001 Hz (an empty box reads as 0, silently on the first
    // step); points from where (f/f0)² − 1 passes 0.01; nothing at all for an
    // unfinished number.
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
        const bool complete = isCompleteReal(text);
        // The step copies f0 as text and reads it back.
        const double f0 = complete ? textToReal(realToText(numberIn(text))) : 0.0;
        int first = end + 1;
        if (f0 > 0.001) {
            for (first = start; first <= end && (first / f0) * (first / f0) - 1.0 <= 0.01;)
                ++first;
        } else if (complete || text.empty()) {
            errorLines += static_cast<std::size_t>(end - start + (complete ? 1 : 0));
        }
        expectPlotted(first, end, f0);
        const std::vector<std::string> errors = linesOf(*app->MemoError);
        EXPECT_EQ(errors, std::vector<std::string>(errorLines, rejectionText));
        errorLines = errors.size();
    }

    std::mt19937_64 random; // the same sequence on every compiler and library
    int step = 0;
    bool trace = false;
    std::vector<std::string> done; // the actions so far
    std::size_t errorLines = 0;
};

TEST_F(RandomInputTest, ThousandsOfRandomActionsLeaveTheWindowSound) {
    const std::uint64_t seed = fromEnvironment("RANDOM_INPUT_SEED", 20240611);
    const int count = static_cast<int>(fromEnvironment("RANDOM_INPUT_ACTIONS", 2000));
    random.seed(seed);
    trace = fromEnvironment("RANDOM_INPUT_TRACE", 0) != 0;
    // A crash tells no seed of its own.
    std::printf("random input: seed %llu, %d actions\n", static_cast<unsigned long long>(seed),
                count);
    std::fflush(stdout);
    const auto began = std::chrono::steady_clock::now();
    std::array<std::int64_t, 4> base{};
    for (step = 1; step <= count; ++step) {
        act();
        // GDI and USER objects level off once every lazily made tool exists.
        if (step % 250 == 0) {
            const std::array<std::int64_t, 4> now = resourcesNow();
            if (step == 250)
                base = now;
            for (std::size_t i = 0; i < now.size(); ++i)
                EXPECT_LE(now[i], base[i] + (i < 3 ? 8 : 0))
                    << "GDI objects, system GDI and USER objects, windows from "
                    << testing::PrintToString(base) << " to " << testing::PrintToString(now);
        }
        if (HasFailure()) {
            std::string history;
            for (std::size_t i = done.size() > 8 ? done.size() - 8 : 0; i < done.size(); ++i)
                history += "\n    " + done[i];
            FAIL() << "seed " << seed << ", step " << step << "; the last actions:" << history;
        }
    }
    const double seconds =
        std::chrono::duration<double>(std::chrono::steady_clock::now() - began).count();
    std::printf("random input: %d actions in %.1f s, %.0f actions/s; resources at the end %s\n",
                count, seconds, count / seconds, testing::PrintToString(resourcesNow()).c_str());
}

} // namespace
