#pragma once
// The model at one ROI point: straight background plus the present peaks.

#include <array>

#include "lsq/lsq_state.h"
#include "lsq/profile.h"

// Model value at data point i (0-based ROI index), stored in its `model` and returned.
// Pulls eta back into 0..1 in the vector first, and writes `deriv` of the parameters the
// model differentiates itself: eta, both background ends, each present peak's intensity.
// Peaks are present in order from the first while their position is refined.
float model_point(LsqState& lsq, int i);

// The number of present peaks.
int presentPeaks(const ParamVector& params);

// Where present peak j (1..9) sits: the position and half width its (Kα1) profile is
// taken at.
PeakShape peakShape(const ParamVector& params, int j, bool individualFwhm);

// The present peaks' profile components at one point, peak j at j - 1: a doublet's
// combined (see withCompanion).
using PeakComponents = std::array<ProfileComponents, kMaxPeaks>;

// A peak's model value per unit intensity.
inline float peakShare(double eta, const ProfileComponents& c) {
    return eta * c.L + (1 - eta) * c.G;
}

// The background at point i of n; writes the `deriv` of both background ends.
float background(ParamVector& params, int i, int n);

// The model at point i of n from the components of its `peaks` present peaks, with the
// same side effects on `params` as model_point.
float combineModel(ParamVector& params, const PeakComponents& components, int peaks, int i, int n);
