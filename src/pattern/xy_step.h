#pragma once
// The step an .xy file gives its pattern: .xy lists every angle, and the step is taken from
// the first two.

#include <cmath>

// The first spacing rounded to 0.0001 degree: add 0.5, then cut toward zero. For decreasing
// angles that is not the nearest value (a spacing of -0.02 gives -0.0199).
inline double xyStep(float tth0, float tth1) {
    const float spacing = (tth1 - tth0) * 10000.0f;
    return std::trunc(spacing + 0.5) * 0.0001;
}
