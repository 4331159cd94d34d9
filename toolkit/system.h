// What the toolkit asks of the system: the program's folder and parameters,
// the Windows version, window transparency.
#pragma once

#include "toolkit/control.h"

#include <cstdint>
#include <string>

// The folder of the program file, with its final backslash. Wide, as the
// system gives it: a folder name outside code page 1251 must still lead to
// the files there.
std::wstring startDirectory();
// The same of a path read as GetModuleFileNameW reads it: cut to the buffer,
// answering the buffer's size, when the buffer is too small.
using TModuleNameReader = DWORD (*)(wchar_t* buffer, DWORD size);
std::wstring startDirectory(TModuleNameReader read);
// A user32 function that older systems lack, or nil.
template <class Function> Function* user32Function(const char* name) {
    return reinterpret_cast<Function*>(
        reinterpret_cast<void*>(GetProcAddress(GetModuleHandleW(L"user32.dll"), name)));
}
// 255 is opaque; other values make the window layered with that alpha.
void setAlphaBlend(TControl& control, std::uint8_t alpha);
std::uint8_t windowsVersion();
// 0: the program's path; i >= 1: token i of the command line.
std::string paramStr(std::int32_t index);
