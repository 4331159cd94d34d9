// The series elements of the schematic: a line and a set of markers.
#pragma once

#include "plot/line_series.h"
#include "plot/plot_series.h"
#include "plot/point_series.h"

class TKNPlotLines : public TPlotSeries {
public:
    TKNPlotLines() : TPlotSeries(new TLineSeries) {}
};

class TKNPlotPoints : public TPlotSeries {
public:
    TKNPlotPoints() : TPlotSeries(new TPointSeries) {}

    // Also hands the series the marker shape.
    void attach(TPlotView* plotter) override;

    std::uint8_t PointType = ptCross;
};
