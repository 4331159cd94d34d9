#include "data_series.h"

#include <gtest/gtest.h>

namespace {

std::vector<double> xs(const TSeries& series) {
    std::vector<double> result;
    for (const TRPoint& p : series.points())
        result.push_back(p.X);
    return result;
}

} // namespace

TEST(Series, KeepsPointsInOrderValueFirst) {
    DataSeries series;
    series.addValue(5.0, 1.0);
    series.addValue(-2.0, 3.0);
    ASSERT_EQ(series.count(), 2);
    EXPECT_EQ(series.points()[0].X, 1.0);
    EXPECT_EQ(series.points()[0].Y, 5.0);
    EXPECT_EQ(series.points()[1].X, 3.0);
    EXPECT_EQ(series.points()[1].Y, -2.0);
}

TEST(Series, CapDropsTheOldestPoints) {
    DataSeries series;
    series.MaxCount = 3;
    for (int i = 1; i <= 5; ++i)
        series.addValue(i * 10.0, i);
    EXPECT_EQ(xs(series), (std::vector<double>{3, 4, 5}));
    EXPECT_EQ(series.points()[0].Y, 30.0);

    series.MaxCount = 1;
    series.addValue(60.0, 6);
    EXPECT_EQ(xs(series), (std::vector<double>{6}));

    // Unlimited again: nothing is dropped.
    series.MaxCount = 0;
    series.addValue(0.0, 7);
    series.addValue(0.0, 8);
    EXPECT_EQ(series.count(), 3);
    series.MaxCount = -1;
    series.addValue(0.0, 9);
    EXPECT_EQ(series.count(), 4);
}

TEST(Series, ExtremesAreZeroWhenEmptyAndFollowTheData) {
    DataSeries series;
    EXPECT_EQ(series.minX(), 0.0);
    EXPECT_EQ(series.maxX(), 0.0);
    EXPECT_EQ(series.minY(), 0.0);
    EXPECT_EQ(series.maxY(), 0.0);

    // All positive: 0 is not an extreme just because the series started empty.
    addPoints(series, {{7, 5}, {3, 9}, {12, 6}});
    EXPECT_EQ(series.minX(), 3.0);
    EXPECT_EQ(series.maxX(), 12.0);
    EXPECT_EQ(series.minY(), 5.0);
    EXPECT_EQ(series.maxY(), 9.0);

    addPoints(series, {{-1, -4}});
    EXPECT_EQ(series.minX(), -1.0);
    EXPECT_EQ(series.minY(), -4.0);

    series.clear();
    EXPECT_EQ(series.count(), 0);
    EXPECT_EQ(series.maxY(), 0.0);
    series.addValue(2.0, 1.0);
    EXPECT_EQ(series.count(), 1);
}
