// A series that only holds data, for tests that need no drawing, and the
// limits of a view as text.
#pragma once

#include "plot/plot_view.h"
#include "plot/series.h"
#include "runtime/number_text.h"

#include <sstream>
#include <string>

struct DataSeries : TSeries {
    void draw(TCanvas&, std::int32_t, std::int32_t, double, double, double, double) override {}
};

inline void addPoints(TSeries& series, std::initializer_list<TRPoint> points) {
    for (const TRPoint& p : points)
        series.addValue(p.Y, p.X);
}

// "MinX MaxX MinY MaxY" of the limits in force.
inline std::string limits(const TPlotView& v) {
    return realToText(v.effectiveMinX()) + " " + realToText(v.effectiveMaxX()) + " " +
           realToText(v.effectiveMinY()) + " " + realToText(v.effectiveMaxY());
}

inline void setLimits(TPlotView& view, const std::string& text) {
    std::istringstream(text) >> view.MinX >> view.MaxX >> view.MinY >> view.MaxY;
}

// "x:y " of every point.
inline std::string pointsOf(const TSeries& series) {
    std::string text;
    for (const TRPoint& p : series.points())
        text += realToText(p.X) + ":" + realToText(p.Y) + " ";
    return text;
}
