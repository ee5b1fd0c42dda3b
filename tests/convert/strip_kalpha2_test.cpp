// Rachinger's Kα2 removal: a hand-worked recursion, and a rock-salt lab pattern through
// xrdconvert --strip-ka2, whose companions go while its Kα1 lines stay.

#include "convert/strip_kalpha2.h"

#include <gtest/gtest.h>

#include <array>
#include <cmath>
#include <cstdio>
#include <filesystem>
#include <memory>
#include <numbers>
#include <string>
#include <vector>

#include "batch/rock_salt_pattern.h"
#include "convert_harness.h"
#include "support/temp_dir.h"

namespace {

double radians(double degrees) {
    return degrees * std::numbers::pi / 180.0;
}

}  // namespace

// Angles chosen so that each point is the companion place of the point before it: the
// recursion is then I1[k] = I[k] - 0.5 I1[k-1], var1[k] = sig[k]^2 + 0.25 var1[k-1], and the
// first point, with nothing below it, is a flat doublet: I / 1.5, sig / 1.5.
//   I   300 300 600 900      I1  200    200      500      650
//   sig  10  10  20  30      sig 6.6667 10.5409  20.6828  31.7324
TEST(StripKalpha2, RachingerRecursionByHand) {
    const double lambdaRatio = 1.01;
    PatternStore store;
    double tth = 40.0;
    const float counts[] = {300, 300, 600, 900}, sigs[] = {10, 10, 20, 30};
    for (int i = 0; i < 4; ++i) {
        store.tth[i] = static_cast<float>(tth);
        store.cts[i] = counts[i];
        store.sig[i] = sigs[i];
        tth = 2 * std::asin(lambdaRatio * std::sin(radians(tth / 2))) * 180.0 / std::numbers::pi;
    }
    store.ilast = 3;
    PatternStore descending = store;  // the same points from high to low angle
    for (int i = 0; i < 4; ++i) {
        descending.tth[i] = store.tth[3 - i];
        descending.cts[i] = store.cts[3 - i];
        descending.sig[i] = store.sig[3 - i];
    }
    ASSERT_TRUE(stripKalpha2(store, {1.0, lambdaRatio, 0.5, ""}));
    ASSERT_TRUE(stripKalpha2(descending, {1.0, lambdaRatio, 0.5, ""}));
    const double stripped[] = {200, 200, 500, 650}, sig1[] = {6.6667, 10.5409, 20.6828, 31.7324};
    for (int i = 0; i < 4; ++i) {
        EXPECT_NEAR(store.cts[i], stripped[i], 0.05) << i;
        EXPECT_NEAR(store.sig[i], sig1[i], 0.005) << i;
        EXPECT_EQ(descending.cts[3 - i], store.cts[i]) << i;
        EXPECT_EQ(descending.sig[3 - i], store.sig[i]) << i;
    }
    PatternStore single = store;  // one wavelength, or none longer: nothing changed
    EXPECT_FALSE(stripKalpha2(single, {1.0, std::nullopt, 0.5, ""}));
    EXPECT_FALSE(stripKalpha2(single, {1.0, 0.99, 0.5, ""}));
    EXPECT_EQ(single.cts, store.cts);
    PatternStore below = store;  // angles below zero: no source below the first point
    for (int i = 0; i < 4; ++i) below.tth[i] = -store.tth[3 - i];
    EXPECT_TRUE(stripKalpha2(below, {1.0, lambdaRatio, 0.5, ""}));
    for (int i = 0; i <= below.ilast; ++i) EXPECT_TRUE(std::isfinite(below.cts[i])) << i;
}

