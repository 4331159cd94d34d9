// Drives the running program through real window messages, as a person
// would: types the natural frequency, moves the two sliders, presses the
// button and prints the two result lists. Used by scripts/run.sh on a
// virtual display; also reports how long the start and a full band take.
//
//   vibroiso_driver drive <program.exe>   starts the program, runs the band
//                                         0 to 250 and the worked example,
//                                         prints "WINDOW x y width height"
//   vibroiso_driver close                 closes the program, waits for it
//                                         and exits with its exit code
#include "tools/program_window.h"

#include <windows.h>

#include <chrono>
#include <cstdio>
#include <string>

namespace {

constexpr int waitSteps = 2400; // of 50 ms: two minutes for a cold, emulated Wine start

using Clock = std::chrono::steady_clock;

double millisecondsSince(Clock::time_point start) {
    return std::chrono::duration<double, std::milli>(Clock::now() - start).count();
}

void print(const std::string& text) {
    std::fwrite(text.data(), 1, text.size(), stdout);
    std::fflush(stdout);
}

HWND waitForMainWindow() {
    for (int i = 0; i < waitSteps; ++i) {
        if (HWND window = shownMainWindow())
            return window;
        Sleep(50);
    }
    return nullptr;
}

// Presses the button; the whole run happens inside the click, so the send
// returns when the lists are filled.
double pressMilliseconds(HWND button) {
    const auto start = Clock::now();
    SendMessageW(button, BM_CLICK, 0, 0);
    return millisecondsSince(start);
}

int drive(const wchar_t* program) {
    std::wstring commandLine = std::wstring(L"\"") + program + L"\"";
    STARTUPINFOW startup{};
    startup.cb = sizeof startup;
    PROCESS_INFORMATION info{};
    const auto started = Clock::now();
    if (!CreateProcessW(nullptr, commandLine.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr,
                        &startup, &info)) {
        print("driver: the program did not start\n");
        return 1;
    }
    // Shown: the program waits for input with its window on the screen.
    WaitForInputIdle(info.hProcess, waitSteps * 50);
    CloseHandle(info.hThread);
    CloseHandle(info.hProcess);
    HWND form = waitForMainWindow();
    if (!form) {
        print("driver: no window of the program\n");
        return 1;
    }
    const double startMs = millisecondsSince(started);
    const ProgramWindow window = locateControls(form);
    if (!window.complete()) {
        print("driver: the window's controls were not found\n");
        return 1;
    }

    // The widest band first, for the timing.
    moveSlider(window.trackStart, 0);
    moveSlider(window.trackEnd, 250);
    const double bandMs = pressMilliseconds(window.button);
    const int bandFrequencies = lineCount(windowText(window.memoFrequency));
    const int bandEffects = lineCount(windowText(window.memoEffect));

    // The worked example, left on screen.
    typeText(window.naturalFrequency, L"6.0");
    moveSlider(window.trackStart, 2);
    moveSlider(window.trackEnd, 12);
    pressMilliseconds(window.button);

    print("Natural frequency: " + toUtf8(windowText(window.naturalFrequency)) + " Hz\n");
    print("Frequencies, Hz:\n" + toUtf8(windowText(window.memoFrequency)) + "\n");
    print("Efficiency, dB:\n" + toUtf8(windowText(window.memoEffect)) + "\n");
    char timing[256];
    std::snprintf(timing, sizeof timing,
                  "Start to window shown: %.0f ms\n"
                  "Band 0 to 250 (%d and %d lines): %.0f ms from the click to the lists filled\n",
                  startMs, bandFrequencies, bandEffects, bandMs);
    print(timing);

    RedrawWindow(form, nullptr, nullptr, RDW_INVALIDATE | RDW_ALLCHILDREN | RDW_UPDATENOW);
    RECT rect{};
    GetWindowRect(form, &rect);
    std::snprintf(timing, sizeof timing, "WINDOW %ld %ld %ld %ld\n", rect.left, rect.top,
                  rect.right - rect.left, rect.bottom - rect.top);
    print(timing);
    return 0;
}

int close() {
    HWND form = shownMainWindow();
    if (!form) {
        print("driver: no window to close\n");
        return 1;
    }
    DWORD processId = 0;
    GetWindowThreadProcessId(form, &processId);
    HANDLE process = OpenProcess(SYNCHRONIZE | PROCESS_QUERY_INFORMATION, FALSE, processId);
    PostMessageW(form, WM_CLOSE, 0, 0);
    if (!process)
        return 0;
    DWORD code = 1;
    if (WaitForSingleObject(process, 30000) == WAIT_OBJECT_0)
        GetExitCodeProcess(process, &code);
    CloseHandle(process);
    char text[64];
    std::snprintf(text, sizeof text, "Program exit code: %lu\n", code);
    print(text);
    return static_cast<int>(code);
}

} // namespace

int wmain(int argc, wchar_t** argv) {
    seeRealPixels();
    const std::wstring mode = argc > 1 ? argv[1] : L"";
    if (mode == L"drive" && argc > 2)
        return drive(argv[2]);
    if (mode == L"close")
        return close();
    print("usage: vibroiso_driver drive <program.exe> | close\n");
    return 2;
}
