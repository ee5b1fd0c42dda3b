#pragma once
// The Marquardt least-squares refinement of the parameter vector against the ROI data.

#include "console/console.h"
#include "lsq/lsq_state.h"

// Refines the parameters with fit = 1 from the values in `b`, printing its reports, and
// leaves the refined values in `b`. Returns 1 when a convergence test ended the run and
// 0 when the iteration limit did. Afterwards nu is at least 1, phi_new / nu is the reduced
// chi-square, and each point's `model` holds the last chi-square evaluation.
int lsq_fit(LsqState& lsq, Console& console);
