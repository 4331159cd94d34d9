#include "toolkit_fixture.h"

#include "toolkit/control_factory.h"
#include "toolkit/ini_file.h"
#include "toolkit/system.h"
#include "toolkit/wide_text.h"

#include <string>

namespace {

// A folder of its own under the temporary folder, removed with its files.
class TemporaryFolder {
public:
    explicit TemporaryFolder(const std::wstring& name) {
        wchar_t base[MAX_PATH] = {};
        GetTempPathW(MAX_PATH, base);
        path_ =
            std::wstring(base) + L"toolkit_test_" + std::to_wstring(GetCurrentProcessId()) + name;
        CreateDirectoryW(path_.c_str(), nullptr);
    }
    ~TemporaryFolder() {
        for (const std::wstring& file : files_)
            DeleteFileW(file.c_str());
        RemoveDirectoryW(path_.c_str());
    }
    std::wstring file(const std::wstring& name) {
        files_.push_back(path_ + L"\\" + name);
        return files_.back();
    }

private:
    std::wstring path_;
    std::vector<std::wstring> files_;
};

TEST(IniFileTest, OneCallSavesAndLoadsDependingOnTheMode) {
    // é and 設 have no form in code page 1251: the path must not pass through it.
    for (const std::wstring folderName : {L"", L"_Jos\u00e9_\u8a2d"}) {
        SCOPED_TRACE(fromWideText(folderName));
        TemporaryFolder folder(folderName);
        const std::wstring fileName = folder.file(L"settings.ini");
        TObjPtr<TIniFile> ini(newIniFile(fileName));
        ini->section = "Окно";
        EXPECT_EQ(ini->valueInteger("Left", 5), 5); // no file yet: the default

        ini->mode = iniWrite;
        EXPECT_EQ(ini->valueInteger("Left", 120), 120);
        ini->valueInteger("Top", -7);
        ini->valueInteger("Ширина", 300);
        WritePrivateProfileStringW(L"Окно", L"Height", L"abc", fileName.c_str());
        EXPECT_NE(GetFileAttributesW(fileName.c_str()), INVALID_FILE_ATTRIBUTES);

        ini->mode = iniRead;
        EXPECT_EQ(ini->valueInteger("Left", 0), 120);
        EXPECT_EQ(ini->valueInteger("Top", 0), -7);
        EXPECT_EQ(ini->valueInteger("Ширина", 0), 300);
        EXPECT_EQ(ini->valueInteger("Height", 55), 0); // not a number
        EXPECT_EQ(ini->valueInteger("Missing", 99), 99);
        ini->section = "";
        EXPECT_EQ(ini->valueInteger("Left", 11), 11);
    }
}

TEST(UtilitiesTest, ProgramPathAndStartDirectory) {
    wchar_t path[MAX_PATH] = {};
    GetModuleFileNameW(nullptr, path, MAX_PATH);
    EXPECT_EQ(paramStr(0), fromWideText(path));
    const std::wstring directory = startDirectory();
    ASSERT_FALSE(directory.empty());
    EXPECT_EQ(directory.back(), L'\\');
    const std::wstring program = path;
    EXPECT_EQ(program.rfind(directory, 0), 0u);
    EXPECT_EQ(program.find(L'\\', directory.size()), std::wstring::npos);
    EXPECT_EQ(paramStr(1000), "");
    EXPECT_EQ(paramStr(-1), "");
    EXPECT_GE(windowsVersion(), 3); // Wine reports an NT system
}

class AlphaBlendTest : public ToolkitTest {};

TEST_F(AlphaBlendTest, TranslucencyMakesTheWindowLayeredAndOpaqueUndoesIt) {
    makeAppletAndForm();
    setAlphaBlend(*form, 255); // unchanged: nothing to do, no window made
    EXPECT_EQ(form->handle, nullptr);
    setAlphaBlend(*form, 128);
    ASSERT_NE(form->handle, nullptr);
    EXPECT_TRUE(GetWindowLongPtrW(form->handle, GWL_EXSTYLE) & WS_EX_LAYERED);
    BYTE alpha = 0;
    DWORD flags = 0;
    ASSERT_TRUE(GetLayeredWindowAttributes(form->handle, nullptr, &alpha, &flags));
    EXPECT_EQ(alpha, 128);
    EXPECT_EQ(form->alphaBlend, 128);
    setAlphaBlend(*form, 255);
    EXPECT_FALSE(GetWindowLongPtrW(form->handle, GWL_EXSTYLE) & WS_EX_LAYERED);
}

} // namespace
