// Every GDI object and memory DC the toolkit makes or deletes goes through
// these, so the number it holds is always at hand (the system's own count is
// not available everywhere the program runs).
#pragma once

#include <windows.h>

#include <cstdint>

// GDI objects and memory DCs made through the toolkit and not yet deleted.
std::int32_t liveGdiObjects();

extern std::int32_t gdiObjectCounter;

// Counts a handle just made (or taken over from elsewhere); nil is not counted.
template <class Handle> Handle countGdiObject(Handle handle) {
    if (handle)
        ++gdiObjectCounter;
    return handle;
}

// DeleteObject of a counted handle; nil is ignored.
void deleteGdiObject(HGDIOBJ handle);
// CreateCompatibleDC / DeleteDC, counted.
HDC createMemoryDC(HDC compatibleWith);
void deleteMemoryDC(HDC dc);
