// A pattern resampled on a uniform grid: counts interpolated linearly, sig propagated, and
// the grids and angle orders it refuses.

#include "pattern/regrid.h"

#include <gtest/gtest.h>

#include <cmath>
#include <memory>
#include <sstream>
#include <string>
#include <vector>

#include "console/console.h"
#include "pattern/pattern_checks.h"

namespace {

struct Point {
    float tth, cts, sig;
};

struct Regridded {
    bool ok;
    std::string transcript;
    std::unique_ptr<PatternStore> store = std::make_unique<PatternStore>();
};

Regridded regrid(const std::vector<Point>& points, double step) {
    Regridded result;
    PatternStore& store = *result.store;
    store.ilast = static_cast<int>(points.size()) - 1;
    for (std::size_t i = 0; i < points.size(); ++i) {
        store.tth[i] = points[i].tth;
        store.cts[i] = points[i].cts;
        store.sig[i] = points[i].sig;
    }
    std::istringstream in;
    std::ostringstream out;
    Console console(in, out);
    result.ok = regridPattern(store, step, console);
    result.transcript = out.str();
    return result;
}

TEST(Regrid, InterpolatesBetweenTheAnglesAroundEachGridAngle) {
    const struct {
        const char* what;
        std::vector<Point> points;
        double step;
        std::vector<Point> expected;
    } cases[] = {
        {"up, halves",
         {{10.0f, 100, 3}, {10.04f, 200, 4}, {10.08f, 300, kUnset}},
         0.02,
         {{10.0f, 100, 3},
          {10.02f, 150, 2.5f},
          {10.04f, 200, 4},
          {10.06f, 250, kUnset},
          {10.08f, 300, kUnset}}},
        {"down, thirds",
         {{30.0f, 90, 3}, {29.97f, 60, 3}, {29.94f, 30, 3}},
         0.01,
         {{30.0f, 90, 3},
          {29.99f, 80, 2.236068f},
          {29.98f, 70, 2.236068f},
          {29.97f, 60, 3},
          {29.96f, 50, 2.236068f},
          {29.95f, 40, 2.236068f},
          {29.94f, 30, 3}}},
        {"coarser, unset sig stays unset",
         {{5.0f, 1, kUnset},
          {5.01f, 2, kUnset},
          {5.02f, 3, kUnset},
          {5.03f, 4, kUnset},
          {5.04f, 5, kUnset}},
         0.02,
         {{5.0f, 1, kUnset}, {5.02f, 3, kUnset}, {5.04f, 5, kUnset}}},
    };
    for (const auto& c : cases) {
        const Regridded r = regrid(c.points, c.step);
        ASSERT_TRUE(r.ok) << c.what << r.transcript;
        const PatternStore& store = *r.store;
        ASSERT_EQ(store.ilast + 1, static_cast<int>(c.expected.size())) << c.what;
        EXPECT_EQ(store.tthmin, static_cast<double>(c.points.front().tth)) << c.what;
        EXPECT_NEAR(std::fabs(store.tthstep), c.step, 1e-12) << c.what;
        EXPECT_EQ(firstOffGrid(store), -1) << c.what;
        for (std::size_t k = 0; k < c.expected.size(); ++k) {
            EXPECT_NEAR(store.tth[k], c.expected[k].tth, 1e-5) << c.what << k;
            // The angles are floats: an interpolation weight is off by some 1e-5.
            EXPECT_NEAR(store.cts[k], c.expected[k].cts, 1e-2) << c.what << k;
            EXPECT_NEAR(store.sig[k], c.expected[k].sig, 1e-4) << c.what << k;
        }
        EXPECT_EQ(store.tth[store.ilast + 1], kUnset) << c.what;
        EXPECT_EQ(store.cts[store.ilast + 1], kUnset) << c.what;
    }
}

TEST(Regrid, RefusesAnglesOutOfOrderAndGridsTooLongOrTooShortLeavingTheStore) {
    const struct {
        std::vector<Point> points;
        double step;
        const char* message;
    } cases[] = {
        {{{10, 1, 1}, {10.02f, 1, 1}, {10.01f, 1, 1}},
         0.01,
         "Cannot regrid: the angles do not increase at point 3 (10.01 after 10.02).\n"},
        {{{10, 1, 1}, {10.02f, 1, 1}, {10.02f, 1, 1}},
         0.01,
         "Cannot regrid: the angles do not increase at point 3 (10.02 after 10.02).\n"},
        {{{10, 1, 1}, {9.98f, 1, 1}, {10.0f, 1, 1}},
         0.01,
         "Cannot regrid: the angles do not decrease at point 3 (10 after 9.98).\n"},
        {{{10, 1, 1}, {20, 1, 1}, {30, 1, 1}},
         0.001,
         "Cannot regrid to step 0.001: 20001 points, more than the 19001 the program holds.\n"},
        {{{10, 1, 1}, {20, 1, 1}, {30, 1, 1}},
         1e-300,
         "Cannot regrid to step 1e-300: 2e+301 points, more than the 19001 the program holds.\n"},
        {{{10, 1, 1}, {20, 1, 1}, {30, 1, 1}},
         10.01,
         "Cannot regrid to step 10.01: 2 point(s), fewer than the 3 a pattern needs.\n"},
    };
    for (const auto& c : cases) {
        const Regridded r = regrid(c.points, c.step);
        EXPECT_FALSE(r.ok) << c.message;
        EXPECT_EQ(r.transcript, c.message);
        EXPECT_EQ(r.store->ilast, 2);
        EXPECT_EQ(r.store->tth[2], c.points[2].tth);
    }
}

}  // namespace
