#pragma once
// The numbers and helpers both evaluations of the profile share: the point-by-point one
// and the one that works from a peak's precomputed table.

#include <cmath>
#include <cstdint>

#include "lsq/atan_lanes.h"
#include "lsq/exp_lanes.h"

// The profile keeps its values in float but evaluates every library function in double:
// a float argument passed here is widened first. exp and atan are the engine's own, which
// the profile's lanes evaluate alike.
inline double sqrtD(double v) {
    return std::sqrt(v);
}
inline double expD(double v) {
    return expLanes<double, std::int64_t>(v);
}
inline double atanD(double v) {
    return atanLanes<double, std::int64_t>(v);
}

inline constexpr double kPi = 3.14159265;
inline constexpr double kSqrtPi = 1.7725;
inline constexpr double kSqrtLn2 = 0.8326;  // Gaussian length r = h / sqrt(ln 2)
inline constexpr float kSumCutoff = 10.0f;  // exp(-z) counts in the Simpson sums up to here
inline constexpr float kEdgeCutoff = 9.0f;  // and in the edge term at u = A below here

inline float simpsonWeight(int i, int n) {
    if (i == 0 || i == n) return 1.0f;
    return i % 2 == 1 ? 4.0f : 2.0f;
}

// The weight of node i of n (n >= 4), in units of delta / 3 as Simpson's weights are, in
// a sum that integrates sqrt(u) f(u) over [0, n delta]: Simpson's c sqrt(u) from the second
// panel on, and on the first panel [0, 2 delta] the weights that integrate sqrt(u) times
// the parabola through f's three nodes exactly (8/35, 96/35 and 36/35 of sqrt(2 delta),
// node 2 adding the second panel's 1 sqrt(2 delta)). Simpson's rule on sqrt(u) f(u) itself
// converges only as delta^1.5 there; these, as fast as away from the kink.
inline double sqrtUWeight(int i, int n, float delta) {
    if (i > 2) return simpsonWeight(i, n) * sqrtD(i * delta);
    constexpr double kFirstPanel[3] = {8.0 / 35, 96.0 / 35, 71.0 / 35};
    return kFirstPanel[i] * sqrtD(2.0 * delta);
}
