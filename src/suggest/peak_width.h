#pragma once
// The width and tail weight of the pattern's own peaks, measured on its strongest ones: every
// window and filter of the suggestions is scaled by them, never fixed in degrees.

#include <vector>

#include "suggest/pattern_samples.h"

struct PeakShape {
    double fwhm = 3.0;  // points; this when the pattern shows no peak to measure
    // The Lorentzian share of a pseudo-Voigt with the peaks' ratio of full width at a tenth
    // to full width at half maximum; 1 (the slowest tails) when no peak is strong enough.
    double eta = 1.0;
};

// The median FWHM of the strongest peaks (at most fifteen, each at least 10 counting
// deviations above the background; narrower than 1.5 points counts as a spike and is left
// out), and the largest eta of those at least 50 deviations high, whose tenth-height width
// the noise does not blur. An asymmetric tail widens the tenth-height width, so eta errs
// towards longer tails.
PeakShape typicalPeakShape(const PatternSamples& samples, const std::vector<double>& background);
