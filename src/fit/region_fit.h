#pragma once
// One region of one pattern fitted without a person: the same data points, weights, start
// values and engine as the interactive fit run, with no prompt and no evaluation page. With
// a Kα2 line every peak is a Kα1/Kα2 doublet, and its values are the Kα1 line's.
//
// Each peak gets its own verdict. A peak the data do not hold (no height, a FWHM not
// positive, outside the region, not significant, narrower than a step) is dropped and the
// region fitted again without it, so that one bad start position does not spoil its
// neighbours; its row keeps the values it was dropped with and says why.

#include <array>
#include <optional>
#include <string>

#include "console/console.h"
#include "fit/fit_curves.h"
#include "fit/fit_result.h"
#include "fit/region.h"
#include "pattern/pattern_store.h"
#include "pattern/radiation.h"

// What a fit achieved. Only Ok vouches for the values: converged (a parameter pushed only
// against its bound counts as converged), every value and standard error finite, the peak
// inside its region, its intensity at least three standard errors and its FWHM at least a
// step.
enum class FitStatus {
    Ok,
    Unreadable,      // the pattern could not be read
    IrregularGrid,   // the pattern's angles lie on no grid of one step
    Outside,         // the region does not lie inside the pattern
    TooFewPoints,    // fewer points than refined parameters plus one, or a peak on an end
    NoPeak,          // an intensity not positive: no peak in the data
    NotSignificant,  // an intensity under three standard errors, or errors not finite
    TooNarrow,       // a FWHM under one step of the pattern
    IterationLimit,  // the limit ended the fit; the values are those it reached
    Diverged,        // a value not finite, a FWHM not positive or a peak left the region
};

// The status as the results table names it.
const char* statusName(FitStatus status);

// What a careful reader should look at in a row that may well be ok, as bits.
enum FitFlag : unsigned {
    kEtaAtBound = 1u << 0,  // eta ended on 0 or 1: the profile's shape is a bound's
    kWorAssumed = 1u << 1,  // W/R not measured: a value held without evidence
    kHighChi2 = 1u << 2,    // the reduced chi-square says the model misses structure
    kNearEnd = 1u << 3,     // the peak lies within one FWHM of an end of its region
    kKa2Outside = 1u << 4,  // its Kα2 companion lies beyond the region's high end
};

// The flags as the table names them, comma-separated; empty when none.
std::string flagNames(unsigned flags);

// A reduced chi-square above this is flagged: at ideal counting statistics it lies near 1.
inline constexpr double kHighChi2Limit = 3.0;

struct PeakErrors {
    double position;
    double intensity;
    double fwhm;  // its own, or the common FWHM's
};

struct RegionFit {
    FitStatus status = FitStatus::Unreadable;  // the region's: Ok when its kept peaks are
    bool engineRan = false;  // result, errors and iterations hold the engine's values
    // Indexed by the region's peaks: the values, errors and verdicts of the fit that kept
    // them, or of the fit in which they were dropped.
    FitResult result;
    std::array<PeakErrors, kMaxPeaks> se{};
    std::array<FitStatus, kMaxPeaks> peakStatus{};
    std::array<unsigned, kMaxPeaks> flags{};
    double etaSe = 0.0;  // NaN: held, or at its bound
    double worSe = 0.0;  // NaN: held
    int iterations = 0;  // of the last fit, as run
    int firstIndex = 0;  // pattern index of the first region point
    std::string note;    // what made a fit that did not run fail, naming the peak; or empty
    std::optional<Radiation> radiation;  // the pattern's; with a Kα2 line the peaks were doublets
    // With keepCurves, of the last run: its lines and the covariance of what it refined.
    FitCurves curves;
    FitCovariance covariance;

    // Peak j's verdict (from 0): its own once the engine ran, else the region's.
    FitStatus statusOf(int j) const { return engineRan ? peakStatus[j] : status; }
    // Whether every peak of a region of `peaks` is ok.
    bool allOk(int peaks) const;
};

// Parameters held at their start values (W/R is held by a W/R not negative); the peaks are
// the region's, from 0.
struct FitHolds {
    bool eta = false;
    bool fwhm = false;  // every FWHM: the common one, or each peak's
    bool lowBackground = false;
    bool highBackground = false;
    std::array<bool, kMaxPeaks> intensity{};
    std::array<bool, kMaxPeaks> peakFwhm{};
};

struct FitRequest {
    const Region& region;
    double wor;                // W/R; negative: refined from |wor|
    const StartValues* start;  // none: the estimates of the fit run
    bool commonFwhm;
    bool verbose;                        // the engine's reports on `reports`
    int maxIterations;                   // the engine's iteration limit
    std::optional<Radiation> radiation;  // with a Kα2 line every peak is fitted as a doublet
    bool worAssumed = false;             // W/R was not measured: flagged on every row
    const FitHolds* holds = nullptr;     // none: every parameter of the model refined
    bool keepCurves = false;             // fill the fit's curves and covariance
    // Each width starts as the interactive fit starts it, at the net area over the summed
    // heights, so that a fit gives the evaluation page's result to the bit; otherwise at the
    // width read off the pattern at half maximum (fit/half_max_width.h), which converges
    // in fewer iterations.
    bool xrdpickStart = false;
};

RegionFit fitRegion(const PatternStore& pattern, const FitRequest& request, Console& reports);

// What a sequential run hands to the next pattern: the ok peaks as fitted, eta and W/R; a
// peak that is not ok keeps its start from `previous`, or none (NaN: estimated afresh).
StartValues fittedStart(const RegionFit& fit, const StartValues* previous);
