// A series that only holds data, for tests that need no drawing.
#pragma once

#include "plot/series.h"
#include "runtime/number_text.h"

#include <string>

struct DataSeries : TSeries {
    void draw(TCanvas&, std::int32_t, std::int32_t, double, double, double, double) override {}
};

inline void addPoints(TSeries& series, std::initializer_list<TRPoint> points) {
    for (const TRPoint& p : points)
        series.addValue(p.Y, p.X);
}

// "x:y " of every point.
inline std::string pointsOf(const TSeries& series) {
    std::string text;
    for (const TRPoint& p : series.points())
        text += realToText(p.X) + ":" + realToText(p.Y) + " ";
    return text;
}
