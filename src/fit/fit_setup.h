#pragma once
// The engine's input for a fit of a selection, built as the fit run builds it: the region's
// data points, the start values and flags, and the parameter names. Shared by the fit run of
// the interactive program and by series fitting, so that both fit the same numbers.

#include "fit/fit_selection.h"
#include "fit/fit_start_values.h"
#include "lsq/lsq_state.h"
#include "pattern/pattern_store.h"

inline constexpr int kFitIterations = 30;  // the engine's iteration limit for a fit

// Fills data, parameter values, flags and names; W/R keeps its value in the vector. The
// selection holds at least one peak between its ends, all of them pattern points.
void setUpFit(LsqState& lsq, const PatternStore& pattern, const FitSelection& selection,
              FitModel model);
