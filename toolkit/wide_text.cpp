#include "toolkit/wide_text.h"

#include <windows.h>

namespace {

// Without best fit: a character is either itself or unmappableChar.
int toCyrillic(const wchar_t* text, int size, char* out, int outSize) {
    static constexpr char defaultChar[] = {unmappableChar, '\0'};
    return WideCharToMultiByte(cyrillicCodePage, WC_NO_BEST_FIT_CHARS, text, size, out, outSize,
                               defaultChar, nullptr);
}

} // namespace

unsigned char fontCharsetFor(unsigned char charset) {
    return charset == DEFAULT_CHARSET ? RUSSIAN_CHARSET : charset;
}

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
    const int narrowSize = toCyrillic(text.data(), size, nullptr, 0);
    std::string result(static_cast<std::size_t>(narrowSize), '\0');
    toCyrillic(text.data(), size, result.data(), narrowSize);
    return result;
}

wchar_t toWideChar(char c) {
    wchar_t wide = 0;
    MultiByteToWideChar(cyrillicCodePage, 0, &c, 1, &wide, 1);
    return wide;
}

char fromWideChar(wchar_t c) {
    char narrow = 0;
    toCyrillic(&c, 1, &narrow, 1);
    return narrow;
}
