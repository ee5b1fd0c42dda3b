// The suggestions on generated patterns of each hard kind, against their known truth: broad
// pairs, Kα1/Kα2 doublets with the radiation stated or not, spikes, weak broad peaks,
// shoulders and noise alone, some of them without noise.

#include <gtest/gtest.h>

#include <cmath>
#include <sstream>
#include <string>
#include <vector>

#include "suggest/suggest_main.h"
#include "suggest/suggestion_score.h"
#include "suggest/synthetic_pattern.h"
#include "support/temp_dir.h"

namespace {

PatternRecipe noiseFree(PatternRecipe recipe) {
    recipe.noiseFree = true;
    recipe.name += ", noise-free";
    return recipe;
}

// Two 0.8-degree peaks one FWHM apart, equal, on a flat background: one bump, two peaks.
PatternRecipe oneWidthApartRecipe() {
    return {"one FWHM apart",
            50.0,
            70.0,
            0.02,
            [](double) { return 100.0; },
            {{60.0, 200, 0.8}, {61.0, 200, 0.8}}};
}

}  // namespace

// Every true peak of 5 sigma or more by area found, no phantom beside one, every spike named,
// no background point more than 2.5 deviations off the background nor on a peak, and with
// the radiation stated the Kα1 lines within 0.01 degrees.
TEST(SuggestKinds, FindsEveryPeakOfEachKindAndNoPhantom) {
    const struct {
        PatternRecipe recipe;
        std::vector<unsigned> seeds;
        int mostMissed;
        int mostExtra;
        double farthestPlace;  // degrees, of a found peak from its truth
    } cases[] = {
        {broadPairsRecipe(), {1, 3}, 0, 1, 0.1},
        {noiseFree(broadPairsRecipe()), {1}, 0, 0, 0.1},
        {noiseFree(oneWidthApartRecipe()), {1}, 0, 0, 0.1},
        {resolvedDoubletsRecipe(), {1, 2, 3}, 0, 0, 0.05},
        {noiseFree(resolvedDoubletsRecipe()), {1}, 0, 0, 0.05},
        {mergedDoubletsRecipe(), {1, 2, 3}, 0, 0, 0.01},
        {spikesRecipe(), {1, 2}, 0, 0, 0.05},
        {weakBroadRecipe(), {1, 2}, 0, 0, 0.3},
        {shouldersRecipe(), {1, 3}, 0, 0, 0.15},
        {noiseOnlyRecipe(), {1, 2, 3, 4}, 0, 2, 0.0},  // one per 50 degrees at most
    };
    for (const auto& c : cases) {
        for (const unsigned seed : c.seeds) {
            SCOPED_TRACE(c.recipe.name + ", seed " + std::to_string(seed));
            const SyntheticPattern pattern = generatePattern(c.recipe, seed);
            const Suggestions found = suggest(*pattern.store, SuggestSettings{});
            const SuggestionScore score = scoreSuggestions(pattern, found);
            EXPECT_LE(score.significant - score.significantFound, c.mostMissed)
                << "missed:" << score.significantMissed;
            EXPECT_LE(score.extra, c.mostExtra);
            EXPECT_LE(score.worstPlace, c.farthestPlace);
            EXPECT_EQ(score.spikesNamed, score.spikes);
            EXPECT_LE(score.worstDeviation, 2.5);
            EXPECT_EQ(score.onPeaks, 0);
            EXPECT_GE(score.points, 2);
        }
    }
}

// With no radiation stated, resolved Cu pairs are named as such with their Kα1 lines; no
// other kind of pattern is taken for pairs, and a stated doublet needs no naming.
TEST(SuggestKinds, NamesTheTubeWhosePairsThePeaksShow) {
    const struct {
        PatternRecipe recipe;
        const char* anode;  // none: no pairs named
    } cases[] = {
        {resolvedDoubletsRecipe(), "Cu"},  {noiseFree(resolvedDoubletsRecipe()), "Cu"},
        {mergedDoubletsRecipe(), nullptr}, {broadPairsRecipe(), nullptr},
        {shouldersRecipe(), nullptr},      {densePatternRecipe(), nullptr},
        {noisyRecipe(), nullptr},          {cagliotiRecipe(), nullptr},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.recipe.name);
        const SyntheticPattern pattern = generatePattern(c.recipe, 1);
        const Suggestions found = suggest(*pattern.store, SuggestSettings{});
        if (!c.anode) {
            EXPECT_FALSE(found.tubePairs) << found.tubePairs->anode;
            continue;
        }
        ASSERT_TRUE(found.tubePairs);
        EXPECT_EQ(found.tubePairs->anode, c.anode);
        EXPECT_GE(found.tubePairs->kalpha1.size(), c.recipe.peaks.size() / 2);
        for (const double tth : found.tubePairs->kalpha1) {
            double nearest = 1e9;
            for (const TruePeak& line : c.recipe.peaks)
                nearest = std::min(nearest, std::fabs(line.position - tth));
            // apexes of lines five to seven points wide
            EXPECT_LT(nearest, 0.04) << "a Kα1 line listed at " << tth;
        }
    }
}

// What xrdsuggest says of the pairs and of a spike of two points.
TEST(SuggestKinds, SaysWhatThePairsAndTheSpikesAre) {
    TempDir dir;
    writeXy(*generatePattern(resolvedDoubletsRecipe(), 1).store, "pairs.xy");
    writeXy(*generatePattern(spikesRecipe(), 1).store, "spikes.xy");
    std::ostringstream out, err;
    ASSERT_EQ(suggestMain({"pairs.xy", "spikes.xy"}, out, err), 0) << err.str();
    for (const char* line :
         {"pairs.xy: the peaks come in Kα1/Kα2 pairs of a Cu tube: --anode Cu fits them as "
          "doublets\npairs.xy: Kα1 lines at 34.9",
          "spikes.xy: a two-point spike at 30.0000 and 30.0200 is not taken for a peak\n",
          "spikes.xy: a one-point spike at 50.0000 is not taken for a peak\n"})
        EXPECT_NE(err.str().find(line), std::string::npos) << line << "\nin\n" << err.str();
    EXPECT_EQ(err.str().find("spikes.xy: the peaks come in"), std::string::npos);
}
