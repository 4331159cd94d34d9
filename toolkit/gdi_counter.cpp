#include "toolkit/gdi_counter.h"

std::int32_t gdiObjectCounter = 0;

std::int32_t liveGdiObjects() {
    return gdiObjectCounter;
}

void deleteGdiObject(HGDIOBJ handle) {
    if (handle && DeleteObject(handle))
        --gdiObjectCounter;
}

HDC createMemoryDC(HDC compatibleWith) {
    return countGdiObject(CreateCompatibleDC(compatibleWith));
}

void deleteMemoryDC(HDC dc) {
    if (dc && DeleteDC(dc))
        --gdiObjectCounter;
}
