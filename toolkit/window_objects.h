// Which control object a window of ours belongs to. The window carries it in
// its "SELF_" property too, for whoever looks from outside.
#pragma once

#include <windows.h>

class TControl;

// The window property that leads from a window to its object.
constexpr wchar_t selfProperty[] = L"SELF_";

// The object of a window of ours, or nil.
TControl* controlOfWindow(HWND window);
// Leads the window to its object, and forgets that again.
void bindWindow(HWND window, TControl* control);
void unbindWindow(HWND window);
