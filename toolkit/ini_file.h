// TIniFile: one integer setting at a time in an INI file; the same call reads
// (with a default) or writes, depending on mode.
#pragma once

#include "toolkit/obj.h"

#include <cstdint>
#include <string>
#include <utility>

class TIniFile : public TObj {
public:
    explicit TIniFile(std::wstring fileName) : fileName(std::move(fileName)) {}

    std::uint8_t mode = 0; // 0 read, 1 write
    std::wstring fileName; // a path stays as the system spells it
    std::string section;

    // Read: the stored number, 0 for a text that is no number, the given
    // value when the key is missing. Write: stores the value and returns it.
    std::int32_t valueInteger(const std::string& key, std::int32_t value);

protected:
    ~TIniFile() override = default;
};

constexpr std::uint8_t iniRead = 0;
constexpr std::uint8_t iniWrite = 1;

TIniFile* newIniFile(const std::wstring& fileName);
