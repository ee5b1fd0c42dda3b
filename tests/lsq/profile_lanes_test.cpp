// The profile from a peak's table, several points at a time, against profile_point.

#include "lsq/profile_lanes.h"

#include <gtest/gtest.h>

#include <bit>
#include <cmath>
#include <cstdint>
#include <vector>

#include "lsq/profile_table.h"

namespace {

// The points in lane groups, the last group filled up with its last point.
std::vector<ProfileComponents> fromTable(float P, float h, double wor,
                                         const std::vector<float>& xs) {
    ProfileTable table;
    buildProfileTable(table, P, h, wor);
    std::vector<ProfileComponents> out;
    for (std::size_t first = 0; first < xs.size(); first += kLanes) {
        LanePoints x;
        for (int l = 0; l < kLanes; ++l) x[l] = xs[std::min(first + l, xs.size() - 1)];
        LaneComponents lanes;
        profileLanes(table, x, static_cast<int>(std::min<std::size_t>(kLanes, xs.size() - first)),
                     lanes);
        for (int l = 0; l < kLanes && first + l < xs.size(); ++l) out.push_back(lanes[l]);
    }
    return out;
}

void expectSameOnThisIsa(float P, float h, double wor, const std::vector<float>& xs) {
    const std::vector<ProfileComponents> lanes = fromTable(P, h, wor, xs);
    for (std::size_t i = 0; i < xs.size(); ++i) {
        const ProfileComponents point = profile_point(P, h, xs[i], wor);
        EXPECT_EQ(std::bit_cast<std::uint32_t>(lanes[i].L), std::bit_cast<std::uint32_t>(point.L))
            << "L, P " << P << " h " << h << " W/R " << wor << " x " << xs[i];
        EXPECT_EQ(std::bit_cast<std::uint32_t>(lanes[i].G), std::bit_cast<std::uint32_t>(point.G))
            << "G, P " << P << " h " << h << " W/R " << wor << " x " << xs[i];
    }
}

// On every instruction set this processor has.
void expectSameAsProfilePoint(float P, float h, double wor, const std::vector<float>& xs) {
    for (const LaneIsa isa : {LaneIsa::Baseline, LaneIsa::Avx2, LaneIsa::Avx512}) {
        if (!laneIsaSupported(isa)) continue;
        useLaneIsa(isa);
        expectSameOnThisIsa(P, h, wor, xs);
    }
    useLaneIsa(LaneIsa::Avx512);  // the widest the processor has, as at start
}

// From 3 degrees below the peak to 1 above, in steps that do not divide the tail.
std::vector<float> pointsAround(float P) {
    std::vector<float> xs;
    for (float x = P - 3.0f; x <= P + 1.0f; x += 0.0073f) xs.push_back(x);
    xs.push_back(P);
    return xs;
}

}  // namespace

TEST(ProfileLanes, SameBitsAsProfilePointAcrossPeaksWidthsAndSlits) {
    for (const float P : {8.0f, 30.0f, 65.0f, 99.5f}) {
        for (const float h : {0.004f, 0.03f, 0.1f, 0.6f}) {
            for (const double wor : {0.01, 0.05, 0.12, 0.3}) {
                expectSameAsProfilePoint(P, h, wor, pointsAround(P));
            }
        }
    }
}

// Points right at the peak, at the end of the tail, where the Gaussian terms begin, and
// between.
TEST(ProfileLanes, SameBitsAtTheEdgesOfTheTailAndTheCutOffs) {
    const float P = 30.0f;
    const float h = 0.05f;
    const double wor = 0.05;
    const float A = asymmetryLength(P, wor);
    const float r = h / 0.8326f;
    std::vector<float> xs = {P, P - A, P - A / 2};
    for (const float reach : {3.0f, 3.1f, 3.16f, 3.17f, 3.2f, 3.21f, 3.5f, 4.0f}) {
        xs.push_back(P + reach * r);
        xs.push_back(P - A - reach * r);
    }
    for (int step = -40; step <= 40; ++step) xs.push_back(P + step * 1e-6f);
    expectSameAsProfilePoint(P, h, wor, xs);
}

