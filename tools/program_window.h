// The running program seen from outside, through window messages only: its
// main window, the controls a person uses (found by their fixed places) and
// what a person does with them. Shared by the driver and the press benchmark.
#pragma once

#include <windows.h>

#include <string>

inline const wchar_t* const mainCaption = L"График эффективности виброизоляции, дБ";

struct ProgramWindow {
    HWND form = nullptr;
    HWND naturalFrequency = nullptr;
    HWND button = nullptr;
    HWND trackStart = nullptr;
    HWND trackEnd = nullptr;
    HWND memoFrequency = nullptr;
    HWND memoEffect = nullptr;
    HWND memoError = nullptr;

    bool complete() const;
};

// Makes this process see the program's windows in real pixels, as the program
// itself (aware of the display scale) places them.
void seeRealPixels();
// The controls of a main window, found by the top left corners of the layout
// at the window's resolution.
ProgramWindow locateControls(HWND form);
// The shown top-level window with the main caption, of one process or
// (processId 0) of any.
HWND shownMainWindow(DWORD processId = 0);

std::wstring windowText(HWND window);
int lineCount(const std::wstring& text);
// Moves a slider and tells its parent, as a drag that ends there does.
void moveSlider(HWND slider, int position);
void typeText(HWND edit, const wchar_t* text);
std::string toUtf8(const std::wstring& text);
