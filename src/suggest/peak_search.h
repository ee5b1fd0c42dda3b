#pragma once
// Peak positions found by the significance of the smoothed second derivative against the
// counting noise, after M.A. Mariscotti, Nucl. Instrum. Meth. 50 (1967) 309, at every width of
// a curvature ladder: a peak is a minimum of the filtered second derivative that stands
// clearly below zero against its own standard deviation (propagated from sig) at some filter
// width, with an apex minSigma counting deviations of the background above the background and
// above the counts on either side of it within two of its own widths.

#include <vector>

#include "suggest/curvature_ladder.h"
#include "suggest/pattern_samples.h"
#include "suggest/peak_width.h"

struct FoundPeak {
    double index;         // apex, fractional point index
    double tth;           // apex two-theta
    double height;        // apex counts above the background
    double significance;  // height in counting deviations of the background
    PeakWidth width;      // its own FWHM and half widths, points, and its tails
    double fwhm;          // its own FWHM, degrees
    double highHalf;      // its half width on the high-angle side, degrees: over a merged
                          // Kα2 companion, the doublet's
    bool shoulder;        // no apex of its own: a shoulder on a stronger peak's flank
};

struct PeakSearch {
    std::vector<FoundPeak> peaks;  // ascending index
    // Points that stand alone, or as two, far above their neighbours: not peaks but
    // glitches of the counting. Ascending.
    std::vector<int> spikes;
    // The background under the peaks: clipped at the width of the widest peak, so that broad
    // peaks stand above it while broader curvature stays in it.
    std::vector<double> background;
    double typicalFwhm = 3.0;  // points: the median FWHM of the strong peaks
};

PeakSearch findPeaks(const PatternSamples& samples, const CurvatureLadder& ladder, double minSigma);

// The search on counts whose spikes were found and bridged first: each spike's points are
// set on the straight line between the points beside it, so that neither the background
// nor a peak nor a point's level carries them. samples and ladder are those bridged counts.
struct SearchPastSpikes {
    PatternSamples samples;
    CurvatureLadder ladder;
    PeakSearch found;  // its spikes are those bridged
};
SearchPastSpikes findPeaksPastSpikes(const PatternSamples& samples, double minSigma);

// Adds `scale` times a found peak's modelled profile (a pseudo-Voigt of its own height, half
// width on each side and tail weight) to values, as far out as it adds a counting deviation.
void addProfile(std::vector<double>& values, const FoundPeak& peak, double scale);
