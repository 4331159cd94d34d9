#include "plot/plot_layout.h"

#include "runtime/number_text.h"

#include <algorithm>

namespace {

// Far beyond any window, yet safe for the drawing calls: a point off at
// infinity still leaves the visible part of a line where it belongs.
constexpr long double pixelLimit = 1 << 27;

std::int32_t toPixel(long double v) {
    if (!(v > -pixelLimit)) // NaN too
        v = -pixelLimit;
    else if (v > pixelLimit)
        v = pixelLimit;
    return static_cast<std::int32_t>(std::llrint(v));
}

double orOne(double range) {
    return range == 0.0 ? 1.0 : range;
}

} // namespace

TPixel TPlotMapping::map(double x, double y) const {
    const long double dx = static_cast<long double>(x) - minX;
    const long double dy = static_cast<long double>(y) - minY;
    return {marginLeft + toPixel(dx * plotWidth / rangeX),
            marginTop + toPixel(plotHeight - dy * plotHeight / rangeY)};
}

TPlotMapping seriesMapping(const TPlotView* owner, std::int32_t plotWidth, std::int32_t plotHeight,
                           double minX, double minY, double rangeX, double rangeY) {
    return {owner ? owner->marginLeft() : 0,
            owner ? owner->marginTop() : 0,
            plotWidth,
            plotHeight,
            minX,
            minY,
            rangeX,
            rangeY};
}

TPlotLayout::TPlotLayout(const TPlotView& view, std::int32_t width, std::int32_t height)
    : width(width), height(height), marginRight(view.marginRight()),
      marginBottom(view.marginBottom()) {
    mapping.marginLeft = view.marginLeft();
    mapping.marginTop = view.marginTop();
    mapping.plotWidth = width - mapping.marginLeft - marginRight;
    mapping.plotHeight = height - mapping.marginTop - marginBottom;
    mapping.minY = view.effectiveMinY();
    mapping.rangeY = orOne(view.effectiveMaxY() - mapping.minY);
    mapping.minX = view.effectiveMinX();
    mapping.rangeX = orOne(view.effectiveMaxX() - mapping.minX);
    const double grid = view.Grid();
    xValueStep = mapping.rangeX / grid;
    xPixelStep = std::max(mapping.plotWidth / grid, 1.0);
    yValueStep = mapping.rangeY / grid;
    yPixelStep = std::max(mapping.plotHeight / grid, 1.0);
}

std::string plotLabelText(double value) {
    const long double rounded = std::nearbyint(static_cast<long double>(value) * 100) / 100;
    return realToText(static_cast<double>(rounded));
}
