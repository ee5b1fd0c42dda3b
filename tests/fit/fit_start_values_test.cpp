// Start values of a fit on patterns from 10 degrees in steps of 0.02 (point i at
// 10 + 0.02 i), worked out by hand from the counts.

#include "fit/fit_start_values.h"

#include <gtest/gtest.h>

#include "view/run_state_fixture.h"

namespace {

class FitStartValuesTest : public ::testing::Test {
  protected:
    PatternStore pattern;
    ParamVector params;

    FitStartValuesTest() {
        // What an earlier fit may have left: every parameter refined with some value.
        for (FitParam& p : params) {
            p.b = 7.0;
            p.fit = 1;
        }
        params[kWor].b = 0.3;
    }

    template <typename CtsOf>
    void fill(CtsOf ctsOf) {
        fillPattern(pattern, 10.0, 0.02, 1001, ctsOf);
    }
    void start(std::vector<int> points, FitModel model = {false, false}) {
        FitSelection selection;
        for (std::size_t k = 0; k < points.size(); ++k) selection.sel[k] = points[k];
        selection.sellast = static_cast<int>(points.size()) - 1;
        setStartValues(params, pattern, selection, model);
    }
};

}  // namespace

// Ends 100 and 120 on the line cts = i, peaks of 100 and 300 counts above it at 105 and
// 115: the ends average 102 and 118, the net area is 400 counts over 21 points, so the
// width is 400 x 0.02 / (100 + 300) = 0.02 and each intensity 0.02 x its net height.
TEST_F(FitStartValuesTest, PeaksStartAtTheirPointsWithTheirNetHeightsTimesOneWidth) {
    fill([](int i) { return float(i) + (i == 105 ? 100.0f : 0.0f) + (i == 115 ? 300.0f : 0.0f); });
    start({100, 105, 115, 120});
    EXPECT_DOUBLE_EQ(params[kLowBkgnd].b, 102.0);
    EXPECT_DOUBLE_EQ(params[kHighBkgnd].b, 118.0);
    EXPECT_DOUBLE_EQ(params[kEta].b, 0.5);
    EXPECT_FLOAT_EQ(params[peakPosition(1)].b, 12.1f);
    EXPECT_FLOAT_EQ(params[peakPosition(2)].b, 12.3f);
    // The angles are single precision: good to a few parts in 10^7.
    EXPECT_NEAR(params[peakFwhm(1)].b, 0.02, 1e-8);
    EXPECT_NEAR(params[peakFwhm(2)].b, 0.02, 1e-8);
    EXPECT_NEAR(params[peakIntensity(1)].b, 2.0, 1e-6);
    EXPECT_NEAR(params[peakIntensity(2)].b, 6.0, 1e-6);
}

TEST_F(FitStartValuesTest, IndividualWidthsAreRefinedAndTheCommonOneHeldAtZero) {
    fill([](int i) { return i == 110 ? 300.0f : 100.0f; });
    start({100, 110, 120});
    for (int k : {kEta, kLowBkgnd, kHighBkgnd, peakPosition(1), peakIntensity(1), peakFwhm(1)})
        EXPECT_EQ(params[k].fit, 1) << k;
    EXPECT_EQ(params[kCfwhm].fit, 0);
    EXPECT_EQ(params[kCfwhm].b, 0.0);
}

TEST_F(FitStartValuesTest, ACommonWidthIsRefinedAndEachPeaksWidthHeldAtZero) {
    fill([](int i) { return i == 110 ? 300.0f : 100.0f; });
    start({100, 105, 110, 120}, {true, false});
    EXPECT_EQ(params[kCfwhm].fit, 1);
    EXPECT_GT(params[kCfwhm].b, 0.0);
    for (int j : {1, 2}) {
        EXPECT_EQ(params[peakFwhm(j)].fit, 0);
        EXPECT_EQ(params[peakFwhm(j)].b, 0.0);
        EXPECT_EQ(params[peakPosition(j)].fit, 1);
    }
}

