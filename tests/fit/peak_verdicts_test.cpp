// A fitted peak's verdict and flags, at each test's edge: what the data hold, and what a
// careful reader should look at.

#include "fit/peak_verdicts.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>

namespace {

constexpr double kNan = std::numeric_limits<double>::quiet_NaN();
constexpr double kInf = std::numeric_limits<double>::infinity();

TEST(PeakVerdict, TheFirstTestAPeakFailsNamesIt) {
    const RegionSpan span{29.0, 31.0, 0.01};
    const struct {
        FittedPeak peak;
        PeakErrors se;
        FitStatus verdict;
    } cases[] = {
        {{30.0, 100.0, 0.1, 0}, {0.001, 2.0, 0.002}, FitStatus::Ok},
        {{30.0, 30.0, 0.1, 0}, {0.001, 10.0, 0.002}, FitStatus::Ok},  // 3 errors exactly
        {{30.0, 29.9, 0.1, 0}, {0.001, 10.0, 0.002}, FitStatus::NotSignificant},
        {{30.0, 100.0, 0.01, 0}, {0.001, 2.0, 0.002}, FitStatus::Ok},  // one step exactly
        {{30.0, 100.0, 0.0099, 0}, {0.001, 2.0, 0.002}, FitStatus::TooNarrow},
        {{30.0, 0.0, 0.1, 0}, {0.001, 2.0, 0.002}, FitStatus::NoPeak},
        {{30.0, -35.0, 0.1, 0}, {0.001, 2.0, 0.002}, FitStatus::NoPeak},
        {{30.0, -35.0, -0.82, 0}, {0.001, 2.0, 0.002}, FitStatus::Diverged},  // FWHM first
        {{30.0, 100.0, 0.0, 0}, {0.001, 2.0, 0.002}, FitStatus::Diverged},
        {{28.99, 100.0, 0.1, 0}, {0.001, 2.0, 0.002}, FitStatus::Diverged},
        {{31.0, 100.0, 0.1, 0}, {0.001, 2.0, 0.002}, FitStatus::Ok},  // on the end
        {{31.01, 100.0, 0.1, 0}, {0.001, 2.0, 0.002}, FitStatus::Diverged},
        {{kNan, 100.0, 0.1, 0}, {0.001, 2.0, 0.002}, FitStatus::Diverged},
        {{30.0, 100.0, kInf, 0}, {0.001, 2.0, 0.002}, FitStatus::Diverged},
        {{30.0, 100.0, 0.1, 0}, {kInf, 2.0, 0.002}, FitStatus::NotSignificant},
        {{30.0, 100.0, 0.1, 0}, {0.001, kNan, 0.002}, FitStatus::NotSignificant},
        {{30.0, 100.0, 0.1, 0}, {0.001, 2.0, kNan}, FitStatus::NotSignificant},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(::testing::Message()
                     << c.peak.position << " I " << c.peak.intensity << " FWHM " << c.peak.fwhm);
        EXPECT_EQ(peakVerdict(c.peak, c.se, span), c.verdict);
    }
    // Dropped first: the farthest from ok.
    EXPECT_GT(verdictWeight(FitStatus::Diverged), verdictWeight(FitStatus::NoPeak));
    EXPECT_GT(verdictWeight(FitStatus::NoPeak), verdictWeight(FitStatus::TooNarrow));
    EXPECT_GT(verdictWeight(FitStatus::TooNarrow), verdictWeight(FitStatus::NotSignificant));
    EXPECT_GT(verdictWeight(FitStatus::NotSignificant), verdictWeight(FitStatus::Ok));
}

TEST(PeakFlags, NearAnEndAndAKalpha2LineBeyondTheRegion) {
    const Kalpha2 copper{1.544426 / 1.540598, 0.5};
    const struct {
        double position, fwhm, high;
        bool doublet;
        unsigned flags;
    } cases[] = {
        {30.0, 0.1, 31.0, false, 0u},
        {29.11, 0.1, 31.0, false, 0u},  // just over one FWHM from the low end
        {29.09, 0.1, 31.0, false, kNearEnd},
        {30.91, 0.1, 31.0, false, kNearEnd},
        {30.0, 0.1, 31.0, true, 0u},
        {30.0, 0.02, 30.05, true, kKa2Outside},  // the Kα2 line lies 0.075 above
        {30.0, 0.1, 30.05, true, kNearEnd | kKa2Outside},
        {1e30, 0.1, 31.0, true, kNearEnd},  // past any float: no companion is placed
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(::testing::Message() << c.position << " " << c.fwhm << " " << c.high);
        const std::optional<Kalpha2> kalpha2 = c.doublet ? std::optional(copper) : std::nullopt;
        EXPECT_EQ(peakFlags({c.position, 100.0, c.fwhm, 0}, {29.0, c.high, 0.01}, kalpha2),
                  c.flags);
    }
    EXPECT_EQ(flagNames(0u), "");
    EXPECT_EQ(flagNames(kHighChi2), "high-chi2");
    EXPECT_EQ(flagNames(kKa2Outside | kEtaAtBound | kNearEnd | kWorAssumed | kHighChi2),
              "eta-at-bound,wor-assumed,high-chi2,near-end,ka2-outside");
}

// A sequential run carries only the ok peaks: a dropped one keeps the start it was given,
// or none (estimated afresh from the next pattern).
TEST(FittedStart, CarriesTheOkPeaksOnly) {
    RegionFit fit;
    fit.engineRan = true;
    fit.result.peakCount = 2;
    fit.result.peaks[0] = {30.0, 100.0, 0.1, 0};
    fit.result.peaks[1] = {30.3, 5.0, 0.001, 0};
    fit.peakStatus = {FitStatus::Ok, FitStatus::TooNarrow};
    fit.result.eta = 0.3;
    fit.result.wor = 0.05;
    StartValues given;
    given.peaks = {{29.9, 90.0, 0.12}, {30.2, 40.0, 0.11}};
    const StartValues carried = fittedStart(fit, &given);
    ASSERT_EQ(carried.peaks.size(), 2u);
    EXPECT_EQ(carried.peaks[0].position, 30.0);
    EXPECT_EQ(carried.peaks[1].position, 30.2);
    EXPECT_EQ(carried.peaks[1].fwhm, 0.11);
    EXPECT_EQ(carried.eta, 0.3);
    EXPECT_EQ(carried.wor, 0.05);
    EXPECT_TRUE(std::isnan(fittedStart(fit, nullptr).peaks[1].position));
}

}  // namespace
