#pragma once
// Autoscale: the intensity range of the window follows the pattern points inside its
// two-theta range, from -0.1 to `factor` times their largest intensity (1.1 in the region
// choice, 1.3 in the fitting mode). Only pattern points are scanned; a window wholly
// outside the pattern keeps its intensity range.

struct RunState;

void autoscaleWindow(RunState& state, float factor);
