#pragma once
// W/R as a pattern shows it: the instrument's, shared by every peak of a pattern, measured
// from the strongest well-separated peaks (the plan's regions of one peak; without any, its
// regions of several) where the asymmetry shows. Each such region is fitted with W/R held along a
// ladder of values and then by a golden-section search in the ladder's valley; the chi-square's
// minimum is the region's W/R, and the median of the regions' values, each weighted by how sharply
// its chi-square rises off the minimum (how well it tells W/R), is the pattern's. A refinement of
// W/R itself would stall at 0, where the profile (which depends on W/R squared) has no slope.

#include <optional>
#include <string>

#include "batch/series_run.h"
#include "fit/region.h"
#include "pattern/pattern_store.h"

// The most peaks an estimate takes, the strongest first.
inline constexpr int kAutoWorPeaks = 8;

// The asymmetry fades as cos(2theta - 10 degrees): above 70 degrees it is less than half of
// what it is at low angle, and W/R is hardly told by a fit.
inline constexpr double kHighestAsymmetric = 70.0;

// The largest W/R the ladder tries: beyond any usual diffractometer's (0.02 to 0.1).
inline constexpr double kLargestWor = 0.15;

struct WorEstimate {
    std::optional<double> wor;  // none: the pattern cannot tell
    int peaks = 0;              // the regions it came from
    std::string why;            // with none: why not
};

WorEstimate estimateWor(const PatternStore& pattern, const Plan& plan,
                        const SeriesSettings& settings);
