// Reading a fit back: the curve at the final parameters and where each peak's marks go.

#include "fit/fit_result.h"

#include <gtest/gtest.h>

#include "lsq/param_names.h"

namespace {

// Five region points from 20.00 degrees in steps of 0.02, pattern points 500 to 504 of a
// pattern starting at 10 degrees. The background runs from 100 to 200; the peaks have no
// intensity, so the curve is the background line alone.
class FitResultTest : public ::testing::Test {
  protected:
    LsqState lsq;

    FitResultTest() {
        copyNameTable(lsq.params);
        for (int i = 0; i < 5; ++i) lsq.data.push_back({20.0f + 0.02f * i, 150.0f, 1.0f, -1.0f});
        lsq.params[kLowBkgnd].b = 100.0;
        lsq.params[kHighBkgnd].b = 200.0;
        lsq.params[kEta].b = 0.4;
        lsq.params[kWor].b = 0.06;
        lsq.fwhmMode = 'f';
        lsq.phi_new = 30.0;
        lsq.nu = 4;
    }
    void peak(int j, double position, double fwhm) {
        lsq.params[peakPosition(j)].b = position;
        lsq.params[peakPosition(j)].fit = 1;
        lsq.params[peakFwhm(j)].b = fwhm;
    }
    FitResult read(int peakCount) { return readFitResult(lsq, peakCount, 500, 10.0, 0.02); }
};

}  // namespace

// The points' `model` still holds -1 from before: the curve is evaluated afresh.
TEST_F(FitResultTest, TheCurveIsTheModelAtTheFinalParameters) {
    peak(1, 20.04, 0.1);
    const FitResult result = read(1);
    EXPECT_EQ(result.calc, (std::vector<float>{100, 125, 150, 175, 200}));
    EXPECT_EQ(result.diff, (std::vector<float>{50, 25, 0, -25, -50}));
    EXPECT_EQ(result.meanBackground(), 150.0);
    EXPECT_EQ(result.eta, 0.4);
    EXPECT_EQ(result.wor, 0.06);
    EXPECT_EQ(result.chisq, 7.5);
}

TEST_F(FitResultTest, EachPeakMarksThePointAtOrJustBelowIt) {
    peak(1, 20.05, 0.1);
    peak(2, 20.06, 0.2);
    const FitResult result = read(2);
    ASSERT_EQ(result.peakCount, 2);
    EXPECT_EQ(result.peaks[0].marker, 2);
    EXPECT_EQ(result.peaks[1].marker, 3);
    EXPECT_EQ(result.heightAt(result.peaks[1]), 175.0f);
    EXPECT_EQ(result.peaks[1].fwhm, 0.2);
    EXPECT_EQ(result.peaks[1].position, 20.06);
}

TEST_F(FitResultTest, APeakThatLeftTheRegionTakesTheNearestRegionPoint) {
    peak(1, 19.0, 0.1);
    peak(2, 25.0, 0.1);
    const FitResult result = read(2);
    EXPECT_EQ(result.peaks[0].marker, 0);
    EXPECT_EQ(result.peaks[1].marker, 4);
    EXPECT_EQ(result.heightAt(result.peaks[0]), 100.0f);
    EXPECT_EQ(result.heightAt(result.peaks[1]), 200.0f);
}

TEST_F(FitResultTest, InCommonModeEveryPeakHasTheCommonWidth) {
    lsq.fwhmMode = 'g';
    lsq.params[kCfwhm].b = 0.125;
    peak(1, 20.02, 0.3);
    peak(2, 20.06, 0.4);
    const FitResult result = read(2);
    EXPECT_EQ(result.peaks[0].fwhm, 0.125);
    EXPECT_EQ(result.peaks[1].fwhm, 0.125);
}
