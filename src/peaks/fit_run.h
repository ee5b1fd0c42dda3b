#pragma once
// One fit run: W/R and the *.fit file asked for when needed, the region turned into data
// points with start values, the engine run, and the evaluation page on which the user
// accepts or rejects the result.

#include "peaks/peak_state.h"

struct RunState;

// Fits the selection with fwhmMode 'f' (one FWHM per peak) or 'g' (common FWHM).
// Returns 1 accepted (positions and heights appended after the list's last entry, FWHMs in
// the FitBlock), 0 rejected, -1 for fewer than three points, -2 for more than eleven.
int ASFIT(RunState& state, const FitSelection& selection, char fwhmMode);
