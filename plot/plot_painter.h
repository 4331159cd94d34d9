// Draws the whole picture of a plotter: background, dotted grid, labels,
// the series clipped to the plot area, and the frame over everything.
#pragma once

#include "plot/plot_view.h"

#include <windows.h>

#include <cstdint>

class TCanvas;

// Onto a canvas of width x height pixels; fullRegion (the whole canvas) is
// selected again as the clip once the series are drawn.
void paintPlot(TCanvas& canvas, const TPlotView& view, std::int32_t width, std::int32_t height,
               std::int32_t background, HRGN fullRegion);
