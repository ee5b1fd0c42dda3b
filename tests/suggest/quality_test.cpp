// The suggestions against patterns of known truth.

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>

#include "suggest/suggestion_score.h"
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

// Patterns a crystallographer would mark by eye: every goal of the scorecard holds on each.
TEST(SuggestQuality, MeetsTheGoalsOnMixedWidthsEdgePeaksAndOneDominantPeak) {
    for (const PatternRecipe& recipe :
         {mixedWidthsRecipe(), cagliotiRecipe(), edgePeaksRecipe(), dominantPeakRecipe()}) {
        for (const unsigned seed : {1u, 2u}) {
            SCOPED_TRACE(recipe.name + ", seed " + std::to_string(seed));
            const SyntheticPattern pattern = generatePattern(recipe, seed);
            const Suggestions found = suggest(*pattern.store, SuggestSettings{});
            const SuggestionScore score = scoreSuggestions(pattern, found);
            EXPECT_EQ(shortfalls(score, 0.0), "");
            EXPECT_GE(score.points, 10);  // all along, even beside the dominant peak
        }
    }
}

// 86 peaks one degree apart: all found, and points between them wherever their tails come
// down to the background, no more than 3 degrees apart above 35 degrees. Where the strong
// low-angle peaks' long asymmetric tails do not come down, a long stretch is named rather
// than covered by points on the tails.
TEST(SuggestQuality, CoversADensePatternOrNamesTheStretchItCannot) {
    const SyntheticPattern pattern = generatePattern(densePatternRecipe(), 1);
    const Suggestions found = suggest(*pattern.store, SuggestSettings{});
    const SuggestionScore score = scoreSuggestions(pattern, found);
    EXPECT_EQ(shortfalls(score, 0.0), "");
    EXPECT_GE(score.points, 40);
    double previous = pattern.store->tth[0];
    for (const SuggestedPoint& point : found.background) {
        const bool named =
            std::any_of(found.bareStretches.begin(), found.bareStretches.end(),
                        [&](const auto& stretch) { return stretch.first == previous; });
        if (point.tth - previous > 3.0) EXPECT_LT(previous, 35.0) << "only at low angles";
        if (point.tth - previous > 5.0) EXPECT_TRUE(named) << "from " << previous;
        previous = point.tth;
    }
}

// The peak widths the regions of xrdfit --cdt are sized by: each found peak's own.
TEST(SuggestQuality, EachPeakCarriesItsOwnWidth) {
    const SyntheticPattern pattern = generatePattern(mixedWidthsRecipe(), 1);
    const std::vector<FoundPeak> found = peaksForRegions(*pattern.store);
    for (const TruePeak& truth : pattern.peaks) {
        if (truth.sigmas < 15) continue;
        const auto nearest = std::min_element(
            found.begin(), found.end(), [&](const FoundPeak& a, const FoundPeak& b) {
                return std::fabs(a.tth - truth.position) < std::fabs(b.tth - truth.position);
            });
        ASSERT_NE(nearest, found.end());
        // A narrow peak on a broad one's flank measures up to twice as wide; one width for
        // the pattern would be ten times off for either kind.
        EXPECT_GT(nearest->fwhm, 0.6 * truth.fwhm) << "peak at " << truth.position;
        EXPECT_LT(nearest->fwhm, 2.2 * truth.fwhm) << "peak at " << truth.position;
    }
}
