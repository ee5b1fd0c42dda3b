#pragma once
// The Kα2 companion a lab tube gives every reflection: the same profile a little higher in
// two-theta, wider by the dispersion, with a fixed share of the Kα1 line's intensity.

#include "lsq/profile.h"

struct Kalpha2 {
    double lambdaRatio;     // lambda2 / lambda1
    double intensityRatio;  // Kα2 intensity / Kα1 intensity
};

// Where a line's profile is taken: its position and half width.
struct PeakShape {
    float P;
    float h;
};

// The companion of the Kα1 line `line`: at 2 asin(lambda2/lambda1 sin theta1) with half
// width h tan theta2 / tan theta1. Both are worked out in double from the line's float
// position and half width and rounded to float once, by the one function both evaluation
// paths call, so that they take the companion's profile at the same floats. A companion
// whose asin argument is past 1 has half width 0: no peak at all.
PeakShape companionShape(PeakShape line, const Kalpha2& kalpha2);

// A doublet's components from its lines', the companion's weighted by `intensityRatio`:
// in double and rounded to float, as peakShare weighs components by eta. The model is
// linear in the components, so the doublet enters it, and the analytic derivatives of eta
// and the intensity, as one peak does.
inline ProfileComponents withCompanion(ProfileComponents line, ProfileComponents companion,
                                       double intensityRatio) {
    return {static_cast<float>(line.L + intensityRatio * companion.L),
            static_cast<float>(line.G + intensityRatio * companion.G)};
}
