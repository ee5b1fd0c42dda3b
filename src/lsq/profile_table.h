#pragma once
// What one peak's profile needs that does not depend on the point: worked out once per
// peak and parameter state, then used at every point of the ROI. Every value here is the
// one profile_point computes on the way, in the same arithmetic, so that the profile from
// the table is the same float as profile_point's, bit for bit.

#include <vector>

enum class ProfileKind {
    Absent,      // no positive half width: no peak at all
    Symmetric,   // no positive, finite tail length: the A -> 0 limit
    Asymmetric,  // the convolution with the slit asymmetry, by Simpson's rule
};

struct ProfileTable {
    ProfileKind kind = ProfileKind::Absent;
    float P = 0.0f;  // peak position
    float h = 0.0f;  // half width

    // The asymmetric profile only.
    float A = 0.0f;   // tail length
    float r = 0.0f;   // Gaussian length
    float hh = 0.0f;  // h * h
    // Beyond this |d - u|, (d - u)^2 / r^2 is surely past the Gaussian's cut-off: 3.2 r
    // leaves room for every rounding; infinite when r is too small for that.
    float farDistance = 0.0f;
    int n = 0;                   // Simpson intervals
    std::vector<float> u;        // i * delta, i = 0..n
    std::vector<float> c;        // Simpson weights
    std::vector<double> cSqrtU;  // the weights of the sums with sqrt(u): sqrtUWeight
    double arcDivisor = 0.0;     // pi A
    double edgeLFactor = 0.0;    // 2h / pi
    double sumLFactor = 0.0;     // -4h / (pi sqrt A) * delta / 3
    double edgeGFactor = 0.0;    // 2 / (sqrt(pi) r)
    double sumG1Factor = 0.0;    // -4 / (sqrt(pi) r^3 sqrt A) * delta / 3
    double sumG0Factor = 0.0;    // -1 / (sqrt(pi) r A) * delta / 3
};

// Fills the table of a peak at P with half width h for slit width / separation `wor`,
// keeping the storage the table already has.
void buildProfileTable(ProfileTable& table, float P, float h, double wor);
