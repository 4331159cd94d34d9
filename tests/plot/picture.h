// Reading the plotter's picture back: colours of pixels, and the labels as
// clusters of text-coloured pixels.
#pragma once

#include <windows.h>

#include <algorithm>
#include <cstdint>
#include <vector>

constexpr COLORREF black = RGB(0, 0, 0);
constexpr COLORREF silver = RGB(0xC0, 0xC0, 0xC0);
constexpr COLORREF blue = RGB(0, 0, 0xFF);
constexpr COLORREF red = RGB(0xFF, 0, 0);

// Text is drawn in blue; smoothing may blend its edges with the background.
inline bool isBluish(COLORREF c) {
    const int r = GetRValue(c), g = GetGValue(c), b = GetBValue(c);
    return b - std::max(r, g) > 60;
}

struct Span {
    int first;
    int last;
    int centre() const { return (first + last) / 2; }
};

// Runs of columns (rows) within the band that hold a bluish pixel, the
// characters of one label taken together.
std::vector<Span> labelColumns(HDC dc, RECT band);
std::vector<Span> labelRows(HDC dc, RECT band);
// How many pixels of the colour lie on the column (row) between first and last.
int countOnColumn(HDC dc, int x, int firstY, int lastY, COLORREF color);
int countOnRow(HDC dc, int y, int firstX, int lastX, COLORREF color);
// Any pixel of the colour in the rectangle.
bool anyIn(HDC dc, RECT area, COLORREF color);
