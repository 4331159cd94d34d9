#include "plot/point_series.h"

#include "plot/plot_layout.h"
#include "runtime/platform_hooks.h"
#include "toolkit/canvas.h"

namespace {

void drawMarker(TCanvas& canvas, std::uint8_t type, TPixel at, std::int32_t s) {
    const std::int32_t x = at.x;
    const std::int32_t y = at.y;
    const std::int32_t h = s / 2;
    switch (type) {
    case ptCross:
        canvas.moveTo(x - s, y);
        canvas.lineTo(x + s + 1, y);
        canvas.moveTo(x, y - s);
        canvas.lineTo(x, y + s + 1);
        break;
    case ptSquare:
        canvas.rectangle(x - s, y - s, x + s, y + s);
        break;
    case ptCircle:
        canvas.ellipse(x - s, y - s, x + s, y + s);
        break;
    case ptTriangle: {
        const POINT corners[4] = {{x - s, y + h}, {x, y - h}, {x + s, y + h}, {x - s, y + h}};
        canvas.polygon(corners, 4);
        break;
    }
    default:
        break;
    }
}

} // namespace

void TPointSeries::draw(TCanvas& canvas, std::int32_t plotWidth, std::int32_t plotHeight,
                        double minX, double minY, double rangeX, double rangeY) {
    if (PointType > ptTriangle)
        return;
    TGraphicTool& pen = canvas.penTool();
    pen.setColor(Color);
    pen.setPenStyle(PS_SOLID);
    pen.setPenWidth(scaledToScreen(1));
    TGraphicTool& brush = canvas.brushTool();
    brush.setColor(Color);
    brush.setBrushStyle(0);

    const TPlotMapping mapping =
        seriesMapping(owner, plotWidth, plotHeight, minX, minY, rangeX, rangeY);
    const std::int32_t size = scaledToScreen(Size);
    for (const TRPoint& p : points())
        drawMarker(canvas, PointType, mapping.map(p.X, p.Y), size);
}
