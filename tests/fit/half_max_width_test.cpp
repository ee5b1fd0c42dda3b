// Widths at half maximum on patterns of a flat 100 counts (or a sloped line) with peaks
// drawn point by point: from 10 degrees in steps of 0.02, or from 30 degrees down.

#include "fit/half_max_width.h"

#include <gtest/gtest.h>

#include <cmath>
#include <map>

#include "view/run_state_fixture.h"

namespace {

struct WidthCase {
    const char* what;
    std::map<int, float> net;  // counts above the line at these points
    std::vector<int> points;   // the selection: ends and peaks
    double step;               // of the pattern; negative: angles descending with the index
    double slope;              // of the line, counts per point
    std::optional<Kalpha2> kalpha2;
    int peak;                     // the peak asked about (from 1)
    std::optional<double> width;  // in degrees
};

// A peak of 200 at point 110 falling by 50 a point to the low side and by 100 to the high.
const std::map<int, float> kLopsided{{107, 50}, {108, 100}, {109, 150}, {110, 200}, {111, 100}};

const Kalpha2 kCu{1.544426 / 1.540598, 0.5};

// The Kα2 line's distance above a Kα1 line at two-theta P, degrees.
double separationAt(double P) {
    const double radians = M_PI / 180;
    return 2 * std::asin(kCu.lambdaRatio * std::sin(P / 2 * radians)) / radians - P;
}

PatternStore patternOf(const WidthCase& c) {
    PatternStore pattern;
    fillPattern(pattern, c.step > 0 ? 10.0 : 30.0, c.step, 1001, [&](int i) {
        const auto it = c.net.find(i);
        return static_cast<float>(100.0 + c.slope * (i - 100)) +
               (it != c.net.end() ? it->second : 0);
    });
    return pattern;
}

FitSelection selectionOf(const std::vector<int>& points) {
    FitSelection selection;
    for (std::size_t k = 0; k < points.size(); ++k) selection.sel[k] = points[k];
    selection.sellast = static_cast<int>(points.size()) - 1;
    return selection;
}

ParamVector lineOf(const WidthCase& c) {
    ParamVector params{};
    params[kLowBkgnd].b = 100.0;
    params[kHighBkgnd].b = 100.0 + c.slope * (c.points.back() - 100);
    return params;
}

}  // namespace

TEST(HalfMaxWidth, ReadsTheCrossingsBetweenPointsAboveTheLine) {
    const std::map<int, float> between{{109, 150}, {110, 200}, {111, 50}};  // 2/3 step high
    const std::map<int, float> shoulder{{108, 100}, {109, 150}, {110, 200}, {111, 180}};
    const std::map<int, float> twin{{107, 100}, {108, 150}, {109, 180}, {110, 200}, {111, 180},
                                    {112, 150}, {113, 180}, {114, 200}, {115, 180}, {116, 100}};
    const std::map<int, float> wide{{109, 180}, {110, 200}, {111, 180}, {112, 160},
                                    {113, 140}, {114, 120}, {115, 100}};  // 5 steps high
    const double P = 12.2;                                                // point 110
    const std::optional<Kalpha2> none;
    const WidthCase cases[] = {
        {"the high-angle side doubled", kLopsided, {100, 110, 120}, 0.02, 0, none, 1, 0.04},
        {"between points", between, {100, 110, 120}, 0.02, 0, none, 1, 0.04 * 2 / 3},
        {"a sloped line", between, {100, 110, 120}, 0.02, 3, none, 1, 0.04 * 2 / 3},
        {"the high side past the region's end", shoulder, {100, 110, 111}, 0.02, 0, none, 1, 0.08},
        {"no side falls to half", shoulder, {109, 110, 111}, 0.02, 0, none, 1, std::nullopt},
        {"no height", {{110, -5}}, {100, 110, 120}, 0.02, 0, none, 1, std::nullopt},
        {"on the line", {}, {100, 110, 120}, 0.02, 0, none, 1, std::nullopt},
        // Unresolved neighbours: the walk stops halfway.
        {"a neighbour above", twin, {100, 110, 114, 120}, 0.02, 0, none, 1, 2 * 0.06},
        {"a neighbour below", twin, {100, 110, 114, 120}, 0.02, 0, none, 2, 2 * 0.04},
        // Descending angles: the high-angle side lies at lower indices.
        {"descending", kLopsided, {100, 110, 120}, -0.02, 0, none, 1, 0.08},
        // Doublets: the Kα2 line's separation taken off the high side, down to its half width.
        {"a doublet", wide, {100, 110, 120}, 0.02, 0, kCu, 1, 0.2 - separationAt(P)},
        {"a doublet apart", kLopsided, {100, 110, 120}, 0.02, 0, kCu, 1, 0.02},
        {"a doublet's low side", shoulder, {100, 110, 111}, 0.02, 0, kCu, 1, 0.08},
    };
    for (const WidthCase& c : cases) {
        const PatternStore pattern = patternOf(c);
        const std::optional<double> width =
            halfMaximumWidth(pattern, selectionOf(c.points), lineOf(c), c.peak, c.kalpha2);
        ASSERT_EQ(width.has_value(), c.width.has_value()) << c.what;
        if (c.width) EXPECT_NEAR(*width, *c.width, 1e-5) << c.what;
    }
}

// Every peak its own width, or their mean as the common one; at least one step; a peak
// without one keeps its start.
TEST(HalfMaxWidth, StartsTheWidthsOfTheFit) {
    const std::map<int, float> peaks{{108, 100},  {109, 150}, {110, 200},  {111, 150}, {112, 100},
                                     {113, -100}, {114, 200}, {115, -100}, {120, -50}};
    const WidthCase c{"", peaks, {100, 110, 114, 120, 130}, 0.02, 0, std::nullopt, 1, std::nullopt};
    const PatternStore pattern = patternOf(c);
    ParamVector params = lineOf(c);
    for (int j = 1; j <= 3; ++j) params[peakFwhm(j)].b = 0.5;
    startAtHalfMaximum(params, pattern, selectionOf(c.points), false, std::nullopt);
    EXPECT_NEAR(params[peakFwhm(1)].b, 0.08, 1e-5);
    EXPECT_NEAR(params[peakFwhm(2)].b, 0.02, 1e-6);  // two thirds of a step: one step
    EXPECT_EQ(params[peakFwhm(3)].b, 0.5);
    params[kCfwhm].b = 0.5;
    startAtHalfMaximum(params, pattern, selectionOf(c.points), true, std::nullopt);
    EXPECT_NEAR(params[kCfwhm].b, (0.08 + 0.02) / 2, 1e-5);
    startAtHalfMaximum(params, pattern, selectionOf({100, 120, 130}), true, std::nullopt);
    EXPECT_NEAR(params[kCfwhm].b, (0.08 + 0.02) / 2, 1e-5);  // no width: the start stays
}
