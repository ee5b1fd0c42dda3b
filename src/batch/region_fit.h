#pragma once
// One region of one pattern fitted without a person: the same data points, weights, start
// values and engine as the interactive fit run, with no prompt and no evaluation page.

#include <array>

#include "batch/region.h"
#include "console/console.h"
#include "pattern/pattern_store.h"
#include "peaks/fit_result.h"

enum class FitStatus {
    Ok,
    Unreadable,     // the pattern could not be read
    Outside,        // the region does not lie inside the pattern
    TooFewPoints,   // fewer points than refined parameters plus one
    NoConvergence,  // the iteration limit ended the fit
    Diverged,       // a value not finite, a FWHM not positive or a peak left the region
};

// The status as the results table names it.
const char* statusName(FitStatus status);

struct PeakErrors {
    double position;
    double intensity;
    double fwhm;  // its own, or the common FWHM's
};

struct RegionFit {
    FitStatus status = FitStatus::Unreadable;
    bool engineRan = false;  // result, errors and iterations hold the engine's values
    FitResult result;
    std::array<PeakErrors, kMaxPeaks> se{};
    int iterations = 0;
    int firstIndex = 0;  // pattern index of the first region point
};

struct FitRequest {
    const Region& region;
    double wor;                // W/R; negative: refined from |wor|
    const StartValues* start;  // none: the estimates of the fit run
    bool commonFwhm;
    bool verbose;  // the engine's reports on `reports`
};

RegionFit fitRegion(const PatternStore& pattern, const FitRequest& request, Console& reports);

// What a sequential run hands to the next pattern: the fitted peaks, eta and W/R.
StartValues fittedStart(const RegionFit& fit);
