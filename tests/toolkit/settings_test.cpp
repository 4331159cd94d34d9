#include "toolkit_fixture.h"

#include "toolkit/ini_file.h"
#include "toolkit/system.h"
#include "toolkit/wide_text.h"

#include <algorithm>
#include <string>

namespace {

// An INI file in a folder of its own under the temporary folder, both removed.
struct TemporaryFile {
    explicit TemporaryFile(const std::wstring& folderName) {
        wchar_t base[MAX_PATH] = {};
        GetTempPathW(MAX_PATH, base);
        folder = base + (L"toolkit_test_" + std::to_wstring(GetCurrentProcessId()) + folderName);
        CreateDirectoryW(folder.c_str(), nullptr);
        path = folder + L"\\settings.ini";
    }
    ~TemporaryFile() {
        DeleteFileW(path.c_str());
        RemoveDirectoryW(folder.c_str());
    }
    std::wstring folder, path;
};

TEST(IniFileTest, OneCallSavesAndLoadsDependingOnTheMode) {
    TemporaryFile file(L"");
    TObjPtr<TIniFile> ini(newIniFile(file.path));
    ini->section = "Окно";
    EXPECT_EQ(ini->valueInteger("Left", 5), 5); // no file yet: the default

    ini->mode = iniWrite;
    EXPECT_EQ(ini->valueInteger("Left", 120), 120);
    ini->valueInteger("Top", -7);
    ini->valueInteger("Ширина", 300);
    WritePrivateProfileStringW(L"Окно", L"Height", L"abc", file.path.c_str());
    ini->mode = iniRead;
    EXPECT_EQ(ini->valueInteger("Left", 0), 120);
    EXPECT_EQ(ini->valueInteger("Top", 0), -7);
    EXPECT_EQ(ini->valueInteger("Ширина", 0), 300);
    EXPECT_EQ(ini->valueInteger("Height", 55), 0); // not a number
}

// Keeps settings in a folder and reads them back.
int settingsRoundTrip(const std::wstring& folder) {
    TObjPtr<TIniFile> ini(newIniFile(folder + L"settings.ini"));
    ini->section = "Окно";
    ini->mode = iniWrite;
    ini->valueInteger("Left", 321);
    ini->mode = iniRead;
    return ini->valueInteger("Left", 0);
}

// The program run from a folder named outside code page 1251 finds that
// folder and keeps its settings there: this test's program is copied there
// and run with the folder in its environment, and answers with its exit code.
TEST(SystemTest, TheSettingsFolderMayBeNamedOutside1251) {
    wchar_t expected[MAX_PATH] = {};
    if (GetEnvironmentVariableW(L"VIBRO_SETTINGS_FOLDER", expected, MAX_PATH)) {
        EXPECT_EQ(startDirectory(), expected);
        EXPECT_EQ(settingsRoundTrip(startDirectory()), 321);
        return;
    }
    TemporaryFile folder(L"_Jos\u00e9_\u8a2d");
    const std::wstring program = folder.folder + L"\\copy.exe";
    wchar_t self[MAX_PATH] = {};
    GetModuleFileNameW(nullptr, self, MAX_PATH);
    ASSERT_TRUE(CopyFileW(self, program.c_str(), FALSE));
    SetEnvironmentVariableW(L"VIBRO_SETTINGS_FOLDER", (folder.folder + L"\\").c_str());
    std::wstring commandLine =
        L"copy.exe --gtest_filter=SystemTest.TheSettingsFolderMayBeNamedOutside1251";
    STARTUPINFOW startup{};
    startup.cb = sizeof startup;
    PROCESS_INFORMATION info{};
    ASSERT_TRUE(CreateProcessW(program.c_str(), commandLine.data(), nullptr, nullptr, FALSE, 0,
                               nullptr, nullptr, &startup, &info));
    SetEnvironmentVariableW(L"VIBRO_SETTINGS_FOLDER", nullptr);
    DWORD code = 1;
    WaitForSingleObject(info.hProcess, 60000);
    GetExitCodeProcess(info.hProcess, &code);
    CloseHandle(info.hThread);
    CloseHandle(info.hProcess);
    EXPECT_EQ(code, 0u);
    DeleteFileW(program.c_str());
}

// A program's path longer than MAX_PATH is read whole, as the system gives it
// (Wine starts no program from such a folder, and its settings calls stop at
// MAX_PATH: the reading is what is ours).
TEST(SystemTest, TheProgramsFolderMayBeLongerThanMaxPath) {
    static const std::wstring folder =
        L"C:\\" + std::wstring(150, L'x') + L"\\設_" + std::wstring(150, L'y') + L"\\";
    EXPECT_EQ(startDirectory([](wchar_t* buffer, DWORD size) {
                  const std::wstring path = folder + L"vibroiso.exe";
                  path.copy(buffer, size);
                  return std::min(static_cast<DWORD>(path.size()), size);
              }),
              folder);
}

// Its folder is what the settings tests above read.
TEST(SystemTest, TheProgramsPathAndNoParameterPastTheLast) {
    wchar_t path[MAX_PATH] = {};
    GetModuleFileNameW(nullptr, path, MAX_PATH);
    EXPECT_EQ(paramStr(0), fromWideText(path));
    EXPECT_EQ(paramStr(1000) + paramStr(-1), "");
}

} // namespace
