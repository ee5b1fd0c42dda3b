// The results table's format: its header and its rows, fitted or not.

#include "batch/results_table.h"

#include <gtest/gtest.h>

namespace {

TEST(ResultsTable, HeaderNamesEveryColumnTabSeparated) {
    EXPECT_EQ(tableHeader(),
              "pattern\tregion\tpeak\ttth\ttth_se\tintensity\tintensity_se\tfwhm\tfwhm_se\teta"
              "\twor\tchi2\titerations\tstatus\n");
}

TEST(ResultsTable, RowPerPeakWithValuesErrorsAndStatus) {
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
    fit.iterations = 31;
    EXPECT_EQ(tableRows("run/a b.xy", 2, region, fit),
              "run/a b.xy\t2\t1\t21.601235\t1.235e-05\t41.500000\t5.000e-01\t0.080100\t2.000e-04"
              "\t0.400000\t0.060000\t1.500000\t31\titeration-limit\n"
              "run/a b.xy\t2\t2\t22.200000\t2.000e-05\t1234567.250000\t1.200e+01\t0.090000"
              "\t3.000e-04\t0.400000\t0.060000\t1.500000\t31\titeration-limit\n");
}

TEST(ResultsTable, FitThatDidNotRunShowsNanForEveryValue) {
    Region region;
    region.positions = {21.6};
    RegionFit fit;
    fit.status = FitStatus::Outside;
    EXPECT_EQ(tableRows("a.xy", 1, region, fit),
              "a.xy\t1\t1\tnan\tnan\tnan\tnan\tnan\tnan\tnan\tnan\tnan\t0\toutside\n");
}

}  // namespace
