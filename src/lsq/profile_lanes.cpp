#include "lsq/profile_lanes.h"

// The lane types below never cross this file's boundary, so the calling convention GCC
// warns about for them does not matter.
#pragma GCC diagnostic ignored "-Wpsabi"
// GCC 12's AVX-512 intrinsics start their results from a deliberately undefined register,
// which its own warning then takes for an uninitialised variable.
#if !defined(__clang__)
#pragma GCC diagnostic ignored "-Wmaybe-uninitialized"
#endif

#include <immintrin.h>

#include <algorithm>
#include <atomic>
#include <cmath>
#include <cstdint>
#include <limits>
#include <vector>

#include "lsq/profile_constants.h"

namespace {

// Each instruction set takes the points in groups of float lanes that fill one of its
// registers, and does the profile's double arithmetic in the group's two halves, one
// register each: GCC keeps vectors of the widest register in registers, where it puts
// wider ones through memory. A call's groups are taken two at a time.
#define LANES(T, count) T __attribute__((vector_size((count) * sizeof(T))))

// The Simpson indices [first, end) outside which no Gaussian term counts (see
// gaussianRange).
struct IndexRange {
    int first;
    int end;
};

static_assert(kSumCutoff <= 708 && kEdgeCutoff <= 708,
              "exp(-z) up to the cut-offs is a moderate exponential");

// Every function of a set's kernel is inlined into the set's entry and compiled for the
// set (kLaneInline), so that all of it runs on the set's instructions.
namespace baseline {
#define kLaneInline [[gnu::always_inline]] inline
constexpr int kGroupLanes = 4;
using FloatLanes = LANES(float, 4);
using DoubleHalf = LANES(double, 2);
using IntegerHalf = LANES(std::int64_t, 2);

// Widening the halves of a group to double, and joining two halves rounded to float.
struct Halves {
    kLaneInline static DoubleHalf low(FloatLanes v) { return _mm_cvtps_pd(v); }
    kLaneInline static DoubleHalf high(FloatLanes v) { return _mm_cvtps_pd(_mm_movehl_ps(v, v)); }
    kLaneInline static FloatLanes join(DoubleHalf low, DoubleHalf high) {
        return _mm_movelh_ps(_mm_cvtpd_ps(low), _mm_cvtpd_ps(high));
    }
    kLaneInline static DoubleHalf roundToFloat(DoubleHalf v) {
        return _mm_cvtps_pd(_mm_cvtpd_ps(v));
    }
};

#include "lsq/profile_lanes_kernel.inc"
#undef kLaneInline
}  // namespace baseline

// The wider sets' kernels are compiled from the same source with the set as each
// function's target. Clang will not hand lanes of the wider sets to the shared elementary
// functions (exp, atan), which have no target of their own, so a clang build (the fuzzing
// one) has the baseline lanes only.
#if !defined(__clang__)
#define XRDPICK_WIDE_LANES 1

// No instruction set below fuses a multiply and an add, so that every operation rounds as
// in the baseline.
namespace avx2 {
#define kLaneInline [[gnu::always_inline, gnu::target("avx2")]] inline
constexpr int kGroupLanes = 8;
using FloatLanes = LANES(float, 8);
using DoubleHalf = LANES(double, 4);
using IntegerHalf = LANES(std::int64_t, 4);

struct Halves {
    kLaneInline static DoubleHalf low(FloatLanes v) {
        return _mm256_cvtps_pd(_mm256_castps256_ps128(v));
    }
    kLaneInline static DoubleHalf high(FloatLanes v) {
        return _mm256_cvtps_pd(_mm256_extractf128_ps(v, 1));
    }
    kLaneInline static FloatLanes join(DoubleHalf low, DoubleHalf high) {
        return _mm256_insertf128_ps(_mm256_castps128_ps256(_mm256_cvtpd_ps(low)),
                                    _mm256_cvtpd_ps(high), 1);
    }
    kLaneInline static DoubleHalf roundToFloat(DoubleHalf v) {
        return _mm256_cvtps_pd(_mm256_cvtpd_ps(v));
    }
};

#include "lsq/profile_lanes_kernel.inc"
#undef kLaneInline
}  // namespace avx2

namespace avx512 {
#define kLaneInline [[gnu::always_inline, gnu::target("avx512f")]] inline
constexpr int kGroupLanes = 16;
using FloatLanes = LANES(float, 16);
using DoubleHalf = LANES(double, 8);
using IntegerHalf = LANES(std::int64_t, 8);

struct Halves {
    kLaneInline static DoubleHalf low(FloatLanes v) {
        return _mm512_cvtps_pd(_mm512_castps512_ps256(v));
    }
    kLaneInline static DoubleHalf high(FloatLanes v) {
        return _mm512_cvtps_pd(_mm256_castpd_ps(_mm512_extractf64x4_pd(_mm512_castps_pd(v), 1)));
    }
    kLaneInline static FloatLanes join(DoubleHalf low, DoubleHalf high) {
        const __m512d lowInPlace = _mm512_castps_pd(_mm512_castps256_ps512(_mm512_cvtpd_ps(low)));
        return _mm512_castpd_ps(
            _mm512_insertf64x4(lowInPlace, _mm256_castps_pd(_mm512_cvtpd_ps(high)), 1));
    }
    kLaneInline static DoubleHalf roundToFloat(DoubleHalf v) {
        return _mm512_cvtps_pd(_mm512_cvtpd_ps(v));
    }
};

#include "lsq/profile_lanes_kernel.inc"
#undef kLaneInline
}  // namespace avx512
#else
#define XRDPICK_WIDE_LANES 0
#endif

void baselineLanes(const ProfileTable& table, const LanePoints& x, int count, LaneComponents& out) {
    baseline::profileLanesOn(table, x, count, out);
}

#if XRDPICK_WIDE_LANES
[[gnu::target("avx2")]] void avx2Lanes(const ProfileTable& table, const LanePoints& x, int count,
                                       LaneComponents& out) {
    avx2::profileLanesOn(table, x, count, out);
}

[[gnu::target("avx512f")]] void avx512Lanes(const ProfileTable& table, const LanePoints& x,
                                            int count, LaneComponents& out) {
    avx512::profileLanesOn(table, x, count, out);
}
#endif

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
            return XRDPICK_WIDE_LANES && __builtin_cpu_supports("avx2");
        case LaneIsa::Avx512:
            return XRDPICK_WIDE_LANES && __builtin_cpu_supports("avx512f");
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

void profileLanes(const ProfileTable& table, const LanePoints& x, int count, LaneComponents& out) {
    switch (laneIsa.load(std::memory_order_relaxed)) {
#if XRDPICK_WIDE_LANES
        case LaneIsa::Avx512:
            return avx512Lanes(table, x, count, out);
        case LaneIsa::Avx2:
            return avx2Lanes(table, x, count, out);
#endif
        default:
            return baselineLanes(table, x, count, out);
    }
}
