#include "data_series.h"

#include <gtest/gtest.h>

namespace {

std::string extremes(const TSeries& s) {
    return realToText(s.minX()) + " " + realToText(s.maxX()) + " " + realToText(s.minY()) + " " +
           realToText(s.maxY());
}

} // namespace

TEST(Series, KeepsPointsValueFirstAndACapDropsTheOldest) {
    DataSeries series;
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
    series.addValue(80, 8);
    EXPECT_EQ(pointsOf(series), "6:60 7:70 8:80 ");
}

TEST(Series, ExtremesAreZeroWhenEmptyAndFollowTheData) {
    DataSeries series;
    EXPECT_EQ(extremes(series), "0 0 0 0");
    // All positive: 0 is not an extreme just because the series started empty.
    addPoints(series, {{7, 5}, {3, 9}, {12, 6}});
    EXPECT_EQ(extremes(series), "3 12 5 9");
    addPoints(series, {{-1, -4}});
    EXPECT_EQ(extremes(series), "-1 12 -4 9");
    series.clear();
    EXPECT_EQ(extremes(series), "0 0 0 0");
    EXPECT_EQ(series.count(), 0);
}
