#pragma once
// The significance of the counts' curvature at a ladder of widths: the second derivative of
// the counts smoothed by Gaussians from under a point up to a few degrees wide, each
// divided by its own standard deviation (propagated from sig). A peak stands out most at the
// rung that matches its width, so one ladder finds narrow and broad peaks alike.

#include <vector>

#include "suggest/pattern_samples.h"

struct CurvatureRung {
    double filterSigma;     // points
    std::vector<double> z;  // minus the filtered second derivative over its deviation
};

// A peak's FWHM over the filter sigma at which its curvature stands out most from the noise
// (that sigma is sqrt(5) of the peak's Gaussian sigma).
inline constexpr double kFwhmPerBestFilterSigma = 2.3548 / 2.2361;

struct CurvatureLadder {
    // Ascending filter width; the last one only serves for peaks of the widest width
    // (widestFwhm) to stand out against.
    std::vector<CurvatureRung> rungs;

    // The largest z at point i over the rungs whose filter is at most maxSigma wide, by
    // magnitude and with its sign.
    double strongestUpTo(int i, double maxSigma) const;
    // The widest FWHM, in points, a peak may have to be told from the background's curvature.
    double widestFwhm() const;  // never empty
};

CurvatureLadder curvatureLadder(const PatternSamples& samples);
