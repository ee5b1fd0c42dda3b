#pragma once
// The model at one ROI point: straight background plus the present peaks.

#include "lsq/lsq_state.h"

// Model value at data point i (0-based ROI index), stored in its `model` and returned.
// Pulls eta back into 0..1 in the vector first, and writes `deriv` of the parameters the
// model differentiates itself: eta, both background ends, each present peak's intensity.
// Peaks are present in order from the first while their position is refined.
float model_point(LsqState& lsq, int i);
