#include "toolkit/text_codec.h"

#include <windows.h>

std::wstring toWideText(std::string_view text) {
    if (text.empty())
        return {};
    const int size = static_cast<int>(text.size());
    const int wideSize = MultiByteToWideChar(cyrillicCodePage, 0, text.data(), size, nullptr, 0);
    std::wstring result(static_cast<std::size_t>(wideSize), L'\0');
    MultiByteToWideChar(cyrillicCodePage, 0, text.data(), size, result.data(), wideSize);
    return result;
}

std::string fromWideText(std::wstring_view text) {
    if (text.empty())
        return {};
    const int size = static_cast<int>(text.size());
    const int narrowSize =
        WideCharToMultiByte(cyrillicCodePage, 0, text.data(), size, nullptr, 0, nullptr, nullptr);
    std::string result(static_cast<std::size_t>(narrowSize), '\0');
    WideCharToMultiByte(cyrillicCodePage, 0, text.data(), size, result.data(), narrowSize, nullptr,
                        nullptr);
    return result;
}

wchar_t toWideChar(char c) {
    wchar_t wide = 0;
    MultiByteToWideChar(cyrillicCodePage, 0, &c, 1, &wide, 1);
    return wide;
}

char fromWideChar(wchar_t c) {
    char narrow = 0;
    WideCharToMultiByte(cyrillicCodePage, 0, &c, 1, &narrow, 1, nullptr, nullptr);
    return narrow;
}
