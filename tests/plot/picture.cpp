#include "picture.h"

namespace {

// Gaps between the characters of one label are narrower than this.
constexpr int labelGap = 3;

std::vector<Span> runs(const std::vector<bool>& marked, int origin) {
    std::vector<Span> result;
    for (int i = 0; i < static_cast<int>(marked.size()); ++i) {
        if (!marked[i])
            continue;
        if (!result.empty() && result.back().last >= origin + i - labelGap)
            result.back().last = origin + i;
        else
            result.push_back({origin + i, origin + i});
    }
    return result;
}

} // namespace

std::vector<Span> labelColumns(HDC dc, RECT band) {
    std::vector<bool> marked(band.right - band.left);
    for (int x = band.left; x < band.right; ++x)
        for (int y = band.top; y < band.bottom && !marked[x - band.left]; ++y)
            marked[x - band.left] = isBluish(GetPixel(dc, x, y));
    return runs(marked, band.left);
}

std::vector<Span> labelRows(HDC dc, RECT band) {
    std::vector<bool> marked(band.bottom - band.top);
    for (int y = band.top; y < band.bottom; ++y)
        for (int x = band.left; x < band.right && !marked[y - band.top]; ++x)
            marked[y - band.top] = isBluish(GetPixel(dc, x, y));
    return runs(marked, band.top);
}

int countOnColumn(HDC dc, int x, int firstY, int lastY, COLORREF color) {
    int n = 0;
    for (int y = firstY; y <= lastY; ++y)
        n += GetPixel(dc, x, y) == color;
    return n;
}

int countOnRow(HDC dc, int y, int firstX, int lastX, COLORREF color) {
    int n = 0;
    for (int x = firstX; x <= lastX; ++x)
        n += GetPixel(dc, x, y) == color;
    return n;
}

bool anyIn(HDC dc, RECT area, COLORREF color) {
    for (int y = area.top; y < area.bottom; ++y)
        for (int x = area.left; x < area.right; ++x)
            if (GetPixel(dc, x, y) == color)
                return true;
    return false;
}
