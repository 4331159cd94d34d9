#include "toolkit_fixture.h"

#include "toolkit/ini_file.h"
#include "toolkit/system.h"
#include "toolkit/wide_text.h"

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
    // é and 設 have no form in code page 1251: the path must not pass through it.
    for (const std::wstring folderName : {L"", L"_Jos\u00e9_\u8a2d"}) {
        SCOPED_TRACE(fromWideText(folderName));
        TemporaryFile file(folderName);
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
        EXPECT_EQ(ini->valueInteger("Missing", 99), 99);
    }
}

TEST(SystemTest, TheProgramsPathAndItsFolderAndNoParameterPastTheLast) {
    wchar_t path[MAX_PATH] = {};
    GetModuleFileNameW(nullptr, path, MAX_PATH);
    const std::wstring program = path;
    EXPECT_EQ(paramStr(0), fromWideText(program));
    EXPECT_EQ(startDirectory(), program.substr(0, program.rfind(L'\\') + 1));
    EXPECT_EQ(paramStr(1000) + paramStr(-1), "");
}

} // namespace
