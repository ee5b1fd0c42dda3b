#pragma once
// The regions of a run, from whichever source the command line names.

#include "batch/fit_options.h"
#include "fit/region.h"

PlanRead readRegions(const FitOptions& options);
