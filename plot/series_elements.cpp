#include "plot/series_elements.h"

void TKNPlotPoints::attach(TPlotView* target) {
    TPlotSeries::attach(target);
    static_cast<TPointSeries&>(series()).PointType = PointType;
}
