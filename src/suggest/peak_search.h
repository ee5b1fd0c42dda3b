#pragma once
// Peak positions found by the significance of the smoothed second derivative against the
// counting noise, after M.A. Mariscotti, Nucl. Instrum. Meth. 50 (1967) 309: a peak is a
// minimum of the filtered second derivative that stands clearly below zero against its own
// standard deviation (propagated from sig), with an apex minSigma counting deviations of
// the background above the background.

#include <vector>

#include "suggest/pattern_samples.h"

struct FoundPeak {
    double index;         // apex, fractional point index
    double tth;           // apex two-theta
    double height;        // apex counts above the background
    double significance;  // height in counting deviations of the background
};

struct PeakSearch {
    std::vector<FoundPeak> peaks;  // ascending index
    std::vector<int> spikes;       // points that stand alone far above both neighbours: not
                                   // peaks but glitches of the counting
};

PeakSearch findPeaks(const PatternSamples& samples, const std::vector<double>& background,
                     double fwhmPoints, double minSigma);
