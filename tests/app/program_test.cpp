// The real program started under its own process: the "/ih" switch and a
// normal start and close.
#include <gtest/gtest.h>

#include <windows.h>

#include <string>

namespace {

constexpr DWORD patience = 15000; // milliseconds for a Wine process start
const std::wstring mainCaption = L"График эффективности виброизоляции, дБ";
const std::wstring infoCaption = L"О программе";

std::wstring programPath() {
    wchar_t path[MAX_PATH] = {};
    GetModuleFileNameW(nullptr, path, MAX_PATH);
    std::wstring folder(path);
    folder.resize(folder.find_last_of(L'\\') + 1);
    return folder + L"vibroiso.exe";
}

struct Search {
    DWORD processId;
    const std::wstring* caption;
    HWND found = nullptr;
};

BOOL CALLBACK matchWindow(HWND window, LPARAM parameter) {
    auto& search = *reinterpret_cast<Search*>(parameter);
    DWORD owner = 0;
    GetWindowThreadProcessId(window, &owner);
    wchar_t text[128] = {};
    GetWindowTextW(window, text, 128);
    if (owner == search.processId && *search.caption == text && IsWindowVisible(window)) {
        search.found = window;
        return FALSE;
    }
    return TRUE;
}

HWND windowOfProcess(DWORD processId, const std::wstring& caption) {
    Search search{processId, &caption};
    EnumWindows(matchWindow, reinterpret_cast<LPARAM>(&search));
    return search.found;
}

class Program {
public:
    explicit Program(const std::wstring& arguments) {
        std::wstring commandLine = L"\"" + programPath() + L"\" " + arguments;
        STARTUPINFOW startup{};
        startup.cb = sizeof startup;
        started_ = CreateProcessW(nullptr, commandLine.data(), nullptr, nullptr, FALSE, 0, nullptr,
                                  nullptr, &startup, &info_);
    }
    ~Program() {
        if (!started_)
            return;
        if (WaitForSingleObject(info_.hProcess, 0) == WAIT_TIMEOUT) {
            TerminateProcess(info_.hProcess, 1);
            WaitForSingleObject(info_.hProcess, patience);
        }
        CloseHandle(info_.hThread);
        CloseHandle(info_.hProcess);
    }
    Program(const Program&) = delete;
    Program& operator=(const Program&) = delete;

    bool started() const { return started_; }
    // Waits on the process until a window with the caption shows, or it ends.
    HWND waitForWindow(const std::wstring& caption, bool& sawMain) {
        for (DWORD waited = 0; waited < patience; waited += 20) {
            if (windowOfProcess(info_.dwProcessId, mainCaption))
                sawMain = true;
            if (HWND window = windowOfProcess(info_.dwProcessId, caption))
                return window;
            if (WaitForSingleObject(info_.hProcess, 20) != WAIT_TIMEOUT)
                return nullptr;
        }
        return nullptr;
    }
    // The exit code, or -1 when the process did not end in time.
    long exitCode() {
        if (WaitForSingleObject(info_.hProcess, patience) != WAIT_OBJECT_0)
            return -1;
        DWORD code = 0;
        GetExitCodeProcess(info_.hProcess, &code);
        return static_cast<long>(code);
    }

private:
    PROCESS_INFORMATION info_{};
    bool started_ = false;
};

TEST(ProgramTest, TheInformationSwitchShowsTheBoxAndNoMainWindow) {
    Program program(L"/ih");
    ASSERT_TRUE(program.started());
    bool sawMain = false;
    HWND box = program.waitForWindow(infoCaption, sawMain);
    ASSERT_NE(box, nullptr);
    EXPECT_FALSE(sawMain);
    PostMessageW(box, WM_COMMAND, IDOK, 0);
    EXPECT_EQ(program.exitCode(), 0);
}

TEST(ProgramTest, AnyOtherArgumentStartsTheProgramAndClosingEndsIt) {
    for (const wchar_t* arguments : {L"/IH", L"/ihx", L"x /ih"}) {
        Program program(arguments);
        ASSERT_TRUE(program.started());
        bool sawMain = false;
        HWND form = program.waitForWindow(mainCaption, sawMain);
        ASSERT_NE(form, nullptr) << arguments;
        PostMessageW(form, WM_CLOSE, 0, 0);
        EXPECT_EQ(program.exitCode(), 0) << arguments;
    }
}

} // namespace
