#pragma once
// The arc tangent the profile uses, written once for a single double and for lanes of
// doubles (GCC vector types), so that both evaluations of the profile get the same bits
// from it, as with the exponential beside it. Within 1 ulp of the C library's atan (see
// the accuracy test).
//
// The method is that of Sun's fdlibm: atan(|x|) is atan(c) + atan((|x| - c) / (1 + c|x|))
// for c = 0, 1/2, 1 or 3/2 by the interval |x| lies in, or pi/2 + atan(-1/|x|) from 39/16
// on, with atan of the reduced argument from an odd polynomial of degree 23 and atan(c)
// in two parts. Every interval's reduction is computed and the lane's own is chosen, so
// that lanes take no branches; the formula with c = 0 gives the same bits as fdlibm's
// shorter one.

#include <bit>
#include <cstdint>

#include "lsq/select_lanes.h"

namespace atan_lanes_detail {

// atan(1/2), atan(1), atan(3/2) and atan(inf), each as a double and the rest.
inline constexpr double kAtanHalfHi = 4.63647609000806093515e-01;
inline constexpr double kAtanHalfLo = 2.26987774529616870924e-17;
inline constexpr double kAtanOneHi = 7.85398163397448278999e-01;
inline constexpr double kAtanOneLo = 3.06161699786838301793e-17;
inline constexpr double kAtanThreeHalvesHi = 9.82793723247329054082e-01;
inline constexpr double kAtanThreeHalvesLo = 1.39033110312309984516e-17;
inline constexpr double kAtanInfHi = 1.57079632679489655800e+00;
inline constexpr double kAtanInfLo = 6.12323399573676603587e-17;

inline constexpr double kT0 = 3.33333333333329318027e-01;
inline constexpr double kT1 = -1.99999999998764832476e-01;
inline constexpr double kT2 = 1.42857142725034663711e-01;
inline constexpr double kT3 = -1.11111104054623557880e-01;
inline constexpr double kT4 = 9.09088713343650656196e-02;
inline constexpr double kT5 = -7.69187620504482999495e-02;
inline constexpr double kT6 = 6.66107313738753120669e-02;
inline constexpr double kT7 = -5.83357013379057348645e-02;
inline constexpr double kT8 = 4.97687799461593236017e-02;
inline constexpr double kT9 = -3.65315727442169155270e-02;
inline constexpr double kT10 = 1.62858201153657823623e-02;

inline constexpr std::int64_t kSignBit = std::int64_t{1} << 63;

// All ones where a, not negative or a NaN, is below c > 0, and 0 elsewhere: from the bits,
// which order as the values do, since GCC compares doubles in vectors wider than the
// processor's registers one lane at a time.
template <class D, class I>
[[gnu::always_inline]] inline I below(D a, double c) {
    return (std::bit_cast<I>(a) - std::bit_cast<std::int64_t>(c)) >> 63;
}

}  // namespace atan_lanes_detail

// atan(x) for D = double with I = std::int64_t, or for D a vector of doubles with I the
// vector of 64-bit integers of the same lanes. A NaN gives a NaN, +-inf gives +-pi/2.
template <class D, class I>
[[gnu::always_inline]] inline D atanLanes(D x) {
    using namespace atan_lanes_detail;
    const I sign = std::bit_cast<I>(x) & kSignBit;
    const D a = std::bit_cast<D>(std::bit_cast<I>(x) & ~kSignBit);

    // The interval of |x|: below 7/16, 11/16, 19/16, and from 39/16 on, where a NaN falls
    // too and stays a NaN.
    const I nearZero = below<D, I>(a, 0.4375);
    const I nearHalf = below<D, I>(a, 0.6875);
    const I nearOne = below<D, I>(a, 1.1875);
    const I large = ~below<D, I>(a, 2.4375);
    const auto pick = [&](double c0, double cHalf, double cOne, double cThreeHalves, double cInf) {
        return selectLanes(
            nearZero, D{} + c0,
            selectLanes(nearHalf, D{} + cHalf,
                        selectLanes(nearOne, D{} + cOne,
                                    selectLanes(large, D{} + cInf, D{} + cThreeHalves))));
    };
    const D numerator = selectLanes(
        nearZero, a,
        selectLanes(nearHalf, 2.0 * a - 1.0,
                    selectLanes(nearOne, a - 1.0, selectLanes(large, D{} - 1.0, a - 1.5))));
    const D denominator = selectLanes(
        nearZero, D{} + 1.0,
        selectLanes(nearHalf, 2.0 + a,
                    selectLanes(nearOne, a + 1.0, selectLanes(large, a, 1.0 + 1.5 * a))));
    const D hi = pick(0.0, kAtanHalfHi, kAtanOneHi, kAtanThreeHalvesHi, kAtanInfHi);
    const D lo = pick(0.0, kAtanHalfLo, kAtanOneLo, kAtanThreeHalvesLo, kAtanInfLo);

    const D r = numerator / denominator;
    const D z = r * r;
    const D w = z * z;
    const D s1 = z * (kT0 + w * (kT2 + w * (kT4 + w * (kT6 + w * (kT8 + w * kT10)))));
    const D s2 = w * (kT1 + w * (kT3 + w * (kT5 + w * (kT7 + w * kT9))));
    const D magnitude = hi - ((r * (s1 + s2) - lo) - r);
    return std::bit_cast<D>(std::bit_cast<I>(magnitude) ^ sign);
}
