// Draws the whole picture of a plotter: background, dotted grid, labels,
// the series clipped to the plot area, and the frame over everything.
#pragma once

#include "plot/plot_view.h"

#include <windows.h>

#include <cstdint>
#include <string_view>

class TCanvas;

// Writes the labels: each is measured and drawn as DrawText measures
// (DT_CALCRECT) and draws (flags 0) one line of text, which is how the
// picture is defined. The box is the text's extent wide and one font line
// high, and the text is clipped to it. DrawText itself asks for the font's
// metrics again on every call; in 32-bit Wine that was a third of a repaint.
class TLabelWriter {
public:
    explicit TLabelWriter(TCanvas& canvas);

    // The box of the text with its top-left corner at (left, top).
    RECT measure(std::string_view text, std::int32_t left, std::int32_t top) const;
    void draw(std::string_view text, const RECT& box) const;

private:
    TCanvas& canvas;
    std::int32_t lineHeight;
};

// Onto a canvas of width x height pixels; fullRegion (the whole canvas) is
// selected again as the clip once the series are drawn.
void paintPlot(TCanvas& canvas, const TPlotView& view, std::int32_t width, std::int32_t height,
               std::int32_t background, HRGN fullRegion);
