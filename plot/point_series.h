// TPointSeries: a series drawn as separate filled markers.
#pragma once

#include "plot/series.h"

enum TPointType : std::uint8_t { ptCross = 0, ptSquare = 1, ptCircle = 2, ptTriangle = 3 };

class TPointSeries : public TSeries {
public:
    // Markers of half-size Size in Color; an unknown type draws nothing.
    void draw(TCanvas& canvas, std::int32_t plotWidth, std::int32_t plotHeight, double minX,
              double minY, double rangeX, double rangeY) override;

    std::uint8_t PointType = ptCross;
};
