#include "lsq/profile_lanes.h"

// The lane types below never cross this file's boundary, so the calling convention GCC
// warns about for them does not matter.
#pragma GCC diagnostic ignored "-Wpsabi"
// GCC 12's AVX-512 intrinsics start their results from a deliberately undefined register,
// which its own warning then takes for an uninitialised variable.
#pragma GCC diagnostic ignored "-Wmaybe-uninitialized"

#include <immintrin.h>

#include <algorithm>
#include <atomic>
#include <cmath>
#include <cstdint>
#include <limits>
#include <vector>

#include "lsq/profile_constants.h"

namespace {

#define kInline [[gnu::always_inline]] inline

// A group of float lanes and, for the arithmetic the profile does in double, its two
// halves: vectors of the processor's widest register at most, which GCC keeps in
// registers, where wider ones would go through memory. A call takes two groups.
constexpr int kGroupLanes = kLanes / 2;
constexpr int kHalfLanes = kGroupLanes / 2;
using FloatLanes = float __attribute__((vector_size(kGroupLanes * sizeof(float))));
using FloatHalf = float __attribute__((vector_size(kHalfLanes * sizeof(float))));
using DoubleHalf = double __attribute__((vector_size(kHalfLanes * sizeof(double))));
using IntegerHalf = std::int64_t __attribute__((vector_size(kHalfLanes * sizeof(std::int64_t))));

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
    for (int l = 0; l < kGroupLanes; ++l) {
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

static_assert(kSumCutoff <= 708 && kEdgeCutoff <= 708,
              "exp(-z) up to the cut-offs is a moderate exponential");

// Widening the halves of a float group to double, and joining two halves of doubles
// rounded to float: in GCC's vector operations, for any instruction set.
struct GenericHalves {
    kInline static DoubleHalf low(FloatLanes v) {
        return __builtin_convertvector(__builtin_shufflevector(v, v, 0, 1, 2, 3, 4, 5, 6, 7),
                                       DoubleHalf);
    }
    kInline static DoubleHalf high(FloatLanes v) {
        return __builtin_convertvector(
            __builtin_shufflevector(v, v, 8, 9, 10, 11, 12, 13, 14, 15), DoubleHalf);
    }
    kInline static FloatLanes join(DoubleHalf low, DoubleHalf high) {
        const FloatHalf l = __builtin_convertvector(low, FloatHalf);
        const FloatHalf h = __builtin_convertvector(high, FloatHalf);
        return __builtin_shufflevector(l, h, 0, 1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11, 12, 13, 14, 15);
    }
    kInline static DoubleHalf roundToFloat(DoubleHalf v) {
        return __builtin_convertvector(__builtin_convertvector(v, FloatHalf), DoubleHalf);
    }
};
static_assert(kHalfLanes == 8, "the shuffles above take halves of eight lanes");

namespace baseline {
using Halves = GenericHalves;
#include "lsq/profile_lanes_kernel.inc"
}  // namespace baseline

// No instruction set below fuses a multiply and an add, so that every operation rounds as
// in the baseline.
#pragma GCC push_options
#pragma GCC target("avx2")
namespace avx2 {
using Halves = GenericHalves;
#include "lsq/profile_lanes_kernel.inc"
}  // namespace avx2
#pragma GCC pop_options

#pragma GCC push_options
#pragma GCC target("avx512f")
// The same conversions as single instructions, one register each, where GCC's vector
// operations would take the halves apart in quarters.
struct Avx512Halves {
    kInline static DoubleHalf low(FloatLanes v) {
        return _mm512_cvtps_pd(_mm512_castps512_ps256(v));
    }
    kInline static DoubleHalf high(FloatLanes v) {
        return _mm512_cvtps_pd(
            _mm256_castpd_ps(_mm512_extractf64x4_pd(_mm512_castps_pd(v), 1)));
    }
    kInline static FloatLanes join(DoubleHalf low, DoubleHalf high) {
        const __m512d lowInPlace = _mm512_castps_pd(_mm512_castps256_ps512(_mm512_cvtpd_ps(low)));
        return _mm512_castpd_ps(
            _mm512_insertf64x4(lowInPlace, _mm256_castps_pd(_mm512_cvtpd_ps(high)), 1));
    }
    kInline static DoubleHalf roundToFloat(DoubleHalf v) {
        return _mm512_cvtps_pd(_mm512_cvtpd_ps(v));
    }
};

namespace avx512 {
using Halves = Avx512Halves;
#include "lsq/profile_lanes_kernel.inc"
}  // namespace avx512
#pragma GCC pop_options

void baselineLanes(const ProfileTable& table, const LanePoints& x, int count,
                   LaneComponents& out) {
    baseline::profileLanesOn(table, x, count, out);
}

[[gnu::target("avx2")]] void avx2Lanes(const ProfileTable& table, const LanePoints& x,
                                       int count, LaneComponents& out) {
    avx2::profileLanesOn(table, x, count, out);
}

[[gnu::target("avx512f")]] void avx512Lanes(const ProfileTable& table, const LanePoints& x,
                                            int count, LaneComponents& out) {
    avx512::profileLanesOn(table, x, count, out);
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

void profileLanes(const ProfileTable& table, const LanePoints& x, int count,
                  LaneComponents& out) {
    switch (laneIsa.load(std::memory_order_relaxed)) {
        case LaneIsa::Avx512:
            return avx512Lanes(table, x, count, out);
        case LaneIsa::Avx2:
            return avx2Lanes(table, x, count, out);
        case LaneIsa::Baseline:
            return baselineLanes(table, x, count, out);
    }
}
