#pragma once
// The step of a numerical derivative, shared by the passes that take it and the tables
// that foresee the profiles it reshapes.

#include <cmath>

// Step for the numerical derivative of a parameter with value b: 0.00005 of it, or
// 0.00005 itself for a value within 1e-10 of zero.
inline double numericStep(double b) {
    return std::fabs(b) > 1e-10 ? b * 0.00005 : 0.00005;
}
