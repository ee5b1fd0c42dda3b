// The engine's own exponential against the C library's, over the arguments the profile
// gives it: -z for z from 0 to the cut-offs of 9 and 10 in the Simpson sums and edge terms,
// and any z at all in the symmetric profile.

#include "lsq/exp_lanes.h"

#include <gtest/gtest.h>

#include <bit>
#include <cmath>
#include <cstdint>
#include <limits>
#include <random>

#include "ulp_distance.h"

namespace {

double ownExp(double x) {
    return expLanes<double, std::int64_t>(x);
}

// The worst distance from the C library's exp over the arguments checked.
auto worst() {
    return WorstUlps{[](double x) { return ownExp(x); }, [](double x) { return std::exp(x); }};
}

}  // namespace

TEST(ExpLanes, WithinOneUlpOfTheLibraryWhereTheProfileUsesIt) {
    auto sums = worst();  // every float z of the Simpson sums is hit at this density of steps
    for (int i = 0; i <= 4'000'000; ++i) sums.check(-10.0 * i / 4'000'000);
    std::mt19937_64 random(17);
    std::uniform_real_distribution<double> nearPeak(-10.0, 0.0);
    for (int i = 0; i < 2'000'000; ++i) sums.check(nearPeak(random));
    EXPECT_LE(sums.ulps, 1u) << "at " << sums.at;

    // The symmetric profile's -(d / r)^2, down to where exp underflows, and the rest of
    // the range for good measure.
    auto everywhere = worst();
    std::uniform_real_distribution<double> whole(-745.0, 709.7);
    for (int i = 0; i < 2'000'000; ++i) everywhere.check(whole(random));
    EXPECT_LE(everywhere.ulps, 1u) << "at " << everywhere.at;
}

TEST(ExpLanes, EndsOfTheRangeAndValuesThatAreNotFinite) {
    EXPECT_EQ(ownExp(0.0), 1.0);
    EXPECT_EQ(ownExp(-0.0), 1.0);
    EXPECT_EQ(ownExp(-std::numeric_limits<double>::infinity()), 0.0);
    EXPECT_EQ(ownExp(std::numeric_limits<double>::infinity()),
              std::numeric_limits<double>::infinity());
    EXPECT_TRUE(std::isnan(ownExp(std::nan(""))));
    EXPECT_EQ(ownExp(-1e30), 0.0);
    // Arguments whose rounding shift leaves the integer range of its bits.
    EXPECT_EQ(ownExp(-7.7e15), 0.0);
    EXPECT_EQ(ownExp(9.4e15), std::numeric_limits<double>::infinity());
    EXPECT_EQ(ownExp(710.0), std::numeric_limits<double>::infinity());
    // Results below the smallest normal double and next to the largest one.
    for (const double x : {-708.5, -720.0, -740.0, -745.0, 709.5, 709.78}) {
        EXPECT_LE(ulpsApart(ownExp(x), std::exp(x)), 1u) << x;
    }
}

// Lanes of a vector get the bits the single value gets, which is what lets the profile's
// lanes and its point-by-point evaluation agree.
TEST(ExpLanes, EveryLaneGetsTheSingleValuesBits) {
    using Lanes = double __attribute__((vector_size(2 * sizeof(double))));
    using IntegerLanes = std::int64_t __attribute__((vector_size(2 * sizeof(std::int64_t))));
    for (const Lanes x : {Lanes{-9.99, -0.3465735902799726}, Lanes{-740.0, -1e-300}}) {
        const Lanes e = expLanes<Lanes, IntegerLanes>(x);
        for (int l = 0; l < 2; ++l) {
            EXPECT_EQ(std::bit_cast<std::uint64_t>(e[l]),
                      std::bit_cast<std::uint64_t>(ownExp(x[l])))
                << x[l];
        }
    }
    EXPECT_TRUE(std::isnan(expLanes<Lanes, IntegerLanes>(Lanes{std::nan(""), 0.0})[0]));
}
