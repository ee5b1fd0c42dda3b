// The suggestions against patterns of known truth.

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <random>
#include <vector>

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

// Patterns a crystallographer would mark by eye: every goal of the scorecard holds on each,
// the dense one's points no more than 3 degrees apart, between neighbours ten widths apart.
// The seeds are those where a narrow peak once pulled the broad one under it off its place or
// made no curvature minimum of its own on its flank, noise on a broad top took its place, or
// a broad peak measured wider than the widest.
TEST(SuggestQuality, MeetsEveryGoalOnTheGeneratedPatterns) {
    const struct {
        PatternRecipe recipe;
        std::vector<unsigned> seeds;
        double maxGap;
        int fewestPoints;
    } cases[] = {
        {mixedWidthsRecipe(), {1, 2, 4, 7, 8, 10, 11}, 0.0, 10},
        {mostlyBroadRecipe(), {1, 2, 4, 7}, 0.0, 4},  // broad peaks leave few free places
        {cagliotiRecipe(), {1, 2}, 0.0, 10},
        {edgePeaksRecipe(), {1, 2}, 0.0, 10},
        {dominantPeakRecipe(), {1, 2}, 0.0, 10},  // all along, even beside the dominant peak
        {densePatternRecipe(), {1, 2, 3}, 3.0, 80},
    };
    for (const auto& c : cases) {
        for (const unsigned seed : c.seeds) {
            SCOPED_TRACE(c.recipe.name + ", seed " + std::to_string(seed));
            const SyntheticPattern pattern = generatePattern(c.recipe, seed);
            const Suggestions found = suggest(*pattern.store, SuggestSettings{});
            const SuggestionScore score = scoreSuggestions(pattern, found);
            EXPECT_EQ(shortfalls(score, c.maxGap), "");
            EXPECT_GE(score.points, c.fewestPoints);
        }
    }
}

// Three times as high, the dense pattern's peaks have tails above 2.5 deviations between many
// neighbours: no point lies on them, and every stretch longer than 5 degrees is named rather
// than covered.
TEST(SuggestQuality, NamesTheStretchesOfADensePatternThatNoPointCanCover) {
    PatternRecipe recipe = densePatternRecipe();
    for (TruePeak& peak : recipe.peaks) peak.sigmas *= 3;
    const SyntheticPattern pattern = generatePattern(recipe, 1);
    const Suggestions found = suggest(*pattern.store, SuggestSettings{});
    const SuggestionScore score = scoreSuggestions(pattern, found);
    EXPECT_EQ(shortfalls(score, 0.0), "");
    EXPECT_GT(score.widestGap, 5.0);
    double previous = pattern.store->tth[0];
    for (const SuggestedPoint& point : found.background) {
        const bool named =
            std::any_of(found.bareStretches.begin(), found.bareStretches.end(),
                        [&](const auto& stretch) { return stretch.first == previous; });
        if (point.tth - previous > 5.0) {
            EXPECT_TRUE(named) << "from " << previous;
        }
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

// A large cell's pattern: 473 narrow peaks 0.2 degrees apart over 19001 points. Points
// between every pair would be more than the 200 a list holds, and so would peaks: each list
// stops at 200, the strongest peaks kept and the others counted, and the search ends.
TEST(SuggestQuality, ACrowdedPatternFillsEachListToItsLimitAndNoFurther) {
    PatternStore store;
    store.ilast = MAXBUF - 1;
    store.tthmin = 5.0;
    store.tthstep = 0.005;
    store.tthmax = store.tthmin + store.ilast * store.tthstep;
    std::mt19937 random(1);
    for (int i = 0; i <= store.ilast; ++i) {
        const double tth = store.tthmin + i * store.tthstep;
        const double nearest = 5.5 + 0.2 * std::round((tth - 5.5) / 0.2);
        const double d = (tth - nearest) / 0.03;
        const double model = 300.0 + 400.0 * std::exp(-4.0 * std::log(2.0) * d * d);
        store.tth[i] = static_cast<float>(tth);
        store.cts[i] = static_cast<float>(std::poisson_distribution<int>(model)(random));
        store.sig[i] = std::sqrt(std::max(store.cts[i], 1.0f));
    }
    const Suggestions found = suggest(store, SuggestSettings{});
    EXPECT_EQ(found.peaks.size(), static_cast<std::size_t>(kMaxSuggested));
    EXPECT_GT(found.peaksLeftOut, 200);
    EXPECT_LE(found.background.size(), static_cast<std::size_t>(kMaxSuggested));
    EXPECT_GE(found.background.size(), 10u);
}
