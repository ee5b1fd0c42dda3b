// The results table's format: its header and its rows, fitted or not.

#include "batch/results_table.h"

#include <gtest/gtest.h>

namespace {

TEST(ResultsTable, HeaderNamesEveryColumnTabSeparated) {
    EXPECT_EQ(tableHeader(),
              "pattern\tregion\tpeak\ttth\ttth_se\tintensity\tintensity_se\tfwhm\tfwhm_se\teta"
              "\twor\tchi2\titerations\tstatus\td\td_se\tflags\n");
}

// Each row has its own verdict and flags, the flags comma-separated in one order.
TEST(ResultsTable, RowPerPeakWithValuesErrorsStatusAndFlags) {
    Region region;
    region.positions = {21.6, 22.2};
    RegionFit fit;
    fit.status = FitStatus::IterationLimit;
    fit.engineRan = true;
    fit.result.peakCount = 2;
    fit.result.peaks[0] = {21.6012345, 41.5, 0.0801, 0};
    fit.result.peaks[1] = {22.2, 1234567.25, 0.09, 0};
    fit.se[0] = {1.23456e-5, 0.5, 2e-4};
    fit.se[1] = {2e-5, 12.0, 3e-4};
    fit.result.eta = 0.4;
    fit.result.wor = 0.06;
    fit.result.chisq = 1.5;
    fit.iterations = 30;
    fit.peakStatus = {FitStatus::IterationLimit, FitStatus::NotSignificant};
    fit.flags = {kNearEnd | kEtaAtBound, kKa2Outside | kHighChi2 | kWorAssumed};
    EXPECT_EQ(tableRows("run/a b.xy", 2, region, fit),
              "run/a b.xy\t2\t1\t21.601235\t1.235e-05\t41.500000\t5.000e-01\t0.080100\t2.000e-04"
              "\t0.400000\t0.060000\t1.500000\t30\titeration-limit\tnan\tnan"
              "\teta-at-bound,near-end\n"
              "run/a b.xy\t2\t2\t22.200000\t2.000e-05\t1234567.250000\t1.200e+01\t0.090000"
              "\t3.000e-04\t0.400000\t0.060000\t1.500000\t30\tnot-significant\tnan\tnan"
              "\twor-assumed,high-chi2,ka2-outside\n");
}

// d = lambda1 / (2 sin theta), d_se = d cot theta dtheta: at 60 degrees d is lambda1 itself, at
// 90 degrees lambda1 / sqrt 2 with cot theta 1.
TEST(ResultsTable, SpacingsFromTheKalpha1Wavelength) {
    Region region;
    region.positions = {60.0, 90.0};
    RegionFit fit;
    fit.status = FitStatus::Ok;
    fit.engineRan = true;
    fit.radiation = Radiation{1.5, 1.504, 0.5, "--wavelength"};
    fit.result.peakCount = 2;
    fit.result.peaks[0] = {60.0, 100.0, 0.1, 0};
    fit.result.peaks[1] = {90.0, 100.0, 0.1, 0};
    fit.se[0] = {0.02, 1.0, 1e-3};
    fit.se[1] = {0.02, 1.0, 1e-3};
    EXPECT_EQ(tableRows("a.xy", 1, region, fit),
              "a.xy\t1\t1\t60.000000\t2.000e-02\t100.000000\t1.000e+00\t0.100000\t1.000e-03"
              "\t0.000000\t0.000000\t0.000000\t0\tok\t1.500000\t4.534e-04\t\n"
              "a.xy\t1\t2\t90.000000\t2.000e-02\t100.000000\t1.000e+00\t0.100000\t1.000e-03"
              "\t0.000000\t0.000000\t0.000000\t0\tok\t1.060660\t1.851e-04\t\n");
    fit.engineRan = false;  // a fit that did not run has no spacing, whatever the radiation
    fit.status = FitStatus::Outside;
    EXPECT_NE(tableRows("a.xy", 1, region, fit).find("\toutside\tnan\tnan\t\n"), std::string::npos);
}

TEST(ResultsTable, FitThatDidNotRunShowsNanForEveryValue) {
    Region region;
    region.positions = {21.6};
    RegionFit fit;
    fit.status = FitStatus::Outside;
    EXPECT_EQ(tableRows("a.xy", 1, region, fit),
              "a.xy\t1\t1\tnan\tnan\tnan\tnan\tnan\tnan\tnan\tnan\tnan\t0\toutside\tnan\tnan\t\n");
}

}  // namespace
