#pragma once
// How suggestions for a pattern of known truth measure up: the peaks found, missed and made
// up, and how well the background points cover and follow the true background.

#include <string>

#include "suggest/suggestions.h"
#include "suggest/synthetic_pattern.h"

struct SuggestionScore {
    int strong = 0;  // true peaks of 15 sigma or more
    int strongFound = 0;
    int moderate = 0;  // true peaks from 8 to 15 sigma
    int moderateFound = 0;
    int extra = 0;                // suggested peaks no true peak claims as its nearest
    double span = 0.0;            // the pattern's two-theta range
    double widestGap = 0.0;       // degrees between neighbouring points, or an end and a point
    double endGap = 0.0;          // the larger distance of an end to the nearest point
    double worstDeviation = 0.0;  // of a point from the true background, counting deviations
    int onPeaks = 0;              // points within two FWHMs of a true peak of 10 sigma or more
    int points = 0;
    std::string missed;  // the strong peaks missed, by position
    // True peaks of 5 sigma or more by area (the goal), found, and those missed by position.
    int significant = 0;
    int significantFound = 0;
    std::string significantMissed;
    double worstPlace = 0.0;  // degrees: the farthest of a found peak from its true place
    int spikes = 0;           // spikes put into the pattern
    int spikesNamed = 0;      // of them named as spikes
    // The regions xrdfit --cdt makes from the suggested peaks, and those whose every peak a
    // fit at the pattern's W/R calls ok.
    int regions = 0;
    int regionsOk = 0;
};

SuggestionScore scoreSuggestions(const SyntheticPattern& pattern, const Suggestions& found);

// Which of the goals the score falls short of, as text; empty when it meets them all:
// every strong peak found, at least half the moderate ones, at most one extra per 50
// degrees, points within 5 % of each end and within 2.5 deviations of the background, none
// on a peak, and (maxGap > 0) no gap wider than maxGap degrees.
std::string shortfalls(const SuggestionScore& score, double maxGap);
