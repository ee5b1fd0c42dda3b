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

// A minimum of the filtered second derivative: where and at which rung.
struct CurvatureMinimum {
    int point;
    int rung;
};

struct CurvatureLadder {
    // Ascending filter width; the last one only serves for peaks of the widest width
    // (widestFwhm) to stand out against.
    std::vector<CurvatureRung> rungs;
    double widestFwhmPoints = 0.0;

    // The minima of the second derivative at least `level` deviations below zero at rungs
    // up to `lastRung`, each at the rung where it stands out most: higher there than anywhere
    // within half a filter width at the neighbouring rungs. A peak stands out most at the
    // rung that matches its width; a narrow one's response at broader rungs does not count.
    std::vector<CurvatureMinimum> minima(double level, int lastRung) const;
    // The widest FWHM, points, a peak may have to be told from the background's curvature,
    // and the widest rung searched, the last but one.
    int widestRung() const;
    double widestFwhm() const;
    // The FWHM, points, of a peak that stands out most at rung r.
    double fwhmAt(int r) const { return rungs[r].filterSigma * kFwhmPerBestFilterSigma; }
};

CurvatureLadder curvatureLadder(const PatternSamples& samples);
// The same for peaks no wider than `widest` points.
CurvatureLadder curvatureLadder(const PatternSamples& samples, double widest);
