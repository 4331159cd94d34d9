#include "visual/form_position.h"

#include "toolkit/ini_file.h"
#include "toolkit/system.h"
#include "toolkit/wide_text.h"

#include <string_view>

namespace {

constexpr std::string_view iniMarker = ".ini\\";

std::wstring registryPath(const std::string& key) {
    return L"Software\\" + toWideText(key);
}

void writeNumber(HKEY key, const wchar_t* name, std::int32_t value) {
    const auto data = static_cast<DWORD>(value);
    RegSetValueExW(key, name, 0, REG_DWORD, reinterpret_cast<const BYTE*>(&data), sizeof data);
}

bool readNumber(HKEY key, const wchar_t* name, std::int32_t& value) {
    DWORD data = 0;
    DWORD size = sizeof data;
    DWORD type = 0;
    if (RegQueryValueExW(key, name, nullptr, &type, reinterpret_cast<BYTE*>(&data), &size) !=
            ERROR_SUCCESS ||
        size != sizeof data)
        return false;
    value = static_cast<std::int32_t>(data);
    return true;
}

RECT clientRect(TControl& control) {
    RECT rect{};
    GetClientRect(control.getHandle(), &rect);
    return rect;
}

} // namespace

std::int32_t clientWidth(TControl& control) {
    return clientRect(control).right;
}

std::int32_t clientHeight(TControl& control) {
    return clientRect(control).bottom;
}

void setClientWidth(TControl& control, std::int32_t width) {
    control.setSize(control.width() + width - clientWidth(control), 0);
}

void setClientHeight(TControl& control, std::int32_t height) {
    control.setSize(0, control.height() + height - clientHeight(control));
}

void saveFormPositionToRegistry(TControl& form, const std::string& key) {
    HKEY opened = nullptr;
    if (RegCreateKeyExW(HKEY_CURRENT_USER, registryPath(key).c_str(), 0, nullptr, 0, KEY_ALL_ACCESS,
                        nullptr, &opened, nullptr) != ERROR_SUCCESS)
        return;
    writeNumber(opened, L"Left", form.left());
    writeNumber(opened, L"Top", form.top());
    writeNumber(opened, L"Height", clientHeight(form));
    writeNumber(opened, L"Width", clientWidth(form));
    RegCloseKey(opened);
}

void loadFormPositionFromRegistry(TControl& form, const std::string& key) {
    HKEY opened = nullptr;
    if (RegOpenKeyExW(HKEY_CURRENT_USER, registryPath(key).c_str(), 0, KEY_READ, &opened) !=
        ERROR_SUCCESS)
        return;
    std::int32_t value = 0;
    if (readNumber(opened, L"Left", value))
        form.setPosition(value, form.top());
    if (readNumber(opened, L"Top", value))
        form.setPosition(form.left(), value);
    if (readNumber(opened, L"Height", value))
        setClientHeight(form, value);
    if (readNumber(opened, L"Width", value))
        setClientWidth(form, value);
    RegCloseKey(opened);
}

namespace {

void exchangeWithIni(TControl& form, const std::string& positionKey, std::uint8_t mode) {
    const std::size_t marker = positionKey.find(iniMarker);
    if (marker == std::string::npos)
        return;
    TObjPtr<TIniFile> file(newIniFile(
        startDirectory() + toWideText(positionKey.substr(0, marker + iniMarker.size() - 1))));
    file->mode = mode;
    file->section = positionKey.substr(marker + iniMarker.size());
    const std::int32_t left = file->valueInteger("Left", form.left());
    const std::int32_t top = file->valueInteger("Top", form.top());
    const std::int32_t width = file->valueInteger("Width", clientWidth(form));
    const std::int32_t height = file->valueInteger("Height", clientHeight(form));
    if (mode == iniWrite)
        return;
    form.setPosition(left, top);
    setClientWidth(form, width);
    setClientHeight(form, height);
}

} // namespace

void saveFormPositionToIni(TControl& form, const std::string& positionKey) {
    exchangeWithIni(form, positionKey, iniWrite);
}

void loadFormPositionFromIni(TControl& form, const std::string& positionKey) {
    exchangeWithIni(form, positionKey, iniRead);
}
