// The suggestions against patterns of known truth.

#include <gtest/gtest.h>

#include <cmath>

#include "suggest/suggestions.h"
#include "suggest/synthetic_pattern.h"

namespace {

double distanceToNearest(double tth, const std::vector<FoundPeak>& peaks) {
    double best = 1e9;
    for (const FoundPeak& peak : peaks) best = std::min(best, std::fabs(peak.tth - tth));
    return best;
}

TEST(SuggestQuality, FindsThePeaksAndFollowsTheBackgroundOfGeneratedPatterns) {
    for (const unsigned seed : {1u, 2u, 3u}) {
        SCOPED_TRACE("seed " + std::to_string(seed));
        const SyntheticPattern pattern = syntheticPattern(seed);
        const Suggestions found = suggest(*pattern.store, SuggestSettings{});

        int moderate = 0, moderateFound = 0;
        for (const TruePeak& peak : pattern.peaks) {
            const double miss = distanceToNearest(peak.position, found.peaks);
            if (peak.sigmas >= 10) {
                EXPECT_LT(miss, 0.05)
                    << "peak at " << peak.position << ", " << peak.sigmas << " sigma";
            } else if (peak.sigmas >= 5) {
                ++moderate;
                if (miss < 0.05) ++moderateFound;
            }
        }
        EXPECT_GE(2 * moderateFound, moderate);

        int stray = 0;
        for (const FoundPeak& peak : found.peaks) {
            double nearest = 1e9;
            for (const TruePeak& truth : pattern.peaks)
                nearest = std::min(nearest, std::fabs(truth.position - peak.tth));
            if (nearest > 0.1) ++stray;
        }
        EXPECT_LE(stray, 80 / 30);

        ASSERT_GE(found.background.size(), 2u);
        EXPECT_TRUE(found.bareStretches.empty());  // points from end to end
        for (const SuggestedPoint& point : found.background) {
            const double truth = pattern.background(point.tth);
            EXPECT_LT(std::fabs(point.cts - truth), 3.0 * std::sqrt(truth))
                << "point at " << point.tth;
        }
    }
}

}  // namespace
