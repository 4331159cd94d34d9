// The real program started under its own process: the "/ih" switch and a
// normal start and close.
#include <gtest/gtest.h>

#include <windows.h>

#include <cwchar>
#include <string>

namespace {

constexpr DWORD patience = 15000; // milliseconds for a Wine process start
const std::wstring mainCaption = L"График эффективности виброизоляции, дБ";
const std::wstring infoCaption = L"О программе";

// A shown top-level window of the process with the caption.
HWND windowOfProcess(DWORD processId, const std::wstring& caption) {
    HWND window = nullptr;
    while ((window = FindWindowExW(nullptr, window, nullptr, caption.c_str()))) {
        DWORD owner = 0;
        GetWindowThreadProcessId(window, &owner);
        if (owner == processId && IsWindowVisible(window))
            return window;
    }
    return nullptr;
}

struct Outcome {
    bool shown = false, sawMain = false;
    long exitCode = -1; // -1: it did not end in time
};

// Starts vibroiso.exe beside the test with the arguments, waits until a
// window with the caption shows, posts it the message and waits for the end.
Outcome runProgram(const std::wstring& arguments, const std::wstring& caption, UINT message,
                   WPARAM wParam) {
    wchar_t path[MAX_PATH] = {};
    GetModuleFileNameW(nullptr, path, MAX_PATH);
    *std::wcsrchr(path, L'\\') = L'\0';
    std::wstring commandLine = L"\"" + std::wstring(path) + L"\\vibroiso.exe\" " + arguments;
    STARTUPINFOW startup{};
    startup.cb = sizeof startup;
    PROCESS_INFORMATION info{};
    Outcome outcome;
    if (!CreateProcessW(nullptr, commandLine.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr,
                        &startup, &info))
        return outcome;
    HWND window = nullptr;
    for (DWORD waited = 0; !window && waited < patience; waited += 20) {
        outcome.sawMain = outcome.sawMain || windowOfProcess(info.dwProcessId, mainCaption);
        window = windowOfProcess(info.dwProcessId, caption);
        if (!window && WaitForSingleObject(info.hProcess, 20) != WAIT_TIMEOUT)
            break;
    }
    outcome.shown = window != nullptr;
    DWORD code = 0;
    if (window && PostMessageW(window, message, wParam, 0) &&
        WaitForSingleObject(info.hProcess, patience) == WAIT_OBJECT_0 &&
        GetExitCodeProcess(info.hProcess, &code))
        outcome.exitCode = static_cast<long>(code);
    TerminateProcess(info.hProcess, 1); // fails harmlessly once it has ended
    WaitForSingleObject(info.hProcess, patience);
    CloseHandle(info.hThread);
    CloseHandle(info.hProcess);
    return outcome;
}

// Only "/ih" exactly shows the information box, and the main window never;
// any other argument starts the program. Either ends with code 0.
TEST(ProgramTest, TheInformationSwitchShowsTheBoxAndAnyOtherArgumentTheProgram) {
    const struct {
        const wchar_t* arguments;
        bool information;
    } starts[] = {{L"/ih", true}, {L"/IH", false}, {L"/ihx", false}, {L"x /ih", false}};
    for (const auto& start : starts) {
        SCOPED_TRACE(testing::PrintToString(std::wstring(start.arguments)));
        const Outcome outcome = start.information
                                    ? runProgram(start.arguments, infoCaption, WM_COMMAND, IDOK)
                                    : runProgram(start.arguments, mainCaption, WM_CLOSE, 0);
        EXPECT_TRUE(outcome.shown);
        EXPECT_EQ(outcome.sawMain, !start.information);
        EXPECT_EQ(outcome.exitCode, 0);
    }
}

} // namespace
