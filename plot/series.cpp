#include "plot/series.h"

namespace {

template <class Better>
double extreme(const std::vector<TRPoint>& points, double TRPoint::*field, Better better) {
    if (points.empty())
        return 0.0;
    double result = points.front().*field;
    for (const TRPoint& p : points)
        if (better(p.*field, result))
            result = p.*field;
    return result;
}

bool smaller(double a, double b) {
    return a < b;
}
bool larger(double a, double b) {
    return a > b;
}

} // namespace

void TSeries::addValue(double y, double x) {
    if (MaxCount > 0 && count() >= MaxCount) {
        // Drop the oldest points, so a cap lowered after filling still holds.
        const auto excess = static_cast<std::ptrdiff_t>(points_.size()) - MaxCount + 1;
        points_.erase(points_.begin(), points_.begin() + excess);
    }
    points_.push_back({x, y});
}

void TSeries::clear() {
    std::vector<TRPoint>().swap(points_);
}

double TSeries::minY() const {
    return extreme(points_, &TRPoint::Y, smaller);
}
double TSeries::maxY() const {
    return extreme(points_, &TRPoint::Y, larger);
}
double TSeries::minX() const {
    return extreme(points_, &TRPoint::X, smaller);
}
double TSeries::maxX() const {
    return extreme(points_, &TRPoint::X, larger);
}
