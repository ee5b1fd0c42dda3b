#pragma once
// One region of one pattern fitted without a person: the same data points, weights, start
// values and engine as the interactive fit run, with no prompt and no evaluation page. With
// a Kα2 line every peak is a Kα1/Kα2 doublet, and its values are the Kα1 line's.

#include <array>
#include <optional>
#include <string>

#include "console/console.h"
#include "fit/fit_result.h"
#include "fit/region.h"
#include "pattern/pattern_store.h"
#include "pattern/radiation.h"

// What a fit achieved. Only Ok vouches for the values: the fit converged, every value and
// standard error is finite, every intensity positive and every peak inside its region.
enum class FitStatus {
    Ok,
    Unreadable,      // the pattern could not be read
    IrregularGrid,   // the pattern's angles lie on no grid of one step
    Outside,         // the region does not lie inside the pattern
    TooFewPoints,    // fewer points than refined parameters plus one, or a peak on an end
    NoPeak,          // an intensity not positive or an error not finite: no peak in the data
    IterationLimit,  // the limit ended the fit; the values are those it reached
    Diverged,        // a value not finite, a FWHM not positive or a peak left the region
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
    std::string note;    // what made a fit that did not run fail, naming the peak; or empty
    std::optional<Radiation> radiation;  // the pattern's; with a Kα2 line the peaks were doublets
};

struct FitRequest {
    const Region& region;
    double wor;                // W/R; negative: refined from |wor|
    const StartValues* start;  // none: the estimates of the fit run
    bool commonFwhm;
    bool verbose;                        // the engine's reports on `reports`
    int maxIterations;                   // the engine's iteration limit
    std::optional<Radiation> radiation;  // with a Kα2 line every peak is fitted as a doublet
};

RegionFit fitRegion(const PatternStore& pattern, const FitRequest& request, Console& reports);

// What a sequential run hands to the next pattern: the fitted peaks, eta and W/R.
StartValues fittedStart(const RegionFit& fit);
