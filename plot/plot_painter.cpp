#include "plot/plot_painter.h"

#include "plot/plot_layout.h"
#include "plot/series.h"
#include "runtime/platform_hooks.h"
#include "toolkit/canvas.h"
#include "toolkit/gdi_counter.h"

#include <string>

namespace {

// Lengths in pixels at 96 dpi, scaled to the screen where they are used.
constexpr std::int32_t labelFontHeight = 8;
constexpr std::int32_t firstLabelShift = 2; // the first column label, left of the frame
constexpr std::int32_t labelGap = 1;        // between the frame and the column labels
constexpr std::int32_t rowLabelGap = 4;     // between the row labels and the frame
constexpr std::uint8_t solidBrush = 0;
constexpr std::uint8_t clearBrush = 1;

void fillBackground(TCanvas& canvas, const TPlotLayout& layout, std::int32_t background) {
    canvas.fontTool().setFontHeight(scaledToScreen(labelFontHeight));
    TGraphicTool& brush = canvas.brushTool();
    brush.setColor(background);
    brush.setBrushStyle(solidBrush);
    canvas.fillRect({0, 0, layout.width, layout.height});
}

void setGridTools(TCanvas& canvas, const TPlotView& view) {
    TGraphicTool& pen = canvas.penTool();
    pen.setColor(view.GridColor);
    pen.setPenStyle(PS_DOT);
    pen.setPenWidth(1); // a dotted pen any wider is drawn solid: the grid stays thin
    canvas.fontTool().setColor(view.TextColor);
}

// Labels centred under their grid line.
void drawColumns(TCanvas& canvas, const TPlotLayout& layout, const TLabelWriter& labels) {
    const bool labelled = layout.xLabels();
    const std::int32_t labelTop = layout.plotBottom() + scaledToScreen(labelGap);
    if (labelled)
        canvas.textOut(layout.plotLeft() - scaledToScreen(firstLabelShift), labelTop,
                       plotLabelText(layout.mapping.minX));
    layout.forEachColumn([&](std::int32_t x, double value) {
        canvas.moveTo(x, layout.plotTop());
        canvas.lineTo(x, layout.plotBottom());
        if (!labelled)
            return;
        const std::string text = plotLabelText(value);
        RECT box = labels.measure(text, x, labelTop);
        OffsetRect(&box, -((box.right - box.left) / 2), 0);
        labels.draw(text, box);
    });
}

// Labels right-aligned in the left margin, centred on their row.
void drawRows(TCanvas& canvas, const TPlotLayout& layout, const TLabelWriter& labels) {
    const bool labelled = layout.yLabels();
    layout.forEachRow([&](std::int32_t y, double value, bool line) {
        if (line) {
            canvas.moveTo(layout.plotLeft(), y);
            canvas.lineTo(layout.plotRight(), y);
        }
        if (!labelled)
            return;
        const std::string text = plotLabelText(value);
        RECT box = labels.measure(text, 2, y);
        const std::int32_t width = box.right - box.left;
        const std::int32_t height = box.bottom - box.top;
        box.right = layout.plotLeft() - scaledToScreen(rowLabelGap);
        box.left = box.right - width;
        OffsetRect(&box, 0, -(height / 2));
        labels.draw(text, box);
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
    pen.setPenWidth(scaledToScreen(1));
    canvas.brushTool().setBrushStyle(clearBrush);
    canvas.rectangle(layout.plotLeft(), layout.plotTop(), layout.plotRight(), layout.plotBottom());
}

} // namespace

TLabelWriter::TLabelWriter(TCanvas& canvas) : canvas(canvas), lineHeight(canvas.lineHeight()) {}

RECT TLabelWriter::measure(std::string_view text, std::int32_t left, std::int32_t top) const {
    return {left, top, left + canvas.textExtent(text).cx, top + lineHeight};
}

void TLabelWriter::draw(std::string_view text, const RECT& box) const {
    canvas.textRect(box, box.left, box.top, text);
}

void paintPlot(TCanvas& canvas, const TPlotView& view, std::int32_t width, std::int32_t height,
               std::int32_t background, HRGN fullRegion) {
    const TPlotLayout layout(view, width, height);
    fillBackground(canvas, layout, background);
    setGridTools(canvas, view);
    const TLabelWriter labels(canvas);
    drawColumns(canvas, layout, labels);
    drawRows(canvas, layout, labels);
    drawSeries(canvas, view, layout, fullRegion);
    drawFrame(canvas, view, layout);
}
