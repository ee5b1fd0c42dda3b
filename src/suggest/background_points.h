#pragma once
// Background points for the user to review: on the estimated background, away from every
// peak and its tails, from one end of the pattern to the other.

#include <vector>

#include "suggest/pattern_samples.h"
#include "suggest/peak_search.h"
#include "suggest/peak_width.h"

// Even a straight background gets points over the whole pattern, at most a tenth of it
// apart, for the user to check it against.
inline constexpr int kFewestStretches = 10;

struct SuggestedPoint {
    double tth;
    double cts;
};

// Points avoid the found peaks and the spikes. requested: the number of points, spread
// evenly; 0 chooses as few as keep the straight lines between neighbouring points within
// half a counting deviation of the background and at most a tenth of the pattern long (at
// most `maxPoints` points). Ascending index;
// empty when no stretch of the pattern is free of peaks.
std::vector<SuggestedPoint> chooseBackgroundPoints(const PatternSamples& samples,
                                                   const std::vector<double>& background,
                                                   const std::vector<FoundPeak>& peaks,
                                                   const std::vector<int>& spikes,
                                                   const PeakShape& shape, int requested,
                                                   int maxPoints);
