#pragma once
// Suggested background points and peak positions for one pattern.

#include <optional>
#include <utility>
#include <vector>

#include "pattern/pattern_store.h"
#include "suggest/background_points.h"
#include "suggest/companion_filter.h"
#include "suggest/peak_search.h"

struct SuggestSettings {
    int points = 0;         // background points; 0: as many as the curvature needs
    double minSigma = 5.0;  // a peak's height above the background, in counting deviations
};

// The most points or peaks one suggestion holds: what xrdpick's point list takes.
inline constexpr int kMaxSuggested = 200;

// Fewer points than this show neither a peak nor a stretch of background.
inline constexpr int kFewestPoints = 10;

struct Suggestions {
    std::vector<SuggestedPoint> background;  // ascending two-theta
    std::vector<FoundPeak> peaks;            // ascending two-theta, at most kMaxSuggested
    int peaksLeftOut = 0;                    // weakest peaks beyond kMaxSuggested
    int companionsLeftOut = 0;               // Kα2 companions of peaks, not peaks themselves
    // Spikes of one or two points, not peaks: two-theta of the first and last point.
    std::vector<std::pair<double, double>> spikes;
    bool tooShort = false;  // fewer than kFewestPoints: nothing suggested
    // With no radiation stated: the tube whose Kα1/Kα2 pairs the peaks show, if any.
    std::optional<TubePairs> tubePairs;
    // Stretches (two-theta from, to) that got no background point although the points were
    // to cover them: peaks and their tails leave no free place there.
    std::vector<std::pair<double, double>> bareStretches;
};

// With a Kα2 line in the pattern's radiation the peaks are its Kα1 lines.
Suggestions suggest(const PatternStore& store, const SuggestSettings& settings);

// The peaks suggest finds at the default significance, each with its own width; none for
// fewer than kFewestPoints points.
std::vector<FoundPeak> peaksForRegions(const PatternStore& store);
