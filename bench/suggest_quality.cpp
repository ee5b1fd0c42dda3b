// The suggestions' scorecard on every generated pattern of known truth, over several seeds:
// one table row per pattern and seed. "found" counts the true peaks of 5 sigma or more by
// area, "missed" names those not found, "extra" counts suggestions near no true peak;
// "worst" is the background point farthest from the true background, in counting
// deviations, "on pk" the points on a true peak, "place" the farthest of a found peak from
// its true place (degrees), "regions" those of xrdfit --cdt on the suggestions that fit
// ok. With a directory argument, also writes each pattern there as
// NAME-SEED.xy, to be checked in xrdpick; a second argument sets the number of seeds
// (default 3).

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <string>

#include "suggest/suggestion_score.h"
#include "suggest/synthetic_pattern.h"

int main(int argc, char** argv) {
    const std::string dir = argc > 1 ? argv[1] : "";
    const int seeds = argc > 2 ? std::max(1, std::atoi(argv[2])) : 3;
    std::printf("%-18s %4s %7s %5s %6s %6s %6s %7s %5s %6s %7s  %s\n", "pattern", "seed", "found",
                "extra", "spikes", "bg pts", "worst", "max gap", "on pk", "place", "regions",
                "missed | shortfalls");
    for (const PatternRecipe& recipe : knownRecipes()) {
        for (unsigned seed = 1; seed <= static_cast<unsigned>(seeds); ++seed) {
            const SyntheticPattern pattern = generatePattern(recipe, seed);
            const Suggestions found = suggest(*pattern.store, SuggestSettings{});
            const SuggestionScore score = scoreSuggestions(pattern, found);
            const double maxGap = recipe.name == "dense" ? 3.0 : 0.0;
            std::printf(
                "%-18s %4u %3d/%-3d %5d %3d/%-2d %6d %6.2f %7.2f %5d %6.3f %3d/%-3d %s | %s\n",
                recipe.name.c_str(), seed, score.significantFound, score.significant, score.extra,
                score.spikesNamed, score.spikes, score.points, score.worstDeviation,
                score.widestGap, score.onPeaks, score.worstPlace, score.regionsOk, score.regions,
                score.significantMissed.c_str(), shortfalls(score, maxGap).c_str());
            if (!dir.empty()) {
                std::string name = recipe.name;
                for (char& c : name)
                    if (c == ' ') c = '_';
                writeXy(*pattern.store, dir + "/" + name + "-" + std::to_string(seed) + ".xy");
            }
        }
    }
}
