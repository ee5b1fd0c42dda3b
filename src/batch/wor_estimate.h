#pragma once
// xrdfit --wor auto: W/R is the instrument's, shared by every peak of a pattern. It is
// estimated once per pattern from the strongest well-separated peaks (the plan's regions of
// one peak) where the asymmetry shows, each fitted with W/R refined, as the median of their
// values weighted by their intensities. The profile depends on W/R squared, so a refinement
// can stall at W/R 0, where it has no slope (and its standard error tells nothing): each
// peak is refined from the start, half and twice it, the best fit kept, and the median
// passes over a peak that stalled still.

#include <optional>

#include "batch/series_run.h"
#include "fit/region.h"
#include "pattern/pattern_store.h"

// The most peaks an estimate takes, the strongest first.
inline constexpr int kAutoWorPeaks = 8;

// The asymmetry fades as cos(2theta - 10 degrees): above 70 degrees it is less than half of
// what it is at low angle, and W/R is hardly told by a fit.
inline constexpr double kHighestAsymmetric = 70.0;

struct WorEstimate {
    std::optional<double> wor;  // none: no single-peak region gave a good fit
    int peaks = 0;              // the fits it came from
};

// `start`: where the refinements start (the previous pattern's estimate in a sequential
// run, else the default).
WorEstimate estimateWor(const PatternStore& pattern, const Plan& plan,
                        const SeriesSettings& settings, double start);
