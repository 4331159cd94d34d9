// The geometry of one picture of the plotter: the plot area inside the
// margins, the scale from values to pixels, where the grid lines fall and
// which labels fit. Computed once per repaint.
#pragma once

#include "plot/plot_view.h"

#include <cmath>
#include <cstdint>
#include <string>

// Values to pixels; Y grows upward. Rounds half to even.
struct TPlotMapping {
    std::int32_t marginLeft = 0;
    std::int32_t marginTop = 0;
    std::int32_t plotWidth = 0;
    std::int32_t plotHeight = 0;
    double minX = 0.0;
    double minY = 0.0;
    double rangeX = 1.0;
    double rangeY = 1.0;

    TPixel map(double x, double y) const;
};

// The mapping a series draws with: the scale it is handed and the margins of
// the plotter drawing it (none: no margins).
TPlotMapping seriesMapping(const TPlotView* owner, std::int32_t plotWidth, std::int32_t plotHeight,
                           double minX, double minY, double rangeX, double rangeY);

// Grid lines and labels need cells wider than this many pixels at 96 dpi...
constexpr std::int32_t xLabelMinCell = 10;
// ...and higher than this many.
constexpr std::int32_t yLabelMinCell = 12;

class TPlotLayout {
public:
    // For a picture of width x height pixels.
    TPlotLayout(const TPlotView& view, std::int32_t width, std::int32_t height);

    std::int32_t width;
    std::int32_t height;
    std::int32_t marginRight;
    std::int32_t marginBottom;
    TPlotMapping mapping;
    double xValueStep;
    double xPixelStep; // at least 1 pixel per cell
    double yValueStep;
    double yPixelStep;

    bool xLabels() const { return xPixelStep > scaledToScreen(xLabelMinCell); }
    bool yLabels() const { return yPixelStep > scaledToScreen(yLabelMinCell); }
    std::int32_t plotLeft() const { return mapping.marginLeft; }
    std::int32_t plotTop() const { return mapping.marginTop; }
    std::int32_t plotRight() const { return width - marginRight; }
    std::int32_t plotBottom() const { return height - marginBottom; }

    // Each vertical grid line left to right, with the value it marks:
    // visit(x, value). The left edge has none: the frame is there.
    template <class Visit> void forEachColumn(Visit&& visit) const {
        double v = mapping.minX;
        const double end = plotRight() + 1;
        for (double x = plotLeft() + xPixelStep; x < end; x += xPixelStep) {
            v += xValueStep;
            visit(static_cast<std::int32_t>(std::nearbyint(x)), v);
        }
    }

    // Each row bottom to top, with its value and whether a grid line is
    // drawn there (not on the bottom edge): visit(y, value, line).
    // Rows are counted: a step below the precision of the minimum leaves
    // the value where it was, and the line must still be drawn.
    template <class Visit> void forEachRow(Visit&& visit) const {
        double v = mapping.minY;
        const double bottom = plotBottom(), end = plotTop() - 1;
        for (double y = bottom; y > end; y -= yPixelStep) {
            visit(static_cast<std::int32_t>(std::nearbyint(y)), v, y != bottom);
            v += yValueStep;
        }
    }
};

// The value rounded to two decimals, as a label shows it.
std::string plotLabelText(double value);
