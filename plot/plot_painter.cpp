#include "plot/plot_painter.h"

#include "plot/plot_layout.h"
#include "plot/series.h"
#include "toolkit/canvas.h"
#include "toolkit/gdi_objects.h"

#include <string>

namespace {

constexpr std::int32_t labelFontHeight = 8;
constexpr std::uint8_t solidBrush = 0;
constexpr std::uint8_t clearBrush = 1;

void fillBackground(TCanvas& canvas, const TPlotLayout& layout, std::int32_t background) {
    canvas.fontTool().setFontHeight(labelFontHeight);
    TGraphicTool& brush = canvas.brushTool();
    brush.setColor(background);
    brush.setBrushStyle(solidBrush);
    canvas.fillRect({0, 0, layout.width, layout.height});
}

void setGridTools(TCanvas& canvas, const TPlotView& view) {
    TGraphicTool& pen = canvas.penTool();
    pen.setColor(view.GridColor);
    pen.setPenStyle(PS_DOT);
    pen.setPenWidth(1);
    canvas.fontTool().setColor(view.TextColor);
}

// Labels centred under their grid line.
void drawColumns(TCanvas& canvas, const TPlotLayout& layout) {
    const bool labels = layout.xLabels();
    const std::int32_t labelTop = layout.plotBottom() + 1;
    if (labels)
        canvas.textOut(layout.plotLeft() - 2, labelTop, plotLabelText(layout.mapping.minX));
    layout.forEachColumn([&](std::int32_t x, double value) {
        canvas.moveTo(x, layout.plotTop());
        canvas.lineTo(x, layout.plotBottom());
        if (!labels)
            return;
        const std::string text = plotLabelText(value);
        RECT rect{x, labelTop, 0, labelTop + 20};
        canvas.drawText(text, rect, DT_CALCRECT);
        OffsetRect(&rect, -((rect.right - rect.left) / 2), 0);
        canvas.drawText(text, rect, 0);
    });
}

// Labels right-aligned in the left margin, centred on their row.
void drawRows(TCanvas& canvas, const TPlotLayout& layout) {
    const bool labels = layout.yLabels();
    layout.forEachRow([&](std::int32_t y, double value, bool line) {
        if (line) {
            canvas.moveTo(layout.plotLeft(), y);
            canvas.lineTo(layout.plotRight(), y);
        }
        if (!labels)
            return;
        const std::string text = plotLabelText(value);
        RECT rect{2, y, 0, 0};
        canvas.drawText(text, rect, DT_CALCRECT);
        const std::int32_t width = rect.right - rect.left;
        const std::int32_t height = rect.bottom - rect.top;
        rect.right = layout.plotLeft() - 4;
        rect.left = rect.right - width;
        OffsetRect(&rect, 0, -(height / 2));
        canvas.drawText(text, rect, 0);
    });
}

void drawSeries(TCanvas& canvas, const TPlotView& view, const TPlotLayout& layout,
                HRGN fullRegion) {
    const TPlotMapping& m = layout.mapping;
    // A plot area without width or height clips everything away.
    const bool empty = m.plotWidth <= 0 || m.plotHeight <= 0;
    HRGN plotArea =
        countGdiObject(empty ? CreateRectRgn(0, 0, 0, 0)
                             : CreateRectRgn(m.marginLeft, m.marginTop, m.marginLeft + m.plotWidth,
                                             m.marginTop + m.plotHeight));
    const HDC dc = canvas.require(csHandle);
    SelectClipRgn(dc, plotArea);
    for (std::int32_t i = 0; i < view.seriesCount(); ++i)
        view.seriesAt(i)->draw(canvas, m.plotWidth, m.plotHeight, m.minX, m.minY, m.rangeX,
                               m.rangeY);
    SelectClipRgn(dc, fullRegion);
    deleteGdiObject(plotArea);
}

void drawFrame(TCanvas& canvas, const TPlotView& view, const TPlotLayout& layout) {
    TGraphicTool& pen = canvas.penTool();
    pen.setColor(view.AxisColor);
    pen.setPenStyle(PS_SOLID);
    pen.setPenWidth(1);
    canvas.brushTool().setBrushStyle(clearBrush);
    canvas.rectangle(layout.plotLeft(), layout.plotTop(), layout.plotRight(), layout.plotBottom());
}

} // namespace

void paintPlot(TCanvas& canvas, const TPlotView& view, std::int32_t width, std::int32_t height,
               std::int32_t background, HRGN fullRegion) {
    const TPlotLayout layout(view, width, height);
    fillBackground(canvas, layout, background);
    setGridTools(canvas, view);
    drawColumns(canvas, layout);
    drawRows(canvas, layout);
    drawSeries(canvas, view, layout, fullRegion);
    drawFrame(canvas, view, layout);
}
