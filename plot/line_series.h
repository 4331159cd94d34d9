// TLineSeries: a series drawn as one polyline through its points.
#pragma once

#include "plot/series.h"

class TLineSeries : public TSeries {
public:
    // Pen of width Size in Color; a single point draws nothing.
    void draw(TCanvas& canvas, std::int32_t plotWidth, std::int32_t plotHeight, double minX,
              double minY, double rangeX, double rangeY) override;
};
