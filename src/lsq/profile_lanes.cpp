#include "lsq/profile_lanes.h"

// The lane types below never cross this file's boundary, so the calling convention GCC
// warns about for them does not matter.
#pragma GCC diagnostic ignored "-Wpsabi"

#include <algorithm>
#include <atomic>
#include <cmath>
#include <cstdint>
#include <limits>
#include <vector>

#include "lsq/profile_constants.h"

namespace {

// Every step of the profile is inlined into each instruction set's entry below, so that
// all of it is compiled for that set.
#define kInline [[gnu::always_inline]] inline

using FloatLanes = float __attribute__((vector_size(kLanes * sizeof(float))));
using DoubleLanes = double __attribute__((vector_size(kLanes * sizeof(double))));
using IntegerLanes = std::int64_t __attribute__((vector_size(kLanes * sizeof(std::int64_t))));

kInline DoubleLanes widen(FloatLanes v) {
    return __builtin_convertvector(v, DoubleLanes);
}

kInline FloatLanes narrow(DoubleLanes v) {
    return __builtin_convertvector(v, FloatLanes);
}

// Term i of S2, the Lorentzian's Simpson sum, which every point needs.
kInline void addLorentzianTerm(const ProfileTable& table, FloatLanes d, int i, FloatLanes& S2) {
    const FloatLanes t = d - table.u[i];
    const FloatLanes q = t * t + table.hh;
    const DoubleLanes cSqrtUT = table.cSqrtU[i] * widen(t);
    S2 = narrow(widen(S2) + cSqrtUT / widen(q * q));
}

// The Simpson indices [first, end) beyond which no lane's t = d - u is within
// farDistance, so that every exp(-z) there is 0. t falls as u grows: the range starts
// where the nearest lane's t comes down to farDistance and ends after the farthest lane's
// t is last above -farDistance. Outside it a term adds +0 to sums that are still +0, or
// -0 (t < 0) to sums that it leaves alone, so leaving it out changes no bit. A lane at
// infinite distance or not a number makes every term count.
struct IndexRange {
    int first;
    int end;
};

kInline IndexRange gaussianRange(const ProfileTable& table, FloatLanes d) {
    float nearest = d[0];
    float farthest = d[0];
    for (int l = 0; l < kLanes; ++l) {
        if (!(std::fabs(d[l]) <= std::numeric_limits<float>::max())) return {0, table.n + 1};
        nearest = std::min(nearest, d[l]);
        farthest = std::max(farthest, d[l]);
    }
    const std::vector<float>& u = table.u;
    const float far = table.farDistance;
    const auto first =
        std::partition_point(u.begin(), u.end(), [&](float ui) { return nearest - ui > far; });
    const auto end =
        std::partition_point(u.begin(), u.end(), [&](float ui) { return farthest - ui >= -far; });
    return {static_cast<int>(first - u.begin()), static_cast<int>(end - u.begin())};
}

// Term i of S1 and S0, the Gaussian's Simpson sums; exp(-z) counts where z is within the
// cut-off.
static_assert(kSumCutoff <= 708 && kEdgeCutoff <= 708,
              "exp(-z) up to the cut-offs is a moderate exponential");
kInline void addGaussianTerms(const ProfileTable& table, FloatLanes d, int i, FloatLanes& S1,
                              FloatLanes& S0) {
    const FloatLanes t = d - table.u[i];
    const DoubleLanes cSqrtUT = table.cSqrtU[i] * widen(t);
    const FloatLanes tr = t / table.r;
    const FloatLanes z = tr * tr;
    // Lanes past the cut-off, where the argument may be anything, are set to 0.
    const FloatLanes e =
        selectLanes(z <= kSumCutoff, narrow(expLanesModerate<DoubleLanes, IntegerLanes>(-widen(z))),
                    FloatLanes{});
    S1 = narrow(widen(S1) + cSqrtUT * widen(e));
    S0 = S0 + table.c[i] * e;
}

// The three Simpson sums, each in index order. Where the Gaussian's terms count, one loop
// takes both kinds, so that the sums' chains of roundings wait side by side.
kInline void simpsonSums(const ProfileTable& table, FloatLanes d, FloatLanes& S0, FloatLanes& S1,
                         FloatLanes& S2) {
    S0 = S1 = S2 = FloatLanes{};
    const IndexRange range = gaussianRange(table, d);
    for (int i = 0; i < range.first; ++i) addLorentzianTerm(table, d, i, S2);
    for (int i = range.first; i < range.end; ++i) {
        addLorentzianTerm(table, d, i, S2);
        addGaussianTerms(table, d, i, S1, S0);
    }
    for (int i = range.end; i <= table.n; ++i) addLorentzianTerm(table, d, i, S2);
}

// The edge terms at u = A and the scaled sums, as profile_point adds them up.
kInline void assemble(const ProfileTable& table, FloatLanes d, FloatLanes S0, FloatLanes S1,
                      FloatLanes S2, LaneComponents& out) {
    const float h = table.h;
    const float r = table.r;
    const FloatLanes dA = d - table.A;
    const DoubleLanes atanD = atanLanes<DoubleLanes, IntegerLanes>(widen(d / h));
    const DoubleLanes atanDA = atanLanes<DoubleLanes, IntegerLanes>(widen(dA / h));
    const FloatLanes arcTerm = narrow(-(atanD - atanDA) / table.arcDivisor);
    const FloatLanes edgeL = narrow(table.edgeLFactor / widen(dA * dA + table.hh));
    const FloatLanes sumL = narrow(table.sumLFactor * widen(S2));
    const FloatLanes L = arcTerm + edgeL + sumL;

    const FloatLanes zA = (dA / r) * (dA / r);
    // Lanes past the cut-off, where the argument may be anything, are set to 0.
    const FloatLanes edgeG = selectLanes(
        zA < kEdgeCutoff,
        narrow(table.edgeGFactor * expLanesModerate<DoubleLanes, IntegerLanes>(-widen(zA))),
        FloatLanes{});
    const FloatLanes sumG1 = narrow(table.sumG1Factor * widen(S1));
    const FloatLanes sumG0 = narrow(table.sumG0Factor * widen(S0));
    const FloatLanes G = edgeG + sumG1 + sumG0;
    for (int l = 0; l < kLanes; ++l) out[l] = {L[l], G[l]};
}

kInline void profileLanesOn(const ProfileTable& table, const LanePoints& x, LaneComponents& out) {
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
            FloatLanes S0;
            FloatLanes S1;
            FloatLanes S2;
            simpsonSums(table, d, S0, S1, S2);
            assemble(table, d, S0, S1, S2, out);
            return;
        }
    }
}

