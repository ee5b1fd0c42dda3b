#pragma once
// Start values and refinement flags of a fit: a straight background through the two ends of
// the region, each peak at its picked point with its height above that line, and one width
// estimated from the net area of the region.

#include "fit/fit_selection.h"
#include "lsq/fit_param.h"
#include "pattern/pattern_store.h"

struct FitModel {
    bool commonFwhm;  // one FWHM for every peak ("cfwhm") instead of one each
    bool refineWor;   // W/R refined from its value; otherwise held
};

// Sets value and flag of every parameter but the value of W/R, which stays as it is. The
// selection holds at least one peak between its ends, all of them pattern points.
void setStartValues(ParamVector& params, const PatternStore& pattern, const FitSelection& selection,
                    FitModel model);
