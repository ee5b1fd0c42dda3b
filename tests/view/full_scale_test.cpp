#include "view/full_scale.h"

#include <gtest/gtest.h>

#include "run_state_fixture.h"

namespace {

PatternStore patternOf(float (*ctsOf)(int)) {
    PatternStore pattern;
    fillPattern(pattern, 10.0, 0.02, 1001, ctsOf);
    return pattern;
}

}  // namespace

TEST(Maxcts, IsTheLargestIntensityOfThePatternOnly) {
    PatternStore pattern = patternOf([](int i) { return i == 500 ? 750.0f : 1.0f; });
    pattern.cts[1001] = 9999.0f;  // beyond ilast: not part of the pattern
    EXPECT_FLOAT_EQ(computeMaxcts(pattern), 750.0f);
}

TEST(Maxcts, IsZeroForAPatternWithoutPositiveIntensity) {
    EXPECT_FLOAT_EQ(computeMaxcts(patternOf([](int i) { return -1.0f - i; })), 0.0f);
}

TEST(FullScaleWindow, Has150StepsOfMarginAndTenPercentAroundTheIntensities) {
    const PatternStore pattern = patternOf([](int i) { return float(i); });
    const FullScaleBounds full = fullScaleBounds(pattern, 1000.0f);
    EXPECT_DOUBLE_EQ(full.xmin, 10.0 - 3.0);
    EXPECT_DOUBLE_EQ(full.xmax, 30.0 + 3.0);
    EXPECT_NEAR(full.ymin, -100.0, 1e-9);
    EXPECT_NEAR(full.ymax, 1100.0, 1e-9);
}

TEST(FullScaleWindow, OfANegativePatternIsNotEmptyAndShowsEveryPoint) {
    // Intensities from -10 down to -1010.
    const PatternStore pattern = patternOf([](int i) { return -10.0f - i; });
    const FullScaleBounds full = fullScaleBounds(pattern, computeMaxcts(pattern));
    EXPECT_LT(full.ymin, -1010.0);
    EXPECT_GT(full.ymax, -10.0);
}

TEST(FullScaleWindow, OfAnAllZeroPatternIsNotEmpty) {
    const PatternStore pattern = patternOf([](int) { return 0.0f; });
    const FullScaleBounds full = fullScaleBounds(pattern, 0.0f);
    EXPECT_LT(full.ymin, 0.0);
    EXPECT_GT(full.ymax, 0.0);
}

TEST(FullScaleWindow, OfAPatternWhoseAnglesDoNotAdvanceHasAWidth) {
    PatternStore pattern = patternOf([](int i) { return float(i); });
    pattern.tthstep = 0.0;
    pattern.tthmax = pattern.tthmin;
    const FullScaleBounds full = fullScaleBounds(pattern, 1000.0f);
    EXPECT_LT(full.xmin, 10.0);
    EXPECT_GT(full.xmax, 10.0);
    ViewState view;
    setFullScale(view, pattern);
    EXPECT_TRUE(isFullScale(view.win, pattern, view.maxcts));
}

TEST(FullScaleTest, AllowsEachBoundToBeOffByOneHundredth) {
    ViewState view;
    const PatternStore pattern = patternOf([](int i) { return float(i); });
    setFullScale(view, pattern);
    EXPECT_TRUE(isFullScale(view.win, pattern, view.maxcts));
    for (float PlotWindow::*bound :
         {&PlotWindow::xmin, &PlotWindow::xmax, &PlotWindow::ymin, &PlotWindow::ymax}) {
        PlotWindow near = view.win;
        near.*bound += 0.005f;
        EXPECT_TRUE(isFullScale(near, pattern, view.maxcts));
        PlotWindow off = view.win;
        off.*bound -= 0.02f;
        EXPECT_FALSE(isFullScale(off, pattern, view.maxcts));
    }
}

TEST(FullScaleTest, AgreesWithTheWindowOfANegativePattern) {
    ViewState view;
    const PatternStore pattern = patternOf([](int i) { return -10.0f - i; });
    setFullScale(view, pattern);
    EXPECT_TRUE(isFullScale(view.win, pattern, view.maxcts));
    EXPECT_GT(view.win.dy, 0.0f);
}

TEST(SetFullScale, RecomputesMaxctsAndTheWindowSize) {
    ViewState view;
    view.maxcts = 5.0f;
    const PatternStore pattern = patternOf([](int i) { return float(i); });
    setFullScale(view, pattern);
    EXPECT_FLOAT_EQ(view.maxcts, 1000.0f);
    EXPECT_FLOAT_EQ(view.win.xmin, 7.0f);
    EXPECT_FLOAT_EQ(view.win.xmax, 33.0f);
    EXPECT_FLOAT_EQ(view.win.dx, 26.0f);
    EXPECT_FLOAT_EQ(view.win.dy, 1200.0f);
}

// Found by the random sessions: decreasing angles gave a box whose left edge lay right of
// its right edge, so that no click was ever inside it.
TEST(FullScaleWindow, OfDecreasingAnglesRunsFromTheLowerToTheHigherAngle) {
    PatternStore pattern;
    fillPattern(pattern, 30.0, -0.02, 1001, [](int i) { return float(i); });
    const FullScaleBounds full = fullScaleBounds(pattern, 1000.0f);
    EXPECT_DOUBLE_EQ(full.xmin, 10.0 - 3.0);
    EXPECT_DOUBLE_EQ(full.xmax, 30.0 + 3.0);
    ViewState view;
    setFullScale(view, pattern);
    EXPECT_GT(view.win.dx, 0.0f);
    EXPECT_TRUE(isFullScale(view.win, pattern, view.maxcts));
}
