// Thousands of random actions at the whole window from a fixed seed
// (RANDOM_INPUT_SEED and RANDOM_INPUT_ACTIONS set another seed and count):
// keys, typing and pastes in the natural-frequency edit, both sliders, the
// build button, pan, band, clicks, hover and wheel on the plot, resizes.
// After each the window must be sound; the first failure names the seed, the
// step and the action.
#include "app_fixture.h"

#include "runtime/number_text.h"
#include "toolkit/gdi_counter.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <functional>
#include <random>
#include <regex>
#include <tuple>

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

// The number a complete text stands for, NaN for any other: the real
// reader's grammar written independently (blanks may stand in the exponent).
double completeReal(std::wstring text) {
    static const std::wregex grammar(
        LR"([+-]?([0-9]+\.?[0-9]*|\.[0-9]+)[ \t]*([eE][ \t]*([+-][ \t]*)?[0-9]+)?)");
    if (!std::regex_match(text, grammar))
        return NAN;
    std::erase_if(text, [](wchar_t c) { return c == ' ' || c == '\t'; });
    return textToReal(std::string(text.begin(), text.end())); // ASCII only
}

void holdKey(int key, bool down) {
    BYTE keys[256];
    GetKeyboardState(keys);
    keys[key] = down ? 0x80 : 0;
    SetKeyboardState(keys);
}

BOOL CALLBACK countOwnWindow(HWND window, LPARAM counter) {
    *reinterpret_cast<std::int64_t*>(counter) +=
        GetWindowThreadProcessId(window, nullptr) == GetCurrentThreadId();
    return TRUE;
}

class RandomInputTest : public AppTest {
protected:
    int between(int low, int high) { return low + int(random() % unsigned(high - low + 1)); }
    bool percent(int p) { return between(0, 99) < p; }
    template <class Items> auto pick(const Items& items) -> std::decay_t<decltype(items[0])> {
        return items[random() % std::size(items)];
    }
    HWND edit() const { return windowOf(*app->EditNaturalFreq); }
    // Now and then with Shift held, which selects in the edits.
    void pressKey(HWND window, WPARAM key) {
        holdKey(VK_SHIFT, percent(30));
        SetFocus(window);
        SendMessageW(window, WM_KEYDOWN, key, 1);
        if (key == VK_BACK)
            SendMessageW(window, WM_CHAR, VK_BACK, 1);
        SendMessageW(window, WM_KEYUP, key, 0xC0000001);
        holdKey(VK_SHIFT, false);
    }
    HWND plot() const { return windowOf(*app->PlotterEffect); }
    LPARAM pointOnPlot(int outside) {
        RECT area{};
        GetClientRect(plot(), &area);
        const int x = between(-outside, area.right - 1 + outside); // x first on every compiler
        return MAKELPARAM(x, between(-outside, area.bottom - 1 + outside));
    }

    // Mostly one character at the caret; else a word or a few characters
    // typed over the whole text, or pasted over it or at the caret.
    void enterText() {
        const bool one = percent(75);
        std::wstring text = pick(typedWords);
        if (one || percent(50)) // or a few characters
            for (wchar_t& c : text = std::wstring(one ? 1 : between(1, 6), L'?'))
                c = pick(typedCharacters);
        const bool pasted = !one && percent(33);
        if (pasted && OpenClipboard(windowOf(*app->MainForm))) { // else held by another program
            EmptyClipboard();
            HGLOBAL memory = GlobalAlloc(GMEM_MOVEABLE, (text.size() + 1) * sizeof(wchar_t));
            std::copy_n(text.c_str(), text.size() + 1, static_cast<wchar_t*>(GlobalLock(memory)));
            GlobalUnlock(memory);
            if (!SetClipboardData(CF_UNICODETEXT, memory))
                GlobalFree(memory);
            CloseClipboard();
        }
        SetFocus(edit());
        if (!one && (!pasted || percent(50)))
            SendMessageW(edit(), EM_SETSEL, 0, -1);
        if (pasted)
            SendMessageW(edit(), WM_PASTE, 0, 0);
        for (wchar_t c : pasted ? std::wstring() : text)
            SendMessageW(edit(), WM_CHAR, c, 1);
    }

    // Pan with the middle button, a band with Ctrl and the left button, or a
    // plain click that only fixes the view; now and then the capture goes
    // elsewhere before the button comes up (another window, a menu).
    void drag() {
        const int mode = between(0, 9); // 4 pans, 4 bands, a left and a right click in 10
        const UINT down = mode < 4 ? WM_MBUTTONDOWN : mode == 9 ? WM_RBUTTONDOWN : WM_LBUTTONDOWN;
        const WPARAM keys = mode < 4    ? MK_MBUTTON
                            : mode == 9 ? MK_RBUTTON
                            : mode < 8  ? MK_LBUTTON | MK_CONTROL
                                        : MK_LBUTTON;
        holdKey(VK_CONTROL, keys & MK_CONTROL);
        SendMessageW(plot(), down, keys, pointOnPlot(40));
        for (int moves = between(0, 5); moves > 0; --moves) {
            pumpMessages();
            SendMessageW(plot(), WM_MOUSEMOVE, keys, pointOnPlot(40));
        }
        pumpMessages();
        if (!percent(15)) {
            SendMessageW(plot(), down + 1, keys & MK_CONTROL, pointOnPlot(40)); // the button's up
        } else {
            if (percent(50))
                SetCapture(windowOf(*app->MainForm));
            ReleaseCapture();
        }
        holdKey(VK_CONTROL, false);
    }

