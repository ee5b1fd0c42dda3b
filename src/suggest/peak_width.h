#pragma once
// The width of the pattern's own peaks, measured on its strongest ones: every window and
// filter of the suggestions is scaled by it, never fixed in degrees.

#include <vector>

#include "suggest/pattern_samples.h"

// Full width at half maximum of the peak whose apex is point `apex`, in points, from where
// the counts above `background` cross half the apex's height on either side; 0 when a side
// does not come down to half within `maxSpan` points.
double measuredFwhm(const PatternSamples& samples, const std::vector<double>& background, int apex,
                    int maxSpan);

// The median FWHM, in points, of the strongest peaks (at most fifteen, each at least 10
// counting deviations above the background). Narrower than 1.5 points counts as a spike
// and is left out. kNoPeakFwhm when the pattern shows no such peak.
inline constexpr double kNoPeakFwhm = 3.0;
double typicalFwhmPoints(const PatternSamples& samples, const std::vector<double>& background);