void baselineLanes(const ProfileTable& table, const LanePoints& x, LaneComponents& out) {
    profileLanesOn(table, x, out);
}

// Without fused multiply-adds, so that every operation rounds as in the baseline.
[[gnu::target("avx2")]] void avx2Lanes(const ProfileTable& table, const LanePoints& x,
                                       LaneComponents& out) {
    profileLanesOn(table, x, out);
}

[[gnu::target("avx512f")]] void avx512Lanes(const ProfileTable& table, const LanePoints& x,
                                            LaneComponents& out) {
    profileLanesOn(table, x, out);
}

LaneIsa widestSupported() {
    if (laneIsaSupported(LaneIsa::Avx512)) return LaneIsa::Avx512;
    if (laneIsaSupported(LaneIsa::Avx2)) return LaneIsa::Avx2;
    return LaneIsa::Baseline;
}

std::atomic<LaneIsa> laneIsa{widestSupported()};

}  // namespace

bool laneIsaSupported(LaneIsa isa) {
    switch (isa) {
        case LaneIsa::Baseline:
            return true;
        case LaneIsa::Avx2:
            return __builtin_cpu_supports("avx2");
        case LaneIsa::Avx512:
            return __builtin_cpu_supports("avx512f");
    }
    return false;
}

void useLaneIsa(LaneIsa isa) {
    while (!laneIsaSupported(isa)) isa = static_cast<LaneIsa>(static_cast<int>(isa) - 1);
    laneIsa = isa;
}

LaneIsa laneIsaInUse() {
    return laneIsa.load(std::memory_order_relaxed);
}

void profileLanes(const ProfileTable& table, const LanePoints& x, LaneComponents& out) {
    switch (laneIsa.load(std::memory_order_relaxed)) {
        case LaneIsa::Avx512:
            return avx512Lanes(table, x, out);
        case LaneIsa::Avx2:
            return avx2Lanes(table, x, out);
        case LaneIsa::Baseline:
            return baselineLanes(table, x, out);
    }
}
