// TSeries: the points of one curve on the plotter, its colour and size, and
// the extremes the plotter scales by. How the points are drawn is up to the
// subclass; the data side needs no window.
#pragma once

#include <cstdint>
#include <vector>

class TCanvas;
class TPlotView;

struct TRPoint {
    double X = 0.0;
    double Y = 0.0;
};

class TSeries {
public:
    TSeries() = default;
    TSeries(const TSeries&) = delete;
    TSeries& operator=(const TSeries&) = delete;
    virtual ~TSeries() = default;

    // The value first, then its X position. With a cap, the oldest point
    // makes room.
    virtual void addValue(double y, double x);
    // Draws into a canvas already clipped to the plot area.
    virtual void draw(TCanvas& canvas, std::int32_t plotWidth, std::int32_t plotHeight, double minX,
                      double minY, double rangeX, double rangeY) = 0;
    // 0 for an empty series.
    virtual double minY() const;
    virtual double maxY() const;
    virtual double minX() const;
    virtual double maxX() const;

    void clear();
    std::int32_t count() const { return static_cast<std::int32_t>(points_.size()); }
    const std::vector<TRPoint>& points() const { return points_; }

    TPlotView* owner = nullptr; // the plotter drawing this series; none once it is gone
    std::int32_t Size = 0;      // line: pen width; markers: half-size
    std::int32_t Color = 0;
    std::int32_t MaxCount = 0; // 0 or negative: unlimited

private:
    std::vector<TRPoint> points_;
};
