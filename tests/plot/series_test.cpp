#include "data_series.h"

#include <gtest/gtest.h>

TEST(Series, KeepsPointsValueFirstACapDropsTheOldestAndEmptyExtremesAreZero) {
    DataSeries series;
    const auto extremes = [&] {
        return realToText(series.minX()) + " " + realToText(series.maxX()) + " " +
               realToText(series.minY()) + " " + realToText(series.maxY());
    };
    EXPECT_EQ(extremes(), "0 0 0 0");
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
    EXPECT_EQ(extremes(), "6 8 -80 70");
}
