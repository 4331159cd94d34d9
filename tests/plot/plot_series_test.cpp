#include "plot/plot_series.h"

#include "data_series.h"

#include <gtest/gtest.h>

namespace {

struct View : TPlotView {
    int redraws = 0;
    void redraw() override { ++redraws; }
};

// A series element over a data-only series.
struct Element : TPlotSeries {
    Element() : TPlotSeries(new DataSeries) {}
    void add() {
        TData data;
        inAdd(data, 0);
    }
};

// Answers X from 7 and Y from 20 upward; logs every read and every point.
struct Inputs {
    std::string log;
    double x = 7, y = 20;
    void getX(TData& data, std::uint16_t) { log += 'x', setReal(data, x++); }
    void getY(TData& data, std::uint16_t) { log += 'y', setReal(data, y++); }
    void inPoint(TData&, std::uint16_t) { log += '+'; }
};

class PlotSeries : public ::testing::Test {
protected:
    void SetUp() override { installDispatchers(); }
    void TearDown() override { stopDispatch(); }
    View view;
    Element element;
    Inputs inputs;
};

} // namespace

TEST_F(PlotSeries, AttachCopiesTheLookOnce) {
    element.Color = 0xFF0000;
    element.Size = 4;
    element.MaxCount = 2;
    element.attach(&view);
    element.Color = element.Size = 1;
    const TSeries& s = element.series();
    EXPECT_EQ(element.plotter, &view);
    EXPECT_EQ((std::vector{s.Color, s.Size, s.MaxCount}), (std::vector{0xFF0000, 4, 2}));
}

TEST_F(PlotSeries, AddPullsYBeforeXRepaintsAndRaisesAndClearDoesNotRepaint) {
    element.attach(&view);
    element.srcX = makeLink<&Inputs::getX>(&inputs);
    element.srcY = makeLink<&Inputs::getY>(&inputs);
    element.outPoint = makeLink<&Inputs::inPoint>(&inputs);
    element.add();
    element.add();
    EXPECT_EQ(inputs.log, "yx+yx+");
    EXPECT_EQ(pointsOf(element.series()), "7:20 8:21 ");
    TData data;
    element.inClear(data, 0);
    EXPECT_EQ(pointsOf(element.series()), "");
    EXPECT_EQ(view.redraws, 2);

    // A Step counts X up from 0 whatever srcX says, which is still read.
    element.Step = 0.5;
    for (int i = 0; i < 3; ++i)
        element.add();
    EXPECT_EQ(pointsOf(element.series()), "0:22 0.5:23 1:24 ");
    EXPECT_EQ(inputs.log, "yx+yx+yx+yx+yx+");

    // Unlinked inputs take the event's chain: Y first, then X.
    element.Step = 0;
    element.inClear(data, 0);
    element.srcX = element.srcY = TKN_Event{};
    TData x;
    setReal(x, 3.0);
    setReal(data, 9.0);
    data.next = &x;
    element.inAdd(data, 0);
    EXPECT_EQ(pointsOf(element.series()), "3:9 ");
}

// The sanitizers see a leak or a double free in any order.
TEST_F(PlotSeries, EitherDestructionOrderFreesEachSeriesOnce) {
    auto* plotter = new View;
    auto* first = new Element;
    first->attach(plotter);
    delete first; // removes its series from the view first
    EXPECT_EQ(plotter->seriesCount(), 0);
    element.attach(plotter);
    delete plotter; // leaves the series ownerless
    EXPECT_EQ(element.series().owner, nullptr);
    element.add(); // no repaint request to a plotter that is gone
    EXPECT_EQ(element.series().count(), 1);
    Element unattached; // never attached: frees its own series
    unattached.add();
}

TEST(Series, KeepsPointsValueFirstACapDropsTheOldestAndEmptyExtremesAreZero) {
    DataSeries series;
    TPlotView view; // reads the series' extremes
    view.addSeries(&series);
    EXPECT_EQ(limits(view), "0 0 0 0");
    series.MaxCount = 3;
    std::string seen;
    for (int i = 1; i <= 5; ++i) {
        series.addValue(i * 10.0, i);
        seen += pointsOf(series) + "| ";
    }
    EXPECT_EQ(seen, "1:10 | 1:10 2:20 | 1:10 2:20 3:30 | 2:20 3:30 4:40 | 3:30 4:40 5:50 | ");
    series.MaxCount = 1; // lowered after filling, still holds
    series.addValue(60, 6);
    EXPECT_EQ(pointsOf(series), "6:60 ");
    series.MaxCount = 0; // 0 or negative: unlimited
    series.addValue(70, 7);
    series.MaxCount = -1;
    series.addValue(-80, 8);
    EXPECT_EQ(pointsOf(series), "6:60 7:70 8:-80 ");
    EXPECT_EQ(limits(view), "6 8 -80 70");
}
