// The engine's own arc tangent against the C library's, over the arguments the profile
// gives it: (P - x) / h and (P - A - x) / h, a point's distance from the peak (or from the
// end of its tail) in half widths, which is near 0 across a peak and large far from it.

#include "lsq/atan_lanes.h"

#include <gtest/gtest.h>

#include <bit>
#include <cmath>
#include <cstdint>
#include <limits>
#include <random>

#include "ulp_distance.h"

namespace {

double ownAtan(double x) {
    return atanLanes<double, std::int64_t>(x);
}

// The worst distance from the C library's atan over the arguments checked.
auto worst() {
    return WorstUlps{[](double x) { return ownAtan(x); }, [](double x) { return std::atan(x); }};
}

}  // namespace

TEST(AtanLanes, WithinOneUlpOfTheLibraryWhereTheProfileUsesIt) {
    // Across a peak and its tail, through every interval of the reduction, at a density
    // that hits each boundary's neighbourhood; the arguments are floats widened.
    auto near = worst();
    for (int i = -4'000'000; i <= 4'000'000; ++i) near.check(static_cast<float>(i * 1e-5));
    std::mt19937_64 random(23);
    std::uniform_real_distribution<double> acrossPeak(-50.0, 50.0);
    for (int i = 0; i < 2'000'000; ++i) near.check(acrossPeak(random));
    EXPECT_LE(near.ulps, 1u) << "at " << near.at;

    // Far from a peak, or a very narrow one: any magnitude, both signs.
    auto far = worst();
    std::uniform_real_distribution<double> exponent(-30.0, 30.0);
    for (int i = 0; i < 2'000'000; ++i) {
        const double x = std::pow(10.0, exponent(random));
        far.check(x);
        far.check(-x);
    }
    EXPECT_LE(far.ulps, 1u) << "at " << far.at;
}

TEST(AtanLanes, BoundariesAndValuesThatAreNotFinite) {
    constexpr double kInf = std::numeric_limits<double>::infinity();
    EXPECT_EQ(std::bit_cast<std::uint64_t>(ownAtan(0.0)), std::bit_cast<std::uint64_t>(0.0));
    EXPECT_EQ(std::bit_cast<std::uint64_t>(ownAtan(-0.0)), std::bit_cast<std::uint64_t>(-0.0));
    EXPECT_EQ(ownAtan(kInf), std::atan(kInf));
    EXPECT_EQ(ownAtan(-kInf), std::atan(-kInf));
    EXPECT_TRUE(std::isnan(ownAtan(std::nan(""))));
    for (const double boundary : {0.4375, 0.6875, 1.1875, 2.4375, 1e-300, 0x1p-27, 0x1p66, 1e300}) {
        for (const double x : {std::nextafter(boundary, 0.0), boundary}) {
            EXPECT_LE(ulpsApart(ownAtan(x), std::atan(x)), 1u) << x;
            EXPECT_EQ(ownAtan(-x), -ownAtan(x)) << x;
        }
    }
}

// Lanes of a vector get the bits the single value gets, whatever interval each lies in.
TEST(AtanLanes, EveryLaneGetsTheSingleValuesBits) {
    using Lanes = double __attribute__((vector_size(2 * sizeof(double))));
    using IntegerLanes = std::int64_t __attribute__((vector_size(2 * sizeof(std::int64_t))));
    for (const Lanes x :
         {Lanes{0.1, -0.5}, Lanes{1.0, -2.0}, Lanes{-3e7, 1e-9}, Lanes{-0.0, 0.6875}}) {
        const Lanes a = atanLanes<Lanes, IntegerLanes>(x);
        for (int l = 0; l < 2; ++l) {
            EXPECT_EQ(std::bit_cast<std::uint64_t>(a[l]),
                      std::bit_cast<std::uint64_t>(ownAtan(x[l])))
                << x[l];
        }
    }
    EXPECT_TRUE(std::isnan(atanLanes<Lanes, IntegerLanes>(Lanes{std::nan(""), 2.0})[0]));
}
