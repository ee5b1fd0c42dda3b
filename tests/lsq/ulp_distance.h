#pragma once
// Measuring the engine's own elementary functions against the C library's.

#include <bit>
#include <cstdint>

// Distance in units in the last place between two finite doubles of the same sign.
inline std::uint64_t ulpsApart(double a, double b) {
    const auto ia = std::bit_cast<std::int64_t>(a);
    const auto ib = std::bit_cast<std::int64_t>(b);
    return ia > ib ? ia - ib : ib - ia;
}

// The largest distance between `own` and `library` over the arguments checked, and where.
template <class Own, class Library>
struct WorstUlps {
    Own own;
    Library library;
    std::uint64_t ulps = 0;
    double at = 0.0;

    void check(double x) {
        const std::uint64_t apart = ulpsApart(own(x), library(x));
        if (apart > ulps) {
            ulps = apart;
            at = x;
        }
    }
};
