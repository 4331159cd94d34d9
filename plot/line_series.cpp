#include "plot/line_series.h"

#include "plot/plot_layout.h"
#include "runtime/platform_hooks.h"
#include "toolkit/canvas.h"

void TLineSeries::draw(TCanvas& canvas, std::int32_t plotWidth, std::int32_t plotHeight,
                       double minX, double minY, double rangeX, double rangeY) {
    TGraphicTool& pen = canvas.penTool();
    pen.setColor(Color);
    pen.setPenStyle(PS_SOLID);
    pen.setPenWidth(scaledToScreen(Size));
    TGraphicTool& brush = canvas.brushTool();
    brush.setColor(Color);
    brush.setBrushStyle(0);

    const TPlotMapping mapping =
        seriesMapping(owner, plotWidth, plotHeight, minX, minY, rangeX, rangeY);
    bool first = true;
    for (const TRPoint& p : points()) {
        const TPixel at = mapping.map(p.X, p.Y);
        if (first)
            canvas.moveTo(at.x, at.y);
        else
            canvas.lineTo(at.x, at.y);
        first = false;
    }
}
