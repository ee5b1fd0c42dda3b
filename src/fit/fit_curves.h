#pragma once
// What a fit is drawn and judged by beyond its values: the background line and each peak's
// own lines over the region, and the covariance of the parameters the last run refined,
// named by the region's peaks.

#include <string>
#include <vector>

#include "lsq/lsq_state.h"

struct FitCurves {
    std::vector<float> background;  // the straight background at each region point
    // Per region peak, net of the background: its Kα1 line (its only line without a Kα2
    // companion) and its Kα2 line (empty without one); both empty for a peak the last run
    // dropped, which has no part in the fitted curve.
    std::vector<std::vector<float>> kalpha1;
    std::vector<std::vector<float>> kalpha2;
};

struct FitCovariance {
    // The refined parameters: "eta", "wor", "fwhm" (the common FWHM), "background_low",
    // "background_high", then "tth_N", "intensity_N" and "fwhm_N" of region peak N (from 1).
    std::vector<std::string> names;
    std::vector<double> matrix;  // row-major, names.size() squared; NaN where not free
};

// `kept` maps the run's peaks (entry i + 1) to the region's (from 0) of `peakCount`.
FitCurves fitCurves(const LsqState& lsq, const std::vector<int>& kept, int peakCount);
FitCovariance fitCovariance(const LsqState& lsq, const std::vector<int>& kept);
