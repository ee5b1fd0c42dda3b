#include "peaks/autoscale.h"

#include <gtest/gtest.h>

#include "view/run_state_fixture.h"

namespace {

// The standard pattern: 10 to 30 degrees in steps of 0.02 with cts[i] = i, so the largest
// intensity of a window is the index of its last point. Windows end half a step past a
// point, so that the truncated index is the same whatever the rounding of the division.
class AutoscaleTest : public ::testing::Test, protected RunStateFixture {
  protected:
    PlotWindow& win = state->view.win;

    void autoscale(float xmin, float xmax, double factor) {
        zoomTo(xmin, xmax, 200, 400);
        autoscaleWindow(*state, factor);
    }
};

}  // namespace

TEST_F(AutoscaleTest, FollowsTheLargestIntensityInTheTwoThetaRange) {
    autoscale(18.01f, 22.01f, kRoiAutoscale);  // points 400 to 600
    EXPECT_FLOAT_EQ(win.ymin, -60.0f);
    EXPECT_FLOAT_EQ(win.ymax, 660.0f);
    EXPECT_FLOAT_EQ(win.dy, 720.0f);
    EXPECT_FLOAT_EQ(win.xmin, 18.01f);  // the two-theta range stays
    EXPECT_FLOAT_EQ(win.xmax, 22.01f);
}

TEST_F(AutoscaleTest, TheFittingFactorLeavesMoreRoomAbove) {
    autoscale(18.01f, 22.01f, kFittingAutoscale);
    EXPECT_FLOAT_EQ(win.ymin, -60.0f);
    EXPECT_FLOAT_EQ(win.ymax, 780.0f);
}

TEST_F(AutoscaleTest, APeakInsideTheRangeSetsTheTop) {
    state->pattern.cts[500] = 5000.0f;  // 20.0 degrees
    autoscale(19.01f, 21.01f, kRoiAutoscale);
    EXPECT_FLOAT_EQ(win.ymax, 5500.0f);
    autoscale(21.01f, 22.01f, kRoiAutoscale);  // the peak lies left of this range
    EXPECT_FLOAT_EQ(win.ymax, 660.0f);
}

TEST_F(AutoscaleTest, OnlyPatternPointsCountWhenTheWindowReachesBeyondTheEnd) {
    state->pattern.cts[1001] = 9000.0f;  // a stale value just past ilast
    autoscale(28.01f, 33.0f, kRoiAutoscale);
    EXPECT_FLOAT_EQ(win.ymax, 1100.0f);
}

TEST_F(AutoscaleTest, AWindowReachingBeforeTheStartScansFromTheFirstPoint) {
    autoscale(7.0f, 12.01f, kRoiAutoscale);  // points 0 to 100
    EXPECT_FLOAT_EQ(win.ymin, -10.0f);
    EXPECT_FLOAT_EQ(win.ymax, 110.0f);
}

TEST_F(AutoscaleTest, AWindowWhollyOutsideThePatternKeepsItsIntensityRange) {
    autoscale(31.0f, 33.0f, kRoiAutoscale);
    EXPECT_FLOAT_EQ(win.ymin, 200.0f);
    EXPECT_FLOAT_EQ(win.ymax, 400.0f);
    autoscale(7.0f, 9.5f, kRoiAutoscale);
    EXPECT_FLOAT_EQ(win.ymin, 200.0f);
    EXPECT_FLOAT_EQ(win.ymax, 400.0f);
}

TEST_F(AutoscaleTest, ARangeWithoutPositiveIntensityKeepsItsIntensityRange) {
    for (int i = 0; i <= 100; ++i) state->pattern.cts[i] = -5.0f;
    autoscale(11.01f, 12.01f, kRoiAutoscale);
    EXPECT_FLOAT_EQ(win.ymin, 200.0f);
    EXPECT_FLOAT_EQ(win.ymax, 400.0f);
    EXPECT_FLOAT_EQ(win.dy, 200.0f);
}

TEST_F(AutoscaleTest, APatternWhoseAnglesNeverAdvanceIsScannedWhole) {
    fillPattern(state->pattern, 10.0, 0.0, 5, [](int i) { return float(10 * i); });
    autoscale(9.0f, 11.0f, kRoiAutoscale);
    EXPECT_FLOAT_EQ(win.ymax, 44.0f);
    autoscale(10.0f, 11.0f, kRoiAutoscale);  // the index of the left edge is undefined
    EXPECT_FLOAT_EQ(win.ymax, 400.0f);
}
