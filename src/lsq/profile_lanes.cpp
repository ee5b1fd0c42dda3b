#include "lsq/profile_lanes.h"

#include <limits>

#include "lsq/profile_constants.h"

// The lane types below never cross this file's boundary, so the calling convention GCC
// warns about for them does not matter.
#pragma GCC diagnostic ignored "-Wpsabi"

namespace {

using FloatLanes = float __attribute__((vector_size(kLanes * sizeof(float))));
using DoubleLanes = double __attribute__((vector_size(kLanes * sizeof(double))));
using MaskLanes = int __attribute__((vector_size(kLanes * sizeof(int))));

DoubleLanes widen(FloatLanes v) {
    return __builtin_convertvector(v, DoubleLanes);
}

FloatLanes narrow(DoubleLanes v) {
    return __builtin_convertvector(v, FloatLanes);
}

bool anyLane(MaskLanes mask) {
    int any = 0;
    for (int l = 0; l < kLanes; ++l) any |= mask[l];
    return any != 0;
}

// S2, the Lorentzian's Simpson sum, which every point needs. `gaussianReach` tells the
// lanes where some (d - u)^2 / r^2 may be within the cut-off (or is not a number).
FloatLanes lorentzianSum(const ProfileTable& table, FloatLanes d, MaskLanes& gaussianReach) {
    FloatLanes S2 = {};
    MaskLanes reach = {};
    for (int i = 0; i <= table.n; ++i) {
        const FloatLanes t = d - table.u[i];
        const FloatLanes q = t * t + table.hh;
        const DoubleLanes cSqrtUT = table.cSqrtU[i] * widen(t);
        S2 = narrow(widen(S2) + cSqrtUT / widen(q * q));
        reach |= ~((t > table.farDistance) | (t < -table.farDistance));
    }
    gaussianReach = reach;
    return S2;
}

// S1 and S0, the Gaussian's Simpson sums. exp has no vector form that is the library's
// to the bit, so it runs lane by lane, only where z is within the cut-off.
void gaussianSums(const ProfileTable& table, FloatLanes d, FloatLanes& S1, FloatLanes& S0) {
    S1 = FloatLanes{};
    S0 = FloatLanes{};
    for (int i = 0; i <= table.n; ++i) {
        const FloatLanes t = d - table.u[i];
        const DoubleLanes cSqrtUT = table.cSqrtU[i] * widen(t);
        const FloatLanes tr = t / table.r;
        const FloatLanes z = tr * tr;
        const MaskLanes near = z <= kSumCutoff;
        FloatLanes e = {};
        for (int l = 0; l < kLanes; ++l) {
            if (near[l] != 0) e[l] = expD(-z[l]);
        }
        S1 = narrow(widen(S1) + cSqrtUT * widen(e));
        S0 = S0 + table.c[i] * e;
    }
}

struct SimpsonSums {
    FloatLanes S0 = {};
    FloatLanes S1 = {};
    FloatLanes S2 = {};
};

// Where no (d - u)^2 / r^2 of any lane comes within the cut-off, every exp(-z) is 0 and
// the Gaussian sums stay +0, as they start; a point at infinite distance would make them
// not a number, so it is summed in full.
SimpsonSums simpsonSums(const ProfileTable& table, FloatLanes d) {
    SimpsonSums s;
    MaskLanes reach;
    s.S2 = lorentzianSum(table, d, reach);
    constexpr float kLargest = std::numeric_limits<float>::max();
    const MaskLanes infinite = (d > kLargest) | (d < -kLargest);
    if (anyLane(reach | infinite)) gaussianSums(table, d, s.S1, s.S0);
    return s;
}

// The edge terms at u = A and the scaled sums, as profile_point adds them up.
ProfileComponents assemble(const ProfileTable& table, float d, float S0, float S1, float S2) {
    const float h = table.h;
    const float r = table.r;
    const float dA = d - table.A;
    const float arcTerm = -(atanD(d / h) - atanD(dA / h)) / table.arcDivisor;
    const float edgeL = table.edgeLFactor / (dA * dA + table.hh);
    const float sumL = table.sumLFactor * S2;
    const float L = arcTerm + edgeL + sumL;

    const float zA = (dA / r) * (dA / r);
    const float edgeG = zA < kEdgeCutoff ? table.edgeGFactor * expD(-zA) : 0.0f;
    const float sumG1 = table.sumG1Factor * S1;
    const float sumG0 = table.sumG0Factor * S0;
    const float G = edgeG + sumG1 + sumG0;
    return {L, G};
}

}  // namespace

void profileLanes(const ProfileTable& table, const LanePoints& x, LaneComponents& out) {
    FloatLanes d;
    for (int l = 0; l < kLanes; ++l) d[l] = table.P - x[l];
    switch (table.kind) {
        case ProfileKind::Absent:
            out.fill({0.0f, 0.0f});
            return;
        case ProfileKind::Symmetric:
            for (int l = 0; l < kLanes; ++l) out[l] = symmetricProfile(d[l], table.h);
            return;
        case ProfileKind::Asymmetric: {
            const SimpsonSums s = simpsonSums(table, d);
            for (int l = 0; l < kLanes; ++l)
                out[l] = assemble(table, d[l], s.S0[l], s.S1[l], s.S2[l]);
            return;
        }
    }
}