    // A press, and the run as the sliders and the box stood: the end raised
    // to start + 10 when below; a rejection line per step while f0 is not
    // above 0.001 Hz (an empty box reads as 0, silently on the first step);
    // points from where (f/f0)² − 1 passes 0.01; nothing for an unfinished
    // number.
    void build() {
        const std::wstring text = wideTextOf(edit());
        const int start = positionOf(*app->TrackStart);
        const int end = start > positionOf(*app->TrackEnd) ? std::min(start + 10, 250)
                                                           : positionOf(*app->TrackEnd);
        pressBuild();
        EXPECT_EQ(textOf(*app->EditStart) + ".." + textOf(*app->EditEnd),
                  intToText(start) + ".." + intToText(end));
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
    }

    // How often each action comes, in percent: a build of a wide band costs
    // most of the time, so presses are few.
    const std::tuple<std::string_view, int, std::function<void()>> actions[10] = {
        {"type", 37, [this] { enterText(); }},
        {"edit key", 12, [this] { pressKey(edit(), pick(editKeys)); }},
        {"slider", 11,
         [this] {
             const TKNTrackBar& bar = percent(50) ? *app->TrackStart : *app->TrackEnd;
             percent(50) ? pressKey(windowOf(bar), pick(sliderKeys))
                         : moveSlider(bar, between(-10, 260));
         }},
        {"build", 5, [this] { build(); }},
        {"drag", 13, [this] { drag(); }},
        {"hover", 5, [this] { SendMessageW(plot(), WM_MOUSEMOVE, 0, pointOnPlot(0)); }},
        // Whole notches as a wheel gives them, now and then one big turn; the
        // plot zooms around the last cursor position, not the message's.
        {"wheel", 13,
         [this] {
             const int delta = percent(3) ? between(-4000, 4000) : WHEEL_DELTA * between(-5, 5);
             SendMessageW(plot(), WM_MOUSEWHEEL, MAKEWPARAM(percent(20) ? MK_SHIFT : 0, delta), 0);
         }},
        {"resize", 3,
         [this] {
             const int width = between(0, 1300);
             MoveWindow(windowOf(*app->MainForm), 0, 0, width, between(0, 1100), TRUE);
         }},
        // The memos are editable: a user may wipe the error lines.
        {"clear the errors", 1, [this] {
             SendMessageW(windowOf(*app->MemoError), EM_SETSEL, 0, -1);
             pressKey(windowOf(*app->MemoError), VK_DELETE);
             errorLines = 0;
         }}};

    // One action, then the checks.
    void act() {
        const auto* action = actions;
        for (int roll = between(0, 99); (roll -= std::get<int>(*action)) >= 0;)
            ++action;
        const auto& [name, share, run] = *action;
        SCOPED_TRACE(name);
        run();
        pumpMessages();

        // The box holds a number or one that a further character completes.
        const std::wstring f0 = wideTextOf(edit());
        EXPECT_TRUE(f0.empty() || std::isfinite(completeReal(f0)) ||
                    std::isfinite(completeReal(f0 + L"0")))
            << "the box holds " << testing::PrintToString(f0);
        for (const auto& [bar, number] :
             {std::pair{app->TrackStart, app->EditStart}, std::pair{app->TrackEnd, app->EditEnd}})
            EXPECT_TRUE(textOf(*number).empty() || textOf(*number) == intToText(positionOf(*bar)))
                << textOf(*number);
        EXPECT_EQ(std::exchange(shownBoxes, {}), std::vector<std::string>());
    }

    std::mt19937_64 random; // the same sequence on every compiler and library
    std::size_t errorLines = 0;
};

TEST_F(RandomInputTest, ThousandsOfRandomActionsLeaveTheWindowSound) {
    const char* seedText = std::getenv("RANDOM_INPUT_SEED");
    const char* actionsText = std::getenv("RANDOM_INPUT_ACTIONS");
    const std::uint64_t seed = seedText ? std::strtoull(seedText, nullptr, 0) : 20240611;
    const long actions = actionsText ? std::strtol(actionsText, nullptr, 0) : 2000;
    random.seed(seed);
    std::printf("random input: seed %llu\n", static_cast<unsigned long long>(seed));
    std::fflush(stdout); // a crash tells no seed of its own
    std::array<std::int64_t, 4> base{};
    for (long step = 1; step <= actions && !HasFailure(); ++step) {
        SCOPED_TRACE(testing::Message() << "seed " << seed << ", step " << step);
        act();
        // GDI objects as the toolkit and the system count them, USER objects
        // (Wine counts none) and this thread's windows, children included:
        // they level off once every lazily made tool exists.
        if (step % 250 == 0) {
            std::array<std::int64_t, 4> now{
                liveGdiObjects(), GetGuiResources(GetCurrentProcess(), GR_GDIOBJECTS),
                GetGuiResources(GetCurrentProcess(), GR_USEROBJECTS), 0};
            EnumChildWindows(GetDesktopWindow(), countOwnWindow, reinterpret_cast<LPARAM>(&now[3]));
            base = step == 250 ? now : base;
            for (std::size_t i = 0; i < now.size(); ++i)
                EXPECT_LE(now[i], base[i] + (i < 3 ? 8 : 0))
                    << "GDI objects, system GDI and USER objects, windows from "
                    << testing::PrintToString(base) << " to " << testing::PrintToString(now);
        }
    }
}

} // namespace
