// What a user waits for, the program beside its floor (floor_program.cpp):
// the start to the main window shown, and a later press over the band 0 to
// 250 Hz, from the click until both result lists answer with their lines.
// The two programs alternate in one run, so both meet the same machine; the
// medians and their ratios are printed. A benchmark to run by hand:
//
//   press_bench [rounds] [program.exe floor.exe]
//
// The programs default to vibroiso.exe and vibroiso_floor.exe beside it.
#include "tools/program_window.h"

#include <windows.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cwchar>
#include <string>
#include <vector>

namespace {

using Clock = std::chrono::steady_clock;
constexpr int pressesPerStart = 3;
constexpr int bandLines = 244; // of each list, for the band 0 to 250 and f0 6.0

double millisecondsSince(Clock::time_point start) {
    return std::chrono::duration<double, std::milli>(Clock::now() - start).count();
}

struct Timings {
    std::vector<double> start, press;
};

bool fail(const char* what) {
    std::printf("press_bench: %s\n", what);
    return false;
}

// The click and both lists read back: the lists are filled when they answer.
double timedPress(const ProgramWindow& window) {
    const auto start = Clock::now();
    SendMessageW(window.button, BM_CLICK, 0, 0);
    SendMessageW(window.memoFrequency, WM_GETTEXTLENGTH, 0, 0);
    SendMessageW(window.memoEffect, WM_GETTEXTLENGTH, 0, 0);
    return millisecondsSince(start);
}

bool measure(const std::wstring& program, Timings& timings) {
    std::wstring commandLine = L"\"" + program + L"\"";
    STARTUPINFOW startup{};
    startup.cb = sizeof startup;
    PROCESS_INFORMATION info{};
    const auto started = Clock::now();
    if (!CreateProcessW(nullptr, commandLine.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr,
                        &startup, &info))
        return fail("a program did not start");
    // Shown: the program waits for input with its main window on the screen.
    // Waiting for that takes no round trips that would slow the start down.
    ProgramWindow window;
    if (WaitForInputIdle(info.hProcess, 120000) == 0) {
        const double startMs = millisecondsSince(started);
        if (HWND form = shownMainWindow(info.dwProcessId)) {
            window = locateControls(form);
            timings.start.push_back(startMs);
        }
    }
    bool measured = false;
    if (window.form) {
        if (window.complete()) {
            moveSlider(window.trackStart, 0);
            moveSlider(window.trackEnd, 250);
            timedPress(window); // the first press makes what later ones reuse
            for (int i = 0; i < pressesPerStart; ++i)
                timings.press.push_back(timedPress(window));
            measured = lineCount(windowText(window.memoFrequency)) == bandLines &&
                       lineCount(windowText(window.memoEffect)) == bandLines;
            if (!measured)
                fail("a press did not fill both lists");
        } else {
            fail("the controls of a main window were not found");
        }
        PostMessageW(window.form, WM_CLOSE, 0, 0);
    } else {
        fail("no main window was shown");
    }
    if (WaitForSingleObject(info.hProcess, 30000) != WAIT_OBJECT_0)
        TerminateProcess(info.hProcess, 1);
    CloseHandle(info.hThread);
    CloseHandle(info.hProcess);
    return measured;
}

double median(std::vector<double> values) {
    std::sort(values.begin(), values.end());
    const std::size_t middle = values.size() / 2;
    return values.size() % 2 ? values[middle] : (values[middle - 1] + values[middle]) / 2;
}

std::wstring besideThis(const wchar_t* name) {
    wchar_t path[MAX_PATH] = {};
    GetModuleFileNameW(nullptr, path, MAX_PATH);
    std::wstring folder(path);
    folder.resize(folder.find_last_of(L'\\') + 1);
    return folder + name;
}

} // namespace

int wmain(int argc, wchar_t** argv) {
    seeRealPixels();
    const int rounds =
        argc > 1 ? std::max(1, static_cast<int>(std::wcstol(argv[1], nullptr, 10))) : 15;
    const std::wstring program = argc > 3 ? argv[2] : besideThis(L"vibroiso.exe");
    const std::wstring floor = argc > 3 ? argv[3] : besideThis(L"vibroiso_floor.exe");
    Timings ours, floors;
    for (int round = 0; round < rounds; ++round) {
        // Each goes first in every other round.
        const bool programFirst = round % 2 == 0;
        if (!measure(programFirst ? program : floor, programFirst ? ours : floors) ||
            !measure(programFirst ? floor : program, programFirst ? floors : ours))
            return 1;
    }
    const double startRatio = median(ours.start) / median(floors.start);
    const double pressRatio = median(ours.press) / median(floors.press);
    std::printf("%d rounds; medians in ms  program     floor   ratio  target\n", rounds);
    std::printf("start to window shown     %8.1f  %8.1f  %6.2f    1.15\n", median(ours.start),
                median(floors.start), startRatio);
    std::printf("band 0-250, later press   %8.1f  %8.1f  %6.2f    1.50\n", median(ours.press),
                median(floors.press), pressRatio);
    return 0;
}
