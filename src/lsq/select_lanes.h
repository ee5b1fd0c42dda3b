#pragma once
// A choice lane by lane that the engine's own elementary functions and the profile's lanes
// share: written once for a single value and for GCC vector types.

#include <bit>
#include <type_traits>

// `yes` where `mask` holds and `no` elsewhere; for lanes, the mask is a comparison of
// lanes of the same width. GCC compiles the vector ?: lane by lane, the bit blend not.
template <class Mask, class T>
[[gnu::always_inline]] inline T selectLanes(Mask mask, T yes, T no) {
    if constexpr (std::is_arithmetic_v<T>) {
        return mask ? yes : no;
    } else {
        return std::bit_cast<T>((mask & std::bit_cast<Mask>(yes)) |
                                (~mask & std::bit_cast<Mask>(no)));
    }
}
