#pragma once
// Background points for the user to review: on the estimated background, away from every
// peak and its tails, from one end of the pattern to the other.

#include <vector>

#include "suggest/curvature_ladder.h"
#include "suggest/pattern_samples.h"
#include "suggest/peak_search.h"

// Even a straight background gets points over the whole pattern, at most a tenth of it
// apart, for the user to check it against.
inline constexpr int kFewestStretches = 10;

// Neighbouring points have at most this many found peaks between them, so that a reviewer
// sees the background between peaks however dense they stand.
inline constexpr int kMostPeaksSpanned = 1;

struct SuggestedPoint {
    double tth;
    double cts;
};

// Points avoid the found peaks, each by its own width and tails, the spikes, and any place
// where the counts curve at the found peaks' widths. requested: the number of points, spread
// evenly; 0 chooses as few as keep the straight lines between neighbouring points within
// half a counting deviation of the background, at most a tenth of the pattern or (where
// peaks stand densely) kMostPeaksSpanned + 1 median peak spacings long, and over at most
// kMostPeaksSpanned found peaks (at most `maxPoints` points). Ascending index;
// empty when no stretch of the pattern is free of peaks.
std::vector<SuggestedPoint> chooseBackgroundPoints(const PatternSamples& samples,
                                                   const std::vector<double>& background,
                                                   const std::vector<FoundPeak>& peaks,
                                                   const std::vector<int>& spikes,
                                                   const CurvatureLadder& ladder, double fwhmPoints,
                                                   int requested, int maxPoints);
