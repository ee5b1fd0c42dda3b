// The region of a fit as weighted data points.

#include "fit/fit_data.h"

#include <gtest/gtest.h>

#include "view/run_state_fixture.h"

TEST(FitDataTest, EachPointIsWeightedByOneOverItsSig) {
    PatternStore pattern;
    fillPattern(pattern, 10.0, 0.02, 20, [](int i) { return 100.0f + i; });
    pattern.sig[5] = 4.0f;
    pattern.sig[6] = 0.5f;
    const std::vector<DataPoint> data = regionData(pattern, 5, 7);
    ASSERT_EQ(data.size(), 3u);
    EXPECT_EQ(data[0].x, pattern.tth[5]);
    EXPECT_EQ(data[0].y, 105.0f);
    EXPECT_EQ(data[0].w, 0.25f);
    EXPECT_EQ(data[1].w, 2.0f);
    EXPECT_EQ(data[2].w, 1.0f);
    EXPECT_EQ(data[2].y, 107.0f);
}

TEST(FitDataTest, NegativeCountsAndAZeroSigGiveWeightZero) {
    PatternStore pattern;
    fillPattern(pattern, 10.0, 0.02, 20, [](int i) { return i == 3 ? -5.0f : 0.0f; });
    pattern.sig[4] = 0.0f;
    const std::vector<DataPoint> data = regionData(pattern, 2, 4);
    EXPECT_EQ(data[0].w, 1.0f);  // zero counts still count
    EXPECT_EQ(data[1].w, 0.0f);
    EXPECT_EQ(data[2].w, 0.0f);
}

// A pattern read without sig holds the unset -500.0 there: every point weighs alike.
TEST(FitDataTest, APatternWithoutSigWeighsEveryPointAlike) {
    PatternStore pattern;
    fillPattern(pattern, 10.0, 0.02, 20, [](int i) { return 100.0f * i; });
    pattern.sig.fill(kUnset);
    const std::vector<DataPoint> data = regionData(pattern, 2, 9);
    for (const DataPoint& point : data) EXPECT_EQ(point.w, data[0].w);
    EXPECT_NE(data[0].w, 0.0f);
}