TEST(ProfileLanes, SameBitsForSymmetricAbsentAndExtremePeaks) {
    expectSameAsProfilePoint(30.0f, 0.05f, 0.0, pointsAround(30.0f));     // closed slit
    expectSameAsProfilePoint(120.0f, 0.05f, 0.05, pointsAround(120.0f));  // past 100 degrees
    expectSameAsProfilePoint(30.0f, 0.0f, 0.05, pointsAround(30.0f));     // no width
    expectSameAsProfilePoint(30.0f, -0.1f, 0.05, pointsAround(30.0f));
    expectSameAsProfilePoint(30.0f, NAN, 0.05, pointsAround(30.0f));
    expectSameAsProfilePoint(30.0f, 0.05f, NAN, pointsAround(30.0f));
    expectSameAsProfilePoint(10.0f, 1e-7f, 0.25, {9.9f, 9.99f, 10.0f});  // the interval cap
    expectSameAsProfilePoint(30.0f, 1e-32f, 0.05, {29.99f, 30.0f, 30.0f + 1e-30f});
}

TEST(ProfileLanes, SameBitsForPointsThatAreNotFinite) {
    expectSameAsProfilePoint(30.0f, 0.05f, 0.05, {INFINITY, -INFINITY, 1e38f, -1e38f, 29.9f});
    // A point that is not a number gives no number either way.
    const std::vector<ProfileComponents> lanes = fromTable(30.0f, 0.05f, 0.05, {NAN});
    EXPECT_TRUE(std::isnan(lanes[0].L));
    EXPECT_TRUE(std::isnan(lanes[0].G));
}

TEST(ProfileTable, KindFollowsWidthAndTailLength) {
    ProfileTable table;
    buildProfileTable(table, 30.0f, 0.05f, 0.05);
    EXPECT_EQ(table.kind, ProfileKind::Asymmetric);
    EXPECT_EQ(table.n, simpsonIntervals(asymmetryLength(30.0f, 0.05), 0.05f));
    EXPECT_EQ(static_cast<int>(table.u.size()), table.n + 1);
    EXPECT_EQ(table.u[table.n], table.n * (table.A / table.n));
    buildProfileTable(table, 30.0f, 0.05f, 0.0);
    EXPECT_EQ(table.kind, ProfileKind::Symmetric);
    buildProfileTable(table, 100.5f, 0.05f, 0.05);
    EXPECT_EQ(table.kind, ProfileKind::Symmetric);
    buildProfileTable(table, 30.0f, 0.0f, 0.05);
    EXPECT_EQ(table.kind, ProfileKind::Absent);
    buildProfileTable(table, 30.0f, NAN, 0.05);
    EXPECT_EQ(table.kind, ProfileKind::Absent);
}

// Beyond farDistance the Gaussian terms are left out unevaluated; (t / r)^2 as the
// profile computes it must then be past the cut-off of 10 whatever the rounding.
TEST(ProfileTable, FarDistanceIsSurelyPastTheGaussianCutOff) {
    for (const float h : {1e-29f, 1e-9f, 0.003f, 0.05f, 0.4f, 7.0f, 3e37f}) {
        ProfileTable table;
        buildProfileTable(table, 30.0f, h, 0.05);
        ASSERT_EQ(table.kind, ProfileKind::Asymmetric) << h;
        const float t = std::nextafter(table.farDistance, INFINITY);
        const float tr = t / table.r;
        EXPECT_GT(tr * tr, 10.0f) << h;
    }
    ProfileTable tiny;
    buildProfileTable(tiny, 30.0f, 1e-36f, 0.05);  // r has lost its relative precision
    EXPECT_EQ(tiny.farDistance, INFINITY);
}
