// TPlotView: what the plotter knows without its window: margins, grid,
// view limits, the attached series, the limits in force and the arithmetic
// of pan and zoom. The window element builds on it.
#pragma once

#include "runtime/platform_hooks.h"

#include <cstdint>
#include <string>
#include <vector>

class TSeries;

struct TPixel {
    std::int32_t x = 0;
    std::int32_t y = 0;
    friend bool operator==(const TPixel&, const TPixel&) = default;
};

class TPlotView {
public:
    TPlotView() = default;
    TPlotView(const TPlotView&) = delete;
    TPlotView& operator=(const TPlotView&) = delete;
    // The series outlive the view: they are left ownerless, not freed.
    virtual ~TPlotView();

    // Asks for a new picture; the window element repaints.
    virtual void redraw() {}

    // Stores at least 1.
    void setGrid(std::int32_t value);
    std::int32_t Grid() const { return grid_; }

    std::int32_t GridColor = 0xC0C0C0;
    std::int32_t AxisColor = 0x000000;
    std::int32_t TextColor = 0x000000;
    // A limit of exactly 0 is automatic: the data decide it.
    double MinY = 0.0;
    double MaxY = 0.0;
    double MinX = 0.0;
    double MaxX = 0.0;
    // In pixels at 96 dpi; the picture uses them scaled to the screen.
    std::int32_t MarginLeft = 30;
    std::int32_t MarginRight = 15;
    std::int32_t MarginTop = 15;
    std::int32_t MarginBottom = 15;
    std::int32_t marginLeft() const { return scaledToScreen(MarginLeft); }
    std::int32_t marginRight() const { return scaledToScreen(MarginRight); }
    std::int32_t marginTop() const { return scaledToScreen(MarginTop); }
    std::int32_t marginBottom() const { return scaledToScreen(MarginBottom); }
    std::string Remark;
    bool MouseControl = true;

    // The view draws the series in attach order and owns none of them.
    void addSeries(TSeries* series);
    // Unlinks the series and frees it.
    void removeSeries(TSeries* series);
    std::int32_t seriesCount() const { return static_cast<std::int32_t>(seriesList_.size()); }
    TSeries* seriesAt(std::int32_t index) const;

    double effectiveMinX() const;
    double effectiveMaxX() const;
    double effectiveMinY() const;
    double effectiveMaxY() const;

    // Mouse arithmetic, in pixels of a client area of the given size.
    // Turns every automatic pair of limits into the fixed range now shown.
    void freezeAutomaticLimits();
    // Moves the view so that the picture follows a drag by (dx, dy).
    void pan(std::int32_t dx, std::int32_t dy, std::int32_t clientWidth, std::int32_t clientHeight);
    // Dragged down (right) zooms the rows (columns) under the band; dragged
    // the other way fits that axis to the data.
    void zoomToRectangle(TPixel down, TPixel last, std::int32_t clientWidth,
                         std::int32_t clientHeight);
    // Pulls the limits toward the value under the cursor by the wheel's
    // factor, or pushes them away for a negative one.
    void wheelZoom(std::int32_t keyState, TPixel cursor, std::int32_t clientWidth,
                   std::int32_t clientHeight);
    // The key-state word carries the wheel delta in its upper half.
    static double wheelFactor(std::int32_t keyState);

private:
    void fitY();
    void fitX();
    std::int32_t plotWidthIn(std::int32_t clientWidth) const {
        return clientWidth - marginLeft() - marginRight();
    }
    std::int32_t plotHeightIn(std::int32_t clientHeight) const {
        return clientHeight - marginTop() - marginBottom();
    }

    std::int32_t grid_ = 10;
    std::vector<TSeries*> seriesList_;
};
