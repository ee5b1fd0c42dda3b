#pragma once
// What the peak side keeps for the whole run besides the shared point list (which holds the
// stored peak positions there): the block exchanged with the fit run, W/R as typed, how a
// region is given, and the fit results file.

#include <array>
#include <cmath>
#include <string>

#include "fit/fit_selection.h"
#include "pattern/pattern_store.h"

// Filled by the fitting mode before a fit: [0] tthstep, [1..4] the window xmin, xmax, ymin,
// ymax, [5] tthmin, [6] maxcts. The fit run writes back [0] the mean background and
// [1..n] the FWHM of each peak of an accepted fit, -500.0 after the last.
inline constexpr int kFitBlockSize = 12;
using FitBlock = std::array<double, kFitBlockSize>;

// An entry within 300 of -500.0 counts as unset.
inline bool isUnsetEntry(double value) {
    return std::fabs(value + 500.0) <= 300.0;
}

enum class RoiMethod {
    XRange,  // a vertical-line cursor: the region fixes the two-theta range only
    Box,     // a rubber rectangle: the region fixes both ranges
};

inline constexpr float kWorAsk = 100.0f;  // a wor above 50 makes the next fit ask for W/R

struct PeakSideState {
    FitBlock fitBlock;
    float wor = kWorAsk;  // W/R as typed; negative: refine it
    RoiMethod roiMethod = RoiMethod::XRange;
    std::string fitFileName;    // the *.fit file of the fit runs
    int lastPatternIndex = -1;  // found at the W/R prompt; the curve drawn in fits
    FitSelection selection;     // the points picked in the fitting mode

    PeakSideState() { fitBlock.fill(kUnset); }
};
