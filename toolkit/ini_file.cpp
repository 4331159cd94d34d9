#include "toolkit/ini_file.h"

#include "runtime/number_text.h"
#include "toolkit/wide_text.h"

#include <windows.h>

namespace {

// The profile functions keep a new file in the machine's ANSI code page,
// which loses Cyrillic section and key names on most systems; a file that
// starts with the UTF-16 byte-order mark is kept in UTF-16 instead.
void createUnicodeFile(const std::wstring& fileName) {
    HANDLE file = CreateFileW(fileName.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_NEW,
                              FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file == INVALID_HANDLE_VALUE)
        return; // exists already, or cannot be made: the write reports nothing either way
    const unsigned char byteOrderMark[2] = {0xFF, 0xFE};
    DWORD written = 0;
    WriteFile(file, byteOrderMark, sizeof byteOrderMark, &written, nullptr);
    CloseHandle(file);
}

} // namespace

std::int32_t TIniFile::valueInteger(const std::string& key, std::int32_t value) {
    const std::wstring wideSection = toWideText(section);
    const std::wstring wideKey = toWideText(key);
    if (mode == iniRead)
        return static_cast<std::int32_t>(
            GetPrivateProfileIntW(wideSection.c_str(), wideKey.c_str(), value, fileName.c_str()));
    createUnicodeFile(fileName);
    WritePrivateProfileStringW(wideSection.c_str(), wideKey.c_str(),
                               toWideText(intToText(value)).c_str(), fileName.c_str());
    return value;
}

TIniFile* newIniFile(const std::wstring& fileName) {
    return new TIniFile(fileName);
}