// Above 80 degrees, where the doublets stand apart, at least 80 % of each companion's net
// height goes, and every Kα1 line keeps its net height within 15 %.
TEST(StripKalpha2, XrdconvertStripsTheCompanionsOfALabPattern) {
    TempDir dir;
    const std::vector<Reflection> reflections = rockSaltReflections(1.0);
    const LabPattern lab = rockSaltPattern(reflections);
    writeUxd("nacl.uxd", lab);
    writeTwoColumns("plain.xy", lab);
    const ConvertRun run = runConvert({"--strip-ka2", "--to", "xy", "nacl.uxd"});
    ASSERT_EQ(run.status, 0) << run.err;
    EXPECT_TRUE(contains(run.err,
                         "nacl.uxd: radiation: alpha1 1.540593 A, alpha2 1.544414 A, "
                         "ratio 0.5 (stated by the file)\n"));
    EXPECT_TRUE(contains(run.err,
                         "nacl.uxd: Kalpha2 stripped by Rachinger's method (unsmoothed), "
                         "sig propagated: the output is a Kalpha1 pattern\n"));
    std::vector<double> counts;
    for (const std::string& line : linesOf(readFile("nacl.xy"))) {
        double t = 0, c = 0, s = 0;
        if (std::sscanf(line.c_str(), "%lf %lf %lf", &t, &c, &s) == 3) counts.push_back(c);
    }
    ASSERT_EQ(counts.size(), lab.cts.size());
    // Net heights above the stripped background, which is the original over 1.5.
    auto netAt = [&](const std::vector<double>& cts, double tth, double scale) {
        const std::size_t i = static_cast<std::size_t>(std::lround((tth - 25.0) / 0.01));
        double top = 0;
        for (std::size_t k = i - 2; k <= i + 2; ++k) top = std::max(top, cts[k]);
        return top - (150.0 - 0.5 * (tth - 25.0)) * scale;
    };
    for (const Reflection& r : reflections) {
        SCOPED_TRACE(::testing::Message() << r.h << r.k << r.l);
        const double p = r.kalpha1.position;
        const double place = 2 * std::asin(1.5444140 / 1.5405929 * std::sin(radians(p / 2))) *
                             180.0 / std::numbers::pi;
        EXPECT_NEAR(netAt(counts, p, 1 / 1.5), netAt(lab.cts, p, 1.0),
                    0.15 * netAt(lab.cts, p, 1.0));
        if (p > 80.0) {
            EXPECT_LT(netAt(counts, place, 1 / 1.5), 0.2 * netAt(lab.cts, place, 1.0));
        }
    }
    // A text pattern states no radiation: nothing to strip with, nothing written.
    std::filesystem::create_directory("out");
    const ConvertRun plain =
        runConvert({"--strip-ka2", "--to", "xy", "--outdir", "out", "plain.xy"});
    EXPECT_EQ(plain.status, 1);
    EXPECT_TRUE(contains(plain.err, "plain.xy: no Kalpha2 line known to strip: nothing written\n"))
        << plain.err;
    EXPECT_FALSE(std::filesystem::exists("out/plain.xy"));
}

// The recursion carries noise on to the companions' places: counts that fall more than three
// standard deviations below zero are named, as how many points and where.
TEST(StripKalpha2, CountsFarBelowZeroAreNamed) {
    TempDir dir;
    std::string counts;
    for (int i = 0; i < 12; ++i) counts += i < 6 ? "1000 " : "1 ";
    writeFile("edge.uxd",
              "_WL1=1.540593\n_WL2=1.544414\n_WLRATIO=0.5\n_DRIVE='COUPLED'\n"
              "_STEPSIZE=0.02\n_START=10.0\n_COUNTS\n" +
                  counts + "\n");
    const ConvertRun run = runConvert({"--strip-ka2", "--to", "xy", "edge.uxd"});
    EXPECT_EQ(run.status, 0) << run.err;
    EXPECT_TRUE(contains(run.err,
                         "edge.uxd: warning: the stripped counts fall below -3 sigma at "
                         "2 point(s) from 10.1200 to 10.1800 degrees: the strip is not "
                         "clean there\n"))
        << run.err;

    auto storage = std::make_unique<PatternStore>();
    PatternStore& store = *storage;
    store.ilast = 3;
    const struct {
        std::array<float, 4> cts, sig;
        int points;
        double lowest, highest;
    } cases[] = {
        {{10, -2.9f, -5, 0}, {1, 1, 2, 1}, 0, 0, 0},
        {{10, -3.1f, -7, -4}, {1, 1, 2, 1}, 3, 20.02, 20.06},
        {{-31, 0, 0, -31}, {10, 1, 1, 10}, 2, 20.0, 20.06},
    };
    for (const auto& c : cases) {
        for (int i = 0; i < 4; ++i) {
            store.tth[i] = 20.0f + 0.02f * i;
            store.cts[i] = c.cts[i];
            store.sig[i] = c.sig[i];
        }
        const DeepNegatives deep = deepNegatives(store);
        EXPECT_EQ(deep.points, c.points);
        EXPECT_NEAR(deep.lowest, c.lowest, 1e-5);
        EXPECT_NEAR(deep.highest, c.highest, 1e-5);
    }
}
