// The suggestions' scorecard on every generated pattern of known truth, over several seeds:
// one table row per pattern and seed. With a directory argument, also writes each pattern
// there as NAME-SEED.xy, to be checked in xrdpick; a second argument sets the number of
// seeds (default 3).

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <string>

#include "suggest/suggestion_score.h"
#include "suggest/synthetic_pattern.h"

int main(int argc, char** argv) {
    const std::string dir = argc > 1 ? argv[1] : "";
    const int seeds = argc > 2 ? std::max(1, std::atoi(argv[2])) : 3;
    std::printf("%-18s %4s %11s %11s %5s %8s %7s %8s %6s %6s  %s\n", "pattern", "seed",
                ">=15s found", "8-15s found", "extra", "bg pts", "end gap", "max gap", "worst",
                "on pk", "shortfalls");
    for (const PatternRecipe& recipe : knownRecipes()) {
        for (unsigned seed = 1; seed <= static_cast<unsigned>(seeds); ++seed) {
            const SyntheticPattern pattern = generatePattern(recipe, seed);
            const Suggestions found = suggest(*pattern.store, SuggestSettings{});
            const SuggestionScore score = scoreSuggestions(pattern, found);
            const double maxGap = recipe.name == "dense" ? 3.0 : 0.0;
            std::printf("%-18s %4u %5d/%-5d %5d/%-5d %5d %8d %7.2f %8.2f %6.2f %6d  %s\n",
                        recipe.name.c_str(), seed, score.strongFound, score.strong,
                        score.moderateFound, score.moderate, score.extra, score.points,
                        score.endGap, score.widestGap, score.worstDeviation, score.onPeaks,
                        shortfalls(score, maxGap).c_str());
            if (!dir.empty()) {
                std::string name = recipe.name;
                for (char& c : name)
                    if (c == ' ') c = '_';
                writeXy(*pattern.store, dir + "/" + name + "-" + std::to_string(seed) + ".xy");
            }
        }
    }
}
