// The real program started under its own process: the "/ih" switch and a
// normal start and close.
#include <gtest/gtest.h>

#include <windows.h>

#include <cwchar>
#include <string>

namespace {

// Milliseconds for a Wine process start; a 32-bit one that runs only under
// emulation (the test script says so) may take a minute.
const DWORD patience = [] {
    wchar_t mode[16] = {};
    const bool emulated = sizeof(void*) == 4 && GetEnvironmentVariableW(L"VIBRO_32BIT", mode, 16) &&
                          std::wcscmp(mode, L"emulated") == 0;
    return emulated ? 120000u : 15000u;
}();
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

// Only "/ih" exactly shows the information box, and the main window never;
// any other argument starts the program. Either ends with code 0 once its
// window is closed.
TEST(ProgramTest, TheInformationSwitchShowsTheBoxAndAnyOtherArgumentTheProgram) {
    wchar_t folder[MAX_PATH] = {};
    GetModuleFileNameW(nullptr, folder, MAX_PATH);
    *std::wcsrchr(folder, L'\\') = L'\0';
    const struct {
        const wchar_t* arguments;
        bool information;
    } starts[] = {{L"/ih", true}, {L"/IH", false}, {L"/ihx", false}, {L"x /ih", false}};
    for (const auto& start : starts) {
        SCOPED_TRACE(testing::PrintToString(std::wstring(start.arguments)));
        std::wstring commandLine =
            L"\"" + std::wstring(folder) + L"\\vibroiso.exe\" " + start.arguments;
        STARTUPINFOW startup{};
        startup.cb = sizeof startup;
        PROCESS_INFORMATION info{};
        ASSERT_TRUE(CreateProcessW(nullptr, commandLine.data(), nullptr, nullptr, FALSE, 0, nullptr,
                                   nullptr, &startup, &info));
        HWND window = nullptr;
        bool sawMain = false;
        for (DWORD waited = 0; !window && waited < patience; waited += 20) {
            // Looked for after the window, so that a main window found is one seen.
            window =
                windowOfProcess(info.dwProcessId, start.information ? infoCaption : mainCaption);
            sawMain = sawMain || windowOfProcess(info.dwProcessId, mainCaption);
            if (!window && WaitForSingleObject(info.hProcess, 20) != WAIT_TIMEOUT)
                break;
        }
        EXPECT_TRUE(window) << "no window shown";
        EXPECT_EQ(sawMain, !start.information);
        DWORD code = 0;
        EXPECT_TRUE(window &&
                    PostMessageW(window, start.information ? WM_COMMAND : WM_CLOSE,
                                 start.information ? IDOK : 0, 0) &&
                    WaitForSingleObject(info.hProcess, patience) == WAIT_OBJECT_0 &&
                    GetExitCodeProcess(info.hProcess, &code) && code == 0)
            << "no end with code 0 (" << code << ")";
        TerminateProcess(info.hProcess, 1); // fails harmlessly once it has ended
        WaitForSingleObject(info.hProcess, patience);
        CloseHandle(info.hThread);
        CloseHandle(info.hProcess);
    }
}

} // namespace
