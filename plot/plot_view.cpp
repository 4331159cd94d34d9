#include "plot/plot_view.h"

#include "plot/series.h"

#include <algorithm>
#include <cmath>
#include <limits>

namespace {

// The extreme over the series that hold a point, starting from the first
// of them; 0 when none holds one.
template <class Extreme, class Better>
double dataExtreme(const std::vector<TSeries*>& list, Extreme extreme, Better better) {
    bool found = false;
    double m = 0.0;
    for (const TSeries* series : list) {
        if (series->count() == 0)
            continue;
        const double value = (series->*extreme)();
        if (!found || better(value, m))
            m = value;
        found = true;
    }
    return m;
}

bool smaller(double a, double b) {
    return a < b;
}
bool larger(double a, double b) {
    return a > b;
}

// Zooming in by the whole range or more would leave one value or turn the
// axis over; a message zooms in to a tenth of the range at most.
constexpr double maxWheelFactor = 0.9;

// Limits stay within a quarter of the double range, so that their range and
// every step on it stay finite.
constexpr double largestLimit = std::numeric_limits<double>::max() / 4;
// A range of a few units in the last place of its limits has collapsed: its
// pixels could no longer be told apart. Judged with a margin, so that an
// x87 register holding more precision than the stored limits agrees.
constexpr double finestRange = 0x1p-50; // relative to the larger limit

// Takes a step of pan or zoom on one axis unless it would leave the view
// unusable: a limit out of range or not finite, a range collapsed to one
// value or turned over. Such a step leaves the limits as they were.
void moveLimits(double& minimum, double& maximum, double newMinimum, double newMaximum) {
    const double range = newMaximum - newMinimum;
    const double scale = std::max(std::fabs(newMinimum), std::fabs(newMaximum));
    if (!(scale <= largestLimit) || !(std::fabs(range) > scale * finestRange) ||
        (range > 0.0) != (maximum > minimum))
        return;
    minimum = newMinimum;
    maximum = newMaximum;
}

} // namespace

TPlotView::~TPlotView() {
    for (TSeries* series : seriesList_)
        series->owner = nullptr;
}

void TPlotView::setGrid(std::int32_t value) {
    grid_ = std::max<std::int32_t>(1, value);
}

void TPlotView::addSeries(TSeries* series) {
    if (!series || series->owner == this)
        return;
    // A series drawn by another plotter moves here; it is never listed twice.
    if (series->owner) {
        auto& other = series->owner->seriesList_;
        other.erase(std::remove(other.begin(), other.end(), series), other.end());
    }
    series->owner = this;
    seriesList_.push_back(series);
}

void TPlotView::removeSeries(TSeries* series) {
    seriesList_.erase(std::remove(seriesList_.begin(), seriesList_.end(), series),
                      seriesList_.end());
    delete series;
}

TSeries* TPlotView::seriesAt(std::int32_t index) const {
    if (index < 0 || index >= seriesCount())
        return nullptr;
    return seriesList_[static_cast<std::size_t>(index)];
}

double TPlotView::effectiveMinX() const {
    if (seriesList_.empty())
        return 0.0;
    if (MinX != 0.0)
        return MinX;
    return dataExtreme(seriesList_, &TSeries::minX, smaller);
}

double TPlotView::effectiveMaxX() const {
    if (seriesList_.empty())
        return 0.0;
    if (MaxX != 0.0)
        return MaxX;
    return dataExtreme(seriesList_, &TSeries::maxX, larger);
}

double TPlotView::effectiveMinY() const {
    if (seriesList_.empty())
        return 0.0;
    if (MinY != 0.0)
        return MinY;
    return dataExtreme(seriesList_, &TSeries::minY, smaller);
}

double TPlotView::effectiveMaxY() const {
    if (seriesList_.empty())
        return 0.0;
    if (MaxY != 0.0)
        return MaxY;
    return dataExtreme(seriesList_, &TSeries::maxY, larger);
}

void TPlotView::freezeAutomaticLimits() {
    if (MaxY == 0.0 && MinY == 0.0) {
        MaxY = effectiveMaxY();
        MinY = effectiveMinY();
    }
    if (MaxX == 0.0 && MinX == 0.0) {
        MaxX = effectiveMaxX();
        MinX = effectiveMinX();
    }
}

void TPlotView::fitY() {
    MaxY = 0.0;
    MinY = 0.0;
    MaxY = effectiveMaxY();
    MinY = effectiveMinY();
}

void TPlotView::fitX() {
    MaxX = 0.0;
    MinX = 0.0;
    MaxX = effectiveMaxX();
    MinX = effectiveMinX();
}

// A plot area without height or width has no pixel scale: that axis stays.
void TPlotView::pan(std::int32_t dx, std::int32_t dy, std::int32_t clientWidth,
                    std::int32_t clientHeight) {
    const std::int32_t ph = plotHeightIn(clientHeight);
    if (ph > 0) {
        const double kY = (MaxY - MinY) / ph;
        moveLimits(MinY, MaxY, MinY + dy * kY, MaxY + dy * kY);
    }
    const std::int32_t pw = plotWidthIn(clientWidth);
    if (pw > 0) {
        const double kX = (MaxX - MinX) / pw;
        moveLimits(MinX, MaxX, MinX - dx * kX, MaxX - dx * kX);
    }
}

void TPlotView::zoomToRectangle(TPixel down, TPixel last, std::int32_t clientWidth,
                                std::int32_t clientHeight) {
    const std::int32_t ph = plotHeightIn(clientHeight);
    if (down.y < last.y) {
        if (ph > 0) {
            const double span = MaxY - MinY;
            const double kY = span / ph;
            const double top = MinY + span;
            moveLimits(MinY, MaxY, top - (last.y - marginTop()) * kY,
                       top - (down.y - marginTop()) * kY);
        }
    } else {
        fitY();
    }
    const std::int32_t pw = plotWidthIn(clientWidth);
    if (down.x < last.x) {
        if (pw > 0) {
            const double kX = (MaxX - MinX) / pw;
            const double left = MinX;
            moveLimits(MinX, MaxX, left + (down.x - marginLeft()) * kX,
                       left + (last.x - marginLeft()) * kX);
        }
    } else {
        fitX();
    }
}

double TPlotView::wheelFactor(std::int32_t keyState) {
    return std::min(keyState / 4096.0 * 0.0001, maxWheelFactor);
}

void TPlotView::wheelZoom(std::int32_t keyState, TPixel cursor, std::int32_t clientWidth,
                          std::int32_t clientHeight) {
    const double f = wheelFactor(keyState);
    // The cursor's share of the plot area first: the widest range times a
    // pixel count would overflow.
    const std::int32_t ph = plotHeightIn(clientHeight);
    if (ph > 0) {
        const double cY = MaxY - (MaxY - MinY) * ((cursor.y - marginTop()) / static_cast<double>(ph));
        moveLimits(MinY, MaxY, MinY - (MinY - cY) * f, MaxY - (MaxY - cY) * f);
    }
    const std::int32_t pw = plotWidthIn(clientWidth);
    if (pw > 0) {
        const double cX =
            (MaxX - MinX) * ((cursor.x - marginLeft()) / static_cast<double>(pw)) + MinX;
        moveLimits(MinX, MaxX, MinX - (MinX - cX) * f, MaxX - (MaxX - cX) * f);
    }
}
