#include "plot/plot_series.h"

TPlotSeries::~TPlotSeries() {
    if (series_->owner)
        series_->owner->removeSeries(series_);
    else
        delete series_;
}

void TPlotSeries::attach(TPlotView* target) {
    plotter = target;
    if (target)
        target->addSeries(series_);
    series_->Color = Color;
    series_->Size = Size;
    series_->MaxCount = MaxCount;
}

void TPlotSeries::inAdd(TData& data, std::uint16_t) {
    const double y = pullReal(data, srcY, 0.0);
    double x = pullReal(data, srcX, 0.0);
    if (Step != 0.0)
        x = series_->count() == 0 ? 0.0 : series_->points().back().X + Step;
    series_->addValue(y, x);
    // Through the series' owner: it is reset when the plotter goes first.
    if (series_->owner)
        series_->owner->redraw();
    raiseEvent(outPoint);
}

void TPlotSeries::inClear(TData&, std::uint16_t) {
    series_->clear();
}
