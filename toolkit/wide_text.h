// The one place where the program's code-page-1251 text meets the UTF-16 of
// the wide Win32 calls. 1251 is single-byte, so character positions agree.
#pragma once

#include <string>
#include <string_view>

constexpr unsigned cyrillicCodePage = 1251;
// What a character without an exact 1251 form becomes. No number reader and
// no formula accepts it, so "é" never passes for "e", nor a full-width digit
// for a digit.
constexpr char unmappableChar = '?';

// The character set a font for our text asks for. The text is 1251 whatever
// the system's code page, so "the system's default" (1) becomes Cyrillic;
// any other set named is kept.
unsigned char fontCharsetFor(unsigned char charset);

std::wstring toWideText(std::string_view text);
std::string fromWideText(std::wstring_view text);
// One character each way, for character messages.
wchar_t toWideChar(char c);
char fromWideChar(wchar_t c);
