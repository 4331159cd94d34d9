// TPlotSeries: the element side of a series. It owns its series, attaches it
// to a plotter and adds points pulled through its data inputs.
#pragma once

#include "elements/element.h"
#include "plot/plot_view.h"
#include "plot/series.h"
#include "runtime/links.h"

#include <cstdint>
#include <string>

class TPlotSeries : public TKNElement {
public:
    // Frees the series, through the plotter while it still draws it.
    virtual ~TPlotSeries();

    // Joins the plotter and hands the series the element's look; later
    // property changes do not reach the series.
    virtual void attach(TPlotView* plotter);

    // Pulls Y, then X, adds the point, asks for a repaint, raises outPoint.
    void inAdd(TData& data, std::uint16_t index);
    // Empties the series; the picture changes at the next repaint.
    void inClear(TData& data, std::uint16_t index);

    TSeries& series() const { return *series_; }

    TPlotView* plotter = nullptr;
    std::int32_t Color = 0;
    std::int32_t Size = 0;
    std::int32_t MaxCount = 0;
    double Step = 0.0; // nonzero: X counts up from 0 by this, whatever srcX says
    std::string Name;
    TKN_Event srcX;
    TKN_Event srcY;
    TKN_Event outPoint;

protected:
    // Takes ownership of the series.
    explicit TPlotSeries(TSeries* series) : series_(series) {}

private:
    TSeries* series_;
};