TEST_F(FitStartValuesTest, EverythingAfterTheLastPeakIsHeldAtZero) {
    fill([](int i) { return i == 110 ? 300.0f : 100.0f; });
    start({100, 110, 120});
    for (int k = peakPosition(2); k < kNmax; ++k) {
        EXPECT_EQ(params[k].fit, 0) << k;
        EXPECT_EQ(params[k].b, 0.0) << k;
    }
}

TEST_F(FitStartValuesTest, WorKeepsItsValueAndIsRefinedOnlyWhenAsked) {
    fill([](int i) { return i == 110 ? 300.0f : 100.0f; });
    start({100, 110, 120});
    EXPECT_EQ(params[kWor].b, 0.3);
    EXPECT_EQ(params[kWor].fit, 0);
    start({100, 110, 120}, {false, true});
    EXPECT_EQ(params[kWor].b, 0.3);
    EXPECT_EQ(params[kWor].fit, 1);
}

// Three points: each end averages only those three (cts = i: 100, 101, 102), where five
// points from either end would reach 98 and 104 outside the region.
TEST_F(FitStartValuesTest, TheEndsOfAShortRegionAverageOnlyItsOwnPoints) {
    fill([](int i) { return float(i); });
    start({100, 101, 102});
    EXPECT_DOUBLE_EQ(params[kLowBkgnd].b, 101.0);
    EXPECT_DOUBLE_EQ(params[kHighBkgnd].b, 101.0);
}

// Beyond point 1000 the store holds the unset -500.0, which would drag the mean down.
TEST_F(FitStartValuesTest, ARegionAtTheEndOfThePatternReadsNothingBeyondIt) {
    fill([](int i) { return float(i); });
    start({997, 999, 1000});
    EXPECT_DOUBLE_EQ(params[kLowBkgnd].b, 998.5);
    EXPECT_DOUBLE_EQ(params[kHighBkgnd].b, 998.5);
}

// A dip below a flat 100, 40 deep at point 110 and 20 at its neighbours: net area -80 over
// the summed net height -40 is a width of two steps (0.04 degree), not the fallback 0.1.
TEST_F(FitStartValuesTest, ADipBelowTheLineStartsWithItsOwnWidth) {
    fill([](int i) {
        return 100.0f - (i == 110 ? 40.0f : 0.0f) - (i == 109 || i == 111 ? 20.0f : 0.0f);
    });
    start({100, 110, 120});
    EXPECT_NEAR(params[peakFwhm(1)].b, 0.04, 1e-8);
    EXPECT_NEAR(params[peakIntensity(1)].b, 0.04 * -40.0, 1e-6);
    start({100, 109, 110, 120}, {true, false});  // summed net height -60
    EXPECT_NEAR(params[kCfwhm].b, 80 * 0.02 / 60, 1e-8);
}

TEST_F(FitStartValuesTest, PeaksOnTheLineStartAtAQuarterOfTheRegion) {
    fill([](int i) { return float(i); });
    start({100, 110, 120});
    EXPECT_NEAR(params[peakFwhm(1)].b, 0.1, 1e-6);
    EXPECT_EQ(params[peakIntensity(1)].b, 0.0);
}

// A peak 200 above the line of its ends (100) in a region whose other inner points hold
// nothing: the net area 10 x 100 + 300 - 21 x 100 and so the width estimate are negative.
TEST_F(FitStartValuesTest, ANegativeNetAreaAlsoFallsBackToAQuarterOfTheRegion) {
    fill([](int i) { return i == 110 ? 300.0f : (i > 104 && i < 116 ? 0.0f : 100.0f); });
    start({100, 110, 120});
    EXPECT_NEAR(params[peakFwhm(1)].b, 0.1, 1e-6);
    EXPECT_NEAR(params[peakIntensity(1)].b, 0.1 * 200.0, 1e-4);
}
