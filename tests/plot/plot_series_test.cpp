#include "plot/plot_series.h"

#include "data_series.h"

#include <gtest/gtest.h>

#include <vector>

namespace {

struct View : TPlotView {
    int redraws = 0;
    void redraw() override { ++redraws; }
};

// A series element over a data-only series.
struct Element : TPlotSeries {
    Element() : TPlotSeries(new DataSeries) {}
};

// Answers the values it is given, in turn, and logs which input asked.
struct Source {
    std::vector<double> values;
    std::vector<char>* log = nullptr;
    char name = '?';
    std::size_t next = 0;
    void getValue(TData& data, std::uint16_t) {
        if (log)
            log->push_back(name);
        setReal(data, values[next++ % values.size()]);
    }
};

struct Counter {
    int count = 0;
    void inEvent(TData&, std::uint16_t) { ++count; }
};

class PlotSeries : public ::testing::Test {
protected:
    void SetUp() override { installDispatchers(); }
    void TearDown() override { stopDispatch(); }

    void add(Element& element) {
        TData data;
        element.inAdd(data, 0);
    }
};

} // namespace

TEST_F(PlotSeries, AttachCopiesTheLookOnce) {
    View view;
    Element element;
    element.Color = 0xFF0000;
    element.Size = 4;
    element.MaxCount = 2;
    element.attach(&view);
    EXPECT_EQ(element.plotter, &view);
    ASSERT_EQ(view.seriesCount(), 1);
    EXPECT_EQ(view.seriesAt(0), &element.series());
    EXPECT_EQ(element.series().owner, &view);
    EXPECT_EQ(element.series().Color, 0xFF0000);
    EXPECT_EQ(element.series().Size, 4);
    EXPECT_EQ(element.series().MaxCount, 2);

    element.Color = 0x00FF00;
    element.Size = 1;
    EXPECT_EQ(element.series().Color, 0xFF0000);
    EXPECT_EQ(element.series().Size, 4);
}

TEST_F(PlotSeries, AddPullsYBeforeXRepaintsAndRaises) {
    View view;
    Element element;
    element.attach(&view);
    std::vector<char> order;
    Source xs{{7, 8}, &order, 'x'};
    Source ys{{20, 25}, &order, 'y'};
    Counter points;
    element.srcX = makeLink<&Source::getValue>(&xs);
    element.srcY = makeLink<&Source::getValue>(&ys);
    element.outPoint = makeLink<&Counter::inEvent>(&points);

    add(element);
    add(element);
    EXPECT_EQ(order, (std::vector<char>{'y', 'x', 'y', 'x'}));
    ASSERT_EQ(element.series().count(), 2);
    EXPECT_EQ(element.series().points()[1].X, 8.0);
    EXPECT_EQ(element.series().points()[1].Y, 25.0);
    EXPECT_EQ(view.redraws, 2);
    EXPECT_EQ(points.count, 2);

    // Clearing asks for no repaint.
    TData data;
    element.inClear(data, 0);
    EXPECT_EQ(element.series().count(), 0);
    EXPECT_EQ(view.redraws, 2);
}

TEST_F(PlotSeries, UnlinkedInputsTakeTheEventsOwnValues) {
    View view;
    Element element;
    element.attach(&view);
    // A chain of two values: Y first, then X.
    TData x;
    setReal(x, 3.0);
    TData data;
    setReal(data, 9.0);
    data.next = &x;
    element.inAdd(data, 0);
    ASSERT_EQ(element.series().count(), 1);
    EXPECT_EQ(element.series().points()[0].Y, 9.0);
    EXPECT_EQ(element.series().points()[0].X, 3.0);
}

TEST_F(PlotSeries, StepCountsXFromZeroWhateverSrcXSays) {
    View view;
    Element element;
    element.Step = 0.5;
    element.attach(&view);
    Source xs{{100}};
    element.srcX = makeLink<&Source::getValue>(&xs);
    for (int i = 0; i < 3; ++i)
        add(element);
    ASSERT_EQ(element.series().count(), 3);
    EXPECT_EQ(element.series().points()[0].X, 0.0);
    EXPECT_EQ(element.series().points()[1].X, 0.5);
    EXPECT_EQ(element.series().points()[2].X, 1.0);
    EXPECT_EQ(xs.next, 3u); // still read each time
}

// The sanitizers see a leak or a double free in either order.
TEST_F(PlotSeries, EitherDestructionOrderFreesEachSeriesOnce) {
    {
        auto* view = new View;
        auto* element = new Element;
        element->attach(view);
        delete element; // removes its series from the view first
        EXPECT_EQ(view->seriesCount(), 0);
        delete view;
    }
    {
        auto* view = new View;
        auto* element = new Element;
        element->attach(view);
        delete view; // leaves the series ownerless
        EXPECT_EQ(element->series().owner, nullptr);
        add(*element); // no repaint request to a plotter that is gone
        EXPECT_EQ(element->series().count(), 1);
        delete element;
    }
    {
        Element unattached; // never attached: frees its own series
        add(unattached);
        EXPECT_EQ(unattached.series().count(), 1);
    }
}
