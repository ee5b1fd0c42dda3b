#pragma once
// Autoscale: the intensity range of the window follows the pattern points inside its
// two-theta range, from -0.1 to `factor` times their largest intensity (1.1 in the region
// choice, 1.3 in the fitting mode). Only pattern points are scanned; a window wholly
// outside the pattern keeps its intensity range, and so does one whose points have no
// positive intensity (the range would have no height).

struct RunState;

inline constexpr double kRoiAutoscale = 1.1;      // region choice and its zoom
inline constexpr double kFittingAutoscale = 1.3;  // fitting mode and the zoom for fitting

// The products are formed in double precision and stored as floats, as for full scale.
void autoscaleWindow(RunState& state, double factor);
