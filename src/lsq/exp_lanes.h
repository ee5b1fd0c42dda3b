#pragma once
// The exponential the profile uses, written once for a single double and for lanes of
// doubles (GCC vector types), so that both evaluations of the profile get the same bits
// from it: every step is an IEEE operation or a bit manipulation that rounds the same in
// a lane as alone, and nothing fuses a multiply with an add. The C library's exp has no
// vector form with its own bits; this one is within 1 ulp of it (see the accuracy test).
//
// The method is the classic one of Sun's fdlibm: x = k ln 2 + r with |r| <= ln 2 / 2,
// the rational approximation exp(r) = 1 + 2r / (2 - R(r)) with R a degree-5 polynomial in
// r^2, and exp(x) = 2^k exp(r), taken in two exact-or-once-rounded steps near the ends
// of the range so that 2^k itself never overflows or underflows.

#include <bit>
#include <cstdint>
#include <limits>

#include "lsq/select_lanes.h"

namespace exp_lanes_detail {

inline constexpr double kInvLn2 = 1.44269504088896338700e+00;
inline constexpr double kLn2Hi = 6.93147180369123816490e-01;  // k * kLn2Hi is exact
inline constexpr double kLn2Lo = 1.90821492927058770002e-10;
inline constexpr double kP1 = 1.66666666666666019037e-01;
inline constexpr double kP2 = -2.77777777770155933842e-03;
inline constexpr double kP3 = 6.61375632143793436117e-05;
inline constexpr double kP4 = -1.65339022054652515390e-06;
inline constexpr double kP5 = 4.13813679705723846039e-08;
// Adding 1.5 * 2^52 rounds to an integer, which then sits in the low bits.
inline constexpr double kRoundShift = 6755399441055744.0;
inline constexpr std::int64_t kMantissaBits = (std::int64_t{1} << 52) - 1;
inline constexpr std::int64_t kHalfMantissa = std::int64_t{1} << 51;
inline constexpr double kOverflow = 7.09782712893383973096e+02;    // exp(x) is inf above
inline constexpr double kUnderflow = -7.45133219101941108420e+02;  // and rounds to 0 below
inline constexpr double kTwoToMinus1000 = 0x1p-1000;

}  // namespace exp_lanes_detail

// exp(x) = y 2^k, with y = exp(r) and k the integer nearest x / ln 2 as kBits: the part
// of the exponential that every argument takes.
template <class D, class I>
struct ExpParts {
    D y;
    I kBits;
};

template <class D, class I>
[[gnu::always_inline]] inline ExpParts<D, I> expParts(D x) {
    using namespace exp_lanes_detail;
    const D shifted = x * kInvLn2 + kRoundShift;
    const D k = shifted - kRoundShift;  // the integer nearest x / ln 2
    const D hi = x - k * kLn2Hi;
    const D lo = k * kLn2Lo;
    const D r = hi - lo;
    const D t = r * r;
    const D c = r - t * (kP1 + t * (kP2 + t * (kP3 + t * (kP4 + t * kP5))));
    const D y = 1.0 - ((lo - (r * c) / (2.0 - c)) - hi);
    // shifted = 1.5 * 2^52 + k has 2^51 + k in its low 52 bits. Taken from there, kBits
    // stays within +-2^51 for any argument, so that no lane's integer arithmetic overflows
    // where an argument far out of range would.
    return {y, (std::bit_cast<I>(shifted) & kMantissaBits) - kHalfMantissa};
}

// 2^kBits as a double, for the exponents (biased & 0x7ff) encodes.
template <class D, class I>
[[gnu::always_inline]] inline D twoToThe(I biased) {
    return std::bit_cast<D>((biased & 0x7ff) << 52);
}

// exp(x) for D = double with I = std::int64_t, or for D a vector of doubles with I the
// vector of 64-bit integers of the same lanes.
template <class D, class I>
[[gnu::always_inline]] inline D expLanes(D x) {
    using namespace exp_lanes_detail;
    const auto [y, kBits] = expParts<D, I>(x);

    // 2^k from the exponent bits; below 2^-1021 it is taken as 2^(k + 1000) 2^-1000 and at
    // 2^1024 as 2^1023 * 2, so that the scale stays a normal double.
    const auto tiny = kBits < -1021;
    const auto huge = kBits > 1023;
    const I biased = selectLanes(tiny, kBits + 1000, selectLanes(huge, kBits - 1, kBits)) + 1023;
    D result = y * twoToThe<D>(biased);
    result = selectLanes(tiny, result * kTwoToMinus1000, selectLanes(huge, result * 2.0, result));
    result = selectLanes(x > kOverflow, D{} + std::numeric_limits<double>::infinity(), result);
    return selectLanes(x < kUnderflow, D{}, result);
}

// expLanes(x) for -708 <= x <= 708, where 2^k is a normal double and the result neither
// overflows nor underflows, so that none of its special cases applies: the same bits with
// less work. Outside that range a lane's value is meaningless.
template <class D, class I>
[[gnu::always_inline]] inline D expLanesModerate(D x) {
    const auto [y, kBits] = expParts<D, I>(x);
    return y * twoToThe<D>(kBits + 1023);
}
