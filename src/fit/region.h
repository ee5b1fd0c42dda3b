#pragma once
// A region of a series fit: the two background ends, the peaks in between, and what the
// fit starts from. A plan is the list of regions fitted in every pattern.

#include <optional>
#include <string>
#include <vector>

#include "lsq/fit_param.h"

struct PeakStart {
    double position;
    double intensity;
    double fwhm;
};

// Start values carried into a fit: from an earlier fit of the region (a *.fit block, or
// the previous pattern of a sequential run). The background always starts from the
// pattern's own ends.
struct StartValues {
    std::vector<PeakStart> peaks;
    double eta = 0.5;
    std::optional<double> wor;  // W/R as fitted, carried when W/R is refined
};

struct Region {
    double low = 0.0;  // background ends, two-theta in degrees
    double high = 0.0;
    std::vector<double> positions;     // one to nine peaks, ascending, strictly between the ends
    std::optional<double> wor;         // the region's own W/R; negative: refined from |W|
    std::optional<StartValues> start;  // unset: the estimates a fit run makes from the data
    // Ends placed by a rule (around the peaks of a .cdt or *.fit file) rather than by hand are
    // drawn in to the ends of each pattern they reach past.
    bool clipToPattern = false;
};

using Plan = std::vector<Region>;

// A plan source's verdict: the regions, or why the source cannot be used.
struct PlanRead {
    Plan plan;
    std::string error;  // empty when the plan is usable
};
